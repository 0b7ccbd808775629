// Airspeed indicator, altimeter and vertical speed indicator: what their
// tooltips name. Their faces and the altimeter knob are read in
// flight_faces_test.cpp.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

TEST(PitotStaticAreas, EachAreaShowsItsOwnHelpAndOnlyTheKnobTakesClicks) {
    Host host;
    PlacedGauge& as = host.place("Airspeed");
    PlacedGauge& alt = host.place("Altimeter");
    PlacedGauge& vsi = host.place("Vertical_Speed");
    EXPECT_EQ(host.tooltip(as, 10, 10).help_id, 0x3002u);
    EXPECT_EQ(host.tooltip(vsi, 150, 150).help_id, 0x3099u);
    // The altimeter's dial, its knob and its window each end at their edges;
    // between them nothing shows (0).
    const struct {
        int x, y;
        std::uint32_t help;
    } altimeter_areas[] = {{100, 100, 0x3051}, {261, 199, 0x3051}, {100, 200, 0},
                           {0, 203, 0x3053},   {69, 259, 0x3053},  {70, 230, 0},
                           {75, 203, 0x3054},  {144, 259, 0x3054}, {145, 230, 0}};
    for (const auto& a : altimeter_areas) {
        const auto tip = host.tooltip(alt, a.x, a.y);
        EXPECT_EQ(tip.shown ? tip.help_id : 0u, a.help) << a.x << "," << a.y;
    }
    // The knob's halves meet at x 30 and end at its rim; beyond it nothing
    // takes a click (0).
    const struct {
        int x, y;
        std::uint32_t event;
    } knob[] = {{6, 203, 0x1015C}, {29, 250, 0x1015C}, {30, 203, 0x1015B}, {53, 250, 0x1015B}, {5, 220, 0},
                {54, 220, 0},      {20, 202, 0},       {40, 202, 0},       {20, 251, 0},       {40, 251, 0}};
    for (const auto& k : knob) {
        host.clear_logs();
        EXPECT_EQ(host.click(alt, k.x, k.y), k.event != 0) << k.x << "," << k.y;
        if (k.event != 0) {
            EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{k.event, 0}}));
        }
    }
    EXPECT_FALSE(host.click(as, 150, 150));
    EXPECT_FALSE(host.click(vsi, 150, 150));
}

}  // namespace
