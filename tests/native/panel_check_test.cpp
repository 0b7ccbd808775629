// What `korvel-panel check` tells a panel designer about a panel.cfg: what
// each button and plate will do, the traps of the parameter strings, gauges
// that share their state, and gauges that do not fit or cover each other.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/host.h"
#include "host/panel/checker.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"

namespace {

using korvel::host::Host;
using korvel::panel::Problem;
using korvel::panel::Severity;

std::vector<Problem> check(Host& host, std::string_view cfg, const std::string& folder = {}) {
    const auto config = korvel::panel::read_panel_config(cfg, korvel::panel::module_gauges(host));
    return korvel::panel::check_panel(host, config, folder);
}

// The number of the first line of the panel.cfg that holds the text.
int line_of(std::string_view cfg, std::string_view text) {
    const std::size_t at = cfg.find(text);
    if (at == std::string_view::npos) {
        ADD_FAILURE() << "the panel.cfg has no line with " << text;
        return -1;
    }
    return 1 + int(std::count(cfg.begin(), cfg.begin() + std::ptrdiff_t(at), '\n'));
}

std::vector<Problem> on_line(const std::vector<Problem>& findings, int line, Severity severity) {
    std::vector<Problem> out;
    for (const Problem& p : findings)
        if (p.line == line && p.severity == severity) out.push_back(p);
    return out;
}

std::string listing(const std::vector<Problem>& findings) {
    std::string out;
    for (const Problem& p : findings)
        out += std::to_string(p.line) +
               (p.severity == Severity::error     ? ": error: "
                : p.severity == Severity::warning ? ": warning: "
                                                  : ": note: ") +
               p.message + "\n";
    return out;
}

// The one note of the line; empty (and a failure) when there is not exactly one.
std::string note_on(const std::vector<Problem>& findings, int line) {
    const auto notes = on_line(findings, line, Severity::note);
    if (notes.size() != 1) {
        ADD_FAILURE() << "line " << line << " has " << notes.size() << " notes\n" << listing(findings);
        return {};
    }
    return notes.front().message;
}

// The warnings of the line, each holding all of its expected pieces, and no others.
void expect_warnings(const std::vector<Problem>& findings, int line,
                     const std::vector<std::vector<std::string>>& expected) {
    const auto warnings = on_line(findings, line, Severity::warning);
    EXPECT_EQ(warnings.size(), expected.size()) << "line " << line << "\n" << listing(findings);
    for (const auto& pieces : expected) {
        const bool found = std::any_of(warnings.begin(), warnings.end(), [&](const Problem& w) {
            return std::all_of(pieces.begin(), pieces.end(),
                               [&](const std::string& piece) { return w.message.find(piece) != std::string::npos; });
        });
        EXPECT_TRUE(found) << "line " << line << " has no warning with " << ::testing::PrintToString(pieces) << "\n"
                           << listing(findings);
    }
}

std::size_t count_of(const std::vector<Problem>& findings, Severity severity) {
    return std::size_t(
        std::count_if(findings.begin(), findings.end(), [&](const Problem& p) { return p.severity == severity; }));
}

// What a click on the button does in the host, in the words of the notes,
// in the order the host saw it.
std::vector<std::string> click_in_host(Host& host, const std::string& gauge, const std::optional<std::string>& params) {
    auto& g = params ? host.place(gauge, std::string_view(*params)) : host.place(gauge);
    const auto& area = g.mouse().children().front().area;
    host.clear_logs();
    EXPECT_TRUE(host.click(g, area.box.x + area.box.width / 2, area.box.y + area.box.height / 2)) << gauge;
    std::vector<std::string> said;
    std::vector<std::pair<std::uint32_t, int>> steps;
    for (const auto& e : host.key_events().entries()) {
        if (e.event == 0x103CB)
            said.push_back("opens window " + std::to_string(std::int32_t(e.value)));
        else if (e.event == 0x103CC)
            said.push_back("closes window " + std::to_string(std::int32_t(e.value)));
        else if (e.event == 0x103CA)
            said.push_back("toggles window " + std::to_string(std::int32_t(e.value)));
        else if (e.event != 0x10153 && e.event != 0x100C6 && e.event != 0x100C7) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%X", e.event);
            said.push_back(std::string("sends event ") + hex);
        } else if (!steps.empty() && steps.back().first == e.event) {
            ++steps.back().second;
        } else {
            steps.push_back({e.event, 1});
        }
    }
    for (const auto& t : host.window_toggles().entries()) said.push_back("toggles window " + std::to_string(t.event));
    for (const auto& [event, n] : steps) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", event);
        said.push_back(std::string("step event ") + hex + " " +
                       (n == 1   ? "once"
                        : n == 2 ? "twice"
                                 : std::to_string(n) + " times"));
    }
    return said;
}

