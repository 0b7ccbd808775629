// The wave loader against the native platform stand-ins, with crafted wave
// resources: what it reads, what it decodes, what it hands DirectSound, and
// what it gives back on every path. (The Windows build meets the real
// platform through the gauges' own tests.)
#include <gtest/gtest.h>

#include <dsound.h>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "formats/wave.h"
#include "module/sound/sound.h"
#include "platform/platform_log.h"
#include "platform/resources.h"

namespace {

using korvel::formats::Bytes;
using korvel::formats::put16;
using korvel::formats::put32;
using korvel::formats::put_chunk;

constexpr std::uint32_t crafted_id = 900;

// A Microsoft ADPCM "fmt " chunk; every field can be set wrong on purpose.
struct AdpcmFormat {
    std::uint16_t channels = 1;
    std::uint32_t rate = 22050;
    std::uint16_t block_align = 256;
    std::uint16_t bits = 4;
    std::optional<std::uint16_t> samples_per_block;  // what the block align gives, unless set
    // clang-format off
    std::vector<std::pair<std::int16_t, std::int16_t>> coefficients = {
        {256, 0}, {512, -256}, {0, 0}, {192, 64}, {240, 0}, {460, -208}, {392, -232}};
    // clang-format on
    std::optional<std::uint16_t> coefficient_count;  // the table's length, unless set
    std::optional<std::uint16_t> extra_size;         // the bytes that follow, unless set
};

Bytes adpcm_format(const AdpcmFormat& f) {
    Bytes extra;
    put16(extra, f.samples_per_block
                     ? *f.samples_per_block
                     : static_cast<std::uint16_t>((f.block_align - 7 * f.channels) * 2 / f.channels + 2));
    put16(extra, f.coefficient_count.value_or(static_cast<std::uint16_t>(f.coefficients.size())));
    for (const auto& [first, second] : f.coefficients) {
        put16(extra, static_cast<std::uint16_t>(first));
        put16(extra, static_cast<std::uint16_t>(second));
    }
    Bytes out;
    put16(out, 2);
    put16(out, f.channels);
    put32(out, f.rate);
    put32(out, f.rate / 2);
    put16(out, f.block_align);
    put16(out, f.bits);
    put16(out, f.extra_size.value_or(static_cast<std::uint16_t>(extra.size())));
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

struct ChannelHeader {
    std::uint8_t predictor;
    std::int16_t step;
    std::int16_t newer;
    std::int16_t older;
};

// A block: each header field for every channel in turn, then the nibble bytes.
Bytes adpcm_block(const std::vector<ChannelHeader>& channels, const Bytes& nibbles) {
    Bytes out;
    for (const ChannelHeader& c : channels) out.push_back(c.predictor);
    for (const ChannelHeader& c : channels) put16(out, static_cast<std::uint16_t>(c.step));
    for (const ChannelHeader& c : channels) put16(out, static_cast<std::uint16_t>(c.newer));
    for (const ChannelHeader& c : channels) put16(out, static_cast<std::uint16_t>(c.older));
    out.insert(out.end(), nibbles.begin(), nibbles.end());
    return out;
}

void append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

std::int16_t word(std::uint8_t low, std::uint8_t high) { return static_cast<std::int16_t>(low | high << 8); }

// The 16-bit samples of the last buffer made, as it was filled.
std::vector<std::int16_t> buffer_samples() {
    const auto& buffers = platform::platform_log().buffers;
    if (buffers.empty()) return {};
    const std::vector<unsigned char>& data = buffers.back().data;
    std::vector<std::int16_t> samples;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) samples.push_back(word(data[i], data[i + 1]));
    return samples;
}

class WaveLoader : public testing::Test {
protected:
    void SetUp() override {
        platform::reset_platform();
        platform::clear_extra_resources();
        platform::host_process().windows.emplace_back("FS98MAIN", reinterpret_cast<void*>(0x1234));
        sound_enabled = 1;
        window = find_host_window();
        ASSERT_EQ(sound_open_device(window, device), 1);
    }
    void TearDown() override {
        sound_release_buffer(buffer);
        sound_release_device(device);
        platform::clear_extra_resources();
    }

