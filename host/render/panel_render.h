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
};

// The window at its design size (one pixel a unit of size_mm), over its
// background bitmap, its background_color, or the panel's paint.
Surface draw_window(const panel::WindowLayout& layout, const panel::PanelSession& session, Bitmaps& bitmaps);

// The visible windows side by side, each under its title, as one picture.
Surface draw_overview(const std::vector<WindowPicture>& windows);

// Throws RenderError when the surface holds an error or cannot be written.
void write_png(cairo_surface_t* surface, const std::string& path);

}  // namespace korvel::render
