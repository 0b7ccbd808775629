// The radios as a pilot reads and handles them: where each knob, dial and
// drum stands for the readings on its face, how each control answers the
// hand (pressed, held, either button, both), and which switch and which
// setting each output listens to.
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "host/core/simulation.h"
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;
using korvel::host::set_adf_tenths;
using korvel::host::to_bcd;
using korvel::host::vhf_word;

struct Point {
    std::int32_t x, y;
};

enum { com_knob = 1, com_main = 2, com_window = 3, com_lamp = 4 };
constexpr Point com_down{150, 60}, com_up{200, 60}, com_display{270, 20}, com_switch{70, 80};

enum {
    nav_hundredths = 1,
    nav_tenths,
    nav_units,
    nav_tens,
    nav_hundreds,
    nav_fraction_knob,
    nav_whole_knob,
    nav_tone,
    nav_main,
    nav_lamp
};
constexpr Point nav_whole_down{45, 30}, nav_whole_up{70, 30}, nav_fraction_down{285, 30}, nav_fraction_up{310, 30};
constexpr Point nav_switch{110, 100}, nav_tone_switch{240, 100};

enum {
    adf_dial = 1,
    adf_ring = 2,
    adf_window = 4,
    adf_fine_knob = 5,
    adf_band_knob = 6,
    adf_tone = 7,
    adf_lamp = 8,
    adf_main = 9
};
constexpr Point adf_band_down{160, 140}, adf_band_up{190, 140}, adf_tune_down{260, 40}, adf_tune_up{290, 40};
constexpr Point adf_display{100, 20}, adf_switch{270, 200}, adf_tone_switch{80, 200};

enum { iff_units = 1, iff_tens, iff_hundreds, iff_thousands, iff_ident, iff_lamp, iff_main };
constexpr Point iff_switch{40, 40}, iff_ident_button{220, 40};
// The digit areas, units first: up above the window, down below it.
constexpr Point iff_up(int digit) { return {195 - 25 * digit, 50}; }
constexpr Point iff_down(int digit) { return {195 - 25 * digit, 75}; }

constexpr std::uint32_t left_bit = 0x20000000, right_bit = 0x80000000, repeat_bit = 0x00200000;
constexpr std::uint32_t left_release = 0x00020000;

bool click(Host& host, PlacedGauge& g, Point p, MouseButton b = MouseButton::left) {
    return host.click(g, p.x, p.y, b);
}

void tune_adf(Host& host, double khz) {
    set_adf_tenths(host.variables(), static_cast<std::uint32_t>(std::lround(khz * 10)));
}

// The turn a sprite is drawn with: its rotation value times the record's scale.
double drawn_turn(const PlacedGauge& g, std::size_t sprite) {
    const auto& record = *reinterpret_cast<const SpriteElement*>(g.element(sprite).record);
    return g.element(sprite).rotation * record.rotation_scale;
}

// A knob's picture: a sprite's drawn turn or a needle's angle, unwrapped.
double picture(const PlacedGauge& g, std::size_t e) {
    return g.element(e).record->kind == element_sprite ? drawn_turn(g, e) : g.needle_pose(e).angle;
}

// Width and height of a bitmap resource, from its header.
std::pair<std::int32_t, std::int32_t> bitmap_size(Host& host, std::int32_t id) {
    const auto bytes = host.library().resource(2, static_cast<std::uint32_t>(id));
    if (!bytes || bytes->size() < 12) return {0, 0};
    const auto word = [&](std::size_t at) {
        return static_cast<std::int32_t>((*bytes)[at] | (*bytes)[at + 1] << 8 | (*bytes)[at + 2] << 16 |
                                         std::uint32_t((*bytes)[at + 3]) << 24);
    };
    return {word(4), std::abs(word(8))};
}

std::vector<KeyEvent> times(int n, std::vector<KeyEvent> step) {
    std::vector<KeyEvent> all;
    for (int i = 0; i < n; ++i) all.insert(all.end(), step.begin(), step.end());
    return all;
}

// ---------------------------------------------------------------------------
// Faces

