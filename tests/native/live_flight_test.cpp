// The live panel as a pilot flies it: a flight state that replaces the
// flight, a profile that moves handles and positions as an aircraft does,
// the pilot's signs and units, the plate's text, a hold that ends with its
// page, and what the host says where the simulator would speak.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "host/core/host.h"
#include "host/live/cockpit.h"
#include "host/live/live_panel.h"
#include "host/live/profile.h"
#include "host/live/requests.h"
#include "host/panel/checker.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"

namespace {

using korvel::live::Cockpit;
using nlohmann::json;

std::string read_example(const std::string& name) {
    std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/examples/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

korvel::live::PanelSource sample() {
    korvel::live::PanelSource s;
    s.panel_file = "panel.cfg";
    s.panel_text = read_example("panel.cfg");
    s.state_text = read_example("states/apron.flt");
    for (const char* name : {"parked", "cruise", "engine_fire", "ils_approach", "pitot_static_climb"})
        s.examples.emplace_back(name, read_example(std::string("states/") + name + ".flt"));
    s.profiles = {{"apron_to_touchdown", read_example("profiles/apron_to_touchdown.profile")}};
    return s;
}

template <typename T>
T decoded(const korvel::live::Decoded<T>& d) {
    if (const auto* r = std::get_if<korvel::live::Refusal>(&d)) ADD_FAILURE() << r->message;
    return std::get<T>(d);
}

json state(Cockpit& c, const std::string& body) {
    json answer = c.set_state(decoded(korvel::live::decode_state(body)));
    for (int i = 0; i < 3; ++i) c.cycle();
    return answer;
}

json click(Cockpit& c, const std::string& body) {
    return c.click(decoded(korvel::live::decode_click(body, c.catalogue())));
}

json profile(Cockpit& c, const std::string& body) { return c.profile(decoded(korvel::live::decode_profile(body))); }

json shown(Cockpit& c, const std::string& gauge) { return c.full_frame()["gauges"][gauge]; }

// The first item of a display list that draws the bitmap.
json item_of(const json& picture, int bitmap) {
    for (const json& item : picture["items"])
        if (item.value("img", -1) == bitmap) return item;
    ADD_FAILURE() << "no item draws bitmap " << bitmap << ": " << picture.dump().substr(0, 300);
    return json();
}

TEST(LiveFlight, AStateLoadedIsTheWholeFlightAndTheModuleKeepsItsOwnFlags) {
    Cockpit c(sample());
    // Each state after another is as that state alone: what the one before
    // set and the other leaves alone does not stay underneath.
    state(c, R"({"example": "ils_approach"})");
    state(c, R"({"example": "parked"})");
    const json parked = c.full_frame()["values"];
    EXPECT_EQ(parked["airspeed"], 0) << "parked shows the approach's speed";
    EXPECT_EQ(parked["vertical_speed"], 0) << "parked shows the approach's descent";
    EXPECT_EQ(parked["flaps"], 0);

    state(c, R"({"example": "cruise"})");
    const json fire_out = shown(c, "Fire_Light");
    state(c, R"({"example": "engine_fire"})");
    EXPECT_NE(shown(c, "Fire_Light"), fire_out) << "the engine fire lights the fire light";
    state(c, R"({"example": "cruise"})");
    EXPECT_EQ(shown(c, "Fire_Light"), fire_out) << "the fire light stays lit in cruise";

    EXPECT_EQ(state(c, R"({"example": "pitot_static_climb"})")["failed"], json::array({3}));
    EXPECT_EQ(state(c, R"({"example": "cruise"})")["failed"], json::array()) << "the failure outlives its state";
    const json cruise_airspeed = shown(c, "Airspeed");
    state(c, R"({"fail": ["pitot_static"], "example": "cruise"})");
    EXPECT_NE(shown(c, "Airspeed"), cruise_airspeed) << "a failure sent with the state applies on top of it";

    // The panel is placed again: a window closed from the panel opens as
    // panel.cfg has it.
    state(c, R"({"restore": "all", "example": "cruise"})");
    EXPECT_TRUE(c.full_frame()["windows"]["radio_stack_panel"].get<bool>());
    click(c, R"({"gauge": "Radios_Toggle", "x": 5, "y": 5})");
    c.cycle();
    ASSERT_FALSE(c.full_frame()["windows"]["radio_stack_panel"].get<bool>()) << "the button closes the radio stack";
    // The unit switch is the module's, kept across a panel reload as in the
    // simulator: the metric faces stay.
    const json imperial = shown(c, "Turn_Coordinator");
    click(c, R"({"gauge": "Turn_Coordinator", "x": 120, "y": 120})");
    c.cycle();
    const json metric = shown(c, "Turn_Coordinator");
    ASSERT_NE(metric, imperial) << "the unit switch shows the metric face";
    state(c, R"({"example": "cruise"})");
    EXPECT_TRUE(c.full_frame()["windows"]["radio_stack_panel"].get<bool>()) << "the panel was not placed again";
    EXPECT_EQ(shown(c, "Turn_Coordinator"), metric) << "the module's unit flag did not survive the reload";
}

TEST(LiveProfile, HandlesStepAndPositionsRunAtTheirRateAndStopAtTheSetting) {
    using korvel::live::profile_values;
    // Battery and brakes are a switch and a handle; 61 a flight value; gear
    // (332), flaps (330) and speed brake (326) positions.
    const auto p = korvel::live::read_profile(
        "at 0\n364 = 0\n320 = 0\n61 = 0\n332 = 16383\n330 = 0\n326 = 0\n"
        "at 10\n364 = 1\n320 = 16000\n61 = 100\n332 = 0\n330 = 16383\n326 = 16383\n"
        "at 12\n332 = 16383\n"
        "at 30\n364 = 0\n");
    ASSERT_TRUE(p.problems.empty());
    const auto at = [&](double t, std::uint32_t token) { return profile_values(p, t).at(token); };
    const double full = 16383;
    struct Case {
        double time;
        std::uint32_t token;
        double value;
    };
    // clang-format off
    const Case cases[] = {
        {5, 364, 0}, {9.99, 364, 0}, {10, 364, 1}, {29, 364, 1}, {30, 364, 0},  // a switch steps
        {5, 320, 0}, {10, 320, 16000},                                        // so do the brakes
        {5, 61, 50},                                                          // a flight value glides
        {11, 330, full / 4}, {13, 330, full * 3 / 4}, {14, 330, full}, {20, 330, full},  // flaps: 4 s and stop
        {11, 326, full / 2}, {12, 326, full}, {25, 326, full},                  // speed brake: 2 s
    };
    // clang-format on
    for (const Case& k : cases) {
        EXPECT_NEAR(at(k.time, k.token), k.value, 0.01) << "token " << k.token << " at " << k.time << " s";
    }
    // The gear runs up for 2 s (a third of its travel), then back down from
    // there when the handle goes down again, and stops when down.
    EXPECT_NEAR(at(11, 332), full * 5 / 6, 0.01);
    EXPECT_NEAR(at(12, 332), full * 4 / 6, 0.01);
    EXPECT_NEAR(at(13, 332), full * 5 / 6, 0.01);
    EXPECT_NEAR(at(14, 332), full, 0.01);
    EXPECT_NEAR(at(20, 332), full, 0.01);

    // The shipped profile: every switch and handle between its keyframes is
    // at one of its settings; the gear is down and locked until the climb,
    // and gear and flaps are up in cruise.
    const auto shipped = korvel::live::read_profile(read_example("profiles/apron_to_touchdown.profile"));
    ASSERT_TRUE(shipped.problems.empty());
    for (const std::uint32_t token : {364u, 565u, 740u, 14u, 13u, 563u, 620u, 320u, 321u}) {
        std::set<double> settings;
        for (const auto& [t, v] : shipped.tracks.at(token)) settings.insert(v);
        for (double t = 0; t <= shipped.length(); t += 0.25) {
            const auto v = profile_values(shipped, t);
            if (v.count(token) == 0) continue;
            EXPECT_EQ(settings.count(v.at(token)), 1u) << "token " << token << " at " << t;
        }
    }
    for (double t = 0; t <= 120; t += 0.5)
        for (const std::uint32_t leg : {332u, 333u, 334u})
            EXPECT_EQ(profile_values(shipped, t).at(leg), full) << "leg " << leg << " not down at " << t << " s";
    for (double t = 280; t <= 300; t += 0.5) {
        const auto v = profile_values(shipped, t);
        EXPECT_EQ(v.at(332) + v.at(333) + v.at(334), 0) << "gear not up in cruise at " << t << " s";
        EXPECT_EQ(v.at(330), 0) << "flaps not up in cruise at " << t << " s";
    }
}

TEST(LiveProfile, TheShippedRightTurnShowsTheRightWingDownWhileTheHeadingIncreases) {
    Cockpit c(sample());
    profile(c, R"({"action": "load", "example": "apron_to_touchdown"})");
    double heading = -1;
    for (const double t : {170.0, 180.0, 190.0}) {
        profile(c, R"({"action": "seek", "time": )" + std::to_string(t) + "}");
        c.cycle();
        const json frame = c.full_frame();
        const json& values = frame["values"];
        EXPECT_GT(values["bank"].get<double>(), 20) << "a right bank reads positive at " << t << " s";
        EXPECT_NEAR(values["turn_rate"].get<double>(), 3, 0.01) << "a standard-rate right turn at " << t << " s";
        EXPECT_GT(values["magnetic_heading"].get<double>(), heading) << "the heading does not increase at " << t;
        heading = values["magnetic_heading"].get<double>();
        // The horizon bar as the pilot sees it in a right bank: its left
        // end below its right end (the screen's y grows downwards).
        const json bar = item_of(frame["gauges"]["Attitude"], 2010);
        EXPECT_LT(bar["m"][1].get<double>(), 0) << "the horizon bar's left end is not the lower: " << bar.dump();
        // The bank pointer at the foot of the dial turns with the bar, to
        // the right of straight down.
        const json pointer = item_of(frame["gauges"]["Attitude"], 2020);
        EXPECT_GT(pointer["m"][0].get<double>(), 0) << pointer.dump();
        EXPECT_GT(pointer["m"][1].get<double>(), 0) << pointer.dump();
    }
}

TEST(LiveControls, AStandardRateTurnPutsTheNeedleOnItsTwoMinuteMark) {
    Cockpit c(sample());
    // The needle's pivot and the face's 2 MIN marks, where its table ends.
    const double pivot_x = 118, pivot_y = 194;
    struct Case {
        double rate;  // °/s, right positive
        double mark_x, mark_y;
    };
    for (const Case k : {Case{3, 147, 48}, Case{-3, 89, 48}}) {
        state(c, R"({"values": {"turn_rate": )" + std::to_string(k.rate) + "}}");
        EXPECT_DOUBLE_EQ(c.full_frame()["values"]["turn_rate"].get<double>(), k.rate);
        const json needle = item_of(shown(c, "Turn_Coordinator"), 1030);
        const double drawn = std::atan2(needle["m"][1].get<double>(), needle["m"][0].get<double>());
        const double mark = std::atan2(k.mark_y - pivot_y, k.mark_x - pivot_x);
        EXPECT_NEAR(drawn * 180 / M_PI, mark * 180 / M_PI, 0.5) << "a turn of " << k.rate << " °/s";
    }
}

TEST(LiveFlight, ThePlateShowsThePagesTextAsTypedAndRefusesWhatItCannotShow) {
    Cockpit c(sample());
    state(c, R"({"atc_id": "Ð-ÉÀ"})");
    const json plate = shown(c, "Registration");
    bool found = false;
    for (const json& item : plate["items"]) found = found || item.value("text", "") == "Ð-ÉÀ";
    EXPECT_TRUE(found) << plate.dump();

    const auto refused = korvel::live::decode_state(R"({"atc_id": "F-中国"})");
    ASSERT_TRUE(std::holds_alternative<korvel::live::Refusal>(refused));
    EXPECT_NE(std::get<korvel::live::Refusal>(refused).message.find("not '中' (U+4E2D)"), std::string::npos)
        << std::get<korvel::live::Refusal>(refused).message;
    const json long_one = c.set_state(decoded(korvel::live::decode_state(R"({"atc_id": "F-ABCDEFGH"})")));
    EXPECT_EQ(long_one.value("error", ""),
              "the registration plate shows 7 characters: 'F-ABCDEFGH' would be cut after 'F-ABCDE'");
}

TEST(LiveHolds, AHoldEndsWithItsPageAndNoOtherPageLetsItGo) {
    Cockpit c(sample());
    const auto com = [&] { return c.full_frame()["values"]["com1"].get<double>(); };
    // Cycles of the host, page 1 saying it is there three times a second or not.
    const auto run = [&](int cycles, bool beating) {
        for (int i = 1; i <= cycles; ++i) {
            if (beating && i % 6 == 0) c.heartbeat(1);
            c.cycle();
        }
    };
    const auto stepping = [&](bool beating) {
        const double before = com();
        run(6, beating);
        return com() != before;
    };
    // The COM radio's frequency knob, held by page 1.
    const std::string press = R"({"gauge": "Radio_COM", "x": 205, "y": 60, "action": "press", "page": 1})";
    ASSERT_TRUE(click(c, press)["taken"].get<bool>());
    run(10, true);
    EXPECT_TRUE(stepping(true)) << "the held knob does not repeat";
    EXPECT_FALSE(click(c, R"({"gauge": "Radio_COM", "x": 0, "y": 0, "action": "release", "page": 2})")["taken"]);
    EXPECT_TRUE(stepping(true)) << "another page let go of page 1's knob";
    // Heartbeats keep it held; without them it is let go within a second.
    run(3 * korvel::live::cycles_per_second, true);
    EXPECT_TRUE(c.heartbeat(1)["holds"].get<bool>());
    EXPECT_TRUE(stepping(true)) << "a page that beats lost its hold";
    run(korvel::live::cycles_per_second + 1, false);
    EXPECT_FALSE(stepping(false)) << "the knob steps on after its page's heartbeat stopped";
    EXPECT_FALSE(c.heartbeat(1)["holds"].get<bool>());

    // A page whose stream closes lets go at once.
    ASSERT_TRUE(click(c, press)["taken"].get<bool>());
    run(10, true);
    ASSERT_TRUE(stepping(true));
    c.page_gone(1);
    EXPECT_FALSE(stepping(true)) << "the knob steps on after its page went";
    // A script's press (no page) is held until it lets go itself.
    click(c, R"({"gauge": "Radio_COM", "x": 205, "y": 60, "action": "press"})");
    run(3 * korvel::live::cycles_per_second, false);
    EXPECT_TRUE(stepping(false));
    EXPECT_TRUE(click(c, R"({"gauge": "Radio_COM", "x": 0, "y": 0, "action": "release"})")["taken"].get<bool>());
    EXPECT_FALSE(stepping(false));
}

TEST(LiveHolds, AWatcherForgottenLetsGoOfWhatItsPageHeld) {
    korvel::live::LivePanel panel(sample());
    const auto page = panel.watch();
    const std::string press =
        R"({"gauge": "Radio_COM", "x": 205, "y": 60, "action": "press", "page": )" + std::to_string(page->page()) + "}";
    const auto held = [&] { return panel.call<bool>([](Cockpit& c) { return c.host().held() != nullptr; }); };
    panel.call<json>([&](Cockpit& c) { return click(c, press); });
    ASSERT_TRUE(held());
    EXPECT_NE(panel.watch()->page(), page->page()) << "two pages share a number";
    panel.forget(page);
    EXPECT_FALSE(held()) << "the stream of the page closed and its hold stayed";
}

TEST(LiveTooltips, EveryTooltipOfTheSamplePanelNamesWhatItShows) {
    Cockpit c(sample());
    std::set<std::string> texts;
    const korvel::live::Catalogue catalogue = c.catalogue();
    for (const korvel::live::GaugeName& g : catalogue.gauges())
        for (std::int32_t y = 0; y < g.size.height; y += 4)
            for (std::int32_t x = 0; x < g.size.width; x += 4) {
                const json tip = c.tooltip({g.name, x, y});
                if (!tip["shown"].get<bool>()) continue;
                const std::string text = tip.value("text", "");
                EXPECT_FALSE(text.empty()) << g.name << " at " << x << ", " << y;
                EXPECT_EQ(text.find("Help text"), std::string::npos) << g.name << " at " << x << ", " << y;
                EXPECT_EQ(text.find("help text"), std::string::npos)
                    << g.name << " at " << x << ", " << y << ": " << text;
                if (tip.contains("help_id")) texts.insert(text);
            }
    EXPECT_EQ(texts.count("Airspeed indicator (help 0x3002)"), 1u);
    EXPECT_EQ(texts.count("Altimeter barometric setting knob (help 0x3053)"), 1u);
    EXPECT_EQ(texts.count("Throttle (help 0x31A0)"), 1u);
    EXPECT_EQ(texts.count("Show or hide the radio stack (help 0xAB86)"), 1u);
}

// The checker's findings on the sample panel's line that places a gauge.
std::vector<std::string> checker_says(const std::string& gauge) {
    korvel::host::Host scratch;
    const auto config =
        korvel::panel::read_panel_config(read_example("panel.cfg"), korvel::panel::module_gauges(scratch));
    int line = 0;
    for (const auto& w : config.windows)
        for (const auto& g : w.gauges)
            if (g.gauge == gauge) line = g.line;
    std::vector<std::string> out;
    for (const auto& p : korvel::panel::check_panel(scratch, config, {}))
        if (p.line == line) out.push_back(p.message);
    return out;
}

TEST(LiveButtons, AButtonThatOpensNothingHereSaysWhatTheSimulatorWouldDoInTheCheckersWords) {
    // The checker's findings first: the live panel's host is the one host of the process.
    const auto gps_line = checker_says("GPS_Toggle");
    const auto atc_line = checker_says("ATC_Toggle");
    Cockpit c(sample());
    const json gps = click(c, R"({"gauge": "GPS_Toggle", "x": 5, "y": 5})");
    ASSERT_TRUE(gps.contains("note")) << gps.dump();
    EXPECT_NE(std::find(gps_line.begin(), gps_line.end(), gps["note"].get<std::string>()), gps_line.end())
        << gps["note"] << " is not among the checker's words for the GPS button";
    const json atc = click(c, R"({"gauge": "ATC_Toggle", "x": 5, "y": 5})");
    ASSERT_TRUE(atc.contains("note")) << atc.dump();
    const std::string note = atc["note"];
    EXPECT_EQ(note, "in the simulator, the click sends event 0x1001C (the ATC window)");
    bool said = false;
    for (const std::string& s : atc_line)
        said = said || s.find(note.substr(note.find("click") + 6)) != std::string::npos;
    EXPECT_TRUE(said) << "the checker words the ATC button otherwise";
    // Buttons and switches that this host carries out say nothing.
    EXPECT_FALSE(click(c, R"({"gauge": "Radios_Toggle", "x": 5, "y": 5})").contains("note"));
    EXPECT_FALSE(click(c, R"({"gauge": "Radio_COM", "x": 270, "y": 20})").contains("note"));
}

}  // namespace
