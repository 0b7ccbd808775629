// The wave loader against the native platform stand-ins, with crafted wave
// resources: what it reads, what it hands DirectSound, and what it gives
// back on every path. (The Windows build meets the real platform through the
// gauges' own tests.)
#include <gtest/gtest.h>

#include <dsound.h>

#include "platform/platform_log.h"
#include "platform/resources.h"
#include "resources/tools/wave_writer.h"
#include "sound/sound.h"

namespace {

using korvel::resources::Bytes;
using korvel::resources::put_chunk;

constexpr std::uint32_t crafted_id = 900;

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
        const Bytes file = korvel::resources::riff_wave(chunks);
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

TEST_F(WaveLoader, HandsTheCompressedFormatOverWholeAndGoesSilentWhenItIsRefused) {
    EXPECT_EQ(load(30), 0u) << "DirectSound's secondary buffers take PCM only";
    EXPECT_EQ(sound_enabled, 0);
    const auto& offered = platform::platform_log().formats_offered;
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_EQ(offered[0].format.format_tag, 2);
    EXPECT_EQ(offered[0].format.extra_size, 32);
    const Bytes expected = korvel::resources::adpcm_format(2, 22050, 1024);
    EXPECT_EQ(offered[0].extra, Bytes(expected.begin() + 18, expected.end()))
        << "the announced extra bytes are the ones the file holds";
    EXPECT_EQ(platform::platform_log().reads_past_chunk, 0);
    EXPECT_EQ(buffer, nullptr);
    expect_cleaned_up();
}

TEST_F(WaveLoader, NeverAnnouncesExtraFormatBytesItDidNotRead) {
    Bytes format = korvel::resources::pcm_format(1, 22050, 16);
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
    EXPECT_EQ(load_crafted({chunk("junk", odd), chunk("fmt ", korvel::resources::pcm_format(1, 22050, 8)),
                            chunk("data", samples)}),
              100u);
    expect_cleaned_up();
}

TEST_F(WaveLoader, MalformedWavesTurnSoundOffAndLeaveNothingOpen) {
    struct Case {
        const char* what;
        Bytes file;
    };
    const Bytes pcm = korvel::resources::pcm_format(1, 22050, 16);
    const Bytes samples(64, 0);
    Bytes short_format(pcm.begin(), pcm.begin() + 14);
    Bytes data_beyond_file = chunk("data", samples);
    data_beyond_file[4] = 0xFF;  // a size far beyond the end of the file
    Bytes gigabytes_of_data = chunk("data", samples);
    std::copy_n("\xF0\xFF\xFF\xFF", 4, gigabytes_of_data.begin() + 4);
    Bytes not_a_wave = korvel::resources::riff_wave({chunk("fmt ", pcm), chunk("data", samples)});
    std::copy_n("AVI ", 4, not_a_wave.begin() + 8);

    const Case cases[] = {
        {"no data chunk", korvel::resources::riff_wave({chunk("fmt ", pcm)})},
        {"no format chunk", korvel::resources::riff_wave({chunk("data", samples)})},
        {"a format chunk too short", korvel::resources::riff_wave({chunk("fmt ", short_format), chunk("data", samples)})},
        {"a data chunk running past the file", korvel::resources::riff_wave({chunk("fmt ", pcm), data_beyond_file})},
        {"a data chunk claiming four gigabytes", korvel::resources::riff_wave({chunk("fmt ", pcm), gigabytes_of_data})},
        {"an empty data chunk", korvel::resources::riff_wave({chunk("fmt ", pcm), chunk("data", {})})},
        {"another RIFF form", not_a_wave},
        {"a few bytes", Bytes{'R', 'I', 'F'}},
    };
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
    const std::size_t calls = platform::platform_log().calls.size();
    IDirectSound* other = nullptr;
    EXPECT_EQ(sound_open_device(window, other), 0);
    EXPECT_EQ(sound_play(buffer, 0), 0);
    EXPECT_EQ(platform::platform_log().calls.size(), calls);
    EXPECT_NE(buffer, nullptr) << "a load refused while silent leaves the buffer as it is";
}

}  // namespace