TEST(RadioFaces, EveryDrumDialAndKnobStandsAtTheReadingOnItsFaceWhicheverUnitsAreShown) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& iff = host.place("Radio_IFF");
    tune_adf(host, 300.0);
    PlacedGauge& adf = host.place("Radio_ADF");
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& turn_coordinator = host.place("Turn_Coordinator");
    host.update();
    EXPECT_EQ(drawn_turn(com, com_knob), 0.0) << "the channel knob starts unturned";
    // The tuning knob's pointer rests straight down at load, the band knob straight up.
    EXPECT_TRUE(points_at(adf, adf_fine_knob, 275, 73));
    EXPECT_TRUE(points_at(adf, adf_band_knob, 178, 114));
    for (int step = 0; step < 12; ++step) click(host, adf, adf_tune_down, MouseButton::right);
    host.update();
    EXPECT_TRUE(points_at(adf, adf_fine_knob, 275, 13)) << "twelve coarse steps down: straight up";

    for (const char* units : {"imperial", "metric"}) {
        SCOPED_TRACE(units);
        // NAV: 108 to 117 MHz puts every digit on the units drum and both
        // positions on the tens drum; the fraction digits run against each other.
        for (int i = 0; i <= 9; ++i) {
            const int mhz = 108 + i, tens = mhz >= 110 ? 1 : 0;
            host.variables().set_word(24, vhf_word(mhz, 10 * (10 * i + 9 - i)));
            host.variables().set_word(27, vhf_word(mhz, 10 * (10 * (9 - i) + i)));
            host.update();
            for (PlacedGauge* g : {&nav, &nav1, &nav2}) {
                SCOPED_TRACE(std::string(g->name()) + " at " + std::to_string(mhz));
                const int tenths = g == &nav2 ? 9 - i : i;
                const struct {
                    std::size_t drum;
                    double travel;
                } drums[] = {{nav_tens, tens / 1.0},
                             {nav_units, (mhz % 10) / 10.0},
                             {nav_tenths, tenths / 10.0},
                             {nav_hundredths, (9 - tenths) / 10.0}};
                for (const auto& d : drums) {
                    EXPECT_DOUBLE_EQ(g->travel(d.drum).y, d.travel) << "drum " << d.drum;
                    EXPECT_EQ(g->travel(d.drum).x, 0.0) << "drum " << d.drum;
                }
                EXPECT_EQ(g->icon_bitmap(nav_hundreds), 1240) << "the fixed 1";
                // The whole knob turns from twelve o'clock at 108 to six at 112, and on.
                EXPECT_NEAR(g->needle_pose(nav_whole_knob).angle, 45.0 * (mhz - 108), 1e-9);
            }
        }
        host.variables().set_word(24, vhf_word(110, 0));
        host.update();
        EXPECT_EQ(nav1.travel(nav_tens).y, 1.0) << "110.00";
        EXPECT_EQ(nav1.travel(nav_units).y, 0.0) << "110.00";
        EXPECT_NEAR(nav1.needle_pose(nav_whole_knob).angle, 90.0, 1e-9) << "110.00";
        host.variables().set_word(24, vhf_word(108, 0));
        host.variables().set_word(27, vhf_word(112, 500));
        host.update();
        for (PlacedGauge* g : {&nav, &nav1}) {
            EXPECT_TRUE(points_at(*g, nav_whole_knob, 61, -17));
            EXPECT_TRUE(points_at(*g, nav_fraction_knob, 61, -17));
        }
        EXPECT_TRUE(points_at(nav2, nav_whole_knob, 61, 83));
        EXPECT_TRUE(points_at(nav2, nav_fraction_knob, 61, 83));

        // Transponder: each drum through the digits 0 to 7, no two drums alike.
        for (int i = 0; i < 8; ++i) {
            const int digit[] = {(i + 3) % 8, (i + 2) % 8, (i + 1) % 8, i};  // units first
            host.variables().set_word(38, to_bcd(1000 * digit[3] + 100 * digit[2] + 10 * digit[1] + digit[0]));
            host.update();
            for (int d = 0; d < 4; ++d) {
                EXPECT_DOUBLE_EQ(iff.travel(iff_units + d).y, digit[d] / 10.0) << "code step " << i << " drum " << d;
                EXPECT_EQ(iff.travel(iff_units + d).x, 0.0);
            }
        }

        // ADF: each band's arc starts at twelve o'clock and ends 105, 176 and
        // 270 degrees round; the ring turns a quarter back and the band knob a
        // quarter on for each band.
        const struct {
            double install, lower, middle, upper, end_angle;
        } bands[] = {{300, 200, 305, 410, 105}, {600, 410, 630, 850, 176}, {1200, 850, 1300, 1750, 270}};
        for (int band = 0; band < 3; ++band) {
            const auto& b = bands[band];
            SCOPED_TRACE(b.upper);
            tune_adf(host, b.install);
            host.service(adf, 2, host.library().handle());
            // clang-format off
            const std::pair<double, double> readings[] = {
                {b.lower, 0.0}, {b.middle, b.end_angle / 2}, {b.upper, b.end_angle}};
            // clang-format on
            for (const auto& [khz, angle] : readings) {
                tune_adf(host, khz);
                host.update();
                EXPECT_NEAR(dial_angle(adf, adf_dial), angle, 1e-9) << khz << " kHz";
            }
            tune_adf(host, b.lower);
            host.update();
            EXPECT_TRUE(points_at(adf, adf_dial, 178, 29)) << "the start of the band at twelve o'clock";
            if (band == 2) {
                tune_adf(host, 1450);
                host.update();
                EXPECT_TRUE(points_at(adf, adf_dial, 178, 225)) << "180 degrees round the top band at six o'clock";
            }
            EXPECT_DOUBLE_EQ(drawn_turn(adf, adf_ring), -90.0 * band);
            EXPECT_NEAR(adf.needle_pose(adf_band_knob).angle, 90.0 * band, 1e-9);
        }
        if (std::string(units) == "imperial") {
            ASSERT_TRUE(host.click(turn_coordinator, 120, 120)) << "the unit switch";
        }
    }
}

