// The simulator's panel configuration (panel.cfg) as real aircraft carry it:
// 2D windows and virtual-cockpit textures, the gauges each places, other
// modules' gauges beside this module's, and the simulator's loose syntax.
// Everything the simulator would read is kept; every line it would refuse,
// and every line whose effect a designer may not expect, is reported with
// its number.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::panel {

enum class Severity { error, warning, note };

// One finding about a panel.cfg. The code names the kind of finding for
// scripts and editors (kebab-case, stable across wordings); gauge and window
// say where it is, when it is on a gauge line or in a window's section.
struct Problem {
    int line;  // 0 when the problem is not on one line
    std::string message;
    Severity severity = Severity::error;
    std::string code{};
    std::string gauge{};   // as the line names it: Radio_COM, or Cessna!Clock for another module's
    std::string window{};  // the section, as written: Window01, VCockpit02
};

// Why a line of this module was not placed; none when it was.
enum class Refusal { none, unknown_gauge, bad_fields };

struct GaugeLine {
    int line = 0;
    std::string key;     // gauge00, as written
    std::string module;  // as written, with any folder: Sub\Korvel_Instr
    std::string gauge;   // this module's own spelling for its gauges; as written for others
    int x = 0, y = 0;
    std::optional<int> width;               // none: the gauge's own design size
    std::optional<int> height;              // none: in proportion to the width
    std::optional<std::string> parameters;  // as written, comments included: the module reads them
    std::string refusal;                    // why the line is not placed; empty when it is
};

enum class WindowKind { window, virtual_cockpit };

using Colour = std::array<std::uint8_t, 3>;

struct Window {
    int line = 0;  // the section header
    WindowKind kind = WindowKind::window;
    int number = 0;       // NN of [WindowNN] or [VCockpitNN]
    std::string section;  // as written
    std::string name;     // for files, the command line and the page: unique in the panel (window_file_name)
    std::string title;    // Windows-1252, from [Window Titles]; a texture's name for a virtual cockpit
    bool titled = false;  // the simulator reads its title (listed before any break in the numbering)
    std::string file;     // the background bitmap as written: file=, or file_1024= without it
    int file_line = 0;
    int width = 0;      // size_mm: the window's design units, one pixel each here
    int size_line = 0;  // the size_mm line, read or not
    std::optional<int> height;
    std::optional<Colour> background_color;
    std::optional<std::array<int, 2>> pixel_size;  // a virtual-cockpit texture's
    int texture_line = 0;
    int position = 0;
    bool visible = true;
    std::int32_t ident = 0;
    std::string ident_name;  // as written; empty without an ident
    int ident_line = 0;
    std::vector<GaugeLine> gauges;   // this module's, placed
    std::vector<GaugeLine> others;   // other modules'
    std::vector<GaugeLine> refused;  // this module's that are not placed, where a position was read
};

struct PanelConfig {
    std::vector<Window> windows;    // 2D windows by number, then virtual-cockpit sections by number
    std::vector<Problem> problems;  // in line order
    int placed_lines = 0;           // gauge lines of this module kept for placing
    int refused_lines = 0;          // gauge lines of this module that cannot be placed
    int other_lines = 0;            // gauge lines of other modules
    int unread_lines = 0;           // lines that are no section, key or comment, or are too long

    std::size_t errors() const;
    std::size_t warnings() const;
};

// How the reader finds this module's gauges: the exact name, or none.
using GaugeLookup = std::function<std::optional<std::string>(std::string_view name)>;

// Reads the text of a panel.cfg (Windows-1252, CRLF or LF). `lookup` gives
// this module's spelling of a gauge name that matches it exactly or but for
// case; the module is named as in gauge lines, Korvel_Instr, in any case and
// in any folder of the gauges folder. `names`, the module's gauge names,
// lets the reader say which one a misspelt name most likely meant.
PanelConfig read_panel_config(std::string_view text, const GaugeLookup& lookup,
                              const std::vector<std::string>& names = {});

// The same, for a lookup that knows exact names only.
PanelConfig read_panel_config(std::string_view text, const std::function<bool(std::string_view)>& has_gauge);

// The panel identifier of a window name of the simulator, or a number.
std::optional<std::int32_t> panel_identifier(std::string_view text);
// The simulator's name of a panel identifier, or none.
std::optional<std::string_view> panel_identifier_name(std::int32_t id);

// A window's name for files, the command line and the page: its ident in
// lower case, "vc-" and its texture's name for a virtual cockpit, or
// windowNN; a name another window took first gets the section's after it
// (main_panel-window03), so that no two pictures share a file.
std::string window_file_name(const Window& window);
// A window as the designer knows it: [Window01] "Radio Stack" (RADIO_STACK_PANEL).
std::string window_description(const Window& window);

// The window a command line names: a number N is the section [WindowNN];
// ident=N or ident=NAME the window with that ident; any other text a
// window's name (window_file_name) or its ident's name, in any case, or its
// section's name. None when no window answers.
const Window* find_window(const PanelConfig& config, std::string_view wanted);
// What find_window takes for each window, one window a line:
//   0, main_panel or ident=0: [Window00] "Main Panel"
std::string window_choices(const PanelConfig& config);

}  // namespace korvel::panel
