// Instrument failures as a pilot sees them: a failed system freezes some
// instruments where they stood, returns others to rest, and leaves the rest
// working; restoring it brings them back at the next update.
#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/core/failures.h"
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;
using korvel::host::failure_key;
using korvel::host::failure_name;

constexpr double per_ft_min = 256.0 / 60.0 / 3.28084;  // 1/256 m/s in one ft/min

std::uint32_t key(const char* name) {
    const auto k = failure_key(name);
    if (!k) throw std::invalid_argument(std::string("no failure key named ") + name);
    return *k;
}

// Where each needle of a gauge points, to see whether any of them moved.
std::vector<korvel::host::DialPose> needles(const PlacedGauge& g) {
    std::vector<korvel::host::DialPose> poses;
    for (std::size_t i = 0; i < g.element_count(); ++i)
        if (g.element(i).record->kind == element_needle) poses.push_back(g.needle_pose(i));
    return poses;
}

bool same_poses(const std::vector<korvel::host::DialPose>& a, const std::vector<korvel::host::DialPose>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].angle != b[i].angle || a[i].x != b[i].x || a[i].y != b[i].y) return false;
    return true;
}

TEST(FailureKeys, EveryKeyTheInstrumentsUseHasANameAndNoNameIsIdle) {
    Host host;
    std::vector<std::uint32_t> used;
    for (GaugeHeader* header : host.gauge_table()) {
        PlacedGauge& g = host.place(*header);
        for (std::size_t i = 0; i < g.element_count(); ++i) {
            const FailureRecord* r = g.element(i).record->failures;
            for (; r != nullptr && r->key != 0; ++r) {
                const auto name = failure_name(r->key);
                ASSERT_TRUE(name) << g.name() << " element " << i << " fails with key " << r->key;
                EXPECT_EQ(failure_key(*name), r->key);
                EXPECT_EQ(failure_key(std::to_string(r->key)), r->key) << "by number";
                used.push_back(r->key);
            }
        }
    }
    for (const auto& k : korvel::host::failure_keys)
        EXPECT_NE(std::find(used.begin(), used.end(), k.key), used.end()) << k.name << " fails nothing";

    for (const char* unknown : {"pitot", "Pitot_Static", "10", "0", "", "3 ", "-3", "0x3", "99999999999"})
        EXPECT_FALSE(failure_key(unknown)) << "'" << unknown << "'";
    EXPECT_THROW(host.fail(10), std::invalid_argument) << "no instrument of the module fails with key 10";
    EXPECT_THROW(host.fail(0), std::invalid_argument);
    EXPECT_THROW(host.restore(64), std::invalid_argument);

    host.fail(key("electrical_panel"));
    host.fail(key("pitot_static"));
    host.fail(key("pitot_static"));
    EXPECT_EQ(host.failed(), (std::vector<std::uint32_t>{3, 20}));
    EXPECT_TRUE(host.failed(3));
    host.restore(3);
    host.restore(3);
    EXPECT_EQ(host.failed(), (std::vector<std::uint32_t>{20}));
    host.restore_all();
    EXPECT_TRUE(host.failed().empty());
}

// Airspeed, altimeter, vertical speed and cabin altitude on the pitot-static
// system, in a climb.
class PitotStatic : public testing::Test {
protected:
    enum { as_fine = 1, as_main = 2 };
    enum { alt_ten_thousand = 2, alt_thousand = 3, alt_hundred = 4 };
    enum { vsi_metric_needle = 2, vsi_imperial_needle = 3 };

    void climb(double feet, double knots, double ft_min) {
        host.variables().set(74, feet);
        host.variables().set(61, knots);
        host.variables().set(65, ft_min * per_ft_min);
        host.update();
    }

    Host host;
    PlacedGauge& airspeed = host.place("Airspeed");
    PlacedGauge& altimeter = host.place("Altimeter");
    PlacedGauge& vsi = host.place("Vertical_Speed");
    PlacedGauge& cabin = host.place("Cabin_Altitude");
};