// Each switch's click area and tooltip lie on its picture; each knob turns
// about the point where its down and up areas meet; the digit windows stand
// in a row, with the decimal point's gap on the NAV display; the two lit
// frequency windows are alike but for their colour.
TEST(RadioFaces, ClickAreasWindowsAndDrumsLineUpWithThePictures) {
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& nav = host.place("Radio_NAV");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& adf = host.place("Radio_ADF");
    PlacedGauge& iff = host.place("Radio_IFF");
    const auto box = [](const PlacedGauge& g, Point p) {
        const korvel::host::ChildArea* c = g.mouse().child_at(p.x, p.y, 0);
        return c != nullptr ? c->area.box : PixelBox{};
    };
    const auto corner = [](const PixelBox& b) { return std::pair{b.x, b.y}; };
    const auto position = [](const PlacedGauge& g, std::size_t e) {
        return std::pair{g.element(e).record->position.x, g.element(e).record->position.y};
    };
    const struct {
        PlacedGauge& g;
        Point at;
        std::size_t icon;
    } switches[] = {
        {com, com_switch, com_main},       {nav, nav_switch, nav_main},       {nav, nav_tone_switch, nav_tone},
        {nav1, nav_switch, nav_main},      {nav1, nav_tone_switch, nav_tone}, {nav2, nav_switch, nav_main},
        {nav2, nav_tone_switch, nav_tone}, {adf, adf_switch, adf_main},       {adf, adf_tone_switch, adf_tone}};
    const auto size = [&](const PlacedGauge& g, std::size_t e) {
        return bitmap_size(host, g.element(e).record->resource_id);
    };
    for (const auto& s : switches) {
        SCOPED_TRACE(std::string(s.g.name()) + " switch " + std::to_string(s.icon));
        const PixelBox b = box(s.g, s.at), tip = s.g.mouse().tooltip_at(s.at.x, s.at.y).parent->area.box;
        EXPECT_EQ(corner(b), position(s.g, s.icon));
        EXPECT_EQ(std::pair(b.width, b.height), size(s.g, s.icon));
        EXPECT_EQ(std::tie(b.x, b.y, b.width, b.height), std::tie(tip.x, tip.y, tip.width, tip.height));
    }
    const PixelBox iff_main_box = box(iff, iff_switch), iff_tip = iff.mouse().tooltip_at(40, 40).parent->area.box;
    EXPECT_EQ(std::tie(iff_main_box.x, iff_main_box.y, iff_main_box.width, iff_main_box.height),
              std::tie(iff_tip.x, iff_tip.y, iff_tip.width, iff_tip.height));

    // Down and up areas: side by side, alike, meeting at the knob's pivot
    // halfway down them.
    const struct {
        PlacedGauge& g;
        Point down, up;
        std::size_t knob;
    } knobs[] = {{nav, nav_whole_down, nav_whole_up, nav_whole_knob},
                 {nav, nav_fraction_down, nav_fraction_up, nav_fraction_knob},
                 {nav1, nav_whole_down, nav_whole_up, nav_whole_knob},
                 {nav1, nav_fraction_down, nav_fraction_up, nav_fraction_knob},
                 {nav2, nav_whole_down, nav_whole_up, nav_whole_knob},
                 {nav2, nav_fraction_down, nav_fraction_up, nav_fraction_knob},
                 {adf, adf_tune_down, adf_tune_up, adf_fine_knob},
                 {com, com_down, com_up, com_knob}};
    for (const auto& k : knobs) {
        SCOPED_TRACE(std::string(k.g.name()) + " knob " + std::to_string(k.knob));
        const PixelBox d = box(k.g, k.down), u = box(k.g, k.up);
        EXPECT_EQ(d.x + d.width, u.x);
        EXPECT_EQ(std::tie(d.y, d.width, d.height), std::tie(u.y, u.width, u.height));
        const ElementHeader& e = *k.g.element(k.knob).record;
        // The channel knob's sprite is placed by its corner, the turning point given as its centre.
        const PixelPoint pivot = e.kind == element_sprite ? e.centre : e.position;
        EXPECT_EQ(std::pair(pivot.x, pivot.y), std::pair(u.x, u.y + u.height / 2));
        if (e.kind == element_sprite) {
            EXPECT_EQ(position(k.g, k.knob), corner(d));
        }
    }
    EXPECT_EQ(std::pair(adf.element(adf_ring).record->centre.x, adf.element(adf_ring).record->centre.y),
              position(adf, adf_dial))
        << "the band ring turns about the dial pointer's pivot";

    const struct {
        PlacedGauge& g;
        std::vector<std::size_t> left_to_right;
        std::vector<std::int32_t> gaps;  // from one window's left edge to the next
    } rows[] = {{nav, {nav_hundreds, nav_tens, nav_units, nav_tenths, nav_hundredths}, {13, 13, 28, 13}},
                {nav1, {nav_hundreds, nav_tens, nav_units, nav_tenths, nav_hundredths}, {13, 13, 28, 13}},
                {nav2, {nav_hundreds, nav_tens, nav_units, nav_tenths, nav_hundredths}, {13, 13, 28, 13}},
                {iff, {iff_thousands, iff_hundreds, iff_tens, iff_units}, {23, 23, 23}}};
    for (const auto& r : rows) {
        for (std::size_t i = 0; i + 1 < r.left_to_right.size(); ++i) {
            const auto [x0, y0] = position(r.g, r.left_to_right[i]);
            const auto [x1, y1] = position(r.g, r.left_to_right[i + 1]);
            EXPECT_EQ(x1 - x0, r.gaps[i]) << r.g.name() << " window " << i;
            EXPECT_EQ(y1, y0) << r.g.name() << " window " << i;
        }
    }
    // The band selector's areas lie on its knob, alike and apart, the up one
    // starting at the knob's pivot.
    const PixelBox band_down = box(adf, adf_band_down), band_up = box(adf, adf_band_up);
    EXPECT_EQ(std::tie(band_down.y, band_down.width, band_down.height),
              std::tie(band_up.y, band_up.width, band_up.height));
    EXPECT_LT(band_down.x + band_down.width, band_up.x);
    const ElementHeader& band_knob = *adf.element(adf_band_knob).record;
    EXPECT_EQ(band_up.x, band_knob.position.x);
    EXPECT_EQ(corner(band_down),
              std::pair(band_knob.position.x - band_knob.centre.x, band_knob.position.y - band_knob.centre.y))
        << "the down area starts at the knob's top left";
    // The display buttons are round, on the top edge; IDENT's area is its button.
    for (auto [g, at] : {std::pair{&com, com_display}, std::pair{&adf, adf_display}}) {
        const PixelBox b = box(*g, at);
        EXPECT_EQ(std::pair(b.y, b.width), std::pair(0, b.height)) << g->name();
    }
    EXPECT_EQ(corner(box(iff, iff_ident_button)), position(iff, iff_ident));
    EXPECT_EQ(std::pair(box(iff, iff_ident_button).width, box(iff, iff_ident_button).height), size(iff, iff_ident));
    // The round knobs and the dial pointer turn about the middle of their
    // bitmaps, the tuning knob's pointer about the middle of its round end.
    // clang-format off
    const std::pair<PlacedGauge*, std::size_t> round[] = {
        {&nav, nav_whole_knob}, {&nav, nav_fraction_knob}, {&nav1, nav_whole_knob}, {&nav1, nav_fraction_knob},
        {&nav2, nav_whole_knob}, {&nav2, nav_fraction_knob}, {&adf, adf_band_knob}, {&adf, adf_dial}};
    // clang-format on
    for (auto [g, e] : round) {
        const auto [w, h] = size(*g, e);
        const PixelPoint c = g->element(e).record->centre;
        EXPECT_EQ(std::pair(c.x, c.y), std::pair((w + 1) / 2, (h + 1) / 2)) << g->name() << " " << e;
    }
    const PixelPoint pointer = adf.element(adf_fine_knob).record->centre;
    EXPECT_EQ(std::pair(pointer.x, pointer.y),
              std::pair(size(adf, adf_fine_knob).second / 2, size(adf, adf_fine_knob).second / 2));
    // The face layers fill their gauge; the lamps, the windows, the ring and
    // the transponder's switch stand where the face has room for them.
    for (PlacedGauge* g : {&com, &nav, &nav1, &nav2, &adf, &iff}) {
        for (std::size_t e = 0; e < g->element_count(); ++e) {
            if (g->element(e).record->kind == element_static_image) {
                EXPECT_EQ(position(*g, e), std::pair(0, 0)) << g->name() << " layer " << e;
            }
        }
    }
    const struct {
        PlacedGauge& g;
        std::size_t element;
        std::pair<std::int32_t, std::int32_t> at;
    } fixed[] = {{com, com_lamp, {243, 90}},   {nav, nav_lamp, {148, 99}},    {nav1, nav_lamp, {148, 99}},
                 {nav2, nav_lamp, {148, 99}},  {adf, adf_lamp, {169, 229}},   {iff, iff_lamp, {53, 79}},
                 {com, com_window, {240, 12}}, {adf, adf_window, {135, 195}}, {adf, adf_ring, {130, 30}},
                 {iff, iff_main, {27, 8}}};
    for (const auto& f : fixed) EXPECT_EQ(position(f.g, f.element), f.at) << f.g.name() << " " << f.element;

    const auto& com_text = *reinterpret_cast<const StringElement*>(com.element(com_window).record);
    const auto& adf_text = *reinterpret_cast<const StringElement*>(adf.element(adf_window).record);
    const auto style = [](const StringElement& e) {
        return std::tuple(e.box_width, e.box_height, e.background_colour, e.highlight_colour, std::string(e.font_face),
                          e.font_weight, e.character_set, e.layout_flags, e.max_characters);
    };
    EXPECT_EQ(style(com_text), style(adf_text));
    EXPECT_NE(com_text.text_colour, adf_text.text_colour);
    // Each transponder digit has its up area over its down area, alike, one digit a column.
    for (int digit = 0; digit < 4; ++digit) {
        const PixelBox u = box(iff, iff_up(digit)), d = box(iff, iff_down(digit));
        EXPECT_EQ(std::tie(u.x, u.width, u.height), std::tie(d.x, d.width, d.height)) << digit;
        EXPECT_EQ(u.y + u.height + 1, d.y) << digit;
        if (digit < 3) {
            EXPECT_EQ(box(iff, iff_up(digit + 1)).x, u.x - 24) << digit;
        }
    }
}

