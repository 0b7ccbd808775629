// What the side panel and the API let a pilot watch and set, in the pilot's
// units: the one place where the live panel turns the simulator's values
// into what a pilot reads, and back. Flight files keep the simulator's own
// units and signs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "host/core/variables.h"

namespace korvel::live {

enum class ControlKind {
    number,     // shown = variable × scale + offset
    frequency,  // a radio word in BCD, shown in MHz
    code,       // the transponder's four octal digits in BCD
};

struct Control {
    const char* id;  // the API's name for it
    const char* group;
    const char* label;
    std::uint32_t token;
    ControlKind kind;
    const char* unit;
    double scale, offset;
    double low, high, step;  // the range a pilot may set, in the pilot's unit
    // How a pilot says the sign of a signed value, below zero and above it
    // ("left", "right"); null for a value a pilot reads without one.
    const char* below = nullptr;
    const char* above = nullptr;
};

std::span<const Control> controls();
const Control* control_named(std::string_view id);

// What the control shows now, in its unit; NaN when the variable holds no
// number the pilot could read.
double reading(const Control& control, const host::VariableStore& variables);
// The variable's value for a setting in the pilot's unit, or the reason it
// cannot be set ("121.805 MHz is not a channel").
struct Setting {
    double value = 0;
    std::string refusal;
};
Setting setting(const Control& control, double shown);

}  // namespace korvel::live