// The note says each thing in order; a window word may be shared by a run
// of one kind ("toggles window 225 (...) and window 10 (...)").
void expect_note_says(const std::string& note, const std::vector<std::string>& said) {
    std::size_t at = 0;
    std::string last_verb;
    for (const std::string& s : said) {
        const std::string verb = s.substr(0, s.find(' '));
        std::string wanted = s;
        if (verb == last_verb && note.find(s, at) == std::string::npos) wanted = s.substr(verb.size() + 1);
        const std::size_t found = note.find(wanted, at);
        EXPECT_NE(found, std::string::npos)
            << "the note does not say \"" << wanted << "\" after position " << at << ": " << note;
        if (found == std::string::npos) return;
        at = found + wanted.size();
        last_verb = verb;
    }
}

constexpr std::string_view windows = R"([Window Titles]
Window00=Main
Window01=Radios
Window02=GPS
Window03=Compass

[Window00]
size_mm=1024,768
ident=MAIN_PANEL

[Window01]
size_mm=400,200
ident=RADIO_STACK_PANEL

[Window02]
size_mm=300,300
ident=GPS_PANEL

[Window03]
size_mm=200,200
ident=75
)";

// The four windows with the test's lines in them: each section of `lines`
// joins the fixture's section of that name, as one section of a panel.cfg
// (the simulator reads only the first of two sections of one name).
std::string panel(std::string_view lines) {
    std::string out(windows);
    std::size_t at = lines.find('[');
    while (at != std::string_view::npos) {
        const std::size_t body = lines.find('\n', at) + 1;
        const std::size_t next = std::min(lines.find("\n[", body), lines.size());
        const std::string header(lines.substr(at, body - at));
        const std::size_t into = out.find(header);
        const std::size_t end = std::min(out.find("\n[", into + header.size()), out.size());
        std::string keys(lines.substr(body, next - body));
        while (!keys.empty() && keys.back() == '\n') keys.pop_back();
        out.insert(end == out.size() ? end : end + 1, keys + "\n");
        at = next < lines.size() ? next + 1 : std::string_view::npos;
    }
    return out;
}