// ---------------------------------------------------------------------------
// Feel

// Switches flip once a press, however long the button is held; they take no
// right button and no release; they never stick.
TEST(RadioFeel, SwitchesFlipOncePerPressHeldOrNot) {
    Host host;
    tune_adf(host, 345.0);
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& nav = host.place("Radio_NAV");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& adf = host.place("Radio_ADF");
    PlacedGauge& iff = host.place("Radio_IFF");
    const struct {
        PlacedGauge& g;
        Point at;
        std::size_t icon;
        std::int32_t off_image;  // the switch is on when the next image shows
        std::vector<KeyEvent> turning_on, turning_off;
    } switches[] = {
        {com, com_switch, com_main, 1140, {}, {}},
        {nav, nav_switch, nav_main, 1250, {}, {{0x10128, 0}}},
        {nav1, nav_switch, nav_main, 1250, {}, {{0x10128, 0}}},
        {nav2, nav_switch, nav_main, 1250, {}, {{0x10129, 0}}},
        {adf, adf_switch, adf_main, 1330, {}, {}},
        {iff, iff_switch, iff_main, 1420, {}, {}},
        {nav, nav_tone_switch, nav_tone, 1260, {{0x1012D, 0}}, {{0x10128, 0}}},
        {nav1, nav_tone_switch, nav_tone, 1260, {{0x1012D, 0}}, {{0x10128, 0}}},
        {nav2, nav_tone_switch, nav_tone, 1260, {{0x1012E, 0}}, {{0x10129, 0}}},
        {adf, adf_tone_switch, adf_tone, 1350, {{0x10131, 0}}, {{0x1012C, 0}}},
    };
    for (const auto& s : switches) {
        SCOPED_TRACE(std::string(s.g.name()) + " switch at " + std::to_string(s.at.x));
        host.update();
        const std::int32_t at_start = *s.g.icon_bitmap(s.icon);
        const bool starts_off = at_start == s.off_image;
        const std::int32_t other = starts_off ? s.off_image + 1 : s.off_image;
        const std::size_t sounds = host.sounds_played().size();
        const auto press = [&](auto&& how, std::int32_t shows, const std::vector<KeyEvent>& sends) {
            host.clear_logs();
            how();
            EXPECT_EQ(host.key_events().entries(), sends);
            host.update();
            EXPECT_EQ(s.g.icon_bitmap(s.icon), shows);
        };
        const auto& first_sends = starts_off ? s.turning_on : s.turning_off;
        const auto& second_sends = starts_off ? s.turning_off : s.turning_on;
        press([&] { EXPECT_TRUE(click(host, s.g, s.at)); }, other, first_sends);
        press([&] { EXPECT_TRUE(host.hold(s.g, s.at.x, s.at.y, 3)); }, at_start, second_sends);
        press(
            [&] {
                EXPECT_FALSE(click(host, s.g, s.at, MouseButton::right));
                EXPECT_FALSE(host.mouse_event(s.g, s.at.x, s.at.y, left_release, left_release));
                EXPECT_FALSE(host.mouse_event(s.g, s.at.x, s.at.y, left_bit | repeat_bit, left_bit | repeat_bit));
            },
            at_start, {});
        for (int n = 1; n <= 6; ++n)
            press([&] { click(host, s.g, s.at); }, n % 2 ? other : at_start, n % 2 ? first_sends : second_sends);
        EXPECT_EQ(host.sounds_played().size(), sounds + 8) << "one click a flip";
        const std::uint32_t wave = s.g.name().starts_with("Radio_NAV") ? 10 : 30;
        EXPECT_EQ(host.sounds_played().back(), (korvel::host::PlayedSound{std::string(s.g.name()), wave}));
    }
    // IDENT takes the press and does nothing with it, held or not.
    host.clear_logs();
    const std::size_t sounds = host.sounds_played().size();
    EXPECT_TRUE(click(host, iff, iff_ident_button));
    EXPECT_TRUE(host.hold(iff, iff_ident_button.x, iff_ident_button.y, 3));
    EXPECT_FALSE(click(host, iff, iff_ident_button, MouseButton::right));
    host.update();
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_EQ(host.sounds_played().size(), sounds);
    EXPECT_EQ(iff.icon_bitmap(iff_ident), 1440);
}

