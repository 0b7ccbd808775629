#include "formats/wave.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace korvel::formats {

void put16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

void put_chunk(Bytes& out, std::string_view id, const Bytes& body) {
    out.insert(out.end(), id.begin(), id.end());
    put32(out, static_cast<std::uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) out.push_back(0);
}

Bytes info_list(std::string_view name, std::string_view software) {
    Bytes body{'I', 'N', 'F', 'O'};
    const auto text = [](std::string_view s) {
        Bytes b(s.begin(), s.end());
        b.push_back(0);
        return b;
    };
    put_chunk(body, "INAM", text(name));
    put_chunk(body, "ISFT", text(software));
    return body;
}

Bytes riff_wave(const std::vector<Bytes>& chunks) {
    Bytes body{'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    Bytes out;
    put_chunk(out, "RIFF", body);
    return out;
}

Bytes pcm_format(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    Bytes f;
    const std::uint16_t align = static_cast<std::uint16_t>(channels * bits / 8);
    put16(f, 1);
    put16(f, channels);
    put32(f, rate);
    put32(f, rate * align);
    put16(f, align);
    put16(f, bits);
    return f;
}

std::uint16_t adpcm_samples_per_block(std::uint16_t block_align, std::uint16_t channels) {
    return static_cast<std::uint16_t>((block_align - 7 * channels) * 2 / channels + 2);
}

Bytes adpcm_format(std::uint16_t channels, std::uint32_t rate, std::uint16_t block_align) {
    const std::uint16_t per_block = adpcm_samples_per_block(block_align, channels);
    Bytes f;
    put16(f, 2);
    put16(f, channels);
    put32(f, rate);
    put32(f, static_cast<std::uint32_t>(std::uint64_t(rate) * block_align / per_block));
    put16(f, block_align);
    put16(f, 4);
    put16(f, 32);  // the extra bytes that follow
    put16(f, per_block);
    put16(f, 7);
    for (const auto& c : adpcm_coefficients) {
        put16(f, static_cast<std::uint16_t>(c[0]));
        put16(f, static_cast<std::uint16_t>(c[1]));
    }
    return f;
}

namespace {

std::int16_t clamp16(long v) { return static_cast<std::int16_t>(std::clamp(v, -32768L, 32767L)); }

struct ChannelState {
    int predictor = 0;
    int delta = 16;
    int sample1 = 0;  // the newer of the two
    int sample2 = 0;
};

int predict(const ChannelState& s) {
    return (s.sample1 * adpcm_coefficients[s.predictor][0] + s.sample2 * adpcm_coefficients[s.predictor][1]) / 256;
}

int step(ChannelState& s, int nibble) {
    const int signed_nibble = nibble >= 8 ? nibble - 16 : nibble;
    const std::int16_t sample = clamp16(predict(s) + signed_nibble * s.delta);
    s.sample2 = s.sample1;
    s.sample1 = sample;
    s.delta = std::max(16, s.delta * adpcm_adaptation[nibble] / 256);
    return sample;
}

}  // namespace

Bytes adpcm_encode_block(const std::vector<std::int16_t>& interleaved, std::uint16_t channels,
                         std::uint16_t block_align) {
    const std::size_t per_block = adpcm_samples_per_block(block_align, channels);
    if (interleaved.size() != per_block * channels) throw std::invalid_argument("wrong number of samples");
    const auto at = [&](std::size_t i, int c) { return interleaved[i * channels + c]; };

    std::vector<ChannelState> state(channels);
    Bytes out;
    for (int c = 0; c < channels; ++c) out.push_back(static_cast<std::uint8_t>(state[c].predictor));
    for (int c = 0; c < channels; ++c) {
        // A first step that suits the signal keeps the first nibbles in range.
        state[c].delta = std::max(16, std::abs(at(1, c) - at(0, c)) / 2);
        put16(out, static_cast<std::uint16_t>(state[c].delta));
    }
    for (int c = 0; c < channels; ++c) put16(out, static_cast<std::uint16_t>(at(1, c)));
    for (int c = 0; c < channels; ++c) put16(out, static_cast<std::uint16_t>(at(0, c)));
    for (int c = 0; c < channels; ++c) {
        state[c].sample1 = at(1, c);
        state[c].sample2 = at(0, c);
    }

    int pending = -1;
    for (std::size_t i = 2; i < per_block; ++i) {
        for (int c = 0; c < channels; ++c) {
            ChannelState& s = state[c];
            const int error = at(i, c) - predict(s);
            const int q = static_cast<int>(std::lround(double(error) / s.delta));
            const int nibble = std::clamp(q, -8, 7) & 0xF;
            step(s, nibble);
            if (pending < 0) {
                pending = nibble;
            } else {
                out.push_back(static_cast<std::uint8_t>(pending << 4 | nibble));
                pending = -1;
            }
        }
    }
    if (out.size() != block_align) throw std::logic_error("ADPCM block of the wrong size");
    return out;
}

std::vector<std::int16_t> adpcm_decode_block(const Bytes& block, std::uint16_t channels) {
    const std::size_t per_block = adpcm_samples_per_block(static_cast<std::uint16_t>(block.size()), channels);
    const auto word = [&](std::size_t at) { return static_cast<std::int16_t>(block[at] | block[at + 1] << 8); };
    std::vector<ChannelState> state(channels);
    std::size_t at = 0;
    for (int c = 0; c < channels; ++c) {
        if (block[at] > 6) throw std::invalid_argument("predictor index beyond the coefficient table");
        state[c].predictor = block[at++];
    }
    for (int c = 0; c < channels; ++c, at += 2) state[c].delta = word(at);
    for (int c = 0; c < channels; ++c, at += 2) state[c].sample1 = word(at);
    for (int c = 0; c < channels; ++c, at += 2) state[c].sample2 = word(at);

    std::vector<std::int16_t> out;
    for (int c = 0; c < channels; ++c) out.push_back(static_cast<std::int16_t>(state[c].sample2));
    for (int c = 0; c < channels; ++c) out.push_back(static_cast<std::int16_t>(state[c].sample1));
    int channel = 0;
    for (; at < block.size(); ++at) {
        for (int nibble : {block[at] >> 4, block[at] & 0xF}) {
            out.push_back(static_cast<std::int16_t>(step(state[channel], nibble)));
            channel = (channel + 1) % channels;
        }
    }
    if (out.size() != per_block * channels) throw std::logic_error("ADPCM block decoded to the wrong length");
    return out;
}

Bytes pcm_wave(std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, std::span<const std::uint8_t> samples) {
    Bytes format, data;
    put_chunk(format, "fmt ", pcm_format(channels, rate, bits));
    put_chunk(data, "data", Bytes(samples.begin(), samples.end()));
    return riff_wave({format, data});
}

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
    if (format.size() < 22) return std::nullopt;
    const std::uint16_t channels = half_word_at(format, 2);
    const std::size_t block_align = half_word_at(format, 12);
    if (channels < 1 || channels > 2 || block_align < 7u * channels) return std::nullopt;
    if (half_word_at(format, 20) != 7 || format.size() < 22 + 7 * 4) return std::nullopt;
    for (std::size_t i = 0; i < 7; ++i)
        if (static_cast<std::int16_t>(half_word_at(format, 22 + 4 * i)) != adpcm_coefficients[i][0] ||
            static_cast<std::int16_t>(half_word_at(format, 24 + 4 * i)) != adpcm_coefficients[i][1])
            return std::nullopt;

    std::vector<unsigned char> pcm;
    try {
        for (std::size_t at = 0; at < data.size(); at += block_align) {
            const std::size_t size = std::min(block_align, data.size() - at);
            if (size < 7u * channels) return std::nullopt;
            const Bytes block(data.begin() + at, data.begin() + at + size);
            for (std::int16_t sample : adpcm_decode_block(block, channels)) {
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
        case 1:
            return std::vector<unsigned char>(data->begin(), data->end());
        case 2:
            return adpcm_as_pcm(*format, *data);
        default:
            return std::nullopt;
    }
}

}  // namespace korvel::formats
