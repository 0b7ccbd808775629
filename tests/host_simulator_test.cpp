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
    // clang-format off
    const std::pair<double, std::uint32_t> cases[] = {{7.9, 7u},
                                                      {-3.0, 0u},
                                                      {1e12, 0xFFFFFFFFu},
                                                      {std::numeric_limits<double>::infinity(), 0xFFFFFFFFu},
                                                      {std::nan(""), 0u}};
    // clang-format on
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

// The key events the gauges send, carried out as the simulator carries them
// out: each test sends the events through the service table, as a gauge
// would, and reads the variables the simulator keeps.
class SimulatedEvents : public Simulator {
protected:
    void send(std::uint32_t event, std::uint32_t value = 0) { services().trigger_key_event(event, value); }
    void send_times(std::uint32_t event, int times) {
        for (int i = 0; i < times; ++i) send(event);
    }
    double number(std::uint32_t token) { return host.variables().number(token); }
    std::uint32_t word(std::uint32_t token) { return host.variables().word(token); }
};

TEST_F(SimulatedEvents, TheBarometricSettingMovesAHundredthOfAnInchAStepAndStopsAtTheRangeEnds) {
    host.variables().set(76, 29.92);
    send(0x1015B);
    EXPECT_NEAR(number(76), 29.93, 1e-9);
    send_times(0x1015C, 3);
    EXPECT_NEAR(number(76), 29.90, 1e-9);
    host.variables().set(76, 31.995);
    send_times(0x1015B, 2);
    EXPECT_NEAR(number(76), 32.00, 1e-9) << "held at the top";
    host.variables().set(76, 27.0);
    send(0x1015C);
    EXPECT_NEAR(number(76), 27.00, 1e-9) << "held at the bottom";
}

TEST_F(SimulatedEvents, TheHeadingBugAndTheGyroTurnADegreeAStepRoundTheCard) {
    host.variables().set(855, 359);
    send(0x10157);
    EXPECT_EQ(number(855), 0.0);
    send_times(0x10158, 2);
    EXPECT_EQ(number(855), 358.0);

    host.variables().set(84, 0.5);
    host.variables().set(85, 0);
    send(0x10156);
    EXPECT_NEAR(number(84), 359.5, 1e-9) << "the gyro drifts back past north";
    EXPECT_NEAR(number(85), -65536.0 / 360, 1e-9);
    send_times(0x10155, 3);
    EXPECT_NEAR(number(84), 2.5, 1e-9);
    EXPECT_NEAR(number(85), 2 * 65536.0 / 360, 1e-9);
}

TEST_F(SimulatedEvents, CagingTheAttitudeGyroShowsLevelFlightWithItsFlagDown) {
    host.variables().set(78, 12);
    host.variables().set(80, -30);
    host.variables().set_word(279, 1);
    send(0x10345);
    EXPECT_EQ(number(78), 0.0);
    EXPECT_EQ(number(80), 0.0);
    EXPECT_EQ(word(279), 0u);
}

// COM1 steps 25 kHz channels that carry into the megahertz and run round the
// band; the whole megahertz run round 118 to 136 and keep the channel.
TEST_F(SimulatedEvents, Com1ChannelStepsCarryIntoTheMegahertzAndRunRoundTheBand) {
    const struct {
        std::uint32_t from, event, to;
    } steps[] = {
        {0x2180, 0x10383, 0x2182},  // 121.800 up: 121.825
        {0x2182, 0x10383, 0x2185},  // 121.825 up: 121.850
        {0x2185, 0x10383, 0x2187},  // 121.850 up: 121.875
        {0x2197, 0x10383, 0x2200},  // 121.975 up: 122.000
        {0x2200, 0x10382, 0x2197},  // 122.000 down: 121.975
        {0x2182, 0x10382, 0x2180},  // 121.825 down: 121.800
        {0x3697, 0x10383, 0x1800},  // 136.975 up: 118.000
        {0x1800, 0x10382, 0x3697},  // 118.000 down: 136.975
        {0x2345, 0x10065, 0x2445},  // 123.450 whole up: 124.450
        {0x3697, 0x10065, 0x1897},  // 136.975 whole up: 118.975
        {0x1802, 0x10064, 0x3602},  // 118.025 whole down: 136.025
    };
    for (const auto& step : steps) {
        host.variables().set_word(23, step.from);
        send(step.event);
        EXPECT_EQ(word(23), step.to) << std::hex << step.from << " after " << step.event;
    }
    host.variables().set_word(23, 0x1800);
    send_times(0x10383, 19 * 40);
    EXPECT_EQ(word(23), 0x1800u) << "the 760 channels of the band, once round";
    host.variables().set_word(23, 0x2000);
    send_times(0x10383, 41);
    EXPECT_EQ(word(23), 0x2102u) << "forty-one channels up from 120.000";
}

