// Clock, accelerometer and cabin altimeter.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum { clock_hour = 1, clock_minute = 2, clock_second = 3 };
enum { accel_load = 1, accel_min = 2, accel_max = 3 };
enum { cabin_face = 1, cabin_needle = 2 };

constexpr double g = 624.0;  // one g in the load factor's units

TEST(Clock, TheHandsShowTheTimeOfDay) {
    Host host;
    PlacedGauge& clock = host.place("Clock");
    set_and_update(host, 557, 45296);  // 12:34:56
    EXPECT_NEAR(dial_angle(clock, clock_hour), 45296.0 / 43200.0 * 360.0 - 360.0, 1e-9);
    EXPECT_NEAR(dial_angle(clock, clock_hour), 17.47, 0.01) << "just past twelve";
    EXPECT_NEAR(dial_angle(clock, clock_minute) / 6.0, 34.93, 0.01) << "minutes";
    EXPECT_NEAR(dial_angle(clock, clock_second) / 6.0, 56.0, 1e-9) << "seconds";
    set_and_update(host, 557, 0);
    for (std::size_t hand : {clock_hour, clock_minute, clock_second}) EXPECT_TRUE(points_at(clock, hand, 118, 67));
    set_and_update(host, 557, 6 * 3600 + 15 * 60);
    EXPECT_NEAR(dial_angle(clock, clock_hour), 187.5, 1e-9);
    EXPECT_NEAR(dial_angle(clock, clock_minute), 90.0, 1e-9);
    EXPECT_EQ(host.tooltip(clock, 100, 100).help_id, 0x3018u);
}

TEST(Accelerometer, TheMemoriesHoldTheExtremesUntilTheResetKnob) {
    Host host;
    PlacedGauge& accel = host.place("Accelerometer");
    set_and_update(host, 351, g);
    EXPECT_EQ(accel.element(accel_max).value, g) << "the maximum rises to 1 g after loading";
    EXPECT_EQ(accel.element(accel_min).value, 0.0) << "the minimum stays at 0 g";
    EXPECT_TRUE(points_at(accel, accel_min, 44, 167));

    set_and_update(host, 351, -2 * g);
    set_and_update(host, 351, 6 * g);
    set_and_update(host, 351, 2 * g);
    EXPECT_EQ(accel.element(accel_min).value, -2 * g);
    EXPECT_EQ(accel.element(accel_max).value, 6 * g);
    EXPECT_EQ(accel.element(accel_load).value, 2 * g);

    host.variables().set(351, g);
    EXPECT_FALSE(host.click(accel, 53, 215)) << "beyond the knob";
    EXPECT_TRUE(host.click(accel, 20, 230));
    EXPECT_TRUE(host.key_events().empty());
    host.update();
    EXPECT_EQ(accel.element(accel_min).value, g);
    EXPECT_EQ(accel.element(accel_max).value, g);
    set_and_update(host, 351, 0.5 * g);
    EXPECT_EQ(accel.element(accel_min).value, 0.5 * g) << "from the reset each memory moves outward only";
    EXPECT_EQ(accel.element(accel_max).value, g);
    EXPECT_EQ(host.tooltip(accel, 150, 150).help_id, 0xA51Cu);
}

TEST(Accelerometer, TheNeedlesPegBeyondTheScale) {
    Host host;
    PlacedGauge& accel = host.place("Accelerometer");
    for (double load : {-5 * g, -8 * g, -40 * g}) {
        set_and_update(host, 351, load);
        EXPECT_TRUE(points_at(accel, accel_load, 201, 201)) << load;
    }
    for (double load : {10 * g, 15 * g, 1e9}) {
        set_and_update(host, 351, load);
        EXPECT_TRUE(points_at(accel, accel_load, 223, 169)) << load;
    }
    set_and_update(host, 351, 0);
    EXPECT_TRUE(points_at(accel, accel_load, 44, 167));
}

TEST(CabinAltitude, FollowsThePressurizationSchedule) {
    Host host;
    PlacedGauge& cabin = host.place("Cabin_Altitude");
    const std::pair<double, double> schedule[] = {{8000, 8000},   {10000, 10000}, {30000, 15000}, {50000, 20000},
                                                  {60000, 20000}, {-500, -500},   {0, 0}};
    for (const auto& [aircraft, shown] : schedule) {
        set_and_update(host, 74, aircraft);
        EXPECT_EQ(cabin.element(cabin_needle).value, shown) << aircraft;
    }
    EXPECT_TRUE(points_at(cabin, cabin_needle, 100, 176)) << "0 at the bottom of the dial";
    set_and_update(host, 74, 50000);
    const auto pressurized = cabin.needle_pose(cabin_needle);

    host.variables().set(868, 1);
    set_and_update(host, 74, 20000);
    EXPECT_NEAR(cabin.needle_pose(cabin_needle).angle, pressurized.angle, 1e-9)
        << "at 50000 ft the needle shows what 20000 ft shows unpressurized";
    set_and_update(host, 74, 30000);
    EXPECT_EQ(cabin.element(cabin_needle).value, 30000.0) << "unpressurized, the cabin is at the aircraft's altitude";
    set_and_update(host, 74, 25000);
    EXPECT_TRUE(points_at(cabin, cabin_needle, 100, 26)) << "25000 ft at the top of the dial";
    host.variables().set(868, 0);

    host.variables().set_word(335, 2);
    set_and_update(host, 74, 3050);
    EXPECT_NEAR(cabin.element(cabin_needle).value, 10000.0, 1e-9) << "altitudes in metres";
    host.variables().set_word(335, 1);
    host.update();
    EXPECT_EQ(cabin.element(cabin_needle).value, 3050.0);

    EXPECT_EQ(reinterpret_cast<const NeedleElement*>(cabin.element(cabin_needle).record)->rate_limit, 100u);
    EXPECT_EQ(host.tooltip(cabin, 100, 100).text, "Pressurized cabin altitude");
}

}  // namespace
