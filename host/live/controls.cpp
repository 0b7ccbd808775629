#include "host/live/controls.h"

#include <cmath>

#include "host/core/simulation.h"
#include "module/vocabulary.h"

namespace korvel::live {

namespace {

constexpr double fuel_percent = 100.0 / 8388608.0;
constexpr double position_percent = 100.0 / token::full_travel;
constexpr double brake_percent = 100.0 / token::full_brake;
constexpr double rankine_celsius = 1 / 1.8;
constexpr double rankine_zero_celsius = -491.67 / 1.8;
// The simulator counts bank positive with the left wing down; a pilot
// counts a right bank positive.
constexpr double right_bank = -1;
// The turn needle's table ends, at the face's "2 MIN" marks, at 4.5 × 256:
// a standard-rate turn of 3 °/s.
constexpr double turn_degrees_per_second = 3.0 / (4.5 * 256.0);

using K = ControlKind;

// clang-format off
constexpr Control table[] = {
    // id                group             label                  token                            kind          unit      scale                         offset                low    high     step
    {"airspeed",         "Flight",         "Indicated airspeed",  token::indicated_airspeed_knots,       K::number,    "kt",     1,                            0,                    0,     600,     1},
    {"altitude",         "Flight",         "Altitude",            token::indicated_altitude_feet,       K::number,    "ft",     1,                            0,                    -1000, 50000,   10},
    {"vertical_speed",   "Flight",         "Vertical speed",      token::vertical_speed_256th_mps,           K::number,    "ft/min", 60.0 / 0.3048 / 256.0,        0,                    -6000, 6000,    50},
    {"pitch",            "Flight",         "Pitch",               token::pitch_degrees,                    K::number,    "°",      1,                            0,                    -90,   90,      0.5,   "down", "up"},
    {"bank",             "Flight",         "Bank",                token::bank_degrees,                     K::number,    "°",      right_bank,                   0,                    -90,   90,      0.5,   "left", "right"},
    {"magnetic_heading", "Flight",         "Magnetic heading",    token::magnetic_heading_degrees,         K::number,    "°",      1,                            0,                    0,     359.9,   1},
    {"gyro_heading",     "Flight",         "Gyro heading",        token::gyro_heading_degrees,             K::number,    "°",      1,                            0,                    0,     359.9,   1},
    {"turn_rate",        "Flight",         "Turn rate",           token::turn_rate_256ths,                K::number,    "°/s",    turn_degrees_per_second,      0,                    -6,    6,       0.1,   "left", "right"},
    {"load_factor",      "Flight",         "Load factor",         token::load_factor_624th_g,              K::number,    "g",      1.0 / 624.0,                  0,                    -3,    8,       0.1},
    {"throttle",         "Engine",         "Throttle lever",      token::throttle_lever,           K::number,    "%",      100,                          0,                    0,     100,     1},
    {"engine_speed",     "Engine",         "Engine speed",        token::engine_rpm_percent,       K::number,    "%",      1,                            0,                    0,     110,     0.5},
    {"turbine_temperature", "Engine",      "Turbine temperature", token::turbine_temperature_rankine,      K::number,    "°C",     rankine_celsius,              rankine_zero_celsius, -60,   1000,    5},
    {"oil_temperature",  "Engine",         "Oil temperature",     token::oil_temperature_rankine,          K::number,    "°C",     rankine_celsius,              rankine_zero_celsius, -60,   200,     1},
    {"reservoir_pressure", "Engine",       "Reservoir pressure",  token::reservoir_pressure,       K::number,    "kg/cm²", 1 / 2048.146,                 0,                    0,     200,     1},
    {"fuel_centre",      "Fuel",           "Centre tank",         token::center_tank_level,        K::number,    "%",      fuel_percent,                 0,                    0,     100,     1},
    {"fuel_main_left",   "Fuel",           "Main tank, left",     token::main_left_tank_level,     K::number,    "%",      fuel_percent,                 0,                    0,     100,     1},
    {"fuel_main_right",  "Fuel",           "Main tank, right",    token::main_right_tank_level,    K::number,    "%",      fuel_percent,                 0,                    0,     100,     1},
    {"fuel_drop_left",   "Fuel",           "Drop tank, left",     token::aux_left_tank_level,      K::number,    "%",      fuel_percent,                 0,                    0,     100,     1},
    {"fuel_drop_right",  "Fuel",           "Drop tank, right",    token::aux_right_tank_level,     K::number,    "%",      fuel_percent,                 0,                    0,     100,     1},
    {"nose_gear",        "Gear and flaps", "Nose gear",           token::nose_gear,                K::number,    "% down", position_percent,             0,                    0,     100,     1},
    {"left_gear",        "Gear and flaps", "Left gear",           token::left_gear,                K::number,    "% down", position_percent,             0,                    0,     100,     1},
    {"right_gear",       "Gear and flaps", "Right gear",          token::right_gear,               K::number,    "% down", position_percent,             0,                    0,     100,     1},
    {"flaps",            "Gear and flaps", "Flaps",               token::flaps_position,           K::number,    "% down", position_percent,             0,                    0,     100,     1},
    {"speed_brake",      "Gear and flaps", "Speed brake",         token::speed_brake,              K::number,    "% out",  position_percent,             0,                    0,     100,     1},
    {"left_brake",       "Gear and flaps", "Left brake",          token::left_brake,               K::number,    "%",      brake_percent,                0,                    0,     100,     1},
    {"right_brake",      "Gear and flaps", "Right brake",         token::right_brake,              K::number,    "%",      brake_percent,                0,                    0,     100,     1},
    {"com1",             "Radios",         "COM1",                token::com1_frequency,           K::frequency, "MHz",    0,                            0,                    118,   136.975, 0.025},
    {"nav1",             "Radios",         "NAV1",                token::nav1_frequency,           K::frequency, "MHz",    0,                            0,                    108,   117.95,  0.05},
    {"nav2",             "Radios",         "NAV2",                token::nav2_frequency,           K::frequency, "MHz",    0,                            0,                    108,   117.95,  0.05},
    {"transponder",      "Radios",         "Transponder",         token::transponder,              K::code,      "code",   0,                            0,                    0,     7777,    1},
    {"nav1_course",      "Radios",         "NAV1 course",         token::nav1_course_degrees,              K::number,    "°",      1,                            0,                    0,     359,     1},
};
// clang-format on

}  // namespace

std::span<const Control> controls() { return table; }

const Control* control_named(std::string_view id) {
    for (const Control& c : table)
        if (id == c.id) return &c;
    return nullptr;
}

double reading(const Control& c, const host::VariableStore& v) {
    switch (c.kind) {
        case ControlKind::number:
            return v.number(c.token) * c.scale + c.offset;
        case ControlKind::frequency:
            // The word holds the MHz without their leading 1, and hundredths.
            return 100.0 + host::from_bcd(v.word(c.token) & 0xFFFF) / 100.0;
        case ControlKind::code:
            return double(host::from_bcd(v.word(c.token) & 0xFFFF));
    }
    return std::nan("");
}

Setting setting(const Control& c, double shown) {
    switch (c.kind) {
        case ControlKind::number:
            return {(shown - c.offset) / c.scale, {}};
        case ControlKind::frequency: {
            // A 25 kHz channel's last digit is not in the word: 121.825 is kept as 121.82.
            const double digits = std::floor((shown - 100.0) * 100.0 + 1e-6);
            return {double(host::to_bcd(std::uint32_t(digits))), {}};
        }
        case ControlKind::code: {
            const auto code = std::uint32_t(shown);
            if (double(code) != shown || code % 10 > 7 || code / 10 % 10 > 7 || code / 100 % 10 > 7 || code / 1000 > 7)
                return {0, "a transponder code has four digits from 0 to 7"};
            return {double(host::to_bcd(code)), {}};
        }
    }
    return {0, "not a control"};
}

}  // namespace korvel::live
