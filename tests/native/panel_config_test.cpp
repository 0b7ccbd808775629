// Reading a panel designer's panel.cfg and flight state files.
#include <gtest/gtest.h>

#include "host/panel/flight_state.h"
#include "host/panel/panel_config.h"

namespace {

using korvel::panel::read_panel_config;
using korvel::panel::Severity;

bool known(std::string_view name) { return name == "Airspeed" || name == "GPS_Toggle" || name == "Clock"; }

TEST(PanelConfig, ReadsWindowsAndGaugeLinesWithTheirParameters) {
    const auto config = read_panel_config(R"(// a panel
[Window Titles]
window00=Main Panel
window01=GPS

[Window00]
size_mm=1024,768
position=7
visible=1
ident=MAIN_PANEL
gauge00=Korvel_Instr!Airspeed, 10, 20, 140
    gauge01=korvel_instr!GPS_Toggle,  5, 6, 19, 19, tGPS_PANEL // the GPS window
gauge02=Korvel_Instr!Clock, 1, 2, 100, 90,

[Window01]
size_mm=300
visible=0
ident=225
)",
                                          known);
    EXPECT_TRUE(config.problems.empty());
    ASSERT_EQ(config.windows.size(), 2u);
    const auto& main = config.windows[0];
    EXPECT_EQ(main.title, "Main Panel");
    EXPECT_EQ(main.width, 1024);
    EXPECT_EQ(main.height, 768);
    EXPECT_EQ(main.position, 7);
    EXPECT_TRUE(main.visible);
    EXPECT_EQ(main.ident, 0);
    ASSERT_EQ(main.gauges.size(), 3u);
    EXPECT_EQ(main.gauges[0].gauge, "Airspeed");
    EXPECT_EQ(main.gauges[0].x, 10);
    EXPECT_EQ(main.gauges[0].y, 20);
    EXPECT_EQ(main.gauges[0].width, 140);
    EXPECT_FALSE(main.gauges[0].height);
    EXPECT_FALSE(main.gauges[0].parameters);
    EXPECT_EQ(main.gauges[1].line, 12) << "an indented line is still a gauge line";
    EXPECT_EQ(main.gauges[1].parameters, "tGPS_PANEL // the GPS window")
        << "the module reads its parameter string as written, comment and all";
    EXPECT_EQ(main.gauges[2].height, 90);
    EXPECT_EQ(main.gauges[2].parameters, "") << "an empty parameter string is a string";
    EXPECT_EQ(config.windows[1].ident, 225);
    EXPECT_FALSE(config.windows[1].visible);
    EXPECT_FALSE(config.windows[1].height);
}

TEST(PanelConfig, ReportsEachBadLineWithItsNumberAndKeepsTheRest) {
    const auto config = read_panel_config(R"([Window00]
size_mm=800,600
gauge00=Cessna!Clock, 1, 1, 50
gauge01=Korvel_Instr!Airspeed_Indicator, 1, 1, 50
gauge02=Korvel_Instr!Airspeed, x, 1, 50
gauge03=Airspeed, 1, 1, 50
this line means nothing
position=12
ident=NO_SUCH_PANEL
gauge04=Korvel_Instr!Clock, 100, 100, 120
)",
                                          known);
    // [Window00] is not in [Window Titles] (line 1); another module's gauge
    // (line 3) is no problem at all.
    ASSERT_EQ(config.problems.size(), 7u);
    const int lines[] = {1, 4, 5, 6, 7, 8, 9};
    // clang-format off
    const Severity severities[] = {Severity::warning, Severity::error,   Severity::error,  Severity::warning,
                                   Severity::warning, Severity::warning, Severity::warning};
    // clang-format on
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(config.problems[i].line, lines[i]) << config.problems[i].message;
        EXPECT_EQ(config.problems[i].severity, severities[i]) << config.problems[i].message;
    }
    EXPECT_NE(config.problems[1].message.find("no gauge named \"Airspeed_Indicator\""), std::string::npos);
    EXPECT_NE(config.problems[2].message.find("x and y"), std::string::npos);
    EXPECT_EQ(config.other_lines, 1);
    EXPECT_EQ(config.refused_lines, 2);
    EXPECT_EQ(config.unread_lines, 2) << "the line that means nothing and the gauge line without a module";
    ASSERT_EQ(config.windows.size(), 1u);
    ASSERT_EQ(config.windows[0].gauges.size(), 1u) << "the good line still counts";
    EXPECT_EQ(config.windows[0].gauges[0].gauge, "Clock");
    EXPECT_EQ(config.windows[0].ident, 10000) << "an ident the simulator does not know leaves the window its own";
}

TEST(PanelConfig, WindowIdentifiersByNameOrNumber) {
    EXPECT_EQ(korvel::panel::panel_identifier("RADIO_STACK_PANEL"), 50);
    EXPECT_EQ(korvel::panel::panel_identifier("ANNUNCIATOR2_PANEL"), 150);
    EXPECT_EQ(korvel::panel::panel_identifier("10077"), 10077);
    EXPECT_EQ(korvel::panel::panel_identifier("radio_stack_panel"), std::nullopt)
        << "names are as the simulator writes them";
    const auto config = read_panel_config("[Window03]\nsize_mm=10\n", known);
    EXPECT_EQ(config.windows.at(0).ident, 10003) << "a window without an ident gets one of its own";
    const auto lower_case =
        read_panel_config("[Window Titles]\nWindow00=R\n[Window00]\nident=radio_stack_panel\n", known);
    EXPECT_EQ(lower_case.windows.at(0).ident, 50) << "read, with a warning that gives the simulator's spelling";
    ASSERT_EQ(lower_case.problems.size(), 1u);
    EXPECT_EQ(lower_case.problems[0].line, 4);
    EXPECT_NE(lower_case.problems[0].message.find("RADIO_STACK_PANEL"), std::string::npos);
}

