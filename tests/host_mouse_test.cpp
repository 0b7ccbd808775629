// How the host dispatches the pilot's mouse to click areas.
#include <gtest/gtest.h>

#include "host/core/host.h"
#include "tests/test_gauges.h"

namespace {

using korvel::host::Host;
using korvel::host::MouseButton;
using korvel::host::PlacedGauge;
using test_gauges::calls;

MouseRect* child(int n) {
    int seen = 0;
    for (MouseRect* r = test_gauges::mouse_gauge.mouse_rects; r->kind != rect_end; ++r)
        if (r->kind == rect_child && r->mouse_function != nullptr && seen++ == n) return r;
    return nullptr;
}

class MouseDispatch : public testing::Test {
protected:
    void SetUp() override { calls().clear(); }
    Host host;
    PlacedGauge& gauge = host.place(test_gauges::mouse_gauge, std::nullopt, korvel::host::GaugeSize{200, 300});
};

TEST_F(MouseDispatch, AChildInsideASubAreaIsPlacedFromThatParentsCorner) {
    EXPECT_TRUE(host.click(gauge, 2, 210));
    EXPECT_TRUE(host.click(gauge, 51, 259));
    EXPECT_FALSE(host.click(gauge, 52, 260)) << "the box ends at 52, 260";
    EXPECT_FALSE(host.click(gauge, 1, 209));
    ASSERT_EQ(calls().size(), 2u);
    EXPECT_EQ(calls()[0].rect, child(0));
    EXPECT_EQ(calls()[0].x, 0) << "the click point is counted from the box";
    EXPECT_EQ(calls()[0].y, 0);
    EXPECT_EQ(calls()[1].x, 49);
    EXPECT_EQ(calls()[1].y, 49);
    EXPECT_EQ(calls()[1].gauge, &test_gauges::mouse_gauge);
    EXPECT_EQ(calls()[1].flags, mouse_left_click);
}

TEST_F(MouseDispatch, EachButtonGoesOnlyToAChildThatAcceptsIt) {
    EXPECT_TRUE(host.click(gauge, 120, 20, MouseButton::left));
    ASSERT_EQ(host.key_events().size(), 1u) << "the left-only child sends its host event";
    EXPECT_EQ(host.key_events()[0].event, test_gauges::mouse_gauge_key_event);
    EXPECT_EQ(host.key_events()[0].value, 0u);
    EXPECT_TRUE(calls().empty()) << "its event carries no module code";

    EXPECT_TRUE(host.click(gauge, 120, 20, MouseButton::right));
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls()[0].rect, child(1));
    EXPECT_EQ(calls()[0].flags, mouse_right_click);
    EXPECT_EQ(host.key_events().size(), 1u);

    calls().clear();
    EXPECT_FALSE(host.click(gauge, 50, 50, MouseButton::right)) << "the drag child takes only left presses";
    EXPECT_TRUE(calls().empty());
}

TEST_F(MouseDispatch, AHeldButtonRepeatsOnlyWhereTheAreaAsksForRepeats) {
    EXPECT_TRUE(host.hold(gauge, 160, 110, 4, MouseButton::right));
    ASSERT_EQ(calls().size(), 5u);
    EXPECT_EQ(calls()[0].flags, mouse_right_click);
    for (std::size_t i = 1; i < 5; ++i) {
        EXPECT_EQ(calls()[i].rect, child(3));
        EXPECT_EQ(calls()[i].flags, mouse_right_click | mouse_repeat);
    }

    calls().clear();
    EXPECT_TRUE(host.hold(gauge, 120, 20, 3, MouseButton::left));
    EXPECT_EQ(host.key_events().size(), 1u) << "the left-only child gets the press alone";

    EXPECT_TRUE(host.hold(gauge, 10, 220, 3));
    EXPECT_EQ(calls().size(), 4u);
}

TEST_F(MouseDispatch, DraggingFollowsThePointerWithinTheAreaThatTookThePress) {
    const PixelPoint path[] = {{10, 20}, {40, 80}, {130, 150}};
    EXPECT_TRUE(host.drag(gauge, 5, 5, path));
    ASSERT_EQ(calls().size(), 4u);
    EXPECT_EQ(calls()[0].flags, mouse_left_click);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(calls()[i].rect, child(2));
        EXPECT_EQ(calls()[i].flags, mouse_drag);
        EXPECT_EQ(calls()[i].x, path[i - 1].x);
        EXPECT_EQ(calls()[i].y, path[i - 1].y);
    }
    calls().clear();
    EXPECT_TRUE(host.drag(gauge, 160, 110, path));
    EXPECT_EQ(calls().size(), 1u) << "an area without the drag bit gets the press only";
}

TEST_F(MouseDispatch, PointsOutsideTheGaugeOrAnyAreaDoNothing) {
    EXPECT_FALSE(host.click(gauge, 199, 299));
    EXPECT_FALSE(host.click(gauge, 200, 10));
    EXPECT_FALSE(host.click(gauge, -1, 10));
    EXPECT_TRUE(calls().empty());
    EXPECT_TRUE(host.key_events().empty());
}

TEST_F(MouseDispatch, AKilledGaugeTakesNoClicks) {
    host.kill(gauge);
    EXPECT_FALSE(host.click(gauge, 10, 220));
    EXPECT_TRUE(calls().empty());
}

}  // namespace
