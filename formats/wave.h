// RIFF wave files as the module's resources carry them, chunk by chunk: made
// by the wave generator, read by the host, and played by the live panel.
// Below both the host and the build-time tools; it knows nothing of either.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::formats {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& out, std::uint16_t v);
void put32(Bytes& out, std::uint32_t v);
// A chunk: its four-character id, its size, its bytes and a pad byte when odd.
void put_chunk(Bytes& out, std::string_view id, const Bytes& body);
// An INFO list with name and software entries.
Bytes info_list(std::string_view name, std::string_view software);
Bytes riff_wave(const std::vector<Bytes>& chunks);

Bytes pcm_format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits);

// Microsoft ADPCM: the standard seven predictor pairs.
// clang-format off
inline constexpr std::int16_t adpcm_coefficients[7][2] = {{256, 0},   {512, -256}, {0, 0},     {192, 64},
                                                          {240, 0},   {460, -208}, {392, -232}};
// clang-format on
// clang-format off
inline constexpr int adpcm_adaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                             768, 614, 512, 409, 307, 230, 230, 230};
// clang-format on

std::uint16_t adpcm_samples_per_block(std::uint16_t block_align, std::uint16_t channels);
Bytes adpcm_format(std::uint16_t channels, std::uint32_t rate, std::uint16_t block_align);
// One block of interleaved samples (channels x samples_per_block).
Bytes adpcm_encode_block(const std::vector<std::int16_t>& interleaved, std::uint16_t channels,
                         std::uint16_t block_align);
std::vector<std::int16_t> adpcm_decode_block(const Bytes& block, std::uint16_t channels);

// A whole PCM wave: its format and its samples, as a file.
Bytes pcm_wave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::span<const std::uint8_t> samples);

// Reading. The body of the first top-level chunk with that id inside a RIFF
// "WAVE" file, or none.
std::optional<std::span<const unsigned char>> wave_chunk(std::span<const unsigned char> file, std::string_view id);

// The PCM bytes a wave plays: a PCM wave's data chunk as it stands; a
// Microsoft ADPCM wave's data (standard coefficients) decoded block by block
// into 16-bit samples by this decoder, written apart from the module's. None
// for a wave of another format or a broken one.
std::optional<std::vector<unsigned char>> wave_pcm(std::span<const unsigned char> file);

}  // namespace korvel::formats
