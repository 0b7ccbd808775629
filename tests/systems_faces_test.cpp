// The engine and aircraft systems as a pilot reads and handles them: where
// each needle and lever stands for the readings on its face, how each switch
// and button answers the hand (pressed, held, either button, both), and which
// inputs each light, needle and radio flag listens to.
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;
using korvel::host::angle_of;
using korvel::host::PlayedSound;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr std::uint32_t left_bit = 0x20000000, right_bit = 0x80000000, repeat_bit = 0x00200000;
constexpr std::uint32_t left_release = 0x00020000;
constexpr double kg = 2048.146;           // pressure units per kg/cm2
constexpr double full_level = 8388608.0;  // a full tank

struct Point {
    double x, y;
};

double wrapped(double degrees) {
    const double a = std::fmod(degrees, 360.0);
    return a < 0 ? a + 360.0 : a;
}

// A reading on a dial: a fraction of the way from one mark to the next (0:
// on the mark itself, which the needle points at exactly).
struct Reading {
    double value;  // in the face's own unit
    Point from, to;
    double fraction;
};

struct Face {
    const char* gauge;
    std::size_t needle;
    Point pivot;
    PixelPoint centre;  // the point of the needle's bitmap that turns over the pivot
    int sense;          // 1: the needle turns clockwise as the reading rises, -1 the other way
    void (*set)(Host&, double reading);
    int updates;  // to let a smoothed needle settle
    std::vector<Reading> readings;
};

testing::AssertionResult reads(const PlacedGauge& g, const Face& f, const Reading& r) {
    const double a = angle_of({0, 0}, r.from.x - f.pivot.x, r.from.y - f.pivot.y);
    const double b = angle_of({0, 0}, r.to.x - f.pivot.x, r.to.y - f.pivot.y);
    const double turn = f.sense > 0 ? wrapped(b - a) : -wrapped(a - b);
    const double expected = wrapped(a + r.fraction * turn);
    const auto pose = g.needle_pose(f.needle);
    const double off = std::abs(wrapped(pose.angle - expected + 180.0) - 180.0);
    // As fine as the arithmetic allows: a table reading moved by a single
    // unit turns a needle by less than a hundredth of a degree.
    const bool on_mark = r.fraction != 0 || (std::abs(pose.x - r.from.x) < 1e-6 && std::abs(pose.y - r.from.y) < 1e-6);
    if (off < 1e-6 && on_mark) return testing::AssertionSuccess();
    return testing::AssertionFailure() << f.gauge << " at " << r.value << " points at " << wrapped(pose.angle)
                                       << " degrees (" << pose.x << ", " << pose.y << "), not " << expected;
}

void rpm(Host& h, double v) { h.variables().set(627, v / 108.0); }  // percent
void turbine(Host& h, double c) { h.variables().set(631, 491.67 + 1.8 * c); }
void oil(Host& h, double c) { h.variables().set(561, 491.67 + 1.8 * c); }
// The brake needles read a seventieth of the reservoir with the brakes off.
void brakes(Host& h, double k) { h.variables().set(732, 70 * k * kg); }
void reservoir(Host& h, double k) { h.variables().set(732, 5 * k * kg); }
// Every tank holds 500 US gallons.
void main_left(Host& h, double litres) { h.variables().set(291, litres / (500 * 3.785) * full_level); }
void aux_right(Host& h, double litres) { h.variables().set(299, litres / (500 * 3.785) * full_level); }
void center(Host& h, double litres) { h.variables().set(289, litres / (500 * 3.785) * full_level); }
void flaps(Host& h, double v) { h.variables().set(330, v); }

// ---------------------------------------------------------------------------
// Faces