TEST_F(PitotStatic, InAClimbTheAltimeterHoldsWhileAirspeedAndVerticalSpeedFallToZero) {
    climb(8000, 250, 3000);
    const auto altimeter_before = needles(altimeter);
    const double cabin_before = cabin.element(2).value;
    EXPECT_NEAR(dial_angle(altimeter, alt_thousand), 8000.0 / 10000 * 360, 1e-9);

    host.fail(key("pitot_static"));
    for (int second = 1; second <= 5; ++second) {
        climb(8000 + 50 * second, 250 + second, 3000);
        EXPECT_TRUE(same_poses(needles(altimeter), altimeter_before)) << "second " << second;
        EXPECT_EQ(cabin.element(2).value, cabin_before);
        EXPECT_TRUE(points_at(airspeed, as_main, 150, 80)) << "0 kt";
        EXPECT_TRUE(points_at(airspeed, as_fine, 150, 40));
        EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 30, 151)) << "0 ft/min";
    }
    EXPECT_EQ(host.variables().number(74), 8250.0) << "the aircraft climbs on";

    host.restore(key("pitot_static"));
    host.update();
    EXPECT_NEAR(dial_angle(altimeter, alt_hundred), 250.0 / 1000 * 360, 1e-9);
    EXPECT_NEAR(dial_angle(altimeter, alt_thousand), 8250.0 / 10000 * 360, 1e-9);
    EXPECT_NEAR(dial_angle(altimeter, alt_ten_thousand), 8250.0 / 100000 * 360, 1e-9);
    EXPECT_EQ(airspeed.element(as_main).value, 255.0);
    EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 151, 37)) << "3000 ft/min";
    EXPECT_EQ(cabin.element(2).value, 8250.0);
}

TEST_F(PitotStatic, EachInstrumentsOwnFailureAndAFreezeHoldsOverAReturnToRest) {
    climb(12345, 300, 3000);
    host.fail(key("altimeter"));
    host.fail(key("airspeed"));
    climb(13000, 310, 3000);
    EXPECT_NEAR(dial_angle(altimeter, alt_hundred), 345.0 / 1000 * 360, 1e-9) << "held at 12 345 ft";
    EXPECT_EQ(cabin.element(2).value, 10000 + 2345.0 / 4) << "the cabin altimeter shares the failure";
    EXPECT_TRUE(points_at(airspeed, as_main, 150, 80));
    EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 151, 37)) << "the vertical speed indicator still works";

    // Stuck by its own failure, the needle does not fall to zero when the
    // pitot-static system fails too, whichever comes first.
    host.fail(key("vertical_speed"));
    host.fail(key("pitot_static"));
    climb(13000, 310, -1000);
    EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 151, 37));
    host.restore(key("vertical_speed"));
    host.update();
    EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 30, 151)) << "now only at rest";
    host.fail(key("vertical_speed"));
    climb(13000, 310, 1000);
    EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 30, 151)) << "frozen at rest, where it stood";
    host.restore_all();
    host.update();
    EXPECT_TRUE(points_at(vsi, vsi_imperial_needle, 57, 78)) << "1000 ft/min";
    EXPECT_NEAR(dial_angle(altimeter, alt_thousand), 3000.0 / 10000 * 360, 1e-9) << "13 000 ft";
}

TEST_F(PitotStatic, AFrozenNeedleKeepsItsVisibilityWhenTheUnitsChange) {
    PlacedGauge& tc = host.place("Turn_Coordinator");
    climb(5000, 200, 2000);
    ASSERT_FALSE(vsi.hidden(vsi_imperial_needle));
    ASSERT_TRUE(vsi.hidden(vsi_metric_needle));
    host.fail(key("vertical_speed"));
    host.click(tc, 120, 120);  // the unit switch: metric
    host.update();
    EXPECT_FALSE(vsi.hidden(vsi_imperial_needle)) << "shown as it was";
    EXPECT_TRUE(vsi.hidden(vsi_metric_needle));
    host.restore(key("vertical_speed"));
    host.update();
    EXPECT_TRUE(vsi.hidden(vsi_imperial_needle));
    EXPECT_FALSE(vsi.hidden(vsi_metric_needle));
}

