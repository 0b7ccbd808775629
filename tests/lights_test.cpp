// The warning and status lights: their tooltips, the test's count kept per
// light, and the gear lights down and locked and blinking out of step.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

constexpr std::size_t lamp = 1;
enum { right_bar = 1, nose_bar = 2, left_bar = 3, right_dot = 4, nose_dot = 5, left_dot = 6 };

std::optional<std::int32_t> shown(Host& host, PlacedGauge& light) {
    host.update(light);
    return light.icon_bitmap(lamp);
}

// Thresholds, test buttons and the inputs of each light are in
// systems_faces_test.cpp.
TEST(Lights, TooltipsAndThePitotHeatTooltipShowsWhatTheLightLastSaw) {
    Host host;
    // clang-format off
    const std::pair<const char*, std::uint32_t> host_texts[] = {{"Fire_Light", 0x3030},
                                                                {"Low_Oil_Press_Light", 0x3031}};
    // clang-format on
    for (const auto& [name, id] : host_texts) EXPECT_EQ(host.tooltip(host.place(name), 10, 10).help_id, id) << name;
    // clang-format off
    const std::pair<const char*, const char*> texts[] = {{"Flaps_Light", "Flaps warning light"},
                                                         {"Gear_Warning_Light", "Gear warning light"},
                                                         {"Gear_Forgotten_Light", "Gear down forgotten light"},
                                                         {"Generator_Light", "Generator off light"},
                                                         {"Speed_Brake_Light", "Speed brake warning light"}};
    // clang-format on
    for (const auto& [name, text] : texts) EXPECT_EQ(host.tooltip(host.place(name), 10, 10).text, text) << name;

    PlacedGauge& pitot = host.place("Pitot_Heat_Light");
    host.variables().set(13, 1);
    EXPECT_EQ(host.tooltip(pitot, 10, 10).text, "Pitot heat light (Pitot heat off)")
        << "the tooltip shows what the light last saw";
    EXPECT_EQ(shown(host, pitot), 3151);
    EXPECT_EQ(host.tooltip(pitot, 10, 10).text, "Pitot heat light (Pitot heat on)");
    host.variables().set(13, 0);
    EXPECT_EQ(host.tooltip(pitot, 10, 10).text, "Pitot heat light (Pitot heat on)");
    EXPECT_EQ(shown(host, pitot), std::nullopt);
    EXPECT_EQ(host.tooltip(pitot, 10, 10).text, "Pitot heat light (Pitot heat off)");
}

TEST(Lights, TheTestCountsOnlyTheUpdatesOfTheLightItself) {
    Host host;
    PlacedGauge& fire = host.place("Fire_Light");
    PlacedGauge& flaps = host.place("Flaps_Light");
    host.click(fire, 20, 20);
    for (int i = 0; i < 40; ++i) host.update(flaps);
    EXPECT_EQ(shown(host, fire), 2230) << "the fire light was not drawn meanwhile";
    EXPECT_EQ(shown(host, flaps), std::nullopt) << "lights do not share their test";
}

class GearLights : public testing::Test {
protected:
    void gear(double nose, double left, double right) {
        host.variables().set(332, nose);
        host.variables().set(333, left);
        host.variables().set(334, right);
    }
    void approach(double airspeed, double regime, double lever) {
        host.variables().set(61, airspeed);
        host.variables().set(625, regime);
        host.variables().set(614, lever);
    }
    std::optional<std::int32_t> at_clock(PlacedGauge& g, double seconds, std::size_t element = lamp) {
        host.variables().set(604, seconds);
        host.update(g);
        return g.icon_bitmap(element);
    }
    Host host;
    PlacedGauge& warning = host.place("Gear_Warning_Light");
    PlacedGauge& forgotten = host.place("Gear_Forgotten_Light");
    PlacedGauge& position = host.place("Gear_Lights");
};

TEST_F(GearLights, DownAndLockedTheWarningLightIsSteadyGreenAndTheBarsLit) {
    gear(16383, 16383, 16383);
    for (double airspeed : {0.0, 120.0, 400.0}) {
        approach(airspeed, 60, 30);
        for (double t : {0.1, 0.3, 0.6, 0.8}) {
            EXPECT_EQ(at_clock(warning, t), 2191);
            EXPECT_EQ(at_clock(forgotten, t), std::nullopt);
        }
    }
    host.update(position);
    EXPECT_EQ(position.icon_bitmap(right_bar), 1480);
    EXPECT_EQ(position.icon_bitmap(nose_bar), 1470);
    EXPECT_EQ(position.icon_bitmap(left_bar), 1460);
    for (std::size_t dot : {right_dot, nose_dot, left_dot}) EXPECT_EQ(position.icon_bitmap(dot), std::nullopt);
    EXPECT_EQ(host.tooltip(position, 75, 75).help_id, 0xAB31u);
}

TEST_F(GearLights, TheThreeDotsDriftInAndOutOfStep) {
    gear(8000, 8000, 8000);
    // clang-format off
    const std::pair<double, std::array<bool, 3>> moments[] = {
        {0.258, {false, false, true}},   // past 0.255 only: the left dot (0.51)
        {0.262, {true, false, true}},    // past 0.26: the right dot (0.52) too
        {0.27, {true, true, true}},      // past 0.265: all three
        {0.515, {true, true, false}},    // the left dot has started its next period
        {0.525, {false, true, false}},
    };
    // clang-format on
    for (const auto& [t, lit] : moments) {
        host.variables().set(604, t);
        host.update(position);
        EXPECT_EQ(position.icon_bitmap(right_dot).has_value(), lit[0]) << t;
        EXPECT_EQ(position.icon_bitmap(nose_dot).has_value(), lit[1]) << t;
        EXPECT_EQ(position.icon_bitmap(left_dot).has_value(), lit[2]) << t;
    }
}

}  // namespace
