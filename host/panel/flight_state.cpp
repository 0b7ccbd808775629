#include "host/panel/flight_state.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "host/core/text.h"
#include "host/panel/ini_lines.h"

namespace korvel::panel {

namespace {

// A flight state's words are quoted as the designer wrote them.
std::string quoted(std::string_view s) { return host::quoted(s, '\''); }

using host::trimmed;

}  // namespace

std::optional<Setting> parse_setting(std::string_view token_text, std::string_view value_text, std::string& error) {
    token_text = trimmed(token_text);
    value_text = trimmed(value_text);
    const auto number = host::exact_number<std::uint32_t>(token_text);
    const std::uint32_t token = number.value_or(0);
    if (!number) {
        error = quoted(token_text) + " is not a variable token number";
        return std::nullopt;
    }
    if (!host::VariableStore::valid(token)) {
        error = "no simulator variable has token " + std::to_string(token);
        return std::nullopt;
    }
    const std::string v(value_text);
    char* stop = nullptr;
    double value;
    if (v.size() > 2 && v[0] == '0' && (v[1] == 'x' || v[1] == 'X')) {
        const unsigned long long word = std::strtoull(v.c_str() + 2, &stop, 16);
        if (word > 0xFFFFFFFFull) {
            error = quoted(v) + " does not fit a 32-bit word";
            return std::nullopt;
        }
        value = double(word);
    } else {
        value = std::strtod(v.c_str(), &stop);
    }
    if (v.empty() || stop == nullptr || *stop != '\0' || std::isnan(value)) {
        error = quoted(v) + " is not a number";
        return std::nullopt;
    }
    return Setting{0, token, value};
}

FlightState read_flight_state(std::string_view text) {
    FlightState state;
    for_each_ini_key(
        text,
        [&](int line, std::string_view, std::string_view key, std::string_view value) {
            if (trimmed(key) == "atc_id") {
                state.atc_id = std::string(trimmed(value));
                return;
            }
            if (trimmed(key) == "fail") {
                const std::string_view name = trimmed(value);
                if (const auto failure = host::failure_key(name))
                    state.failures.push_back(*failure);
                else
                    state.problems.push_back({line, "no instrument fails with the key " + quoted(name) +
                                                        " (a name such as pitot_static, or its number)"});
                return;
            }
            std::string error;
            auto setting = parse_setting(key, value, error);
            if (!setting) {
                state.problems.push_back({line, error});
                return;
            }
            setting->line = line;
            state.settings.push_back(*setting);
        },
        [&](int line, const std::string& message) {
            state.problems.push_back({line, message});
        });
    std::stable_sort(state.problems.begin(), state.problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return state;
}

void apply_flight_state(const FlightState& state, host::SimulatorState& simulator) {
    for (const Setting& s : state.settings) {
        if (host::VariableStore::type(s.token) == host::VariableType::word)
            simulator.variables.set_word(s.token, host::saturate_to_u32(s.value));
        else
            simulator.variables.set(s.token, s.value);
    }
    if (state.atc_id) simulator.atc_id = *state.atc_id;
    for (std::uint32_t key : state.failures) simulator.failures.insert(key);
}

}  // namespace korvel::panel
