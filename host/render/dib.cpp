#include "host/render/dib.h"

namespace korvel::render {

namespace {

std::uint32_t u32(std::span<const unsigned char> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(std::span<const unsigned char> b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }

constexpr std::int32_t largest_side = 8192;

}  // namespace

std::optional<DibLayout> read_dib(std::span<const unsigned char> bytes) {
    std::size_t header = 0;
    if (bytes.size() >= 14 && bytes[0] == 'B' && bytes[1] == 'M') header = 14;
    if (bytes.size() < header + 40 || u32(bytes, header) < 40) return std::nullopt;
    DibLayout d;
    d.width = static_cast<std::int32_t>(u32(bytes, header + 4));
    const auto raw_height = static_cast<std::int32_t>(u32(bytes, header + 8));
    d.bits = u16(bytes, header + 14);
    const std::uint32_t compression = u32(bytes, header + 16);
    d.colours = u32(bytes, header + 32);
    d.top_down = raw_height < 0;
    // Negated only within the sides allowed, so the most negative height
    // cannot overflow.
    if (raw_height < -largest_side || raw_height > largest_side) return std::nullopt;
    d.height = d.top_down ? -raw_height : raw_height;
    if (d.width <= 0 || d.height <= 0 || d.width > largest_side || compression != 0) return std::nullopt;
    if (d.bits != 8 && d.bits != 24 && d.bits != 32) return std::nullopt;

    d.palette_at = header + u32(bytes, header);
    if (d.bits == 8 && d.colours == 0) d.colours = 256;
    if (d.bits != 8) d.colours = 0;
    if (d.colours > 256) return std::nullopt;
    d.pixels_at = d.palette_at + 4 * std::size_t{d.colours};
    if (header == 14) d.pixels_at = u32(bytes, 10);
    d.row = ((std::size_t(d.width) * d.bits / 8) + 3) & ~std::size_t{3};
    if (d.pixels_at > bytes.size() || bytes.size() - d.pixels_at < d.row * std::size_t(d.height)) return std::nullopt;
    if (d.palette_at + 4 * std::size_t{d.colours} > bytes.size()) return std::nullopt;
    return d;
}

}  // namespace korvel::render
