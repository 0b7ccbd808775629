// The editor on the live panel: the checker in processes of its own, the
// panel placed again after an edit with the flight going on, and the API,
// which refuses every editing request without --edit and writes nothing.
#include <gtest/gtest.h>
#include <httplib.h>

#include <nlohmann/json.hpp>

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "host/core/failures.h"
#include "host/live/check_process.h"
#include "host/live/cockpit.h"
#include "host/live/controls.h"
#include "host/live/editor.h"
#include "host/live/live_panel.h"
#include "host/live/server.h"
#include "host/panel/checker.h"
#include "tests/native/test_files.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using test_files::read_bytes;
using test_files::source_file;
using namespace std::chrono_literals;

// The sample panel with another module's gauge, copied into a folder of the test's own.
struct Copy {
    std::string folder = (fs::temp_directory_path() / ("korvel-edit-" + std::to_string(::getpid()))).string();
    std::string path = folder + "/panel.cfg";
    std::string bytes;
    Copy() {
        fs::create_directories(folder);
        bytes = source_file("examples/panel.cfg");
        const std::string other = "gauge42=Other_Maker!Clock, 940, 470, 60, 60 ; theirs\n";
        bytes.insert(bytes.find("\n", bytes.find("gauge41=")) + 1, other);
        std::ofstream(path, std::ios::binary) << bytes;
    }
    ~Copy() { fs::remove_all(folder); }
    korvel::live::PanelSource source(bool editing) const {
        korvel::live::PanelSource s;
        s.panel_file = path;
        s.panel_text = bytes;
        s.panel_folder = folder;
        s.state_text = source_file("examples/states/apron.flt");
        s.editing = editing;
        return s;
    }
};

TEST(CheckProcess, FindsWhatTheCheckerFindsInAHostOfItsOwnAndOutlivesAHungOrCrashedCheck) {
    korvel::live::CheckProcess checker;
    korvel::live::CheckProcess hung(200ms, [](const std::string&, const std::string&) -> json {
        for (;;) ::pause();
    });
    korvel::live::CheckProcess crashing(5s, [](const std::string&, const std::string&) -> json { std::abort(); });
    const std::string text = source_file("tests/data/check/messy_panel.cfg");
    const korvel::live::CheckResult found = checker.check(text, "");
    ASSERT_EQ(found.error, "");

    // The same check in this process, whose host comes after the checker's processes.
    korvel::host::Host host;
    const auto config = korvel::panel::read_panel_config(text, korvel::panel::module_gauges(host));
    const auto expected = korvel::panel::check_panel(host, config, "");
    ASSERT_EQ(found.findings.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(found.findings[i]["line"], expected[i].line);
        EXPECT_EQ(found.findings[i]["message"], expected[i].message);
    }
    EXPECT_THROW(korvel::live::CheckProcess(), std::logic_error) << "a host of this process would be in the child";

    for (int i = 0; i < 2; ++i) {
        const auto late = hung.check(text, "");
        EXPECT_NE(late.error.find("took longer than 200 ms"), std::string::npos) << late.error;
        EXPECT_TRUE(late.findings.empty());
    }
    EXPECT_NE(crashing.check(text, "").error.find("stopped with signal " + std::to_string(SIGABRT)), std::string::npos);
    EXPECT_EQ(checker.check(text, "").findings, found.findings) << "the checker's process goes on";
}