TEST(PanelCheck, EachButtonsNoteSaysWhatAClickAndTheLoadDoInTheHost) {
    Host host;
    const std::string cfg = panel(R"(
[Window00]
gauge00=Korvel_Instr!Fuel_Toggle,          10, 10, 19, 19, o225c75t50p-2
gauge01=Korvel_Instr!Radios_Toggle,        40, 10, 19, 19
gauge02=Korvel_Instr!GPS_Toggle,           70, 10, 19, 19, tGPS_PANEL t75
gauge03=Korvel_Instr!Compass_Toggle,      100, 10, 19, 19, aGPS_PANEL t50
gauge04=Korvel_Instr!Electricity_Toggle,  130, 10, 19, 19, b150hTOGGLE_GPS_WINDOW t50
gauge05=Korvel_Instr!Landing_View_Toggle, 160, 10, 19, 19, p999999999
gauge06=Korvel_Instr!IFR_Panel_Toggle,    190, 10, 19, 19, p
gauge07=Korvel_Instr!Kneeboard_Toggle,    220, 10, 19, 19
gauge08=Korvel_Instr!Map_Toggle,          250, 10, 19, 19
)");
    const auto findings = check(host, cfg);
    EXPECT_EQ(count_of(findings, Severity::warning), 0u) << listing(findings);

    // What the module's own description of these strings says they do.
    const std::string fuel = note_on(findings, line_of(cfg, "o225c75t50p-2"));
    EXPECT_NE(fuel.find("click opens window 225 (GPS_PANEL, [Window02] \"GPS\"), closes window 75 (COMPASS_PANEL, "
                        "[Window03] \"Compass\"), toggles window 50 (RADIO_STACK_PANEL, [Window01] \"Radios\") and "
                        "sends step event 0x100C7 twice"),
              std::string::npos)
        << fuel;
    EXPECT_NE(note_on(findings, line_of(cfg, "Radios_Toggle"))
                  .find("click toggles window 0 (MAIN_PANEL, [Window00] \"Main\")"),
              std::string::npos)
        << "a button without parameters toggles the main panel";
    EXPECT_NE(note_on(findings, line_of(cfg, "aGPS_PANEL")).find("when the panel first loads, it closes window 225"),
              std::string::npos);
    const std::string faced = note_on(findings, line_of(cfg, "b150"));
    EXPECT_NE(faced.find("face 150 (Throttle_Toggle's), help 0xAB87 (TOGGLE_GPS_WINDOW)"), std::string::npos) << faced;
    EXPECT_NE(note_on(findings, line_of(cfg, "p999999999")).find("sends step event 0x100C6 100 times"),
              std::string::npos);
    EXPECT_NE(note_on(findings, line_of(cfg, "Kneeboard_Toggle")).find("click sends event 0x10154 (the kneeboard)"),
              std::string::npos);

    // And each note against the host: what a click and the load of the
    // same line do there, in the same order.
    const auto config = korvel::panel::read_panel_config(cfg, korvel::panel::module_gauges(host));
    for (const auto& line : config.windows[0].gauges) {
        SCOPED_TRACE(line.gauge);
        const std::string note = note_on(findings, line.line);
        host.clear_logs();
        expect_note_says(note, click_in_host(host, line.gauge, line.parameters));
        // The click above placed the line again: its load events are in the log no more.
        host.clear_logs();
        auto& again =
            line.parameters ? host.place(line.gauge, std::string_view(*line.parameters)) : host.place(line.gauge);
        for (const auto& e : host.key_events().entries())
            EXPECT_NE(note.find("when the panel first loads, it closes window " + std::to_string(e.value)),
                      std::string::npos)
                << note;
        if (host.key_events().empty()) {
            EXPECT_EQ(note.find("first loads"), std::string::npos) << note;
        }
        EXPECT_NE(note.find("face " + std::to_string(again.header().elements[0]->resource_id)), std::string::npos)
            << note;
    }
}