    std::uint32_t load(std::uint32_t id) {
        return sound_load_wave(window, device, buffer, id, reinterpret_cast<ServiceExtra>(platform::module_handle()));
    }
    std::uint32_t load_crafted(const std::vector<Bytes>& chunks) {
        const Bytes file = korvel::formats::riff_wave(chunks);
        platform::add_extra_resource("WAVE", crafted_id, file);
        return load(crafted_id);
    }
    static Bytes chunk(std::string_view id, const Bytes& body) {
        Bytes out;
        put_chunk(out, id, body);
        return out;
    }
    static void expect_cleaned_up() {
        const auto& log = platform::platform_log();
        EXPECT_EQ(log.memory_files_opened, log.memory_files_closed);
        EXPECT_EQ(log.blocks_allocated, log.blocks_freed);
        EXPECT_EQ(log.resources_found, log.resources_freed);
    }

    HostWindow window = nullptr;
    IDirectSound* device = nullptr;
    IDirectSoundBuffer* buffer = nullptr;
};

TEST_F(WaveLoader, ReadsNoFurtherThanASixteenByteFormatChunk) {
    EXPECT_EQ(load(10), 3828u);
    EXPECT_EQ(platform::platform_log().reads_past_chunk, 0) << "an 18-byte read would run into the data chunk";
    ASSERT_EQ(platform::platform_log().formats_offered.size(), 1u);
    EXPECT_EQ(platform::platform_log().formats_offered[0].format.extra_size, 0);
    EXPECT_EQ(sound_enabled, 1);
    expect_cleaned_up();
}

TEST_F(WaveLoader, FindsTheFormatBehindAListChunkByItsName) {
    EXPECT_EQ(load(20), 10304u);
    EXPECT_EQ(platform::platform_log().buffers.at(0).format.bits_per_sample, 8);
    EXPECT_EQ(platform::platform_log().reads_past_chunk, 0);
    expect_cleaned_up();
}

TEST_F(WaveLoader, DecodesTheRadiosAdpcmClickToStereoPcmOfTheSameRate) {
    EXPECT_EQ(load(30), 1012u * 4) << "one block of 1012 stereo frames, two bytes a sample";
    EXPECT_EQ(sound_enabled, 1);
    const auto& log = platform::platform_log();
    ASSERT_EQ(log.formats_offered.size(), 1u);
    const platform::WaveFormatSeen& f = log.formats_offered[0].format;
    EXPECT_EQ(f.format_tag, 1);
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.samples_per_second, 22050u);
    EXPECT_EQ(f.average_bytes_per_second, 88200u);
    EXPECT_EQ(f.block_align, 4);
    EXPECT_EQ(f.bits_per_sample, 16);
    EXPECT_EQ(f.extra_size, 0);

    const auto file = platform::find_embedded_resource("WAVE", 30);
    ASSERT_TRUE(file);
    const auto data = korvel::formats::wave_chunk(*file, "data");
    ASSERT_TRUE(data);
    const std::vector<std::int16_t> pcm = buffer_samples();
    ASSERT_EQ(pcm.size(), 2024u);
    // The header holds the newer sample of each channel before the older;
    // the older plays first.
    EXPECT_EQ(pcm[0], word((*data)[10], (*data)[11])) << "left, older";
    EXPECT_EQ(pcm[1], word((*data)[12], (*data)[13])) << "right, older";
    EXPECT_EQ(pcm[2], word((*data)[6], (*data)[7])) << "left, newer";
    EXPECT_EQ(pcm[3], word((*data)[8], (*data)[9])) << "right, newer";
    EXPECT_EQ(pcm, korvel::formats::adpcm_decode_block(Bytes(data->begin(), data->end()), 2))
        << "the wave generator's own decoder hears the same samples";
    EXPECT_EQ(log.reads_past_chunk, 0);
    expect_cleaned_up();
}

