// The panel buttons as a panel designer configures them: parameter strings,
// the windows and step events a click sends, the faces chosen at install.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/host.h"

namespace {

using korvel::host::Host;
using korvel::host::KeyEvent;
using korvel::host::PlacedGauge;

constexpr std::uint32_t open_window = 0x103CB;
constexpr std::uint32_t close_window = 0x103CC;
constexpr std::uint32_t toggle_window = 0x103CA;
constexpr std::uint32_t step_reset = 0x10153;
constexpr std::uint32_t step_next = 0x100C6;
constexpr std::uint32_t step_previous = 0x100C7;

// The events one left click on a button sends, with the given parameters.
std::vector<KeyEvent> click_events(const char* gauge, const char* parameters) {
    Host host;
    PlacedGauge& button = host.place(gauge, parameters);
    host.clear_logs();
    host.click(button, 9, 9);
    return host.key_events().entries();
}

std::vector<KeyEvent> repeated(std::uint32_t event, int times) { return std::vector<KeyEvent>(times, {event, 0}); }

TEST(ParameterString, OpensThenClosesThenTogglesWhateverTheOrderThenSteps) {
    // clang-format off
    EXPECT_EQ(click_events("GPS_Toggle", "o225c75t50p-2"),
              (std::vector<KeyEvent>{{open_window, 225}, {close_window, 75}, {toggle_window, 50},
                                     {step_previous, 0}, {step_previous, 0}}));
    // clang-format on
    EXPECT_EQ(click_events("GPS_Toggle", "t1c2o3"),
              (std::vector<KeyEvent>{{open_window, 3}, {close_window, 2}, {toggle_window, 1}}));
    EXPECT_EQ(click_events("GPS_Toggle", "t225 t10"),
              (std::vector<KeyEvent>{{toggle_window, 225}, {toggle_window, 10}}));
}

TEST(ParameterString, NamesMustFollowTheKeyLetterDirectly) {
    EXPECT_EQ(click_events("Radios_Toggle", "tGPS_PANEL"), (std::vector<KeyEvent>{{toggle_window, 225}}));
    EXPECT_EQ(click_events("Radios_Toggle", "t GPS_PANEL"), (std::vector<KeyEvent>{{toggle_window, 0}}));
    EXPECT_EQ(click_events("Radios_Toggle", "oRADIO_STACK_PANELcCOMPASS_PANEL"),
              (std::vector<KeyEvent>{{open_window, 50}, {close_window, 75}}));
    EXPECT_EQ(
        click_events("Radios_Toggle", "tANNUNCIATOR2_PANELtANNUNCIATOR_PANELtIFR_MAIN_PANELtMAIN_PANEL"),
        (std::vector<KeyEvent>{{toggle_window, 150}, {toggle_window, 125}, {toggle_window, 175}, {toggle_window, 0}}));
    EXPECT_EQ(click_events("Radios_Toggle", "tTHROTTLE_PANEL tMINI_CONTROLS_PANEL tOVERHEAD_PANEL"),
              (std::vector<KeyEvent>{{toggle_window, 10}, {toggle_window, 100}, {toggle_window, 250}}));
    EXPECT_EQ(click_events("Radios_Toggle", "tCOLLECTIVE_PANEL tzz"),
              (std::vector<KeyEvent>{{toggle_window, 200}, {toggle_window, 0}}))
        << "a text that is neither a name nor a number reads as 0";
}

TEST(ParameterString, CommentsEndTheKeys) {
    EXPECT_TRUE(click_events("Fuel_Toggle", "/t225").empty());
    EXPECT_TRUE(click_events("Fuel_Toggle", "#t225").empty());
    EXPECT_TRUE(click_events("Fuel_Toggle", "'t225").empty());
    EXPECT_EQ(click_events("Fuel_Toggle", "t225/c75"), (std::vector<KeyEvent>{{toggle_window, 225}}));
}

TEST(ParameterString, StepKeyTakesItsFirstOccurrenceAndABoundedCount) {
    EXPECT_EQ(click_events("VFR_Panel_Toggle", "p"), (std::vector<KeyEvent>{{step_reset, 0}}));
    EXPECT_EQ(click_events("VFR_Panel_Toggle", "p0"), (std::vector<KeyEvent>{{step_reset, 0}}));
    EXPECT_EQ(click_events("VFR_Panel_Toggle", "p3p-1"), repeated(step_next, 3));
    EXPECT_EQ(click_events("VFR_Panel_Toggle", "p999999999"), repeated(step_next, 100))
        << "a typo must not hold the panel thread";
    EXPECT_EQ(click_events("VFR_Panel_Toggle", "p-99999999999999"), repeated(step_previous, 100));
}

TEST(ParameterString, UnusableValuesAreSkippedAndHugeNumbersSaturate) {
    EXPECT_TRUE(click_events("Compass_Toggle", "t").empty()) << "an empty value";
    EXPECT_TRUE(click_events("Compass_Toggle", "t-5c-1").empty()) << "negative identifiers";
    EXPECT_EQ(click_events("Compass_Toggle", "t99999999999"), (std::vector<KeyEvent>{{toggle_window, 0x7FFFFFFF}}));
    EXPECT_EQ(click_events("Compass_Toggle", "t  +42x"), (std::vector<KeyEvent>{{toggle_window, 42}}));
}

TEST(PanelToggle, WithoutParametersAClickTogglesTheMainPanel) {
    Host host;
    PlacedGauge& plain = host.place("Throttle_Toggle");
    PlacedGauge& empty = host.place("Throttle_Toggle", "");
    host.click(plain, 9, 9);
    EXPECT_EQ(host.windows().visible(0), false);
    host.click(empty, 9, 9);
    EXPECT_EQ(host.windows().visible(0), true);
    EXPECT_EQ(host.window_toggles().size(), 2u);
    EXPECT_EQ(host.window_toggles()[0].event, 0u);
    EXPECT_TRUE(host.key_events().empty());

    PlacedGauge& comment = host.place("Throttle_Toggle", "// throttle quadrant");
    host.click(comment, 9, 9);
    EXPECT_EQ(host.window_toggles().size(), 2u) << "a string of comment alone is not empty: nothing happens";
}

TEST(PanelToggle, AClickActsOnTheWindowsItNames) {
    Host host;
    PlacedGauge& button = host.place("Electricity_Toggle", "o50 c0");
    host.click(button, 9, 9);
    EXPECT_EQ(host.windows().visible(50), true);
    EXPECT_EQ(host.windows().visible(0), false);
    EXPECT_FALSE(host.click(button, 1, 1)) << "the click area is the 13-pixel square at 3, 3";
    EXPECT_TRUE(host.click(button, 3, 3));
    EXPECT_TRUE(host.click(button, 15, 15));
    EXPECT_FALSE(host.click(button, 16, 16));
}

TEST(PanelToggle, InstallKeysChooseTheFaceAndTheHelpText) {
    struct Case {
        const char* parameters;
        std::int32_t bitmap;
        std::uint32_t help;
    };
    // clang-format off
    const Case cases[] = {
        {"b150", 150, 0xAB87},
        {"b200", 200, 0xAB87},
        {"b155", 140, 0xAB87},
        {"b90", 140, 0xAB87},
        {"b210", 140, 0xAB87},
        {"b155hTOGGLE_FUEL_WINDOW", 140, 0xAB87},
        {"hTOGGLE_FUEL_WINDOW", 140, 0xAB8A},
        {"b110hTOGGLE_COLLECTIVE_WINDOW", 110, 0xAB8B},
        {"h43913", 140, 43913},
        {"h100", 140, 0},
        {"h", 140, 0},
        {"b120 // h43913", 120, 0xAB87},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.parameters);
        Host host;
        GaugeHeader& gps = *host.find_gauge("GPS_Toggle");
        // Each case starts from the button's own face, whatever an earlier one set.
        gps.elements[0]->resource_id = 140;
        gps.mouse_rects[0].help_id = 0xAB87;
        PlacedGauge& button = host.place(gps, c.parameters);
        EXPECT_EQ(button.element(0).record->resource_id, c.bitmap);
        const auto tip = host.tooltip(button, 1, 1);
        EXPECT_EQ(tip.help_id, c.help);
        EXPECT_EQ(tip.shown, c.help != 0);
    }
}

