// What the pilot reads when the pointer rests on a gauge.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "host/core/host.h"
#include "host/core/tooltip_format.h"
#include "tests/test_gauges.h"

namespace {

using korvel::host::Host;
using korvel::host::PlacedGauge;

class Tooltips : public testing::Test {
protected:
    Host host;
    PlacedGauge& gauge = host.place(test_gauges::tooltip_gauge, std::nullopt, korvel::host::GaugeSize{300, 300});
};

TEST_F(Tooltips, InsertsAreFilledFromTheNumberedArgumentsInTheirFormats) {
    const auto tip = host.tooltip(gauge, 50, 50);
    ASSERT_TRUE(tip.shown);
    // %1!d! truncates 12.5; %3!d! truncates -7.9 toward zero; NaN reads as 0
    // and an out-of-range value saturates.
    EXPECT_EQ(tip.text, "Bug 12\xB0 on 012.500 0012.50 -7 0 2147483647");
    EXPECT_EQ(tip.help_id, 0u);
}

TEST_F(Tooltips, InsertsBeyondTheArgumentsOrOfUnknownFormatStayAsWritten) {
    const auto tip = host.tooltip(gauge, 15, 15);
    EXPECT_EQ(tip.text, "Inner on %12!s! on 100% %9!q! %0 %");
}

TEST_F(Tooltips, TheInnermostParentWinsAndTheWholeGaugeShowsElsewhere) {
    EXPECT_EQ(host.tooltip(gauge, 9, 9).text.substr(0, 4), "Bug ");
    EXPECT_EQ(host.tooltip(gauge, 30, 30).text.substr(0, 4), "Bug ") << "the inner box ends at 30";
    EXPECT_EQ(host.tooltip(gauge, 29, 29).text.substr(0, 6), "Inner ");
    EXPECT_EQ(host.tooltip(gauge, 50, 150).text, "Whole gauge")
        << "a parent without tooltip or help leaves the whole-gauge tooltip showing";
    EXPECT_EQ(host.tooltip(gauge, 299, 299).text, "Whole gauge");
    EXPECT_FALSE(host.tooltip(gauge, 300, 300).shown) << "off the gauge";
}

TEST_F(Tooltips, ATextWithoutArgumentsIsShownUnchanged) {
    EXPECT_EQ(host.tooltip(gauge, 50, 250).text, "Close the subpanel");
}

TEST_F(Tooltips, HostTextsAreReportedByTheirHelpIdentifier) {
    const auto record = host.tooltip(gauge, 150, 50);
    EXPECT_TRUE(record.shown);
    EXPECT_TRUE(record.text.empty());
    EXPECT_EQ(record.help_id, 0x3002u) << "a tooltip record without a text of its own";
    EXPECT_EQ(host.tooltip(gauge, 250, 50).help_id, 0xAB35u) << "a parent's own help identifier";
}

TEST(TooltipFormatter, CutsLongTextsToTheBufferAndEndsThemWithANul) {
    std::array<char, 8> small{};
    const auto text = korvel::host::format_tooltip("Display the main panel VFR view", nullptr, 0, nullptr, small);
    EXPECT_EQ(text, "Display");
    EXPECT_EQ(small[7], '\0');
    EXPECT_EQ(korvel::host::format_tooltip(nullptr, nullptr, 0, nullptr, small), "");
    EXPECT_EQ(korvel::host::format_tooltip("%1!d! and %1!s!", nullptr, 3, nullptr, small), "%1!d! a")
        << "an argument count without arguments gives no inserts";
}

double KORVEL_CALL seven(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) { return 7.0; }

TEST(TooltipFormatter, AConversionTooLongToPassOnWholeStaysAsWritten) {
    TooltipArgument argument{};
    argument.numeric = seven;
    std::array<char, 128> out{};
    const char* text = "[%1!-----------------------5d!] [%1!-+ #05.1f!] [%1!9999d!]";
    EXPECT_EQ(korvel::host::format_tooltip(text, &argument, 1, nullptr, out),
              "[%1!-----------------------5d!] [+7.0 ] [%1!9999d!]");
}

double KORVEL_CALL negative_nan(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return -std::numeric_limits<double>::quiet_NaN();
}
double KORVEL_CALL minus_infinity(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return -std::numeric_limits<double>::infinity();
}
double KORVEL_CALL plus_infinity(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return std::numeric_limits<double>::infinity();
}

TEST(TooltipFormatter, NanAndTheInfinitiesReadTheSameInBothBuilds) {
    std::array<TooltipArgument, 3> arguments{};
    arguments[0].numeric = negative_nan;
    arguments[1].numeric = minus_infinity;
    arguments[2].numeric = plus_infinity;
    std::array<char, 128> out{};
    EXPECT_EQ(korvel::host::format_tooltip("Course %1!03.0f!\xB0 %1!E! %1!6.2f!|", arguments.data(), 3, nullptr, out),
              "Course nan\xB0 NAN    nan|")
        << "NaN has no sign, whatever its sign bit";
    EXPECT_EQ(korvel::host::format_tooltip("%2!f! %3!+g! %3!-5G!| %2!5.1e!", arguments.data(), 3, nullptr, out),
              "-inf +inf INF  |  -inf");
    EXPECT_EQ(korvel::host::format_tooltip("%1!d! %2!d! %3!d!", arguments.data(), 3, nullptr, out),
              "0 -2147483648 2147483647")
        << "integer conversions still saturate";
}

}  // namespace
