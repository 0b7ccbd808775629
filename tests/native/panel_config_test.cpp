// Reading a panel designer's panel.cfg and flight state files.
#include <gtest/gtest.h>

#include "host/panel/flight_state.h"
#include "host/panel/panel_config.h"

#include <string>
#include <vector>

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

// The findings of a code, as "line: message".
std::vector<std::string> coded(const korvel::panel::PanelConfig& config, std::string_view code) {
    std::vector<std::string> out;
    for (const auto& p : config.problems)
        if (p.code == code) out.push_back(std::to_string(p.line) + ": " + p.message);
    return out;
}

TEST(PanelConfig, AGaugeLineTooLongToReadIsAnErrorNotALineLostQuietly) {
    const std::string text =
        "[Window Titles]\nWindow00=A\n[Window00]\nsize_mm=100\n"
        "gauge00=Korvel_Instr!Clock, 1, 1, 50, 50, " +
        std::string(300, 't') +
        "\n"
        "gauge01=Korvel_Instr!Clock, 1, 1, 50, 50, t // " +
        std::string(200, '-') +
        "\n"
        "gauge02=Korvel_Instr!Clock, 1, 1, 50\n"
        "gauge03=Cessna!Clock, 1, 1, 50, 50, " +
        std::string(300, 'x') + "\nsomething=" + std::string(300, 'y') + "\n";
    const auto config = read_panel_config(text, known);
    const auto long_lines = coded(config, "line-too-long");
    ASSERT_EQ(long_lines.size(), 4u) << ::testing::PrintToString(long_lines);
    EXPECT_EQ(config.problems[0].severity, Severity::error) << "a line of this module that is not placed";
    EXPECT_NE(long_lines[0].find("5: gauge00: the line is 342 characters long, and the simulator reads none longer "
                                 "than 199, so the gauge is not placed"),
              std::string::npos)
        << long_lines[0];
    EXPECT_EQ(long_lines[0].find("comment"), std::string::npos) << "no comment to blame";
    EXPECT_NE(long_lines[1].find("the comment at its end makes it so"), std::string::npos) << long_lines[1];
    EXPECT_EQ(config.errors(), 2u);
    EXPECT_EQ(config.refused_lines, 2) << "counted with the lines not placed, so the tools' statuses say so";
    EXPECT_EQ(config.placed_lines, 1);
    EXPECT_EQ(config.unread_lines, 2) << "another module's line and a window key are only not read";
    EXPECT_EQ(config.windows.at(0).gauges.size(), 1u);
    ASSERT_EQ(config.windows[0].refused.size(), 2u) << "kept to be marked where they would stand";
    EXPECT_EQ(config.windows[0].refused[0].width, 50);
}

TEST(PanelConfig, GaugeKeysAreReadAsTheSimulatorReadsThemAndTheFirstOfTwoIsTheOne) {
    const auto config = read_panel_config(
        "[Window Titles]\nWindow00=A\n[Window00]\nsize_mm=500\n"  // 1-4
        "gauge00=Korvel_Instr!Clock, 0, 0, 50\n"                  // 5
        "gauge5=Korvel_Instr!Clock, 50, 0, 50\n"                  // 6
        "gauge000=Korvel_Instr!Clock, 100, 0, 50\n"               // 7
        "gauge01=Korvel_Instr!Airspeed, 150, 0, 50\n"             // 8
        "gauge01=Korvel_Instr!Clock, 200, 0, 50\n"                // 9
        "GAUGE02=Korvel_Instr!Clock, 250, 0, 50\n"                // 10
        "gauge0100=Cessna!Clock, 300, 0, 50\n"                    // 11
        "gauge100=Korvel_Instr!Clock, 350, 0, 50\n",              // 12
        known);
    const auto& w = config.windows.at(0);
    std::vector<int> placed;
    for (const auto& g : w.gauges) placed.push_back(g.line);
    EXPECT_EQ(placed, (std::vector<int>{5, 8, 10, 12}));
    EXPECT_EQ(w.gauges[1].gauge, "Airspeed") << "the first gauge01";
    EXPECT_EQ(config.refused_lines, 3);
    EXPECT_TRUE(w.others.empty()) << "another module's line under a key the simulator does not read is not drawn";
    // clang-format off
    EXPECT_EQ(coded(config, "unread-key"), (std::vector<std::string>{
        "6: gauge5: the simulator reads gauge keys of two digits, gauge00 to gauge99, then of three, gauge100 up; it "
        "does not read gauge5 (write gauge05), so the gauge is not placed",
        "7: gauge000: the simulator reads gauge keys of two digits, gauge00 to gauge99, then of three, gauge100 up; it "
        "does not read gauge000 (write gauge00), so the gauge is not placed",
        "11: gauge0100: the simulator reads gauge keys of two digits, gauge00 to gauge99, then of three, gauge100 up; "
        "it does not read gauge0100 (write gauge100): the gauge is not drawn"}));
    EXPECT_EQ(coded(config, "repeated-key"), (std::vector<std::string>{
        "9: gauge01: gauge01 is also on line 8, and the simulator reads only the first, so the gauge is not placed"}));
    EXPECT_EQ(coded(config, "gauge-key-gap"), (std::vector<std::string>{
        "12: gauge100 comes after a break in the numbering (no gauge03); the simulator may stop reading gauges there"}));
    // clang-format on
    for (const auto& p : config.problems) {
        if (p.code == "unread-key" || p.code == "repeated-key") {
            EXPECT_EQ(p.window, "Window00") << p.message;
        }
    }
}