TEST(SystemsFaces, EveryNeedleAndLeverStandsAtTheReadingOnItsFaceWhicheverUnitsAreShown) {
    // Engine speed, 0 to 12 thousand rpm clockwise from the bottom.
    constexpr Point r0{122, 270}, r7{178, 35}, r108{247, 224}, r12{185, 269};
    // Temperatures in degrees C on their upper arcs.
    constexpr Point t0{51, 102}, t400{119, 73}, t800{194, 102}, o0{59, 98}, o100{122, 67}, o200{185, 98};
    // Brakes 0 at the top, 7 at the side, 14 at the bottom; the reservoir 0
    // at the left, 25 at the bottom, 50 at the right.
    constexpr Point top_l{130, 45}, side_l{50, 121}, bottom_l{130, 205};
    constexpr Point top_r{170, 49}, side_r{250, 121}, bottom_r{170, 205};
    constexpr Point s0{30, 150}, s25{150, 273}, s50{270, 150};
    // Fuel in litres, 0 near the bottom left and clockwise.
    constexpr Point empty{98, 240}, m40{59, 197}, m180{249, 118}, m200{245, 189}, m214{202, 240}, m236{166, 242};
    constexpr Point a25{76, 225}, a50{49, 150}, a250{222, 210}, a300{150, 250};
    constexpr Point c100{53, 187}, c240{179, 51}, c300{252, 151}, c340{201, 238}, c390{174, 246};
    // Flaps up at the top, down at the bottom, through the left.
    constexpr Point up{90, 26}, down{90, 158};
    // clang-format off
    const Face faces[] = {
        {"Engine_RPM", 2, {150, 150}, {35, 13}, 1, rpm, 1,
         {{0, r0, r0, 0}, {1000, r0, r7, 1 / 7.0}, {2000, r0, r7, 2 / 7.0}, {3000, r0, r7, 3 / 7.0},
          {4000, r0, r7, 4 / 7.0}, {5000, r0, r7, 5 / 7.0}, {6000, r0, r7, 6 / 7.0}, {7000, r7, r7, 0},
          {8000, r7, r108, 1 / 3.8}, {9000, r7, r108, 2 / 3.8}, {10000, r7, r108, 3 / 3.8}, {10800, r108, r108, 0},
          {11000, r108, r12, 1 / 6.0}, {12000, r12, r12, 0}, {13000, r12, r12, 0}, {20000, r12, r12, 0}}},
        {"Turbine_Temp", 1, {120, 195}, {0, 1}, 1, turbine, 1,
         {{-50, t0, t0, 0}, {-1, t0, t0, 0}, {0, t0, t0, 0}, {200, t0, t400, 0.5}, {400, t400, t400, 0},
          {600, t400, t800, 0.5}, {800, t800, t800, 0}, {900, t800, t800, 0}, {1500, t800, t800, 0}}},
        {"Oil_Temperature", 1, {120, 183}, {10, 1}, 1, oil, 1,
         {{-20, o0, o0, 0}, {-1, o0, o0, 0}, {0, o0, o0, 0}, {50, o0, o100, 0.5}, {100, o100, o100, 0},
          {150, o100, o200, 0.5}, {200, o200, o200, 0}, {300, o200, o200, 0}}},
        {"Triple_Pressure", 1, {130, 122}, {21, 11}, -1, brakes, 1,
         {{0, top_l, top_l, 0}, {2, top_l, side_l, 2 / 7.0}, {6, top_l, side_l, 6 / 7.0}, {7, side_l, side_l, 0},
          {10, side_l, bottom_l, 3 / 7.0}, {14, bottom_l, bottom_l, 0}, {20, bottom_l, bottom_l, 0},
          {30, bottom_l, bottom_l, 0}}},
        {"Triple_Pressure", 2, {170, 122}, {21, 11}, 1, brakes, 1,
         {{0, top_r, top_r, 0}, {2, top_r, side_r, 2 / 7.0}, {6, top_r, side_r, 6 / 7.0}, {7, side_r, side_r, 0},
          {10, side_r, bottom_r, 3 / 7.0}, {14, bottom_r, bottom_r, 0}, {20, bottom_r, bottom_r, 0},
          {30, bottom_r, bottom_r, 0}}},
        {"Triple_Pressure", 3, {150, 150}, {35, 13}, -1, reservoir, 1,
         {{0, s0, s0, 0}, {10, s0, s25, 0.4}, {20, s0, s25, 0.8}, {25, s25, s25, 0}, {30, s25, s50, 0.2},
          {40, s25, s50, 0.6}, {50, s50, s50, 0}, {60, s50, s50, 0}, {100, s50, s50, 0}}},
        {"Fuel_Quantity_Main_Left", 1, {150, 150}, {35, 13}, 1, main_left, 1,
         {{-5, empty, empty, 0}, {0, empty, empty, 0}, {20, {78, 228}, {78, 228}, 0}, {40, m40, m40, 0},
          {80, m40, m180, 40 / 140.0}, {120, m40, m180, 80 / 140.0}, {160, m40, m180, 120 / 140.0},
          {200, m200, m200, 0}, {207, m200, m214, 0.5}, {214, m214, m214, 0}, {236, m236, m236, 0},
          {300, m236, m236, 0}, {1000, m236, m236, 0}}},
        {"Fuel_Quantity_Aux_Right", 1, {150, 150}, {35, 13}, 1, aux_right, 1,
         {{-5, empty, empty, 0}, {0, empty, empty, 0}, {25, a25, a25, 0}, {50, a50, a50, 0},
          {100, a50, a250, 0.25}, {150, a50, a250, 0.5}, {200, a50, a250, 0.75}, {250, a250, a250, 0},
          {275, a250, a300, 0.5}, {300, a300, a300, 0}, {400, a300, a300, 0}, {1000, a300, a300, 0}}},
        {"Fuel_Quantity_Center", 1, {150, 150}, {35, 13}, 1, center, 1,
         {{-5, empty, empty, 0}, {0, empty, empty, 0}, {100, c100, c100, 0}, {200, c100, c240, 100 / 140.0},
          {240, c240, c240, 0}, {280, {246, 108}, {246, 108}, 0}, {300, c300, c300, 0}, {320, c300, c340, 0.5},
          {340, c340, c340, 0}, {390, c390, c390, 0}, {450, c390, c390, 0}, {1000, c390, c390, 0}}},
        {"Flaps_Indicator", 2, {90, 90}, {35, 9}, -1, flaps, 400,
         {{0, up, up, 0}, {4095, up, down, 0.25}, {8190, up, down, 0.5}, {16380, down, down, 0}}},
    };
    // clang-format on

    Host host;
    for (std::uint32_t capacity : {290u, 292u, 294u, 298u, 300u}) host.variables().set(capacity, 500);
    std::vector<PlacedGauge*> placed;
    for (const Face& f : faces) placed.push_back(&host.place(f.gauge));
    PlacedGauge& rpm_gauge = *placed[0];
    PlacedGauge& flaps_gauge = *placed[9];
    PlacedGauge& throttle = host.place("Throttle_Quadrant");
    PlacedGauge& turn_coordinator = host.place("Turn_Coordinator");
    const auto& lever = *reinterpret_cast<const SliderElement*>(throttle.element(1).record);

    for (bool imperial : {true, false}) {
        SCOPED_TRACE(imperial ? "imperial" : "metric");
        if (!imperial) {
            ASSERT_TRUE(host.click(turn_coordinator, 120, 120));
        }
        host.update();
        EXPECT_EQ(rpm_gauge.icon_bitmap(1), imperial ? std::optional<std::int32_t>(1190) : std::nullopt)
            << "RPM in English, T/min in French";
        EXPECT_EQ(flaps_gauge.icon_bitmap(1), imperial ? std::nullopt : std::optional<std::int32_t>(2350))
            << "UP and DOWN, or LEVE and BAISSE";
        for (std::size_t i = 0; i < std::size(faces); ++i) {
            const Face& f = faces[i];
            const ElementHeader& needle = *placed[i]->element(f.needle).record;
            EXPECT_EQ(needle.centre.x, f.centre.x) << f.gauge << " needle " << f.needle;
            EXPECT_EQ(needle.centre.y, f.centre.y) << f.gauge << " needle " << f.needle;
            // Dial, face lettering and glass lie square over one another.
            for (std::size_t e = 0; e < placed[i]->element_count(); ++e) {
                const ElementHeader& r = *placed[i]->element(e).record;
                if (r.kind == element_needle) continue;
                EXPECT_EQ(r.position.x, 0) << f.gauge << " element " << e;
                EXPECT_EQ(r.position.y, 0) << f.gauge << " element " << e;
            }
            for (const Reading& r : f.readings) {
                f.set(host, r.value);
                for (int n = 0; n < f.updates; ++n) host.update(*placed[i]);
                EXPECT_TRUE(reads(*placed[i], f, r)) << "needle " << f.needle;
            }
        }
        // The throttle lever: its knob at the bottom of the slot (158) closed,
        // at the top (0) fully open, on the slot's one column.
        for (auto [open, y] : {std::pair{0.0, 158.0}, {0.25, 118.5}, {0.5, 79.0}, {1.0, 0.0}}) {
            host.variables().set(558, open);
            host.update(throttle);
            EXPECT_DOUBLE_EQ(lever.header.position.y + lever.y_scale * throttle.element(1).y, y) << open;
            EXPECT_DOUBLE_EQ(lever.header.position.x + lever.x_scale * throttle.element(1).x, 4.0) << open;
        }
    }
}

