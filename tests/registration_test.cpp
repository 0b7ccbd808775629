// The registration plate: the identifier or a fixed text, in the colour and
// font the parameter string chooses.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "host/core/host.h"

namespace {

using korvel::host::Host;
using korvel::host::MouseButton;
using korvel::host::PlacedGauge;

constexpr std::size_t plate_text = 1;

const StringElement& plate(const PlacedGauge& g) {
    return *reinterpret_cast<const StringElement*>(g.element(plate_text).record);
}

// The text on a plate after one update, for an identifier and parameters.
std::string shown(const std::string& atc_id, std::optional<std::string> parameters) {
    Host host;
    host.simulator().atc_id = atc_id;
    PlacedGauge& g = parameters ? host.place("Registration", *parameters) : host.place("Registration");
    host.update();
    return std::string(g.text(plate_text));
}

TEST(Registration, ShowsTheIdentifierCutAtItsFirstSpaceWithUnderscoresAsSpaces) {
    EXPECT_EQ(shown("F-KRVL", std::nullopt), "F-KRVL");
    EXPECT_EQ(shown("F-AB CD", std::nullopt), "F-AB");
    EXPECT_EQ(shown("N_123", std::nullopt), "N 123");
    EXPECT_EQ(shown("", std::nullopt), "");
    EXPECT_EQ(shown("A_B/C_D", std::nullopt), "A B/C_D") << "nothing after a comment character is replaced";
    EXPECT_EQ(shown("AB/C DE", std::nullopt), "AB/C DE");
}

TEST(Registration, AFixedTextFollowsALeadingT) {
    EXPECT_EQ(shown("F-KRVL", "tG-ABCD"), "G-ABCD");
    EXPECT_EQ(shown("F-KRVL", "xtABC"), "F-KRVL") << "t must be the very first character";
    EXPECT_EQ(shown("F-KRVL", "tF-AB_12 r255"), "F-AB 12");
    EXPECT_EQ(shown("F-KRVL", "t"), "");
}

TEST(Registration, TextsNeverRunPastTheDeclaredCharacters) {
    EXPECT_EQ(shown("F-KRVL", "tABCDEFGHIJKLMNOPQRSTUVWXYZ"), "ABCDEFG");
    EXPECT_EQ(shown(std::string(5000, 'X'), std::nullopt), "XXXXXXX");
    Host host;
    PlacedGauge& g = host.place("Registration", "tABCDEFGHIJKLMNOPQRSTUVWXYZ");
    host.update();
    EXPECT_EQ(plate(g).max_characters, 7u);
    EXPECT_EQ(g.text(plate_text).size(), 7u);
}

// The identifier is fetched afresh at every update and shown on a plate
// without a fixed text; a fixed text and the colour ignore it. The plate has
// no click area: no button, held or not, does anything to it.
TEST(Registration, ThePlateFollowsTheIdentifierAtEveryUpdateAndTakesNoClick) {
    Host host;
    PlacedGauge& id_plate = host.place("Registration", "r0");
    PlacedGauge& fixed = host.place("Registration", "tF-FIXE");
    // clang-format off
    const std::pair<const char*, const char*> ids[] = {
        {"F-KRVLX", "F-KRVLX"}, {"G-AB", "G-AB"}, {"N_12 X", "N 12"}, {"F-KRVL", "F-KRVL"}};
    // clang-format on
    for (auto [id, text] : ids) {
        host.simulator().atc_id = id;
        host.update();
        EXPECT_EQ(id_plate.text(plate_text), text);
        EXPECT_EQ(fixed.text(plate_text), "F-FIXE");
        EXPECT_EQ(plate(id_plate).text_colour, 0xFFFF00u) << id;
    }
    for (PlacedGauge* g : {&id_plate, &fixed})
        for (auto [x, y] : {std::pair{0, 0}, {75, 12}, {149, 24}}) {
            EXPECT_FALSE(host.click(*g, x, y));
            EXPECT_FALSE(host.click(*g, x, y, MouseButton::right));
            EXPECT_FALSE(host.hold(*g, x, y, 3));
            EXPECT_FALSE(host.mouse_event(*g, x, y, 0, mouse_left_click | mouse_right_click));
        }
    host.update();
    EXPECT_EQ(id_plate.text(plate_text), "F-KRVL");
    EXPECT_EQ(fixed.text(plate_text), "F-FIXE");
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_TRUE(host.window_toggles().empty());
    EXPECT_TRUE(host.sounds_played().empty());
}

TEST(Registration, ColourKeysSetEachComponentClampedAt255) {
    struct Case {
        const char* parameters;
        std::uint32_t colour;
        std::uint32_t from = 0xFFFFFF;  // the colour an earlier install left
    };
    // clang-format off
    const Case cases[] = {
        {"r255g0b0", 0x0000FF},    {"r300g0b0", 0x0000FF},    {"r-5g0b0", 0x0000FF},
        {"g128", 0xFF80FF},        {"b0", 0x00FFFF},          {"r10g20b30", 0x1E140A},
        {"r1 // g0 b0", 0xFFFF01}, {"r254g0b0", 0x0000FE},    {"r256g0b0", 0x0000FF},
        {"g-1r0b0", 0x00FF00},     {"b256r0g0", 0xFF0000},    {"xyz", 0xFFFFFF},
        {"r7", 0x030207, 0x030201}, {"g128", 0x038001, 0x030201}, {"b9", 0x090201, 0x030201},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        Host host;
        GaugeHeader& header = *host.find_gauge("Registration");
        reinterpret_cast<StringElement*>(header.elements[0]->next[0])->text_colour = c.from;
        PlacedGauge& g = host.place(header, c.parameters);
        EXPECT_EQ(plate(g).text_colour, c.colour);
    }
}

TEST(Registration, TheFontKeyTakesTheRestOfTheStringAndEndsItThere) {
    Host host;
    host.simulator().atc_id = "F-KRVL";
    PlacedGauge& courier = host.place("Registration", "fCourier New");
    EXPECT_STREQ(plate(courier).font_face, "Courier New");
    EXPECT_EQ(courier.parameters(), "");

    PlacedGauge& vip = host.place("Registration", "tVIP_1 fTimes");
    host.update();
    EXPECT_STREQ(plate(vip).font_face, "Times");
    EXPECT_EQ(vip.parameters(), "tVIP_1 ");
    EXPECT_EQ(vip.text(plate_text), "VIP 1");
    EXPECT_EQ(courier.text(plate_text), "F-KRVL");

    host.service(vip, 2, host.library().handle());
    EXPECT_STREQ(plate(vip).font_face, "Times") << "a later install finds no f";
}

// An install whose records lead to no string element (no chain, no first
// element, no list over it, or an empty one) takes no key and harms nothing.
TEST(Registration, AnInstallThatFindsNoStringElementChangesNothing) {
    Host host;
    PlacedGauge& g = host.place("Registration", "r10");
    GaugeHeader& header = g.header();
    ElementHeader** const chain = header.elements;
    ElementHeader* const background = chain[0];
    ElementHeader** const over = background->next;
    ElementHeader* const string_element = over[0];
    StringElement& text = *reinterpret_cast<StringElement*>(string_element);
    const std::function<void()> breaks[] = {
        [&] { header.elements = nullptr; },
        [&] { chain[0] = nullptr; },
        [&] { background->next = nullptr; },
        [&] { over[0] = nullptr; },
    };
    for (std::size_t i = 0; i < std::size(breaks); ++i) {
        text.text_colour = 0x123456;
        breaks[i]();
        host.service(g, 2, host.library().handle());
        header.elements = chain;
        chain[0] = background;
        background->next = over;
        over[0] = string_element;
        EXPECT_EQ(text.text_colour, 0x123456u) << i;
    }
    host.service(g, 2, host.library().handle());
    EXPECT_EQ(text.text_colour, 0x12340Au) << "the same install with its records whole";
}

TEST(Registration, AFontNameLongerThanTheFaceFieldIsCut) {
    Host host;
    const std::string name(100, 'N');
    PlacedGauge& g = host.place("Registration", "f" + name);
    EXPECT_EQ(std::string(plate(g).font_face), name.substr(0, 31));
    EXPECT_EQ(plate(g).font_face[31], '\0');
}

TEST(Registration, ThePlateIsWhiteArialOnBlackWithItsTooltip) {
    Host host;
    PlacedGauge& g = host.place("Registration");
    const StringElement& s = plate(g);
    EXPECT_EQ(g.element(0).record->resource_id, 50);
    EXPECT_EQ(s.text_colour, 0xFFFFFFu);
    EXPECT_EQ(s.background_colour, 0u);
    EXPECT_EQ(s.highlight_colour, 0x5C5C5Cu);
    EXPECT_STREQ(s.font_face, "Arial");
    EXPECT_EQ(s.font_weight, 400);
    EXPECT_EQ(s.character_set, 1);
    EXPECT_EQ(s.layout_flags, 0x25u);
    EXPECT_EQ(s.box_width, 150);
    EXPECT_EQ(s.box_height, 25);
    EXPECT_EQ(host.tooltip(g, 75, 12).text, "Registration number");
}

}  // namespace