TEST(PanelCheck, WarnsOfEachParameterStringTrapOnItsLine) {
    Host host;
    const std::string cfg = panel(R"(
[Window00]
gauge00=Korvel_Instr!GPS_Toggle,          10, 10, 19, 19, tgps_panel
gauge01=Korvel_Instr!Radios_Toggle,       40, 10, 19, 19, t50 c// the radios
gauge02=Korvel_Instr!Fuel_Toggle,         70, 10, 19, 19, c t50
gauge03=Korvel_Instr!Compass_Toggle,     100, 10, 19, 19, t GPS_PANEL
gauge04=Korvel_Instr!Throttle_Toggle,    130, 10, 19, 19, tFMC_PANEL
gauge05=Korvel_Instr!Electricity_Toggle, 160, 10, 19, 19, b155hTOGGLE_GPS_WINDOW t50
gauge06=Korvel_Instr!VFR_Panel_Toggle,   190, 10, 19, 19, h100 t50
gauge07=Korvel_Instr!IFR_Panel_Toggle,   220, 10, 19, 19, aRADIO_STACK_PANEL aGPS_PANEL t50
gauge08=Korvel_Instr!Landing_View_Toggle, 250, 10, 19, 19, tOVERHEAD_PANEL
gauge09=Korvel_Instr!Close_Subpanel,     280, 10, 19, 19, //t50
gauge10=Korvel_Instr!Kneeboard_Toggle,   310, 10, 19, 19, t225
gauge11=Korvel_Instr!Invisible_Toggle,   340, 10, 19, 19, t-5 t50
gauge12=Korvel_Instr!ATC_Toggle,         370, 10, 19, 19, tGPS_PANEL p2 p3
gauge13=Korvel_Instr!Map_Toggle,         400, 10, 19, 19
gauge14=Korvel_Instr!Radios_Toggle,      430, 10, 19, 19, tRADIO_STACK_PANEL p1 p2 b120 b170
)");
    const auto findings = check(host, cfg);

    // The window name in lower case: window 0, and its p and a read as keys.
    const int lower_case = line_of(cfg, "tgps_panel");
    expect_warnings(
        findings, lower_case,
        {{"\"tgps_panel\": window names are read in capitals only", "toggles window 0 (MAIN_PANEL",
          "not window 225 (GPS_PANEL", "the p and a of \"gps_panel\" are read as keys", "write tGPS_PANEL"}});
    const std::string what = note_on(findings, lower_case);
    EXPECT_NE(what.find("click toggles window 0"), std::string::npos) << what;
    EXPECT_NE(what.find("step event 0x10153 once"), std::string::npos) << what;
    EXPECT_NE(what.find("when the panel first loads, it closes window 0"), std::string::npos) << what;

    // clang-format off
    expect_warnings(findings, line_of(cfg, "c// the radios"),
                    {{"\"c//\": c is followed by a comment, not a window", "the click closes window 0 (MAIN_PANEL"}});
    expect_warnings(findings, line_of(cfg, "c t50"),
                    {{"\"c t50\": c has no window after it", "the click closes window 0"}});
    // clang-format on
    expect_warnings(
        findings, line_of(cfg, "t GPS_PANEL"),
        {{"a window name must follow t directly", "toggles window 0", "not window 225", "write tGPS_PANEL"}});
    expect_warnings(findings, line_of(cfg, "tFMC_PANEL"),
                    {{"\"FMC_PANEL\" is neither a number nor a window name", "the click toggles window 0"}});
    expect_warnings(findings, line_of(cfg, "b155"),
                    {{"\"b155\" is not a button face (100 to 200 in tens)", "keeps face 200",
                      "\"hTOGGLE_GPS_WINDOW\" is then not read either", "it keeps no help text"}});
    expect_warnings(findings, line_of(cfg, "h100"), {{"\"h100\" is not a help identifier", "no help text"}});
    expect_warnings(findings, line_of(cfg, "aRADIO_STACK_PANEL aGPS_PANEL"),
                    {{"a is read only where it first appears (\"aRADIO_STACK_PANEL\")", "\"aGPS_PANEL\" is not read"}});
    expect_warnings(findings, line_of(cfg, "tOVERHEAD_PANEL"),
                    {{"the click toggles window 250 (OVERHEAD_PANEL)",
                      "no window of this panel.cfg has ident=OVERHEAD_PANEL or ident=250"}});
    // clang-format off
    expect_warnings(findings, line_of(cfg, "//t50"), {{"a click does nothing", "all comment"}});
    expect_warnings(findings, line_of(cfg, "Kneeboard_Toggle"),
                    {{"Kneeboard_Toggle reads no parameter string: \"t225\" changes nothing"}});
    // clang-format on
    expect_warnings(findings, line_of(cfg, "t-5"), {{"\"t-5\" names no window", "does nothing"}});
    // A host-handled button given parameters like a toggle's.
    expect_warnings(findings, line_of(cfg, "ATC_Toggle"), {{"ATC_Toggle reads no parameter string"}});
    expect_warnings(findings, line_of(cfg, "Map_Toggle"), {});
    expect_warnings(findings, line_of(cfg, "p1 p2 b120 b170"),
                    {{"p is read only where it first appears (\"p1\")", "\"p2\" is not read"},
                     {"b is read only where it first appears (\"b120\")", "\"b170\" is not read"}});
    EXPECT_EQ(count_of(findings, Severity::error), 0u) << listing(findings);
}

