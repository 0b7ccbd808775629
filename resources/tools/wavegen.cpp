// Writes the module's wave resources: wavegen OUTPUT_DIRECTORY
// makes wave10.wav, wave20.wav and wave30.wav there.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "formats/wave.h"

namespace {

using namespace korvel::formats;

std::int16_t clamp16(long v) { return static_cast<std::int16_t>(std::clamp(v, -32768L, 32767L)); }

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

// The module's three waves, by resource id.
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

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wavegen OUTPUT_DIRECTORY\n");
        return 2;
    }
    try {
        for (int id : {10, 20, 30}) {
            const std::string path = std::string(argv[1]) + "/wave" + std::to_string(id) + ".wav";
            const auto bytes = make_wave(id);
            std::ofstream out(path, std::ios::binary);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            if (!out) {
                std::fprintf(stderr, "wavegen: cannot write %s\n", path.c_str());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "wavegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