// ---------------------------------------------------------------------------
// Controls

struct BoardSwitch {
    PixelPoint corner;  // of its box, 26 x 74, which its picture fills
    std::uint32_t token, event;
    std::size_t icon;
    const char* name;
};

// The starter, then the nine toggle switches and the dummy, which sends nothing.
// clang-format off
constexpr BoardSwitch board_switches[] = {
    {{41, 17}, 563, 0x102FC, 11, "Starter"},           {{83, 17}, 565, 0x1033B, 10, "Generator"},
    {{128, 15}, 364, 0x102C1, 9, "Battery"},           {{174, 15}, 13, 0x10142, 8, "Pitot heat"},
    {{222, 19}, 619, 0x1034B, 7, "Navigation lights"}, {{267, 19}, 368, 0x102BF, 6, "Beacon lights"},
    {{311, 19}, 11, 0x10018, 5, "Strobe lights"},      {{360, 17}, 14, 0x100D7, 4, "Landing lights"},
    {{403, 18}, 10, 0x100D6, 3, "Panel lights"},       {{449, 18}, 740, 0x102F5, 2, "Avionics master"},
    {{523, 18}, 0, 0, 1, "Dummy"},
};
// clang-format on
const std::span<const BoardSwitch> toggles = std::span(board_switches).subspan(1);

