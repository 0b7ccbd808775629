// The registration plate: the identifier or a fixed text, in the colour and
// font the parameter string chooses.
#include <gtest/gtest.h>

#include <string>

#include "host/core/host.h"

namespace {

using korvel::host::Host;
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

TEST(Registration, ColourKeysSetEachComponentClampedAt255) {
    struct Case {
        const char* parameters;
        std::uint32_t colour;
    };
    const Case cases[] = {
        {"r255g0b0", 0x0000FF},  {"r300g0b0", 0x0000FF}, {"r-5g0b0", 0x0000FF},
        {"g128", 0xFF80FF},      {"b0", 0x00FFFF},        {"r10g20b30", 0x1E140A},
        {"r1 // g0 b0", 0xFFFF01},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        Host host;
        GaugeHeader& header = *host.find_gauge("Registration");
        reinterpret_cast<StringElement*>(header.elements[0]->next[0])->text_colour = 0xFFFFFF;
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
