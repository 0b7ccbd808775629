// Checks that fail when an instrument turns, lights, switches or tunes the
// wrong way: what the pilot sees on the panel, read through the host.
#include <cmath>
#include <string>

#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

// Clockwise from twelve o'clock, reduced to [0, 360).
double wrapped(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a < 0) a += 360.0;
    return a;
}

// The smallest turn between two dial directions, in degrees.
double apart(double a, double b) {
    const double d = wrapped(a - b);
    return d > 180.0 ? 360.0 - d : d;
}

// The host turns a sprite counterclockwise by its rotation source's value
// times the record's rotation scale; a mark drawn at `mark` degrees clockwise
// from the top of the unturned picture then shows at this dial direction.
double drawn_mark(const PlacedGauge& gauge, std::size_t sprite, double mark) {
    const auto& record = *reinterpret_cast<const SpriteElement*>(gauge.element(sprite).record);
    return wrapped(mark - gauge.element(sprite).rotation * record.rotation_scale);
}

// -- Heading instruments -------------------------------------------------

enum { dg_card = 1, dg_bug_needle = 2 };
enum { dgs_card = 1, dgs_bug_ring = 2 };

TEST(HeadingSense, TheGyroCardBringsTheHeadingUnderTheLubberLine) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    PlacedGauge& dgs = host.place("Directional_Gyro_Small");
    for (double heading : {0.0, 45.0, 90.0, 180.0, 270.0, 300.0}) {
        SCOPED_TRACE(heading);
        set_and_update(host, 84, heading);
        // The card's own heading mark stands at the top, under the lubber line.
        EXPECT_NEAR(apart(drawn_mark(dg, dg_card, heading), 0.0), 0.0, 1e-9);
        EXPECT_NEAR(apart(drawn_mark(dgs, dgs_card, heading), 0.0), 0.0, 1e-9);
    }
    set_and_update(host, 84, 90);
    EXPECT_NEAR(apart(drawn_mark(dg, dg_card, 0.0), 270.0), 0.0, 1e-9) << "heading east, north is on the left";
    EXPECT_NEAR(apart(drawn_mark(dg, dg_card, 180.0), 90.0), 0.0, 1e-9) << "and south on the right";
    EXPECT_NEAR(apart(drawn_mark(dgs, dgs_card, 0.0), 270.0), 0.0, 1e-9);
}

TEST(HeadingSense, TheBugStaysOnItsCardMarkAsTheHeadingChanges) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    PlacedGauge& dgs = host.place("Directional_Gyro_Small");
    host.variables().set(855, 120);
    for (double heading : {0.0, 30.0, 90.0, 200.0, 350.0}) {
        SCOPED_TRACE(heading);
        set_and_update(host, 84, heading);
        const double mark = drawn_mark(dg, dg_card, 120.0);
        EXPECT_NEAR(apart(dial_angle(dg, dg_bug_needle), mark), 0.0, 1e-9);
        // The small gyro's ring has its bug at the top of its picture.
        EXPECT_NEAR(apart(drawn_mark(dgs, dgs_bug_ring, 0.0), drawn_mark(dgs, dgs_card, 120.0)), 0.0, 1e-9);
    }
}

TEST(HeadingSense, TheCompassStripMovesOneWayAsTheHeadingGrows) {
    Host host;
    PlacedGauge& compass = host.place("Whiskey_Compass");
    double previous = 2.0;
    for (double heading = 0; heading <= 360; heading += 30) {
        set_and_update(host, 83, heading);
        const double travel = compass.travel(1).x;
        EXPECT_LT(travel, previous) << heading;
        previous = travel;
    }
    // A quarter turn runs a quarter of the strip.
    set_and_update(host, 83, 0);
    const double north = compass.travel(1).x;
    set_and_update(host, 83, 90);
    EXPECT_NEAR(north - compass.travel(1).x, 0.25, 1e-12);
}

// -- Attitude indicator --------------------------------------------------

enum { att_horizon = 1, att_aircraft = 3 };

// How far below its level-flight place the horizon bar is drawn, in dial
// pixels (screen y grows downwards).
double horizon_drop(const PlacedGauge& att) {
    const auto& bar = *reinterpret_cast<const SpriteElement*>(att.element(att_horizon).record);
    return att.element(att_horizon).y * bar.y_scale;
}

