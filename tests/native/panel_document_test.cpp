// A panel.cfg kept as its designer wrote it: a file nobody edited comes back
// byte for byte, and an edit changes the lines it must and no other.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "host/panel/panel_document.h"
#include "tests/native/test_files.h"

namespace {

using korvel::panel::PanelDocument;
using korvel::panel::with_box;
using korvel::panel::with_parameters;
using test_files::source_file;

// The lines of two texts that differ, by number from 1, taking every line
// after a point where their counts part.
std::vector<int> changed_lines(const std::string& before, const std::string& after) {
    const PanelDocument a(before), b(after);
    std::vector<int> out;
    for (int i = 1; i <= std::max(a.line_count(), b.line_count()); ++i)
        if (i > a.line_count() || i > b.line_count() || a.line(i) != b.line(i)) out.push_back(i);
    return out;
}

// Windows-1252 titles, CRLF, comments of every kind, another module, an
// unknown section and key, a virtual cockpit, and no line end at the end.
const std::string messy =
    "// a panel for the Korvel jet\r\n"
    "[Window Titles]\r\n"
    "Window00=Tableau de bord \xC9l\xE8ve\r\n"
    "Window01=Radios\r\n"
    "\r\n"
    "[Window00]\r\n"
    "file=panel.bmp\r\n"
    "size_mm=1024\r\n"
    "gauge00=Korvel_Instr!Airspeed,      20, 300, 100, 100\r\n"
    "gauge01 = Other!Thing , 5, 6 ; not ours\r\n"
    "gauge02=Korvel_Instr!Radios_Toggle, 10,  10,  19,  19, t50 // the stack\r\n"
    "gauge03=Korvel_Instr!Clock, 400, 20\r\n"
    "unknown_key = kept\r\n"
    "\r\n"
    "[Window01]\r\n"
    "size_mm=350,300\r\n"
    "gauge00=Korvel_Instr!Radio_COM, 0, 0\r\n"
    "gauge01=Korvel_Instr!Radio_NAV1, 0, 130\r\n"
    "\r\n"
    "[Vcockpit01]\r\n"
    "texture=$Panel\r\n"
    "gauge00=Korvel_Instr!Altimeter, 0, 0, 256, 256\r\n"
    "[Something Else]\r\n"
    "whatever=1";

TEST(PanelDocument, AFileNobodyEditedComesBackByteForByte) {
    for (const std::string& text :
         {source_file("examples/panel.cfg"), source_file("examples/retrofit/panel.cfg"),
          source_file("tests/data/check/messy_panel.cfg"), messy, std::string("[Window00]\n\n\n"), std::string(),
          std::string("\n"), std::string("no end"), std::string("\r\n\r\n")}) {
        EXPECT_EQ(PanelDocument(text).text(), text) << text.substr(0, 80);
    }
}

TEST(PanelDocument, MovingAGaugeChangesExactlyItsLine) {
    PanelDocument doc(messy);
    const auto at = doc.find("window00", "GAUGE00");
    ASSERT_EQ(at, 9) << "sections and keys are found in any case";
    doc.set("Window00", "gauge00", with_box(*doc.value("Window00", "gauge00"), 25, 310, 100, 100));
    EXPECT_EQ(doc.line(9), "gauge00=Korvel_Instr!Airspeed,      25, 310, 100, 100") << "the spacing stays";
    EXPECT_EQ(changed_lines(messy, doc.text()), std::vector<int>{9});
    EXPECT_EQ(doc.text().substr(doc.text().size() - 10), "whatever=1") << "still no line end at the end";

    // Another module's line and a line with parameters keep everything but the box.
    doc.set("Window00", "gauge01", with_box(*doc.value("Window00", "gauge01"), 7, 8, std::nullopt, std::nullopt));
    EXPECT_EQ(doc.line(10), "gauge01 = Other!Thing , 7, 8 ; not ours");
    doc.set("Window00", "gauge02", with_box(*doc.value("Window00", "gauge02"), 11, 12, 19, 19));
    EXPECT_EQ(doc.line(11), "gauge02=Korvel_Instr!Radios_Toggle, 11,  12,  19,  19, t50 // the stack");
    EXPECT_EQ(changed_lines(messy, doc.text()), (std::vector<int>{9, 10, 11}));
}

TEST(PanelDocument, ABoxKeepsSpacingParametersAndCommentsWhateverFieldsItGainsOrLoses) {
    struct Case {
        const char* value;
        int x, y;
        std::optional<int> w, h;
        const char* after;
    };
    const Case cases[] = {
        {"Korvel_Instr!Clock, 400, 20", 1, 2, std::nullopt, std::nullopt, "Korvel_Instr!Clock, 1, 2"},
        {"Korvel_Instr!Clock, 400, 20", 1, 2, 90, std::nullopt, "Korvel_Instr!Clock, 1, 2, 90"},
        {"Korvel_Instr!Clock, 400, 20", 1, 2, 90, 80, "Korvel_Instr!Clock, 1, 2, 90, 80"},
        {"Korvel_Instr!Clock,400,20,90,80", -5, 0, std::nullopt, std::nullopt, "Korvel_Instr!Clock,-5,0"},
        {"Korvel_Instr!Fuel_Toggle, 5, 6, 40,,tGPS_PANEL, a, b", 7, 8, 41, std::nullopt,
         "Korvel_Instr!Fuel_Toggle, 7, 8, 41,,tGPS_PANEL, a, b"},
        {"Korvel_Instr!Radio_IFF , -10 , 450 ;the transponder", 0, 1, 350, std::nullopt,
         "Korvel_Instr!Radio_IFF , 0 , 1 , 350;the transponder"},
        {"Korvel_Instr!Clock, 1, 2 // note, 30", 3, 4, std::nullopt, std::nullopt,
         "Korvel_Instr!Clock, 3, 4 // note, 30"},
    };
    for (const Case& c : cases) EXPECT_EQ(with_box(c.value, c.x, c.y, c.w, c.h), c.after) << c.value;

    EXPECT_EQ(with_parameters("Korvel_Instr!GPS_Toggle, 1, 2, 19, 19, t225", "o50 // stack"),
              "Korvel_Instr!GPS_Toggle, 1, 2, 19, 19, o50 // stack");
    EXPECT_EQ(with_parameters("Korvel_Instr!GPS_Toggle, 1, 2", "t50"), "Korvel_Instr!GPS_Toggle, 1, 2,,, t50");
    EXPECT_EQ(with_parameters("Korvel_Instr!GPS_Toggle, 1, 2, 19, 19, t225", std::nullopt),
              "Korvel_Instr!GPS_Toggle, 1, 2, 19, 19");
}

TEST(PanelDocument, AnAddedGaugeFollowsItsWindowsLastKeyAndARemovedOneClosesTheGap) {
    PanelDocument doc(messy);
    const auto added = doc.add_gauge("Window01", "Korvel_Instr!Radio_ADF, 0, 260");
    EXPECT_EQ(added.key, "gauge02");
    EXPECT_EQ(added.line, 19);
    EXPECT_EQ(doc.line(19), "gauge02=Korvel_Instr!Radio_ADF, 0, 260");
    EXPECT_EQ(changed_lines(messy, doc.text()).front(), 19) << "nothing before it moved";
    EXPECT_NE(doc.text().find("gauge02=Korvel_Instr!Radio_ADF, 0, 260\r\n\r\n[Vcockpit01]"), std::string::npos)
        << "the file's own line end, and the window's blank line after it";

    // Window00's gauge01 goes: gauge02 and gauge03 become gauge01 and
    // gauge02, Window01's keys and every other line stay.
    PanelDocument removed(messy);
    const auto renumbered = removed.remove_gauge("Window00", "gauge01");
    ASSERT_TRUE(renumbered);
    EXPECT_EQ(*renumbered, (std::vector<int>{10, 11}));
    EXPECT_EQ(removed.line(10), "gauge01=Korvel_Instr!Radios_Toggle, 10,  10,  19,  19, t50 // the stack");
    EXPECT_EQ(removed.line(11), "gauge02=Korvel_Instr!Clock, 400, 20");
    EXPECT_EQ(removed.line(16), "gauge00=Korvel_Instr!Radio_COM, 0, 0");
    EXPECT_EQ(removed.line_count(), PanelDocument(messy).line_count() - 1);
    EXPECT_FALSE(removed.remove_gauge("Window00", "gauge09"));
    EXPECT_FALSE(removed.remove_gauge("Window07", "gauge00"));

    // Past gauge99 the keys take three digits; "gauge07 = " keeps its spacing when renumbered.
    PanelDocument many("[Window00]\ngauge98=A!B, 0, 0\ngauge99 = A!C, 0, 0\n");
    EXPECT_EQ(many.add_gauge("Window00", "A!D, 1, 1").key, "gauge100");
    ASSERT_TRUE(many.remove_gauge("Window00", "gauge98"));
    EXPECT_EQ(many.text(), "[Window00]\ngauge98 = A!C, 0, 0\ngauge99=A!D, 1, 1\n");
}

TEST(PanelDocument, WindowKeysAndTitlesAreSetWhereTheyAreOrAddedAfterTheLastKey) {
    PanelDocument doc(messy);
    EXPECT_EQ(doc.set("Window01", "size_mm", "360,300"), 16);
    EXPECT_EQ(doc.set("Window00", "gauge03", " Korvel_Instr!Clock, 400, 21"), 12);
    EXPECT_EQ(doc.line(12), "gauge03= Korvel_Instr!Clock, 400, 21") << "the value is all after the '='";
    doc.set("Window00", "gauge03", "Korvel_Instr!Clock, 400, 20");
    EXPECT_EQ(doc.line(16), "size_mm=360,300");
    EXPECT_EQ(doc.set("Window01", "visible", "0"), 19) << "after the window's last key";
    EXPECT_EQ(doc.line(19), "visible=0");
    EXPECT_EQ(doc.set("Window Titles", "Window01", "Radio stack"), 4);
    EXPECT_EQ(doc.line(4), "Window01=Radio stack");
    EXPECT_EQ(doc.line(3), "Window00=Tableau de bord \xC9l\xE8ve") << "Windows-1252 kept as bytes";
    EXPECT_EQ(changed_lines(messy, doc.text()), (std::vector<int>{4, 16, 19, 20, 21, 22, 23, 24, 25}))
        << "the added line moves the later ones down, and nothing else";

    PanelDocument bare("[Window00]\ngauge00=A!B, 0, 0");
    EXPECT_EQ(bare.set("Window Titles", "Window00", "Main"), 5);
    EXPECT_EQ(bare.text(), "[Window00]\ngauge00=A!B, 0, 0\n\n[Window Titles]\nWindow00=Main");
    EXPECT_FALSE(bare.section_line("Window01"));
    EXPECT_THROW(bare.add_gauge("Window01", "A!B, 0, 0"), std::invalid_argument);
}

TEST(PanelDocument, SavingKeepsABackupAndRefusesAFileChangedOnDisk) {
    const std::string folder = ::testing::TempDir() + "panel_document_save";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/panel.cfg";
    const auto write = [](const std::string& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    };
    const auto read = [](const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    write(path, messy);
    PanelDocument doc(messy);
    doc.set("Window00", "gauge03", "Korvel_Instr!Clock, 401, 20");
    EXPECT_EQ(korvel::panel::save_panel(path, messy, doc.text()), std::nullopt);
    EXPECT_EQ(read(path), doc.text());
    EXPECT_EQ(read(path + ".bak"), messy);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    // Someone else's editor wrote in between: nothing is written, the backup stays.
    write(path, "[Window00]\n");
    const auto refused = korvel::panel::save_panel(path, doc.text(), messy);
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("changed on disk"), std::string::npos) << *refused;
    EXPECT_EQ(read(path), "[Window00]\n");
    EXPECT_EQ(read(path + ".bak"), messy);

    // A file gone is refused with its reason, and nothing appears.
    std::filesystem::remove(path);
    const auto gone = korvel::panel::save_panel(path, messy, messy);
    ASSERT_TRUE(gone);
    EXPECT_NE(gone->find("cannot read"), std::string::npos) << *gone;
    EXPECT_FALSE(std::filesystem::exists(path));
    std::filesystem::remove_all(folder);
}

}  // namespace
