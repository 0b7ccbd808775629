// The editor's model of a panel.cfg: an edit rewrites only its lines, a
// refused one changes nothing, undo and redo walk the history, and saving
// writes the file it was started with, byte for byte where nothing was
// edited, keeping the old one as .bak and refusing a file changed on disk.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/core/cp1252.h"
#include "host/core/host.h"
#include "host/live/edit_requests.h"
#include "host/live/editor.h"
#include "host/panel/panel_session.h"
#include "tests/native/test_files.h"

namespace {

namespace fs = std::filesystem;
using korvel::live::Change;
using korvel::live::Editor;
using korvel::live::EditRequest;
using korvel::live::Refusal;
using test_files::read_bytes;
using test_files::source_file;

void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Windows-1252 titles, CRLF, comments, a module in a folder, another
// module, an unknown section and key, a virtual cockpit, no final line end.
const std::string messy =
    "// a panel for the Korvel jet\r\n"
    "[Window Titles]\r\n"
    "Window00=Tableau de bord \xC9l\xE8ve\r\n"
    "\r\n"
    "[Window00]\r\n"
    "size_mm=640,400 // wide\r\n"
    "ident=MAIN_PANEL\r\n"
    "gauge00=Sub\\Korvel_Instr!Airspeed,      20, 30, 140, 140\r\n"
    "gauge01 = Other!Thing , 300, 30, 60, 60 ; not ours\r\n"
    "gauge02=Korvel_Instr!Radios_Toggle, 200, 200, 24, 24, t50 // the stack\r\n"
    "gauge03=Korvel_Instr!Nothing_Of_Ours, 1, 2\r\n"
    "gauge04=Korvel_Instr!Clock, 400, 20\r\n"
    "unknown_key = kept\r\n"
    "\r\n"
    "[Window01]\r\n"
    "size_mm=350,140\r\n"
    "gauge00=Korvel_Instr!Radio_COM, 0, 0, 350\r\n"
    "\r\n"
    "[Vcockpit01]\r\n"
    "texture00=$Panel\r\n"
    "gauge00=Korvel_Instr!Altimeter, 0, 0, 256, 256\r\n"
    "[Something Else]\r\n"
    "whatever=1";

// A folder of the test's own, gone with it.
struct Folder {
    std::string path = (fs::temp_directory_path() / ("korvel-editor-" + std::to_string(::getpid()))).string();
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string file(const std::string& name) const { return path + "/" + name; }
};

EditRequest decoded(const std::string& body) {
    const auto d = korvel::live::decode_edit(body);
    if (const auto* r = std::get_if<Refusal>(&d)) ADD_FAILURE() << body << ": " << r->message;
    return std::get_if<EditRequest>(&d) != nullptr ? std::get<EditRequest>(d) : EditRequest{};
}

// An edit made, or its refusal's status (0 when it was made).
int edit_with(Editor& editor, const std::string& body) {
    auto change = editor.change(decoded(body));
    if (const auto* r = std::get_if<Refusal>(&change)) return r->status;
    editor.commit(std::move(std::get<Change>(change)));
    return 0;
}

std::vector<int> changed_lines(const std::string& before, const std::string& after) {
    const auto d = korvel::live::diff_lines(korvel::panel::PanelDocument(before), korvel::panel::PanelDocument(after));
    std::vector<int> out;
    for (std::size_t i = 0; i < std::max(d.removed.size(), d.inserted.size()); ++i) out.push_back(d.at + int(i));
    return out;
}

struct EditorTest : ::testing::Test {
    korvel::host::Host host;
    Folder folder;
    Editor open(const std::string& bytes) {
        write_bytes(folder.file("panel.cfg"), bytes);
        return Editor(folder.file("panel.cfg"), bytes, korvel::panel::module_gauges(host));
    }
};

TEST_F(EditorTest, SavingWithoutEditsWritesTheSameBytesAndAMoveChangesOneLine) {
    for (const std::string& bytes : {source_file("examples/panel.cfg"), source_file("examples/retrofit/panel.cfg"),
                                     source_file("tests/data/check/messy_panel.cfg"), messy}) {
        Editor editor = open(bytes);
        ASSERT_EQ(editor.save(), std::nullopt);
        EXPECT_EQ(read_bytes(folder.file("panel.cfg")), bytes);
        EXPECT_EQ(read_bytes(folder.file("panel.cfg.bak")), bytes);
        // Every gauge line the panel reads, ours or another module's, moved
        // one by one: each changes its own line and no other.
        const auto config = editor.config();  // each edit reads the file anew
        for (const auto& w : config.windows)
            for (const auto* lines : {&w.gauges, &w.others})
                for (const auto& g : *lines) {
                    const std::string before = editor.text();
                    ASSERT_EQ(edit_with(editor, R"({"gauge": ")" + w.section + "/" + g.key + R"(", "x": )" +
                                                    std::to_string(g.x + 7) + "}"),
                              0);
                    EXPECT_EQ(changed_lines(before, editor.text()), std::vector<int>{g.line}) << g.key;
                }
        EXPECT_FALSE(editor.document().text().empty());
        EXPECT_EQ(read_bytes(folder.file("panel.cfg")), bytes) << "nothing is written before a save";
    }
}

TEST_F(EditorTest, AddedLinesFollowTheWindowsLastGaugeAndRemovedOnesCloseTheGap) {
    Editor editor = open(messy);
    ASSERT_EQ(edit_with(editor, R"({"add": "clock", "window": "window00", "x": 5, "y": 6, "parameters": "t50"})"), 0);
    const auto at = editor.document().find("Window00", "gauge05");
    ASSERT_EQ(at, 13) << "after gauge04, the window's last";
    EXPECT_EQ(editor.document().line(13), "gauge05=Sub\\Korvel_Instr!Clock, 5, 6,,, t50")
        << "the module as the file names it, the gauge as the module spells it";
    EXPECT_EQ(changed_lines(messy, editor.text()), std::vector<int>{13});

    ASSERT_EQ(edit_with(editor, R"({"remove": "Window00/gauge01"})"), 0);
    EXPECT_EQ(editor.document().line(9), "gauge01=Korvel_Instr!Radios_Toggle, 200, 200, 24, 24, t50 // the stack");
    EXPECT_EQ(editor.document().line(12), "gauge04=Sub\\Korvel_Instr!Clock, 5, 6,,, t50");
    EXPECT_EQ(editor.document().find("Window01", "gauge00"), 17) << "the next window's keys stay";
    EXPECT_EQ(changed_lines(messy, editor.text()), (std::vector<int>{9, 10, 11, 12}));
}

TEST_F(EditorTest, WindowKeysKeepTheirSpacingAndCommentsAndTitlesGoToTheirSection) {
    Editor editor = open(messy);
    ASSERT_EQ(edit_with(editor, R"({"window": "Window00", "size_mm": [700, 420], "visible": false, "position": 3,
                               "ident": "GPS_PANEL", "title": "Cockpit \u00e9cole"})"),
              0);
    const auto& doc = editor.document();
    EXPECT_EQ(doc.line(6), "size_mm=700,420 // wide");
    EXPECT_EQ(doc.line(7), "ident=GPS_PANEL");
    EXPECT_EQ(doc.value("Window00", "visible"), "0");
    EXPECT_EQ(doc.value("Window00", "position"), "3");
    EXPECT_EQ(doc.line(3),
              "Window00=Cockpit \xE9"
              "cole")
        << "Windows-1252 in the file";
    ASSERT_EQ(editor.config().windows.front().ident, 225);
    EXPECT_EQ(edit_with(editor, R"({"window": "Vcockpit01", "position": 1})"), 400) << "a texture has no position";
    EXPECT_EQ(edit_with(editor, R"({"window": "Vcockpit01", "size_mm": 300})"), 0);
}

