// Where the parts of a device independent bitmap lie, read from its header
// alone. The decoder and the display list both go by it, so a bitmap a
// display list places is one the painter can decode, and one it cannot
// decode is left out of both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace korvel::render {

struct DibLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool top_down = false;
    std::uint16_t bits = 0;  // 8, 24 or 32 per pixel
    std::size_t palette_at = 0;
    std::uint32_t colours = 0;  // palette entries; 0 but for 8 bits per pixel
    std::size_t pixels_at = 0;
    std::size_t row = 0;  // bytes a stored row takes, padding included
};

// A bitmap resource (a BITMAPINFOHEADER and what follows it, or a whole .bmp
// file), uncompressed at 8, 24 or 32 bits per pixel with every byte it
// names present; anything else gives none.
std::optional<DibLayout> read_dib(std::span<const unsigned char> bytes);

}  // namespace korvel::render
