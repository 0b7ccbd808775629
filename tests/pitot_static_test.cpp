// Airspeed indicator, altimeter and vertical speed indicator.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

enum { as_fine = 1, as_main = 2 };
enum { alt_disc = 1, alt_ten_thousand = 2, alt_thousand = 3, alt_hundred = 4 };
enum { vsi_metric_face = 1, vsi_metric_needle = 2, vsi_imperial_needle = 3 };

constexpr double per_ft_min = 256.0 / 60.0 / 3.28084;  // 1/256 m/s in one ft/min

TEST(Airspeed, TheMainPointerPegsAt600KnotsWhileTheFinePointerTurnsOnceEvery100) {
    Host host;
    PlacedGauge& as = host.place("Airspeed");
    set_and_update(host, 61, 0);
    EXPECT_TRUE(points_at(as, as_main, 150, 80));
    EXPECT_TRUE(points_at(as, as_fine, 150, 40));
    set_and_update(host, 61, 500);
    EXPECT_TRUE(points_at(as, as_main, 150, 220));
    for (double knots : {600.0, 650.0, 800.0, 5000.0}) {
        set_and_update(host, 61, knots);
        EXPECT_TRUE(points_at(as, as_main, 106, 211)) << knots;
    }
    set_and_update(host, 61, 150);
    EXPECT_NEAR(as.needle_pose(as_fine).angle, 540.0, 1e-9) << "one and a half turns";
    EXPECT_TRUE(points_at(as, as_fine, 150, 260));
    set_and_update(host, 61, 625);
    EXPECT_NEAR(dial_angle(as, as_fine), 90.0, 1e-9) << "25 on the outer scale";
    EXPECT_EQ(as.element(as_main).record->failures[0].key, 6u);
    EXPECT_EQ(host.tooltip(as, 10, 10).help_id, 0x3002u);
}

TEST(Altimeter, TheBarometricDiscTurnsWithinItsWindowAndClampsBeyondIt) {
    Host host;
    PlacedGauge& alt = host.place("Altimeter");
    const std::pair<double, double> settings[] = {{27.9, -2.0}, {31.5, 1.6},  {32.4, 1.6},
                                                  {29.9, 0.0},  {20.0, -2.0}, {30.4, 0.5},
                                                  {27.91, 27.91 - 29.9}, {31.49, 31.49 - 29.9}};
    for (const auto& [setting, rotation] : settings) {
        set_and_update(host, 76, setting);
        EXPECT_NEAR(alt.element(alt_disc).rotation, rotation, 1e-12) << setting;
    }
    const auto& disc = *reinterpret_cast<const SpriteElement*>(alt.element(alt_disc).record);
    EXPECT_EQ(disc.rotation_scale, 90.0);
}

TEST(Altimeter, TheKnobHalvesStepTheSettingAndTheDiscFollowsAtTheNextUpdate) {
    Host host;
    PlacedGauge& alt = host.place("Altimeter");
    set_and_update(host, 76, 29.92);
    EXPECT_TRUE(host.click(alt, 10, 210));
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1015C, 0}}));
    host.update();
    EXPECT_NEAR(alt.element(alt_disc).rotation, 29.91 - 29.9, 1e-9);
    host.clear_logs();
    EXPECT_TRUE(host.hold(alt, 40, 240, 5));
    EXPECT_EQ(host.key_events().count(0x1015B), 6u) << "the press and five repeats";
    host.update();
    EXPECT_NEAR(alt.element(alt_disc).rotation, 29.97 - 29.9, 1e-9);
    EXPECT_FALSE(host.click(alt, 60, 210)) << "beyond the knob";
    EXPECT_EQ(host.tooltip(alt, 100, 100).help_id, 0x3051u);
    EXPECT_EQ(host.tooltip(alt, 40, 230).help_id, 0x3053u);
    EXPECT_EQ(host.tooltip(alt, 100, 230).help_id, 0x3054u);
}