TEST_F(EditorTest, RefusedEditsChangeNothingAndUndoAndRedoWalkTheHistory) {
    Editor editor = open(messy);
    struct Case {
        const char* body;
        int status;
    };
    const Case refused[] = {
        {R"({"gauge": "Window00/gauge09", "x": 1})", 404},        // no such line
        {R"({"gauge": "Window07/gauge00", "x": 1})", 404},        // no such window
        {R"({"gauge": "Window00/gauge03", "x": 1})", 422},        // a line the panel cannot place
        {R"({"gauge": "Window00/gauge04", "height": 30})", 400},  // a height without a width
        {R"({"add": "Airspeedo", "window": "Window00", "x": 0, "y": 0})", 404},
        {R"({"add": "Clock", "window": "Window09", "x": 0, "y": 0})", 404},
        {R"({"remove": "Window00/gauge77"})", 404},
        {R"({"window": "Window Titles", "visible": true})", 404},  // a section but no window
    };
    for (const Case& c : refused) {
        EXPECT_EQ(edit_with(editor, c.body), c.status) << c.body;
        EXPECT_EQ(editor.text(), messy) << c.body;
    }
    EXPECT_EQ(editor.undos(), 0U);
    EXPECT_FALSE(editor.undo());

    std::vector<std::string> texts{editor.text()};
    for (const char* body : {R"({"gauge": "Window00/gauge00", "x": 1})", R"({"remove": "Window00/gauge04"})",
                             R"({"gauge": "Window00/gauge02", "parameters": ""})"}) {
        ASSERT_EQ(edit_with(editor, body), 0) << body;
        texts.push_back(editor.text());
    }
    EXPECT_EQ(editor.document().line(10), "gauge02=Korvel_Instr!Radios_Toggle, 200, 200, 24, 24")
        << "parameters taken away, comment and all";
    for (int i = 2; i >= 0; --i) {
        ASSERT_TRUE(editor.undo());
        EXPECT_EQ(editor.text(), texts[std::size_t(i)]);
    }
    EXPECT_FALSE(editor.unsaved());
    ASSERT_TRUE(editor.redo());
    EXPECT_EQ(editor.text(), texts[1]);
    ASSERT_EQ(edit_with(editor, R"({"gauge": "Window01/gauge00", "y": 5})"), 0);
    EXPECT_FALSE(editor.redo()) << "a new edit ends what could be redone";
}

