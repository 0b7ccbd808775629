// The RMI/ILS dual indicators and the RMI needle switch.
#include "tests/gauge_test_support.h"

#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <span>
#include <tuple>
#include <vector>

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
    glass = 10,
    course_knob = 11
};
constexpr std::size_t switch_lever = 1;

constexpr std::size_t rmi_parts[] = {compass_card, adf_needle, vor_needle};
constexpr std::size_t ils_parts[] = {course_card, gs_flag, to_from, localizer, glideslope, course_knob};

constexpr std::int32_t centre = 150, knob_left_x = 15, knob_right_x = 45, knob_y = 265;
constexpr std::uint32_t left = mouse_left_click, right = mouse_right_click, course_set = 0x100B4;

// How far a card is turned counterclockwise, in [0, 360): the card's mark
// that many degrees clockwise from its top then stands under the top lubber.
double card_turn(const PlacedGauge& gauge, std::size_t sprite) {
    const auto& record = *reinterpret_cast<const SpriteElement*>(gauge.element(sprite).record);
    double a = std::fmod(gauge.element(sprite).rotation * record.rotation_scale, 360.0);
    if (a < 0) a += 360.0;
    return a;
}

// A press with the given buttons, then that many repeat calls while held.
bool press(Host& host, PlacedGauge& gauge, std::int32_t x, std::int32_t y, std::uint32_t flags, int repeats = 0) {
    bool taken = host.mouse_event(gauge, x, y, flags, flags);
    for (int i = 0; i < repeats; ++i)
        taken = host.mouse_event(gauge, x, y, flags | mouse_repeat, flags | mouse_repeat) && taken;
    return taken;
}

// What the two indicators show of their inputs: the first in RMI mode, the
// second in ILS mode.
struct Shown {
    double adf, vor, localizer, glideslope;
    std::optional<std::int32_t> gs_flag, to_from;
    double heading, course;
    friend bool operator==(const Shown&, const Shown&) = default;
    friend void PrintTo(const Shown& s, std::ostream* out) {
        *out << "adf " << s.adf << " vor " << s.vor << " loc " << s.localizer << " gs " << s.glideslope << " flags "
             << s.gs_flag.value_or(-1) << "/" << s.to_from.value_or(-1) << " cards " << s.heading << "/" << s.course;
    }
};