// Tuning areas step once a call and keep stepping while held, silently. A
// two-speed area takes the coarse step on the right button and the fine one
// on the left, and with both buttons the one its radio tries first (COM1
// the fine, the ADF the coarse); a one-speed area steps on any call.
TEST(RadioFeel, TuningAreasStepOncePerCallAndKeepSteppingWhileHeld) {
    Host host;
    tune_adf(host, 600.0);  // the middle band, away from its edges
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& nav = host.place("Radio_NAV");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& adf = host.place("Radio_ADF");
    PlacedGauge& iff = host.place("Radio_IFF");
    constexpr std::size_t none = 0;
    const auto five = [](std::uint32_t e) { return times(5, {{e, 0}}); };
    const struct {
        PlacedGauge& g;
        Point at;
        MouseButton button;
        std::vector<KeyEvent> step;
        bool two_speed;
        bool first_tried;  // two-speed: this button's step is the one taken with both buttons
        std::size_t knob;
        double turn;  // of the knob's picture, a step
    } areas[] = {
        {com, com_down, MouseButton::left, {{0x10382, 0}}, true, true, com_knob, 30},
        {com, com_down, MouseButton::right, {{0x10064, 0}}, true, false, com_knob, 90},
        {com, com_up, MouseButton::left, {{0x10383, 0}}, true, true, com_knob, -30},
        {com, com_up, MouseButton::right, {{0x10065, 0}}, true, false, com_knob, -90},
        {adf, adf_tune_up, MouseButton::right, five(0x103EE), true, true, adf_fine_knob, 15},
        {adf, adf_tune_up, MouseButton::left, five(0x1039E), true, false, adf_fine_knob, 3},
        {adf, adf_tune_down, MouseButton::right, five(0x103EF), true, true, adf_fine_knob, -15},
        {adf, adf_tune_down, MouseButton::left, five(0x1039D), true, false, adf_fine_knob, -3},
        {nav, nav_whole_down, MouseButton::left, {{0x10068, 0}}, false, false, none, 0},
        {nav, nav_whole_up, MouseButton::left, {{0x10069, 0}}, false, false, none, 0},
        {nav1, nav_fraction_down, MouseButton::left, {{0x1006A, 0}}, false, false, none, 0},
        {nav1, nav_fraction_up, MouseButton::left, {{0x1006B, 0}}, false, false, none, 0},
        {nav2, nav_whole_down, MouseButton::left, {{0x1006C, 0}}, false, false, none, 0},
        {nav2, nav_whole_up, MouseButton::left, {{0x1006D, 0}}, false, false, none, 0},
        {nav2, nav_fraction_down, MouseButton::left, {{0x1006E, 0}}, false, false, none, 0},
        {nav2, nav_fraction_up, MouseButton::left, {{0x1006F, 0}}, false, false, none, 0},
        {iff, iff_up(3), MouseButton::left, {{0x10073, 0}}, false, false, none, 0},
        {iff, iff_up(2), MouseButton::left, {{0x10074, 0}}, false, false, none, 0},
        {iff, iff_up(1), MouseButton::left, {{0x10075, 0}}, false, false, none, 0},
        {iff, iff_up(0), MouseButton::left, {{0x10076, 0}}, false, false, none, 0},
        {iff, iff_down(3), MouseButton::left, {{0x10397, 0}}, false, false, none, 0},
        {iff, iff_down(2), MouseButton::left, {{0x10398, 0}}, false, false, none, 0},
        {iff, iff_down(1), MouseButton::left, {{0x10399, 0}}, false, false, none, 0},
        {iff, iff_down(0), MouseButton::left, {{0x1039A, 0}}, false, false, none, 0},
    };
    for (const auto& a : areas) {
        SCOPED_TRACE(std::string(a.g.name()) + " area at " + std::to_string(a.at.x) +
                     (a.button == MouseButton::left ? " left" : " right"));
        const std::uint32_t bit = a.button == MouseButton::left ? left_bit : right_bit;
        const auto step_from_middle = [&](auto&& how, int steps) {
            host.variables().set_word(23, vhf_word(125, 500));
            host.variables().set_word(24, vhf_word(112, 500));
            host.variables().set_word(27, vhf_word(112, 500));
            host.variables().set_word(38, 0x4444);
            tune_adf(host, 600.0);
            host.update();
            const double before = a.knob != none ? picture(a.g, a.knob) : 0.0;
            host.clear_logs();
            how();
            EXPECT_EQ(host.key_events().entries(), times(steps, a.step)) << steps << " steps";
            host.update();
            if (a.knob != none) {
                EXPECT_NEAR(picture(a.g, a.knob) - before, steps * a.turn, 1e-9);
            }
        };
        const std::size_t sounds = host.sounds_played().size();
        step_from_middle([&] { EXPECT_TRUE(click(host, a.g, a.at, a.button)); }, 1);
        step_from_middle([&] { EXPECT_TRUE(host.hold(a.g, a.at.x, a.at.y, 3, a.button)); }, 4);
        if (!a.two_speed || a.first_tried)
            step_from_middle([&] { host.mouse_event(a.g, a.at.x, a.at.y, bit, left_bit | right_bit); }, 1);
        // A call with no button bit: a two-speed area has no step to choose.
        step_from_middle([&] { host.mouse_event(a.g, a.at.x, a.at.y, bit, repeat_bit); }, a.two_speed ? 0 : 1);
        step_from_middle(
            [&] {
                if (!a.two_speed) {
                    EXPECT_FALSE(click(host, a.g, a.at, MouseButton::right)) << "left button only";
                }
                EXPECT_FALSE(host.mouse_event(a.g, a.at.x, a.at.y, left_release, left_release));
            },
            0);
        EXPECT_EQ(host.sounds_played().size(), sounds) << "tuning is silent";
    }
}

