#include "resources/artwork/canvas.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <stdexcept>
#include <unordered_map>

namespace art {

namespace {

constexpr std::uint32_t transparent = 0x000000;
// Drawn pixels that came out pure black are lifted just above it, so they
// stay visible.
constexpr std::uint32_t darkest_visible = 0x010101;

std::uint32_t channel(std::uint32_t c, int shift) { return (c >> shift) & 0xFFu; }

void put16(std::vector<unsigned char>& out, std::uint32_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

void put32(std::vector<unsigned char>& out, std::uint32_t v) {
    put16(out, v & 0xFFFFu);
    put16(out, v >> 16);
}

struct Box {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> colours;  // colour, count

    int widest(std::uint32_t& span) const {
        int best = 16;
        span = 0;
        for (int shift : {16, 8, 0}) {
            std::uint32_t lo = 255, hi = 0;
            for (const auto& [c, n] : colours) {
                lo = std::min(lo, channel(c, shift));
                hi = std::max(hi, channel(c, shift));
            }
            if (hi - lo >= span) {
                span = hi - lo;
                best = shift;
            }
        }
        return best;
    }

    std::uint32_t average() const {
        double r = 0, g = 0, b = 0, total = 0;
        for (const auto& [c, n] : colours) {
            r += channel(c, 16) * double(n);
            g += channel(c, 8) * double(n);
            b += channel(c, 0) * double(n);
            total += n;
        }
        const auto mean = [&](double v) { return static_cast<std::uint32_t>(v / total + 0.5); };
        const std::uint32_t c = mean(r) << 16 | mean(g) << 8 | mean(b);
        return c == transparent ? darkest_visible : c;
    }
};

std::uint32_t distance(std::uint32_t a, std::uint32_t b) {
    const auto d = [&](int shift) {
        const int x = int(channel(a, shift)) - int(channel(b, shift));
        return std::uint32_t(x * x);
    };
    return 3 * d(16) + 4 * d(8) + 2 * d(0);
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot make a canvas");
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

std::vector<std::uint32_t> Canvas::pixels() const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::vector<std::uint32_t> out(static_cast<std::size_t>(width_) * height_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t argb = row[x];
            const std::uint32_t a = argb >> 24;
            std::uint32_t c = transparent;
            if (a >= 128) {
                // Premultiplied: undo it for the colour the bitmap keeps.
                const auto un = [&](int shift) { return std::min(255u, (channel(argb, shift) * 255 + a / 2) / a); };
                c = un(16) << 16 | un(8) << 8 | un(0);
                if (c == transparent) c = darkest_visible;
            }
            out[static_cast<std::size_t>(y) * width_ + x] = c;
        }
    }
    return out;
}

std::vector<std::uint32_t> choose_palette(const std::vector<std::uint32_t>& pixels) {
    std::unordered_map<std::uint32_t, std::uint32_t> counts;
    for (std::uint32_t c : pixels)
        if (c != transparent) ++counts[c];
    std::vector<Box> boxes(1);
    boxes[0].colours.assign(counts.begin(), counts.end());
    if (boxes[0].colours.empty()) return {};
    std::sort(boxes[0].colours.begin(), boxes[0].colours.end());
    // Split the box of the widest colour range until there are 255.
    while (boxes.size() < 255) {
        std::size_t pick = boxes.size();
        std::uint32_t widest = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2) continue;
            std::uint32_t span;
            boxes[i].widest(span);
            if (pick == boxes.size() || span > widest) {
                pick = i;
                widest = span;
            }
        }
        if (pick == boxes.size()) break;
        Box& box = boxes[pick];
        std::uint32_t span;
        const int shift = box.widest(span);
        std::sort(box.colours.begin(), box.colours.end(),
                  [shift](const auto& a, const auto& b) { return channel(a.first, shift) < channel(b.first, shift); });
        std::uint64_t total = 0, half = 0;
        for (const auto& [c, n] : box.colours) total += n;
        std::size_t cut = 0;
        while (cut + 1 < box.colours.size() && half + box.colours[cut].second < total / 2)
            half += box.colours[cut++].second;
        cut = std::max<std::size_t>(cut, 1);
        Box upper;
        upper.colours.assign(box.colours.begin() + static_cast<std::ptrdiff_t>(cut), box.colours.end());
        box.colours.resize(cut);
        boxes.push_back(std::move(upper));
    }
    std::vector<std::uint32_t> palette;
    for (const Box& b : boxes) palette.push_back(b.average());
    return palette;
}

void write_bmp(const Canvas& canvas, const std::string& path, int bits_per_pixel) {
    if (bits_per_pixel != 8 && bits_per_pixel != 24) throw std::invalid_argument("8 or 24 bits per pixel");
    const int w = canvas.width(), h = canvas.height();
    const std::vector<std::uint32_t> pixels = canvas.pixels();
    const int row_bytes = ((w * bits_per_pixel / 8) + 3) & ~3;

    std::vector<std::uint32_t> palette;
    if (bits_per_pixel == 8) {
        palette.push_back(transparent);
        for (std::uint32_t c : choose_palette(pixels)) palette.push_back(c);
        palette.resize(256, darkest_visible);
    }
    const std::uint32_t palette_bytes = static_cast<std::uint32_t>(palette.size() * 4);
    const std::uint32_t image_bytes = static_cast<std::uint32_t>(row_bytes) * h;
    const std::uint32_t offset = 14 + 40 + palette_bytes;

    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + image_bytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(w));
    put32(out, static_cast<std::uint32_t>(h));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits_per_pixel));
    put32(out, 0);  // uncompressed
    put32(out, image_bytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, bits_per_pixel == 8 ? 256 : 0);
    put32(out, 0);
    for (std::uint32_t c : palette) {
        out.push_back(static_cast<unsigned char>(channel(c, 0)));
        out.push_back(static_cast<unsigned char>(channel(c, 8)));
        out.push_back(static_cast<unsigned char>(channel(c, 16)));
        out.push_back(0);
    }

    std::unordered_map<std::uint32_t, unsigned char> nearest;
    for (int y = h - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < w; ++x) {
            const std::uint32_t c = pixels[static_cast<std::size_t>(y) * w + x];
            if (bits_per_pixel == 24) {
                out.push_back(static_cast<unsigned char>(channel(c, 0)));
                out.push_back(static_cast<unsigned char>(channel(c, 8)));
                out.push_back(static_cast<unsigned char>(channel(c, 16)));
                continue;
            }
            unsigned char index = 0;
            if (c != transparent) {
                auto it = nearest.find(c);
                if (it == nearest.end()) {
                    std::uint32_t best = ~0u;
                    for (std::size_t i = 1; i < palette.size(); ++i) {
                        const std::uint32_t d = distance(c, palette[i]);
                        if (d < best) {
                            best = d;
                            index = static_cast<unsigned char>(i);
                        }
                    }
                    it = nearest.emplace(c, index).first;
                }
                index = it->second;
            }
            out.push_back(index);
        }
        while (out.size() - start < static_cast<std::size_t>(row_bytes)) out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace art