TEST_F(SimulatedEvents, NavStepsWrapWithinTheirMegahertzAndTheWholeMegahertzWithinTheBand) {
    for (const auto& [token, base] : {std::pair{24u, 0x10068u}, std::pair{27u, 0x1006Cu}}) {
        SCOPED_TRACE(token);
        const std::uint32_t whole_down = base, whole_up = base + 1, fraction_down = base + 2, fraction_up = base + 3;
        host.variables().set_word(token, 0x1095);
        send(fraction_up);
        EXPECT_EQ(word(token), 0x1000u) << "110.95 up: 110.00, no carry";
        send(fraction_down);
        EXPECT_EQ(word(token), 0x1095u);
        send(fraction_down);
        EXPECT_EQ(word(token), 0x1090u) << "50 kHz a step";
        host.variables().set_word(token, 0x1750);
        send(whole_up);
        EXPECT_EQ(word(token), 0x0850u) << "117.50 up: 108.50";
        send(whole_down);
        EXPECT_EQ(word(token), 0x1750u);
    }
    host.variables().set_word(24, 0x1030);
    host.variables().set_word(27, 0x1330);
    send(0x1006B);
    EXPECT_EQ(word(27), 0x1330u) << "NAV1's knob leaves NAV2 alone";
}

TEST_F(SimulatedEvents, TheAdfStepsCarryAcrossItsDigitsAndRunRoundItsRange) {
    using korvel::host::adf_tenths;
    using korvel::host::set_adf_tenths;
    set_adf_tenths(host.variables(), 3459);
    send(0x1039E);
    EXPECT_EQ(adf_tenths(host.variables()), 3460u) << "345.9 up: 346.0";
    EXPECT_EQ(word(16), 0x346u);
    EXPECT_EQ(word(18), 0u);
    send_times(0x1039D, 2);
    EXPECT_EQ(adf_tenths(host.variables()), 3458u);
    set_adf_tenths(host.variables(), 9995);
    send(0x103EE);
    EXPECT_EQ(adf_tenths(host.variables()), 10005u) << "999.5 up a kHz: 1000.5";
    EXPECT_EQ(word(16), 0x000u);
    EXPECT_EQ(word(18), 0x105u) << "the thousand and the tenths in the second word";
    send(0x103EF);
    EXPECT_EQ(adf_tenths(host.variables()), 9995u);
    set_adf_tenths(host.variables(), 17999);
    send(0x1039E);
    EXPECT_EQ(adf_tenths(host.variables()), 1000u) << "1799.9 up: 100.0";
    send(0x1039D);
    EXPECT_EQ(adf_tenths(host.variables()), 17999u);

    send(0x1024A, 0x4100);
    EXPECT_EQ(adf_tenths(host.variables()), 4100u) << "set: BCD tenths of kHz";
    send(0x1024A, 0x0500);
    EXPECT_EQ(adf_tenths(host.variables()), 4100u) << "50.0 kHz is below the range: nothing changes";
}