TEST(PitotStaticOnLoad, APanelLoadedWithAFailedAltimeterShowsItsFirstReadingAndHoldsIt) {
    Host host;
    host.fail(key("altimeter"));
    host.variables().set(74, 5000);
    PlacedGauge& altimeter = host.place("Altimeter");
    host.update();
    EXPECT_NEAR(dial_angle(altimeter, 3), 180.0, 1e-9) << "5000 ft";
    set_and_update(host, 74, 6000);
    EXPECT_NEAR(dial_angle(altimeter, 3), 180.0, 1e-9);
}

TEST(GyroInstruments, TheAttitudeIndicatorWorksOnThroughItsFailuresAndTheTurnNeedleSticks) {
    Host host;
    PlacedGauge& attitude = host.place("Attitude");
    PlacedGauge& tc = host.place("Turn_Coordinator");
    enum { horizon = 1, bank_pointer = 2 };
    enum { ball = 2, turn_needle = 4 };
    host.variables().set(80, 30);
    host.variables().set(70, 3 * 256);
    host.update();
    for (const char* name : {"attitude", "vacuum", "engine"}) host.fail(key(name));
    host.variables().set(80, -20);
    host.variables().set(78, 5);
    host.update();
    EXPECT_EQ(attitude.element(bank_pointer).value, -20.0) << "the attitude records draw as usual";
    EXPECT_EQ(attitude.element(horizon).rotation, -20.0);
    EXPECT_EQ(attitude.element(horizon).y, 5.0);

    host.fail(key("turn_coordinator"));
    host.variables().set(70, -256);
    host.variables().set(69, 40);
    host.update();
    EXPECT_EQ(tc.element(turn_needle).value, 3.0) << "stuck in the turn";
    EXPECT_EQ(tc.element(ball).x, 40.0) << "the ball is no gyro";
    host.fail(key("electrical_panel"));
    host.update();
    EXPECT_EQ(tc.element(turn_needle).value, 3.0) << "a stuck needle stays stuck without power";
    host.restore(key("turn_coordinator"));
    host.update();
    EXPECT_NEAR(dial_angle(tc, turn_needle), 0.0, 1e-9) << "without power it rests upright";
    host.restore(key("electrical_panel"));
    host.update();
    EXPECT_EQ(tc.element(turn_needle).value, -1.0);
}

TEST(GyroInstruments, WithoutTheElectricalPanelTheAccelerometerRestsAtZeroAndKeepsCounting) {
    Host host;
    PlacedGauge& g = host.place("Accelerometer");
    set_and_update(host, 351, 624);
    host.fail(key("electrical_panel"));
    set_and_update(host, 351, 3 * 624);
    for (std::size_t needle : {1u, 2u, 3u}) {
        EXPECT_EQ(g.element(needle).value, 0.0) << needle;
        EXPECT_TRUE(points_at(g, needle, 44, 167)) << "0 g";
    }
    set_and_update(host, 351, 624);
    host.restore(key("electrical_panel"));
    host.update();
    EXPECT_EQ(g.element(1).value, 624.0);
    EXPECT_EQ(g.element(3).value, 3 * 624.0) << "the highest load was counted while the needles rested";
}