// The band selector steps while held and stops at the end bands; the display
// buttons restart their window's count at every call and click each time.
TEST(RadioFeel, TheBandSelectorAndTheDisplayButtonsRepeatWhileHeld) {
    Host host;
    tune_adf(host, 300.0);
    PlacedGauge& adf = host.place("Radio_ADF");
    PlacedGauge& com = host.place("Radio_COM");
    host.update();
    host.clear_logs();
    EXPECT_TRUE(host.hold(adf, adf_band_up.x, adf_band_up.y, 3));
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1024A, 0x4100}, {0x1024A, 0x8500}}));
    EXPECT_EQ(host.sounds_played().size(), 2u) << "a click a band, none past the last";
    host.update();
    EXPECT_NEAR(adf.needle_pose(adf_band_knob).angle, 180.0, 1e-9);
    EXPECT_DOUBLE_EQ(drawn_turn(adf, adf_ring), -180.0);
    EXPECT_NEAR(dial_angle(adf, adf_dial), 0.0, 1e-9) << "at 850 kHz, the start of the top band";
    host.clear_logs();
    EXPECT_FALSE(click(host, adf, adf_band_down, MouseButton::right));
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_TRUE(host.hold(adf, adf_band_down.x, adf_band_down.y, 3));
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{0x1024A, 0x8500}, {0x1024A, 0x4100}}));
    EXPECT_EQ(host.sounds_played().size(), 4u);
    host.update();
    EXPECT_NEAR(adf.needle_pose(adf_band_knob).angle, 0.0, 1e-9);
    EXPECT_NEAR(dial_angle(adf, adf_dial), 105.0, 1e-9) << "at 410 kHz, the end of the bottom band";
    // Switched off straight after a step, the pointer stays where the step put it.
    // clang-format off
    const std::pair<Point, double> steps[] = {{adf_band_up, 0.0}, {adf_band_up, 0.0}, {adf_band_down, 176.0},
                                              {adf_band_down, 105.0}};
    // clang-format on
    for (const auto& [at, angle] : steps) {
        host.update();
        click(host, adf, at);
        click(host, adf, adf_switch);
        host.update();
        EXPECT_NEAR(dial_angle(adf, adf_dial), angle, 1e-9) << at.x;
        click(host, adf, adf_switch);
    }

    const struct {
        PlacedGauge& g;
        Point at;
        std::size_t window;
    } displays[] = {{com, com_display, com_window}, {adf, adf_display, adf_window}};
    host.clear_logs();
    for (const auto& d : displays) {
        SCOPED_TRACE(d.g.name());
        const std::size_t sounds = host.sounds_played().size();
        EXPECT_FALSE(click(host, d.g, d.at, MouseButton::right));
        EXPECT_TRUE(host.hold(d.g, d.at.x, d.at.y, 3));
        EXPECT_EQ(host.sounds_played().size(), sounds + 4);
        host.update(30);
        EXPECT_TRUE(host.hold(d.g, d.at.x, d.at.y, 2));  // held again: sixty calls from here
        host.update(60);
        EXPECT_FALSE(d.g.hidden(d.window));
        host.update();
        EXPECT_TRUE(d.g.hidden(d.window));
        EXPECT_TRUE(host.key_events().empty()) << "the buttons send nothing";
    }
}

// ---------------------------------------------------------------------------
// Inputs, one at a time