TEST(PanelConfig, OverlongLinesAreReportedRatherThanCut) {
    const std::string text =
        "[Window Titles]\nWindow00=A\n[Window00]\nsize_mm=100\ngauge00=Korvel_Instr!Clock, 1, 1, 50, 50, " +
        std::string(300, 't') + "\ngauge01=Korvel_Instr!Clock, 1, 1, 50\n";
    const auto config = read_panel_config(text, known);
    ASSERT_GE(config.problems.size(), 1u);
    EXPECT_EQ(config.problems[0].line, 5);
    EXPECT_NE(config.problems[0].message.find("longer than"), std::string::npos);
    EXPECT_EQ(config.unread_lines, 1);
    EXPECT_EQ(config.windows.at(0).gauges.size(), 1u);
}

TEST(FlightState, ReadsTokensInDecimalAndHexadecimal) {
    const auto state = korvel::panel::read_flight_state(R"(; cruise
74 = 30000
23 = 0x2180   ; COM1
61=290.5
atc_id = F-ABCD
)");
    EXPECT_TRUE(state.problems.empty());
    ASSERT_EQ(state.settings.size(), 3u);
    EXPECT_EQ(state.settings[1].token, 23u);
    EXPECT_EQ(state.settings[1].value, double(0x2180));
    EXPECT_EQ(state.settings[2].value, 290.5);
    EXPECT_EQ(state.atc_id, "F-ABCD");
    korvel::host::SimulatorState sim;
    korvel::panel::apply_flight_state(state, sim);
    EXPECT_EQ(sim.variables.word(23), 0x2180u);
    EXPECT_EQ(sim.variables.number(74), 30000.0);
    EXPECT_EQ(sim.atc_id, "F-ABCD");
}

TEST(FlightState, ReportsUnknownTokensAndValuesThatAreNotNumbers) {
    const auto state =
        korvel::panel::read_flight_state("9999 = 1\nairspeed = 100\n61 = fast\n23 = 0x1FFFFFFFF\n61 = nan\n");
    ASSERT_EQ(state.problems.size(), 5u);
    EXPECT_NE(state.problems[0].message.find("no simulator variable has token 9999"), std::string::npos);
    EXPECT_EQ(state.problems[4].line, 5);
    EXPECT_TRUE(state.settings.empty());
}

}  // namespace

// Failed instruments in a flight state.
#include <fstream>
#include <iterator>

#include "host/core/host.h"

namespace {

TEST(FlightStateFailures, FailLinesTakeANameOrANumberAndUnknownKeysAreReportedByLine) {
    const auto state = korvel::panel::read_flight_state(
        "fail = pitot_static\n74 = 8000\nfail=20   ; electrical panel\nfail = pitot\nfail = 10\nfail =\n"
        "fail = 3\n");
    ASSERT_EQ(state.problems.size(), 3u);
    EXPECT_EQ(state.problems[0].line, 4);
    EXPECT_NE(state.problems[0].message.find("'pitot'"), std::string::npos) << state.problems[0].message;
    EXPECT_EQ(state.problems[1].line, 5) << "no instrument of the module fails with key 10";
    EXPECT_EQ(state.problems[2].line, 6);
    EXPECT_EQ(state.failures, (std::vector<std::uint32_t>{3, 20, 3}));
    ASSERT_EQ(state.settings.size(), 1u);

    korvel::host::SimulatorState sim;
    korvel::panel::apply_flight_state(state, sim);
    EXPECT_EQ(sim.failures.keys(), (std::vector<std::uint32_t>{3, 20}));
    EXPECT_EQ(sim.variables.number(74), 8000.0);
}

TEST(FlightStateFailures, ThePitotStaticClimbHoldsTheAltimeterAndRestsTheAirspeed) {
    std::ifstream file(KORVEL_SOURCE_DIR "/examples/states/pitot_static_climb.flt");
    ASSERT_TRUE(file);
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto state = korvel::panel::read_flight_state(text);
    EXPECT_TRUE(state.problems.empty()) << (state.problems.empty() ? "" : state.problems[0].message);

    korvel::host::Host host;
    korvel::panel::apply_flight_state(state, host.simulator());
    EXPECT_EQ(host.failed(), (std::vector<std::uint32_t>{3}));
    korvel::host::PlacedGauge& altimeter = host.place("Altimeter");
    korvel::host::PlacedGauge& airspeed = host.place("Airspeed");
    host.update();
    const double thousands = altimeter.needle_pose(3).angle;
    EXPECT_NEAR(thousands, 8000.0 / 10000 * 360, 1e-9) << "the altimeter shows the state's altitude";
    const auto rest = airspeed.needle_pose(2);
    EXPECT_NEAR(rest.x, 150, 0.01) << "0 kt, not the state's 250";
    EXPECT_NEAR(rest.y, 80, 0.01);
    host.variables().set(74, 9000);
    host.update(10);
    EXPECT_EQ(altimeter.needle_pose(3).angle, thousands) << "and holds it through the climb";
}

}  // namespace