// Every switch takes a press on each edge of its box and not a pixel beyond.
TEST(SystemsControls, EveryBoardSwitchTakesItsWholeBoxAndNoMore) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    for (const BoardSwitch& s : board_switches) {
        SCOPED_TRACE(s.name);
        const std::int32_t x0 = s.corner.x, y0 = s.corner.y, x1 = x0 + 25, y1 = y0 + 73, cx = x0 + 13, cy = y0 + 37;
        EXPECT_EQ(board.element(s.icon).record->position.x, x0);
        EXPECT_EQ(board.element(s.icon).record->position.y, y0);
        const std::vector<KeyEvent> one_event =
            s.event != 0 ? std::vector<KeyEvent>{{s.event, 0}} : std::vector<KeyEvent>{};
        for (auto [x, y] : {std::pair{x0, cy}, {x1, cy}, {cx, y0}, {cx, y1}, {x0, y0}, {x1, y1}}) {
            host.clear_logs();
            EXPECT_TRUE(host.click(board, x, y)) << x << ", " << y;
            EXPECT_EQ(host.key_events().entries(), one_event) << x << ", " << y;
        }
        for (auto [x, y] : {std::pair{x0 - 1, cy}, {x1 + 1, cy}, {cx, y0 - 1}, {cx, y1 + 1}})
            EXPECT_FALSE(host.click(board, x, y)) << x << ", " << y;
    }
}

// A switch flips once for each press, whatever the hand does while it is
// down: held, the other button with it, or let go. It never sticks.
TEST(SystemsControls, EveryBoardSwitchFlipsOncePerPressAndNeverRepeats) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    for (const BoardSwitch& s : toggles) {
        SCOPED_TRACE(s.name);
        const std::int32_t x = s.corner.x + 13, y = s.corner.y + 37;
        const std::vector<KeyEvent> one_event =
            s.event != 0 ? std::vector<KeyEvent>{{s.event, 0}} : std::vector<KeyEvent>{};
        const std::string tip = std::string(s.name) + " switch (";
        const auto expect_position = [&](bool on, const char* what) {
            host.update();
            EXPECT_EQ(board.icon_bitmap(s.icon), on ? 3141 : 3140) << what;
            EXPECT_EQ(host.tooltip(board, x, y).text, tip + (on ? "on)" : "off)")) << what;
        };
        expect_position(false, "at rest");
        bool on = false;
        const auto press = [&](const char* what, auto&& hand) {
            host.clear_logs();
            const std::size_t sounds = host.sounds_played().size();
            EXPECT_TRUE(hand()) << what;
            EXPECT_EQ(host.key_events().entries(), one_event) << what;
            EXPECT_EQ(host.sounds_played().size(), sounds + 1) << what;
            on = !on;
            expect_position(on, what);
        };
        for (int n = 0; n < 4; ++n) press("a press", [&] { return host.click(board, x, y); });
        press("held through five repeats", [&] { return host.hold(board, x, y, 5); });
        press("both buttons", [&] { return host.mouse_event(board, x, y, left_bit, left_bit | right_bit); });

        host.clear_logs();
        const std::size_t sounds = host.sounds_played().size();
        EXPECT_FALSE(host.click(board, x, y, MouseButton::right));
        EXPECT_FALSE(host.mouse_event(board, x, y, repeat_bit, repeat_bit)) << "no repeat is taken";
        EXPECT_FALSE(host.mouse_event(board, x, y, left_bit | right_bit, left_bit | right_bit));
        EXPECT_FALSE(host.mouse_event(board, x, y, left_release, left_release));
        EXPECT_TRUE(host.key_events().empty());
        EXPECT_EQ(host.sounds_played().size(), sounds);
        expect_position(on, "after the right button and a release");
    }
    EXPECT_EQ(host.sounds_played().back(), (PlayedSound{"Elec_Board", 10}));
}

