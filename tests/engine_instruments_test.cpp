// Engine speed, temperatures and the triple pressure indicator.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum { rpm_face = 1, rpm_needle = 2 };
enum { left_brake = 1, right_brake = 2, reservoir = 3 };

constexpr double kg_per_cm2 = 2048.146;
constexpr double celsius_zero = 491.67;  // degrees Rankine
constexpr double rankine_per_celsius = 1.8;

TEST(EngineRpm, TheNeedleShowsRevolutionsAndTheTooltipPercent) {
    Host host;
    PlacedGauge& rpm = host.place("Engine_RPM");
    set_and_update(host, 627, 0);
    EXPECT_TRUE(points_at(rpm, rpm_needle, 122, 270)) << "0 at the bottom";
    set_and_update(host, 627, 100);
    EXPECT_EQ(rpm.element(rpm_needle).value, 10800.0);
    EXPECT_TRUE(points_at(rpm, rpm_needle, 247, 224));
    EXPECT_EQ(host.tooltip(rpm, 150, 150).text, "Engine RPM (100 percent)");
    for (double percent : {111.12, 120.0, 200.0}) {
        set_and_update(host, 627, percent);
        EXPECT_TRUE(points_at(rpm, rpm_needle, 185, 269)) << percent;
    }
    host.variables().set(627, 87.9);
    EXPECT_EQ(host.tooltip(rpm, 150, 150).text, "Engine RPM (87 percent)") << "read when it shows, truncated";
}

TEST(EngineRpm, TheFaceFollowsTheUnitSwitchTheOtherWayRound) {
    Host host;
    PlacedGauge& rpm = host.place("Engine_RPM");
    PlacedGauge& tc = host.place("Turn_Coordinator");
    host.update();
    EXPECT_EQ(rpm.icon_bitmap(rpm_face), 1190) << "imperial units: the face lettered RPM";
    host.click(tc, 120, 120);
    host.update();
    EXPECT_EQ(rpm.icon_bitmap(rpm_face), std::nullopt) << "metric: the T/min face shows through";
}

TEST(Temperatures, PegAtTheirZeroAndEndMarks) {
    Host host;
    PlacedGauge& turbine = host.place("Turbine_Temp");
    PlacedGauge& oil = host.place("Oil_Temperature");
    const auto rankine = [](double c) { return celsius_zero + c * rankine_per_celsius; };
    for (double c : {-50.0, -1.0, 0.0}) {
        host.variables().set(631, rankine(c));
        host.variables().set(561, rankine(c));
        host.update();
        EXPECT_TRUE(points_at(turbine, 1, 51, 102)) << c;
        EXPECT_TRUE(points_at(oil, 1, 59, 98)) << c;
    }
    set_and_update(host, 631, rankine(400));
    EXPECT_TRUE(points_at(turbine, 1, 119, 73));
    for (double c : {800.0, 900.0, 2000.0}) {
        set_and_update(host, 631, rankine(c));
        EXPECT_TRUE(points_at(turbine, 1, 194, 102)) << c;
    }
    set_and_update(host, 561, rankine(100));
    EXPECT_TRUE(points_at(oil, 1, 122, 67));
    set_and_update(host, 561, rankine(250));
    EXPECT_TRUE(points_at(oil, 1, 185, 98));
    EXPECT_EQ(host.tooltip(turbine, 100, 100).help_id, 0x31D5u);
    EXPECT_EQ(host.tooltip(oil, 100, 100).help_id, 0x30F0u);
}

TEST(TriplePressure, BrakesAndReservoirOnOneDial) {
    Host host;
    PlacedGauge& p = host.place("Triple_Pressure");
    host.variables().set(732, 0);
    host.variables().set(320, 0);
    host.variables().set(321, 0);
    host.update();
    EXPECT_TRUE(points_at(p, left_brake, 130, 45));
    EXPECT_TRUE(points_at(p, right_brake, 170, 49));
    EXPECT_TRUE(points_at(p, reservoir, 30, 150));

    host.variables().set(320, 32768);
    host.update();
    EXPECT_NEAR(p.element(left_brake).value, 6.5 * kg_per_cm2, 1e-9) << "a full application adds 6.5 kg/cm2";
    EXPECT_EQ(p.element(right_brake).value, 0.0);

    host.variables().set(732, 70 * 14 * kg_per_cm2);  // a seventieth is 14 kg/cm2 on each brake
    host.update();
    EXPECT_TRUE(points_at(p, left_brake, 130, 205));
    EXPECT_TRUE(points_at(p, right_brake, 170, 205));
    EXPECT_NEAR(p.element(reservoir).value, 70 * 14 * kg_per_cm2 / 5, 1e-6);
    for (double r : {512036.5, 600000.0, 1e9}) {
        set_and_update(host, 732, r);
        EXPECT_TRUE(points_at(p, reservoir, 270, 150)) << r;
    }
    set_and_update(host, 732, 5 * 25 * kg_per_cm2);
    EXPECT_TRUE(points_at(p, reservoir, 150, 273)) << "25 kg/cm2 at the bottom";
    EXPECT_EQ(host.tooltip(p, 150, 150).text, "Brake and emergency air pressure");
}

}  // namespace
