// The live panel's API as a script sees it: requests that do what the host
// does, and every bad request refused with a message before it reaches the
// module.
#include <gtest/gtest.h>
#include <httplib.h>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <chrono>
#include <fstream>
#include <map>
#include <mutex>
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
    korvel::live::Server server;
    int port = 0;
    std::thread thread;

    explicit Served(korvel::live::LiveOptions options = {}, korvel::live::ServerOptions server_options = {})
        : panel(source(), std::move(options)), server(panel, std::move(server_options)) {
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
    // clang-format off
    const json request = {{"gauge", "Radio_COM"},
                          {"x", knob["box"][0].get<int>() + knob["box"][2].get<int>() / 2},
                          {"y", knob["box"][1].get<int>() + knob["box"][3].get<int>() / 2},
                          {"button", "left"}};
    // clang-format on
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
    // clang-format off
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
        {"/api/state", R"({"values":{"61":1}})", 400, "there is no control '61'"},
        {"/api/state", R"({"values":{"airspeed":"fast"}})", 400, "'airspeed' must be a number"},
        {"/api/state", R"({"values":{"airspeed":99999}})", 400, "'airspeed' (Indicated airspeed) is set from 0 to 600 kt, not 99999"},
        {"/api/state", R"({"values":{"airspeed":-500}})", 400, "from 0 to 600 kt, not -500"},
        {"/api/state", R"({"values":{"altitude":1e9}})", 400, "'altitude' (Altitude) is set from -1000 to 50000 ft"},
        {"/api/state", R"({"values":{"com1":121.81}})", 400, "takes channels 25 kHz apart, not 121.81 MHz"},
        {"/api/state", R"({"values":{"transponder":7080}})", 400, "four digits from 0 to 7, not 7080"},
        {"/api/state", R"({"fail":["wings"]})", 400, "no instrument fails by the key 'wings'"},
        {"/api/profile", R"({"action":"rewind"})", 400, "play, pause, seek or load"},
        {"/api/profile", R"({"action":"seek"})", 400, "needs a 'time'"},
        {"/api/profile", R"({"action":"seek","time":-3})", 400, "seconds from 0"},
        {"/api/state", std::string(300 * 1024, ' '), 413, "larger than"},
    };
    // clang-format on
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
                             "/api/bitmap/99999.png", "/api/wave/11.wav", "/host/live/page/main.js"}) {
        const auto r = c.Get(path);
        ASSERT_TRUE(r) << path;
        EXPECT_GE(r->status, 400) << path;
        EXPECT_LT(r->status, 500) << path;
        EXPECT_TRUE(body(r).contains("error")) << path << " -> " << r->body;
    }
    // The module saw none of it: no key event, no click sound, nothing moved.
    const json frame = s.panel.call<json>([](korvel::live::Cockpit& cockpit) {
        return json{{"events", cockpit.host().key_events().size()},
                    {"toggles", cockpit.host().window_toggles().size()}};
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
    r = c.Post("/api/state", R"({"restore":"all","values":{"altitude":12000}})", "application/json");
    EXPECT_EQ(body(r)["failed"], json::array());
    r = c.Post("/api/profile", R"({"action":"load","example":"apron_to_touchdown"})", "application/json");
    ASSERT_EQ(r->status, 200) << r->body;
    EXPECT_GT(body(r)["length"].get<double>(), 300);
    EXPECT_TRUE(body(r)["problems"].empty()) << r->body;
    r = c.Post("/api/profile", R"({"action":"seek","time":275})", "application/json");
    EXPECT_DOUBLE_EQ(body(r)["time"].get<double>(), 275);
    const double cruise =
        s.panel.call<double>([](korvel::live::Cockpit& k) { return k.host().variables().number(74); });
    EXPECT_DOUBLE_EQ(cruise, 12000) << "the profile's cruise altitude";
}

// What a page shows: every gauge, window and reading as its frames left them.
struct PageModel {
    std::map<std::string, json> gauges, windows, values;
    int whole_panels = 0;  // frames that carried every gauge
    std::vector<std::string> faults;

    void apply(const json& frame) {
        if (frame.contains("fault")) faults.push_back(frame["fault"]);
        if (frame.contains("gauges") && frame["gauges"].size() == 58) ++whole_panels;
        for (const char* part : {"gauges", "windows", "values"}) {
            if (!frame.contains(part)) continue;
            auto& into = part[0] == 'g' ? gauges : part[0] == 'w' ? windows : values;
            for (const auto& [key, value] : frame[part].items()) into[key] = value;
        }
    }
    // Reads frames until none comes for `quiet`.
    void read_until_quiet(korvel::live::Watcher& page, std::chrono::milliseconds quiet) {
        const auto give_up = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < give_up) {
            const auto frame = page.next(quiet);
            if (!frame) return;
            apply(json::parse(*frame));
        }
        ADD_FAILURE() << "the frames never stopped coming";
    }
};

