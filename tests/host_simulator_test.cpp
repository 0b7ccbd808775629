// The simulator's side as the host plays it: typed variables, panel windows
// and the calculator, seen through the service table the module calls.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "host/core/host.h"

namespace {

using korvel::host::Host;

class Simulator : public testing::Test {
protected:
    PanelServices& services() { return *host.library().imports().services; }

    ModuleVariable lookup(std::uint32_t token) {
        ModuleVariable v{};
        v.token = token;
        services().lookup_var(&v);
        return v;
    }
    static std::uint32_t first_word(const ModuleVariable& v) {
        std::uint32_t w;
        std::memcpy(&w, reinterpret_cast<const unsigned char*>(&v) + offsetof(ModuleVariable, value), 4);
        return w;
    }

    Host host;
};

TEST_F(Simulator, IntegerTokensComeBackAsAWordAndTheOthersAsDoubles) {
    host.variables().set_word(23, 0x2345);
    const ModuleVariable com = lookup(23);
    EXPECT_EQ(first_word(com), 0x2345u);
    EXPECT_EQ(com.token, 23u);

    host.variables().set(74, 12345.5);
    EXPECT_DOUBLE_EQ(lookup(74).value, 12345.5);

    for (std::uint32_t token : {16u, 18u, 23u, 24u, 27u, 38u, 43u, 46u, 55u, 276u, 279u, 335u}) {
        host.variables().set_word(token, 0x80);
        EXPECT_EQ(first_word(lookup(token)), 0x80u) << token;
    }
}

TEST_F(Simulator, ValuesAWordCannotHoldAreConvertedToADefinedWord) {
    const std::pair<double, std::uint32_t> cases[] = {{7.9, 7u},
                                                      {-3.0, 0u},
                                                      {1e12, 0xFFFFFFFFu},
                                                      {std::numeric_limits<double>::infinity(), 0xFFFFFFFFu},
                                                      {std::nan(""), 0u}};
    for (const auto& [value, word] : cases) {
        host.variables().set(38, value);
        EXPECT_EQ(first_word(lookup(38)), word) << value;
    }
}

TEST_F(Simulator, UnknownTokensReadAsZeroAndCannotBeSet) {
    EXPECT_EQ(lookup(0).value, 0.0);
    EXPECT_EQ(lookup(5000).value, 0.0);
    EXPECT_THROW(host.variables().set(5000, 1.0), std::out_of_range);
    EXPECT_THROW(host.variables().set(0, 1.0), std::out_of_range);
}

TEST_F(Simulator, TheParkedAircraftIsColdAndDarkWithTheGearDown) {
    EXPECT_EQ(host.variables().number(364), 0.0) << "battery off";
    EXPECT_EQ(host.variables().number(627), 0.0) << "engine stopped";
    EXPECT_EQ(host.variables().number(332), 16383.0);
    EXPECT_NEAR(host.variables().number(76), 29.92, 1e-9);
    EXPECT_EQ(host.variables().word(23), 0x2180u);
}

TEST_F(Simulator, WindowEventsAndTheToggleServiceOpenCloseAndToggleWindows) {
    EXPECT_EQ(host.windows().visible(0), true);
    EXPECT_EQ(host.windows().visible(225), false);
    services().trigger_key_event(0x103CB, 225);
    EXPECT_EQ(host.windows().visible(225), true);
    services().trigger_key_event(0x103CB, 225);
    EXPECT_EQ(host.windows().visible(225), true) << "opening an open window keeps it open";
    services().trigger_key_event(0x103CC, 225);
    EXPECT_EQ(host.windows().visible(225), false);
    services().trigger_key_event(0x103CA, 50);
    EXPECT_EQ(host.windows().visible(50), true);
    services().trigger_key_event(0x103CA, 50);
    EXPECT_EQ(host.windows().visible(50), false);
    services().panel_window_toggle(0);
    EXPECT_EQ(host.windows().visible(0), false);
    services().panel_window_toggle(0);
    EXPECT_EQ(host.windows().visible(0), true);

    services().trigger_key_event(0x103CB, 999);
    EXPECT_FALSE(host.windows().visible(999).has_value()) << "no window 999 appears";

    ASSERT_EQ(host.key_events().size(), 6u);
    EXPECT_EQ(host.key_events()[0], (korvel::host::KeyEvent{0x103CB, 225}));
    EXPECT_EQ(host.key_events()[5], (korvel::host::KeyEvent{0x103CB, 999}));
    ASSERT_EQ(host.window_toggles().size(), 2u);
    EXPECT_EQ(host.window_toggles()[1].event, 0u);
}

TEST_F(Simulator, TheCalculatorAnswersTheAircraftIdentifier) {
    host.simulator().atc_id = "F-BXYZ";
    const char* text = nullptr;
    services().execute_calculator_code("(A:ATC ID,string)", nullptr, nullptr, &text);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "F-BXYZ");
    services().execute_calculator_code("(A:TITLE,string)", nullptr, nullptr, &text);
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "") << "an expression the host does not know gives an empty text";
}

TEST(EventLog, KeepsTheNewestEntriesWhenFull) {
    korvel::host::EventLog log(3);
    for (std::uint32_t i = 1; i <= 5; ++i) log.record({i, i * 10});
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].event, 3u);
    EXPECT_EQ(log[2].value, 50u);
    EXPECT_EQ(log.dropped(), 2u);
    EXPECT_THROW(log[3], std::out_of_range);
}

}  // namespace