TEST(HeadingInstruments, AFailedGyroHoldsCardAndBugWhileTheKnobsAndTheCompassTurn) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    PlacedGauge& dgs = host.place("Directional_Gyro_Small");
    PlacedGauge& compass = host.place("Whiskey_Compass");
    enum { card = 1, bug = 2, bug_knob = 5 };
    host.variables().set(84, 90);
    host.variables().set(83, 90);
    host.variables().set(855, 120);
    host.update();

    for (const char* failure : {"directional_gyro", "electrical_panel"}) {
        SCOPED_TRACE(failure);
        host.fail(key(failure));
        host.variables().set(84, 180);
        host.variables().set(83, 180);
        host.variables().set(855, 200);
        host.update();
        EXPECT_EQ(dg.element(card).rotation, 90.0);
        EXPECT_EQ(dg.element(bug).value, 30.0);
        EXPECT_EQ(dgs.element(1).rotation, 90.0);
        EXPECT_EQ(dgs.element(2).rotation, 30.0);
        EXPECT_EQ(dg.element(bug_knob).value, 200.0) << "the knob's picture is no gyro";
        EXPECT_NEAR(compass.travel(1).x, 0.5, 1e-12) << "the compass swings on";

        host.restore(key(failure));
        host.update();
        EXPECT_EQ(dg.element(card).rotation, 180.0);
        EXPECT_EQ(dg.element(bug).value, 20.0);
        EXPECT_EQ(dgs.element(1).rotation, 180.0);
        host.variables().set(84, 90);
        host.variables().set(83, 90);
        host.variables().set(855, 120);
        host.update();
    }
    host.fail(key("magnetic_compass"));
    set_and_update(host, 83, 270);
    EXPECT_NEAR(compass.travel(1).x, 0.25, 1e-12) << "the compass record draws as usual";
}

TEST(EngineInstruments, WithoutTheElectricalPanelEveryNeedleRestsAndAnEngineFailureChangesNothing) {
    Host host;
    PlacedGauge& rpm = host.place("Engine_RPM");
    PlacedGauge& turbine = host.place("Turbine_Temp");
    PlacedGauge& oil = host.place("Oil_Temperature");
    PlacedGauge& pressure = host.place("Triple_Pressure");
    const auto run = [&](double percent) {
        host.variables().set(627, percent);
        host.variables().set(631, 1634.67);
        host.variables().set(561, 653.67);
        host.variables().set(732, 61444);
        host.variables().set(320, 16384);
        host.update();
    };
    run(96);
    host.fail(key("engine"));
    run(50);
    EXPECT_EQ(rpm.element(2).value, 5400.0) << "the needles follow the engine down";

    host.fail(key("electrical_panel"));
    run(90);
    EXPECT_TRUE(points_at(rpm, 2, 122, 270));
    EXPECT_TRUE(points_at(turbine, 1, 51, 102));
    EXPECT_TRUE(points_at(oil, 1, 59, 98));
    EXPECT_TRUE(points_at(pressure, 1, 130, 45));
    EXPECT_TRUE(points_at(pressure, 2, 170, 49));
    EXPECT_TRUE(points_at(pressure, 3, 30, 150));
    EXPECT_EQ(host.tooltip(rpm, 150, 150).text, "Engine RPM (90 percent)") << "the tooltip is no needle";

    host.restore(key("electrical_panel"));
    host.update();
    EXPECT_EQ(rpm.element(2).value, 9720.0);
    EXPECT_FALSE(points_at(turbine, 1, 51, 102));
    EXPECT_FALSE(points_at(pressure, 3, 30, 150));
}

