// Attitude indicator, turn coordinator and the heading instruments.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum { att_horizon = 1, att_bank = 2, att_aircraft = 3, att_flag = 4 };
enum { tc_metric_face = 1, tc_ball = 2, tc_needle = 4 };
enum { dg_card = 1, dg_bug = 2, dg_setting_knob = 4, dg_bug_knob = 5 };
enum { dgs_card = 1, dgs_bug = 2 };

TEST(Attitude, TheHorizonBarStaysWithin45DegreesOfPitch) {
    Host host;
    PlacedGauge& att = host.place("Attitude");
    const std::pair<double, double> pitches[] = {{45, 45}, {46, 45}, {-45, -45}, {-90, -45}, {10.5, 10.5}, {0, 0}};
    for (const auto& [pitch, shown] : pitches) {
        set_and_update(host, 78, pitch);
        EXPECT_EQ(att.element(att_horizon).y, shown) << pitch;
    }
    set_and_update(host, 80, 30);
    EXPECT_EQ(att.element(att_horizon).rotation, 30.0);
    const auto& horizon = *reinterpret_cast<const SpriteElement*>(att.element(att_horizon).record);
    EXPECT_EQ(horizon.y_scale, 1.3);
    EXPECT_EQ(horizon.rotation_scale, -1.0) << "the bar turns against the bank";
    EXPECT_EQ(horizon.texture_scale_y, 0.8f);
    set_and_update(host, 612, 12);
    EXPECT_EQ(att.element(att_aircraft).y, 12.0);
}

TEST(Attitude, TheBankPointerAndTheWarningFlag) {
    Host host;
    PlacedGauge& att = host.place("Attitude");
    set_and_update(host, 80, -90);
    EXPECT_TRUE(points_at(att, att_bank, 200, 150));
    set_and_update(host, 80, 90);
    EXPECT_TRUE(points_at(att, att_bank, 100, 150));

    const struct {
        std::uint32_t a, b;
        bool flag;
    } flags[] = {{0, 0, false}, {1, 0, true}, {0, 1, true}, {7, 9, true}, {0x80000000u, 0, true}};
    for (const auto& f : flags) {
        host.variables().set_word(276, f.a);
        host.variables().set_word(279, f.b);
        host.update();
        EXPECT_EQ(att.icon_bitmap(att_flag), f.flag ? std::optional<std::int32_t>(2050) : std::nullopt)
            << f.a << " " << f.b;
    }
}

TEST(Attitude, TheCageButtonSendsItsEventAndTheTooltipsNameTheParts) {
    Host host;
    PlacedGauge& att = host.place("Attitude");
    host.variables().set(78, 12);
    host.variables().set_word(279, 1);
    EXPECT_TRUE(host.click(att, 260, 260));
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x10345, 0}}));
    host.update();
    EXPECT_EQ(att.element(att_horizon).y, 0.0) << "the caged gyro shows level flight";
    EXPECT_EQ(att.icon_bitmap(att_flag), std::nullopt);
    EXPECT_FALSE(host.click(att, 231, 231));
    EXPECT_EQ(host.tooltip(att, 100, 100).help_id, 0x3092u);
    EXPECT_EQ(host.tooltip(att, 260, 260).text, "Attitude indicator cage button");
}

TEST(TurnCoordinator, TheBallRisesEquallyEitherWayAndTheNeedlePegsPastTheMarks) {
    Host host;
    PlacedGauge& tc = host.place("Turn_Coordinator");
    set_and_update(host, 69, 0);
    EXPECT_EQ(tc.element(tc_ball).x, 0.0);
    EXPECT_EQ(tc.element(tc_ball).y, 0.0);
    set_and_update(host, 69, 40);
    const double right_rise = tc.element(tc_ball).y;
    EXPECT_EQ(tc.element(tc_ball).x, 40.0);
    set_and_update(host, 69, -40);
    EXPECT_EQ(tc.element(tc_ball).y, right_rise);
    EXPECT_EQ(right_rise, 1600.0);
    const auto& ball = *reinterpret_cast<const SliderElement*>(tc.element(tc_ball).record);
    EXPECT_EQ(ball.x_scale, 0.546875);
    EXPECT_EQ(ball.y_scale, -0.0006103515625) << "a positive square moves the ball up";

    set_and_update(host, 70, 1152);
    EXPECT_EQ(tc.element(tc_needle).value, 4.5);
    EXPECT_TRUE(points_at(tc, tc_needle, 147, 48));
    set_and_update(host, 70, 2000);
    EXPECT_TRUE(points_at(tc, tc_needle, 147, 48));
    set_and_update(host, 70, -1152);
    EXPECT_TRUE(points_at(tc, tc_needle, 89, 48));
    set_and_update(host, 70, 0);
    EXPECT_NEAR(dial_angle(tc, tc_needle), 0.0, 1e-9) << "upright in level flight";
    EXPECT_EQ(host.tooltip(tc, 20, 20).help_id, 0x3090u);
}