TEST(AttitudeSense, NoseUpTheHorizonSinksBelowTheMiniatureAircraft) {
    Host host;
    PlacedGauge& att = host.place("Attitude");
    host.variables().set(80, 0);
    set_and_update(host, 78, 0);
    const double aircraft = att.element(att_aircraft).y;
    EXPECT_EQ(horizon_drop(att), 0.0);
    set_and_update(host, 78, 10);
    EXPECT_GT(horizon_drop(att), 0.0) << "nose up: the horizon goes down";
    EXPECT_EQ(att.element(att_aircraft).y, aircraft) << "the aircraft symbol does not follow the pitch";
    const double ten_up = horizon_drop(att);
    set_and_update(host, 78, 20);
    EXPECT_GT(horizon_drop(att), ten_up);
    set_and_update(host, 78, -10);
    EXPECT_LT(horizon_drop(att), 0.0) << "nose down: the horizon rises";
    EXPECT_NEAR(horizon_drop(att), -ten_up, 1e-9);
}

// -- Vertical speed indicator --------------------------------------------

constexpr std::size_t vsi_imperial_needle = 3;

double fpm(double feet_per_minute) { return feet_per_minute * 0.3048 / 60.0 * 256.0; }

// The needle's turn from the zero mark at nine o'clock, clockwise positive.
double vsi_turn(Host& host, PlacedGauge& vsi, double feet_per_minute) {
    set_and_update(host, 65, fpm(feet_per_minute));
    double turn = wrapped(vsi.needle_pose(vsi_imperial_needle).angle - 270.0);
    if (turn > 180.0) turn -= 360.0;
    return turn;
}

TEST(VerticalSpeedCalibration, LevelFlightPointsAtNineOClock) {
    Host host;
    PlacedGauge& vsi = host.place("Vertical_Speed");
    EXPECT_NEAR(vsi_turn(host, vsi, 0), 0.0, 0.5);
}

// The dial is graduated alike up and down: a climb and a descent at one rate
// put the needle at mirror points about the zero line.
TEST(VerticalSpeedCalibration, ClimbAndDescentAtOneRateMirrorEachOther) {
    Host host;
    PlacedGauge& vsi = host.place("Vertical_Speed");
    for (double rate = 250; rate <= 8000; rate += 250) {
        const double up = vsi_turn(host, vsi, rate);
        const double down = vsi_turn(host, vsi, -rate);
        EXPECT_NEAR(up, -down, 1.0) << rate << " ft/min";
    }
}

TEST(VerticalSpeedCalibration, TheNeedleClimbsSteadilyWithGraduationsClosingUp) {
    Host host;
    PlacedGauge& vsi = host.place("Vertical_Speed");
    for (double sign : {1.0, -1.0}) {
        SCOPED_TRACE(sign);
        double previous = 0.0;
        for (double rate = 100; rate <= 8000; rate += 100) {
            const double turn = sign * vsi_turn(host, vsi, sign * rate);
            EXPECT_GT(turn, previous) << rate;
            EXPECT_LT(turn, 180.0) << rate;
            previous = turn;
        }
        // Each further thousand up to 4000 turns the needle less than the one before.
        double last_step = 360.0;
        for (double thousands = 1; thousands <= 4; ++thousands) {
            const double step = sign * (vsi_turn(host, vsi, sign * thousands * 1000) -
                                        vsi_turn(host, vsi, sign * (thousands - 1) * 1000));
            EXPECT_GT(step, 0.0) << thousands;
            EXPECT_LT(step, last_step) << thousands;
            last_step = step;
        }
    }
}

// -- Gear lights ---------------------------------------------------------

TEST(GearForgottenSense, AnyOneLegLeftUpIsEnough) {
    Host host;
    PlacedGauge& forgotten = host.place("Gear_Forgotten_Light");
    PlacedGauge& warning = host.place("Gear_Warning_Light");
    for (int i = 0; i < 30; ++i) host.update();  // any test left running ends
    host.variables().set(61, 110);    // slow
    host.variables().set(625, 40);    // power reduced
    host.variables().set(614, 20);    // lever low
    host.variables().set(604, 7.3);   // in the lit half of the blink
    const std::uint32_t legs[] = {332, 333, 334};
    for (std::uint32_t up : legs) {
        SCOPED_TRACE(up);
        for (std::uint32_t leg : legs) host.variables().set(leg, leg == up ? 0.0 : 16383.0);
        host.update();
        EXPECT_EQ(forgotten.icon_bitmap(1), 2192);
        EXPECT_EQ(warning.icon_bitmap(1), 2192);
    }
    for (std::uint32_t leg : legs) host.variables().set(leg, 16383.0);
    host.update();
    EXPECT_EQ(forgotten.icon_bitmap(1), std::nullopt) << "all down and locked";
    EXPECT_EQ(warning.icon_bitmap(1), 2191);
}

