// Reading the chunks of a RIFF wave file, for the host's own look at the
// module's wave resources.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace korvel::host {

// The body of the first top-level chunk with that id inside a RIFF "WAVE"
// file, or none.
std::optional<std::span<const unsigned char>> wave_chunk(std::span<const unsigned char> file, std::string_view id);

}  // namespace korvel::host