TEST(TurnCoordinator, TheUnitAreaSwitchesTheMetricFacesOfTheDialsThatHaveThem) {
    Host host;
    PlacedGauge& tc = host.place("Turn_Coordinator");
    PlacedGauge& cabin = host.place("Cabin_Altitude");
    host.update();
    EXPECT_EQ(tc.icon_bitmap(tc_metric_face), std::nullopt);
    EXPECT_EQ(cabin.icon_bitmap(1), std::nullopt);
    EXPECT_FALSE(host.click(tc, 89, 120));
    EXPECT_TRUE(host.click(tc, 149, 149));
    host.update();
    EXPECT_EQ(tc.icon_bitmap(tc_metric_face), 1020);
    EXPECT_EQ(cabin.icon_bitmap(1), 2310);
    EXPECT_FALSE(host.click(tc, 120, 120, MouseButton::right)) << "a left click only";
    host.click(tc, 90, 90);
    host.update();
    EXPECT_EQ(tc.icon_bitmap(tc_metric_face), std::nullopt);
    EXPECT_EQ(cabin.icon_bitmap(1), std::nullopt);
}

TEST(DirectionalGyro, TheBugIsPlacedRelativeToTheHeadingWithoutWrapping) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    PlacedGauge& dgs = host.place("Directional_Gyro_Small");
    host.variables().set(84, 350);
    host.variables().set(855, 10);
    host.update();
    EXPECT_EQ(dg.element(dg_bug).value, -340.0);
    EXPECT_NEAR(dial_angle(dg, dg_bug), 20.0, 1e-9) << "which points where +20 would";
    EXPECT_EQ(dg.element(dg_card).rotation, 350.0);
    EXPECT_EQ(dgs.element(dgs_bug).rotation, -340.0);

    host.variables().set(84, 10);
    host.variables().set(855, 350);
    host.update();
    EXPECT_EQ(dgs.element(dgs_bug).rotation, 340.0);
    const auto& ring = *reinterpret_cast<const SpriteElement*>(dgs.element(dgs_bug).record);
    EXPECT_EQ(ring.rotation_scale, -1.0) << "the ring turns by heading minus bug";
    EXPECT_EQ(dgs.element(dgs_card).rotation, 10.0);
    EXPECT_EQ(dg.element(dg_bug_knob).record->aspect, 2u);
    EXPECT_EQ(reinterpret_cast<const NeedleElement*>(dg.element(dg_bug).record)->table_rows, 0u);
}

TEST(DirectionalGyro, TheKnobsStepBugAndGyroAndTheirPicturesTurn) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    host.variables().set(855, 0);
    host.variables().set(84, 90);
    host.update();
    EXPECT_TRUE(points_at(dg, dg_bug_knob, 242, 256));
    EXPECT_TRUE(host.click(dg, 230, 260));
    EXPECT_TRUE(host.hold(dg, 250, 260, 2));
    EXPECT_EQ(host.key_events().entries(),
              (std::vector<KeyEvent>{{0x10158, 0}, {0x10157, 0}, {0x10157, 0}, {0x10157, 0}}));
    host.update();
    EXPECT_EQ(dg.element(dg_bug_knob).value, 2.0) << "359 then on to 2";
    EXPECT_NEAR(dg.needle_pose(dg_bug_knob).angle, 12.0, 1e-9);

    host.clear_logs();
    host.click(dg, 60, 260);
    host.click(dg, 60, 260);
    host.click(dg, 30, 260);
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x10155, 0}, {0x10155, 0}, {0x10156, 0}}));
    host.update();
    EXPECT_NEAR(dg.element(dg_card).rotation, 91.0, 1e-9);
    EXPECT_GT(dg.element(dg_setting_knob).value, 0.0);
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
}

TEST(MagneticCompass, TheCardStripRunsBackwardsOverItsTravel) {
    Host host;
    PlacedGauge& compass = host.place("Whiskey_Compass");
    const std::pair<double, double> headings[] = {{0, 1.0}, {360, 0.0}, {180, 0.5}, {90, 0.75}};
    for (const auto& [heading, travel] : headings) {
        set_and_update(host, 83, heading);
        EXPECT_NEAR(compass.travel(1).x, travel, 1e-12) << heading;
        EXPECT_EQ(compass.travel(1).y, 0.0);
    }
    EXPECT_EQ(compass.element(1).record->failures[0].key, 12u);
    EXPECT_EQ(host.tooltip(compass, 30, 30).help_id, 0xAB77u);
}

}  // namespace
