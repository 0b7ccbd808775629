// Engine start and shut-down, the throttle quadrant and the flaps indicator.
#include <limits>

#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

TEST(EngineOn, SwitchesEveryRadioOnWhenItsWindowOpens) {
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& nav = host.place("Radio_NAV1");
    PlacedGauge& iff = host.place("Radio_IFF");
    host.click(com, 70, 80);
    host.click(nav, 240, 100);  // ident on
    host.click(nav, 110, 100);
    host.click(iff, 40, 40);
    host.clear_logs();
    PlacedGauge& engine_on = host.place("Engine_On");
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1012C, 0}, {0x10128, 0}, {0x10129, 0},
                                                                   {0x103BE, 0}, {0x1017F, 16383}}));
    host.update();
    EXPECT_EQ(com.icon_bitmap(2), 1141);
    EXPECT_EQ(nav.icon_bitmap(9), 1251);
    EXPECT_EQ(nav.icon_bitmap(8), 1260) << "the ident is off";
    EXPECT_EQ(iff.icon_bitmap(7), 1421);
    EXPECT_EQ(host.simulator().engine_on_lever, 16383u);

    host.clear_logs();
    host.connect(engine_on);  // connected again: the same writes
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1012C, 0}, {0x10128, 0}, {0x10129, 0},
                                                                   {0x1017F, 16383}}))
        << "token 895 is now set, so 0x103BE is not sent again";
}

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
    host.variables().set(620, 0);
    host.variables().set(625, 80);
    host.update(engine_on);
    EXPECT_EQ(host.variables().number(620), 1.0) << "the simulator switched it over";
    host.clear_logs();
    host.update(engine_on);
    EXPECT_TRUE(host.key_events().empty());
}

TEST(ShutDown, SwitchesEveryRadioOffOnlyWhenItsConditionHolds) {
    Host host;
    PlacedGauge& adf = host.place("Radio_ADF");
    host.variables().set(60, 0);
    host.clear_logs();
    host.place("Shut_Down");
    EXPECT_TRUE(host.key_events().empty());
    host.update();
    EXPECT_EQ(adf.icon_bitmap(9), 1331) << "the radios stay on";

    host.variables().set(60, 1);
    host.clear_logs();
    host.place("Shut_Down");
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1012C, 0}, {0x10128, 0}, {0x10129, 0}}));
    host.update();
    EXPECT_EQ(adf.icon_bitmap(9), 1330);
    EXPECT_EQ(adf.icon_bitmap(8), std::nullopt);
}

TEST(Throttle, AClickSetsTheThrottleByHeightAndTheLeverFollowsTheSimulator) {
    Host host;
    PlacedGauge& throttle = host.place("Throttle_Quadrant");
    const std::pair<std::int32_t, std::uint32_t> clicks[] = {{0, 16384}, {121, 8225}, {242, 67}};
    for (const auto& [y, value] : clicks) {
        host.clear_logs();
        EXPECT_TRUE(host.click(throttle, 40, y));
        EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1011C, value}})) << y;
    }
    host.clear_logs();
    EXPECT_FALSE(host.click(throttle, 40, 243));
    EXPECT_FALSE(host.click(throttle, 11, 100));
    EXPECT_FALSE(host.click(throttle, 78, 100));
    EXPECT_TRUE(host.key_events().empty());

    host.click(throttle, 40, 0);
    host.update();
    EXPECT_EQ(throttle.element(1).y, 1.0);
    const auto& lever = *reinterpret_cast<const SliderElement*>(throttle.element(1).record);
    EXPECT_EQ(lever.y_scale, -158.0) << "drawn at the top of the slot, fully open";
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

TEST(FlapsIndicator, TheFaceFollowsTheUnitSwitch) {
    Host host;
    PlacedGauge& flaps = host.place("Flaps_Indicator");
    PlacedGauge& tc = host.place("Turn_Coordinator");
    host.update();
    EXPECT_EQ(flaps.icon_bitmap(1), std::nullopt) << "UP and DOWN";
    host.click(tc, 120, 120);
    host.update();
    EXPECT_EQ(flaps.icon_bitmap(1), 2350) << "LEVE and BAISSE";
}

}  // namespace