// A mono block worked by hand. Predictor 1 (512, -256) doubles the newer
// sample and takes away the older; the step starts at 20.
TEST_F(WaveLoader, AMonoBlockDecodesNibbleByNibbleAsWorkedByHand) {
    AdpcmFormat format;
    format.block_align = 11;  // the header and four bytes: ten samples
    const Bytes block = adpcm_block({{1, 20, 100, 40}}, {0x2F, 0x80, 0x71, 0x0C});
    EXPECT_EQ(load_crafted({chunk("fmt ", adpcm_format(format)), chunk("data", block)}), 20u);
    // nibble  steps  prediction          sample  next step
    //   2      +2    2*100 - 40  = 160    200    20*230/256 = 17
    //   F      -1    2*200 - 100 = 300    283    17*230/256 = 15, held at 16
    //   8      -8    2*283 - 200 = 366    238    16*768/256 = 48
    //   0       0    2*238 - 283 = 193    193    48*230/256 = 43
    //   7      +7    2*193 - 238 = 148    449    43*614/256 = 103
    //   1      +1    2*449 - 193 = 705    808    103*230/256 = 92
    //   0       0    2*808 - 449 = 1167  1167    92*230/256 = 82
    //   C      -4    2*1167 - 808 = 1526 1198
    EXPECT_EQ(buffer_samples(), (std::vector<std::int16_t>{40, 100, 200, 283, 238, 193, 449, 808, 1167, 1198}));
    const platform::WaveFormatSeen& f = platform::platform_log().buffers.at(0).format;
    EXPECT_EQ(f.format_tag, 1);
    EXPECT_EQ(f.channels, 1);
    EXPECT_EQ(f.block_align, 2);
    EXPECT_EQ(f.average_bytes_per_second, 44100u);
    EXPECT_EQ(sound_enabled, 1);
    expect_cleaned_up();
}

// Several blocks of eight bytes (four samples each) and a short last block:
// each block starts afresh from its own header.
TEST_F(WaveLoader, EveryBlockStartsFromItsOwnHeaderAndAShortLastBlockGivesWhatItHolds) {
    AdpcmFormat format;
    format.block_align = 8;
    format.coefficients.push_back({128, 128});  // an eighth predictor of the wave's own: the mean of the two
    Bytes data;
    // Predictor 4 (240, 0) on a negative sample: the prediction is cut
    // toward zero, -93.75 to -93 and then -87.19 to -87.
    append(data, adpcm_block({{4, 16, -100, 0}}, {0x00}));
    // Predictor 0 (256, 0): 32000 + 7*1000 is held at 32767, and the next
    // prediction starts from the held sample: 32767 - 8*2398 = 13583.
    append(data, adpcm_block({{0, 1000, 32000, 31000}}, {0x78}));
    // The wave's own predictor 7: (100 + 50)/2 = 75, then (75 + 100)/2 = 87.5 cut to 87.
    append(data, adpcm_block({{7, 16, 100, 50}}, {0x00}));
    // A last block of only its header: its two samples.
    append(data, adpcm_block({{2, 16, 5, -5}}, {}));
    ASSERT_EQ(data.size(), 31u);
    EXPECT_EQ(load_crafted({chunk("fmt ", adpcm_format(format)), chunk("data", data)}), (4u + 4 + 4 + 2) * 2);
    EXPECT_EQ(buffer_samples(),
              (std::vector<std::int16_t>{0, -100, -93, -87, 31000, 32000, 32767, 13583, 50, 100, 75, 87, -5, 5}));
    expect_cleaned_up();
}

// Stereo, worked by hand: the header's fields come channel by channel, and
// each byte after it is one frame, the high nibble the left channel's.
TEST_F(WaveLoader, StereoHeadersAndNibblesTakeTurnsLeftFirst) {
    AdpcmFormat format;
    format.channels = 2;
    format.block_align = 16;  // both headers and two bytes: four frames
    // Left: predictor 0 keeps the newer sample, step 16. Right: predictor 2
    // predicts silence, step 32.
    const Bytes block = adpcm_block({{0, 16, 1000, 900}, {2, 32, -2000, -1900}}, {0x13, 0xF0});
    EXPECT_EQ(load_crafted({chunk("fmt ", adpcm_format(format)), chunk("data", block)}), 16u);
    // Left: 1000 + 1*16 = 1016, then the step held at 16: 1016 - 16 = 1000.
    // Right: 0 + 3*32 = 96, then 0 + 0 = 0.
    EXPECT_EQ(buffer_samples(), (std::vector<std::int16_t>{900, -1900, 1000, -2000, 1016, 96, 1000, 0}));
    const platform::WaveFormatSeen& f = platform::platform_log().buffers.at(0).format;
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.block_align, 4);
    expect_cleaned_up();
}