TEST(PanelConfig, FilesThatAreNoPanelAreRefusedAsSuchWithOneError) {
    std::string junk(1 << 20, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = char((i * 2654435761u) >> 13);
    const struct {
        std::string text;
        const char* code;
        const char* words;
    } files[] = {
        {junk, "not-text", "not a text file"},
        {"[Window00]\nsize_mm=10\n" + std::string(3, '\0'), "not-text", "NUL byte on line 3"},
        {std::string("\x01\x02\x03\x04", 4) + "[Window00]", "not-text", "control characters"},
        {"", "empty-file", "the file is empty"},
        {"\r\n  \r\n", "empty-file", "the file is empty"},
        {"\xEF\xBB\xBF", "empty-file", "the file is empty"},
        {"// only a comment\n[Views]\nx=1\n", "no-windows", "no [WindowNN] or [VCockpitNN] section"},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.code);
        const auto config = read_panel_config(f.text, known);
        ASSERT_EQ(config.problems.size(), 1u);
        EXPECT_EQ(config.problems[0].code, f.code);
        EXPECT_EQ(config.problems[0].severity, Severity::error);
        EXPECT_NE(config.problems[0].message.find(f.words), std::string::npos) << config.problems[0].message;
        EXPECT_TRUE(config.windows.empty());
    }
}

TEST(PanelConfig, AByteOrderMarkOrUtf8TextIsNamedOnceAndTheRestReadsOn) {
    const std::string panel =
        "[Window Titles]\nWindow00=Main\nWindow01=\xC3\x89lectricit\xC3\xA9\n"
        "[Window00]\nsize_mm=100\n[Window01]\nsize_mm=100\n";
    const auto marked = read_panel_config("\xEF\xBB\xBF" + panel, known);
    EXPECT_EQ(coded(marked, "utf8-bom").size(), 1u);
    EXPECT_EQ(marked.problems.at(0).line, 1);
    ASSERT_EQ(marked.windows.size(), 2u);
    EXPECT_EQ(marked.windows[0].title, "Main") << "the first section is read past the mark";
    EXPECT_TRUE(marked.windows[0].titled);
    // clang-format off
    EXPECT_EQ(coded(marked, "utf8-text"), (std::vector<std::string>{
        "3: the file is UTF-8 text, but the simulator reads a panel.cfg as Windows-1252: \"\xC3\x89lectricit\xC3\xA9\" "
        "shows as \"\xC3\x83\xE2\x80\xB0lectricit\xC3\x83\xC2\xA9\"; save the file as Windows-1252 (ANSI)"}));
    // clang-format on
    EXPECT_EQ(marked.problems.size(), 2u) << "nothing follows from the mark";

    EXPECT_EQ(read_panel_config(panel, known).problems.size(), 1u) << "UTF-8 without a mark: named all the same";
    const auto windows_1252 =
        read_panel_config("[Window Titles]\nWindow00=\xC9lectricit\xE9\n[Window00]\nsize_mm=100\n", known);
    EXPECT_TRUE(windows_1252.problems.empty()) << "the simulator's own encoding";
    EXPECT_EQ(windows_1252.windows.at(0).title, "\xC9lectricit\xE9");
}

