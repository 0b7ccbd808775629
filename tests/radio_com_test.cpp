// The COM1 radio as a pilot tunes it.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum { com_knob = 1, com_main_switch = 2, com_display = 3, com_lamp = 4 };

constexpr std::int32_t down_x = 150, up_x = 200, knob_y = 60;
constexpr std::int32_t display_x = 270, display_y = 20;
constexpr std::int32_t switch_x = 70, switch_y = 80;

class ComRadio : public testing::Test {
protected:
    void tune_to(std::uint32_t word) {
        host.variables().set_word(23, word);
        host.update();
    }
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
};

TEST_F(ComRadio, TheDisplayShowsTheDecodedWordWithTheQuarterChannels) {
    // clang-format off
    const std::pair<std::uint32_t, const char*> channels[] = {
        {0x2345, "123.450"}, {0x2342, "123.425"}, {0x2347, "123.475"}, {0x2340, "123.400"},
        {0x1800, "118.000"}, {0x3697, "136.975"}, {0x2180, "121.800"}, {0x2000, "120.000"}, {0x3000, "130.000"}};
    // clang-format on
    for (const auto& [word, shown] : channels) {
        tune_to(word);
        EXPECT_EQ(com.text(com_display), shown) << std::hex << word;
    }
    tune_to(0x2342);
    EXPECT_EQ(host.tooltip(com, 100, 20).text, "Communications Radio COM1 - 123.425 MHz");
    EXPECT_EQ(host.tooltip(com, 300, 100).text, "Communications Radio COM1 - 123.425 MHz");
    EXPECT_EQ(host.tooltip(com, switch_x, switch_y).text, "COM1 main switch (on)");
}

TEST_F(ComRadio, TheFrequencyWindowLightsForSixtyCallsAfterItsButton) {
    tune_to(0x2180);
    EXPECT_TRUE(com.hidden(com_display)) << "dark at load";
    EXPECT_TRUE(host.click(com, display_x, display_y));
    for (int call = 1; call <= 60; ++call) {
        host.update();
        ASSERT_FALSE(com.hidden(com_display)) << "call " << call;
    }
    host.update();
    EXPECT_TRUE(com.hidden(com_display));

    host.click(com, display_x, display_y);
    host.update(30);
    host.click(com, display_x, display_y);  // pressed again: the count starts over
    host.update(59);
    EXPECT_FALSE(com.hidden(com_display));
    host.update();
    EXPECT_FALSE(com.hidden(com_display));
    host.update();
    EXPECT_TRUE(com.hidden(com_display));
}

TEST_F(ComRadio, SwitchingOffHidesTheWindowWithoutCountingAndSwitchingOnDoesNotRelightAnEmptyCount) {
    tune_to(0x2180);
    host.click(com, display_x, display_y);
    host.update(10);
    host.click(com, switch_x, switch_y);  // off
    host.update(100);
    EXPECT_TRUE(com.hidden(com_display));
    EXPECT_EQ(com.icon_bitmap(com_main_switch), 1140);
    EXPECT_EQ(com.icon_bitmap(com_lamp), std::nullopt);
    EXPECT_EQ(host.tooltip(com, switch_x, switch_y).text, "COM1 main switch (off)");
    host.click(com, switch_x, switch_y);  // on again: fifty calls were left
    host.update(50);
    EXPECT_FALSE(com.hidden(com_display));
    host.update();
    EXPECT_TRUE(com.hidden(com_display));
    EXPECT_EQ(com.icon_bitmap(com_main_switch), 1141);
    EXPECT_EQ(com.icon_bitmap(com_lamp), 1130);

    host.click(com, switch_x, switch_y);
    host.update();
    host.click(com, display_x, display_y);
    host.click(com, up_x, knob_y);
    host.click(com, down_x, knob_y, MouseButton::right);
    host.update();
    EXPECT_TRUE(host.key_events().empty()) << "without power only the main switch works";
    EXPECT_TRUE(com.hidden(com_display));
}

