// Draws a placed gauge the way the simulator's panel would, after an update:
// every element in chain order from its record, its bitmaps and the values
// the host kept, the hidden ones left out.
//
// The host's drawing rules, where the records leave them to it:
// - needle bitmaps point along +x from their pivot and are turned to the
//   angle their table gives for the value; a needle without rows is turned
//   by its value in degrees, its bitmap drawn as it stands;
// - a sprite's texture is centred on its centre point (shifted by its x and
//   y values times their scales), scaled by its texture scales, turned
//   counter-clockwise by its rotation value times its scale, and shows only
//   where its mask (the next bitmap, placed at the element's position) is
//   not black;
// - a moving image runs over its travel (its length minus its window's)
//   from its minimum to its maximum value, seen only through its window;
// - digit drums (moving images, and icons of scale 0) without the lit bit
//   are drawn dimmed;
// - strings are drawn in their box, with their face, weight and colour.
#pragma once

#include <cairo.h>

#include "host/core/host.h"
#include "host/render/bitmaps.h"

namespace korvel::render {

// Draws the gauge at the origin in its own pixels.
void draw_gauge(cairo_t* cr, const host::PlacedGauge& gauge, Bitmaps& bitmaps);

// The gauge's size in pixels: its background bitmap's.
host::GaugeSize gauge_pixels(const host::PlacedGauge& gauge, Bitmaps& bitmaps);

// The module's bitmaps, from its resources.
Bitmaps module_bitmaps(host::Host& host);

// Writes a gauge alone to a PNG file at a scale of its pixels.
void write_gauge_png(const host::PlacedGauge& gauge, Bitmaps& bitmaps, const char* path, double scale = 1.0);

}  // namespace korvel::render
