// Engine start and shut-down, the throttle quadrant and the flaps indicator.
// The radio flags, the feel of the throttle and the faces are in
// systems_faces_test.cpp.
#include <limits>

#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

TEST(EngineOn, KeepsTheSystemBehindToken620InStepWithToken625) {
    Host host;
    PlacedGauge& engine_on = host.place("Engine_On");
    const auto switches_after = [&](double system, double regime) {
        host.variables().set(620, system);
        host.variables().set(625, regime);
        host.clear_logs();
        host.update(engine_on);
        return host.key_events().count(0x10348);
    };
    EXPECT_EQ(switches_after(0, 50), 1u);
    EXPECT_EQ(switches_after(0, 49.99), 0u);
    EXPECT_EQ(switches_after(1, 49.99), 1u);
    EXPECT_EQ(switches_after(1, 50), 0u);
    EXPECT_EQ(switches_after(0.5, 0), 0u);
    EXPECT_EQ(switches_after(0.5, 100), 0u);
    EXPECT_EQ(switches_after(std::nan(""), 100), 0u);
    EXPECT_EQ(switches_after(0, std::nan("")), 0u);
    EXPECT_EQ(switches_after(1, std::nan("")), 0u);
    host.variables().set(620, 0);
    host.variables().set(625, 80);
    host.update(engine_on);
    EXPECT_EQ(host.variables().number(620), 1.0) << "the simulator switched it over";
    host.clear_logs();
    host.update(engine_on);
    EXPECT_TRUE(host.key_events().empty());
}

TEST(Throttle, AClickSetsTheThrottleByItsHeightInTheBox) {
    Host host;
    PlacedGauge& throttle = host.place("Throttle_Quadrant");
    const std::pair<std::int32_t, std::uint32_t> clicks[] = {{0, 16384}, {121, 8225}, {242, 67}};
    for (const auto& [y, value] : clicks) {
        host.clear_logs();
        EXPECT_TRUE(host.click(throttle, 40, y));
        EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1011C, value}})) << y;
    }
    EXPECT_EQ(host.tooltip(throttle, 40, 100).help_id, 0x31A0u);
}

TEST(Throttle, ADragMovesTheLeverAndHoldsItAtTheEndsBeyondTheBox) {
    Host host;
    PlacedGauge& throttle = host.place("Throttle_Quadrant");
    const PixelPoint path[] = {{40, 200}, {40, 100}, {40, -50}, {40, 400}};
    EXPECT_TRUE(host.drag(throttle, 40, 242, path));
    const auto events = host.key_events().entries();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[1].value, std::uint32_t((1.0 - 200.0 / 243) * 16384));
    EXPECT_EQ(events[3].value, 16384u);
    EXPECT_EQ(events[4].value, 0u);

    // A pointer dragged to the ends of the coordinate range holds the lever
    // at its ends too.
    host.clear_logs();
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    const PixelPoint far_off[] = {{lowest, lowest}, {highest, highest}};
    EXPECT_TRUE(host.drag(throttle, 40, 100, far_off));
    const auto held = host.key_events().entries();
    ASSERT_EQ(held.size(), 3u);
    EXPECT_EQ(held[1].value, 16384u);
    EXPECT_EQ(held[2].value, 0u);
}

TEST(FlapsIndicator, TheNeedleClosesAnEighthOfTheWayEachUpdate) {
    Host host;
    PlacedGauge& flaps = host.place("Flaps_Indicator");
    host.variables().set(330, 16383);
    host.update();
    EXPECT_EQ(flaps.element(2).value, 2047.875);
    for (int update = 2; update <= 28; ++update) host.update();
    EXPECT_LT(flaps.element(2).value, 16000.0);
    host.update();
    EXPECT_GT(flaps.element(2).value, 16000.0) << "past 16000 at the 29th update";
    host.variables().set(330, 16380);
    host.update(300);
    EXPECT_TRUE(points_at(flaps, 2, 90, 158)) << "fully down";
    host.variables().set(330, 0);
    host.update(300);
    EXPECT_TRUE(points_at(flaps, 2, 90, 26));
    EXPECT_NEAR(flaps.needle_pose(2).angle, 360.0, 1e-9) << "up, having swung through the left half";
    EXPECT_EQ(host.tooltip(flaps, 90, 90).help_id, 0xAB24u);
    host.fail(20);
    host.variables().set(330, 8000);
    host.update();
    EXPECT_NEAR(flaps.element(2).value, 1000.0, 1e-9) << "the electrical panel's failure does not hold it";
}

TEST(FlapsIndicator, OneBadReadingDoesNotHoldTheNeedle) {
    Host host;
    PlacedGauge& flaps = host.place("Flaps_Indicator");
    host.variables().set(330, 8000);
    host.update(50);
    const double before = flaps.element(2).value;
    for (double bad : {std::nan(""), double(INFINITY), -double(INFINITY)}) {
        host.variables().set(330, bad);
        host.update();
        EXPECT_EQ(flaps.element(2).value, before) << bad;
    }
    host.variables().set(330, 0);
    host.update();
    EXPECT_EQ(flaps.element(2).value, before * 0.875);
}

}  // namespace