TEST(FuelGauges, WithoutTheElectricalPanelTheNeedleStaysWhileTheTankDrains) {
    Host host;
    host.variables().set(290, 90);
    host.variables().set(289, 8388608.0 * 0.5);
    PlacedGauge& center = host.place("Fuel_Quantity_Center");
    host.update();
    const auto full_pose = center.needle_pose(1);
    EXPECT_NEAR(center.element(1).value, 170.325, 1e-9);

    host.fail(key("engine"));
    set_and_update(host, 289, 8388608.0 * 0.4);
    EXPECT_NEAR(center.element(1).value, 136.26, 1e-9) << "an engine failure leaves the gauge alone";

    host.fail(key("electrical_panel"));
    set_and_update(host, 289, 8388608.0 * 0.1);
    EXPECT_NEAR(center.element(1).value, 136.26, 1e-9);
    set_and_update(host, 289, 0);
    EXPECT_NEAR(center.element(1).value, 136.26, 1e-9);
    host.restore(key("electrical_panel"));
    host.update();
    EXPECT_TRUE(points_at(center, 1, 98, 240)) << "empty";
    EXPECT_NE(center.needle_pose(1).angle, full_pose.angle);
}

TEST(Radios, EveryRadioWorksOnThroughTheFailuresItsRecordsName) {
    Host host;
    for (const char* name : {"avionics", "com", "nav1", "nav2", "adf", "transponder", "electrical_panel"})
        host.fail(key(name));
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& iff = host.place("Radio_IFF");
    PlacedGauge& adf = host.place("Radio_ADF");
    host.variables().set_word(23, 0x2180);
    host.variables().set_word(24, 0x1095);
    host.variables().set_word(27, 0x1330);
    host.variables().set_word(38, 0x7000);
    host.update();

    host.click(com, 270, 20);  // the display button
    host.click(com, 200, 60);  // a channel up
    host.variables().set_word(24, 0x1130);
    host.variables().set_word(27, 0x1585);
    host.variables().set_word(38, 0x1234);
    host.update();
    EXPECT_EQ(com.text(3), "121.825");
    EXPECT_FALSE(com.hidden(3));
    EXPECT_EQ(com.icon_bitmap(4), 1130) << "the power lamp";
    EXPECT_EQ(nav1.element(3).y, 1.0) << "111.30";
    EXPECT_EQ(nav1.element(2).y, 3.0);
    EXPECT_EQ(nav2.element(3).y, 5.0) << "115.85";
    EXPECT_EQ(nav2.element(1).y, 5.0);
    EXPECT_EQ(iff.element(4).y, 1.0) << "1234";
    EXPECT_EQ(iff.element(1).y, 4.0);
    EXPECT_EQ(adf.icon_bitmap(8), 1340) << "the ADF's power lamp";
}

TEST(RmiIls, WithoutNav1TheIlsNeedlesCentreAndItsFlagsShow) {
    Host host;
    PlacedGauge& indicator = host.place("RMI_ILS_Indicator_1");
    enum { gs_flag = 6, to_from = 7, localizer = 8, glideslope = 9 };
    host.click(indicator, 150, 150);  // ILS
    host.variables().set(40, 60);
    host.variables().set(41, -40);
    host.variables().set(44, 1);
    host.variables().set_word(43, 1);
    host.update();
    EXPECT_EQ(indicator.icon_bitmap(gs_flag), 2151) << "glideslope received: the flag is out of view";
    EXPECT_EQ(indicator.icon_bitmap(to_from), 2141);

    for (const char* failure : {"nav1", "avionics"}) {
        SCOPED_TRACE(failure);
        host.fail(key(failure));
        host.update();
        EXPECT_EQ(indicator.icon_bitmap(gs_flag), 2150) << "the striped flag";
        EXPECT_EQ(indicator.icon_bitmap(to_from), 2140) << "the OFF flag";
        EXPECT_NEAR(dial_angle(indicator, localizer), 180.0, 1e-9) << "centred";
        EXPECT_NEAR(dial_angle(indicator, glideslope), 90.0, 1e-9) << "centred";
        EXPECT_FALSE(indicator.hidden(localizer)) << "its callbacks still show it in ILS mode";
        host.restore(key(failure));
        host.update();
        EXPECT_EQ(indicator.element(localizer).value, 60.0);
        EXPECT_EQ(indicator.element(glideslope).value, -40.0);
        EXPECT_EQ(indicator.icon_bitmap(gs_flag), 2151);
    }

    // Without power the needles stick wherever they stood, centred or not,
    // whatever the receiver does meanwhile.
    host.fail(key("electrical_panel"));
    host.fail(key("nav1"));
    host.update();
    EXPECT_EQ(indicator.element(localizer).value, 60.0) << "stuck off centre";
    EXPECT_EQ(indicator.icon_bitmap(gs_flag), 2151);
    host.restore_all();
    host.fail(key("nav1"));
    host.update();
    host.fail(key("electrical_panel"));
    host.restore(key("nav1"));
    host.update();
    EXPECT_NEAR(dial_angle(indicator, localizer), 180.0, 1e-9) << "stuck centred";
    host.restore(key("electrical_panel"));
    host.update();
    EXPECT_EQ(indicator.element(localizer).value, 60.0);
}

