// The texts this host shows where the simulator would show its own help
// text: the module gives a help identifier instead of a text of its own, on
// an instrument's face, a knob or a panel button.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvel::host {

// What the area is, as a pilot names it ("Airspeed indicator"), or none for
// a help identifier this host does not know.
std::optional<std::string_view> help_subject(std::uint32_t help_id);

// The tooltip shown for a help identifier: its subject with the identifier
// after it, "Airspeed indicator (help 0x3002)"; for one this host does not
// know, "The simulator's help text 0x1234".
std::string help_text(std::uint32_t help_id);

}  // namespace korvel::host
