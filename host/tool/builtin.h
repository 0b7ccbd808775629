// The tool's own panel configuration and flight state, compiled in from
// examples/panel.cfg and examples/states/apron.flt.
#pragma once

namespace korvel::tool {
extern const char* const builtin_panel;
extern const char* const builtin_state;
}  // namespace korvel::tool
