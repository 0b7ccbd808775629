// The warning and status lights: their thresholds, their press-to-test and
// the blinking gear lights.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

constexpr std::size_t lamp = 1;
enum { right_bar = 1, nose_bar = 2, left_bar = 3, right_dot = 4, nose_dot = 5, left_dot = 6 };

std::optional<std::int32_t> shown(Host& host, PlacedGauge& light) {
    host.update(light);
    return light.icon_bitmap(lamp);
}

TEST(Lights, FireAndLowOilPressureThresholds) {
    Host host;
    PlacedGauge& fire = host.place("Fire_Light");
    PlacedGauge& oil = host.place("Low_Oil_Press_Light");
    host.variables().set(887, 0);
    EXPECT_EQ(shown(host, fire), std::nullopt);
    host.variables().set(887, 1e-9);
    EXPECT_EQ(shown(host, fire), 2230);
    host.variables().set(418, 2879.9);
    EXPECT_EQ(shown(host, oil), 2480);
    host.variables().set(418, 2880);
    EXPECT_EQ(shown(host, oil), std::nullopt) << "exactly 2880 is enough pressure";
    EXPECT_EQ(host.tooltip(fire, 10, 10).help_id, 0x3030u);
    EXPECT_EQ(host.tooltip(oil, 10, 10).help_id, 0x3031u);
}

TEST(Lights, TheFlapsLightBrightensInThreeSteps) {
    Host host;
    PlacedGauge& flaps = host.place("Flaps_Light");
    const std::pair<double, std::optional<std::int32_t>> cases[] = {
        {0, std::nullopt}, {4700, std::nullopt}, {4701, 2210}, {8000, 2210},
        {8001, 2211},      {16000, 2211},       {16001, 2212}, {16383, 2212}};
    for (const auto& [position, image] : cases) {
        host.variables().set(330, position);
        EXPECT_EQ(shown(host, flaps), image) << position;
    }
    EXPECT_EQ(host.tooltip(flaps, 10, 10).text, "Flaps warning light");
}

TEST(Lights, TheSpeedBrakeLightShowsItsUnlitLensRatherThanNothing) {
    Host host;
    PlacedGauge& brake = host.place("Speed_Brake_Light");
    host.variables().set(326, 0);
    EXPECT_EQ(shown(host, brake), 2180);
    host.variables().set(326, 8000);
    EXPECT_EQ(shown(host, brake), 2180);
    host.variables().set(326, 8001);
    EXPECT_EQ(shown(host, brake), 2181);
}

TEST(Lights, GeneratorAndPitotHeat) {
    Host host;
    PlacedGauge& generator = host.place("Generator_Light");
    PlacedGauge& pitot = host.place("Pitot_Heat_Light");
    const struct {
        double load, voltage;
        bool lit;
    } generator_cases[] = {{0, 24, true}, {9.9, 20.1, true}, {10, 24, false}, {0, 20, false}, {50, 28, false}};
    for (const auto& c : generator_cases) {
        host.variables().set(761, c.load);
        host.variables().set(759, c.voltage);
        EXPECT_EQ(shown(host, generator), c.lit ? std::optional<std::int32_t>(3100) : std::nullopt)
            << c.load << " " << c.voltage;
    }
    EXPECT_EQ(host.tooltip(generator, 10, 10).text, "Generator off light");

    host.variables().set(13, 1);
    EXPECT_EQ(host.tooltip(pitot, 10, 10).text, "Pitot heat light (Pitot heat off)")
        << "the tooltip shows what the light last saw";
    EXPECT_EQ(shown(host, pitot), 3151);
    EXPECT_EQ(host.tooltip(pitot, 10, 10).text, "Pitot heat light (Pitot heat on)");
    host.variables().set(13, 0);
    EXPECT_EQ(shown(host, pitot), std::nullopt);
    EXPECT_EQ(host.tooltip(pitot, 10, 10).text, "Pitot heat light (Pitot heat off)");
}