TEST(LiveEdit, PlacingAgainKeepsTheFlightAndTheWindowsAsThePilotLeftThem) {
    Copy copy;
    korvel::live::Cockpit cockpit(copy.source(true));
    korvel::host::Host& host = cockpit.host();
    // The pilot's flight: a reading set, an instrument failed, a window
    // closed that the file opens.
    const korvel::live::Control& airspeed = korvel::live::controls().front();
    host.variables().set(airspeed.token, 123.0);
    const std::uint32_t failed = korvel::host::failure_keys[0].key;
    host.fail(failed);
    const auto& windows = cockpit.editor()->config().windows;
    ASSERT_TRUE(windows.size() >= 3 && windows[1].visible && windows[2].visible);
    const std::int32_t closed = windows[1].ident, edited = windows[2].ident;
    const std::string edited_section = windows[2].section;
    host.windows().close(closed);

    const json before = cockpit.panel();
    const auto moved = korvel::live::decode_edit(R"({"gauge": "Window00/gauge01", "x": 44, "y": 66})");
    auto change = cockpit.editor()->change(std::get<korvel::live::EditRequest>(moved));
    cockpit.editor()->commit(std::move(std::get<korvel::live::Change>(change)));
    cockpit.place_again(cockpit.editor()->config());

    EXPECT_EQ(cockpit.placement(), 1U);
    EXPECT_EQ(host.variables().number(airspeed.token), 123.0);
    EXPECT_TRUE(host.failed(failed));
    EXPECT_EQ(host.windows().visible(closed), false);
    EXPECT_EQ(host.windows().visible(edited), true);
    const json after = cockpit.panel();
    int lines = 0;
    for (const json& w : after["windows"]) {
        for (const json& g : w["gauges"]) {
            ASSERT_TRUE(g.contains("line")) << g["name"];
            ++lines;
            if (g["line"]["key"] == "gauge01" && w["section"] == "Window00") {
                EXPECT_EQ(g["box"][0], 44);
            }
        }
        for (const json& o : w["others"]) EXPECT_EQ(o["line"]["key"], "gauge42");
    }
    EXPECT_EQ(lines, int(cockpit.catalogue().gauges().size()));
    EXPECT_EQ(after["windows"], [&] {
        json w = before["windows"];
        w[0]["gauges"][1]["box"][0] = 44;
        w[0]["gauges"][1]["box"][1] = 66;
        return w;
    }()) << "nothing else of the layout moved";
    EXPECT_EQ(cockpit.full_frame()["panel"]["placement"], 1) << "pages lay the panel out from the whole frame";

    // A window's visible= edited: the file's new word wins; then the pilot's
    // hand wins again over an edit that leaves the word as it is.
    const auto edit = [&](const std::string& body) {
        auto c = cockpit.editor()->change(std::get<korvel::live::EditRequest>(korvel::live::decode_edit(body)));
        cockpit.editor()->commit(std::move(std::get<korvel::live::Change>(c)));
        cockpit.place_again(cockpit.editor()->config());
    };
    edit(R"({"window": ")" + edited_section + R"(", "visible": false})");
    EXPECT_EQ(host.windows().visible(edited), false);
    EXPECT_EQ(host.windows().visible(closed), false);
    host.windows().open(edited);
    edit(R"({"gauge": "Window00/gauge01", "x": 45})");
    EXPECT_EQ(host.windows().visible(edited), true);
    EXPECT_EQ(cockpit.full_frame()["gauges"].size(), cockpit.catalogue().gauges().size());

    // A click checked against the panel before an edit took its gauge away
    // is refused, not a fault of the host.
    edit(R"({"remove": "Window01/gauge05"})");
    korvel::live::ClickRequest click;
    click.gauge = "Radio_IFF";
    EXPECT_TRUE(cockpit.click(click).contains("error"));
    korvel::live::TooltipRequest tip;
    tip.gauge = "Radio_IFF";
    EXPECT_TRUE(cockpit.tooltip(tip).contains("error"));
}

TEST(LiveEdit, AnEditEndsAHoldAndMeasuresThePlateAgainThatItTakesAwayOrBrings) {
    Copy copy;
    korvel::live::Cockpit cockpit(copy.source(true));
    const auto edit = [&](const std::string& body) {
        auto c = cockpit.editor()->change(std::get<korvel::live::EditRequest>(korvel::live::decode_edit(body)));
        cockpit.editor()->commit(std::move(std::get<korvel::live::Change>(c)));
        cockpit.place_again(cockpit.editor()->config());
    };
    const auto registration = [&](const std::string& body) {
        return cockpit.set_state(std::get<korvel::live::StateRequest>(korvel::live::decode_state(body)));
    };
    const auto com = [&] { return cockpit.full_frame()["values"]["com1"].get<double>(); };

    // The COM radio's frequency knob held by a page, then the panel edited:
    // the gauge that held it is gone, and the new one is not held.
    const auto press = korvel::live::decode_click(
        R"({"gauge": "Radio_COM", "x": 205, "y": 60, "action": "press", "page": 1})", cockpit.catalogue());
    ASSERT_TRUE(cockpit.click(std::get<korvel::live::ClickRequest>(press))["taken"].get<bool>());
    for (int i = 0; i < 20; ++i) cockpit.cycle();
    edit(R"({"gauge": "Window00/gauge01", "x": 44})");
    const double after_edit = com();
    for (int i = 0; i < 20; ++i) {
        cockpit.heartbeat(1);
        cockpit.cycle();
    }
    EXPECT_EQ(com(), after_edit) << "the knob steps on after an edit placed the panel again";
    EXPECT_FALSE(cockpit.heartbeat(1)["holds"].get<bool>());

    // The plate shows 7 characters; without a plate nothing is cut, and a
    // plate added back is measured again.
    const std::string ten = R"({"atc_id": "F-ABCDEFGH"})";
    EXPECT_TRUE(registration(ten).contains("error"));
    edit(R"({"remove": "Window00/gauge40"})");
    ASSERT_EQ(cockpit.catalogue().find("Registration"), nullptr);
    EXPECT_FALSE(registration(ten).contains("error")) << "a registration refused for a plate the panel no longer has";
    edit(R"({"add": "Registration", "window": "Window00", "x": 780, "y": 510, "width": 150})");
    const json refused = registration(ten);
    ASSERT_TRUE(refused.contains("error")) << "the plate added back takes a registration it would cut";
    EXPECT_NE(refused["error"].get<std::string>().find("would be cut after 'F-ABCDE'"), std::string::npos);
}