class Indicators : public testing::Test {
protected:
    void ils(PlacedGauge& indicator) {
        host.click(indicator, centre, centre);
        host.update();
    }
    std::vector<KeyEvent> course_events() {
        std::vector<KeyEvent> out;
        for (const KeyEvent& e : host.key_events().entries())
            if (e.event == course_set) out.push_back(e);
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

    // Each tooltip covers its area's box and nothing beyond it.
    // clang-format off
    const std::tuple<std::int32_t, std::int32_t, const char*> tips[] = {
        {120, 120, "Dual indicator RMI/ILS - Click here to change"},
        {179, 179, "Dual indicator RMI/ILS - Click here to change"},
        {119, 150, ""}, {180, 150, ""}, {150, 119, ""}, {150, 180, ""},
        {4, 236, "Button - inactive"}, {61, 293, "Button - inactive"},
        {3, 265, ""}, {62, 265, ""}, {33, 235, ""}, {33, 294, ""},
    };
    // clang-format on
    for (const auto& [x, y, text] : tips) EXPECT_EQ(host.tooltip(first, x, y).text, text) << x << ", " << y;

    ils(first);
    for (std::size_t e : rmi_parts) EXPECT_TRUE(first.hidden(e)) << e;
    for (std::size_t e : ils_parts) EXPECT_FALSE(first.hidden(e)) << e;
    EXPECT_EQ(first.icon_bitmap(ils_face), 2110);
    for (std::size_t e : rmi_parts) EXPECT_FALSE(second.hidden(e)) << "the other indicator keeps its mode";
    ils(first);
    EXPECT_FALSE(first.hidden(vor_needle));
    EXPECT_EQ(first.image_flags(vor_needle), 0x4083u);
}

// Where each reading stands on the face. The RMI needles point at their
// bearing round the card, 0 at the top; the localizer hangs straight down
// when centred and reaches the ends of its arc at full scale, right at +127;
// the glideslope needle lies level when centred, up at -120 and down at +120;
// the course knob turns half a turn per 30 degrees of course; the cards bring
// the heading and the selected course under the top lubber; each flag shows
// its striped picture at 0 and its other picture at 1.
TEST_F(Indicators, EveryReadingStandsWhereTheFaceShowsIt) {
    constexpr double none = -1;
    struct Needle {
        std::size_t element;
        std::uint32_t token;
        double value;
        double x;         // the dial point (x, y); or, where y is none, the angle
        double y = none;  // clockwise from twelve o'clock
    };
    // clang-format off
    const Needle rmi_needles[] = {
        {adf_needle, 39, 0, 150, 51},    {adf_needle, 39, 45, 45},        {adf_needle, 39, 90, 250, 151},
        {adf_needle, 39, 180, 150, 251}, {adf_needle, 39, 270, 50, 151},  {adf_needle, 39, 359, 359},
        {vor_needle, 550, 0, 150, 51},   {vor_needle, 550, 135, 135},     {vor_needle, 550, 90, 250, 151},
        {vor_needle, 550, 180, 150, 251}, {vor_needle, 550, 270, 50, 151}, {vor_needle, 550, 359, 359},
    };
    // clang-format on
    // clang-format off
    const Needle ils_needles[] = {
        {localizer, 40, -127, 92, 150},   {localizer, 40, 0, 180},   {localizer, 40, 127, 208, 150},
        {glideslope, 41, -120, 208, 102}, {glideslope, 41, 0, 90},   {glideslope, 41, 120, 208, 198},
        {course_knob, 45, 0, 33, 245},    {course_knob, 45, 15, 90}, {course_knob, 45, 30, 33, 285},
        {course_knob, 45, 45, 270},       {course_knob, 45, 359, 354},
    };
    // clang-format on
    struct Card {
        std::size_t element;
        std::uint32_t token;
    };
    struct Flag {
        std::size_t element;
        std::uint32_t token;
        double value;
        std::optional<std::int32_t> bitmap;
    };
    // clang-format off
    const Flag flags[] = {
        {gs_flag, 44, 0, 2150}, {gs_flag, 44, 1, 2151}, {to_from, 43, 0, 2140}, {to_from, 43, 1, 2141},
        {to_from, 43, 2, std::nullopt},
    };
    // clang-format on
    const auto check_needles = [&](std::span<const Needle> needles) {
        for (const Needle& n : needles) {
            host.variables().set(n.token, n.value);
            host.update();
            for (PlacedGauge* g : {&first, &second}) {
                SCOPED_TRACE(testing::Message() << g->name() << " element " << n.element << " at " << n.value);
                if (n.y != none)
                    EXPECT_TRUE(points_at(*g, n.element, n.x, n.y));
                else
                    EXPECT_NEAR(dial_angle(*g, n.element), n.x, 1e-9);
            }
        }
    };
    const auto check_cards = [&](Card card) {
        for (double reading : {0.0, 30.0, 90.0, 180.0, 270.0, 359.0}) {
            set_and_update(host, card.token, reading);
            for (PlacedGauge* g : {&first, &second})
                EXPECT_NEAR(card_turn(*g, card.element), reading, 1e-9) << g->name() << " card " << card.element;
        }
    };

    // Where each picture stands, and the point of it that turns over its pivot.
    struct Placed {
        std::size_t element;
        PixelPoint position, centre;
    };
    // clang-format off
    const Placed pictures[] = {
        {0, {0, 0}, {0, 0}},                 {ils_face, {0, 0}, {0, 0}},          {compass_card, {0, 0}, {150, 151}},
        {adf_needle, {150, 151}, {101, 17}}, {vor_needle, {150, 151}, {105, 10}}, {course_card, {18, 18}, {150, 150}},
        {gs_flag, {188, 135}, {0, 0}},       {to_from, {135, 196}, {0, 0}},       {localizer, {150, 74}, {0, 2}},
        {glideslope, {74, 150}, {0, 2}},     {glass, {0, 0}, {0, 0}},             {course_knob, {33, 265}, {29, 29}},
    };
    // clang-format on
    for (PlacedGauge* g : {&first, &second})
        for (const Placed& p : pictures) {
            const ElementHeader& record = *g->element(p.element).record;
            EXPECT_EQ(std::pair(record.position.x, record.position.y), std::pair(p.position.x, p.position.y))
                << g->name() << " element " << p.element;
            EXPECT_EQ(std::pair(record.centre.x, record.centre.y), std::pair(p.centre.x, p.centre.y))
                << g->name() << " element " << p.element;
        }

    check_needles(rmi_needles);
    check_cards({compass_card, 84});
    ils(first);
    ils(second);
    check_needles(ils_needles);
    check_cards({course_card, 45});
    for (const Flag& f : flags) {
        set_and_update(host, f.token, f.value);
        for (PlacedGauge* g : {&first, &second})
            EXPECT_EQ(g->icon_bitmap(f.element), f.bitmap) << g->name() << " " << f.element << " at " << f.value;
    }
}

TEST_F(Indicators, TheRmiSwitchFlipsBothVorNeedlesOneUpdateLate) {
    PlacedGauge& rmi_switch = host.place("RMI_Switch");
    host.variables().set(550, 30);
    host.variables().set(59, 200);
    host.update();
    EXPECT_EQ(first.element(vor_needle).value, 30.0);
    EXPECT_EQ(rmi_switch.icon_bitmap(switch_lever), 3170);
    host.click(rmi_switch, 25, 15);
    host.update();
    EXPECT_EQ(first.element(vor_needle).value, 30.0) << "this update was fetched from NAV1 still";
    EXPECT_EQ(rmi_switch.icon_bitmap(switch_lever), 3171);
    host.update();
    EXPECT_EQ(first.element(vor_needle).value, 200.0);
    EXPECT_EQ(second.element(vor_needle).value, 200.0);
    EXPECT_EQ(host.tooltip(rmi_switch, 25, 15).text, "Single RMI needle switch (VOR1-VOR2)");
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
    EXPECT_EQ(host.tooltip(first, knob_left_x, knob_y).text, "Button - inactive");
    EXPECT_EQ(host.tooltip(second, knob_left_x, knob_y).text,
              "Button - RMI switch (actual needles : ADF ==>,VOR1 -->)");
    host.click(second, knob_right_x, knob_y);
    host.update();
    EXPECT_EQ(rmi_switch.icon_bitmap(switch_lever), 3171) << "the switch lever follows at its next update";
    EXPECT_EQ(host.tooltip(second, knob_left_x, knob_y).text,
              "Button - RMI switch (actual needles : ADF ==>,VOR2 -->)");
    host.click(rmi_switch, 25, 15);
    EXPECT_EQ(host.tooltip(second, knob_left_x, knob_y).text,
              "Button - RMI switch (actual needles : ADF ==>,VOR1 -->)");

    // Every call that carries the left button flips the source, the repeats
    // of a held button too; the first indicator's knob never does.
    struct Press {
        std::int32_t x;
        std::uint32_t flags;
        int repeats;
        bool flipped;  // by the second indicator's knob, after the press and its repeats
    };
    // clang-format off
    const Press presses[] = {
        {knob_left_x, left, 0, true},      {knob_right_x, left, 0, true},   {knob_left_x, right, 0, false},
        {knob_right_x, right, 2, false},   {knob_left_x, left | right, 0, true},
        {knob_right_x, left, 1, false},    {knob_left_x, left, 2, true},    {knob_right_x, 0, 0, false},
    };
    // clang-format on
    const auto nav1 = [&] {
        host.update();
        return rmi_switch.icon_bitmap(switch_lever) == 3170;
    };
    for (const Press& p : presses) {
        for (PlacedGauge* g : {&first, &second}) {
            SCOPED_TRACE(testing::Message() << g->name() << " x " << p.x << " flags " << std::hex << p.flags << std::dec
                                            << " repeats " << p.repeats);
            const bool before = nav1();
            EXPECT_TRUE(press(host, *g, p.x, knob_y, p.flags, p.repeats));
            EXPECT_EQ(nav1(), g == &second && p.flipped ? !before : before);
        }
    }
    EXPECT_TRUE(course_events().empty());
    EXPECT_EQ(host.sounds_played().size(), 1u) << "the switch's own click only";
}

// The dial centres and the RMI switch flip once a press however long the
// button is held, and go on flipping press after press; the right button
// and the edges of their boxes take nothing. Only the switch clicks.
TEST_F(Indicators, TheSwitchesFlipOnceAPressHoweverLongItIsHeld) {
    PlacedGauge& rmi_switch = host.place("RMI_Switch");
    struct Switch {
        PlacedGauge* gauge;
        std::size_t picture;
        std::optional<std::int32_t> rest, flipped;
        std::int32_t x0, y0, x1, y1;  // the box's first and last pixels
        bool clicks;
    };
    // clang-format off
    const Switch switches[] = {
        {&first, ils_face, std::nullopt, 2110, 120, 120, 179, 179, false},
        {&second, ils_face, std::nullopt, 2110, 120, 120, 179, 179, false},
        {&rmi_switch, switch_lever, 3170, 3171, 0, 0, 50, 30, true},
    };
    // clang-format on
    for (const Switch& s : switches) {
        SCOPED_TRACE(s.gauge->name());
        const auto shows = [&] {
            host.update();
            return s.gauge->icon_bitmap(s.picture);
        };
        const std::size_t sounds = host.sounds_played().size();
        host.clear_logs();
        ASSERT_EQ(shows(), s.rest);
        // clang-format off
        const std::pair<std::int32_t, std::int32_t> corners[] = {
            {s.x0, s.y0}, {s.x1, s.y0}, {s.x0, s.y1}, {s.x1, s.y1}, {(s.x0 + s.x1) / 2, (s.y0 + s.y1) / 2},
            {s.x0, s.y0},
        };
        // clang-format on
        for (std::size_t i = 0; i < std::size(corners); ++i) {
            EXPECT_TRUE(host.click(*s.gauge, corners[i].first, corners[i].second)) << i;
            EXPECT_EQ(shows(), i % 2 == 0 ? s.flipped : s.rest) << "press " << i + 1;
        }
        EXPECT_TRUE(host.hold(*s.gauge, s.x0, s.y0, 3));
        EXPECT_EQ(shows(), s.flipped) << "held";
        EXPECT_TRUE(host.hold(*s.gauge, s.x1, s.y1, 5));
        EXPECT_EQ(shows(), s.rest) << "held again";
        EXPECT_FALSE(host.click(*s.gauge, s.x0, s.y0, MouseButton::right));
        for (auto [x, y] : {std::pair{s.x0 - 1, s.y0}, {s.x0, s.y0 - 1}, {s.x1 + 1, s.y1}, {s.x1, s.y1 + 1}})
            EXPECT_FALSE(host.click(*s.gauge, x, y)) << x << ", " << y;
        EXPECT_EQ(shows(), s.rest);
        std::vector<korvel::host::PlayedSound> played = host.sounds_played();
        played.erase(played.begin(), played.begin() + std::ptrdiff_t(sounds));
        EXPECT_EQ(played, std::vector<korvel::host::PlayedSound>(s.clicks ? 8 : 0, {"RMI_Switch", 10}));
        EXPECT_TRUE(host.key_events().empty());
    }
}

// In ILS mode each half of the course knob steps the course on the press and
// again at every repeat while held: a degree with the left button, ten with
// the right, a degree when both come together; a call that carries neither
// button sets nothing. The course wraps round the circle from a whole course,
// the one reported truncated. The knob picture turns 6 degrees a degree.
TEST_F(Indicators, TheCourseKnobStepsOnThePressAndAtEveryRepeat) {
    PlacedGauge& rmi_switch = host.place("RMI_Switch");
    ils(first);
    ils(second);
    struct Turn {
        double from;
        std::int32_t x;
        std::uint32_t flags;
        int repeats;
        std::vector<std::uint32_t> courses;  // set one after another
    };
    // clang-format off
    const Turn turns[] = {
        {100, knob_left_x, left, 0, {99}},
        {100, knob_right_x, left, 0, {101}},
        {100, knob_left_x, right, 0, {90}},
        {100, knob_right_x, right, 0, {110}},
        {100, knob_left_x, left, 3, {99, 98, 97, 96}},
        {100, knob_right_x, left, 3, {101, 102, 103, 104}},
        {100, knob_left_x, right, 3, {90, 80, 70, 60}},
        {100, knob_right_x, right, 3, {110, 120, 130, 140}},
        {100, knob_left_x, left | right, 0, {99}},
        {100, knob_right_x, left | right, 2, {101, 102, 103}},
        {100, knob_left_x, 0, 0, {}},
        {100, knob_right_x, mouse_repeat, 0, {}},
        {0, knob_left_x, left, 1, {359, 358}},
        {358, knob_right_x, left, 1, {359, 0}},
        {5, knob_left_x, right, 0, {355}},
        {10, knob_left_x, right, 0, {0}},
        {355, knob_right_x, right, 0, {5}},
        {349, knob_right_x, right, 1, {359, 9}},
        {350, knob_right_x, right, 0, {0}},
        {359.9, knob_left_x, left, 0, {358}},
        {0.9, knob_right_x, left, 0, {1}},
    };
    // clang-format on
    for (const Turn& t : turns) {
        for (PlacedGauge* g : {&first, &second}) {
            SCOPED_TRACE(testing::Message() << g->name() << " from " << t.from << " x " << t.x << " flags " << std::hex
                                            << t.flags << std::dec << " repeats " << t.repeats);
            set_and_update(host, 45, t.from);
            const double rest = g->needle_pose(course_knob).angle;
            host.clear_logs();
            EXPECT_TRUE(press(host, *g, t.x, knob_y, t.flags, t.repeats));
            std::vector<KeyEvent> wanted;
            for (std::uint32_t c : t.courses) wanted.push_back({course_set, c});
            EXPECT_EQ(host.key_events().entries(), wanted);
            host.update();
            const double course = t.courses.empty() ? t.from : t.courses.back();
            EXPECT_NEAR(g->needle_pose(course_knob).angle - rest, 6 * (course - t.from), 1e-9);
            EXPECT_NEAR(card_turn(*g, course_card), course, 1e-9);
        }
    }
    // The halves meet between x 32 and 33; the knob spans y 236 to 293.
    // clang-format off
    const std::tuple<std::int32_t, std::int32_t, int> edges[] = {
        {4, 236, -1}, {32, 293, -1}, {33, 236, 1}, {61, 293, 1}, {3, 265, 0}, {62, 265, 0}, {15, 235, 0}, {45, 294, 0},
    };
    // clang-format on
    for (const auto& [x, y, step] : edges) {
        set_and_update(host, 45, 100);
        host.clear_logs();
        EXPECT_EQ(host.click(second, x, y), step != 0) << x << ", " << y;
        const std::vector<KeyEvent> wanted(step != 0, KeyEvent{course_set, std::uint32_t(100 + step)});
        EXPECT_EQ(host.key_events().entries(), wanted) << x << ", " << y;
    }
    EXPECT_EQ(rmi_switch.icon_bitmap(switch_lever), 3170) << "the needle source stays in ILS mode";
    EXPECT_TRUE(host.sounds_played().empty());
}

// Each needle and flag answers to its own receiver alone: the ADF needle to
// the ADF's power; the VOR needle to the selected receiver's power and
// station word; the ILS parts to NAV1's power whatever the selection. A
// receiver off, or a station word with bit 0x80, parks its needle at 90; NAV1
// off also centres the deviation needles and shows both striped flags. The
// cards follow their readings whatever the radios do.
TEST_F(Indicators, EachNeedleAndFlagAnswersToItsOwnInputsAlone) {
    PlacedGauge& rmi_switch = host.place("RMI_Switch");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& adf = host.place("Radio_ADF");
    // clang-format off
    for (auto [token, value] : {std::pair{39u, 45.0}, {550u, 120.0}, {59u, 200.0}, {84u, 270.0}, {45u, 30.0},
                                {40u, 50.0}, {41u, -60.0}, {44u, 1.0}, {43u, 1.0}})
        host.variables().set(token, value);
    // clang-format on
    ils(second);

    const auto shown = [&] {
        host.update();
        return Shown{first.element(adf_needle).value,  first.element(vor_needle).value, second.element(localizer).value,
                     second.element(glideslope).value, second.icon_bitmap(gs_flag),     second.icon_bitmap(to_from),
                     card_turn(first, compass_card),   card_turn(second, course_card)};
    };
    const auto toggle = [&](PlacedGauge& radio, std::int32_t x, std::int32_t y) {
        return [&radio, x, y, this] { host.click(radio, x, y); };
    };
    const auto station = [&](std::uint32_t token, std::uint32_t word) {
        return [token, word, this] { host.variables().set_word(token, word); };
    };
    struct Input {
        const char* what;
        std::function<void()> set, undo;
    };
    const Input nav1_off{"NAV1 off", toggle(nav1, 110, 100), toggle(nav1, 110, 100)};
    const Input nav2_off{"NAV2 off", toggle(nav2, 110, 100), toggle(nav2, 110, 100)};
    const Input adf_off{"ADF off", toggle(adf, 270, 200), toggle(adf, 270, 200)};
    const Input nav1_no_station{"NAV1 no station", station(46, 0x80), station(46, 0)};
    const Input nav1_other_bits{"NAV1 other bits", station(46, ~0x80u), station(46, 0)};
    const Input nav2_no_station{"NAV2 no station", station(55, 0x80), station(55, 0)};
    const Input nav2_other_bits{"NAV2 other bits", station(55, ~0x80u), station(55, 0)};
    const Input nothing{"nothing", [] {}, [] {}};

    const Shown on_nav1{45, 120, 50, -60, 2151, 2141, 270, 30};
    Shown adf_parked = on_nav1, vor_parked = on_nav1, ils_parked = on_nav1;
    adf_parked.adf = 90;
    vor_parked.vor = 90;
    ils_parked.vor = 90;
    ils_parked.localizer = ils_parked.glideslope = 0;
    ils_parked.gs_flag = 2150;
    ils_parked.to_from = 2140;
    // clang-format off
    const std::pair<const Input*, Shown> with_nav1[] = {
        {&nothing, on_nav1},         {&adf_off, adf_parked},         {&nav1_off, ils_parked},
        {&nav2_off, on_nav1},        {&nav1_no_station, vor_parked}, {&nav1_other_bits, on_nav1},
        {&nav2_no_station, on_nav1}, {&nav2_other_bits, on_nav1},
    };
    // clang-format on
    Shown on_nav2 = on_nav1, nav2_adf_parked = adf_parked, nav2_ils_parked = ils_parked;
    on_nav2.vor = nav2_adf_parked.vor = nav2_ils_parked.vor = 200;
    // clang-format off
    const std::pair<const Input*, Shown> with_nav2[] = {
        {&nothing, on_nav2},         {&adf_off, nav2_adf_parked},    {&nav1_off, nav2_ils_parked},
        {&nav2_off, vor_parked},     {&nav2_no_station, vor_parked}, {&nav2_other_bits, on_nav2},
        {&nav1_no_station, on_nav2}, {&nav1_other_bits, on_nav2},
    };
    // clang-format on
    const auto run = [&](std::span<const std::pair<const Input*, Shown>> rows) {
        for (const auto& [input, expected] : rows) {
            input->set();
            EXPECT_EQ(shown(), expected) << input->what;
            input->undo();
        }
    };
    run(with_nav1);
    host.click(rmi_switch, 25, 15);
    host.update();
    run(with_nav2);
}

TEST_F(Indicators, InIlsModeTheKnobTooltipNamesTheCourse) {
    ils(first);
    ils(second);
    // clang-format off
    const std::pair<double, const char*> courses[] = {
        {45, "45."},
        {123.4, "123."},
        {7.25, "7.25"},
        {0, "0."},
        {359.9, "360."},
        {-5, "-5."},
        {-1.23e300, "-1.23e+300"},
        {1e300, "1.e+300"},  // written over the longer text, whose end must not show
        {-std::numeric_limits<double>::quiet_NaN(), "nan"}, {std::numeric_limits<double>::quiet_NaN(), "nan"},
        {-std::numeric_limits<double>::infinity(), "-inf"}, {std::numeric_limits<double>::infinity(), "inf"}};
    // clang-format on
    for (const auto& [course, text] : courses) {
        host.variables().set(45, course);
        for (PlacedGauge* g : {&first, &second})
            EXPECT_EQ(host.tooltip(*g, knob_left_x, knob_y).text,
                      std::string("Button - Omni bearing selector VOR1 (Course ") + text + "\xB0)")
                << g->name() << " " << course;
    }
}

}  // namespace
