// The five fuel gauges, in litres.
#include <limits>

#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

constexpr double full = 8388608.0;

struct Tank {
    const char* gauge;
    std::uint32_t capacity;
    std::uint32_t level;
    const char* tooltip;  // before the number
    double pegged_from;
    PixelPoint pegged_at;
};

// clang-format off
constexpr Tank tanks[] = {
    {"Fuel_Quantity_Main_Left", 292, 291, "Main left tank remaining fuel (", 236, {166, 242}},
    {"Fuel_Quantity_Main_Right", 298, 297, "Main right tank remaining fuel (", 236, {166, 242}},
    {"Fuel_Quantity_Aux_Left", 294, 293, "Left drop tank remaining fuel (", 300, {150, 250}},
    {"Fuel_Quantity_Aux_Right", 300, 299, "Right drop tank remaining fuel (", 300, {150, 250}},
    {"Fuel_Quantity_Center", 290, 289, "Center tank remaining fuel (", 390, {174, 246}},
};
// clang-format on

TEST(FuelGauges, EachTankReadsLitresOnNeedleAndTooltipAndPegsPastItsScale) {
    for (const Tank& t : tanks) {
        SCOPED_TRACE(t.gauge);
        Host host;
        host.variables().set(t.capacity, 56.5);
        PlacedGauge& g = host.place(t.gauge);
        host.variables().set(t.level, full);
        EXPECT_EQ(host.tooltip(g, 150, 150).text, std::string(t.tooltip) + "0 liters)") << "before the first update";
        host.update();
        EXPECT_NEAR(g.element(1).value, 213.8525, 1e-9);
        EXPECT_EQ(host.tooltip(g, 150, 150).text, std::string(t.tooltip) + "213 liters)");

        set_and_update(host, t.level, 0);
        EXPECT_TRUE(points_at(g, 1, 98, 240)) << "empty";
        host.variables().set(t.capacity, 500);
        host.service(g, 2, host.library().handle());
        for (double litres : {t.pegged_from, t.pegged_from + 50, 1800.0}) {
            set_and_update(host, t.level, litres / (500 * 3.785) * full);
            EXPECT_TRUE(points_at(g, 1, t.pegged_at.x, t.pegged_at.y)) << litres;
        }
    }
}

TEST(FuelGauges, TheMainTankNeedleStopsJustShortOfTheEndMark) {
    Host host;
    host.variables().set(292, 56.5);
    PlacedGauge& g = host.place("Fuel_Quantity_Main_Left");
    set_and_update(host, 291, full);
    const auto pose = g.needle_pose(1);
    const double mark = korvel::host::angle_of({150, 150}, 202, 240);
    EXPECT_LT(std::fmod(pose.angle, 360.0), mark);
    EXPECT_GT(std::fmod(pose.angle, 360.0), korvel::host::angle_of({150, 150}, 245, 189));
    set_and_update(host, 291, full * 200 / 213.8525);
    EXPECT_TRUE(points_at(g, 1, 245, 189));
}

TEST(FuelGauges, ACapacityIsTakenOnlyAtInstallAndKeptWhenNoneIsReported) {
    Host host;
    host.variables().set(298, 56.5);
    host.variables().set(297, full);
    PlacedGauge& g = host.place("Fuel_Quantity_Main_Right");
    host.update();
    host.variables().set(298, 100);
    host.update();
    EXPECT_NEAR(g.element(1).value, 213.8525, 1e-9) << "a later capacity is not seen until installed again";
    for (double none : {0.0, -5.0, std::nan(""), double(INFINITY)}) {
        host.variables().set(298, none);
        host.service(g, 2, host.library().handle());
        host.update();
        EXPECT_NEAR(g.element(1).value, 213.8525, 1e-9) << none;
    }
    for (auto [gallons, litres] : {std::pair{10.0, 37.85}, {0.1, 0.3785}}) {
        host.variables().set(298, gallons);
        host.service(g, 2, host.library().handle());
        host.update();
        EXPECT_NEAR(g.element(1).value, litres, 1e-9) << "any capacity above 0 is taken";
    }
}

// Finite in gallons, beyond any double in litres.
TEST(FuelGauges, ACapacityTooLargeToCountInLitresIsNoCapacity) {
    Host host;
    host.variables().set(292, 56.5);
    PlacedGauge& g = host.place("Fuel_Quantity_Main_Left");
    host.variables().set(292, std::numeric_limits<double>::max());
    host.service(g, 2, host.library().handle());
    set_and_update(host, 291, full);
    EXPECT_NEAR(g.element(1).value, 213.8525, 1e-9) << "the tank keeps the capacity it had";
    set_and_update(host, 291, 0);
    EXPECT_EQ(g.element(1).value, 0.0) << "an empty tank reads nothing";
    EXPECT_TRUE(points_at(g, 1, 98, 240));
    EXPECT_EQ(host.tooltip(g, 150, 150).text, "Main left tank remaining fuel (0 liters)");
}

TEST(FuelGauges, TwoCopiesOfOneGaugeShowOneTank) {
    Host host;
    host.variables().set(290, 90);
    host.variables().set(289, full / 2);
    PlacedGauge& a = host.place("Fuel_Quantity_Center");
    PlacedGauge& b = host.place("Fuel_Quantity_Center");
    host.update(a);
    EXPECT_EQ(host.tooltip(b, 150, 150).text, "Center tank remaining fuel (170 liters)");
    host.update(b);
    EXPECT_EQ(a.element(1).value, b.element(1).value);
}

TEST(FuelGauges, EmptyTanksWithoutCapacityReadZero) {
    Host host;
    host.variables().set(294, 0);
    host.variables().set(293, full);
    PlacedGauge& g = host.place("Fuel_Quantity_Aux_Left");
    host.update();
    EXPECT_EQ(g.element(1).value, 0.0);
    EXPECT_TRUE(points_at(g, 1, 98, 240));
}

}  // namespace