TEST(PanelToggle, TheCloseAtStartKeyActsAtTheFirstInstallOfEachCopyOnly) {
    Host host;
    host.windows().open(225);
    PlacedGauge& button = host.place("Landing_View_Toggle", "aGPS_PANEL b180");
    EXPECT_EQ(host.key_events().entries(), (std::vector<KeyEvent>{{close_window, 225}}));
    EXPECT_EQ(host.windows().visible(225), false);
    EXPECT_EQ(button.user_word(), 1u);

    host.windows().open(225);
    button.header().elements[0]->resource_id = 130;
    host.service(button, 2, host.library().handle());  // its window reopened
    EXPECT_EQ(host.key_events().size(), 1u) << "key a is not applied again";
    EXPECT_EQ(button.element(0).record->resource_id, 180) << "key b is";
    EXPECT_EQ(host.windows().visible(225), true);

    host.place("Landing_View_Toggle", "aGPS_PANEL");
    EXPECT_EQ(host.key_events().size(), 2u) << "another copy keeps a user word of its own";
    EXPECT_TRUE(host.place("Landing_View_Toggle", "a-1").user_word() == 1u);
    EXPECT_EQ(host.key_events().size(), 2u);
}

TEST(PanelToggle, HostHandledButtonsSendTheirEventAndIgnoreParameters) {
    struct Case {
        const char* gauge;
        std::uint32_t event;
        std::uint32_t help;
        std::int32_t bitmap;
    };
    for (const Case& c : {Case{"Kneeboard_Toggle", 0x10154, 0xAB93, 60}, Case{"ATC_Toggle", 0x1001C, 0xAB94, 80},
                          Case{"Map_Toggle", 0x10380, 0xAB8F, 70}}) {
        SCOPED_TRACE(c.gauge);
        EXPECT_EQ(click_events(c.gauge, "t225 aGPS_PANEL b150"), (std::vector<KeyEvent>{{c.event, 0}}));
        Host host;
        PlacedGauge& button = host.place(c.gauge, "b150 h43913");
        EXPECT_EQ(button.element(0).record->resource_id, c.bitmap);
        EXPECT_EQ(host.tooltip(button, 9, 9).help_id, c.help);
        host.click(button, 9, 9, korvel::host::MouseButton::right);
        EXPECT_TRUE(host.key_events().empty()) << "left clicks only";
    }
}