// -- Press-to-test -------------------------------------------------------

TEST(PressToTestSense, EachTestAreaLightsItsOwnLampAlone) {
    struct Light {
        const char* name;
        std::int32_t test_image;
    };
    const Light lights[] = {{"Fire_Light", 2230},
                            {"Flaps_Light", 2211},
                            {"Gear_Warning_Light", 2191},
                            {"Gear_Forgotten_Light", 2191},
                            {"Speed_Brake_Light", 2181}};
    Host host;
    std::vector<PlacedGauge*> placed;
    for (const Light& l : lights) placed.push_back(&host.place(l.name));
    // Nothing to warn of: no fire, flaps and speed brake in, gear up at speed.
    host.variables().set(887, 0);
    host.variables().set(330, 0);
    host.variables().set(326, 0);
    host.variables().set(61, 250);
    host.variables().set(625, 95);
    host.variables().set(614, 100);
    for (std::uint32_t leg : {332u, 333u, 334u}) host.variables().set(leg, 0);
    for (int i = 0; i < 30; ++i) host.update();
    std::vector<std::optional<std::int32_t>> idle;
    for (PlacedGauge* g : placed) idle.push_back(g->icon_bitmap(1));
    for (std::size_t pressed = 0; pressed < placed.size(); ++pressed) {
        SCOPED_TRACE(lights[pressed].name);
        ASSERT_NE(idle[pressed], lights[pressed].test_image);
        EXPECT_TRUE(host.click(*placed[pressed], 10, 10));
        host.update();
        for (std::size_t other = 0; other < placed.size(); ++other) {
            if (other == pressed)
                EXPECT_EQ(placed[other]->icon_bitmap(1), lights[other].test_image);
            else
                EXPECT_EQ(placed[other]->icon_bitmap(1), idle[other]) << lights[other].name << " stays as it was";
        }
        for (int i = 0; i < 30; ++i) host.update();
        EXPECT_EQ(placed[pressed]->icon_bitmap(1), idle[pressed]);
    }
}

// -- Electrical board ----------------------------------------------------

struct BoardSwitch {
    std::int32_t x, y;  // the box's corner; every box is 26 x 74
    std::uint32_t event;
};

constexpr BoardSwitch toggles[] = {
    {83, 17, 0x1033B},  {128, 15, 0x102C1}, {174, 15, 0x10142}, {222, 19, 0x1034B}, {267, 19, 0x102BF},
    {311, 19, 0x10018}, {360, 17, 0x100D7}, {403, 18, 0x100D6}, {449, 18, 0x102F5},
};

TEST(ElecBoardSwitches, AHeldToggleSwitchFlipsOnceOnly) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    for (const BoardSwitch& s : toggles) {
        SCOPED_TRACE(s.event);
        host.clear_logs();
        EXPECT_TRUE(host.hold(board, s.x + 13, s.y + 37, 3));
        EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{s.event, 0}}));
    }
    // The dummy switch flips its own picture: held through three repeats, it
    // must show the other position, not the one it had.
    host.update();
    const auto dummy_before = board.icon_bitmap(1);
    host.clear_logs();
    EXPECT_TRUE(host.hold(board, 536, 55, 3));
    host.update();
    EXPECT_NE(board.icon_bitmap(1), dummy_before);
    EXPECT_TRUE(host.key_events().empty());
}

TEST(ElecBoardSwitches, TheHeldBatterySwitchTurnsTheBatteryOnOnce) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    host.variables().set(364, 0);
    host.update();
    const auto off_picture = board.icon_bitmap(9);
    // Three repeats: a switch that took them would flip four times, back off.
    EXPECT_TRUE(host.hold(board, 140, 50, 3));
    host.update();
    EXPECT_EQ(host.variables().number(364), 1.0);
    EXPECT_NE(board.icon_bitmap(9), off_picture);
    EXPECT_EQ(host.tooltip(board, 140, 50).text, "Battery switch (on)");
}