// Longer waves made by the wave generator's encoder, every predictor in
// turn, whole blocks and a short last one: the module hears what the
// generator's own decoder hears, block for block.
TEST_F(WaveLoader, WavesOfManyBlocksDecodeAsTheGeneratorsDecoderHearsThem) {
    struct Case {
        std::uint16_t channels;
        std::uint16_t block_align;
        int whole_blocks;
        std::size_t last_block;  // bytes, 0 for none
    };
    const Case cases[] = {{1, 256, 3, 100}, {1, 7 + 1, 5, 7}, {2, 512, 2, 15}, {2, 1024, 1, 0}, {2, 14 + 3, 4, 16}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channels << " channels, blocks of " << c.block_align);
        sound_enabled = 1;
        sound_release_buffer(buffer);
        sound_release_device(device);
        platform::reset_platform();
        platform::host_process().windows.emplace_back("FS98MAIN", reinterpret_cast<void*>(0x1234));
        platform::clear_extra_resources();
        ASSERT_EQ(sound_open_device(window, device), 1);

        const std::size_t per_block = korvel::formats::adpcm_samples_per_block(c.block_align, c.channels);
        Bytes data;
        std::vector<std::int16_t> expected;
        std::uint32_t noise = 77;
        const int blocks = c.whole_blocks + (c.last_block != 0 ? 1 : 0);
        for (int b = 0; b < blocks; ++b) {
            std::vector<std::int16_t> signal;
            for (std::size_t i = 0; i < per_block; ++i)
                for (int channel = 0; channel < c.channels; ++channel) {
                    noise = noise * 1664525u + 1013904223u;
                    const double t = double(b * per_block + i);
                    const double v = 14000 * std::sin(t * (0.07 + 0.05 * channel)) + double(noise >> 20) - 2048;
                    signal.push_back(static_cast<std::int16_t>(v));
                }
            Bytes block = korvel::formats::adpcm_encode_block(signal, c.channels, c.block_align);
            for (int channel = 0; channel < c.channels; ++channel)
                block[channel] = static_cast<std::uint8_t>((b * c.channels + channel) % 7);
            if (b == c.whole_blocks) block.resize(c.last_block);
            const auto decoded = korvel::formats::adpcm_decode_block(block, c.channels);
            expected.insert(expected.end(), decoded.begin(), decoded.end());
            append(data, block);
        }
        AdpcmFormat format;
        format.channels = c.channels;
        format.block_align = c.block_align;
        EXPECT_EQ(load_crafted({chunk("fmt ", adpcm_format(format)), chunk("data", data)}), expected.size() * 2)
            << "as many frames as the blocks hold";
        EXPECT_EQ(buffer_samples(), expected);
        expect_cleaned_up();
    }
}

TEST_F(WaveLoader, NeverAnnouncesExtraFormatBytesItDidNotRead) {
    Bytes format = korvel::formats::pcm_format(1, 22050, 16);
    format.push_back(40);  // an extra-size of 40 in a chunk that ends right after it
    format.push_back(0);
    const Bytes samples(400, 0);
    EXPECT_EQ(load_crafted({chunk("fmt ", format), chunk("data", samples)}), 400u);
    EXPECT_EQ(platform::platform_log().formats_offered.at(0).format.extra_size, 0);
    expect_cleaned_up();
}

TEST_F(WaveLoader, OddSizedChunksKeepTheirPadByte) {
    const Bytes odd(7, 'x');
    const Bytes samples(100, 0x80);
    EXPECT_EQ(load_crafted({chunk("junk", odd), chunk("fmt ", korvel::formats::pcm_format(1, 22050, 8)),
                            chunk("data", samples)}),
              100u);
    expect_cleaned_up();
}