TEST(PanelToggle, EachButtonShowsItsDefaultFaceAndTooltip) {
    struct Case {
        const char* gauge;
        std::int32_t bitmap;
        std::uint32_t help;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {"Invisible_Toggle", 100, 0, ""},
        {"Close_Subpanel", 110, 0, "Close the subpanel"},
        {"Radios_Toggle", 120, 0xAB86, ""},
        {"Landing_View_Toggle", 130, 0, "Display the main panel Landing view"},
        {"GPS_Toggle", 140, 0xAB87, ""},
        {"Throttle_Toggle", 150, 0xAB88, ""},
        {"Compass_Toggle", 160, 0xAB89, ""},
        {"Fuel_Toggle", 170, 0, "Display/Hide the fuel subpanel"},
        {"VFR_Panel_Toggle", 180, 0, "Display the main panel VFR view"},
        {"IFR_Panel_Toggle", 190, 0, "Display the main panel IFR view"},
        {"Electricity_Toggle", 200, 0, "Display/Hide the electricity board"},
    };
    // clang-format on
    Host host;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.gauge);
        PlacedGauge& button = host.place(c.gauge);
        EXPECT_EQ(button.element(0).record->resource_id, c.bitmap);
        EXPECT_EQ(button.element(0).record->image_flags, 0x3u);
        EXPECT_EQ(button.header().size_mm, 19u);
        const auto tip = host.tooltip(button, 9, 9);
        EXPECT_EQ(tip.text, c.text);
        EXPECT_EQ(tip.help_id, c.help);
        EXPECT_EQ(tip.shown, c.help != 0 || *c.text != '\0');
        ASSERT_EQ(button.mouse().children().size(), 1u);
        EXPECT_EQ(button.mouse().children()[0].rect->cursor, cursor_hand);
        EXPECT_EQ(button.mouse().children()[0].rect->accepted_events, 0x20000000u);
    }
    EXPECT_EQ(host.place("Fuel_Toggle").header().mouse_rects[0].help_id, 0xAB8Au)
        << "the fuel button has a help identifier under its own tooltip";
}

}  // namespace