TEST(Altimeter, BelowSeaLevelTheHundredFootPointerRestsAtZero) {
    Host host;
    PlacedGauge& alt = host.place("Altimeter");
    set_and_update(host, 74, -300);
    EXPECT_TRUE(points_at(alt, alt_hundred, 132, 82));
    EXPECT_NEAR(alt.needle_pose(alt_thousand).angle, -300.0 / 5000 * 180, 1e-9) << "slightly left of zero";
    EXPECT_NEAR(alt.needle_pose(alt_ten_thousand).angle, -300.0 / 50000 * 180, 1e-9);
    set_and_update(host, 74, 12345);
    EXPECT_NEAR(dial_angle(alt, alt_hundred), 345.0 / 1000 * 360, 1e-9);
    EXPECT_NEAR(dial_angle(alt, alt_thousand), 2345.0 / 10000 * 360, 1e-9);
    EXPECT_NEAR(dial_angle(alt, alt_ten_thousand), 12345.0 / 100000 * 360, 1e-9);
}

TEST(VerticalSpeed, OneNeedleAndOneFaceShowAtATimeAndTheUnitSwitchFlipsThem) {
    Host host;
    PlacedGauge& vsi = host.place("Vertical_Speed");
    PlacedGauge& tc = host.place("Turn_Coordinator");
    host.update();
    EXPECT_FALSE(vsi.hidden(vsi_imperial_needle));
    EXPECT_TRUE(vsi.hidden(vsi_metric_needle));
    EXPECT_EQ(vsi.icon_bitmap(vsi_metric_face), std::nullopt);

    EXPECT_TRUE(host.click(tc, 120, 120));
    host.update();
    EXPECT_TRUE(vsi.hidden(vsi_imperial_needle));
    EXPECT_FALSE(vsi.hidden(vsi_metric_needle));
    EXPECT_EQ(vsi.icon_bitmap(vsi_metric_face), 470);
    EXPECT_EQ(vsi.image_flags(vsi_metric_needle), 0x4083u) << "only the hidden bit changes";

    host.click(tc, 120, 120);
    host.update();
    EXPECT_FALSE(vsi.hidden(vsi_imperial_needle));
    EXPECT_TRUE(vsi.hidden(vsi_metric_needle));
    EXPECT_EQ(vsi.icon_bitmap(vsi_metric_face), std::nullopt);
    EXPECT_TRUE(host.key_events().empty()) << "the unit switch sends nothing";
}

TEST(VerticalSpeed, BothNeedlesReadTheSameVariableAndPegBeyondTheirLastMark) {
    Host host;
    PlacedGauge& vsi = host.place("Vertical_Speed");
    set_and_update(host, 65, 500 * per_ft_min);
    EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 38, 108));
    set_and_update(host, 65, 0);
    EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 30, 151));
    EXPECT_TRUE(points_at(vsi, vsi_metric_needle, 33, 150));
    for (double fpm : {8000.0, 9000.0, 30000.0}) {
        set_and_update(host, 65, fpm * per_ft_min);
        EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 267, 130)) << fpm;
        set_and_update(host, 65, -fpm * per_ft_min);
        EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 261, 170)) << -fpm;
    }
    for (double ms : {80.0, 85.0, 200.0}) {
        set_and_update(host, 65, ms * 256);
        EXPECT_TRUE(points_at(vsi, vsi_metric_needle, 261, 110)) << ms;
        set_and_update(host, 65, -ms * 256);
        EXPECT_TRUE(points_at(vsi, vsi_metric_needle, 261, 191)) << -ms;
    }
    set_and_update(host, 65, 20 * 256);
    EXPECT_TRUE(points_at(vsi, vsi_metric_needle, 151, 32));
    EXPECT_EQ(host.tooltip(vsi, 150, 150).help_id, 0x3099u);
}

}  // namespace