TEST(PanelCheck, TellsWhatEachRegistrationPlateShowsAndWhyNotWhatWasWritten) {
    Host host;
    const std::string cfg = panel(R"(
[Window00]
gauge00=Korvel_Instr!Registration, 10, 100, 150, 25, tJetfire
gauge01=Korvel_Instr!Registration, 10, 130, 150, 25, tN123456789 r300 g-5
gauge02=Korvel_Instr!Registration, 10, 160, 150, 25, r255 tABC
gauge03=Korvel_Instr!Registration, 10, 190, 150, 25, tF-AB_12 fCourier New // bold
gauge04=Korvel_Instr!Registration, 10, 220, 150, 25, fA_font_name_that_is_far_too_long_for_a_plate
gauge05=Korvel_Instr!Registration, 10, 250, 150, 25, tVIP_1 r0g0b255 fTimes
)");
    const auto findings = check(host, cfg);
    // Once, on the first copy: the copies differ in style, and the last one's wins.
    // clang-format off
    const std::vector<std::string> copies = {
        "Registration is placed 6 times (lines " + std::to_string(line_of(cfg, "tJetfire")),
        "every copy shows line " + std::to_string(line_of(cfg, "tVIP_1")) +
            "'s, the last to load: the font \"Times\", colour 0,0,255"};
    // clang-format on

    const int jet = line_of(cfg, "tJetfire");
    expect_warnings(findings, jet,
                    {{"the f of the text \"Jetfire\" is read as a key", "shows \"Jet\" in the font \"ire\""}, copies});
    EXPECT_NE(note_on(findings, jet).find("shows \"Jet\" in the font \"ire\", colour 255,255,255"), std::string::npos);

    const int cut = line_of(cfg, "tN123456789");
    expect_warnings(findings, cut,
                    {{"colour values run from 0 to 255", "\"r300\" gives red 255", "\"g-5\" gives green 255"},
                     {"the plate holds 7 characters: \"N123456789\" shows as \"N123456\""}});

    expect_warnings(findings, line_of(cfg, "r255 tABC"),
                    {{"a fixed text must start the parameters: \"tABC\" is not read",
                      "the plate shows the aircraft's identifier"}});
    EXPECT_NE(note_on(findings, line_of(cfg, "r255 tABC")).find("the plate shows the aircraft's identifier"),
              std::string::npos);

    const int commented = line_of(cfg, "fCourier New // bold");
    expect_warnings(findings, commented,
                    {{"f takes the rest of the parameters, comment and all", "\"Courier New // bold\""}});
    EXPECT_NE(note_on(findings, commented).find("shows \"F-AB 12\" in the font \"Courier New // bold\""),
              std::string::npos);

    expect_warnings(findings, line_of(cfg, "fA_font_name"),
                    {{"a font name holds 31 characters", "is cut to \"A_font_name_that_is_far_too_lon\""}});

    const int last = line_of(cfg, "tVIP_1");
    expect_warnings(findings, last, {});
    EXPECT_NE(note_on(findings, last).find("shows \"VIP 1\" in the font \"Times\", colour 0,0,255"), std::string::npos);
}