TEST_F(ComRadio, TuningEndToEndThroughTheSimulator) {
    tune_to(0x2180);
    for (int i = 0; i < 3; ++i) {
        host.click(com, up_x, knob_y);
        host.update();
    }
    EXPECT_EQ(com.text(com_display), "121.875");
    host.click(com, up_x, knob_y, MouseButton::right);
    host.update();
    EXPECT_EQ(com.text(com_display), "122.875");
    host.click(com, down_x, knob_y, MouseButton::right);
    host.click(com, down_x, knob_y, MouseButton::right);
    host.update();
    EXPECT_EQ(com.text(com_display), "120.875");
    EXPECT_EQ(host.variables().word(23), 0x2087u) << "the simulator keeps hundredths";
    host.hold(com, down_x, knob_y, 3);
    host.update();
    EXPECT_EQ(com.text(com_display), "120.775") << "a held button repeats the fine step";
    EXPECT_EQ(host.tooltip(com, 100, 20).text, "Communications Radio COM1 - 120.775 MHz");
}

TEST_F(ComRadio, TextsStayWithinTheWindowForWordsOutsideTheBand) {
    for (std::uint32_t word : {0x0000u, 0xFFFFu, 0xFFFFFFFFu, 0x9999u}) {
        tune_to(word);
        EXPECT_EQ(com.text(com_display).size(), 7u) << std::hex << word;
        EXPECT_LT(host.tooltip(com, 100, 20).text.size(), 80u);
    }
    tune_to(0x0000);
    EXPECT_EQ(com.text(com_display), "1677731") << "cut to seven characters";
}

TEST(ComRadioSound, TheMainSwitchAndTheDisplayButtonClickTuningDoesNot) {
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
    host.click(com, switch_x, switch_y);  // off
    host.click(com, display_x, display_y);
    host.click(com, switch_x, switch_y);  // on
    host.click(com, display_x, display_y);
    host.click(com, up_x, knob_y);
    EXPECT_EQ(host.sounds_played(),
              (std::vector<korvel::host::PlayedSound>{{"Radio_COM", 30}, {"Radio_COM", 30}, {"Radio_COM", 30}}))
        << "main switch twice and the display button with power; tuning is silent";
}

// The radio's click is a Microsoft ADPCM wave, which DirectSound's secondary
// buffers cannot mix: the radio hands over its decoded PCM instead.
TEST(ComRadioSound, ItsCompressedWaveReachesDirectSoundAsStereoPcm) {
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
    const auto& log = host.platform_log();
    const auto& calls = log.calls;
    EXPECT_EQ(std::find(calls.begin(), calls.end(), "CreateSoundBuffer refused"), calls.end());
    ASSERT_EQ(log.formats_offered.size(), 1u);
    const platform::WaveFormatSeen& f = log.formats_offered[0].format;
    EXPECT_EQ(f.format_tag, 1) << "PCM";
    EXPECT_EQ(f.channels, 2);
    EXPECT_EQ(f.samples_per_second, 22050u);
    EXPECT_EQ(f.bits_per_sample, 16);
    EXPECT_EQ(f.block_align, 4);
    EXPECT_EQ(f.average_bytes_per_second, 22050u * 4);
    EXPECT_EQ(f.extra_size, 0);
    ASSERT_EQ(log.buffers.size(), 1u);
    EXPECT_EQ(log.buffers[0].bytes, 1012u * 4) << "one block of 1012 stereo frames";
    EXPECT_EQ(host.wave_in_buffer(0), 30u);
    host.click(com, switch_x, switch_y);
    EXPECT_EQ(host.sounds_played(), (std::vector<korvel::host::PlayedSound>{{"Radio_COM", 30}}));
    host.kill(com);
    EXPECT_EQ(log.live_devices(), 0);
    EXPECT_EQ(log.live_buffers(), 0);
}

}  // namespace