TEST_F(SimulatedEvents, EachTransponderDigitRunsRoundZeroToSevenAlone) {
    host.variables().set_word(38, 0x7000);
    send(0x10073);
    EXPECT_EQ(word(38), 0x0000u) << "thousands 7 up: 0";
    send(0x1039A);
    EXPECT_EQ(word(38), 0x0007u) << "units 0 down: 7";
    send(0x10074);
    send(0x10075);
    send(0x10075);
    EXPECT_EQ(word(38), 0x0127u);
    send(0x10398);
    send(0x10399);
    send(0x10397);
    EXPECT_EQ(word(38), 0x7017u);
    send(0x10076);
    EXPECT_EQ(word(38), 0x7010u);
}

TEST_F(SimulatedEvents, AudioCourseAndSwitchEventsSetTheirSystems) {
    send(0x10131);
    EXPECT_EQ(number(880), 1.0) << "ADF audio on";
    send(0x1012C);
    EXPECT_EQ(number(880), 0.0);
    send(0x1012D);
    send(0x1012E);
    EXPECT_TRUE(host.simulator().nav1_audio);
    EXPECT_TRUE(host.simulator().nav2_audio);
    send(0x10128);
    EXPECT_FALSE(host.simulator().nav1_audio);
    EXPECT_TRUE(host.simulator().nav2_audio);
    send(0x10129);
    EXPECT_FALSE(host.simulator().nav2_audio);

    send(0x100B4, 270);
    EXPECT_EQ(number(45), 270.0);
    send(0x100B4, 370);
    EXPECT_EQ(number(45), 10.0) << "round the compass rose";

    // clang-format off
    const std::pair<std::uint32_t, std::uint32_t> switches[] = {
        {0x1033B, 565}, {0x102C1, 364}, {0x10142, 13},  {0x1034B, 619}, {0x102BF, 368},
        {0x10018, 11},  {0x100D7, 14},  {0x100D6, 10}, {0x102F5, 740}};
    // clang-format on
    for (const auto& [event, system] : switches) {
        host.variables().set(system, 0);
        send(event);
        EXPECT_EQ(number(system), 1.0) << std::hex << event;
        send(event);
        EXPECT_EQ(number(system), 0.0) << std::hex << event;
    }
}

TEST_F(SimulatedEvents, TheStarterSpringsBackAnUpdateAfterTheLastPress) {
    send(0x102FC);
    EXPECT_EQ(number(563), 1.0);
    host.update();
    EXPECT_EQ(number(563), 1.0) << "the update after the press still sees it held";
    send(0x102FC);
    host.update();
    EXPECT_EQ(number(563), 1.0) << "pressed again: held again";
    host.update();
    EXPECT_EQ(number(563), 0.0);
}

TEST_F(SimulatedEvents, TheThrottleLeverTravelsFromClosedToFullyOpenAndNoFurther) {
    // clang-format off
    const std::pair<std::uint32_t, double> settings[] = {
        {0, 0.0}, {8192, 0.5}, {16384, 1.0}, {16385, 1.0}, {0x7FFFFFFF, 1.0}, {0xFFFFFFFF, 0.0}, {0xFFFFC000, 0.0}};
    // clang-format on
    for (const auto& [value, lever] : settings) {
        send(0x1011C, value);
        EXPECT_EQ(number(558), lever) << value;
    }
}

TEST_F(SimulatedEvents, TheEngineOnEventsSwitchTheSystemStartItAndKeepTheLever) {
    send(0x10348);
    EXPECT_EQ(number(620), 1.0);
    send(0x10348);
    EXPECT_EQ(number(620), 0.0);
    send(0x103BE);
    EXPECT_EQ(number(895), 1.0);
    send(0x1017F, 16383);
    EXPECT_EQ(host.simulator().engine_on_lever, 16383u);
}

TEST_F(SimulatedEvents, AnEventTheSimulationDoesNotModelChangesNothing) {
    const korvel::host::VariableStore before = host.variables();
    send(0x10066);  // COM fraction up without carry: no gauge sends it
    send(0x100C6);  // a panel step
    EXPECT_FALSE(korvel::host::models_event(0x10066));
    for (std::uint32_t token = 1; token < korvel::host::VariableStore::token_limit; ++token)
        ASSERT_EQ(host.variables().number(token), before.number(token)) << token;
    EXPECT_EQ(host.key_events().size(), 2u) << "recorded all the same";
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