// The starter and the five test buttons act on the press and again on every
// repeated call while the button stays down; the right button does nothing.
TEST(SystemsControls, TheStarterAndTheTestButtonsKeepActingWhileHeld) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    const auto [sx, sy] = std::pair{54, 54};
    EXPECT_TRUE(host.hold(board, sx, sy, 6));
    EXPECT_EQ(host.key_events().entries(), std::vector<KeyEvent>(7, {0x102FC, 0}));
    host.update();
    EXPECT_EQ(board.icon_bitmap(11), 3141) << "held down";
    host.clear_logs();
    EXPECT_TRUE(host.mouse_event(board, sx, sy, left_bit | repeat_bit, left_bit | repeat_bit));
    EXPECT_TRUE(host.mouse_event(board, sx, sy, left_bit, left_bit | right_bit));
    EXPECT_EQ(host.key_events().entries(), std::vector<KeyEvent>(2, {0x102FC, 0}));
    host.clear_logs();
    EXPECT_FALSE(host.click(board, sx, sy, MouseButton::right));
    EXPECT_FALSE(host.mouse_event(board, sx, sy, left_release, left_release));
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_TRUE(host.sounds_played().empty()) << "the starter makes no sound";
    host.update(3);
    EXPECT_EQ(board.icon_bitmap(11), 3140) << "let go, it springs back";

    const struct {
        const char* gauge;
        std::int32_t test_image;
        std::int32_t width, height;  // of the test area, from the corner
    } lights[] = {{"Fire_Light", 2230, 33, 29},
                  {"Flaps_Light", 2211, 40, 40},
                  {"Gear_Warning_Light", 2191, 41, 41},
                  {"Gear_Forgotten_Light", 2191, 41, 41},
                  {"Speed_Brake_Light", 2181, 40, 40}};
    host.variables().set(332, 8000);  // the nose leg in transit: the gear warning light is dark
    for (const auto& l : lights) {
        SCOPED_TRACE(l.gauge);
        PlacedGauge& light = host.place(l.gauge);
        host.update(light);
        const auto idle = light.icon_bitmap(1);
        ASSERT_NE(idle, l.test_image);
        const auto lit_for = [&](int updates) {
            for (int n = 1; n <= updates; ++n) {
                host.update(light);
                if (light.icon_bitmap(1) != l.test_image) return n - 1;
            }
            return updates;
        };
        EXPECT_TRUE(host.click(light, 5, 5));
        EXPECT_EQ(lit_for(20), 20);
        // Still held: a repeated call, with or without the other button, starts the test over.
        EXPECT_TRUE(host.mouse_event(light, 5, 5, left_bit | repeat_bit, left_bit | repeat_bit));
        EXPECT_EQ(lit_for(20), 20);
        EXPECT_TRUE(host.mouse_event(light, 5, 5, left_bit, left_bit | right_bit | repeat_bit));
        EXPECT_EQ(lit_for(40), 27);
        EXPECT_EQ(light.icon_bitmap(1), idle);
        EXPECT_TRUE(host.hold(light, 5, 5, 3));
        EXPECT_EQ(lit_for(40), 27);
        EXPECT_FALSE(host.click(light, 5, 5, MouseButton::right));
        EXPECT_FALSE(host.mouse_event(light, 5, 5, left_release, left_release));
        EXPECT_EQ(lit_for(1), 0) << "the right button and a release test nothing";
        for (auto [x, y] : {std::pair{0, 0}, {l.width - 1, l.height - 1}}) EXPECT_TRUE(host.click(light, x, y));
        for (auto [x, y] : {std::pair{l.width, 0}, {0, l.height}}) EXPECT_FALSE(host.click(light, x, y));
        EXPECT_EQ(lit_for(40), 27);
        EXPECT_TRUE(host.key_events().empty());
    }
}

// The throttle sets the lever by the height of the press, once however long
// the button is held; it takes no right button and nothing outside its box.
TEST(SystemsControls, TheThrottleSetsOncePerPressWithinItsBox) {
    Host host;
    PlacedGauge& throttle = host.place("Throttle_Quadrant");
    EXPECT_TRUE(host.hold(throttle, 40, 121, 5));
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1011C, 8225}})) << "held, it sets once";
    host.clear_logs();
    EXPECT_TRUE(host.mouse_event(throttle, 40, 0, left_bit, left_bit | right_bit));
    EXPECT_FALSE(host.mouse_event(throttle, 40, 60, repeat_bit, repeat_bit));
    EXPECT_FALSE(host.click(throttle, 40, 60, MouseButton::right));
    EXPECT_FALSE(host.mouse_event(throttle, 40, 60, left_release, left_release));
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1011C, 16384}}));
    host.update();
    EXPECT_EQ(throttle.element(1).y, 1.0) << "fully open";
    // The quadrant's box, 12, 0, 66 x 243: its edges take a press, the next pixels out do not.
    for (auto [x, y] : {std::pair{12, 100}, {77, 100}, {40, 0}, {40, 242}}) EXPECT_TRUE(host.click(throttle, x, y));
    for (auto [x, y] : {std::pair{11, 100}, {78, 100}, {40, 243}}) EXPECT_FALSE(host.click(throttle, x, y));
}

// ---------------------------------------------------------------------------
// Inputs, one at a time

// Every token a light reads, so that each light can be shown deaf to the
// ones it does not name.
constexpr std::uint32_t light_inputs[] = {13, 61, 326, 330, 332, 333, 334, 418, 565, 604, 614, 625, 759, 761, 887};

struct Setting {
    std::uint32_t token;
    double value;
};

struct Case {
    std::uint32_t token;
    double value;
    std::optional<std::int32_t> shown;
};

struct LightRule {
    const char* gauge;
    std::size_t element;
    std::vector<Setting> held;  // the other inputs, where the varied one decides
    std::vector<Case> cases;
    PixelPoint at{};  // where its lit image is drawn
};

