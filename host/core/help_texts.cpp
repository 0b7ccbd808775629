#include "host/core/help_texts.h"

#include <cstdio>

#include "module/vocabulary.h"

namespace korvel::host {

namespace {

struct HelpSubject {
    std::uint32_t id;
    std::string_view subject;
};

// clang-format off
constexpr HelpSubject subjects[] = {
    {help::airspeed,               "Airspeed indicator"},
    {help::clock,                  "Clock"},
    {help::fire_light,             "Engine fire warning light"},
    {help::low_oil_pressure_light, "Low oil pressure warning light"},
    {help::altimeter,              "Altimeter"},
    {help::altimeter_knob,         "Altimeter barometric setting knob"},
    {help::altimeter_setting,      "Altimeter barometric setting"},
    {help::turn_coordinator,       "Turn coordinator"},
    {help::attitude,               "Attitude indicator"},
    {help::directional_gyro,       "Directional gyro"},
    {help::vertical_speed,         "Vertical speed indicator"},
    {help::oil_temperature,        "Oil temperature"},
    {help::transponder_code,       "Transponder code"},
    {help::throttle,               "Throttle"},
    {help::turbine_temperature,    "Turbine temperature"},
    {help::accelerometer,          "Accelerometer"},
    {help::transponder,            "Transponder"},
    {help::flaps_indicator,        "Flaps position indicator"},
    {help::gear_lights,            "Landing gear position lights"},
    {help::gyro_setting_knob,      "Directional gyro setting knob"},
    {help::magnetic_compass,       "Magnetic compass"},
    {help::radio_window,           "Show or hide the radio stack"},
    {help::gps_window,             "Show or hide the GPS"},
    {help::throttle_window,        "Show or hide the throttle quadrant"},
    {help::compass_window,         "Show or hide the compass"},
    {help::fuel_window,            "Show or hide the fuel panel"},
    {help::collective_window,      "Show or hide the collective"},
    {help::map,                    "Map"},
    {help::kneeboard,              "Kneeboard"},
    {help::atc,                    "Air traffic control"},
};
// clang-format on

}  // namespace

std::optional<std::string_view> help_subject(std::uint32_t help_id) {
    for (const HelpSubject& s : subjects)
        if (s.id == help_id) return s.subject;
    return std::nullopt;
}

std::string help_text(std::uint32_t help_id) {
    char id[16];
    std::snprintf(id, sizeof id, "0x%04X", help_id);
    if (const auto subject = help_subject(help_id)) return std::string(*subject) + " (help " + id + ")";
    return std::string("The simulator's help text ") + id;
}

}  // namespace korvel::host
