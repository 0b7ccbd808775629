#include "host/render/bitmaps.h"

#include <cstring>

namespace korvel::render {

namespace {

std::uint32_t u32(std::span<const unsigned char> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(std::span<const unsigned char> b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

constexpr std::int32_t largest_side = 8192;

}  // namespace

Surface decode_bitmap(std::span<const unsigned char> bytes) {
    std::size_t header = 0;
    if (bytes.size() >= 14 && bytes[0] == 'B' && bytes[1] == 'M') header = 14;
    if (bytes.size() < header + 40 || u32(bytes, header) < 40) return nullptr;
    const auto width = static_cast<std::int32_t>(u32(bytes, header + 4));
    const auto raw_height = static_cast<std::int32_t>(u32(bytes, header + 8));
    const std::uint16_t bits = u16(bytes, header + 14);
    const std::uint32_t compression = u32(bytes, header + 16);
    std::uint32_t colours = u32(bytes, header + 32);
    const bool top_down = raw_height < 0;
    const std::int32_t height = top_down ? -raw_height : raw_height;
    if (width <= 0 || height <= 0 || width > largest_side || height > largest_side || compression != 0) return nullptr;
    if (bits != 8 && bits != 24 && bits != 32) return nullptr;

    const std::size_t palette_at = header + u32(bytes, header);
    if (bits == 8 && colours == 0) colours = 256;
    if (bits != 8) colours = 0;
    if (colours > 256) return nullptr;
    std::size_t pixels_at = palette_at + 4 * std::size_t{colours};
    if (header == 14) pixels_at = u32(bytes, 10);
    const std::size_t row = ((std::size_t(width) * bits / 8) + 3) & ~std::size_t{3};
    if (pixels_at > bytes.size() || bytes.size() - pixels_at < row * height) return nullptr;
    if (palette_at + 4 * std::size_t{colours} > bytes.size()) return nullptr;

    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (std::int32_t y = 0; y < height; ++y) {
        const std::size_t source_row = pixels_at + row * std::size_t(top_down ? y : height - 1 - y);
        auto* out = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t b, g, r;
            if (bits == 8) {
                const std::size_t entry = palette_at + 4 * std::size_t{bytes[source_row + x]};
                if (bytes[source_row + x] >= colours) {
                    b = g = r = 0;
                } else {
                    b = bytes[entry];
                    g = bytes[entry + 1];
                    r = bytes[entry + 2];
                }
            } else {
                const std::size_t p = source_row + std::size_t(x) * (bits / 8);
                b = bytes[p];
                g = bytes[p + 1];
                r = bytes[p + 2];
            }
            out[x] = (r | g | b) == 0 ? 0u : 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

cairo_surface_t* Bitmaps::get(std::int32_t id) {
    auto it = cache_.find(id);
    if (it == cache_.end()) {
        Surface s;
        if (auto bytes = loader_(id)) s = decode_bitmap(*bytes);
        it = cache_.emplace(id, std::move(s)).first;
    }
    return it->second.get();
}

}  // namespace korvel::render