TEST(SystemsInputs, EachLightFollowsEachInputItsRuleNamesAndNoOther) {
    const std::optional<std::int32_t> dark;
    // Gear up, slow, power and lever low, in the lit half of the 0.5 s blink.
    const std::vector<Setting> forgotten = {{332, 0}, {333, 0}, {334, 0}, {61, 120}, {625, 60}, {614, 30}, {604, 10.3}};
    // clang-format off
    const std::vector<Setting> one_leg_up = {{332, 16383}, {333, 16383}, {334, 16383}, {61, 120},
                                             {625, 60},    {614, 30},    {604, 10.3}};
    // clang-format on
    // clang-format off
    const std::vector<Case> forgotten_cases = {
        {614, 60.99, 2192}, {614, 61, dark},  {614, nan, dark},  {61, 149.99, 2192}, {61, 150, dark},
        {61, nan, dark},    {625, 89.99, 2192}, {625, 90, dark}, {625, nan, dark},   {604, 10.25, dark},
        {604, 10.2501, 2192}, {604, 10.4999, 2192}, {604, 10.5, dark}, {604, nan, dark}};
    // clang-format on
    std::vector<Case> forgotten_legs, warning_legs;
    for (std::uint32_t leg : {332u, 333u, 334u}) {
        for (const Case& c : {Case{leg, 99.99, 2192}, Case{leg, 100, dark}, Case{leg, nan, dark}}) {
            forgotten_legs.push_back(c);
            warning_legs.push_back(c);
        }
        forgotten_legs.push_back({leg, 16383, dark});
        warning_legs.push_back({leg, 15999.99, dark});
        warning_legs.push_back({leg, 16000, 2191});
    }
    // All legs up and every dot's blink on; a dot's own leg in transit.
    const std::vector<Setting> bars = {{332, 0}, {333, 0}, {334, 0}, {604, 0.27}};
    const auto in_transit = [](std::uint32_t leg) {
        std::vector<Setting> s = {{332, 0}, {333, 0}, {334, 0}, {604, 0.27}};
        for (Setting& l : s)
            if (l.token == leg) l.value = 5000;
        return s;
    };
    // clang-format off
    const LightRule rules[] = {
        {"Fire_Light", 1, {}, {{887, 0, dark}, {887, 1e-9, 2230}, {887, 1, 2230}, {887, -1, dark}, {887, nan, dark}}},
        {"Flaps_Light", 1, {},
         {{330, 4700, dark}, {330, 4700.01, 2210}, {330, 8000, 2210}, {330, 8000.01, 2211}, {330, 16000, 2211},
          {330, 16000.01, 2212}, {330, 16383, 2212}, {330, nan, dark}}},
        {"Speed_Brake_Light", 1, {},
         {{326, 8000, 2180}, {326, 8000.01, 2181}, {326, 0, 2180}, {326, 16383, 2181}, {326, nan, 2180}}},
        {"Low_Oil_Press_Light", 1, {}, {{418, 2879.99, 2480}, {418, 2880, dark}, {418, 5000, dark}, {418, nan, dark}}},
        {"Generator_Light", 1, {{761, 0}, {759, 28}},
         {{761, 9.99, 3100}, {761, 10, dark}, {761, nan, dark}, {759, 20.01, 3100}, {759, 20, dark},
          {759, nan, dark}}},
        {"Pitot_Heat_Light", 1, {}, {{13, 0, dark}, {13, 1e-9, 3151}, {13, 1, 3151}, {13, -1, dark}, {13, nan, dark}}},
        {"Gear_Forgotten_Light", 1, forgotten, forgotten_cases},
        {"Gear_Warning_Light", 1, forgotten, forgotten_cases},
        {"Gear_Forgotten_Light", 1, one_leg_up, forgotten_legs},
        {"Gear_Warning_Light", 1, one_leg_up, warning_legs},
        // The gear position indicator: each leg's green bar above 16300, its
        // red dot from 50 to 16300 while its own blink is on.
        {"Gear_Lights", 1, bars,
         {{334, 16300, dark}, {334, 16300.01, 1480}, {332, 16300.01, dark}, {333, 16383, dark}}, {114, 60}},
        {"Gear_Lights", 2, bars,
         {{332, 16300, dark}, {332, 16300.01, 1470}, {333, 16383, dark}, {334, 16383, dark}}, {49, 118}},
        {"Gear_Lights", 3, bars,
         {{333, 16300, dark}, {333, 16300.01, 1460}, {332, 16383, dark}, {334, 16383, dark}}, {20, 58}},
        {"Gear_Lights", 4, in_transit(334),
         {{334, 49.99, dark}, {334, 50, 1490}, {334, 16300, 1490}, {334, 16300.01, dark}, {334, nan, 1490},
          {332, 16383, 1490}, {333, 16383, 1490}, {604, 0.26, dark}, {604, 0.2601, 1490}, {604, nan, dark}},
         {104, 28}},
        {"Gear_Lights", 5, in_transit(332),
         {{332, 49.99, dark}, {332, 50, 1490}, {332, 16300, 1490}, {332, 16300.01, dark}, {332, nan, 1490},
          {333, 16383, 1490}, {334, 16383, 1490}, {604, 0.265, dark}, {604, 0.2651, 1490}, {604, nan, dark}},
         {71, 15}},
        {"Gear_Lights", 6, in_transit(333),
         {{333, 49.99, dark}, {333, 50, 1490}, {333, 16300, 1490}, {333, 16300.01, dark}, {333, nan, 1490},
          {332, 16383, 1490}, {334, 16383, 1490}, {604, 0.255, dark}, {604, 0.2551, 1490}, {604, nan, dark}},
         {37, 27}},
    };
    // clang-format on
    for (const LightRule& rule : rules) {
        SCOPED_TRACE(std::string(rule.gauge) + " element " + std::to_string(rule.element));
        Host host;
        PlacedGauge& light = host.place(rule.gauge);
        EXPECT_EQ(light.element(rule.element).record->position.x, rule.at.x);
        EXPECT_EQ(light.element(rule.element).record->position.y, rule.at.y);
        const auto hold_others = [&] {
            for (std::uint32_t t : light_inputs) host.variables().set(t, 0);
            for (const Setting& s : rule.held) host.variables().set(s.token, s.value);
        };
        std::vector<std::uint32_t> named;
        for (const Setting& s : rule.held) named.push_back(s.token);
        for (const Case& c : rule.cases) {
            hold_others();
            host.variables().set(c.token, c.value);
            host.update(light);
            EXPECT_EQ(light.icon_bitmap(rule.element), c.shown) << "token " << c.token << " at " << c.value;
            named.push_back(c.token);
        }
        // The inputs the rule does not name change nothing, lit or dark.
        for (const Case& c : {rule.cases.front(), rule.cases[1]}) {
            for (std::uint32_t t : light_inputs) {
                if (std::find(named.begin(), named.end(), t) != named.end()) continue;
                for (double v : {1.0, 100.0, 20000.0}) {
                    hold_others();
                    host.variables().set(c.token, c.value);
                    host.variables().set(t, v);
                    host.update(light);
                    EXPECT_EQ(light.icon_bitmap(rule.element), c.shown) << "token " << t << " at " << v;
                }
            }
        }
    }
}