// Each main switch powers its own radio and nothing else: lamps, switch
// pictures, drums, windows, the dial pointer, the knobs and the per-update
// audio events each follow their own radio's switch.
TEST(RadioInputs, EachMainSwitchPowersItsOwnRadioAlone) {
    Host host;
    tune_adf(host, 345.0);
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& nav = host.place("Radio_NAV");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& adf = host.place("Radio_ADF");
    PlacedGauge& iff = host.place("Radio_IFF");
    host.variables().set_word(23, vhf_word(125, 500));
    host.variables().set_word(24, vhf_word(112, 0));
    host.variables().set_word(27, vhf_word(113, 0));
    host.variables().set_word(38, 0x1200);
    host.update();
    // clang-format off
    const std::pair<PlacedGauge*, Point> tones[] = {{&nav1, nav_tone_switch}, {&nav2, nav_tone_switch},
                                                    {&adf, adf_tone_switch}};
    // clang-format on
    for (auto [g, at] : tones) ASSERT_TRUE(click(host, *g, at));

    enum Radio { com1, nav_1, nav_2, adf_radio, transponder, no_radio };
    const struct {
        Radio radio;
        PlacedGauge& g;
        Point main_switch;
    } switches[] = {{com1, com, com_switch},   {nav_1, nav1, nav_switch},    {nav_1, nav, nav_switch},
                    {nav_2, nav2, nav_switch}, {adf_radio, adf, adf_switch}, {transponder, iff, iff_switch}};
    struct Lit {
        Radio radio;
        PlacedGauge& g;
        std::vector<std::size_t> drums;
        std::size_t lamp, main;
        std::int32_t main_on;
    };
    // clang-format off
    const Lit faces[] = {
        {com1, com, {}, com_lamp, com_main, 1141},
        {nav_1, nav, {1, 2, 3, 4, 5}, nav_lamp, nav_main, 1251},
        {nav_1, nav1, {1, 2, 3, 4, 5}, nav_lamp, nav_main, 1251},
        {nav_2, nav2, {1, 2, 3, 4, 5}, nav_lamp, nav_main, 1251},
        {adf_radio, adf, {}, adf_lamp, adf_main, 1331},
        {transponder, iff, {1, 2, 3, 4}, iff_lamp, iff_main, 1421},
    };
    // clang-format on
    const struct {
        Radio radio;
        std::uint32_t on, off;
        std::size_t faces;
    } audio[] = {{nav_1, 0x1012D, 0x10128, 2}, {nav_2, 0x1012E, 0x10129, 1}, {adf_radio, 0x10131, 0x1012C, 1}};
    const struct {
        Radio radio;
        PlacedGauge& g;
        Point at;
        std::vector<KeyEvent> sends;
    } knobs[] = {{com1, com, com_up, {{0x10383, 0}}},
                 {nav_1, nav1, nav_fraction_up, {{0x1006B, 0}}},
                 {nav_2, nav2, nav_fraction_up, {{0x1006F, 0}}},
                 {adf_radio, adf, adf_tune_up, times(5, {{0x1039E, 0}})},
                 {transponder, iff, iff_up(0), {{0x10076, 0}}}};

    for (const auto& off : switches) {
        for (bool switched_off : {true, false}) {
            const Radio unpowered = switched_off ? off.radio : no_radio;
            SCOPED_TRACE(std::string(off.g.name()) + (switched_off ? " switched off" : " switched on again"));
            const double dial_before = adf.element(adf_dial).value;
            ASSERT_TRUE(click(host, off.g, off.main_switch));
            tune_adf(host, korvel::host::adf_tenths(host.variables()) / 10.0 + 2.0);
            const double khz = korvel::host::adf_tenths(host.variables()) / 10.0;
            click(host, com, com_display);
            click(host, adf, adf_display);
            host.clear_logs();
            host.update();
            for (const Lit& f : faces) {
                const bool lit = f.radio != unpowered;
                SCOPED_TRACE(f.g.name());
                for (std::size_t drum : f.drums) EXPECT_EQ((f.g.image_flags(drum) & drum_lit_flag) != 0, lit) << drum;
                EXPECT_EQ(f.g.icon_bitmap(f.lamp).has_value(), lit);
                EXPECT_EQ(f.g.icon_bitmap(f.main), lit ? f.main_on : f.main_on - 1);
            }
            EXPECT_EQ(com.hidden(com_window), unpowered == com1);
            EXPECT_EQ(adf.hidden(adf_window), unpowered == adf_radio);
            if (unpowered == adf_radio) {
                EXPECT_EQ(adf.element(adf_dial).value, dial_before) << "the pointer freezes";
            } else {
                EXPECT_NEAR(dial_angle(adf, adf_dial), (khz - 200) * 0.5, 1e-9) << "the pointer follows " << khz;
            }
            for (const auto& a : audio) {
                const bool on = a.radio != unpowered;
                EXPECT_EQ(host.key_events().count(a.on), on ? a.faces : 0u) << std::hex << a.on;
                EXPECT_EQ(host.key_events().count(a.off), on ? 0u : a.faces) << std::hex << a.off;
            }
            for (const auto& k : knobs) {
                host.clear_logs();
                click(host, k.g, k.at);
                EXPECT_EQ(host.key_events().entries(), k.radio == unpowered ? std::vector<KeyEvent>{} : k.sends)
                    << k.g.name();
            }
        }
    }
}

// With one receiver's audio switched on alone, shutting down silences that
// receiver and freezes the ADF pointer; starting the engine powers every
// radio again with every audio switch left off.
TEST(RadioInputs, ShutDownAndEngineOnSilenceEachReceiverAlone) {
    Host host;
    tune_adf(host, 345.0);
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    PlacedGauge& adf = host.place("Radio_ADF");
    const struct {
        PlacedGauge& g;
        Point tone;
        std::size_t icon;
        std::int32_t off_image;
        std::uint32_t on, off;
    } receivers[] = {{nav1, nav_tone_switch, nav_tone, 1260, 0x1012D, 0x10128},
                     {nav2, nav_tone_switch, nav_tone, 1260, 0x1012E, 0x10129},
                     {adf, adf_tone_switch, adf_tone, 1350, 0x10131, 0x1012C}};
    host.variables().set(60, 1);
    for (const auto& alone : receivers) {
        SCOPED_TRACE(alone.g.name());
        host.update();
        ASSERT_TRUE(click(host, alone.g, alone.tone));
        tune_adf(host, 350.0);
        host.update();
        const double dial = dial_angle(adf, adf_dial);
        PlacedGauge& shut_down = host.place("Shut_Down");
        tune_adf(host, 360.0);
        host.clear_logs();
        host.update();
        EXPECT_NEAR(dial_angle(adf, adf_dial), dial, 1e-9) << "the pointer freezes";
        for (const auto& r : receivers) {
            EXPECT_EQ(r.g.icon_bitmap(r.icon), r.off_image) << r.g.name();
            EXPECT_EQ(host.key_events().count(r.off), 1u) << r.g.name();
            EXPECT_EQ(host.key_events().count(r.on), 0u) << r.g.name();
        }
        host.kill(shut_down);
        PlacedGauge& engine_on = host.place("Engine_On");
        host.clear_logs();
        host.update();
        EXPECT_NEAR(dial_angle(adf, adf_dial), (360.0 - 200) * 0.5, 1e-9) << "the pointer follows again";
        for (const auto& r : receivers) {
            EXPECT_EQ(r.g.icon_bitmap(r.icon), r.off_image) << r.g.name();
            EXPECT_EQ(host.key_events().count(r.on) + host.key_events().count(r.off), 0u) << r.g.name();
        }
        host.kill(engine_on);
    }
}

