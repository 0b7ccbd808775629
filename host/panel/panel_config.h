// The simulator's panel configuration (panel.cfg): its windows and the
// gauges each places. Lines that name another module or a gauge this module
// does not have are reported with their number and skipped; everything else
// is kept.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::panel {

struct Problem {
    int line;  // 0 when the problem is not on one line
    std::string message;
};

struct GaugeLine {
    int line = 0;
    std::string key;    // gauge00
    std::string gauge;  // Airspeed
    int x = 0, y = 0, width = 0;
    std::optional<int> height;
    std::optional<std::string> parameters;
};

struct Window {
    int line = 0;
    int number = 0;           // NN of [WindowNN]
    std::string title;        // from [Window Titles]
    std::string file;         // the background bitmap, if any
    int width = 0;            // size_mm: the window's design units, one pixel each here
    std::optional<int> height;
    int position = 0;
    bool visible = true;
    std::int32_t ident = 0;
    std::string ident_name;   // as written
    std::vector<GaugeLine> gauges;
};

struct PanelConfig {
    std::vector<Window> windows;
    std::vector<Problem> problems;
};

// Reads the text of a panel.cfg. `has_gauge` tells whether this module has a
// gauge of that name; the module is named as in gauge lines, Korvel_Instr
// (any case).
PanelConfig read_panel_config(std::string_view text, const std::function<bool(std::string_view)>& has_gauge);

// The panel identifier of a window name of the simulator, or a number.
std::optional<std::int32_t> panel_identifier(std::string_view text);

}  // namespace korvel::panel