TEST(RmiIls, WithoutTheElectricalPanelTheRmiHoldsItsCardAndNeedlesAsTheyWere) {
    Host host;
    PlacedGauge& indicator = host.place("RMI_ILS_Indicator_2");
    enum { card = 2, adf_needle = 3, vor_needle = 4, localizer = 8 };
    host.variables().set(84, 90);
    host.variables().set(39, 45);
    host.variables().set(550, 120);
    host.update();

    host.fail(key("adf"));
    host.fail(key("nav1"));
    set_and_update(host, 39, 50);
    EXPECT_EQ(indicator.element(adf_needle).value, 50.0) << "the receivers' records draw as usual";

    host.fail(key("electrical_panel"));
    host.variables().set(84, 180);
    host.variables().set(39, 10);
    host.variables().set(550, 300);
    host.update();
    EXPECT_EQ(indicator.element(card).rotation, 90.0);
    EXPECT_EQ(indicator.element(adf_needle).value, 50.0);
    EXPECT_EQ(indicator.element(vor_needle).value, 120.0);

    host.click(indicator, 150, 150);  // ILS while frozen
    host.update();
    EXPECT_FALSE(indicator.hidden(adf_needle)) << "a frozen needle keeps its place on the face";
    EXPECT_TRUE(indicator.hidden(localizer));
    host.restore_all();
    host.update();
    EXPECT_TRUE(indicator.hidden(adf_needle));
    EXPECT_FALSE(indicator.hidden(localizer));
    host.click(indicator, 150, 150);
    host.update();
    EXPECT_EQ(indicator.element(card).rotation, 180.0);
    EXPECT_EQ(indicator.element(adf_needle).value, 10.0);
}

TEST(Lights, WithoutTheElectricalPanelTheSpeedBrakeLightRestsDarkAndTheOthersWorkOn) {
    Host host;
    PlacedGauge& speed_brake = host.place("Speed_Brake_Light");
    PlacedGauge& flaps = host.place("Flaps_Light");
    PlacedGauge& gear = host.place("Gear_Lights");
    PlacedGauge& generator = host.place("Generator_Light");
    host.fail(key("electrical_panel"));
    host.fail(key("avionics"));
    host.variables().set(326, 16383);
    host.variables().set(330, 16383);
    host.variables().set(761, 0);
    host.variables().set(759, 28);
    host.update();
    EXPECT_EQ(speed_brake.icon_bitmap(1), 2180) << "the unlit lens, brakes out";
    EXPECT_EQ(flaps.icon_bitmap(1), 2212);
    EXPECT_EQ(gear.icon_bitmap(1), 1480) << "the gear's bars still show it down";
    EXPECT_EQ(gear.icon_bitmap(2), 1470);
    EXPECT_EQ(gear.icon_bitmap(3), 1460);
    EXPECT_EQ(generator.icon_bitmap(1), 3100);
    host.restore_all();
    host.update();
    EXPECT_EQ(speed_brake.icon_bitmap(1), 2181);
}

}  // namespace
