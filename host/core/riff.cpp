#include "host/core/riff.h"

#include <cstring>

namespace korvel::host {

namespace {
std::uint32_t word_at(std::span<const unsigned char> bytes, std::size_t at) {
    std::uint32_t w;
    std::memcpy(&w, bytes.data() + at, 4);
    return w;
}
}  // namespace

std::optional<std::span<const unsigned char>> wave_chunk(std::span<const unsigned char> file, std::string_view id) {
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0)
        return std::nullopt;
    const std::size_t end = std::min<std::size_t>(file.size(), std::size_t{word_at(file, 4)} + 8);
    for (std::size_t at = 12; at + 8 <= end;) {
        const std::size_t size = word_at(file, at + 4);
        if (size > end - at - 8) return std::nullopt;
        if (id.size() == 4 && std::memcmp(file.data() + at, id.data(), 4) == 0) return file.subspan(at + 8, size);
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

}  // namespace korvel::host
