// What the simulator draws of a placed gauge after an update, as a list a
// painter follows: cairo for pictures, the live panel's canvas in a browser.
// Both paint the same geometry, so neither decides where anything goes.
//
// The host's drawing rules, where the records leave them to it:
// - needle bitmaps point along +x from their pivot and are turned to the
//   angle their table gives for the value, less a quarter turn; a needle
//   without rows is turned by its value in degrees; a value that gives no
//   finite angle leaves the needle unturned;
// - a slider stands at its position moved by its x and y values times their
//   scales, and is not drawn where that is not a finite point;
// - an icon shows the bitmap its value picks, or nothing;
// - a sprite's texture is centred on its centre point (shifted by its x and
//   y values times their scales; not drawn where that is not finite),
//   scaled by its texture scales, turned counter-clockwise by its rotation
//   value times its scale, and shows only where its mask (the next bitmap,
//   placed at the element's position) is not black;
// - a moving image runs over its travel (its length minus its window's)
//   from its minimum to its maximum value, clipped to its window (the next
//   bitmap, or the strip's own size without one) and seen only where the
//   window is not black;
// - digit drums (moving images, and icons of scale 0) without the lit bit
//   are drawn at 0.45 alpha;
// - strings are drawn in their box, with their face, weight and colour;
// - hidden elements, and elements whose bitmap is missing or cannot be
//   decoded, are left out.
//
// Nothing here draws: computing a list needs the bitmaps' sizes only, so a
// server can compute one for every gauge at every update cycle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "host/core/host.h"

namespace korvel::render {

struct BitmapSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const BitmapSize&, const BitmapSize&) = default;
};

// The size of a bitmap by resource id, or none where the module has no
// bitmap of that id that a painter can draw.
using BitmapSizes = std::function<std::optional<BitmapSize>(std::int32_t id)>;

// A bitmap resource's size from its header, without decoding it; none for a
// bitmap the painters cannot draw.
std::optional<BitmapSize> bitmap_size(std::span<const unsigned char> resource);

// The sizes of the module's bitmaps, read from its resources as asked. The
// library must outlive the function.
BitmapSizes module_bitmap_sizes(const host::ModuleLibrary& library);

// An affine map as cairo_matrix_t holds it (and the canvas's
// setTransform(xx, yx, xy, yy, x0, y0) takes it):
//     x' = xx * x + xy * y + x0
//     y' = yx * x + yy * y + y0
struct Matrix {
    double xx = 1.0;
    double yx = 0.0;
    double xy = 0.0;
    double yy = 1.0;
    double x0 = 0.0;
    double y0 = 0.0;
    friend bool operator==(const Matrix&, const Matrix&) = default;
};

// A rectangle in gauge pixels.
struct Rect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A bitmap whose non-black pixels let what is drawn through: it stands
// unturned and unscaled with its top left corner at (x, y) in gauge pixels;
// nothing shows outside it.
struct Mask {
    std::int32_t bitmap = 0;
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const Mask&, const Mask&) = default;
};

// A bitmap painted through a map from its pixels to the gauge's, within the
// clip if there is one, through the mask if there is one, and at the alpha
// over all.
struct Image {
    std::int32_t bitmap = 0;
    Matrix transform;
    double alpha = 1.0;
    std::optional<Rect> clip;
    std::optional<Mask> mask;
    friend bool operator==(const Image&, const Image&) = default;
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};

// A line of text, clipped to its box. Each painter measures it with its own
// font: without centring the ink starts at the box's left edge and the
// baseline lies the font's ascent below its top; centred across, the advance
// is centred in the box's width; centred down, the font's height (ascent and
// descent) is centred in the box's height.
struct Text {
    std::string text;  // UTF-8
    Rect box;
    std::string font_face;   // a family name, "sans-serif" where the module names none
    int font_weight = 400;   // 400 or 700: the weights both painters have
    double font_size = 0.0;  // pixels, em height
    Colour colour;
    bool centred_across = false;
    bool centred_down = false;
    friend bool operator==(const Text&, const Text&) = default;
};

struct DisplayItem {
    std::size_t element = 0;  // its index in the gauge's chain, 0 the background
    std::variant<Image, Text> draw;
    friend bool operator==(const DisplayItem&, const DisplayItem&) = default;
};

// Items in drawing order, each over those before it.
struct DisplayList {
    std::int32_t width = 1;  // the gauge's pixels: its size, or its background bitmap's
    std::int32_t height = 1;
    std::vector<DisplayItem> items;
    friend bool operator==(const DisplayList&, const DisplayList&) = default;
};

DisplayList display_list(const host::PlacedGauge& gauge, const BitmapSizes& sizes);

// The gauge's size in pixels: the size it was given, else its background
// bitmap's, else a pixel.
host::GaugeSize gauge_pixels(const host::PlacedGauge& gauge, const BitmapSizes& sizes);

}  // namespace korvel::render
