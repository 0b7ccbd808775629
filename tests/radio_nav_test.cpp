// The NAV receivers: the two faces of NAV1 and the NAV2 receiver.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum {
    nav_hundredths = 1,
    nav_tenths = 2,
    nav_units = 3,
    nav_tens = 4,
    nav_hundreds = 5,
    nav_fraction_knob = 6,
    nav_whole_knob = 7,
    nav_tone = 8,
    nav_main = 9,
    nav_lamp = 10
};

constexpr std::int32_t whole_down_x = 45, whole_up_x = 70, fraction_down_x = 285, fraction_up_x = 310, knob_y = 30;
constexpr std::int32_t main_x = 110, tone_x = 240, switch_y = 100;

struct Drums {
    double tens, units, tenths, hundredths;
    friend bool operator==(const Drums&, const Drums&) = default;
};

Drums drums(const PlacedGauge& nav) {
    return {nav.element(nav_tens).y, nav.element(nav_units).y, nav.element(nav_tenths).y,
            nav.element(nav_hundredths).y};
}

TEST(NavRadio, TheDrumsAndTooltipShowTheDecodedFrequency) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV1");
    host.variables().set_word(24, 0x1095);
    host.update();
    EXPECT_EQ(drums(nav), (Drums{1, 0, 9, 5}));
    EXPECT_EQ(nav.icon_bitmap(nav_hundreds), 1240) << "the fixed hundreds digit";
    EXPECT_EQ(host.tooltip(nav, 100, 30).text, "Navigation Radio NAV1 - 110.950 MHz");
    host.variables().set_word(24, 0x0850);
    host.update();
    EXPECT_EQ(drums(nav), (Drums{0, 8, 5, 0}));
    EXPECT_EQ(nav.element(nav_whole_knob).value, 108.0);
    EXPECT_EQ(nav.element(nav_fraction_knob).value, 50.0);
    EXPECT_TRUE(points_at(nav, nav_whole_knob, 61, -17));
    const auto& tens = *reinterpret_cast<const MovingImageElement*>(nav.element(nav_tens).record);
    EXPECT_EQ(tens.y_max, 1.0) << "the tens drum has two positions";
}

TEST(NavRadio, DrumsLightWithPowerAndClearTheirTopBit) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV");
    for (std::size_t drum : {nav_hundredths, nav_tenths, nav_units, nav_tens, nav_hundreds})
        nav.element(drum).record->image_flags |= image_top_bit;
    host.update();
    for (std::size_t drum : {nav_hundredths, nav_tenths, nav_units, nav_tens, nav_hundreds}) {
        EXPECT_EQ(nav.image_flags(drum), 0x83u | drum_lit_flag) << drum;
    }
    host.click(nav, main_x, switch_y);
    host.update();
    for (std::size_t drum : {nav_hundredths, nav_tenths, nav_units, nav_tens, nav_hundreds})
        EXPECT_EQ(nav.image_flags(drum), 0x83u) << drum;
    EXPECT_EQ(nav.icon_bitmap(nav_lamp), std::nullopt);
    EXPECT_EQ(nav.icon_bitmap(nav_main), 1250);
    EXPECT_EQ(host.tooltip(nav, main_x, switch_y).text, "NAV1 main switch (off)");
}

TEST(NavRadio, TheWholeKnobStopsAt108And117ReadingTheWordAtTheClick) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV1");
    host.update();
    host.clear_logs();
    host.variables().set_word(24, 0x1775);  // no update: the knob reads the word itself
    host.click(nav, whole_up_x, knob_y);
    host.click(nav, whole_down_x, knob_y);
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x10068, 0}}));
    host.variables().set_word(24, 0x0800);
    host.click(nav, whole_down_x, knob_y);
    host.click(nav, fraction_down_x, knob_y);
    host.click(nav, fraction_up_x, knob_y);
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x10068, 0}, {0x1006A, 0}, {0x1006B, 0}}))
        << "the fraction knob has no limit";
}

TEST(NavRadio, AnUnpoweredKnobStillRefreshesWhatTheFaceShows) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV1");
    host.update();
    host.click(nav, main_x, switch_y);  // off
    host.clear_logs();
    host.variables().set_word(24, 0x1420);
    host.click(nav, whole_up_x, knob_y);
    host.click(nav, fraction_up_x, knob_y);
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_EQ(host.tooltip(nav, 100, 30).text, "Navigation Radio NAV1 - 114.200 MHz");
}