TEST(ElecBoardSwitches, TheBatteryBoxEdges) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    // Inside, on each edge of the box 128, 15, 26 x 74.
    for (auto [x, y] : {std::pair{128, 50}, std::pair{153, 50}, std::pair{140, 15}, std::pair{140, 88}}) {
        host.clear_logs();
        EXPECT_TRUE(host.click(board, x, y)) << x << "," << y;
        EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x102C1, 0}})) << x << "," << y;
    }
    // Just outside.
    for (auto [x, y] : {std::pair{127, 50}, std::pair{154, 50}, std::pair{140, 14}, std::pair{140, 89}}) {
        host.clear_logs();
        EXPECT_FALSE(host.click(board, x, y)) << x << "," << y;
        EXPECT_TRUE(host.key_events().empty()) << x << "," << y;
    }
    host.clear_logs();
    EXPECT_FALSE(host.click(board, 140, 50, MouseButton::right)) << "a toggle takes no right click";
    EXPECT_TRUE(host.key_events().empty());
}

TEST(ElecBoardSwitches, TheStarterRepeatsWhileHeldAndTakesNoRightClick) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    host.clear_logs();
    EXPECT_TRUE(host.hold(board, 54, 54, 3));
    EXPECT_EQ(host.key_events().count(0x102FC), 4u);
    host.clear_logs();
    EXPECT_FALSE(host.click(board, 54, 54, MouseButton::right));
    EXPECT_TRUE(host.key_events().empty());
    // Box 41, 17, 26 x 74.
    EXPECT_TRUE(host.click(board, 41, 17));
    EXPECT_TRUE(host.click(board, 66, 90));
    EXPECT_FALSE(host.click(board, 40, 50));
    EXPECT_FALSE(host.click(board, 67, 50));
    EXPECT_FALSE(host.click(board, 54, 16));
    EXPECT_FALSE(host.click(board, 54, 91));
}

// -- Engine start and shut-down: each radio's power ------------------------

struct Radio {
    const char* gauge;
    std::size_t lamp;       // lit while the radio has power
    std::int32_t x, y;      // its main switch
};

constexpr Radio radios[] = {
    {"Radio_COM", 4, 70, 80},    {"Radio_NAV1", 10, 110, 100}, {"Radio_NAV2", 10, 110, 100},
    {"Radio_IFF", 6, 40, 40},    {"Radio_ADF", 8, 270, 200},
};

bool powered(Host& host, PlacedGauge& radio, const Radio& r) {
    host.update(radio);
    return radio.icon_bitmap(r.lamp).has_value();
}

void set_power(Host& host, PlacedGauge& radio, const Radio& r, bool on) {
    if (powered(host, radio, r) != on) host.click(radio, r.x, r.y);
    ASSERT_EQ(powered(host, radio, r), on) << r.gauge;
}

class RadioPower : public testing::Test {
protected:
    void SetUp() override {
        for (const Radio& r : radios) placed.push_back(&host.place(r.gauge));
    }
    void all(bool on) {
        for (std::size_t i = 0; i < placed.size(); ++i) set_power(host, *placed[i], radios[i], on);
    }
    bool on(std::size_t i) { return powered(host, *placed[i], radios[i]); }
    Host host;
    std::vector<PlacedGauge*> placed;
};

constexpr std::size_t com_radio = 0, nav1_radio = 1, nav2_radio = 2, iff_radio = 3, adf_radio = 4;

TEST_F(RadioPower, ShutDownSwitchesOffTheCom) {
    all(true);
    host.variables().set(60, 1);
    host.place("Shut_Down");
    EXPECT_FALSE(on(com_radio));
}

TEST_F(RadioPower, ShutDownSwitchesOffNav1) {
    all(true);
    host.variables().set(60, 1);
    host.place("Shut_Down");
    EXPECT_FALSE(on(nav1_radio));
}

TEST_F(RadioPower, ShutDownSwitchesOffNav2) {
    all(true);
    host.variables().set(60, 1);
    host.place("Shut_Down");
    EXPECT_FALSE(on(nav2_radio));
}

TEST_F(RadioPower, ShutDownSwitchesOffTheTransponder) {
    all(true);
    host.variables().set(60, 1);
    host.place("Shut_Down");
    EXPECT_FALSE(on(iff_radio));
}

TEST_F(RadioPower, ShutDownSwitchesOffTheAdf) {
    all(true);
    host.variables().set(60, 1);
    host.place("Shut_Down");
    EXPECT_FALSE(on(adf_radio));
}