// The brake needles read their own brake and the reservoir, the reservoir
// needle the reservoir alone; each fuel gauge reads its own tank alone.
TEST(SystemsInputs, EachNeedleFollowsItsOwnInputsAlone) {
    Host host;
    PlacedGauge& p = host.place("Triple_Pressure");
    const struct {
        std::uint32_t token;
        double value;
        double left, right, tank;  // kg/cm2 on each needle
    } pressures[] = {
        {320, 32768, 6.5, 0, 0},  {320, 16384, 3.25, 0, 0},     {321, 32768, 0, 6.5, 0},
        {321, 8192, 0, 1.625, 0}, {732, 70 * 2 * kg, 2, 2, 28}, {732, 70 * 50 * kg, 50, 50, 700},
    };
    for (const auto& c : pressures) {
        for (std::uint32_t t : {320u, 321u, 732u}) host.variables().set(t, 0);
        host.variables().set(c.token, c.value);
        for (std::uint32_t deaf : {0u, 627u, 631u, 561u, 326u, 330u}) {
            if (deaf != 0) host.variables().set(deaf, 30000);
            host.update();
            EXPECT_NEAR(p.element(1).value, c.left * kg, 1e-6) << c.token << " at " << c.value << ", " << deaf;
            EXPECT_NEAR(p.element(2).value, c.right * kg, 1e-6) << c.token << " at " << c.value << ", " << deaf;
            EXPECT_NEAR(p.element(3).value, c.tank * kg, 1e-6) << c.token << " at " << c.value << ", " << deaf;
        }
    }

    const struct {
        const char* gauge;
        std::uint32_t capacity, level;
        double gallons, eighths;
    } tanks[] = {{"Fuel_Quantity_Center", 290, 289, 10, 1},
                 {"Fuel_Quantity_Main_Left", 292, 291, 20, 2},
                 {"Fuel_Quantity_Aux_Left", 294, 293, 30, 3},
                 {"Fuel_Quantity_Main_Right", 298, 297, 40, 4},
                 {"Fuel_Quantity_Aux_Right", 300, 299, 50, 5}};
    std::vector<PlacedGauge*> gauges;
    for (const auto& t : tanks) {
        host.variables().set(t.capacity, t.gallons);
        host.variables().set(t.level, t.eighths / 8 * full_level);
    }
    for (const auto& t : tanks) gauges.push_back(&host.place(t.gauge));
    const auto expect_litres = [&](std::size_t changed, double eighths, const char* what) {
        host.update();
        for (std::size_t i = 0; i < std::size(tanks); ++i) {
            const double e = i == changed ? eighths : tanks[i].eighths;
            EXPECT_NEAR(gauges[i]->element(1).value, tanks[i].gallons * 3.785 * e / 8, 1e-9)
                << tanks[i].gauge << ": " << what;
        }
    };
    expect_litres(std::size(tanks), 0, "each its own tank");
    for (std::size_t i = 0; i < std::size(tanks); ++i) {
        host.variables().set(tanks[i].level, full_level);
        expect_litres(i, 8, "one tank filled");
        host.variables().set(tanks[i].level, tanks[i].eighths / 8 * full_level);
        // A new capacity shows only on its own gauge, and only once installed again.
        host.variables().set(tanks[i].capacity, tanks[i].gallons * 2);
        expect_litres(i, tanks[i].eighths, "capacity changed, not installed");
        host.service(*gauges[i], 2, host.library().handle());
        expect_litres(i, tanks[i].eighths * 2, "installed again");
        host.variables().set(tanks[i].capacity, tanks[i].gallons);
        host.service(*gauges[i], 2, host.library().handle());
    }
}

