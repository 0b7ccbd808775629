// A long flight with a busy pilot: the whole panel through thousands of
// updates while the instruments move and every click area is pressed in
// turn. Run under Wine too, against the real DLL and DirectSound.
#include <gtest/gtest.h>

#include <cmath>

#include "module/vocabulary.h"
#include "tests/whole_panel.h"

namespace {

using korvel::host::Host;

void expect_whole(const korvel::host::PlacedGauge& g) {
    EXPECT_TRUE(g.live()) << g.name();
    for (std::size_t i = 0; i < g.element_count(); ++i) {
        const ElementHeader& e = *g.element(i).record;
        if (e.kind == element_needle) {
            const auto pose = g.needle_pose(i);
            EXPECT_TRUE(std::isfinite(pose.x) && std::isfinite(pose.y)) << g.name() << " needle " << i;
        } else if (e.kind == element_string) {
            EXPECT_LE(g.text(i).size(), reinterpret_cast<const StringElement&>(e).max_characters) << g.name();
        }
    }
}

TEST(Endurance, TheWholePanelRunsThousandsOfUpdatesWithEveryControlPressed) {
    Host host;
    const auto gauges = whole_panel::place_all(host);
    ASSERT_EQ(gauges.size(), 58u);
    host.variables().set(token::battery, 1);
    host.update();
    const int buffers = host.platform_log().live_buffers();
    const int devices = host.platform_log().live_devices();
    ASSERT_GT(buffers, 0) << "the click sounds loaded";

    const auto spots = whole_panel::click_spots(gauges);
    ASSERT_GT(spots.size(), 50u);
    constexpr int cycles = 3000;
    std::size_t clicks = 0;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        // A climbing turn, so that every needle keeps moving.
        host.variables().set(token::indicated_altitude_feet, 20.0 * cycle);
        host.variables().set(token::indicated_airspeed_knots, 120.0 + std::fmod(cycle, 200.0));
        host.variables().set(token::bank_degrees, std::sin(cycle / 50.0) * 0.5);
        if (cycle % 2 == 0) {
            const auto& s = spots[clicks++ % spots.size()];
            host.click(*s.gauge, s.x, s.y, s.button);
        }
        host.update();
        if (cycle % 256 == 0) host.clear_logs();
    }
    EXPECT_GE(clicks, 10 * spots.size() / 2) << "every area was pressed several times";
    EXPECT_FALSE(host.sounds_played().empty());
    EXPECT_EQ(host.platform_log().live_buffers(), buffers) << "clicks play the buffers they have";
    EXPECT_EQ(host.platform_log().live_devices(), devices);
    for (const auto* g : gauges) expect_whole(*g);

    for (auto* g : gauges) host.kill(*g);
    EXPECT_EQ(host.platform_log().live_buffers(), 0) << "the panel gave back every sound buffer";
    EXPECT_EQ(host.platform_log().live_devices(), 0);
}

}  // namespace