TEST(LiveStream, APageThatFellBehindIsSentTheWholePanelAgainAndEndsUpWhole) {
    korvel::live::LiveOptions options;
    options.watcher_queue = 8;  // under half a second of frames
    korvel::live::LivePanel panel(Served::source(), options);
    const auto page = panel.watch();
    PageModel shown;
    shown.read_until_quiet(*page, 300ms);
    ASSERT_EQ(shown.whole_panels, 1) << "a new page starts from the whole panel";

    // The page stops reading while the profile flies its climbing turn at
    // eight times real time: every needle moves at every cycle.
    const auto cycles = [&] { return panel.call<std::uint64_t>([](korvel::live::Cockpit& c) { return c.cycles(); }); };
    panel.call<json>([](korvel::live::Cockpit& c) {
        korvel::live::ProfileRequest r;
        r.action = korvel::live::ProfileAction::seek;
        r.time = 160.0;
        c.profile(r);
        r.action = korvel::live::ProfileAction::play;
        r.speed = 8.0;
        return c.profile(r);
    });
    // Three times as many cycles as the queue holds frames, however slow the machine.
    for (const std::uint64_t start = cycles(); cycles() < start + 3 * options.watcher_queue;)
        std::this_thread::sleep_for(50ms);
    panel.call<json>([](korvel::live::Cockpit& c) {
        korvel::live::ProfileRequest r;
        r.action = korvel::live::ProfileAction::pause;
        return c.profile(r);
    });

    shown.read_until_quiet(*page, 600ms);
    EXPECT_GE(shown.whole_panels, 2) << "the page that fell behind was sent the whole panel again";
    const json now = panel.call<json>([](korvel::live::Cockpit& c) { return c.full_frame(); });
    for (const auto& [name, picture] : now["gauges"].items())
        EXPECT_EQ(shown.gauges[name], picture) << name << " shows a stale picture";
    for (const auto& [window, visible] : now["windows"].items()) EXPECT_EQ(shown.windows[window], visible) << window;
    for (const auto& [control, value] : now["values"].items()) EXPECT_EQ(shown.values[control], value) << control;
}

TEST(LiveStream, AFaultOfTheHostIsReportedAndThePanelGoesOn) {
    std::mutex log_mutex;
    std::vector<std::string> log;
    korvel::live::LiveOptions options;
    options.log = [&](const std::string& line) {
        std::lock_guard lock(log_mutex);
        log.push_back(line);
    };
    Served s(options);
    const auto logged = [&](const std::string& words) {
        std::lock_guard lock(log_mutex);
        return std::any_of(log.begin(), log.end(),
                           [&](const std::string& l) { return l.find(words) != std::string::npos; });
    };
    // The host fails on a click of the COM radio and on every update of the airspeed indicator.
    s.panel.call<int>([](korvel::live::Cockpit& c) {
        c.host().set_probe([](std::string_view step, const korvel::host::PlacedGauge& g) {
            if ((step == "mouse" && g.name() == "Radio_COM") || (step == "update" && g.name() == "Airspeed"))
                throw std::runtime_error("injected fault");
        });
        return 0;
    });
    const auto page = s.panel.watch();
    httplib::Client c = s.client();

    // A fault in a request's job answers that request.
    const auto click = c.Post("/api/click", R"({"gauge":"Radio_COM","x":270,"y":20})", "application/json");
    ASSERT_TRUE(click);
    EXPECT_EQ(click->status, 500);
    EXPECT_EQ(body(click)["error"], "the host failed on this request: a click on Radio_COM: injected fault");
    EXPECT_TRUE(logged("POST /api/click failed: a click on Radio_COM: injected fault"));

    // A fault in the cycle: the log and the pages are told once, while the
    // requests that come meanwhile are answered.
    PageModel shown;
    shown.read_until_quiet(*page, 300ms);
    ASSERT_EQ(shown.faults.size(), 1u) << "a fault that comes back every cycle is told once";
    EXPECT_NE(shown.faults[0].find("failed: the update: the update of Airspeed: injected fault"), std::string::npos)
        << shown.faults[0];
    EXPECT_TRUE(logged("the update of Airspeed: injected fault"));
    const auto state = c.Post("/api/state", R"({"values":{"airspeed":250}})", "application/json");
    ASSERT_TRUE(state);
    EXPECT_EQ(state->status, 200) << state->body;
    const auto tooltip = c.Get("/api/tooltip?gauge=Radio_COM&x=100&y=20");
    ASSERT_TRUE(tooltip);
    EXPECT_EQ(tooltip->status, 200) << tooltip->body;

    // Once the host works again, the cycles carry the airspeed it missed.
    s.panel.call<int>([](korvel::live::Cockpit& k) {
        k.host().set_probe(nullptr);
        return 0;
    });
    shown.read_until_quiet(*page, 300ms);
    const json now = s.panel.call<json>([](korvel::live::Cockpit& k) { return k.full_frame(); });
    EXPECT_EQ(shown.gauges["Airspeed"], now["gauges"]["Airspeed"]);
    EXPECT_EQ(shown.values["airspeed"], 250);
    const auto after = c.Post("/api/click", R"({"gauge":"Radio_COM","x":270,"y":20})", "application/json");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->status, 200) << after->body;
}