TEST(PanelCheck, NamesEveryCopyOfAGaugeWhoseSoundFaceOrStyleIsTheGaugesOnceForAllCopies) {
    Host host;
    const std::string cfg = panel(R"(
[Window00]
gauge00=Korvel_Instr!Radio_COM,      10, 300, 200
gauge01=Korvel_Instr!Elec_Board,     10, 400, 200
gauge02=Korvel_Instr!Airspeed,      300, 300, 100
gauge03=Korvel_Instr!Airspeed,      500, 300, 100
gauge04=Korvel_Instr!GPS_Toggle,     10,  10, 19, 19, b150 tGPS_PANEL
gauge05=Korvel_Instr!Radios_Toggle,  40,  10, 19, 19
gauge06=Korvel_Instr!RMI_Switch,    600, 600
gauge07=Korvel_Instr!Radio_NAV1,    600, 100
gauge08=Korvel_Instr!Compass_Toggle, 70,  10, 19, 19, tgps_panel
gauge09=Korvel_Instr!Registration,   10, 700, 150, 25, tF-AB
gauge10=Korvel_Instr!Registration,  200, 700, 150, 25, tF-AB

[Window01]
gauge00=Korvel_Instr!Radio_COM,       0,   0, 200
gauge01=Korvel_Instr!GPS_Toggle,    300,  10, 19, 19, b160 tGPS_PANEL
gauge02=Korvel_Instr!Radios_Toggle, 330,  10, 19, 19
gauge03=Korvel_Instr!Compass_Toggle, 360, 10, 19, 19, tgps_panel

[Window03]
gauge00=Korvel_Instr!Compass_Toggle, 10, 10, 19, 19, tgps_panel
)") + R"(
[VCockpit01]
size_mm=512,512
texture00=$VC
gauge00=Korvel_Instr!Radio_NAV1, 0, 0
)";
    const auto findings = check(host, cfg);
    const int com1 = line_of(cfg, "Radio_COM,      10"), com2 = line_of(cfg, "Radio_COM,       0");
    expect_warnings(
        findings, com1,
        {{"Radio_COM is placed 2 times (lines " + std::to_string(com1) + " and " + std::to_string(com2) + ")",
          "removing one copy silences them all"}});
    expect_warnings(findings, com2, {});

    const int gps1 = line_of(cfg, "b150"), gps2 = line_of(cfg, "b160");
    expect_warnings(
        findings, gps1,
        {{"GPS_Toggle is placed 2 times (lines " + std::to_string(gps1) + " and " + std::to_string(gps2) + ")",
          "with different faces",
          "shows line " + std::to_string(gps2) + "'s, the last to load: face 160 (Compass_Toggle's)"}});
    expect_warnings(findings, gps2, {});

    // A copy on the 2D panel and one in the virtual cockpit is the usual
    // way to show a radio in both: a note, not a warning.
    const int nav2d = line_of(cfg, "Radio_NAV1,    600"), nav_vc = line_of(cfg, "Radio_NAV1, 0, 0");
    expect_warnings(findings, nav2d, {});
    EXPECT_NE(note_on(findings, nav2d)
                  .find("Radio_NAV1 is placed 2 times (lines " + std::to_string(nav2d) + " and " +
                        std::to_string(nav_vc) + "): its click sound belongs to the gauge"),
              std::string::npos);

    // The same line three times: its warning and its note once, naming the others.
    const int compass = line_of(cfg, "Compass_Toggle, 70"), again = line_of(cfg, "Compass_Toggle, 360"),
              third = line_of(cfg, "Compass_Toggle, 10");
    const std::string same = "(the same on lines " + std::to_string(again) + " and " + std::to_string(third) + ")";
    expect_warnings(findings, compass, {{"\"tgps_panel\": window names are read in capitals only", same}});
    EXPECT_NE(note_on(findings, compass).find(same), std::string::npos);
    for (int line : {again, third}) {
        expect_warnings(findings, line, {});
        EXPECT_TRUE(on_line(findings, line, Severity::note).empty()) << listing(findings);
    }

    // Copies that agree share their state as they should: nothing to say.
    for (std::string_view alone : {"Elec_Board", "Airspeed,      300", "Airspeed,      500", "Radios_Toggle,  40",
                                   "Radios_Toggle, 330", "RMI_Switch", "Registration,   10", "Registration,  200"})
        expect_warnings(findings, line_of(cfg, alone), {});
}

TEST(PanelCheck, FindsGaugesOutsideTheirWindowAndClickAreasThatOverlap) {
    Host host;
    const std::string cfg = R"([Window Titles]
Window00=Main
Window01=Other

[Window00]
size_mm=400,300
ident=MAIN_PANEL
gauge00=Korvel_Instr!Airspeed,      350,  10, 100
gauge01=Korvel_Instr!Clock,         -20, 150, 100
gauge02=Korvel_Instr!Altimeter,     500, 500, 100
gauge03=Korvel_Instr!GPS_Toggle,     10,  10, 19, 19
gauge04=Korvel_Instr!Radios_Toggle,  20,  10, 19, 19
gauge05=Korvel_Instr!Fuel_Toggle,   100, 100, 38, 38
gauge06=Korvel_Instr!Compass_Toggle, 125, 100, 19, 19
gauge07=Korvel_Instr!Kneeboard_Toggle, 200, 200, 19, 19
gauge08=Korvel_Instr!ATC_Toggle,    217, 200, 19, 19
gauge09=Korvel_Instr!Accelerometer, 250, 150, 100, 100

[Window01]
size_mm=400,300
ident=50
gauge00=Korvel_Instr!Throttle_Toggle, 10, 10, 19, 19
gauge01=Korvel_Instr!Turn_Coordinator, 100, 100, 100
)";
    const auto findings = check(host, cfg);
    expect_warnings(
        findings, line_of(cfg, "Airspeed"),
        {{"Airspeed at 350,10, 100 by 100, reaches past the right edge of [Window00] \"Main\" (MAIN_PANEL), "
          "which is 400 by 300"}});
    expect_warnings(findings, line_of(cfg, "Clock"), {{"reaches past the left edge"}});
    expect_warnings(findings, line_of(cfg, "Altimeter"), {{"lies outside [Window00]", "it is not seen"}});

    // Areas 3 to 16 of each button, ten units apart.
    expect_warnings(
        findings, line_of(cfg, "Radios_Toggle"),
        {{"click areas of Radios_Toggle overlap those of GPS_Toggle (line " +
          std::to_string(line_of(cfg, "GPS_Toggle")) + ") in [Window00] \"Main\" (MAIN_PANEL) at 23,13, 3 by 13"}});
    // The Fuel button drawn twice its size has its area at 106 to 132:
    // the Compass button's, at 128 to 141, overlaps it only through the scale.
    expect_warnings(findings, line_of(cfg, "Compass_Toggle"),
                    {{"overlap those of Fuel_Toggle (line " + std::to_string(line_of(cfg, "Fuel_Toggle")) + ")",
                      "at 128,106, 4 by 10"}});
    // Boxes that overlap where neither has a click area.
    expect_warnings(findings, line_of(cfg, "ATC_Toggle"), {});
    expect_warnings(findings, line_of(cfg, "Accelerometer"), {});
    // The same places in another window are no overlap.
    expect_warnings(findings, line_of(cfg, "Throttle_Toggle"), {});
    EXPECT_EQ(count_of(findings, Severity::warning), 5u) << listing(findings);
}

