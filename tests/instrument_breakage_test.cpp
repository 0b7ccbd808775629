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

// -- Press-to-test -------------------------------------------------------

TEST(PressToTestSense, EachTestAreaLightsItsOwnLampAlone) {
    struct Light {
        const char* name;
        std::int32_t test_image;
    };
    // clang-format off
    const Light lights[] = {{"Fire_Light", 2230},
                            {"Flaps_Light", 2211},
                            {"Gear_Warning_Light", 2191},
                            {"Gear_Forgotten_Light", 2191},
                            {"Speed_Brake_Light", 2181}};
    // clang-format on
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

// -- Radio power, for the suites below -------------------------------------

struct Radio {
    const char* gauge;
    std::size_t lamp;   // lit while the radio has power
    std::int32_t x, y;  // its main switch
};

// clang-format off
constexpr Radio radios[] = {
    {"Radio_COM", 4, 70, 80},    {"Radio_NAV1", 10, 110, 100}, {"Radio_NAV2", 10, 110, 100},
    {"Radio_IFF", 6, 40, 40},    {"Radio_ADF", 8, 270, 200},
};
// clang-format on

bool powered(Host& host, PlacedGauge& radio, const Radio& r) {
    host.update(radio);
    return radio.icon_bitmap(r.lamp).has_value();
}

void set_power(Host& host, PlacedGauge& radio, const Radio& r, bool on) {
    if (powered(host, radio, r) != on) host.click(radio, r.x, r.y);
    ASSERT_EQ(powered(host, radio, r), on) << r.gauge;
}

constexpr std::size_t nav2_radio = 2, adf_radio = 4;

// -- NAV2 knobs ----------------------------------------------------------

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
