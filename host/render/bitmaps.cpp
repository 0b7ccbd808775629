#include "host/render/bitmaps.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "host/render/dib.h"

namespace korvel::render {

// Anonymous memory mapped for pixels, aligned to huge pages and advised to
// use them. It goes back to the system when the last surface in it goes.
class PixelBlock {
public:
    static constexpr std::size_t huge_page = std::size_t{2} << 20;

    struct Mapping {
        void* base;
        std::size_t length;
    };

    static std::shared_ptr<PixelBlock> map(std::size_t bytes) {
        const std::size_t size = (bytes + huge_page - 1) / huge_page * huge_page;
        const std::size_t length = size + huge_page;  // room to align the start
        void* base = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED) return nullptr;
        auto block = std::make_shared<PixelBlock>(Mapping{base, length}, size);
        // Only advice: where the kernel keeps to small pages the block still works.
        ::madvise(block->data_, size, MADV_HUGEPAGE);
        return block;
    }

    // Takes over a mapping of at least size plus a huge page.
    PixelBlock(Mapping mapping, std::size_t size)
        : mapping_(mapping),
          data_(static_cast<unsigned char*>(mapping.base) +
                (huge_page - reinterpret_cast<std::uintptr_t>(mapping.base) % huge_page) % huge_page),
          size_(size) {}
    ~PixelBlock() { ::munmap(mapping_.base, mapping_.length); }
    PixelBlock(const PixelBlock&) = delete;
    PixelBlock& operator=(const PixelBlock&) = delete;

    unsigned char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    Mapping mapping_;
    unsigned char* data_;
    std::size_t size_;
};

namespace {

// Bitmaps are a few hundred kilobytes each; a block holds a dozen or more.
constexpr std::size_t bitmap_block = 4 * PixelBlock::huge_page;

const cairo_user_data_key_t block_key{};

// A surface over part of a block. It keeps the block mapped for as long as
// it lives, wherever cairo or its callers hold it.
Surface surface_in(std::shared_ptr<PixelBlock> block, std::size_t offset, cairo_format_t format, int width, int height,
                   int stride) {
    Surface s(cairo_image_surface_create_for_data(block->data() + offset, format, width, height, stride));
    if (cairo_surface_status(s.get()) != CAIRO_STATUS_SUCCESS) return s;
    auto keeper = std::make_unique<std::shared_ptr<PixelBlock>>(std::move(block));
    const auto release = [](void* p) {
        std::unique_ptr<std::shared_ptr<PixelBlock>>(static_cast<std::shared_ptr<PixelBlock>*>(p));
    };
    if (cairo_surface_set_user_data(s.get(), &block_key, keeper.get(), release) != CAIRO_STATUS_SUCCESS)
        return Surface(cairo_image_surface_create(format, width, height));
    (void)keeper.release();  // cairo holds it now and hands it to release
    return s;
}

constexpr std::uint32_t argb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return (r | g | b) == 0 ? 0u : 0xFF000000u | r << 16 | g << 8 | b;
}

void decode_into(const DibLayout& d, std::span<const unsigned char> bytes, cairo_surface_t* surface) {
    // An index past the palette reads as black, so transparent.
    std::array<std::uint32_t, 256> palette{};
    for (std::uint32_t i = 0; i < d.colours; ++i) {
        const std::size_t entry = d.palette_at + 4 * std::size_t{i};
        palette[i] = argb(bytes[entry + 2], bytes[entry + 1], bytes[entry]);
    }
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const std::size_t step = d.bits / 8;
    for (std::int32_t y = 0; y < d.height; ++y) {
        const auto source = bytes.subspan(d.pixels_at + d.row * std::size_t(d.top_down ? y : d.height - 1 - y), d.row);
        auto* out = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t(y) * stride);
        if (d.bits == 8) {
            for (std::int32_t x = 0; x < d.width; ++x) out[x] = palette[source[x]];
        } else {
            for (std::int32_t x = 0; x < d.width; ++x) {
                const std::size_t p = std::size_t(x) * step;
                out[x] = argb(source[p + 2], source[p + 1], source[p]);
            }
        }
    }
    cairo_surface_mark_dirty(surface);
}

}  // namespace

Surface image_surface(cairo_format_t format, int width, int height) {
    const int stride = cairo_format_stride_for_width(format, width);
    // Sizes cairo refuses get its own error surface; small pictures gain
    // nothing from a block of their own.
    if (width <= 0 || height <= 0 || stride <= 0 || std::size_t(stride) * std::size_t(height) < PixelBlock::huge_page)
        return Surface(cairo_image_surface_create(format, width, height));
    auto block = PixelBlock::map(std::size_t(stride) * std::size_t(height));
    if (!block) return Surface(cairo_image_surface_create(format, width, height));
    return surface_in(std::move(block), 0, format, width, height, stride);
}

Surface decode_bitmap(std::span<const unsigned char> bytes) {
    const std::optional<DibLayout> d = read_dib(bytes);
    if (!d) return nullptr;
    Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, d->width, d->height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    decode_into(*d, bytes, surface.get());
    return surface;
}

Surface Bitmaps::allocate(int width, int height) {
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    const std::size_t bytes = std::size_t(stride) * std::size_t(height);
    // Each bitmap starts on a cache line, as cairo's own allocations do.
    const std::size_t offset = (block_used_ + 63) / 64 * 64;
    if (block_ && offset + bytes <= block_->size()) {
        block_used_ = offset + bytes;
        return surface_in(block_, offset, CAIRO_FORMAT_ARGB32, width, height, stride);
    }
    block_ = PixelBlock::map(std::max(bytes, bitmap_block));
    block_used_ = bytes;
    if (!block_) return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    return surface_in(block_, 0, CAIRO_FORMAT_ARGB32, width, height, stride);
}

cairo_surface_t* Bitmaps::get(std::int32_t id) {
    auto it = cache_.find(id);
    if (it == cache_.end()) {
        Surface s;
        if (const auto bytes = loader_(id))
            if (const std::optional<DibLayout> d = read_dib(*bytes)) {
                s = allocate(d->width, d->height);
                if (cairo_surface_status(s.get()) == CAIRO_STATUS_SUCCESS)
                    decode_into(*d, *bytes, s.get());
                else
                    s = nullptr;
            }
        it = cache_.emplace(id, std::move(s)).first;
    }
    return it->second.get();
}

cairo_surface_t* Bitmaps::composing_surface(int width, int height) {
    const int have_width = composing_ ? cairo_image_surface_get_width(composing_.get()) : 0;
    const int have_height = composing_ ? cairo_image_surface_get_height(composing_.get()) : 0;
    if (width > have_width || height > have_height) {
        composing_ = image_surface(CAIRO_FORMAT_ARGB32, std::max(width, have_width), std::max(height, have_height));
        composed_width_ = composed_height_ = 0;
        if (cairo_surface_status(composing_.get()) != CAIRO_STATUS_SUCCESS) {
            composing_ = nullptr;
            return nullptr;
        }
    }
    // Only the last gauge's part was drawn on: clearing that clears it all.
    cairo_surface_flush(composing_.get());
    unsigned char* data = cairo_image_surface_get_data(composing_.get());
    const int stride = cairo_image_surface_get_stride(composing_.get());
    for (int y = 0; y < composed_height_; ++y)
        std::memset(data + std::ptrdiff_t(y) * stride, 0, std::size_t(composed_width_) * 4);
    cairo_surface_mark_dirty(composing_.get());
    composed_width_ = width;
    composed_height_ = height;
    return composing_.get();
}

}  // namespace korvel::render
