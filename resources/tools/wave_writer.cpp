#include "resources/tools/wave_writer.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace korvel::resources {

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

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr std::uint32_t rate = 22050;

// A toggle switch: the lever's snap and, a few milliseconds later, its
// settling against the stop. Each is a short burst of filtered noise over a
// metallic ring, dying away within a few milliseconds.
std::vector<double> switch_click(std::size_t samples, double snap_ms, double ring_hz, double decay_ms,
                                 std::uint32_t seed) {
    std::vector<double> out(samples, 0.0);
    std::uint32_t noise = seed;
    const auto random = [&noise] {
        noise = noise * 1664525u + 1013904223u;
        return (noise >> 8) / double(1u << 24) * 2.0 - 1.0;
    };
    const double settle_at = snap_ms * rate / 1000.0;
    double low = 0.0;
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = double(i) / rate;
        low += 0.35 * (random() - low);
        double v = 0.0;
        for (const auto& [start, gain] : {std::pair{0.0, 1.0}, std::pair{settle_at, 0.45}}) {
            if (i < start) continue;
            const double dt = (i - start) / rate;
            const double envelope = std::exp(-dt * 1000.0 / decay_ms);
            v += gain * envelope * (0.6 * low + 0.4 * std::sin(2 * pi * ring_hz * dt));
        }
        // A gentle fade keeps the end of the data free of any step.
        const double tail = std::min(1.0, (samples - i) / (0.01 * rate));
        out[i] = v * tail * (1.0 - std::exp(-t * 40000.0));
    }
    return out;
}

}  // namespace

Bytes make_wave(int id) {
    const std::string software = "Korvel instrument module";
    switch (id) {
        case 10: {
            // 3828 data bytes of mono 16-bit samples.
            const auto click = switch_click(1914, 9.0, 2700.0, 4.0, 10);
            Bytes data;
            for (double v : click) put16(data, static_cast<std::uint16_t>(clamp16(std::lround(v * 22000))));
            Bytes fmt_chunk, data_chunk;
            put_chunk(fmt_chunk, "fmt ", pcm_format(1, rate, 16));
            put_chunk(data_chunk, "data", data);
            return riff_wave({fmt_chunk, data_chunk});
        }
        case 20: {
            // 10304 data bytes of mono unsigned 8-bit samples; an INFO list
            // comes first.
            const auto click = switch_click(10304, 14.0, 1800.0, 9.0, 20);
            Bytes data;
            for (double v : click)
                data.push_back(static_cast<std::uint8_t>(std::clamp(128L + std::lround(v * 100), 0L, 255L)));
            Bytes list_chunk, fmt_chunk, data_chunk;
            put_chunk(list_chunk, "LIST", info_list("Soft click", software));
            put_chunk(fmt_chunk, "fmt ", pcm_format(1, rate, 8));
            put_chunk(data_chunk, "data", data);
            return riff_wave({list_chunk, fmt_chunk, data_chunk});
        }
        case 30: {
            // One block of stereo Microsoft ADPCM: 1024 data bytes.
            constexpr std::uint16_t channels = 2;
            constexpr std::uint16_t block_align = 1024;
            const std::uint16_t per_block = adpcm_samples_per_block(block_align, channels);
            const auto left = switch_click(per_block, 7.0, 3100.0, 3.0, 30);
            const auto right = switch_click(per_block, 7.5, 3000.0, 3.0, 31);
            std::vector<std::int16_t> interleaved;
            for (std::size_t i = 0; i < per_block; ++i) {
                interleaved.push_back(clamp16(std::lround(left[i] * 20000)));
                interleaved.push_back(clamp16(std::lround(right[i] * 20000)));
            }
            Bytes fact;
            put32(fact, per_block);
            Bytes fmt_chunk, fact_chunk, data_chunk, list_chunk;
            put_chunk(fmt_chunk, "fmt ", adpcm_format(channels, rate, block_align));
            put_chunk(fact_chunk, "fact", fact);
            put_chunk(data_chunk, "data", adpcm_encode_block(interleaved, channels, block_align));
            put_chunk(list_chunk, "LIST", info_list("Radio click", software));
            return riff_wave({fmt_chunk, fact_chunk, data_chunk, list_chunk});
        }
        default:
            throw std::invalid_argument("the module has no wave " + std::to_string(id));
    }
}

}  // namespace korvel::resources