// A request written byte for byte, as another page or a rebinding name would
// send it; answers with the status and the body.
std::pair<int, json> raw_request(int port, const std::string& request) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return {0, json()};
    }
    ::send(fd, request.data(), request.size(), 0);
    std::string answer;
    char buffer[4096];
    for (ssize_t n; (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;) answer.append(buffer, std::size_t(n));
    ::close(fd);
    const auto space = answer.find(' ');
    const auto body_at = answer.find("\r\n\r\n");
    if (space == std::string::npos || body_at == std::string::npos) return {0, json()};
    return {std::atoi(answer.c_str() + space + 1), json::parse(answer.substr(body_at + 4), nullptr, false)};
}

TEST(LiveApi, ThePanelAnswersOnlyItsOwnNamesAndItsOwnPages) {
    Served s({}, {{"Cockpit.LAN"}});
    const std::string port = std::to_string(s.port);
    const std::string state = R"({"values":{"airspeed":321}})";
    const auto post = [&](const std::string& host, const std::string& origin, const std::string& type) {
        std::string r = "POST /api/state HTTP/1.1\r\nHost: " + host + "\r\n";
        if (!origin.empty()) r += "Origin: " + origin + "\r\n";
        if (!type.empty()) r += "Content-Type: " + type + "\r\n";
        return raw_request(
            s.port, r + "Content-Length: " + std::to_string(state.size()) + "\r\nConnection: close\r\n\r\n" + state);
    };
    const auto get = [&](const std::string& path, const std::string& host) {
        return raw_request(s.port, "GET " + path + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n");
    };
    const auto airspeed = [&] {
        return s.panel.call<double>([](korvel::live::Cockpit& c) { return c.host().variables().number(61); });
    };
    const double before = airspeed();

    struct Refused {
        std::pair<int, json> answer;
        int status;
        const char* words;
    };
    // clang-format off
    const Refused refused[] = {
        {post("127.0.0.1:" + port, "http://evil.example", "text/plain"), 403, "not from the origin 'http://evil.example'"},
        {post("127.0.0.1:" + port, "http://evil.example", "application/json"), 403, "only from its own pages"},
        {post("127.0.0.1:" + port, "null", "application/json"), 403, "not from the origin 'null'"},
        {post("127.0.0.1:" + port, "http://127.0.0.1:1", "application/json"), 403, "only from its own pages"},
        {post("127.0.0.1:" + port, "", "text/plain"), 415, "as application/json, not as 'text/plain'"},
        {post("127.0.0.1:" + port, "", ""), 415, "as application/json"},
        {post("127.0.0.1:" + port, "", "application/jsonx"), 415, "as application/json"},
        {post("evil.example:" + port, "http://evil.example:" + port, "application/json"), 403, "not to the host 'evil.example:"},
        {get("/", "evil.example"), 403, "--allow-host evil.example"},
        {get("/api/panel", "evil.example:" + port), 403, "its own addresses only"},
        {get("/api/events", "localhost.evil.example:" + port), 403, "its own addresses only"},
        {get("/api/panel", "127.0.0.1.evil.example"), 403, "its own addresses only"},
        {raw_request(s.port, "GET /api/panel HTTP/1.0\r\n\r\n"), 400, "names no Host"},
    };
    // clang-format on
    for (const Refused& r : refused) {
        EXPECT_EQ(r.answer.first, r.status) << r.words << " -> " << r.answer.second.dump();
        ASSERT_TRUE(r.answer.second.is_object()) << r.words;
        EXPECT_NE(r.answer.second.value("error", "").find(r.words), std::string::npos)
            << r.words << " -> " << r.answer.second.dump();
    }
    EXPECT_EQ(airspeed(), before) << "a refused request reached the host";

    // Its own pages, by either loopback name, by address and by the names it was given.
    for (const std::string& host : {"127.0.0.1:" + port, "localhost:" + port, "LocalHost:" + port}) {
        EXPECT_EQ(post(host, "http://" + host, "application/json").first, 200) << host;
        EXPECT_EQ(post(host, "", "application/json; charset=utf-8").first, 200) << host;
    }
    for (const std::string& host : {"192.168.1.20:" + port, "[::1]:" + port, "cockpit.lan:" + port,
                                    std::string("COCKPIT.lan"), "panel.localhost:" + port})
        EXPECT_EQ(get("/api/panel", host).first, 200) << host;
    EXPECT_EQ(airspeed(), 321);
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
    EXPECT_EQ(lines, (std::vector<int>{1, 2, 4, 5, 6}))
        << "before any 'at', not starting at 0, going back, no time, no token";

    const auto shipped = korvel::live::read_profile(read_example("profiles/apron_to_touchdown.profile"));
    for (const auto& problem : shipped.problems) ADD_FAILURE() << problem.line << ": " << problem.message;
    EXPECT_DOUBLE_EQ(korvel::live::profile_values(shipped, shipped.length()).at(74), 460) << "it ends on the runway";
}

}  // namespace
