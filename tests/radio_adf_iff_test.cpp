// The ADF receiver and the transponder.
#include "host/core/simulation.h"
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum {
    adf_dial = 1,
    adf_ring = 2,
    adf_window = 4,
    adf_fine_knob = 5,
    adf_band_knob = 6,
    adf_tone = 7,
    adf_lamp = 8,
    adf_main = 9
};
enum { iff_units = 1, iff_tens = 2, iff_hundreds = 3, iff_thousands = 4, iff_ident = 5, iff_lamp = 6, iff_main = 7 };

constexpr std::int32_t band_down_x = 160, band_up_x = 190, band_y = 140;
constexpr std::int32_t tune_down_x = 260, tune_up_x = 290, tune_y = 40;
constexpr std::int32_t adf_display_x = 100, adf_display_y = 20;
constexpr std::int32_t adf_main_x = 270, adf_main_y = 200, adf_tone_x = 80, adf_tone_y = 200;

void set_adf(Host& host, double khz) {
    korvel::host::set_adf_tenths(host.variables(), static_cast<std::uint32_t>(std::lround(khz * 10)));
}

class AdfRadio : public testing::Test {
protected:
    PlacedGauge& install_at(double khz) {
        set_adf(host, khz);
        PlacedGauge& g = host.place("Radio_ADF");
        host.update();
        return g;
    }
    double frequency() const { return korvel::host::adf_tenths(const_cast<Host&>(host).variables()) / 10.0; }
    Host host;
};

TEST_F(AdfRadio, TheBandIsChosenFromTheFrequencyAtInstall) {
    PlacedGauge& adf = install_at(345.0);
    EXPECT_EQ(adf.element(adf_band_knob).value, 1.0);
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 72.5);
    EXPECT_EQ(adf.element(adf_ring).rotation, 0.0);
    EXPECT_EQ(host.key_events()[0], (KeyEvent{0x1012C, 0})) << "the ADF audio goes off at install";

    set_adf(host, 410.0);
    host.service(adf, 2, host.library().handle());
    host.update();
    EXPECT_EQ(adf.element(adf_band_knob).value, 1.0);
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 105.0);

    set_adf(host, 410.1);
    host.service(adf, 2, host.library().handle());
    host.update();
    EXPECT_EQ(adf.element(adf_band_knob).value, 2.0);
    EXPECT_NEAR(adf.element(adf_dial).value, 0.04, 1e-9);
    EXPECT_EQ(adf.element(adf_ring).rotation, -90.0);
    EXPECT_NEAR(adf.needle_pose(adf_band_knob).angle, 90.0, 1e-9) << "the band knob a quarter turn on";

    set_adf(host, 850.0);
    host.service(adf, 2, host.library().handle());
    host.update();
    EXPECT_EQ(adf.element(adf_band_knob).value, 2.0);
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 176.0);

    set_adf(host, 850.1);
    host.service(adf, 2, host.library().handle());
    host.update();
    EXPECT_EQ(adf.element(adf_band_knob).value, 3.0);
    EXPECT_NEAR(adf.element(adf_dial).value, 0.03, 1e-9);

    set_adf(host, 1200.0);
    host.service(adf, 2, host.library().handle());
    host.update();
    EXPECT_EQ(adf.element(adf_band_knob).value, 3.0);
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 105.0);

    // Installed without power, the pointer stands where the install put it.
    host.click(adf, adf_main_x, adf_main_y);
    set_adf(host, 345.0);
    host.service(adf, 2, host.library().handle());
    host.update();
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 72.5);
}

TEST_F(AdfRadio, TheBandSelectorSetsTheFrequencyToABandEdge) {
    PlacedGauge& adf = install_at(345.0);
    host.clear_logs();
    host.click(adf, band_up_x, band_y);
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1024A, 0x4100}}));
    EXPECT_EQ(frequency(), 410.0);
    host.update();
    EXPECT_EQ(adf.element(adf_dial).value, 0.0);
    EXPECT_EQ(adf.element(adf_band_knob).value, 2.0);
    host.click(adf, band_up_x, band_y);
    EXPECT_EQ(host.key_events().entries().back(), (KeyEvent{0x1024A, 0x8500}));
    host.click(adf, band_up_x, band_y);
    EXPECT_EQ(host.key_events().size(), 2u) << "no band above the third";
    host.update();
    EXPECT_EQ(adf.element(adf_ring).rotation, -180.0);

    host.clear_logs();
    host.click(adf, band_down_x, band_y);
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1024A, 0x8500}}));
    host.update();
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 176.0) << "850 kHz is the top of the middle band";
    host.click(adf, band_down_x, band_y);
    EXPECT_EQ(host.key_events().entries().back(), (KeyEvent{0x1024A, 0x4100}));
    host.update();
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 105.0);
    host.click(adf, band_down_x, band_y);
    EXPECT_EQ(host.key_events().size(), 2u);
}

