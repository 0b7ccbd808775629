// Draws a placed gauge the way the simulator's panel would, after an update:
// its display list (host/render/display_list.h, where the drawing rules are)
// painted with cairo.
//
// How a list is painted, which the page's canvas painter follows too:
// - smaller than the gauge's own pixels (as a window mostly draws its
//   gauges), the items are painted at the gauge's own pixels on a
//   transparent picture of its size, nothing outside it, and that picture is
//   shrunk into place as one, as the simulator shrinks a gauge's image; at
//   its own size or larger, the items are painted in place;
// - an image: within its clip rectangle if it has one, the bitmap (pure
//   black transparent) through its matrix, filtered as cairo's default
//   filter does; with a mask, the result is kept only where the mask bitmap
//   (at its point, untransformed) is opaque, in proportion to the mask's
//   alpha; then the whole is laid over what is below at the item's alpha;
// - a text: clipped to its box, set in the face at the weight (bold from
//   600) and size, placed by the font's own extents as display_list.h says,
//   in its colour.
#pragma once

#include <cairo.h>

#include "host/core/host.h"
#include "host/render/bitmaps.h"
#include "host/render/display_list.h"

namespace korvel::render {

// Paints a gauge's display list with its own pixels at the origin of the
// current transform.
void paint(cairo_t* cr, const DisplayList& list, Bitmaps& bitmaps);

// The display list of the gauge, painted.
void draw_gauge(cairo_t* cr, const host::PlacedGauge& gauge, Bitmaps& bitmaps);

// The sizes of the bitmaps the painter will draw: those that decode.
BitmapSizes sizes_of(Bitmaps& bitmaps);

// The gauge's size in pixels: its background bitmap's.
host::GaugeSize gauge_pixels(const host::PlacedGauge& gauge, Bitmaps& bitmaps);

// The module's bitmaps, from its resources.
Bitmaps module_bitmaps(host::Host& host);

// Writes a gauge alone to a PNG file at a scale of its pixels.
void write_gauge_png(const host::PlacedGauge& gauge, Bitmaps& bitmaps, const char* path, double scale = 1.0);

}  // namespace korvel::render
