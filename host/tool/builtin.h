// The tool's own panel configuration and flight state, compiled in from
// examples/panel.cfg and examples/states/apron.flt, and every shipped flight
// state and flight profile for the live panel's side panel.
#pragma once

#include <span>

namespace korvel::tool {
extern const char* const builtin_panel;
extern const char* const builtin_state;

struct Example {
    const char* kind;  // "state" or "profile"
    const char* name;  // the file's name without its extension
    const char* text;
};
std::span<const Example> examples();
}  // namespace korvel::tool