TEST(Lights, APressLightsTheTestImageUntil27UpdatesAfterTheLastCall) {
    struct Case {
        const char* gauge;
        std::int32_t test_image;
        std::int32_t x, y;
    };
    for (const Case& c : {Case{"Fire_Light", 2230, 20, 20}, Case{"Flaps_Light", 2211, 30, 30},
                          Case{"Gear_Warning_Light", 2191, 30, 30}, Case{"Gear_Forgotten_Light", 2191, 30, 30},
                          Case{"Speed_Brake_Light", 2181, 30, 30}}) {
        SCOPED_TRACE(c.gauge);
        Host host;
        host.variables().set(332, 0);  // so the gear warning light would be dark
        PlacedGauge& light = host.place(c.gauge);
        const auto idle = shown(host, light);
        EXPECT_TRUE(host.click(light, c.x, c.y));
        for (int update = 1; update <= 27; ++update) ASSERT_EQ(shown(host, light), c.test_image) << update;
        EXPECT_EQ(shown(host, light), idle);

        host.hold(light, c.x, c.y, 5);
        host.update(light);
        host.hold(light, c.x, c.y, 5);  // held: each repeated call starts it over
        for (int update = 1; update <= 27; ++update) ASSERT_EQ(shown(host, light), c.test_image) << update;
        EXPECT_EQ(shown(host, light), idle);
    }
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

TEST_F(GearLights, ForgottenGearBlinksBothLightsRedEveryHalfSecond) {
    gear(0, 0, 0);
    approach(120, 60, 30);
    EXPECT_EQ(at_clock(warning, 100.3), 2192);
    EXPECT_EQ(at_clock(forgotten, 100.3), 2192);
    EXPECT_EQ(at_clock(warning, 100.1), std::nullopt);
    EXPECT_EQ(at_clock(forgotten, 100.1), std::nullopt);
    EXPECT_EQ(at_clock(forgotten, 100.25), std::nullopt) << "the phase is on only past the threshold";
    EXPECT_EQ(at_clock(forgotten, 100.49), 2192);

    approach(150, 60, 30);
    EXPECT_EQ(at_clock(warning, 100.3), std::nullopt) << "at 150 knots the gear is not forgotten";
    EXPECT_EQ(at_clock(forgotten, 100.3), std::nullopt);
    approach(120, 90, 30);
    EXPECT_EQ(at_clock(forgotten, 100.3), std::nullopt);
    approach(120, 60, 61);
    EXPECT_EQ(at_clock(forgotten, 100.3), std::nullopt);
    approach(120, 60, 60.9);
    EXPECT_EQ(at_clock(forgotten, 100.3), 2192);
}

TEST_F(GearLights, ALegInTransitBlinksItsOwnDotAndDarkensTheWarningLight) {
    gear(16383, 5000, 16383);
    approach(200, 95, 80);
    EXPECT_EQ(at_clock(warning, 0.3), std::nullopt) << "no leg below 100, not all at 16000 or more";
    EXPECT_EQ(at_clock(position, 0.3, left_bar), std::nullopt);
    EXPECT_EQ(position.icon_bitmap(right_bar), 1480);
    EXPECT_EQ(position.icon_bitmap(right_dot), std::nullopt);
    EXPECT_EQ(position.icon_bitmap(nose_dot), std::nullopt);
    EXPECT_EQ(position.icon_bitmap(left_dot), 1490) << "0.3 is past half of 0.51";
    EXPECT_EQ(at_clock(position, 0.2, left_dot), std::nullopt);
    gear(16300, 50, 49);
    host.update(position);
    EXPECT_EQ(at_clock(position, 0.4, right_dot), std::nullopt) << "a leg at 49 is up";
    EXPECT_EQ(position.icon_bitmap(left_dot), 1490) << "50 is in transit";
    EXPECT_EQ(position.icon_bitmap(nose_dot), 1490) << "16300 is not yet down";
    EXPECT_EQ(position.icon_bitmap(nose_bar), std::nullopt);
}

TEST_F(GearLights, TheThreeDotsDriftInAndOutOfStep) {
    gear(8000, 8000, 8000);
    const std::pair<double, std::array<bool, 3>> moments[] = {
        {0.258, {false, false, true}},   // past 0.255 only: the left dot (0.51)
        {0.262, {true, false, true}},    // past 0.26: the right dot (0.52) too
        {0.27, {true, true, true}},      // past 0.265: all three
        {0.515, {true, true, false}},    // the left dot has started its next period
        {0.525, {false, true, false}},
    };
    for (const auto& [t, lit] : moments) {
        host.variables().set(604, t);
        host.update(position);
        EXPECT_EQ(position.icon_bitmap(right_dot).has_value(), lit[0]) << t;
        EXPECT_EQ(position.icon_bitmap(nose_dot).has_value(), lit[1]) << t;
        EXPECT_EQ(position.icon_bitmap(left_dot).has_value(), lit[2]) << t;
    }
}

}  // namespace
