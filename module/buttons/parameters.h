// Gauge parameter strings: the text a panel configuration gives a placed
// gauge. Key letters are lowercase, names uppercase; everything from the
// first comment character ('/', '#' or an apostrophe) on is a comment.
#pragma once

#include <cstdint>

#include "module/records.h"
#include "module/vocabulary.h"

// The first occurrence of the key at or after the position, or null when
// there is none before the end or a comment character.
const char* find_param(const char* position, char key);
// Where the keys end: at the first comment character, or at the end.
const char* parameters_end(const char* text);

// A leading decimal integer: white space and a sign allowed, reading stops at
// the first non-digit, a text without a number reads 0. Values beyond the
// 32-bit range saturate.
std::int32_t parse_decimal(const char* text);
// Where parse_decimal stops reading: after the digits, or the text itself
// when it holds no digit there.
const char* decimal_end(const char* text);
// The window name the text starts with, in capitals, or null.
const WindowIdent* window_name_at(const char* text);

// A panel identifier by name prefix or number; -1 for an empty text.
std::int32_t parse_panel_id(const char* text);
// A help identifier by name prefix, or a number of 0xA000 or more; else 0.
std::uint32_t parse_help_id(const char* text);

// The click action of a panel toggle: opens (o), closes (c), toggles (t) and
// step events (p). Returns 1 when the gauge has a non-empty parameter string.
std::int32_t run_panel_parameters(GaugeHeader* gauge);
// Keys b (the button bitmap) and h (the help identifier), at install.
void apply_install_parameters(GaugeHeader* gauge);
// Key a, the window closed when the panel first loads.
void apply_close_at_start(GaugeHeader* gauge);

// Key p repeats its step event at most this many times: no panel has nearly
// as many views, and a typo such as p999999999 must not hold the simulator's
// panel thread.
inline constexpr std::int32_t most_panel_steps = 100;
