#include "host/core/variables.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

#include "module/vocabulary.h"

namespace korvel::host {

namespace {

// clang-format off
constexpr std::uint32_t word_tokens[] = {
    token::adf_frequency,     token::adf_extended,      token::com1_frequency,
    token::nav1_frequency,    token::nav2_frequency,    token::transponder,
    token::nav1_to_from,      token::nav1_station_info, token::nav2_station_info,
    token::attitude_flag_condition_a, token::attitude_flag_condition_b, token::unit_setting,
};
// clang-format on

struct Seed {
    std::uint32_t token;
    double value;
};

// Parked on the apron, engine off, battery off, tanks nearly full, radios
// tuned to the local frequencies.
// clang-format off
constexpr Seed parked_state[] = {
    {token::indicated_altitude_feet, 460.0},
    {token::barometric_setting_inhg, 29.92},
    {token::gyro_heading_degrees, 90.0},
    {token::magnetic_heading_degrees, 90.0},
    {token::heading_bug_degrees, 90.0},
    {token::time_of_day_seconds, 36000.0},
    {token::load_factor_624th_g, 624.0},
    {token::attitude_flag_condition_b, 1.0},
    {token::turbine_temperature_rankine, 519.67},
    {token::oil_temperature_rankine, 519.67},
    {token::reservoir_pressure, 61444.38},
    {token::center_tank_capacity_gallons, 90.0},
    {token::main_left_tank_capacity_gallons, 56.5},
    {token::main_right_tank_capacity_gallons, 56.5},
    {token::aux_left_tank_capacity_gallons, 66.0},
    {token::aux_right_tank_capacity_gallons, 66.0},
    {token::center_tank_level, 8388608.0 * 0.9},
    {token::main_left_tank_level, 8388608.0 * 0.95},
    {token::main_right_tank_level, 8388608.0 * 0.95},
    {token::aux_left_tank_level, 8388608.0 * 0.8},
    {token::aux_right_tank_level, 8388608.0 * 0.8},
    {token::nose_gear, token::full_travel},
    {token::left_gear, token::full_travel},
    {token::right_gear, token::full_travel},
    {token::generator_bus_voltage, 24.0},
    {token::com1_frequency, 0x2180},   // 121.80
    {token::nav1_frequency, 0x1030},   // 110.30
    {token::nav2_frequency, 0x1330},   // 113.30
    {token::adf_frequency, 0x0345},    // 345.0 kHz
    {token::transponder, 0x7000},
};
// clang-format on

void check(std::uint32_t token) {
    if (!VariableStore::valid(token))
        throw std::out_of_range("no simulator variable has token " + std::to_string(token));
}

}  // namespace

std::int32_t saturate_to_i32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::uint32_t saturate_to_u32(double value) {
    if (std::isnan(value) || value <= 0.0) return 0;
    if (value >= 4294967295.0) return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(value);
}

VariableType VariableStore::type(std::uint32_t token) {
    for (std::uint32_t w : word_tokens)
        if (w == token) return VariableType::word;
    return VariableType::number;
}

VariableStore::VariableStore() { reset_to_parked(); }

void VariableStore::set(std::uint32_t token, double value) {
    check(token);
    if (type(token) == VariableType::word)
        words_[token] = saturate_to_u32(value);
    else
        numbers_[token] = value;
}

void VariableStore::set_word(std::uint32_t token, std::uint32_t word) {
    check(token);
    if (type(token) == VariableType::word)
        words_[token] = word;
    else
        numbers_[token] = word;
}

double VariableStore::number(std::uint32_t token) const {
    if (!valid(token)) return 0.0;
    return type(token) == VariableType::word ? static_cast<double>(words_[token]) : numbers_[token];
}

std::uint32_t VariableStore::word(std::uint32_t token) const {
    if (!valid(token)) return 0;
    return type(token) == VariableType::word ? words_[token] : saturate_to_u32(numbers_[token]);
}

void VariableStore::fill(ModuleVariable& variable) const {
    const std::uint32_t token = variable.token;
    if (valid(token) && type(token) == VariableType::word) {
        unsigned char bytes[sizeof(double)] = {};
        std::memcpy(bytes, &words_[token], sizeof(std::uint32_t));
        double value;
        std::memcpy(&value, bytes, sizeof value);
        variable.value = value;
    } else {
        variable.value = number(token);
    }
}

void VariableStore::reset_to_parked() {
    numbers_.fill(0.0);
    words_.fill(0);
    for (const Seed& seed : parked_state) set(seed.token, seed.value);
}

}  // namespace korvel::host
