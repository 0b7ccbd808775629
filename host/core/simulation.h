// The simulator's side of the panel: its variables, its panel windows, the
// aircraft's identifier, and what each key event the module sends does to
// them.
#pragma once

#include <cstdint>
#include <string>

#include "host/core/panel_windows.h"
#include "host/core/variables.h"

namespace korvel::host {

struct SimulatorState {
    VariableStore variables;
    PanelWindows windows;
    std::string atc_id = "F-KRVL";
};

// Carries out a key event with its value as the simulator would. Returns
// false for an event the simulation does not model; nothing changes then.
bool apply_event(SimulatorState& state, std::uint32_t event, std::uint32_t value);
bool models_event(std::uint32_t event);

}  // namespace korvel::host