TEST_F(AdfRadio, TheTuningKnobStepsFiveOrHalfAKilohertzWithinTheBand) {
    PlacedGauge& adf = install_at(345.0);
    host.clear_logs();
    host.click(adf, tune_up_x, tune_y, MouseButton::right);
    EXPECT_EQ(host.key_events().entries(), std::vector<KeyEvent>(5, {0x103EE, 0}));
    host.update();
    EXPECT_EQ(frequency(), 350.0);
    EXPECT_EQ(adf.element(adf_fine_knob).value, 65.0);
    host.click(adf, tune_down_x, tune_y);
    host.update();
    EXPECT_EQ(frequency(), 349.5);
    EXPECT_EQ(adf.element(adf_fine_knob).value, 64.0);
    EXPECT_EQ(adf.text(adf_window), " 349.50");

    set_adf(host, 847.0);
    host.click(adf, band_up_x, band_y);  // band 2
    set_adf(host, 847.0);
    host.update();
    host.clear_logs();
    host.click(adf, tune_up_x, tune_y, MouseButton::right);
    EXPECT_TRUE(host.key_events().empty()) << "847 leaves no room for 5 kHz";
    host.click(adf, tune_up_x, tune_y);
    EXPECT_EQ(host.key_events().entries(), std::vector<KeyEvent>(5, {0x1039E, 0}));

    host.click(adf, band_down_x, band_y);  // band 1
    set_adf(host, 200.0);
    host.update();
    host.clear_logs();
    host.click(adf, tune_down_x, tune_y);
    host.click(adf, tune_down_x, tune_y, MouseButton::right);
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_EQ(adf.element(adf_fine_knob).value, 65.0) << "a refused step leaves the knob";
}

TEST_F(AdfRadio, TheWindowShowsTheFrequencyForSixtyCallsAndTheTooltipZeroFilled) {
    PlacedGauge& adf = install_at(345.0);
    EXPECT_EQ(adf.text(adf_window), " 345.00");
    EXPECT_TRUE(adf.hidden(adf_window));
    host.click(adf, adf_display_x, adf_display_y);
    host.update(60);
    EXPECT_FALSE(adf.hidden(adf_window));
    host.update();
    EXPECT_TRUE(adf.hidden(adf_window));
    EXPECT_EQ(host.tooltip(adf, 200, 50).text, "Navigation Radio ADF - 0345.00 MHz");
    host.variables().set_word(16, 0x0345);
    host.variables().set_word(18, 0x0105);
    host.update();
    EXPECT_EQ(host.tooltip(adf, 200, 50).text, "Navigation Radio ADF - 1345.50 MHz");
    host.variables().set_word(16, 0xFFFFFFFF);
    host.variables().set_word(18, 0xFFFFFFFF);
    host.update();
    EXPECT_EQ(adf.text(adf_window).size(), 7u);
}

TEST_F(AdfRadio, ToneAndPower) {
    PlacedGauge& adf = install_at(345.0);
    EXPECT_EQ(host.tooltip(adf, adf_tone_x, adf_tone_y).text, "Tone switch (off)");
    host.click(adf, adf_tone_x, adf_tone_y);
    EXPECT_EQ(host.key_events().entries().back(), (KeyEvent{0x10131, 0}));
    EXPECT_EQ(host.tooltip(adf, adf_tone_x, adf_tone_y).text, "Tone switch (on)")
        << "the tooltip reads the simulator's audio";
    host.update();
    EXPECT_EQ(adf.icon_bitmap(adf_tone), 1351);

    host.click(adf, adf_main_x, adf_main_y);  // off
    host.clear_logs();
    const double dial = adf.element(adf_dial).value;
    set_adf(host, 380.0);
    host.update(2);
    EXPECT_EQ(adf.element(adf_dial).value, dial) << "the pointer freezes without power";
    EXPECT_EQ(host.key_events().count(0x1012C), 2u) << "audio off at every update";
    EXPECT_TRUE(adf.hidden(adf_window));
    EXPECT_EQ(adf.icon_bitmap(adf_lamp), std::nullopt);
    EXPECT_EQ(adf.icon_bitmap(adf_main), 1330);
    EXPECT_EQ(host.tooltip(adf, adf_main_x, adf_main_y).text, "ADF main switch (off)");
    host.clear_logs();
    // clang-format off
    for (auto [x, y] : {std::pair{band_up_x, band_y}, {band_down_x, band_y}, {tune_up_x, tune_y},
                        {tune_down_x, tune_y}, {adf_tone_x, adf_tone_y}, {adf_display_x, adf_display_y}})
        host.click(adf, x, y);
    // clang-format on
    EXPECT_TRUE(host.key_events().empty());
    host.click(adf, adf_main_x, adf_main_y);
    host.update();
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 90.0) << "following 380 kHz again";
}

TEST_F(AdfRadio, AFrequencyOutsideTheInstalledBandTakesThePointerOffTheScale) {
    PlacedGauge& adf = install_at(345.0);
    set_adf(host, 900.0);
    host.update();
    EXPECT_DOUBLE_EQ(adf.element(adf_dial).value, 350.0);
}