TEST_F(EditorTest, SaveKeepsABackupAndRefusesAFileChangedOnDisk) {
    Editor editor = open(messy);
    ASSERT_EQ(edit_with(editor, R"({"gauge": "Window00/gauge00", "x": 21})"), 0);
    EXPECT_TRUE(editor.unsaved());
    ASSERT_EQ(editor.save(), std::nullopt);
    EXPECT_EQ(read_bytes(folder.file("panel.cfg")), editor.text());
    EXPECT_EQ(read_bytes(folder.file("panel.cfg.bak")), messy);
    EXPECT_FALSE(editor.unsaved());

    ASSERT_EQ(edit_with(editor, R"({"gauge": "Window00/gauge00", "x": 22})"), 0);
    const std::string theirs = read_bytes(folder.file("panel.cfg")) + "\r\n; theirs";
    write_bytes(folder.file("panel.cfg"), theirs);
    const auto refused = editor.save();
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("changed on disk"), std::string::npos) << *refused;
    EXPECT_EQ(read_bytes(folder.file("panel.cfg")), theirs);
    EXPECT_EQ(read_bytes(folder.file("panel.cfg.bak")), messy) << "the backup is not touched either";
    EXPECT_TRUE(editor.unsaved());
}

TEST(EditRequests, BadBodiesAreRefusedWithTheirStatusAndGoodOnesReadAsTheFileWillHoldThem) {
    struct Case {
        const char* body;
        int status;
        const char* says;
    };
    const Case refused[] = {
        {R"({"gauge": "Window00/gauge01", "width": -3})", 400, "'width' must be above 0"},
        {R"({"gauge": "Window00/gauge01", "height": 0})", 400, "'height' must be above 0"},
        {R"({"gauge": "Window00/gauge01", "x": 1.5})", 400, "whole number"},
        {R"({"gauge": "Window00/gauge01", "x": 100001})", 400, "within 100000"},
        {R"({"gauge": "Window00/gauge01"})", 400, "changes nothing"},
        {R"({"gauge": "Window00", "x": 1})", 400, "SECTION/gaugeNN"},
        {R"({"gauge": "Window00/ident", "x": 1})", 400, "SECTION/gaugeNN"},
        {R"({"gauge": "Win]dow00/gauge01", "x": 1})", 400, "names no section"},
        {R"({"gauge": "Window00/gauge01", "x": 1, "path": "/etc/passwd"})", 400, "unknown field 'path'"},
        {R"({"gauge": "Window00/gauge01", "parameters": "t50\nfile=x"})", 400, "one line"},
        {R"({"gauge": "Window00/gauge01", "parameters": "\u2713"})", 400, "Windows-1252"},
        {R"({"add": "Clock", "window": "Window00", "x": 1})", 400, "needs 'x' and 'y'"},
        {R"({"add": "Clock", "window": "Window00", "x": 1, "y": 2, "height": 4})", 400, "needs a width"},
        {R"({"window": "Window00", "ident": "NOT_A_PANEL"})", 400, "window name of the simulator"},
        {R"({"window": "Window00", "position": 9})", 400, "0 to 8"},
        {R"({"window": "Window00", "size_mm": [0, 4]})", 400, "above 0"},
        {R"({"window": "Window00", "visible": "yes"})", 400, "true or false"},
        {R"({"remove": "Window00/gauge01", "x": 3})", 400, "unknown field 'x'"},
        {R"({"x": 3})", 400, "names a 'gauge'"},
        {R"([1])", 400, "JSON object"},
        {R"({"gauge": )", 400, "not JSON"},
    };
    for (const Case& c : refused) {
        const auto d = korvel::live::decode_edit(c.body);
        const auto* r = std::get_if<Refusal>(&d);
        ASSERT_NE(r, nullptr) << c.body;
        EXPECT_EQ(r->status, c.status) << c.body;
        EXPECT_NE(r->message.find(c.says), std::string::npos) << c.body << ": " << r->message;
    }
    EXPECT_TRUE(std::holds_alternative<Refusal>(korvel::live::decode_nothing(R"({"path": "/tmp/elsewhere.cfg"})")))
        << "a save names no path";
    EXPECT_TRUE(std::holds_alternative<bool>(korvel::live::decode_nothing("{}")));

    const auto edit = std::get<korvel::live::GaugeEdit>(
        decoded(R"({"gauge": "Window00/GAUGE07", "width": null, "parameters": "t\u00c9 // \u20ac"})").edit);
    EXPECT_EQ(edit.gauge.key, "GAUGE07");
    ASSERT_TRUE(edit.width);
    EXPECT_FALSE(*edit.width) << "null gives the gauge its own size back";
    EXPECT_EQ(edit.parameters, "t\xC9 // \x80");
}

TEST(Cp1252, EveryCharacterOfTheCodePageGoesBackToItsByteAndNothingElseDoes) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) all += char(b);
    const korvel::host::Cp1252 back = korvel::host::cp1252_from_utf8(korvel::host::utf8_from_cp1252(all));
    EXPECT_EQ(back.refusal, "");
    EXPECT_EQ(back.text, all);
    for (const char* bad : {"\xE2\x9C\x93", "\xC3", "\xC0\x80", "\xFF", "\xEF\xBF\xBD"})
        EXPECT_NE(korvel::host::cp1252_from_utf8(bad).refusal, "") << bad;
}

}  // namespace
