// Panel windows as the simulator shows them: the window's background and its
// gauges, each scaled to the size its gauge line gives it.
#pragma once

#include <string>
#include <vector>

#include "host/panel/panel_session.h"
#include "host/render/bitmaps.h"

namespace korvel::render {

struct WindowPicture {
    const panel::Window* window;
    Surface image;
};

// The window at its design size (one pixel a unit of size_mm). A background
// file is looked for beside the panel configuration; without one the window
// is drawn in the panel's paint.
Surface draw_window(const panel::Window& window, const panel::PanelSession& session, Bitmaps& bitmaps,
                    const std::string& panel_folder);

// The visible windows side by side, each under its title, as one picture.
Surface draw_overview(const std::vector<WindowPicture>& windows);

void write_png(cairo_surface_t* surface, const std::string& path);

}  // namespace korvel::render