TEST_F(RadioPower, ShutDownActsWhenItsWindowOpensNotOnUpdates) {
    all(true);
    host.variables().set(60, 0);
    PlacedGauge& shut_down = host.place("Shut_Down");
    host.variables().set(60, 1);
    host.update(5);
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_TRUE(on(i)) << radios[i].gauge;
    host.connect(shut_down);
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_FALSE(on(i)) << radios[i].gauge;
    // Switched on again by the pilot, they stay on through later updates.
    all(true);
    host.update(5);
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_TRUE(on(i)) << radios[i].gauge;
}

TEST_F(RadioPower, ShutDownLeavesTheRadiosOnWhenItsConditionDoesNotHold) {
    all(true);
    host.variables().set(60, 0);
    host.place("Shut_Down");
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_TRUE(on(i)) << radios[i].gauge;
}

TEST_F(RadioPower, EngineOnSwitchesOnTheCom) {
    all(false);
    host.place("Engine_On");
    EXPECT_TRUE(on(com_radio));
}

TEST_F(RadioPower, EngineOnSwitchesOnNav1) {
    all(false);
    host.place("Engine_On");
    EXPECT_TRUE(on(nav1_radio));
}

TEST_F(RadioPower, EngineOnSwitchesOnNav2) {
    all(false);
    host.place("Engine_On");
    EXPECT_TRUE(on(nav2_radio));
}

TEST_F(RadioPower, EngineOnSwitchesOnTheTransponder) {
    all(false);
    host.place("Engine_On");
    EXPECT_TRUE(on(iff_radio));
}

TEST_F(RadioPower, EngineOnSwitchesOnTheAdf) {
    all(false);
    host.place("Engine_On");
    EXPECT_TRUE(on(adf_radio));
}

TEST_F(RadioPower, EngineOnActsWhenItsWindowOpensNotOnUpdates) {
    PlacedGauge& engine_on = host.place("Engine_On");
    all(false);
    host.update(5);
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_FALSE(on(i)) << radios[i].gauge;
    host.connect(engine_on);
    for (std::size_t i = 0; i < placed.size(); ++i) EXPECT_TRUE(on(i)) << radios[i].gauge;
}

// -- NAV2 knobs ----------------------------------------------------------

TEST(Nav2Knobs, EachKnobSendsNav2sOwnEvent) {
    Host host;
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    set_power(host, nav2, radios[nav2_radio], true);
    const struct {
        std::int32_t x;
        std::uint32_t event;
    } knobs[] = {{48, 0x1006C}, {73, 0x1006D}, {290, 0x1006E}, {315, 0x1006F}};
    for (const auto& k : knobs) {
        SCOPED_TRACE(k.event);
        host.variables().set_word(27, 0x1350);  // 113.50
        host.update();
        host.clear_logs();
        EXPECT_TRUE(host.click(nav2, k.x, 30));
        EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{k.event, 0}}));
        host.clear_logs();
        EXPECT_TRUE(host.hold(nav2, k.x, 30, 2)) << "the knobs repeat while held";
        EXPECT_EQ(host.key_events().count(k.event), 3u);
        EXPECT_EQ(host.key_events().size(), 3u);
    }
    host.variables().set_word(27, 0x1350);
    host.update();
    host.click(nav2, 73, 30);
    host.update();
    EXPECT_EQ(host.variables().word(27), 0x1450u) << "NAV2 tuned to 114.50";
}

