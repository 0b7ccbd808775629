// Reading the chunks of a RIFF wave file, for the host's own look at the
// module's wave resources.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace korvel::host {

// The body of the first top-level chunk with that id inside a RIFF "WAVE"
// file, or none.
std::optional<std::span<const unsigned char>> wave_chunk(std::span<const unsigned char> file, std::string_view id);

// The PCM bytes a wave plays: a PCM wave's data chunk as it stands; a
// Microsoft ADPCM wave's data (standard coefficients) decoded block by block
// into 16-bit samples by the wave generator's own decoder, written apart
// from the module's. None for a wave of another format or a broken one.
std::optional<std::vector<unsigned char>> wave_pcm(std::span<const unsigned char> file);

}  // namespace korvel::host