TEST(NavRadio, TheToneSwitchSendsTheIdentEventsOnlyWithPower) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV1");
    host.update();
    host.clear_logs();
    host.click(nav, tone_x, switch_y);
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1012D, 0}}));
    host.update();
    EXPECT_EQ(nav.icon_bitmap(nav_tone), 1261);
    EXPECT_EQ(host.key_events().count(0x1012D), 2u) << "the audio-on event repeats at every update";
    EXPECT_EQ(host.tooltip(nav, tone_x, switch_y).text, "Tone switch (on)");
    host.click(nav, tone_x, switch_y);
    EXPECT_EQ(host.key_events().entries().back(), (KeyEvent{0x10128, 0}));
    EXPECT_TRUE(host.simulator().nav1_audio == false);

    host.click(nav, main_x, switch_y);  // off
    host.clear_logs();
    host.click(nav, tone_x, switch_y);
    EXPECT_TRUE(host.key_events().empty());
    host.update();
    EXPECT_EQ(nav.icon_bitmap(nav_tone), 1260);
}

TEST(NavRadio, SwitchingOffWithTheIdentOnSilencesItAtOnceAndAtEveryUpdateUntilPowerReturns) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV1");
    host.click(nav, tone_x, switch_y);  // ident on
    host.update();
    host.clear_logs();
    host.click(nav, main_x, switch_y);  // off
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x10128, 0}}));
    host.update(3);
    EXPECT_EQ(host.key_events().count(0x10128), 4u);
    EXPECT_EQ(host.key_events().count(0x1012D), 0u);
    EXPECT_EQ(nav.icon_bitmap(nav_tone), 1261) << "the tone switch stays on";
    host.click(nav, main_x, switch_y);  // on
    host.clear_logs();
    host.update();
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1012D, 0}}));
}

TEST(NavRadio, BothFacesOfNav1ShareOneReceiver) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    EXPECT_EQ(host.key_events().count(0x10128), 2u) << "each face silences the ident at install";
    host.click(nav1, tone_x, switch_y);
    host.update();
    EXPECT_EQ(nav.icon_bitmap(nav_tone), 1261);
    host.click(nav, main_x, switch_y);
    host.update();
    EXPECT_EQ(nav1.icon_bitmap(nav_main), 1250);
    EXPECT_EQ(nav1.icon_bitmap(nav_lamp), std::nullopt);
    EXPECT_EQ(nav.element(0).record->resource_id, 1200);
    EXPECT_EQ(nav1.element(0).record->resource_id, 1290);
}

TEST(NavRadio, Nav2HasItsOwnReceiverEventsAndFailureKey) {
    Host host;
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    host.variables().set_word(27, 0x1330);
    host.variables().set_word(24, 0x1030);
    host.update();
    EXPECT_EQ(drums(nav2), (Drums{1, 3, 3, 0}));
    EXPECT_EQ(drums(nav1), (Drums{1, 0, 3, 0}));
    host.clear_logs();
    host.click(nav2, whole_up_x, knob_y);
    host.click(nav2, fraction_down_x, knob_y);
    host.click(nav2, tone_x, switch_y);
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1006D, 0}, {0x1006E, 0}, {0x1012E, 0}}));
    EXPECT_EQ(nav2.element(nav_units).record->failures[1].key, 15u);
    EXPECT_EQ(nav1.element(nav_units).record->failures[1].key, 14u);
    EXPECT_EQ(host.tooltip(nav2, 100, 30).text.substr(0, 23), "Navigation Radio NAV2 -");
    EXPECT_EQ(host.tooltip(nav2, main_x, switch_y).text, "NAV2 main switch (on)");
    host.update();
    EXPECT_EQ(host.tooltip(nav2, 100, 30).text, "Navigation Radio NAV2 - 114.250 MHz");
}

TEST(NavRadio, TuningEndToEndThroughTheSimulator) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV1");
    host.variables().set_word(24, 0x1030);
    host.update();
    host.click(nav, fraction_up_x, knob_y);
    host.update();
    host.click(nav, fraction_up_x, knob_y);
    host.update();
    EXPECT_EQ(drums(nav), (Drums{1, 0, 4, 0}));
    host.click(nav, whole_up_x, knob_y);
    host.update();
    host.click(nav, whole_up_x, knob_y);
    host.update();
    EXPECT_EQ(host.tooltip(nav, 100, 30).text, "Navigation Radio NAV1 - 112.400 MHz");
    EXPECT_EQ(host.variables().word(24), 0x1240u);
}

TEST(NavRadio, EachFaceClicksInItsOwnSlot) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    host.click(nav1, main_x, switch_y);  // NAV1 off
    host.click(nav, main_x, switch_y);   // on again, from the other face
    host.click(nav, main_x, switch_y);   // off
    host.click(nav, tone_x, switch_y);   // without power: silent
    host.click(nav, whole_up_x, knob_y);
    EXPECT_EQ(host.sounds_played(),
              (std::vector<korvel::host::PlayedSound>{{"Radio_NAV1", 10}, {"Radio_NAV", 10}, {"Radio_NAV", 10}}));
    EXPECT_EQ(host.platform_log().devices.size(), 2u);
}

}  // namespace
