// The host's update cycle: variables into elements, callbacks, the values
// and visibility it keeps.
#include <gtest/gtest.h>

#include <cmath>

#include "host/core/host.h"
#include "tests/test_gauges.h"

namespace {

using korvel::host::Host;
using korvel::host::PlacedGauge;

enum Element { background, doubling_needle, pegged_needle, icon, text, slider, sprite, moving };

class UpdateCycle : public testing::Test {
protected:
    void SetUp() override {
        test_gauges::needle_token_after_call = 74;
        test_gauges::hide_icon = false;
        test_gauges::icon_result = 0.0;
        test_gauges::string_text = "";
    }
    Host host;
    PlacedGauge& gauge = host.place(test_gauges::update_gauge);
};

TEST_F(UpdateCycle, SourceVariablesAreFetchedBeforeTheCallbackWhoseResultDrivesTheElement) {
    host.variables().set(74, 21.0);
    host.variables().set(61, 40.0);
    host.update();
    EXPECT_DOUBLE_EQ(gauge.element(doubling_needle).value, 42.0);
    EXPECT_DOUBLE_EQ(gauge.element(pegged_needle).value, 40.0) << "no callback: the variable drives the needle";

    host.variables().set(78, 3.0);
    host.variables().set(80, 4.0);
    host.variables().set(84, 30.0);
    host.variables().set(83, 180.0);
    host.update();
    EXPECT_DOUBLE_EQ(gauge.element(slider).x, 3.0);
    EXPECT_DOUBLE_EQ(gauge.element(slider).y, 5.0);
    EXPECT_DOUBLE_EQ(gauge.element(sprite).rotation, -30.0);
    EXPECT_DOUBLE_EQ(gauge.element(moving).x, 180.0);
}

TEST_F(UpdateCycle, TheSourceTokenIsReadFromTheRecordAtEveryUpdate) {
    host.variables().set(74, 10.0);
    host.variables().set(61, 300.0);
    test_gauges::needle_token_after_call = 61;
    host.update();
    EXPECT_DOUBLE_EQ(gauge.element(doubling_needle).value, 20.0) << "the old token fed this update";
    host.update();
    EXPECT_DOUBLE_EQ(gauge.element(doubling_needle).value, 600.0) << "the rewritten token feeds the next";
}

TEST_F(UpdateCycle, WordTypedTokensReachElementsAsTheirWord) {
    host.variables().set_word(23, 0x2345);
    host.update();
    EXPECT_DOUBLE_EQ(gauge.element(moving).y, double(0x2345));
}

TEST_F(UpdateCycle, TheHiddenBitSetByACallbackTakesTheElementOffAndClearingItBringsItBack) {
    test_gauges::hide_icon = true;
    host.update();
    EXPECT_TRUE(gauge.hidden(icon));
    EXPECT_TRUE(gauge.image_flags(icon) & image_hidden_flag);
    test_gauges::hide_icon = false;
    host.update();
    EXPECT_FALSE(gauge.hidden(icon));
    EXPECT_EQ(gauge.image_flags(icon), 0x4003u) << "the other flag bits stay as stored";
}

TEST_F(UpdateCycle, AnIconShowsTheImageItsValuePicksOrNoneForMinusOne) {
    // clang-format off
    const std::pair<double, std::optional<std::int32_t>> cases[] = {
        {0.0, 4}, {2.0, 6}, {-1.0, std::nullopt}, {3.0, std::nullopt}, {std::nan(""), std::nullopt}};
    // clang-format on
    for (const auto& [value, bitmap] : cases) {
        test_gauges::icon_result = value;
        host.update();
        EXPECT_EQ(gauge.icon_bitmap(icon), bitmap) << "value " << value;
    }
}

TEST_F(UpdateCycle, StringElementsWriteIntoABufferOfTheirDeclaredLength) {
    test_gauges::string_text = "121.800";
    host.update();
    EXPECT_EQ(gauge.text(text), "121.800");
    test_gauges::string_text = "a text far longer than seven characters";
    host.update();
    EXPECT_EQ(gauge.text(text), "a text ");
}

TEST_F(UpdateCycle, ANeedleOnASharedFirstPointRestsThereUpToTheSecondRowsValue) {
    for (double value : {-1000.0, -10.0, -5.0, 0.0}) {
        host.variables().set(61, value);
        host.update();
        const auto pose = gauge.needle_pose(pegged_needle);
        EXPECT_NEAR(pose.x, 10.0, 1e-9) << value;
        EXPECT_NEAR(pose.y, 10.0, 1e-9) << value;
    }
    host.variables().set(61, 100.0);
    host.update();
    EXPECT_NEAR(gauge.needle_pose(pegged_needle).y, 90.0, 1e-9);
}

TEST(DialReading, TablesTurnClockwiseRowByRowAndContinueTheirEndSegments) {
    // Pivot 150,150; top at 0, bottom at 50: the fine pointer of an airspeed
    // indicator, one turn per 100.
    NonlinearityEntry turn[] = {{150, 40, 0.0}, {150, 260, 50.0}};
    const PixelPoint pivot{150, 150};
    const auto at = [&](double v) { return korvel::host::needle_pose(turn, 2, pivot, v); };
    EXPECT_NEAR(at(0).angle, 0.0, 1e-9);
    EXPECT_NEAR(at(25).angle, 90.0, 1e-9);
    EXPECT_NEAR(at(25).x, 260.0, 1e-9) << "halfway the needle points right, at the rows' distance";
    EXPECT_NEAR(at(100).angle, 360.0, 1e-9) << "beyond the last row the turn goes on";
    EXPECT_NEAR(at(-25).angle, -90.0, 1e-9);

    // Stored clockwise with falling values: a brake half-dial, 0 at the top.
    NonlinearityEntry falling[] = {{130, 205, 40962.92}, {130, 205, 28674.044}, {50, 122, 14337.022}, {130, 45, 0}};
    const PixelPoint brake_pivot{130, 122};
    const auto brake = [&](double v) { return korvel::host::needle_pose(falling, 4, brake_pivot, v); };
    EXPECT_NEAR(brake(0).x, 130.0, 1e-9);
    EXPECT_NEAR(brake(0).y, 45.0, 1e-9);
    EXPECT_NEAR(brake(14337.022).x, 50.0, 1e-9);
    EXPECT_NEAR(brake(7168.511).angle, 315.0, 1e-6) << "halfway between top and left, going counter-clockwise";
    EXPECT_NEAR(brake(90000).y, 205.0, 1e-9) << "pegged at the bottom";

    // Without rows the value is the angle.
    EXPECT_NEAR(korvel::host::needle_pose(nullptr, 0, pivot, -340.0).angle, -340.0, 1e-12);
    EXPECT_NEAR(korvel::host::needle_pose(turn, 2, pivot, std::nan("")).angle, 0.0, 1e-12);
    EXPECT_TRUE(std::isfinite(korvel::host::needle_pose(turn, 2, pivot, 1e308).x));
    EXPECT_TRUE(std::isfinite(korvel::host::needle_pose(turn, 2, pivot, -INFINITY).y));
}

}  // namespace
