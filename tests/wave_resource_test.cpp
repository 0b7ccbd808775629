// The module's three wave resources as a sound engineer would check them:
// their chunks, their formats, and that they sound like short clean clicks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "formats/wave.h"
#include "host/core/host.h"

namespace {

using korvel::host::ModuleLibrary;

std::vector<std::string> chunk_ids(std::span<const unsigned char> file) {
    std::vector<std::string> ids;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        std::uint32_t size;
        std::memcpy(&size, file.data() + at + 4, 4);
        ids.emplace_back(reinterpret_cast<const char*>(file.data() + at), 4);
        at += 8 + size + (size & 1);
    }
    return ids;
}

std::uint16_t u16(std::span<const unsigned char> b, std::size_t at) { return std::uint16_t(b[at] | b[at + 1] << 8); }
std::uint32_t u32(std::span<const unsigned char> b, std::size_t at) {
    return u16(b, at) | std::uint32_t(u16(b, at + 2)) << 16;
}

// Loudness over a stretch of samples, as a fraction of full scale.
double rms(const std::vector<double>& s, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += s[i] * s[i];
    return std::sqrt(sum / double(to - from));
}

// A click starts from silence, is loud at once, has died away by its end and
// carries no offset.
void expect_click(const std::vector<double>& s, std::size_t rate) {
    ASSERT_GT(s.size(), rate / 50);
    EXPECT_LT(std::abs(s.front()), 0.05) << "no pop at the start";
    const std::size_t ms = rate / 1000;
    EXPECT_GT(rms(s, 0, 10 * ms), 0.05) << "loud within its first 10 ms";
    EXPECT_LT(rms(s, s.size() - 5 * ms, s.size()), 0.01) << "silent by its end";
    double peak = 0, mean = 0;
    for (double v : s) {
        peak = std::max(peak, std::abs(v));
        mean += v;
    }
    EXPECT_LT(peak, 0.99) << "never clipped";
    EXPECT_LT(std::abs(mean / s.size()), 0.01);
}

TEST(WaveResources, Wave10IsMono16BitPcmWithAPlainFormatChunk) {
    ModuleLibrary module;
    const auto file = module.resource("WAVE", 10);
    ASSERT_TRUE(file);
    EXPECT_EQ(chunk_ids(*file), (std::vector<std::string>{"fmt ", "data"}));
    const auto fmt = korvel::formats::wave_chunk(*file, "fmt ");
    ASSERT_EQ(fmt->size(), 16u);
    EXPECT_EQ(u16(*fmt, 0), 1);
    EXPECT_EQ(u16(*fmt, 2), 1);
    EXPECT_EQ(u32(*fmt, 4), 22050u);
    EXPECT_EQ(u32(*fmt, 8), 44100u);
    EXPECT_EQ(u16(*fmt, 12), 2);
    EXPECT_EQ(u16(*fmt, 14), 16);
    const auto data = korvel::formats::wave_chunk(*file, "data");
    ASSERT_EQ(data->size(), 3828u);
    std::vector<double> samples;
    for (std::size_t i = 0; i < data->size(); i += 2) samples.push_back(std::int16_t(u16(*data, i)) / 32768.0);
    expect_click(samples, 22050);
}

TEST(WaveResources, Wave20Is8BitPcmWithItsInfoListBeforeTheFormat) {
    ModuleLibrary module;
    const auto file = module.resource("WAVE", 20);
    ASSERT_TRUE(file);
    EXPECT_EQ(chunk_ids(*file), (std::vector<std::string>{"LIST", "fmt ", "data"}));
    const auto list = korvel::formats::wave_chunk(*file, "LIST");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(list->data()), 4), "INFO");
    const auto fmt = korvel::formats::wave_chunk(*file, "fmt ");
    EXPECT_EQ(u16(*fmt, 0), 1);
    EXPECT_EQ(u16(*fmt, 2), 1);
    EXPECT_EQ(u32(*fmt, 4), 22050u);
    EXPECT_EQ(u16(*fmt, 14), 8);
    const auto data = korvel::formats::wave_chunk(*file, "data");
    ASSERT_EQ(data->size(), 10304u);
    std::vector<double> samples;
    for (unsigned char b : *data) samples.push_back((b - 128) / 128.0);
    expect_click(samples, 22050);
}

TEST(WaveResources, Wave30IsOneValidBlockOfStereoAdpcm) {
    ModuleLibrary module;
    const auto file = module.resource("WAVE", 30);
    ASSERT_TRUE(file);
    EXPECT_EQ(chunk_ids(*file), (std::vector<std::string>{"fmt ", "fact", "data", "LIST"}));
    const auto fmt = korvel::formats::wave_chunk(*file, "fmt ");
    ASSERT_EQ(fmt->size(), 50u);
    EXPECT_EQ(u16(*fmt, 0), 2) << "Microsoft ADPCM";
    EXPECT_EQ(u16(*fmt, 2), 2);
    EXPECT_EQ(u32(*fmt, 4), 22050u);
    EXPECT_EQ(u16(*fmt, 12), 1024);
    EXPECT_EQ(u16(*fmt, 14), 4);
    EXPECT_EQ(u16(*fmt, 16), 32) << "32 extra format bytes";
    const std::uint16_t per_block = u16(*fmt, 18);
    EXPECT_EQ(per_block, 1012);
    EXPECT_EQ(u32(*fmt, 8), 22050u * 1024 / 1012);
    ASSERT_EQ(u16(*fmt, 20), 7);
    const std::int16_t standard[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(std::int16_t(u16(*fmt, 22 + 4 * i)), standard[i][0]);
        EXPECT_EQ(std::int16_t(u16(*fmt, 24 + 4 * i)), standard[i][1]);
    }
    EXPECT_EQ(u32(*korvel::formats::wave_chunk(*file, "fact"), 0), per_block) << "samples in the file";

    const auto data = korvel::formats::wave_chunk(*file, "data");
    ASSERT_EQ(data->size(), 1024u);
    const auto decoded = korvel::formats::adpcm_decode_block(korvel::formats::Bytes(data->begin(), data->end()), 2);
    ASSERT_EQ(decoded.size(), 2u * per_block);
    for (int channel = 0; channel < 2; ++channel) {
        SCOPED_TRACE(channel == 0 ? "left" : "right");
        std::vector<double> samples;
        for (std::size_t i = channel; i < decoded.size(); i += 2) samples.push_back(decoded[i] / 32768.0);
        expect_click(samples, 22050);
    }
}

TEST(WaveResources, TheAdpcmEncoderFollowsItsSignal) {
    std::vector<std::int16_t> signal;
    const std::uint16_t per_block = korvel::formats::adpcm_samples_per_block(1024, 2);
    for (std::size_t i = 0; i < per_block; ++i) {
        const double v = 12000 * std::sin(i * 0.05) * std::exp(-double(i) / 400);
        signal.push_back(std::int16_t(v));
        signal.push_back(std::int16_t(-v / 2));
    }
    const auto block = korvel::formats::adpcm_encode_block(signal, 2, 1024);
    const auto decoded = korvel::formats::adpcm_decode_block(block, 2);
    ASSERT_EQ(decoded.size(), signal.size());
    double error = 0;
    for (std::size_t i = 0; i < signal.size(); ++i) error = std::max(error, std::abs(double(decoded[i] - signal[i])));
    EXPECT_LT(error, 1500) << "4-bit ADPCM keeps a smooth signal within a few percent";
}

}  // namespace
