// Attitude indicator, turn coordinator and the heading instruments: the
// tooltips, the edges of their click areas and what the host alone reads of
// their records. Their faces and controls are read in flight_faces_test.cpp.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum { att_horizon = 1 };
enum { dg_bug_knob = 5 };

TEST(GyroAreas, EachAreaShowsItsOwnHelpAndTheClickAreasEndAtTheirEdges) {
    Host host;
    PlacedGauge& att = host.place("Attitude");
    PlacedGauge& tc = host.place("Turn_Coordinator");
    PlacedGauge& compass = host.place("Whiskey_Compass");
    EXPECT_EQ(host.tooltip(att, 100, 100).help_id, 0x3092u);
    EXPECT_EQ(host.tooltip(att, 299, 231).help_id, 0x3092u);
    EXPECT_EQ(host.tooltip(att, 0, 0).help_id, 0x3092u);
    EXPECT_FALSE(host.tooltip(att, 100, 232).shown);
    EXPECT_EQ(host.tooltip(att, 260, 260).text, "Attitude indicator cage button");
    EXPECT_EQ(host.tooltip(att, 299, 299).text, "Attitude indicator cage button");
    EXPECT_FALSE(host.tooltip(att, 231, 299).shown);
    EXPECT_EQ(host.tooltip(tc, 20, 20).help_id, 0x3090u);
    EXPECT_EQ(host.tooltip(compass, 30, 30).help_id, 0xAB77u);

    EXPECT_FALSE(host.click(att, 231, 260));
    EXPECT_FALSE(host.click(att, 260, 231));
    EXPECT_TRUE(host.click(att, 232, 299));
    for (const auto& [x, y] : {std::pair{89, 120}, {150, 120}, {120, 89}, {120, 150}}) {
        EXPECT_FALSE(host.click(tc, x, y)) << x << "," << y;
    }
    EXPECT_TRUE(host.click(tc, 90, 90));
    EXPECT_TRUE(host.click(tc, 149, 149));
    EXPECT_FALSE(host.click(compass, 30, 30));

    // Drawn by the simulator, not by this host: the bar's squeezed texture.
    const auto& horizon = *reinterpret_cast<const SpriteElement*>(att.element(att_horizon).record);
    EXPECT_EQ(horizon.texture_scale_y, 0.8f);
    EXPECT_EQ(compass.element(1).record->failures[0].key, 12u);
}

TEST(DirectionalGyro, TheKnobTooltipShowsTheBugInWholeDegrees) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    host.variables().set(855, 0);
    EXPECT_EQ(host.tooltip(dg, 230, 260).text, "Heading bug adjust knob (0\xB0)");
    host.variables().set(855, 123.9);
    EXPECT_EQ(host.tooltip(dg, 260, 280).text, "Heading bug adjust knob (123\xB0)")
        << "read at the moment the tooltip shows";
    EXPECT_EQ(host.tooltip(dg, 40, 260).help_id, 0xAB35u);
    EXPECT_EQ(host.tooltip(dg, 150, 150).help_id, 0x3094u);
    PlacedGauge& dgs = host.place("Directional_Gyro_Small");
    EXPECT_EQ(host.tooltip(dgs, 150, 100).help_id, 0x3094u);
    EXPECT_FALSE(host.tooltip(dgs, 150, 149 + 2).shown);
    // The knob areas end at their edges; between them nothing shows.
    EXPECT_EQ(host.tooltip(dg, 265, 289).text, "Heading bug adjust knob (123\xB0)");
    EXPECT_EQ(host.tooltip(dg, 73, 289).help_id, 0xAB35u);
    EXPECT_EQ(host.tooltip(dg, 299, 241).help_id, 0x3094u);
    EXPECT_EQ(host.tooltip(dg, 0, 0).help_id, 0x3094u);
    EXPECT_EQ(host.tooltip(dgs, 0, 0).help_id, 0x3094u);
    for (const auto& [x, y] :
         {std::pair{266, 260}, {217, 289}, {74, 289}, {25, 289}, {150, 242}, {40, 290}, {230, 290}}) {
        EXPECT_FALSE(host.tooltip(dg, x, y).shown) << x << "," << y;
    }
    EXPECT_EQ(dg.element(dg_bug_knob).record->aspect, 2u);
    // Each knob half ends where the next begins, and nothing lies beyond.
    for (const auto& [x, y] : {std::pair{25, 260}, {74, 260}, {217, 260}, {266, 260}, {40, 241}, {40, 290}}) {
        EXPECT_FALSE(host.click(dg, x, y)) << x << "," << y;
    }
    // clang-format off
    const std::pair<std::pair<int, int>, std::uint32_t> halves[] = {
        {{26, 242}, 0x10156}, {{49, 289}, 0x10156}, {{50, 242}, 0x10155}, {{73, 289}, 0x10155},
        {{218, 242}, 0x10158}, {{241, 289}, 0x10158}, {{242, 242}, 0x10157}, {{265, 289}, 0x10157}};
    // clang-format on
    for (const auto& [at, event] : halves) {
        host.clear_logs();
        EXPECT_TRUE(host.click(dg, at.first, at.second));
        EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{event, 0}})) << at.first << "," << at.second;
    }
}

}  // namespace