// The engine-on and shut-down gauges set every radio's power and audio as
// their windows open, each radio on its own, and nothing on later updates.
TEST(SystemsInputs, EngineOnAndShutDownSetEachRadiosPowerAndAudio) {
    Host host;
    struct Radio {
        PlacedGauge& g;
        Point power_switch;
        std::size_t lamp;
        Point audio_switch;  // none: {0, 0}
        std::size_t audio_icon;
    };
    // clang-format off
    const Radio radios[] = {
        {host.place("Radio_COM"), {70, 80}, 4, {0, 0}, 0},
        {host.place("Radio_NAV1"), {110, 100}, 10, {240, 100}, 8},
        {host.place("Radio_NAV2"), {110, 100}, 10, {240, 100}, 8},
        {host.place("Radio_IFF"), {40, 40}, 6, {0, 0}, 0},
        {host.place("Radio_ADF"), {270, 200}, 8, {80, 200}, 7},
    };
    // clang-format on
    host.update();
    std::vector<std::optional<std::int32_t>> audio_off;
    for (const Radio& r : radios) audio_off.push_back(r.audio_icon != 0 ? r.g.icon_bitmap(r.audio_icon) : std::nullopt);
    const auto click_at = [&](const Radio& r, Point p) {
        ASSERT_TRUE(host.click(r.g, static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y)));
    };
    // Every radio powered or not, every audio switch on.
    const auto set_up = [&](bool powered) {
        for (const Radio& r : radios) {
            host.update(r.g);
            if (!r.g.icon_bitmap(r.lamp).has_value()) click_at(r, r.power_switch);
            host.update(r.g);
            if (r.audio_icon != 0 && r.g.icon_bitmap(r.audio_icon) == audio_off[&r - radios])
                click_at(r, r.audio_switch);
            if (!powered) click_at(r, r.power_switch);
        }
        host.update();
        for (const Radio& r : radios) {
            ASSERT_EQ(r.g.icon_bitmap(r.lamp).has_value(), powered) << r.g.name();
            if (r.audio_icon != 0) {
                ASSERT_NE(r.g.icon_bitmap(r.audio_icon), audio_off[&r - radios]) << r.g.name();
            }
        }
    };
    const auto expect_radios = [&](bool powered, bool audio_cleared, const char* what) {
        host.update();
        for (std::size_t i = 0; i < std::size(radios); ++i) {
            const Radio& r = radios[i];
            EXPECT_EQ(r.g.icon_bitmap(r.lamp).has_value(), powered) << r.g.name() << ": " << what;
            if (r.audio_icon != 0) {
                EXPECT_EQ(r.g.icon_bitmap(r.audio_icon) == audio_off[i], audio_cleared) << r.g.name() << ": " << what;
            }
        }
    };
    const std::vector<KeyEvent> audio_events = {{0x1012C, 0}, {0x10128, 0}, {0x10129, 0}};

    host.variables().set(60, 0);
    PlacedGauge& shut_down = host.place("Shut_Down");
    set_up(true);
    for (double condition : {0.0, -1.0, nan}) {
        host.variables().set(60, condition);
        host.clear_logs();
        host.connect(shut_down);
        EXPECT_TRUE(host.key_events().empty()) << condition;
        expect_radios(true, false, "the condition does not hold");
    }
    host.variables().set(60, 1);
    host.update(5);
    expect_radios(true, false, "nothing on updates");
    for (double condition : {1e-9, 1.0}) {
        set_up(true);
        host.variables().set(60, condition);
        host.clear_logs();
        host.connect(shut_down);
        EXPECT_EQ(host.key_events().entries(), audio_events) << condition;
        expect_radios(false, true, "shut down");
    }

    host.variables().set(895, 1);
    PlacedGauge& engine_on = host.place("Engine_On");
    for (double condition : {0.0, 1.0, -1.0, 0.5, nan}) {
        set_up(false);
        host.update(5);
        expect_radios(false, false, "nothing on updates");
        host.variables().set(895, condition);
        host.clear_logs();
        host.connect(engine_on);
        std::vector<KeyEvent> sent = audio_events;
        if (condition == 0.0) sent.push_back({0x103BE, 0});
        sent.push_back({0x1017F, 16383});
        EXPECT_EQ(host.key_events().entries(), sent) << condition;
        expect_radios(true, true, "engine on");
    }
}

}  // namespace