// Where a gauge takes clicks, from its own records: the first click area's box.
PixelBox first_click_area(const char* gauge) {
    Host probe;
    return probe.place(gauge).mouse().children().front().area.box;
}

TEST(PanelCheck, NamesAGaugeDrawnOverAnothersClickAreasAndOneStretchedOutOfShape) {
    const PixelBox baro = first_click_area("Altimeter"), cage = first_click_area("Attitude");
    std::optional<korvel::host::GaugeSize> radio;
    {
        Host probe;
        radio = probe.place("Radio_COM").size();
    }
    ASSERT_TRUE(radio);
    Host host;
    const auto at = [](int x, int y) { return std::to_string(x) + ", " + std::to_string(y); };
    // The vertical speed indicator and the airspeed indicator take no clicks;
    // each is drawn where the other gauge has its knob.
    const std::string cfg = R"([Window Titles]
Window00=Main

[Window00]
size_mm=2048,1024
ident=MAIN_PANEL
gauge00=Korvel_Instr!Altimeter,        100, 100
gauge01=Korvel_Instr!Vertical_Speed,   )" +
                            at(100 + baro.x, 100 + baro.y) + R"(
gauge02=Korvel_Instr!Airspeed,         )" +
                            at(600 + cage.x, 100 + cage.y) + R"(
gauge03=Korvel_Instr!Attitude,         600, 100
gauge04=Korvel_Instr!Clock,             50, 500, 100
gauge05=Korvel_Instr!Invisible_Toggle,  80, 530, 38, 38, tMAIN_PANEL
gauge06=Korvel_Instr!Turbine_Temp,     120, 520, 100
gauge07=Korvel_Instr!Radio_COM,        400, 450, 271, 269
gauge08=Korvel_Instr!Clock,            800, 450, 150, 170
)";
    const auto findings = check(host, cfg);
    expect_warnings(findings, line_of(cfg, "Vertical_Speed"),
                    {{"Vertical_Speed and Altimeter (line " + std::to_string(line_of(cfg, "Altimeter")) +
                          ") in [Window00] \"Main\" (MAIN_PANEL) at " + std::to_string(100 + baro.x) + "," +
                          std::to_string(100 + baro.y),
                      "are drawn over each other, and there Altimeter takes clicks at " + std::to_string(100 + baro.x) +
                          "," + std::to_string(100 + baro.y) + ", ",
                      "a click on what the pilot sees may reach the hidden one"}});
    // The later line carries it, whichever of the two takes the clicks.
    expect_warnings(findings, line_of(cfg, "Airspeed"), {});
    expect_warnings(
        findings, line_of(cfg, "Attitude"),
        {{"Attitude and Airspeed (line " + std::to_string(line_of(cfg, "Airspeed")) + ")",
          "there Attitude takes clicks at " + std::to_string(600 + cage.x) + "," + std::to_string(100 + cage.y)}});
    // The invisible button lies over the clock on purpose; two dials that
    // take no clicks may share a bezel's width.
    expect_warnings(findings, line_of(cfg, "Invisible_Toggle"), {});
    expect_warnings(findings, line_of(cfg, "Turbine_Temp"), {});

    const long kept = std::lround(271.0 * radio->height / radio->width);
    expect_warnings(findings, line_of(cfg, "Radio_COM"),
                    {{"Radio_COM at 271 by 269 is stretched out of its own proportions, " +
                          std::to_string(radio->width) + " by " + std::to_string(radio->height),
                      "give the width alone to keep them (a height of " + std::to_string(kept) + ")"}});
    expect_warnings(findings, line_of(cfg, "Clock,            800"), {});
}

