// What the renderer draws over a window for its designer rather than its
// pilot: the gauge lines it could not place, where they would have stood,
// and on request the gauges' click and tooltip areas over a coordinate grid.
#pragma once

#include <cairo.h>

#include "host/panel/panel_session.h"
#include "host/render/bitmaps.h"

namespace korvel::render {

// A red frame and the line's key and gauge where each gauge line of this
// module that was not placed put it.
void mark_unplaced(cairo_t* cr, const panel::Window& window);

// A grid of the window's units, ruled every 10 and numbered every 100, and
// each gauge's click areas (filled) and tooltip areas (dashed) through the
// scale its line gives it.
void draw_areas(cairo_t* cr, const panel::WindowLayout& layout, const panel::PanelSession& session, Bitmaps& bitmaps);

}  // namespace korvel::render
