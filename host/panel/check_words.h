// How the checker words what it finds: numbers, lists, windows and what a
// gauge did, as a panel designer reads them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/panel/check_trials.h"
#include "host/panel/panel_config.h"

namespace korvel::panel::words {

std::string hex(std::uint32_t v);
// "a, b and c"
std::string join(const std::vector<std::string>& parts, std::string_view last = " and ");
// once, twice, 3 times
std::string times(int n);
// "line 4" or "lines 4, 9 and 12"
std::string lines_list(const std::vector<int>& lines);
std::string font_phrase(std::string_view face);
// r,g,b of a 0x00BBGGRR colour
std::string colour_text(std::uint32_t colour);
// "no help text", "help 0xAB87 (TOGGLE_GPS_WINDOW)"
std::string help_phrase(std::uint32_t help);
// "window 225 (GPS_PANEL, [Window03] "GPS")"
std::string window_phrase(const PanelConfig& config, std::int32_t id);
const char* verb(Act act);
// "opens window 225 (...), closes window 75 (...) and sends step event 0x100C7 twice"
std::string describe(const std::vector<Action>& actions, const PanelConfig& config);
const Window* window_with_ident(const PanelConfig& config, std::int32_t id);
// Each window a click or the panel's first load acts on that the panel does
// not have: "the click toggles window 225 (GPS_PANEL), but no window of this
// panel.cfg has ident=GPS_PANEL or ident=225".
std::vector<std::string> missing_windows(const std::vector<Action>& click, const std::vector<Action>& at_load,
                                         const PanelConfig& config);
// What a click does that only the simulator shows: the windows the panel
// lacks, as above, and the simulator's own windows, steps and events this
// host does not carry out, "in the simulator, the click sends event 0x1001C
// (the ATC window)". Empty when the panel shows everything the click does.
std::vector<std::string> shown_only_in_the_simulator(const std::vector<Action>& click, const PanelConfig& config);

}  // namespace korvel::panel::words
