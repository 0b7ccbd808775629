#include "host/core/riff.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "resources/tools/wave_writer.h"

namespace korvel::host {

namespace {
std::uint32_t word_at(std::span<const unsigned char> bytes, std::size_t at) {
    std::uint32_t w;
    std::memcpy(&w, bytes.data() + at, 4);
    return w;
}

std::uint16_t half_word_at(std::span<const unsigned char> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::optional<std::vector<unsigned char>> adpcm_as_pcm(std::span<const unsigned char> format,
                                                       std::span<const unsigned char> data) {
    namespace resources = korvel::resources;
    if (format.size() < 22) return std::nullopt;
    const std::uint16_t channels = half_word_at(format, 2);
    const std::size_t block_align = half_word_at(format, 12);
    if (channels < 1 || channels > 2 || block_align < 7u * channels) return std::nullopt;
    if (half_word_at(format, 20) != 7 || format.size() < 22 + 7 * 4) return std::nullopt;
    for (std::size_t i = 0; i < 7; ++i)
        if (static_cast<std::int16_t>(half_word_at(format, 22 + 4 * i)) != resources::adpcm_coefficients[i][0] ||
            static_cast<std::int16_t>(half_word_at(format, 24 + 4 * i)) != resources::adpcm_coefficients[i][1])
            return std::nullopt;

    std::vector<unsigned char> pcm;
    try {
        for (std::size_t at = 0; at < data.size(); at += block_align) {
            const std::size_t size = std::min(block_align, data.size() - at);
            if (size < 7u * channels) return std::nullopt;
            const resources::Bytes block(data.begin() + at, data.begin() + at + size);
            for (std::int16_t sample : resources::adpcm_decode_block(block, channels)) {
                pcm.push_back(static_cast<unsigned char>(sample & 0xFF));
                pcm.push_back(static_cast<unsigned char>((sample >> 8) & 0xFF));
            }
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return pcm;
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

std::optional<std::vector<unsigned char>> wave_pcm(std::span<const unsigned char> file) {
    const auto format = wave_chunk(file, "fmt ");
    const auto data = wave_chunk(file, "data");
    if (!format || !data || format->size() < 16) return std::nullopt;
    switch (half_word_at(*format, 0)) {
        case 1: return std::vector<unsigned char>(data->begin(), data->end());
        case 2: return adpcm_as_pcm(*format, *data);
        default: return std::nullopt;
    }
}

}  // namespace korvel::host
