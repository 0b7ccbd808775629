// The module's bitmaps as the renderer draws them: decoded from the device
// independent bitmaps the resources hold, pure black turned transparent.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace korvel::render {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// A bitmap resource (a BITMAPINFOHEADER and what follows it, or a whole
// .bmp file) as an image with pure black transparent. Uncompressed 8, 24 and
// 32 bits per pixel; anything else gives none.
Surface decode_bitmap(std::span<const unsigned char> bytes);

class Bitmaps {
public:
    using Loader = std::function<std::optional<std::vector<unsigned char>>(std::int32_t id)>;
    explicit Bitmaps(Loader loader) : loader_(std::move(loader)) {}

    // The bitmap, or null when there is none with that id.
    cairo_surface_t* get(std::int32_t id);

private:
    Loader loader_;
    std::map<std::int32_t, Surface> cache_;
};

}  // namespace korvel::render