TEST(Nav2Knobs, TheKnobBoxEdges) {
    Host host;
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    set_power(host, nav2, radios[nav2_radio], true);
    host.variables().set_word(27, 0x1350);
    host.update();
    const auto sent = [&](std::int32_t x, std::int32_t y) {
        host.clear_logs();
        host.click(nav2, x, y);
        const auto e = host.key_events().entries();
        return e.empty() ? 0u : e.front().event;
    };
    // Whole down 36..60, whole up 61..85, fraction down 278..302, fraction up 303..327; y 8..57.
    EXPECT_EQ(sent(35, 30), 0u);
    EXPECT_EQ(sent(36, 30), 0x1006Cu);
    EXPECT_EQ(sent(60, 30), 0x1006Cu);
    EXPECT_EQ(sent(61, 30), 0x1006Du);
    EXPECT_EQ(sent(85, 30), 0x1006Du);
    EXPECT_EQ(sent(86, 30), 0u);
    EXPECT_EQ(sent(277, 30), 0u);
    EXPECT_EQ(sent(278, 30), 0x1006Eu);
    EXPECT_EQ(sent(302, 30), 0x1006Eu);
    EXPECT_EQ(sent(303, 30), 0x1006Fu);
    EXPECT_EQ(sent(327, 30), 0x1006Fu);
    EXPECT_EQ(sent(328, 30), 0u);
    for (std::int32_t x : {48, 73, 290, 315}) {
        EXPECT_EQ(sent(x, 7), 0u) << x;
        EXPECT_NE(sent(x, 8), 0u) << x;
        EXPECT_NE(sent(x, 57), 0u) << x;
        EXPECT_EQ(sent(x, 58), 0u) << x;
        host.clear_logs();
        EXPECT_FALSE(host.click(nav2, x, 30, MouseButton::right)) << "no right click on " << x;
    }
}

// -- RMI/ILS second indicator ----------------------------------------------

class SecondIndicator : public testing::Test {
protected:
    std::string knob_tip() { return std::string(host.tooltip(indicator, 15, 265).text); }
    bool ils_mode() { return knob_tip().find("Omni bearing selector") != std::string::npos; }
    void to_rmi() {
        if (ils_mode()) host.click(indicator, 150, 150);
        ASSERT_NE(knob_tip().find("RMI switch"), std::string::npos) << knob_tip();
    }
    void to_ils() {
        if (!ils_mode()) host.click(indicator, 150, 150);
        ASSERT_TRUE(ils_mode()) << knob_tip();
    }
    Host host;
    PlacedGauge& indicator = host.place("RMI_ILS_Indicator_2");
};

TEST_F(SecondIndicator, InIlsModeTheKnobSetsTheCourseAndLeavesTheNeedleSource) {
    to_rmi();
    const std::string source = knob_tip();
    to_ils();
    host.variables().set(45, 100);
    host.clear_logs();
    EXPECT_TRUE(host.click(indicator, 15, 265));
    EXPECT_TRUE(host.click(indicator, 45, 265));
    EXPECT_TRUE(host.click(indicator, 45, 265, MouseButton::right));
    EXPECT_TRUE(host.hold(indicator, 45, 265, 2));
    EXPECT_EQ(host.key_events().count(0x100B4), 6u);
    EXPECT_EQ(host.key_events().size(), 6u);
    to_rmi();
    EXPECT_EQ(knob_tip(), source) << "the needle source did not change in ILS mode";
}

TEST_F(SecondIndicator, InRmiModeALeftClickFlipsTheSourceAndARightClickDoesNot) {
    to_rmi();
    const std::string source = knob_tip();
    host.clear_logs();
    host.click(indicator, 45, 265, MouseButton::right);
    EXPECT_EQ(knob_tip(), source);
    host.click(indicator, 15, 265);
    EXPECT_NE(knob_tip(), source);
    host.click(indicator, 45, 265);
    EXPECT_EQ(knob_tip(), source);
    EXPECT_TRUE(host.key_events().empty()) << "no course is set in RMI mode";
}

// -- ADF tone tooltip ------------------------------------------------------

TEST(AdfToneTip, TheToneTooltipReadsTheSimulatorsAudio) {
    Host host;
    PlacedGauge& adf = host.place("Radio_ADF");
    set_power(host, adf, radios[adf_radio], true);
    host.update();
    // The simulator alone turns the audio on and off: the module never clicked.
    host.variables().set(880, 1);
    EXPECT_EQ(host.tooltip(adf, 80, 200).text, "Tone switch (on)");
    host.variables().set(880, 0);
    EXPECT_EQ(host.tooltip(adf, 80, 200).text, "Tone switch (off)");
    // Switched on at the radio, then off by the simulator.
    host.click(adf, 80, 200);
    host.update();
    EXPECT_EQ(host.tooltip(adf, 80, 200).text, "Tone switch (on)");
    host.variables().set(880, 0);
    EXPECT_EQ(host.tooltip(adf, 80, 200).text, "Tone switch (off)");
    host.variables().set(880, 1);
    host.click(adf, 80, 200);  // the module's flag goes back off
    host.variables().set(880, 1);
    EXPECT_EQ(host.tooltip(adf, 80, 200).text, "Tone switch (on)");
}

}  // namespace
