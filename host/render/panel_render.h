// Panel windows as the simulator shows them: the window's background and its
// gauges, each scaled to the box its gauge line gives it, with the gauges of
// other modules outlined where they would be.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "host/panel/panel_session.h"
#include "host/render/bitmaps.h"

namespace korvel::render {

// cairo refused to draw or write a picture; nothing written is to be trusted.
struct RenderError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct WindowPicture {
    const panel::Window* window;
    Surface image;
    bool hidden = false;  // drawn though the simulator does not show it now: its title says so
};

struct DrawOptions {
    bool areas = false;  // click and tooltip areas over a coordinate grid
};

// The window at its design size (one pixel a unit of size_mm), over its
// background bitmap, its background_color, or the panel's paint; the gauge
// lines of this module that were not placed are marked where they stood.
// Throws RenderError for a window over panel::largest_window_side a side.
Surface draw_window(const panel::WindowLayout& layout, const panel::PanelSession& session, Bitmaps& bitmaps,
                    const DrawOptions& options = {});

// The windows as one picture, each under its title: the first across the
// top, the others in a row below, each given room for its title.
Surface draw_overview(const std::vector<WindowPicture>& windows);

// Throws RenderError when the surface holds an error or cannot be written.
void write_png(cairo_surface_t* surface, const std::string& path);

}  // namespace korvel::render
