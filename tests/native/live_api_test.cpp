// The live panel's API as a script sees it: requests that do what the host
// does, and every bad request refused with a message before it reaches the
// module.
#include <gtest/gtest.h>
#include <httplib.h>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "host/live/live_panel.h"
#include "host/live/profile.h"
#include "host/live/server.h"

namespace {

using nlohmann::json;
using namespace std::chrono_literals;

std::string read_example(const std::string& name) {
    std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/examples/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The sample panel, served on a port of its own for the test's length.
struct Served {
    korvel::live::LivePanel panel;
    korvel::live::Server server{panel};
    int port = 0;
    std::thread thread;

    Served() : panel(source()) {
        port = server.bind("127.0.0.1", 18900 + int(::getpid() % 1000), true);
        EXPECT_NE(port, 0);
        thread = std::thread([this] { server.listen(); });
    }
    ~Served() {
        server.stop();
        thread.join();
    }
    static korvel::live::PanelSource source() {
        korvel::live::PanelSource s;
        s.panel_file = "panel.cfg";
        s.panel_text = read_example("panel.cfg");
        s.state_text = read_example("states/apron.flt");
        s.examples = {{"cruise", read_example("states/cruise.flt")}};
        s.profiles = {{"apron_to_touchdown", read_example("profiles/apron_to_touchdown.profile")}};
        return s;
    }
    httplib::Client client() const {
        httplib::Client c("127.0.0.1", port);
        c.set_read_timeout(5, 0);
        return c;
    }
    // The next frame of an event stream that carries `key`, within a few seconds.
    json frame_with(const std::string& key) const {
        json found;
        httplib::Client c = client();
        std::string buffer;
        c.Get("/api/events", [&](const char* data, std::size_t length) {
            buffer.append(data, length);
            for (std::size_t end; (end = buffer.find("\n\n")) != std::string::npos; buffer.erase(0, end + 2)) {
                if (buffer.compare(0, 6, "data: ") != 0) continue;
                json frame = json::parse(buffer.substr(6, end - 6));
                if (frame.contains(key)) {
                    found = std::move(frame);
                    return false;
                }
            }
            return true;
        });
        return found;
    }
};

json body(const httplib::Result& r) { return r ? json::parse(r->body, nullptr, false) : json(); }

TEST(LiveApi, AClickTunesTheRadioAndTheTooltipReadsTheNewFrequency) {
    Served s;
    httplib::Client c = s.client();
    const auto before = c.Get("/api/tooltip?gauge=Radio_COM&x=100&y=20");
    ASSERT_TRUE(before);
    EXPECT_EQ(body(before)["text"], "Communications Radio COM1 - 121.800 MHz");
    // The knob's halves show the up and down arrows; up steps 25 kHz up.
    const json panel = body(c.Get("/api/panel"));
    json knob;
    for (const json& w : panel["windows"])
        for (const json& g : w["gauges"])
            if (g["name"] == "Radio_COM")
                for (const json& area : g["areas"])
                    if (area["cursor"] == "n-resize") knob = area;
    ASSERT_FALSE(knob.is_null());
    const json request = {{"gauge", "Radio_COM"},
                          {"x", knob["box"][0].get<int>() + knob["box"][2].get<int>() / 2},
                          {"y", knob["box"][1].get<int>() + knob["box"][3].get<int>() / 2},
                          {"button", "left"}};
    const auto click = c.Post("/api/click", request.dump(), "application/json");
    ASSERT_TRUE(click);
    EXPECT_EQ(click->status, 200) << click->body;
    std::this_thread::sleep_for(150ms);  // the next update cycle reads the new word
    const json after = body(c.Get("/api/tooltip?gauge=Radio_COM&x=100&y=20"));
    EXPECT_EQ(after["text"], "Communications Radio COM1 - 121.825 MHz") << "the knob stepped one channel up";
}

TEST(LiveApi, BadRequestsAreRefusedWithAMessageAndNeverReachTheModule) {
    Served s;
    httplib::Client c = s.client();
    struct Case {
        const char* path;
        std::string body;
        int status;
        const char* words;
    };
    const Case cases[] = {
        {"/api/click", "{", 400, "not JSON"},
        {"/api/click", "[1,2]", 400, "JSON object"},
        {"/api/click", R"({"gauge":"Radio_XYZ","x":1,"y":1})", 404, "no gauge 'Radio_XYZ'"},
        {"/api/click", R"({"gauge":"Radio_COM","x":1,"y":1,"force":true})", 400, "unknown field 'force'"},
        {"/api/click", R"({"gauge":"Radio_COM","x":-1,"y":1})", 400, "outside Radio_COM"},
        {"/api/click", R"({"gauge":"Radio_COM","x":1,"y":99999})", 400, "outside Radio_COM"},
        {"/api/click", R"({"gauge":"Radio_COM","x":1.5,"y":1})", 400, "whole number"},
        {"/api/click", R"({"gauge":"Radio_COM","x":4294967296,"y":1})", 400, "out of range"},
        {"/api/click", R"({"gauge":"Radio_COM","x":1,"y":1,"button":"middle"})", 400, "left or right"},
        {"/api/click", R"({"gauge":"Radio_COM","y":1})", 400, "'x' is missing"},
        {"/api/state", R"({"values":{"5000":1}})", 400, "no simulator variable has token 5000"},
        {"/api/state", R"({"values":{"61":"fast"}})", 400, "must be a number"},
        {"/api/state", R"({"fail":["wings"]})", 400, "no instrument fails by the key 'wings'"},
        {"/api/profile", R"({"action":"rewind"})", 400, "play, pause, seek or load"},
        {"/api/profile", R"({"action":"seek"})", 400, "needs a 'time'"},
        {"/api/profile", R"({"action":"seek","time":-3})", 400, "seconds from 0"},
        {"/api/state", std::string(300 * 1024, ' '), 413, "larger than"},
    };
    for (const Case& k : cases) {
        const auto r = c.Post(k.path, k.body, "application/json");
        ASSERT_TRUE(r) << k.path << " " << k.body.substr(0, 60);
        EXPECT_EQ(r->status, k.status) << k.body.substr(0, 60) << " -> " << r->body;
        EXPECT_NE(body(r)["error"].get<std::string>().find(k.words), std::string::npos)
            << k.body.substr(0, 60) << " -> " << r->body;
    }
    for (const char* path : {"/api/tooltip?gauge=Radio_COM&x=1", "/api/tooltip?gauge=Radio_COM&x=1&y=z",
                             "/api/tooltip?gauge=Radio_COM&x=1&y=1&z=2", "/api/tooltip?gauge=Nope&x=1&y=1",
                             "/api/tooltip?gauge=Radio_COM&x=1000&y=1", "/../../etc/passwd", "/api/gauge/Nope.png",
                             "/api/bitmap/99999.png", "/api/wave/11.wav", "/host/live/page/app.js"}) {
        const auto r = c.Get(path);
        ASSERT_TRUE(r) << path;
        EXPECT_GE(r->status, 400) << path;
        EXPECT_LT(r->status, 500) << path;
        EXPECT_TRUE(body(r).contains("error")) << path << " -> " << r->body;
    }
    // The module saw none of it: no key event, no click sound, nothing moved.
    const json frame = s.panel.call<json>([](korvel::live::Cockpit& cockpit) {
        return json{{"events", cockpit.host().key_events().size()}, {"toggles", cockpit.host().window_toggles().size()}};
    });
    EXPECT_EQ(frame["events"], 0u);
    EXPECT_EQ(frame["toggles"], 0u);
}

TEST(LiveApi, TheStreamStartsWithTheWholePanelAndThenCarriesOnlyWhatChanged) {
    Served s;
    const json first = s.frame_with("gauges");
    ASSERT_TRUE(first.is_object());
    EXPECT_EQ(first["gauges"].size(), 58u) << "a new page gets every gauge";
    EXPECT_TRUE(first["windows"]["radio_stack_panel"].get<bool>());

    // An idle panel: the cycles go on, nothing changes, nothing is sent.
    const json idle = s.panel.call<json>([](korvel::live::Cockpit& c) {
        c.full_frame();
        std::size_t frames = 0;
        for (int i = 0; i < 200; ++i) frames += c.cycle().is_null() ? 0 : 1;
        return json(frames);
    });
    EXPECT_EQ(idle, 0u);

    // One variable moves one needle: only the gauges that read it travel.
    const json moved = s.panel.call<json>([](korvel::live::Cockpit& c) {
        c.host().variables().set(61, 250);
        return c.cycle();
    });
    ASSERT_TRUE(moved.contains("gauges"));
    EXPECT_TRUE(moved["gauges"].contains("Airspeed"));
    EXPECT_LE(moved["gauges"].size(), 2u) << moved["gauges"].dump().substr(0, 200);
}

TEST(LiveApi, FailuresAndStatesAndProfilesGoThroughTheHost) {
    Served s;
    httplib::Client c = s.client();
    auto r = c.Post("/api/state", R"({"fail":["pitot_static"]})", "application/json");
    ASSERT_TRUE(r);
    EXPECT_EQ(body(r)["failed"], json::array({3}));
    r = c.Post("/api/state", R"({"example":"cruise"})", "application/json");
    EXPECT_EQ(r->status, 200) << r->body;
    r = c.Post("/api/state", R"({"example":"nowhere"})", "application/json");
    EXPECT_EQ(r->status, 422);
    r = c.Post("/api/state", R"({"restore":"all","values":{"74":12000}})", "application/json");
    EXPECT_EQ(body(r)["failed"], json::array());
    r = c.Post("/api/profile", R"({"action":"load","example":"apron_to_touchdown"})", "application/json");
    ASSERT_EQ(r->status, 200) << r->body;
    EXPECT_GT(body(r)["length"].get<double>(), 300);
    EXPECT_TRUE(body(r)["problems"].empty()) << r->body;
    r = c.Post("/api/profile", R"({"action":"seek","time":275})", "application/json");
    EXPECT_DOUBLE_EQ(body(r)["time"].get<double>(), 275);
    const double cruise = s.panel.call<double>([](korvel::live::Cockpit& k) { return k.host().variables().number(74); });
    EXPECT_DOUBLE_EQ(cruise, 12000) << "the profile's cruise altitude";
}

TEST(LiveProfile, KeyframesGlideNumbersHoldWordsAndReportBadLines) {
    const auto p = korvel::live::read_profile(
        "; a profile\nat 0\n61 = 100\n23 = 0x2180\nat 10\n74 = 1000\nat 20\n61 = 200\n74 = 3000\n23 = 0x1870\n");
    EXPECT_TRUE(p.problems.empty());
    const auto at = [&](double t, std::uint32_t token) { return korvel::live::profile_values(p, t).at(token); };
    EXPECT_DOUBLE_EQ(at(5, 61), 125) << "from its keyframe at 0 to the next that sets it, at 20";
    EXPECT_EQ(korvel::live::profile_values(p, 5).count(74), 0u) << "not set before its first keyframe";
    EXPECT_DOUBLE_EQ(at(15, 74), 2000);
    EXPECT_DOUBLE_EQ(at(19, 23), double(0x2180)) << "a radio word holds until the next keyframe sets it";
    EXPECT_DOUBLE_EQ(at(20, 23), double(0x1870));
    EXPECT_DOUBLE_EQ(at(99, 61), 200) << "beyond the end, the end";

    const auto bad = korvel::live::read_profile("61 = 1\nat 5\n61 = 2\nat 3\nat x\n9999 = 1\n");
    std::vector<int> lines;
    for (const auto& problem : bad.problems) lines.push_back(problem.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 4, 5, 6})) << "before any 'at', not starting at 0, going back, no time, no token";

    const auto shipped = korvel::live::read_profile(read_example("profiles/apron_to_touchdown.profile"));
    for (const auto& problem : shipped.problems) ADD_FAILURE() << problem.line << ": " << problem.message;
    EXPECT_DOUBLE_EQ(korvel::live::profile_values(shipped, shipped.length()).at(74), 460) << "it ends on the runway";
}

}  // namespace
