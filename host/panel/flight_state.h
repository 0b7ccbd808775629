// A flight state: the simulator's variables as a small text file of
// "token = value" lines. Integer-typed tokens take decimal or 0x
// hexadecimal (the BCD radio words as the simulator stores them: 0x2180 is
// 121.80 MHz); the others decimal numbers. `atc_id = F-ABCD` sets the
// aircraft's identifier. `fail = pitot_static` fails an instrument by the
// name or the number of its failure key (host/core/failures.h); a state may
// fail several. ';', '#' and '//' start comments.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/simulation.h"
#include "host/panel/panel_config.h"

namespace korvel::panel {

struct Setting {
    int line;
    std::uint32_t token;
    double value;
};

struct FlightState {
    std::vector<Setting> settings;
    std::optional<std::string> atc_id;
    std::vector<Problem> problems;
    std::vector<std::uint32_t> failures = {};  // failure keys, as the lines give them
};

FlightState read_flight_state(std::string_view text);
void apply_flight_state(const FlightState& state, host::SimulatorState& simulator);

// One "TOKEN=VALUE" setting, as the command line gives it.
std::optional<Setting> parse_setting(std::string_view token, std::string_view value, std::string& error);

}  // namespace korvel::panel