TEST(AdfRadioSound, TheSelectorTheSwitchesAndTheDisplayButtonClickTuningDoesNot) {
    Host host;
    set_adf(host, 345.0);
    PlacedGauge& adf = host.place("Radio_ADF");
    host.update();
    host.click(adf, band_up_x, band_y);
    host.click(adf, tune_up_x, tune_y);
    host.click(adf, adf_tone_x, adf_tone_y);
    host.click(adf, adf_display_x, adf_display_y);
    host.click(adf, adf_main_x, adf_main_y);
    EXPECT_EQ(host.sounds_played(), std::vector<korvel::host::PlayedSound>(4, {"Radio_ADF", 30}));
}

class Transponder : public testing::Test {
protected:
    std::vector<double> code() {
        host.update();
        return {iff.element(iff_thousands).y, iff.element(iff_hundreds).y, iff.element(iff_tens).y,
                iff.element(iff_units).y};
    }
    Host host;
    PlacedGauge& iff = host.place("Radio_IFF");
};

TEST_F(Transponder, TheDrumsShowTheSimulatorsCode) {
    host.variables().set_word(38, 0x7700);
    EXPECT_EQ(code(), (std::vector<double>{7, 7, 0, 0}));
    host.variables().set_word(38, 0x0012);
    EXPECT_EQ(code(), (std::vector<double>{0, 0, 1, 2}));
    for (std::size_t drum : {iff_units, iff_tens, iff_hundreds, iff_thousands})
        EXPECT_EQ(iff.image_flags(drum), 0x83u | drum_lit_flag);
    EXPECT_EQ(host.tooltip(iff, 40, 40).text, "IFF/Transponder main switch (on)");
    EXPECT_EQ(host.tooltip(iff, 150, 20).help_id, 0x3180u);
    EXPECT_EQ(host.tooltip(iff, 10, 90).help_id, 0xA70Au);
}

TEST_F(Transponder, EachDigitAreaSendsItsEventOncePerCallAndNothingWithoutPower) {
    host.click(iff, 170, 50);
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x10075, 0}}));
    host.hold(iff, 170, 50, 2);
    EXPECT_EQ(host.key_events().count(0x10075), 4u);
    // clang-format off
    const std::pair<std::int32_t, std::uint32_t> areas[] = {
        {120, 0x10073}, {145, 0x10074}, {195, 0x10076}};
    // clang-format on
    for (const auto& [x, event] : areas) {
        host.clear_logs();
        host.click(iff, x, 50);
        host.click(iff, x, 75);
        EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{event, 0}, {event + 0x324, 0}}));
    }
    host.click(iff, 40, 40);  // off
    host.clear_logs();
    host.click(iff, 170, 50);
    host.click(iff, 170, 75);
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_EQ(code(), (std::vector<double>{7, 0, 4, 0})) << "the code stays visible, unlit";
    EXPECT_EQ(iff.image_flags(iff_units), 0x83u);
    EXPECT_EQ(iff.icon_bitmap(iff_lamp), std::nullopt);
    EXPECT_EQ(iff.icon_bitmap(iff_main), 1420);
}

TEST_F(Transponder, IdentIsAcceptedAndDoesNothing) {
    EXPECT_TRUE(host.click(iff, 220, 40));
    EXPECT_TRUE(host.key_events().empty());
    host.update();
    EXPECT_EQ(iff.icon_bitmap(iff_ident), 1440);
}

TEST_F(Transponder, ACodeChangeEndToEnd) {
    host.variables().set_word(38, 0x7000);
    host.click(iff, 120, 75);  // thousands down: 6
    host.click(iff, 145, 50);  // hundreds up twice: 2
    host.click(iff, 145, 50);
    host.click(iff, 195, 75);  // units down from 0 wraps to 7
    EXPECT_EQ(code(), (std::vector<double>{6, 2, 0, 7}));
    EXPECT_EQ(host.variables().word(38), 0x6207u);
    for (int i = 0; i < 8; ++i) host.click(iff, 170, 50);
    EXPECT_EQ(code(), (std::vector<double>{6, 2, 0, 7})) << "eight steps of a digit that runs 0 to 7";
}

TEST(TransponderSound, TheMainSwitchClicksTwiceAndChangesNoDigit) {
    Host host;
    PlacedGauge& iff = host.place("Radio_IFF");
    host.variables().set_word(38, 0x1234);
    host.update();
    host.click(iff, 40, 40);
    host.click(iff, 40, 40);
    host.click(iff, 170, 50);
    host.click(iff, 220, 40);
    host.update();
    EXPECT_EQ(host.sounds_played(), std::vector<korvel::host::PlayedSound>(2, {"Radio_IFF", 30}));
    EXPECT_EQ(host.variables().word(38), 0x1244u);
}

}  // namespace
