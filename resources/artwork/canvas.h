// A bitmap being drawn: a cairo surface of the bitmap's size, transparent
// where nothing is drawn. Written out as a Windows BMP, what stayed
// transparent becomes pure black, the panel system's transparent colour;
// anything drawn keeps a colour that is never pure black.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace art {

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The pixels as the bitmap will hold them: 0xRRGGBB, pure black where
    // transparent.
    std::vector<std::uint32_t> pixels() const;

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Writes a bottom-up BMP: 8 bits per pixel (a palette of the bitmap's own
// colours, index 0 pure black) or 24.
void write_bmp(const Canvas& canvas, const std::string& path, int bits_per_pixel);

// The palette the 8-bit writer chooses: at most 255 colours besides black.
std::vector<std::uint32_t> choose_palette(const std::vector<std::uint32_t>& pixels);

}  // namespace art
