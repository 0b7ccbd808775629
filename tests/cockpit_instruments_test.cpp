// Clock, accelerometer and cabin altimeter: the tooltips and what the host
// alone reads of their records. Their faces, the reset knob and the cabin
// schedule are read in flight_faces_test.cpp.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum { cabin_needle = 2 };

TEST(CockpitAreas, EachGaugeShowsItsOwnHelp) {
    Host host;
    PlacedGauge& clock = host.place("Clock");
    PlacedGauge& accel = host.place("Accelerometer");
    PlacedGauge& cabin = host.place("Cabin_Altitude");
    EXPECT_EQ(host.tooltip(clock, 100, 100).help_id, 0x3018u);
    EXPECT_EQ(host.tooltip(accel, 150, 150).help_id, 0xA51Cu);
    EXPECT_EQ(host.tooltip(accel, 20, 230).help_id, 0xA51Cu) << "the knob's parent has no help of its own";
    EXPECT_EQ(host.tooltip(cabin, 100, 100).text, "Pressurized cabin altitude");
    // The simulator slews the cabin needle at most 100 degrees a second.
    EXPECT_EQ(reinterpret_cast<const NeedleElement*>(cabin.element(cabin_needle).record)->rate_limit, 100u);
}

}  // namespace