// Each mistake the simulator takes without a word: named once, with what
// the simulator does and what was most likely meant.
TEST(PanelConfig, EachSilentMistakeIsNamedOnceWithWhatTheSimulatorDoes) {
    const std::vector<std::string> names = {"Airspeed", "GPS_Toggle", "Clock"};
    const korvel::panel::GaugeLookup lookup = [](std::string_view n) -> std::optional<std::string> {
        if (known(n)) return std::string(n);
        return std::nullopt;
    };
    const std::string titles = "[Window Titles]\nWindow00=Main\n";
    const struct {
        std::string text;
        int line;
        Severity severity;
        const char* code;
        std::vector<std::string> words;
    } mistakes[] = {
        {titles + "[Window00]\nsize_mm=100\ngauge00=Korvl_Instr!Clock, 0, 0\n",
         5,
         Severity::warning,
         "unknown-module",
         {"\"Korvl_Instr\" is not this module's name", "did you mean Korvel_Instr!Clock?"}},
        {titles + "[Window00]\nsize_mm=100\ngauge00=Korvel_Instr.gau!Clock, 0, 0\n",
         5,
         Severity::warning,
         "unknown-module",
         {"finds no module \"Korvel_Instr.gau\"", "without .gau", "did you mean Korvel_Instr!Clock?"}},
        {titles + "[Window00]\nsize_mm=100\ngauge00=Korvel_Instr!Clok, 0, 0\n",
         5,
         Severity::error,
         "unknown-gauge",
         {"no gauge named \"Clok\"; did you mean Clock?"}},
        {titles + "[Window00]\nsize_mm=100\n[Windw01]\nsize_mm=50\ngauge00=Korvel_Instr!Clock, 0, 0\n",
         5,
         Severity::error,
         "misspelt-section",
         {"[Windw01] is no section the simulator reads; did you mean [Window01]?", "its 2 keys are not read",
          "its 1 Korvel_Instr gauge lines are not placed"}},
        {titles + "[Window00]\nsize_mm=100\n[Window Title]\nWindow01=Radios\n",
         5,
         Severity::warning,
         "misspelt-section",
         {"did you mean [Window Titles]?", "its 1 key is not read"}},
        {titles + "[Window00]\nsize_mm=100\nident=MAIN_PANEL\n[Window00]\ngauge00=Korvel_Instr!Clock, 0, 0\n",
         6,
         Severity::error,
         "repeated-section",
         {"[Window00] is written again: the simulator reads only the first (line 3)",
          "its 1 Korvel_Instr gauge lines are not placed", "merge them into the first"}},
        {titles + "Window01=GPS\n[Window00]\nsize_mm=100\n",
         3,
         Severity::warning,
         "title-without-window",
         {"Window01 \"GPS\" titles no window: there is no [Window01] section"}},
        {titles + "[Window00]\nsize_mm=100\n[VCockpit01]\nsize_mm=10\ntexture=$NONE\n[VCockpit02]\nsize_mm=10\n"
                  "texture00=$none\n",
         10,
         Severity::warning,
         "shared-texture",
         {"[VCockpit02] draws on the texture $none, as [VCockpit01] (line 7) does", "a texture of its own"}},
        {titles + "[Window00]\nsize_mm=0,0\n",
         4,
         Severity::warning,
         "bad-size-mm",
         {"size_mm must be a width", "the window takes the size of its background bitmap, or of its gauges"}},
        {titles + "[Window00]\nsize_mm=10\n[VCockpit01]\nsize_mm=0,0\ntexture=$VC\n",
         6,
         Severity::warning,
         "bad-size-mm",
         {"size_mm must be a width"}},
    };
    for (const auto& m : mistakes) {
        SCOPED_TRACE(m.text);
        const auto config = read_panel_config(m.text, lookup, names);
        std::string all;
        for (const auto& p : config.problems) all += std::to_string(p.line) + ": " + p.message + "\n";
        ASSERT_EQ(config.problems.size(), 1u) << "one finding for one fact\n" << all;
        const auto& p = config.problems[0];
        EXPECT_EQ(p.line, m.line) << all;
        EXPECT_EQ(p.severity, m.severity) << all;
        EXPECT_EQ(p.code, m.code) << all;
        for (const auto& words : m.words) EXPECT_NE(p.message.find(words), std::string::npos) << words << "\n" << all;
    }
    // What the simulator does, the tools do: a repeated section and a
    // misspelt one are not read, the first of two textures keeps its name.
    const auto repeated = read_panel_config(mistakes[5].text, lookup, names);
    EXPECT_TRUE(repeated.windows.at(0).gauges.empty());
    EXPECT_EQ(repeated.refused_lines, 1);
    const auto shared = read_panel_config(mistakes[7].text, lookup, names);
    EXPECT_EQ(korvel::panel::window_file_name(shared.windows.at(1)), "vc-none");
    EXPECT_EQ(korvel::panel::window_file_name(shared.windows.at(2)), "vc-none-vcockpit02")
        << "each picture has a file of its own";
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
