// The pieces of a panel.cfg line as the reader takes them apart: numbers,
// fields, section and key names, and a gauge line's module, name, place and
// parameters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/panel/panel_config.h"

namespace korvel::panel::lines {

inline constexpr std::string_view module_name = "korvel_instr";
inline constexpr std::string_view module_display = "Korvel_Instr";

// The ident a window without one gets: out of the way of the named ones.
inline constexpr std::int32_t unnamed_ident_base = 10000;

// A value without its trailing // comment, as the simulator's number reader
// stops before it.
std::string_view uncommented(std::string_view s);
std::optional<int> whole(std::string_view s);
std::vector<std::string_view> split(std::string_view value, std::size_t most);
// "Window07" gives 7, "VCockpit01" 1 (any case).
std::optional<int> numbered(std::string_view name, std::string_view prefix);
std::string two_digits(int n);
// gauge05, gauge100: the key the simulator reads for a number.
std::string gauge_key_for(int number);

// A key of the gaugeNN family, in whatever form its number is written.
bool gauge_key(std::string_view key);
// The module's file name without the folders the gauges folder may hold it in.
std::string_view module_file(std::string_view module);
// Whether a gauge line's value names this module.
bool names_this_module(std::string_view value);
// What a module name that is not this module's but close to it means, or
// empty: "Korvel_Instr.gau" is named without .gau, "Korvl_Instr" misspelt.
std::string meant_module(std::string_view file);

// A key of a window's or a virtual cockpit's section, other than its gauge
// lines and file_1024: read into the window, or reported.
void read_window_key(Window& w, int line, const std::string& key, std::string_view value,
                     std::vector<Problem>& problems);

struct ParsedGaugeLine {
    GaugeLine line;            // all but its line number and key
    bool has_module = false;   // Module!Gauge; without it, line.gauge holds the whole name field
    bool positioned = false;   // x and y were read
    bool fields_ok = false;    // x, y and any width and height were read
    std::string size_problem;  // "the width" or "the height" when that field is wrong
};

// Module!Gauge, x, y[, w[, h[, parameters]]]
ParsedGaugeLine parse_gauge_line(std::string_view value);

// A line inih cannot read whole, as long as it is.
struct LongLine {
    std::size_t length;
    bool fits_without_comment;
};

// Gives each window its name for files, the command line and the page.
void name_windows(std::vector<Window>& windows);

}  // namespace korvel::panel::lines
