// The RMI/ILS dual indicators and the RMI needle switch.
#include "tests/gauge_test_support.h"

#include <limits>

namespace {

using namespace gauge_test;

enum {
    ils_face = 1,
    compass_card = 2,
    adf_needle = 3,
    vor_needle = 4,
    course_card = 5,
    gs_flag = 6,
    to_from = 7,
    localizer = 8,
    glideslope = 9,
    course_knob = 11
};

constexpr std::size_t rmi_parts[] = {compass_card, adf_needle, vor_needle};
constexpr std::size_t ils_parts[] = {course_card, gs_flag, to_from, localizer, glideslope, course_knob};

constexpr std::int32_t centre = 150, knob_left_x = 15, knob_right_x = 45, knob_y = 265;

class Indicators : public testing::Test {
protected:
    void ils(PlacedGauge& indicator) {
        host.click(indicator, centre, centre);
        host.update();
    }
    std::vector<KeyEvent> course_events() {
        std::vector<KeyEvent> out;
        for (const KeyEvent& e : host.key_events().entries())
            if (e.event == 0x100B4) out.push_back(e);
        return out;
    }
    std::uint32_t step_course(PlacedGauge& indicator, double course, std::int32_t x, MouseButton button) {
        host.variables().set(45, course);
        host.clear_logs();
        host.click(indicator, x, knob_y, button);
        const auto events = course_events();
        return events.empty() ? 0xFFFFFFFFu : events.back().value;
    }
    Host host;
    PlacedGauge& first = host.place("RMI_ILS_Indicator_1");
    PlacedGauge& second = host.place("RMI_ILS_Indicator_2");
};

TEST_F(Indicators, EachIndicatorShowsOneDisplayAndItsCentreSwitchesIt) {
    host.update();
    for (PlacedGauge* g : {&first, &second}) {
        for (std::size_t e : rmi_parts) EXPECT_FALSE(g->hidden(e)) << e;
        for (std::size_t e : ils_parts) EXPECT_TRUE(g->hidden(e)) << e;
        EXPECT_EQ(g->icon_bitmap(ils_face), std::nullopt);
    }
    ils(first);
    for (std::size_t e : rmi_parts) EXPECT_TRUE(first.hidden(e)) << e;
    for (std::size_t e : ils_parts) EXPECT_FALSE(first.hidden(e)) << e;
    EXPECT_EQ(first.icon_bitmap(ils_face), 2110);
    for (std::size_t e : rmi_parts) EXPECT_FALSE(second.hidden(e)) << "the other indicator keeps its mode";
    EXPECT_EQ(host.tooltip(first, centre, centre).text, "Dual indicator RMI/ILS - Click here to change");
    ils(first);
    EXPECT_FALSE(first.hidden(vor_needle));
    EXPECT_EQ(first.image_flags(vor_needle), 0x4083u);
}

TEST_F(Indicators, TheNeedlesFollowTheirReceiversAndParkWithoutThem) {
    host.variables().set(39, 45);
    host.variables().set(550, 120);
    host.variables().set(84, 270);
    host.update();
    EXPECT_EQ(first.element(adf_needle).value, 45.0);
    EXPECT_EQ(first.element(vor_needle).value, 120.0);
    EXPECT_EQ(first.element(compass_card).rotation, 270.0);
    EXPECT_TRUE(points_at(first, vor_needle, 150 + 100 * std::sin(120 * 3.14159265358979323846 / 180),
                          151 - 100 * std::cos(120 * 3.14159265358979323846 / 180)));

    PlacedGauge& adf = host.place("Radio_ADF");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    host.click(adf, 270, 200);   // ADF off
    host.click(nav1, 110, 100);  // NAV1 off
    host.update();
    EXPECT_EQ(first.element(adf_needle).value, 90.0);
    EXPECT_EQ(second.element(vor_needle).value, 90.0);
    EXPECT_TRUE(points_at(first, adf_needle, 250, 151)) << "pointing to the right";
    host.click(nav1, 110, 100);  // NAV1 on
    host.variables().set_word(46, 0x80);
    host.update();
    EXPECT_EQ(first.element(vor_needle).value, 90.0) << "no station although the radio is on";
    host.variables().set_word(46, 0x7F);
    host.update();
    EXPECT_EQ(first.element(vor_needle).value, 120.0);
}

TEST_F(Indicators, TheRmiSwitchFlipsBothVorNeedlesOneUpdateLate) {
    PlacedGauge& rmi_switch = host.place("RMI_Switch");
    host.variables().set(550, 30);
    host.variables().set(59, 200);
    host.update();
    EXPECT_EQ(first.element(vor_needle).value, 30.0);
    EXPECT_EQ(rmi_switch.icon_bitmap(1), 3170);
    host.click(rmi_switch, 25, 15);
    host.update();
    EXPECT_EQ(first.element(vor_needle).value, 30.0) << "this update was fetched from NAV1 still";
    EXPECT_EQ(rmi_switch.icon_bitmap(1), 3171);
    host.update();
    EXPECT_EQ(first.element(vor_needle).value, 200.0);
    EXPECT_EQ(second.element(vor_needle).value, 200.0);
    host.variables().set_word(55, 0x80);
    host.update();
    EXPECT_EQ(second.element(vor_needle).value, 90.0) << "NAV2 without a station";
    EXPECT_EQ(host.tooltip(rmi_switch, 25, 15).text, "Single RMI needle switch (VOR1-VOR2)");
}

TEST_F(Indicators, InIlsModeTheDeviationNeedlesAndFlagsFollowNav1) {
    ils(first);
    host.variables().set(40, 127);
    host.variables().set(41, -120);
    host.variables().set(44, 1);
    host.variables().set_word(43, 1);
    host.variables().set(45, 90);
    host.update();
    EXPECT_TRUE(points_at(first, localizer, 208, 150));
    EXPECT_TRUE(points_at(first, glideslope, 208, 102));
    EXPECT_EQ(first.icon_bitmap(gs_flag), 2151);
    EXPECT_EQ(first.icon_bitmap(to_from), 2141);
    EXPECT_EQ(first.element(course_card).rotation, 90.0);
    EXPECT_EQ(first.element(course_knob).value, 90.0);

    PlacedGauge& nav1 = host.place("Radio_NAV1");
    host.click(nav1, 110, 100);  // NAV1 off
    host.update();
    EXPECT_NEAR(first.needle_pose(localizer).angle, 180.0, 1e-9) << "centred";
    EXPECT_NEAR(first.needle_pose(glideslope).angle, 90.0, 1e-9);
    EXPECT_EQ(first.icon_bitmap(gs_flag), 2150) << "both striped flags show";
    EXPECT_EQ(first.icon_bitmap(to_from), 2140);
}

TEST_F(Indicators, TheCourseKnobStepsByOneAndTenRoundTheCircle) {
    ils(first);
    EXPECT_EQ(step_course(first, 0, knob_left_x, MouseButton::left), 359u);
    EXPECT_EQ(step_course(first, 359, knob_right_x, MouseButton::left), 0u);
    EXPECT_EQ(step_course(first, 5, knob_left_x, MouseButton::right), 355u);
    EXPECT_EQ(step_course(first, 355, knob_right_x, MouseButton::right), 5u);
    EXPECT_EQ(step_course(first, 349, knob_right_x, MouseButton::right), 359u);
    EXPECT_EQ(step_course(first, 350, knob_right_x, MouseButton::right), 0u);
    EXPECT_EQ(step_course(first, 10, knob_left_x, MouseButton::right), 0u);
    EXPECT_EQ(step_course(first, 359.9, knob_left_x, MouseButton::left), 358u) << "359.9 truncates to 359";
    EXPECT_EQ(step_course(first, 120, knob_right_x, MouseButton::left), 121u);
    host.update();
    EXPECT_EQ(first.element(course_card).rotation, 121.0) << "the simulator set the course";
}

TEST_F(Indicators, CoursesTheHostReportsOutsideTheCircleStillGiveOneWithinIt) {
    ils(first);
    EXPECT_EQ(step_course(first, -5.5, knob_left_x, MouseButton::left), 354u);
    EXPECT_EQ(step_course(first, 725, knob_right_x, MouseButton::left), 6u);
    EXPECT_EQ(step_course(first, std::nan(""), knob_left_x, MouseButton::left), 359u);
    EXPECT_LT(step_course(first, 1e300, knob_right_x, MouseButton::right), 360u);
    EXPECT_EQ(step_course(first, -INFINITY, knob_left_x, MouseButton::right), 350u);
}

TEST_F(Indicators, InRmiModeOnlyTheSecondKnobSwitchesTheVorSourceOnALeftClick) {
    PlacedGauge& rmi_switch = host.place("RMI_Switch");
    host.update();
    host.click(first, knob_left_x, knob_y);
    host.click(first, knob_right_x, knob_y, MouseButton::right);
    host.update();
    EXPECT_EQ(rmi_switch.icon_bitmap(1), 3170);
    EXPECT_EQ(host.tooltip(first, knob_left_x, knob_y).text, "Button - inactive");

    EXPECT_EQ(host.tooltip(second, knob_left_x, knob_y).text,
              "Button - RMI switch (actual needles : ADF ==>,VOR1 -->)");
    host.click(second, knob_right_x, knob_y);
    host.update();
    EXPECT_EQ(rmi_switch.icon_bitmap(1), 3171) << "the switch lever follows at its next update";
    EXPECT_EQ(host.tooltip(second, knob_left_x, knob_y).text,
              "Button - RMI switch (actual needles : ADF ==>,VOR2 -->)");
    host.click(second, knob_left_x, knob_y, MouseButton::right);
    host.update();
    EXPECT_EQ(rmi_switch.icon_bitmap(1), 3171) << "a right click does nothing";
    host.click(rmi_switch, 25, 15);
    EXPECT_EQ(host.tooltip(second, knob_left_x, knob_y).text,
              "Button - RMI switch (actual needles : ADF ==>,VOR1 -->)");
    EXPECT_TRUE(course_events().empty());
}

TEST_F(Indicators, InIlsModeTheKnobTooltipNamesTheCourse) {
    ils(second);
    const std::pair<double, const char*> courses[] = {
        {45, "45."}, {123.4, "123."}, {7.25, "7.25"}, {0, "0."}, {359.9, "360."}, {1e300, "1e+300"},
        {-std::numeric_limits<double>::quiet_NaN(), "nan"}, {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::infinity(), "-inf"}, {std::numeric_limits<double>::infinity(), "inf"}};
    for (const auto& [course, text] : courses) {
        host.variables().set(45, course);
        EXPECT_EQ(host.tooltip(second, knob_left_x, knob_y).text,
                  std::string("Button - Omni bearing selector VOR1 (Course ") + text + "\xB0)")
            << course;
    }
}

}  // namespace
