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

// A cleared image surface, as cairo_image_surface_create makes one, whose
// pixels lie where the kernel may map them in huge pages. A panel's pictures
// and bitmaps are tens of megabytes each touched once, and faulting them in
// a small page at a time cost more than drawing them.
Surface image_surface(cairo_format_t format, int width, int height);

// A bitmap resource (a BITMAPINFOHEADER and what follows it, or a whole
// .bmp file) as an image with pure black transparent. Uncompressed 8, 24 and
// 32 bits per pixel; anything else gives none.
Surface decode_bitmap(std::span<const unsigned char> bytes);

class PixelBlock;

class Bitmaps {
public:
    using Loader = std::function<std::optional<std::vector<unsigned char>>(std::int32_t id)>;
    explicit Bitmaps(Loader loader) : loader_(std::move(loader)) {}

    // The bitmap, or null when there is none with that id. Decoded once, on
    // the first call for its id.
    cairo_surface_t* get(std::int32_t id);

    // A transparent ARGB32 surface at least this large, to compose a gauge
    // on within width by height; the same one again on the next call, that
    // part cleared.
    cairo_surface_t* composing_surface(int width, int height);

private:
    Surface allocate(int width, int height);

    Loader loader_;
    std::map<std::int32_t, Surface> cache_;
    Surface composing_;
    int composed_width_ = 0;  // the part of it the last gauge was composed on
    int composed_height_ = 0;
    // The bitmaps share large blocks, so that they too can lie in huge pages.
    std::shared_ptr<PixelBlock> block_;
    std::size_t block_used_ = 0;
};

}  // namespace korvel::render