TEST(PanelCheck, ACleanPanelGetsItsNotesAndNoWarning) {
    Host host;
    const std::string cfg = panel(R"(
[Window00]
gauge00=Korvel_Instr!Airspeed,        20, 300, 100, 100
gauge01=Korvel_Instr!Altimeter,      130, 300, 100, 100
gauge02=Korvel_Instr!Radios_Toggle,   10,  10,  19,  19, tRADIO_STACK_PANEL // the radios
gauge03=Korvel_Instr!GPS_Toggle,      40,  10,  19,  19, t225 hTOGGLE_GPS_WINDOW
gauge04=Korvel_Instr!Compass_Toggle,  70,  10,  19,  19, o75 aCOMPASS_PANEL
gauge05=Korvel_Instr!Registration,    10, 700, 150,  25, tF-AB_12 r255g0b0
gauge06=Korvel_Instr!Elec_Board,     300, 500
gauge07=Cessna!Clock,                 500, 300, 100

[Window01]
gauge00=Korvel_Instr!Radio_COM, 0, 0, 400
)");
    const auto findings = check(host, cfg);
    EXPECT_EQ(count_of(findings, Severity::warning), 0u) << listing(findings);
    EXPECT_EQ(count_of(findings, Severity::error), 0u) << listing(findings);
    EXPECT_EQ(count_of(findings, Severity::note), 4u) << "one for each button and the plate\n" << listing(findings);
    EXPECT_NE(note_on(findings, line_of(cfg, "tF-AB_12"))
                  .find("the plate shows \"F-AB 12\" in the font \"Arial\", colour 255,0,0"),
              std::string::npos);
}

TEST(PanelCheck, KeepsTheReadersAndTheFilesFindingsWithItsOwnInLineOrder) {
    Host host;
    const std::string cfg = R"([Window Titles]
Window00=Main

[Window00]
file=no_such_background.bmp
size_mm=400,300
ident=MAIN_PANEL
gauge00=Korvel_Instr!GPS_Toggle, 10, 10, 19, 19, tgps_panel
gauge01=Korvel_Instr!Airspeedo, 10, 10
gauge02=Korvel_Instr!Airspeed, x, 10, 100
gauge03=Korvel_Instr!Airspeed, 350, 10, 100
)";
    const auto findings = check(host, cfg, KORVEL_SOURCE_DIR "/tests/native");
    ASSERT_FALSE(findings.empty());
    EXPECT_TRUE(std::is_sorted(findings.begin(), findings.end(), [](const Problem& a, const Problem& b) {
        return a.line < b.line;
    })) << listing(findings);
    expect_warnings(findings, line_of(cfg, "file="), {{"no_such_background.bmp is not beside the panel.cfg"}});
    EXPECT_EQ(on_line(findings, line_of(cfg, "Airspeedo"), Severity::error).size(), 1u) << listing(findings);
    EXPECT_EQ(on_line(findings, line_of(cfg, "x, 10"), Severity::error).size(), 1u) << listing(findings);
    expect_warnings(findings, line_of(cfg, "tgps_panel"), {{"capitals only"}});
    expect_warnings(findings, line_of(cfg, "350, 10"), {{"reaches past the right edge"}});
    // On a line, what is wrong comes before what it does.
    const int button = line_of(cfg, "tgps_panel");
    const auto first =
        std::find_if(findings.begin(), findings.end(), [&](const Problem& p) { return p.line == button; });
    EXPECT_EQ(first->severity, Severity::warning);
}

}  // namespace