TEST_F(WaveLoader, MalformedWavesTurnSoundOffAndLeaveNothingOpen) {
    struct Case {
        const char* what;
        Bytes file;
    };
    const Bytes pcm = korvel::formats::pcm_format(1, 22050, 16);
    const Bytes samples(64, 0);
    Bytes short_format(pcm.begin(), pcm.begin() + 14);
    Bytes data_beyond_file = chunk("data", samples);
    data_beyond_file[4] = 0xFF;  // a size far beyond the end of the file
    Bytes gigabytes_of_data = chunk("data", samples);
    std::copy_n("\xF0\xFF\xFF\xFF", 4, gigabytes_of_data.begin() + 4);
    Bytes not_a_wave = korvel::formats::riff_wave({chunk("fmt ", pcm), chunk("data", samples)});
    std::copy_n("AVI ", 4, not_a_wave.begin() + 8);

    // clang-format off
    const Case cases[] = {
        {"no data chunk", korvel::formats::riff_wave({chunk("fmt ", pcm)})},
        {"no format chunk", korvel::formats::riff_wave({chunk("data", samples)})},
        {"a format chunk too short", korvel::formats::riff_wave({chunk("fmt ", short_format), chunk("data", samples)})},
        {"a data chunk running past the file", korvel::formats::riff_wave({chunk("fmt ", pcm), data_beyond_file})},
        {"a data chunk claiming four gigabytes", korvel::formats::riff_wave({chunk("fmt ", pcm), gigabytes_of_data})},
        {"an empty data chunk", korvel::formats::riff_wave({chunk("fmt ", pcm), chunk("data", {})})},
        {"another RIFF form", not_a_wave},
        {"a few bytes", Bytes{'R', 'I', 'F'}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sound_enabled = 1;
        platform::clear_extra_resources();
        platform::add_extra_resource("WAVE", crafted_id, c.file);
        const int blocks_before = platform::platform_log().blocks_allocated;
        EXPECT_EQ(load(crafted_id), 0u);
        EXPECT_EQ(sound_enabled, 0);
        EXPECT_EQ(buffer, nullptr);
        EXPECT_EQ(platform::platform_log().blocks_allocated, blocks_before)
            << "no data block is asked for samples the resource cannot hold";
        expect_cleaned_up();
    }
}

// Malformed radio waves go silent like any other failure: nothing reaches
// DirectSound, nothing is read past a buffer (the sanitizers watch), and
// every memory file, data block and resource is given back, the decoded
// block too when a late block turns out broken.
TEST_F(WaveLoader, MalformedAdpcmWavesTurnSoundOffAndGiveEverythingBack) {
    struct Case {
        const char* what;
        AdpcmFormat format;
        Bytes data;
        std::optional<std::size_t> format_bytes = std::nullopt;  // the chunk cut to this many bytes
    };
    const auto with = [](auto change) {
        AdpcmFormat f;
        change(f);
        return f;
    };
    const Bytes header_only = adpcm_block({{0, 16, 0, 0}}, {});
    Bytes one_block = adpcm_block({{0, 16, 0, 0}}, Bytes(249, 0x17));
    ASSERT_EQ(one_block.size(), 256u);
    Bytes beyond_in_second_block = one_block;
    append(beyond_in_second_block, adpcm_block({{7, 16, 0, 0}}, Bytes(10, 0x17)));
    Bytes beyond_by_far = adpcm_block({{255, 16, 0, 0}}, Bytes(249, 0x17));
    Bytes short_tail = adpcm_block({{0, 16, 0, 0}}, {0x11});
    append(short_tail, Bytes(6, 0));
    std::vector<std::pair<std::int16_t, std::int16_t>> too_many(257, {256, 0});

    // clang-format off
    const Case cases[] = {
        {"a block align of 0", with([](AdpcmFormat& f) { f.block_align = 0; f.samples_per_block = 2; }), one_block},
        {"a block align too small for its header",
         with([](AdpcmFormat& f) { f.block_align = 6; f.samples_per_block = 2; }), one_block},
        {"a stereo block align too small for both headers",
         with([](AdpcmFormat& f) { f.channels = 2; f.block_align = 13; f.samples_per_block = 2; }), one_block},
        {"no coefficients", with([](AdpcmFormat& f) { f.coefficient_count = 0; }), one_block},
        {"more coefficients than a predictor byte can name",
         with([&](AdpcmFormat& f) { f.coefficients = too_many; }), one_block},
        {"a coefficient table longer than the extra bytes announced",
         with([](AdpcmFormat& f) { f.extra_size = 4 + 4 * 6; }), one_block},
        {"a format chunk ending before its coefficient table", AdpcmFormat{}, one_block, 18 + 4 + 4 * 3},
        {"a format chunk ending at its extra-size field", AdpcmFormat{}, one_block, 18},
        {"no samples-per-block field", with([](AdpcmFormat& f) { f.extra_size = 2; }), one_block},
        {"samples per block one short of what the block align gives",
         with([](AdpcmFormat& f) { f.samples_per_block = 499; }), one_block},
        {"samples per block one beyond", with([](AdpcmFormat& f) { f.samples_per_block = 501; }), one_block},
        {"three bits a sample", with([](AdpcmFormat& f) { f.bits = 3; }), one_block},
        {"no channels", with([](AdpcmFormat& f) { f.channels = 0; f.samples_per_block = 500; }), one_block},
        {"three channels", with([](AdpcmFormat& f) { f.channels = 3; f.block_align = 21 + 3; }), one_block},
        {"a predictor beyond the table in the second block", AdpcmFormat{}, beyond_in_second_block},
        {"a predictor of 255", AdpcmFormat{}, beyond_by_far},
        {"data shorter than one block header", AdpcmFormat{}, Bytes(header_only.begin(), header_only.end() - 1)},
        {"stereo data shorter than both headers",
         with([](AdpcmFormat& f) { f.channels = 2; }), Bytes(13, 0)},
        {"a last block shorter than its header", with([](AdpcmFormat& f) { f.block_align = 8; }), short_tail},
        {"a byte rate beyond 32 bits", with([](AdpcmFormat& f) { f.rate = 0xFFFFFFFFu; }), one_block},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sound_enabled = 1;
        platform::clear_extra_resources();
        Bytes format = adpcm_format(c.format);
        if (c.format_bytes) format.resize(*c.format_bytes);
        platform::add_extra_resource("WAVE", crafted_id,
                                     korvel::formats::riff_wave({chunk("fmt ", format), chunk("data", c.data)}));
        const std::size_t offered = platform::platform_log().formats_offered.size();
        EXPECT_EQ(load(crafted_id), 0u);
        EXPECT_EQ(sound_enabled, 0);
        EXPECT_EQ(buffer, nullptr);
        EXPECT_EQ(platform::platform_log().formats_offered.size(), offered) << "nothing reached DirectSound";
        EXPECT_EQ(platform::platform_log().reads_past_chunk, 0);
        expect_cleaned_up();
    }
}

// Mono blocks of 4096 bytes decode to four times their size: 16 500 of them
// (66 MB) would make more PCM than a sound buffer can hold. The loader says
// no before it asks for a block that size.
TEST_F(WaveLoader, AnAdpcmWaveTooLongForAnySoundBufferIsRefusedBeforeItIsDecoded) {
    AdpcmFormat format;
    format.block_align = 4096;
    const Bytes block = adpcm_block({{0, 16, 0, 0}}, Bytes(4096 - 7, 0x10));
    Bytes data;
    data.reserve(16500u * 4096);
    for (int i = 0; i < 16500; ++i) append(data, block);
    ASSERT_GT((std::uint64_t{16500} * (2 + (4096 - 7) * 2)) * 2, std::uint64_t{DSBSIZE_MAX});
    EXPECT_EQ(load_crafted({chunk("fmt ", adpcm_format(format)), chunk("data", data)}), 0u);
    EXPECT_EQ(sound_enabled, 0);
    EXPECT_EQ(platform::platform_log().blocks_allocated, 1) << "only the ADPCM data was read";
    EXPECT_TRUE(platform::platform_log().formats_offered.empty());
    expect_cleaned_up();
}

TEST_F(WaveLoader, AMissingResourceOrDeviceTurnsSoundOff) {
    EXPECT_EQ(load(11), 0u);
    EXPECT_EQ(sound_enabled, 0);
    sound_enabled = 1;
    sound_release_device(device);
    EXPECT_EQ(load(10), 0u) << "no device to make a buffer on";
    EXPECT_EQ(sound_enabled, 0);
}

TEST_F(WaveLoader, WhileSoundIsOffNothingTouchesThePlatform) {
    ASSERT_EQ(load(10), 3828u);
    sound_enabled = 0;
    const platform::PlatformLog before = platform::platform_log();
    IDirectSound* const slot_device = device;
    IDirectSoundBuffer* const slot_buffer = buffer;
    IDirectSound* other = nullptr;
    EXPECT_EQ(sound_open_device(window, other), 0);
    EXPECT_EQ(sound_play(buffer, 0), 0);
    for (std::uint32_t wave : {10u, 30u}) {
        SCOPED_TRACE(wave);
        EXPECT_EQ(load(wave), 0u);
        EXPECT_EQ(buffer, slot_buffer) << "a load refused while silent leaves the slot's buffer as it is";
        EXPECT_EQ(device, slot_device);
    }
    const platform::PlatformLog& after = platform::platform_log();
    EXPECT_EQ(after.calls, before.calls);
    EXPECT_EQ(after.live_buffers(), 1) << "the slot's buffer was not released";
    EXPECT_EQ(after.resources_found, before.resources_found) << "no resource was looked for";
    EXPECT_EQ(after.memory_files_opened, before.memory_files_opened);
    EXPECT_EQ(after.blocks_allocated, before.blocks_allocated);
    EXPECT_EQ(sound_enabled, 0);
}

}  // namespace
