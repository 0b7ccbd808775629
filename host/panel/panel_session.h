// A panel configuration brought to life in the host: its windows defined in
// the simulator, every gauge line of this module placed with its parameter
// string, and each window and gauge laid out where the simulator puts it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/host.h"
#include "host/panel/panel_config.h"

namespace korvel::panel {

struct PlacedLine {
    const Window* window;
    const GaugeLine* line;
    host::PlacedGauge* gauge;            // null once the session let it go (Placing::one_at_a_time)
    PixelBox box;                        // in its window's units: the line's size, or the gauge's own
    std::optional<host::GaugeSize> own;  // the gauge's own size, its background bitmap's
    host::MouseMap mouse;                // its click and tooltip areas in its own pixels
};

// A window the panel's load closed: the line whose gauge closed it.
struct Closing {
    int line;
    std::string gauge;
};

// No picture is drawn of a window larger than this a side: a gigabyte of
// pixels, and many times any screen.
inline constexpr int largest_window_side = 16384;

// Live: every gauge stays placed, to be updated, clicked and drawn. One at a
// time: each gauge is placed, measured and let go before the next, so that
// a panel of thousands of lines takes no more than one gauge's memory in the
// host; what the checker needs.
enum class Placing { live, one_at_a_time };

// A window as it is drawn: its size in design units and its background.
struct WindowLayout {
    const Window* window = nullptr;
    int width = 1;
    int height = 1;
    std::string background;                 // the bitmap file found beside the panel.cfg, or empty
    std::optional<host::GaugeSize> bitmap;  // that bitmap's pixels
};

class PanelSession {
public:
    // The 2D windows replace the simulator's standard ones. Background
    // bitmaps are looked for in `panel_folder`, as the simulator does on its
    // case-insensitive file system; without a folder there are none.
    PanelSession(host::Host& host, const PanelConfig& config, const std::string& panel_folder = {},
                 Placing placing = Placing::live);

    // The panel loaded again, as the simulator does with a flight: every
    // gauge killed and forgotten, the windows shown and hidden as panel.cfg
    // says, every line installed and connected afresh. The names, boxes and
    // layouts stay as they were; the placed gauges are new.
    void place_again();

    // A placed gauge by name in any case, as the simulator takes names,
    // "Name@2" for its second copy on the panel.
    host::PlacedGauge* find(std::string_view name) const;
    // The name each placed line goes by, in the order of placed(): Name, or
    // Name@2 for the second copy of a gauge on the panel.
    const std::vector<std::string>& names() const { return names_; }
    // Whether the simulator shows the window now: a virtual-cockpit texture
    // always, a 2D window as its ident stands in the host.
    bool shown(const Window& window) const;
    // The line that closed the window as the panel loaded (key a of a
    // button), or none.
    const Closing* closed_at_load(const Window& window) const;
    const std::vector<PlacedLine>& placed() const { return placed_; }
    const PanelConfig& config() const { return config_; }
    // One per window of the configuration, in its order.
    const std::vector<WindowLayout>& layouts() const { return layouts_; }
    const WindowLayout& layout(const Window& window) const;
    // What the files beside the panel.cfg say: backgrounds missing or unreadable.
    const std::vector<Problem>& problems() const { return problems_; }
    std::size_t gauges_in(const Window& window) const;

private:
    void place_lines();

    host::Host& host_;
    const PanelConfig& config_;
    Placing placing_;
    std::vector<PlacedLine> placed_;
    std::vector<std::string> names_;
    std::vector<WindowLayout> layouts_;
    std::vector<Problem> problems_;
    std::map<std::int32_t, Closing> closings_;  // window ident -> the first line to close it at load
};

// This module's gauges as the reader looks them up: the exact name, or the
// module's spelling of a name that differs only in case.
GaugeLookup module_gauges(const host::Host& host);

// The file a panel.cfg names (with \ or / between folders), found in `folder`
// by name in any case; empty when there is none.
std::string find_beside(const std::string& folder, std::string_view name);

// A .bmp file's size from its header, or why it cannot be drawn: it is no
// bitmap, or it holds fewer bytes than its header says it does.
struct BitmapFile {
    std::optional<host::GaugeSize> size;
    std::string problem;  // "is not a bitmap (.bmp)", "is cut short: ..."
};
BitmapFile read_bitmap_file(const std::string& path);

}  // namespace korvel::panel