// The copy served, with or without --edit, for the test's length.
struct Served {
    Copy copy;
    std::shared_ptr<korvel::live::CheckProcess> checker;
    std::unique_ptr<korvel::live::LivePanel> panel;
    std::unique_ptr<korvel::live::Server> server;
    std::thread thread;
    int port = 0;
    explicit Served(bool editing) {
        if (editing) checker = std::make_shared<korvel::live::CheckProcess>();
        panel = std::make_unique<korvel::live::LivePanel>(copy.source(editing));
        server = std::make_unique<korvel::live::Server>(
            *panel, korvel::live::ServerOptions{{}, korvel::live::EditOptions{editing, checker}});
        port = server->bind("127.0.0.1", 19100 + int(::getpid() % 800), true);
        thread = std::thread([this] { server->listen(); });
    }
    ~Served() {
        server->stop();
        thread.join();
    }
    std::pair<int, json> post(const std::string& path, const std::string& body) {
        httplib::Client c("127.0.0.1", port);
        const auto r = c.Post(path, body, "application/json");
        return r ? std::pair{r->status, json::parse(r->body, nullptr, false)} : std::pair{0, json()};
    }
    std::pair<int, json> get(const std::string& path) {
        httplib::Client c("127.0.0.1", port);
        const auto r = c.Get(path);
        return r ? std::pair{r->status, json::parse(r->body, nullptr, false)} : std::pair{0, json()};
    }
};

TEST(LiveEditApi, WithoutEditEveryEditingRequestIsRefusedAndNothingIsWritten) {
    Served s(false);
    for (const auto& [path, body] :
         std::vector<std::pair<std::string, std::string>>{{"/api/edit", R"({"gauge": "Window00/gauge01", "x": 1})"},
                                                          {"/api/undo", "{}"},
                                                          {"/api/redo", "{}"},
                                                          {"/api/save", "{}"}}) {
        const auto [status, answer] = s.post(path, body);
        EXPECT_EQ(status, 403) << path;
        EXPECT_NE(answer["error"].get<std::string>().find("--edit"), std::string::npos) << path;
    }
    EXPECT_EQ(s.get("/api/config").first, 403);
    EXPECT_FALSE(s.get("/api/panel").second.contains("editing"));
    EXPECT_EQ(read_bytes(s.copy.path), s.copy.bytes);
    EXPECT_FALSE(fs::exists(s.copy.path + ".bak"));
}

TEST(LiveEditApi, AnEditAnswersItsLinesAndFindingsAndBadOnesChangeNothing) {
    Served s(true);
    const json panel = s.get("/api/panel").second;
    ASSERT_TRUE(panel["editing"]);
    const auto [status, answer] = s.post("/api/edit", R"({"gauge": "Window00/gauge42", "x": 900, "width": 80})");
    ASSERT_EQ(status, 200) << answer;
    const auto at = s.copy.bytes.find("gauge42=");
    const int line = int(std::count(s.copy.bytes.begin(), s.copy.bytes.begin() + long(at), '\n')) + 1;
    EXPECT_EQ(answer["lines"],
              json::array({{{"number", line}, {"text", "gauge42=Other_Maker!Clock, 900, 470, 80, 60 ; theirs"}}}));
    EXPECT_EQ(answer["removed"].size(), 1U);
    EXPECT_EQ(answer["line"]["number"], line);
    ASSERT_TRUE(answer["findings"].is_array());
    EXPECT_FALSE(answer["findings"].empty()) << "the sample's buttons are explained";
    EXPECT_EQ(answer["undo"], 1);

    const json after = s.get("/api/panel").second;
    EXPECT_EQ(after["placement"], 1);
    EXPECT_EQ(after["windows"][0]["others"][0]["box"], json::array({900, 470, 80, 60}));

    struct Bad {
        const char* path;
        const char* body;
        int status;
    };
    for (const Bad& b :
         {Bad{"/api/edit", R"({"gauge": "Window00/gauge77", "x": 1})", 404},
          Bad{"/api/edit", R"({"gauge": "Window00/gauge01", "width": -4})", 400},
          Bad{"/api/edit", R"({"add": "Clock", "window": "Window42", "x": 1, "y": 1})", 404},
          Bad{"/api/save", R"({"path": "/tmp/korvel-elsewhere.cfg"})", 400}, Bad{"/api/redo", "{}", 409}}) {
        const auto [code, refusal] = s.post(b.path, b.body);
        EXPECT_EQ(code, b.status) << b.body << ": " << refusal;
        EXPECT_EQ(s.get("/api/panel").second["placement"], 1) << b.body;
    }
    EXPECT_FALSE(fs::exists("/tmp/korvel-elsewhere.cfg"));
    EXPECT_EQ(read_bytes(s.copy.path), s.copy.bytes) << "nothing is written before a save";

    // Requests are checked against the panel as the edit left it.
    ASSERT_EQ(s.post("/api/edit", R"({"remove": "Window01/gauge05"})").first, 200);
    EXPECT_EQ(s.post("/api/click", R"({"gauge": "Radio_IFF", "x": 5, "y": 5})").first, 404);

    const auto [saved, done] = s.post("/api/save", "{}");
    ASSERT_EQ(saved, 200) << done;
    EXPECT_EQ(read_bytes(s.copy.path + ".bak"), s.copy.bytes);
    EXPECT_EQ(s.get("/api/config").second["text"], read_bytes(s.copy.path));
    EXPECT_FALSE(s.get("/api/config").second["unsaved"]);
}

}  // namespace