// Tuning limits, at and either side of each edge: COM1 and NAV by the
// frequency shown, the ADF by the band chosen at install.
TEST(RadioInputs, EachTuningLimitHoldsExactlyAtItsEdge) {
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& nav1 = host.place("Radio_NAV1");
    PlacedGauge& nav2 = host.place("Radio_NAV2");
    const struct {
        PlacedGauge& g;
        std::uint32_t token, word;
        Point at;
        MouseButton button;
        std::uint32_t event;  // the step's event, when it steps
    } vhf[] = {
        {com, 23, 0x1800, com_down, MouseButton::left, 0},         // 118.000
        {com, 23, 0x1802, com_down, MouseButton::left, 0x10382},   // 118.025
        {com, 23, 0x3596, com_up, MouseButton::left, 0x10383},     // 135.960
        {com, 23, 0x3597, com_up, MouseButton::left, 0},           // 135.975
        {com, 23, 0x1895, com_down, MouseButton::right, 0},        // 118
        {com, 23, 0x1900, com_down, MouseButton::right, 0x10064},  // 119
        {com, 23, 0x3495, com_up, MouseButton::right, 0x10065},    // 134
        {com, 23, 0x3500, com_up, MouseButton::right, 0},          // 135
        {nav1, 24, 0x0895, nav_whole_down, MouseButton::left, 0},  // 108.95
        {nav1, 24, 0x0900, nav_whole_down, MouseButton::left, 0x10068},
        {nav1, 24, 0x1695, nav_whole_up, MouseButton::left, 0x10069},  // 116.95
        {nav1, 24, 0x1700, nav_whole_up, MouseButton::left, 0},
        {nav2, 27, 0x0895, nav_whole_down, MouseButton::left, 0},
        {nav2, 27, 0x0900, nav_whole_down, MouseButton::left, 0x1006C},
        {nav2, 27, 0x1695, nav_whole_up, MouseButton::left, 0x1006D},
        {nav2, 27, 0x1700, nav_whole_up, MouseButton::left, 0},
    };
    for (const auto& v : vhf) {
        SCOPED_TRACE(std::string(v.g.name()) + " at word " + std::to_string(v.word));
        host.variables().set_word(v.token, v.word);
        host.service(v.g, 6);  // the update's own read, before anything is drawn
        host.clear_logs();
        const double knob = drawn_turn(com, com_knob);
        click(host, v.g, v.at, v.button);
        EXPECT_EQ(host.key_events().entries(), times(v.event != 0 ? 1 : 0, {{v.event, 0}}));
        host.update();
        EXPECT_EQ(drawn_turn(com, com_knob) != knob, v.event != 0 && &v.g == &com) << "the channel knob";
    }

    tune_adf(host, 300.0);
    PlacedGauge& adf = host.place("Radio_ADF");
    const struct { double install, lower, upper; } bands[] = {{300, 200, 410}, {600, 410, 850}, {1200, 850, 1750}};
    for (const auto& b : bands) {
        tune_adf(host, b.install);
        host.service(adf, 2, host.library().handle());
        // Room for a coarse step of 5 kHz or a fine one of 0.5 kHz, and 0.1 kHz less.
        const struct {
            double khz;
            Point at;
            MouseButton button;
            bool steps;
        } edges[] = {
            {b.upper - 5.0, adf_tune_up, MouseButton::right, true},
            {b.upper - 4.9, adf_tune_up, MouseButton::right, false},
            {b.upper - 0.5, adf_tune_up, MouseButton::left, true},
            {b.upper - 0.4, adf_tune_up, MouseButton::left, false},
            {b.lower + 5.0, adf_tune_down, MouseButton::right, true},
            {b.lower + 4.9, adf_tune_down, MouseButton::right, false},
            {b.lower + 0.5, adf_tune_down, MouseButton::left, true},
            {b.lower + 0.4, adf_tune_down, MouseButton::left, false},
        };
        for (const auto& e : edges) {
            tune_adf(host, e.khz);
            host.update();
            host.clear_logs();
            const double knob = adf.needle_pose(adf_fine_knob).angle;
            click(host, adf, e.at, e.button);
            host.update();
            EXPECT_EQ(host.key_events().size(), e.steps ? 5u : 0u) << e.khz << " kHz in the band to " << b.upper;
            EXPECT_EQ(adf.needle_pose(adf_fine_knob).angle != knob, e.steps) << e.khz << " kHz";
        }
    }
}

// The lit windows follow the radio's power and their own count, each alone;
// the ADF tone tooltip follows the simulator's audio, on at exactly 1.
TEST(RadioInputs, WindowsFollowPowerAndCountAloneAndTheToneTipOnlyAnExactOne) {
    Host host;
    tune_adf(host, 345.0);
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& adf = host.place("Radio_ADF");
    const struct {
        PlacedGauge& g;
        Point display, main_switch;
        std::size_t window;
    } windows[] = {{com, com_display, com_switch, com_window}, {adf, adf_display, adf_switch, adf_window}};
    for (const auto& w : windows) {
        SCOPED_TRACE(w.g.name());
        host.update();
        EXPECT_TRUE(w.g.hidden(w.window)) << "powered, no count";
        click(host, w.g, w.display);
        host.update(20);
        EXPECT_FALSE(w.g.hidden(w.window));
        click(host, w.g, w.main_switch);  // off with forty calls left
        host.update(100);
        EXPECT_TRUE(w.g.hidden(w.window)) << "counting, no power";
        click(host, w.g, w.display);
        click(host, w.g, w.main_switch);  // on: the count was neither run down nor restarted
        host.update(40);
        EXPECT_FALSE(w.g.hidden(w.window));
        host.update();
        EXPECT_TRUE(w.g.hidden(w.window));
    }
    const struct {
        double audio;
        const char* tip;
    } tips[] = {{0.0, "Tone switch (off)"},
                {0.999999, "Tone switch (off)"},
                {1.0, "Tone switch (on)"},
                {1.000001, "Tone switch (off)"},
                {std::numeric_limits<double>::quiet_NaN(), "Tone switch (off)"}};
    for (const auto& t : tips) {
        host.variables().set(880, t.audio);
        EXPECT_EQ(host.tooltip(adf, adf_tone_switch.x, adf_tone_switch.y).text, t.tip) << t.audio;
    }
}

}  // namespace
