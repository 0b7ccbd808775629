// Panel configurations as real aircraft carry them, read and drawn as the
// simulator would: gauge lines with positions only, windows sized by width
// over a background bitmap, virtual cockpits, other modules' gauges,
// Windows-1252 titles, loose syntax.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "host/core/host.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"
#include "host/render/panel_render.h"
#include "host/render/renderer.h"

namespace {

namespace fs = std::filesystem;
using korvel::host::Host;
using korvel::panel::PanelConfig;
using korvel::panel::PanelSession;
using korvel::panel::Severity;

PanelConfig read(const Host& host, std::string_view text) {
    return korvel::panel::read_panel_config(text, korvel::panel::module_gauges(host));
}

// The problems of a severity, as "line: message" for readable failures.
std::vector<std::string> findings(const std::vector<korvel::panel::Problem>& problems, Severity severity) {
    std::vector<std::string> out;
    for (const auto& p : problems)
        if (p.severity == severity) out.push_back(std::to_string(p.line) + ": " + p.message);
    return out;
}

bool any_of_line(const std::vector<korvel::panel::Problem>& problems, int line, Severity severity,
                 std::string_view words) {
    return std::any_of(problems.begin(), problems.end(), [&](const auto& p) {
        return p.line == line && p.severity == severity && p.message.find(words) != std::string::npos;
    });
}

// A folder of its own for the files beside a panel.cfg.
struct Folder {
    fs::path path = fs::temp_directory_path() / ("korvel-panel-" + std::to_string(::getpid()) + "-" +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    std::string string() const { return path.string(); }
};

// A 24-bit bottom-up .bmp of the colour that `paint` gives each pixel.
void write_bmp(const fs::path& file, int width, int height,
               const std::function<std::array<std::uint8_t, 3>(int x, int y)>& paint) {
    const int row = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> bytes(54 + std::size_t(row) * height);
    const auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) bytes[at + i] = std::uint8_t(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, std::uint32_t(bytes.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, std::uint32_t(width), 4);
    put(22, std::uint32_t(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto [r, g, b] = paint(x, y);
            const std::size_t at = 54 + std::size_t(height - 1 - y) * row + std::size_t(x) * 3;
            bytes[at] = b;
            bytes[at + 1] = g;
            bytes[at + 2] = r;
        }
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

struct Pixels {
    korvel::render::Surface surface;
    int width() const { return cairo_image_surface_get_width(surface.get()); }
    int height() const { return cairo_image_surface_get_height(surface.get()); }
    std::array<int, 3> at(int x, int y) const {
        cairo_surface_flush(surface.get());
        const auto* data = cairo_image_surface_get_data(surface.get());
        const auto p =
            reinterpret_cast<const std::uint32_t*>(data + y * cairo_image_surface_get_stride(surface.get()))[x];
        return {int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
    }
    bool near(int x, int y, std::array<int, 3> colour, int tolerance = 12) const {
        const auto c = at(x, y);
        for (int i = 0; i < 3; ++i)
            if (std::abs(c[i] - colour[i]) > tolerance) return false;
        return true;
    }
};

Pixels draw(const PanelSession& session, std::size_t window, Host& host) {
    auto bitmaps = korvel::render::module_bitmaps(host);
    return {korvel::render::draw_window(session.layouts().at(window), session, bitmaps)};
}

TEST(RealPanel, ARadioStackPlacedWithPositionsOnlyKeepsEveryRadioAtItsOwnSize) {
    Host host;
    const auto config = read(host,
                             "[Window Titles]\r\nWindow00=Radios\r\n\r\n[Window00]\r\nsize_mm=400,700\r\n"
                             "gauge00=Korvel_Instr!Radio_COM,  0, 0\r\n"
                             "gauge01=Korvel_Instr!Radio_NAV1, 0, 150 // NAV1 under the COM\r\n"
                             "gauge02=Korvel_Instr!Radio_ADF,\t0,\t300\t\r\n"
                             "gauge03 = Korvel_Instr!Radio_IFF , -10 , 450 ;the transponder\r\n");
    EXPECT_EQ(findings(config.problems, Severity::error), std::vector<std::string>{});
    EXPECT_EQ(findings(config.problems, Severity::warning), std::vector<std::string>{});
    ASSERT_EQ(config.placed_lines, 4);
    const PanelSession session(host, config);
    ASSERT_EQ(session.placed().size(), 4u);
    for (const auto& p : session.placed()) {
        const auto own = p.gauge->size();
        ASSERT_TRUE(own) << p.gauge->name();
        EXPECT_EQ(p.box.width, own->width) << p.gauge->name() << " is drawn at its background bitmap's pixels";
        EXPECT_EQ(p.box.height, own->height) << p.gauge->name();
    }
    EXPECT_EQ(session.placed()[3].box.x, -10) << "a gauge may start left of its window";
    EXPECT_EQ(session.placed()[2].box.y, 300);

    // The radios work where they stand: the COM face tooltip and a click on its knob.
    host.update();
    korvel::host::PlacedGauge& com = *session.find("Radio_COM");
    EXPECT_NE(host.tooltip(com, 100, 20).text.find("COM1"), std::string_view::npos);
}

TEST(RealPanel, EmptyFieldsSpacesAndCommentsReadAsTheSimulatorReadsThem) {
    Host host;
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Main\n[WINDOW00]\nSIZE_MM=300 // wide\nVISIBLE=1\n"
                             "Background_color=10,20,30\n"
                             "gauge00=Korvel_Instr!Fuel_Toggle, 5, 6, 40,,tGPS_PANEL // the GPS\n"
                             "gauge01=Korvel_Instr!Airspeed, 50, -20, 100, , \n"
                             "gauge02=korvel_instr!Clock , 150 , 0 , 100 , 80\n");
    EXPECT_EQ(findings(config.problems, Severity::error), std::vector<std::string>{});
    ASSERT_EQ(config.windows.size(), 1u);
    const auto& w = config.windows[0];
    EXPECT_EQ(w.width, 300);
    EXPECT_FALSE(w.height);
    EXPECT_EQ(w.background_color, (korvel::panel::Colour{10, 20, 30}));
    ASSERT_EQ(w.gauges.size(), 3u);
    EXPECT_EQ(w.gauges[0].width, 40);
    EXPECT_FALSE(w.gauges[0].height) << "an empty height keeps the gauge's proportions";
    EXPECT_EQ(w.gauges[0].parameters, "tGPS_PANEL // the GPS") << "the module reads its parameters as written";
    EXPECT_EQ(w.gauges[1].y, -20);
    EXPECT_EQ(w.gauges[1].parameters, "") << "an empty parameter string is a string";
    EXPECT_EQ(w.gauges[2].height, 80);

    // What the module makes of those parameters: the comment is its own.
    const PanelSession session(host, config);
    host.clear_logs();
    ASSERT_TRUE(host.click(*session.find("Fuel_Toggle"), 9, 9));
    EXPECT_EQ(host.key_events().size(), 1u) << "t opens the GPS window; the // comment sends nothing";
    EXPECT_EQ(session.placed()[0].box.height, 40) << "a square button stays square";
}

TEST(RealPanel, AModuleInASubfolderAndGaugeNamesInAnotherCaseArePlaced) {
    Host host;
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=500,300\n"
                             "gauge00=Korvel\\Korvel_Instr!Airspeed, 0, 0, 100\n"
                             "gauge01=gauges/sub/KORVEL_INSTR!Clock, 100, 0, 100\n"
                             "gauge02=Korvel_Instr!radio_com, 200, 0\n"
                             "gauge03=Korvel_Instr!Radio_Comm, 0, 150\n");
    EXPECT_EQ(config.placed_lines, 3);
    EXPECT_EQ(config.refused_lines, 1);
    EXPECT_TRUE(any_of_line(config.problems, 7, Severity::warning, "spelled Radio_COM"))
        << "the warning gives the module's exact spelling";
    EXPECT_TRUE(any_of_line(config.problems, 8, Severity::error, "no gauge named \"Radio_Comm\""));
    const PanelSession session(host, config);
    ASSERT_NE(session.find("Radio_COM"), nullptr) << "placed under the module's own name";
    EXPECT_EQ(session.placed()[0].window->gauges[0].module, "Korvel\\Korvel_Instr");
}

TEST(RealPanel, AWidthOnlyWindowOverItsBitmapPutsEveryGaugeOnItsHole) {
    Host host;
    Folder folder;
    // The bitmap is a fifth of the window's design size: a blue panel with
    // two black holes (the panel system's transparent colour) where the
    // instruments go, 100 by 100 units each once scaled.
    const std::array<std::uint8_t, 3> blue{30, 60, 160};
    write_bmp(folder.path / "Panel_Background.BMP", 200, 120, [&](int x, int y) -> std::array<std::uint8_t, 3> {
        const bool hole = y >= 60 && y < 80 && ((x >= 20 && x < 40) || (x >= 100 && x < 120));
        return hole ? std::array<std::uint8_t, 3>{0, 0, 0} : blue;
    });
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Main Panel\n[Window00]\nfile=panel_background.bmp\n"
                             "size_mm=1000\n"
                             "gauge00=Korvel_Instr!Airspeed, 100, 300, 100, 100\n"
                             "gauge01=Korvel_Instr!Altimeter, 500, 300, 100\n");
    const PanelSession session(host, config, folder.string());
    EXPECT_EQ(findings(session.problems(), Severity::warning), std::vector<std::string>{})
        << "the bitmap is found whatever the case of its name";
    const auto& layout = session.layouts().at(0);
    EXPECT_EQ(layout.width, 1000);
    EXPECT_EQ(layout.height, 600) << "the height follows the bitmap's proportions, not the lowest gauge";
    host.update();
    const Pixels picture = draw(session, 0, host);
    ASSERT_EQ(picture.height(), 600);
    for (const int x : {150, 550}) {
        EXPECT_FALSE(picture.near(x, 350, {blue[0], blue[1], blue[2]}, 40)) << "an instrument fills the hole at " << x;
        EXPECT_TRUE(picture.near(x, 290, {blue[0], blue[1], blue[2]})) << "the panel just above the hole at " << x;
        EXPECT_TRUE(picture.near(x, 410, {blue[0], blue[1], blue[2]})) << "the panel just below the hole at " << x;
    }
}

TEST(RealPanel, BackgroundsFoundByFile1024OrMissingAreReportedAndTheWindowStillDraws) {
    Host host;
    Folder folder;
    write_bmp(folder.path / "big.bmp", 64, 32, [](int, int) { return std::array<std::uint8_t, 3>{200, 100, 0}; });
    const auto config = read(host,
                             "[Window Titles]\nWindow00=A\nWindow01=B\nWindow02=C\n"
                             "[Window00]\nfile_1024=BIG.bmp\n"
                             "[Window01]\nfile=missing.bmp\nsize_mm=100,50\nbackground_color=0,128,0\n"
                             "[Window02]\nvisible=0\ngauge00=Korvel_Instr!Clock, 10, 10, 100\n");
    const PanelSession session(host, config, folder.string());
    const auto& a = session.layouts().at(0);
    EXPECT_EQ(a.width, 64) << "without size_mm the window takes its bitmap's size";
    EXPECT_EQ(a.height, 32);
    EXPECT_FALSE(a.background.empty());
    EXPECT_TRUE(any_of_line(session.problems(), 8, Severity::warning, "missing.bmp is not beside the panel.cfg"));
    EXPECT_TRUE(any_of_line(session.problems(), 11, Severity::warning, "neither size_mm nor a background bitmap"));
    EXPECT_EQ(session.layouts().at(2).width, 110) << "as wide as its gauges reach";
    host.update();
    EXPECT_TRUE(draw(session, 0, host).near(30, 16, {200, 100, 0}));
    EXPECT_TRUE(draw(session, 1, host).near(50, 25, {0, 128, 0})) << "background_color fills a window without a bitmap";
}

TEST(RealPanel, ACutShortBitmapOrAnUnreadableSizeIsNamedOnceAndTheWindowStillDraws) {
    Host host;
    Folder folder;
    write_bmp(folder.path / "whole.bmp", 64, 32, [](int, int) { return std::array<std::uint8_t, 3>{200, 100, 0}; });
    fs::copy_file(folder.path / "whole.bmp", folder.path / "cut.bmp");
    fs::resize_file(folder.path / "cut.bmp", 54 + 64 * 3 * 20);  // 20 of its 32 rows
    const auto config = read(host,
                             "[Window Titles]\nWindow00=A\nWindow01=B\n"
                             "[Window00]\nfile=cut.bmp\nsize_mm=100,50\nbackground_color=0,128,0\n"
                             "[Window01]\nsize_mm=0,0\ngauge00=Korvel_Instr!Clock, 10, 10, 100\n");
    const PanelSession session(host, config, folder.string());
    EXPECT_EQ(findings(session.problems(), Severity::warning),
              std::vector<std::string>{"5: cut.bmp is cut short: it holds 3894 bytes, and its header says its pixels "
                                       "run to byte 6198; the window is drawn without it"});
    EXPECT_EQ(session.problems().at(0).code, "background-cut-short");
    EXPECT_TRUE(session.layouts().at(0).background.empty());
    host.update();
    EXPECT_TRUE(draw(session, 0, host).near(50, 25, {0, 128, 0})) << "drawn over its background_color instead";
    // size_mm=0,0: the reader's warning says it all.
    EXPECT_EQ(findings(config.problems, Severity::warning).size(), 1u);
    EXPECT_EQ(session.layouts().at(1).width, 110) << "as large as its gauges";
}

TEST(RealPanel, TitlesAreReadUpToTheFirstBreakInTheirNumbering) {
    Host host;
    const auto config = read(host,
                             "[Window Titles]\n"                                     // 1
                             "window00=Main\n"                                       // 2
                             "WINDOW01=Radios\n"                                     // 3
                             "Window03=GPS\n"                                        // 4
                             "[Window00]\nsize_mm=100\nident=MAIN_PANEL\n"           // 5-7
                             "[Window01]\nsize_mm=100\nident=50\n"                   // 8-10
                             "[Window03]\nsize_mm=100\nident=GPS_PANEL\n"            // 11-13
                             "[Window04]\nsize_mm=100\nident=RADIO_STACK_PANEL\n");  // 14-16
    EXPECT_TRUE(any_of_line(config.problems, 4, Severity::warning,
                            "after a break in the numbering of the titles (no Window02)"));
    EXPECT_TRUE(any_of_line(config.problems, 11, Severity::warning, "may not create this window"));
    EXPECT_TRUE(any_of_line(config.problems, 14, Severity::warning, "may not create this window"));
    EXPECT_FALSE(any_of_line(config.problems, 8, Severity::warning, "may not create"));
    EXPECT_TRUE(any_of_line(config.problems, 16, Severity::warning, "also the ident of [Window01]"))
        << "RADIO_STACK_PANEL is 50, as [Window01] says in numbers";
    ASSERT_EQ(config.windows.size(), 4u) << "every window is still drawn";
    EXPECT_EQ(config.windows[2].title, "GPS");
    EXPECT_TRUE(config.windows[1].titled);
    EXPECT_FALSE(config.windows[2].titled);
    EXPECT_EQ(config.windows[3].title, "");
}

TEST(RealPanel, VirtualCockpitGaugesArePlacedLikeAnyOtherAndDrawnOnTheirTexture) {
    Host host;
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=100\n"
                             "gauge00=Korvel_Instr!Clock, 0, 0, 100\n"
                             "[Vcockpit01]\nBackground_color=0,0,0\nsize_mm=512,512\nvisible=0\n"
                             "pixel_size=512,512\ntexture00=$VC_Radios\n"
                             "gauge00=Korvel_Instr!Radio_COM, 0, 0, 350\n"
                             "gauge01=Korvel_Instr!Elec_Board, 0, 200, 500\n"
                             "gauge02=Other!VC_Thing, 0, 400, 100, 100\n");
    EXPECT_EQ(findings(config.problems, Severity::warning), std::vector<std::string>{});
    ASSERT_EQ(config.windows.size(), 2u);
    const auto& vc = config.windows[1];
    EXPECT_EQ(vc.kind, korvel::panel::WindowKind::virtual_cockpit);
    EXPECT_EQ(vc.title, "VC_Radios");
    EXPECT_EQ(korvel::panel::window_file_name(vc), "vc-vc_radios");
    EXPECT_EQ(vc.pixel_size, (std::array<int, 2>{512, 512}));
    EXPECT_EQ(config.other_lines, 1);

    const PanelSession session(host, config);
    ASSERT_EQ(session.gauges_in(vc), 2u);
    korvel::host::PlacedGauge& com = *session.find("Radio_COM");
    korvel::host::PlacedGauge& board = *session.find("Elec_Board");
    EXPECT_TRUE(com.live() && board.live()) << "installed and connected";
    host.update();
    EXPECT_NE(host.tooltip(com, 100, 20).text.find("121.800"), std::string_view::npos);
    host.clear_logs();
    const PixelBox first_switch = board.mouse().children().front().area.box;
    EXPECT_TRUE(host.click(board, first_switch.x + 1, first_switch.y + 1))
        << "the board's switches take clicks in the virtual cockpit";
    EXPECT_FALSE(host.key_events().empty());
    const Pixels picture = draw(session, 1, host);
    EXPECT_EQ(picture.width(), 512);
    EXPECT_EQ(picture.height(), 512);
    EXPECT_TRUE(picture.near(255, 480, {0, 0, 0}, 4)) << "the texture's background colour";
    EXPECT_FALSE(picture.near(50, 401, {0, 0, 0}, 4)) << "another module's gauge is outlined";
}

TEST(RealPanel, AWindows1252TitleDrawsAndCairoFailuresAreErrorsNotBlackPictures) {
    Host host;
    // "Tableau de bord é" and a byte the code page leaves undefined.
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Tableau de bord \xE9\x81\n[Window00]\nsize_mm=300,200\n"
                             "gauge00=Korvel_Instr!Airspeed, 0, 0, 200\n");
    const PanelSession session(host, config);
    host.update();
    auto bitmaps = korvel::render::module_bitmaps(host);
    std::vector<korvel::render::WindowPicture> pictures;
    pictures.push_back({&config.windows[0], korvel::render::draw_window(session.layouts()[0], session, bitmaps)});
    const Pixels overview{korvel::render::draw_overview(pictures)};
    int title_pixels = 0;
    for (int x = 16; x < 250; ++x)
        for (int y = 16; y < 36; ++y) title_pixels += overview.at(x, y)[0] > 150 ? 1 : 0;
    EXPECT_GT(title_pixels, 100) << "the title is drawn";
    EXPECT_FALSE(overview.near(116, 138, {0, 0, 0}, 4)) << "the window is drawn under it";

    // A window larger than any picture cairo can hold is an error, never a black picture.
    const auto huge = read(host, "[Window Titles]\nWindow00=Huge\n[Window00]\nsize_mm=40000,100\n");
    const PanelSession huge_session(host, huge);
    ASSERT_EQ(huge_session.problems().size(), 1u);
    EXPECT_EQ(huge_session.problems()[0].code, "window-too-large");
    EXPECT_EQ(huge_session.problems()[0].line, 4);
    EXPECT_NE(huge_session.problems()[0].message.find("[Window00] is 40000 by 100 units"), std::string::npos);
    EXPECT_THROW(korvel::render::draw_window(huge_session.layouts()[0], huge_session, bitmaps),
                 korvel::render::RenderError);
    EXPECT_THROW(korvel::render::write_png(overview.surface.get(), "/no/such/folder/x.png"),
                 korvel::render::RenderError);
}

TEST(RealPanel, OtherModulesGaugesAreCountedAndOutlinedNeverErrors) {
    Host host;
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=400,200\n"
                             "gauge00=Cessna!Clock, 0, 0, 100, 100\n"
                             "gauge01=dsd_fsx_xml_sound!Sound, 0,0\n"
                             "gauge02=Korvel_Instr!Clock, 200, 0, 100\n"
                             "gauge03=GPS_500!GPS_500, 100, 100, 100\n"
                             "this line means nothing\n"
                             "gauge04=Korvel_Instr, 1, 1\n");
    EXPECT_EQ(config.other_lines, 3);
    EXPECT_EQ(config.placed_lines, 1);
    EXPECT_EQ(config.unread_lines, 2);
    EXPECT_EQ(config.refused_lines, 1) << "a malformed line that names this module is one of its lines not placed";
    EXPECT_EQ(findings(config.problems, Severity::error),
              std::vector<std::string>{"10: gauge04: \"Korvel_Instr\" is not of the form Module!Gauge"});
    EXPECT_TRUE(any_of_line(config.problems, 9, Severity::warning, "not a section header"));
    ASSERT_EQ(config.windows[0].others.size(), 3u);
    const PanelSession session(host, config);
    host.update();
    const Pixels picture = draw(session, 0, host);
    EXPECT_TRUE(picture.near(0, 50, {242, 191, 51}, 30)) << "the Cessna clock's box is outlined";
    EXPECT_TRUE(picture.near(100, 150, {242, 191, 51}, 30)) << "so is the GPS's";
}

// A picture's titles in bright pixels: the text of the overview's title rows.
int title_pixels(const Pixels& p, int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < p.width(); ++x) n += p.at(x, y)[0] > 120 ? 1 : 0;
    return n;
}

TEST(RealPanel, EveryTitleOfTheOverviewIsWholeEvenOverAWindowWithNoSize) {
    Host host;
    // Windows with no size and no gauges are a unit wide; their titles are not.
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Main panel of the aircraft\nWindow01=Radio stack, left\n"
                             "Window02=Radio stack, right\nWindow03=A narrow one\n"
                             "[Window00]\nvisible=1\n[Window01]\nvisible=1\n[Window02]\nvisible=1\n[Window03]\n"
                             "size_mm=20,20\n");
    ASSERT_EQ(config.windows.size(), 4u);
    const PanelSession session(host, config);
    auto bitmaps = korvel::render::module_bitmaps(host);
    const auto overview_of = [&](std::vector<std::size_t> windows) {
        std::vector<korvel::render::WindowPicture> pictures;
        for (std::size_t i : windows)
            pictures.push_back(
                {&config.windows[i], korvel::render::draw_window(session.layouts()[i], session, bitmaps)});
        return Pixels{korvel::render::draw_overview(pictures)};
    };
    // Each title alone, then all of them: the whole shows as many title
    // pixels as its parts, none cut by the picture's edge or printed over
    // another title.
    const int top = 16, height = 22;
    const int main_alone = title_pixels(overview_of({0}), top, top + height);
    ASSERT_GT(main_alone, 100);
    int row_alone = 0;
    for (std::size_t i : {1u, 2u, 3u}) {
        const Pixels p = overview_of({0, i});
        row_alone += title_pixels(p, top + height + 1 + 16, p.height());
    }
    const Pixels all = overview_of({0, 1, 2, 3});
    EXPECT_EQ(title_pixels(all, top, top + height), main_alone);
    EXPECT_EQ(title_pixels(all, top + height + 1 + 16, all.height()), row_alone);
}

TEST(RealPanel, LinesNotPlacedAreMarkedWhereTheyStandAndAreasOnRequest) {
    Host host;
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=400,300\nbackground_color=0,0,0\n"
                             "gauge00=Korvel_Instr!Fuel_Toggle, 10, 10, 38, 38\n"
                             "gauge01=Korvel_Instr!Clok, 200, 150, 100, 80\n"
                             "gauge02=Korvel_Instr!Clock, 50, 200\n");
    ASSERT_EQ(config.windows.at(0).refused.size(), 1u);
    const PanelSession session(host, config);
    host.update();
    auto bitmaps = korvel::render::module_bitmaps(host);
    const Pixels plain{korvel::render::draw_window(session.layouts()[0], session, bitmaps)};
    const auto reddish = [](std::array<int, 3> c) { return c[0] > 2 * c[1] + 40 && c[0] > 2 * c[2] + 40; };
    EXPECT_TRUE(reddish(plain.at(201, 190))) << "the frame where gauge01 would stand";
    EXPECT_TRUE(reddish(plain.at(250, 195))) << "filled, so that it shows over any background";
    EXPECT_FALSE(reddish(plain.at(190, 190)));

    const Pixels areas{korvel::render::draw_window(session.layouts()[0], session, bitmaps, {true})};
    // The button's click area (3 to 16 of its 19 pixels, at twice the size)
    // tinted cyan; its edge, which takes no clicks, as it was.
    const auto bluer = [&](int x, int y) {
        const auto before = plain.at(x, y), after = areas.at(x, y);
        return (after[2] - after[0]) - (before[2] - before[0]);
    };
    EXPECT_GT(bluer(28, 28), 40);
    EXPECT_GT(bluer(18, 40), 40);
    EXPECT_EQ(bluer(12, 12), 0);
    EXPECT_TRUE(areas.near(155, 155, {0, 0, 0}, 4)) << "between grid lines the picture is as it was";
    EXPECT_FALSE(areas.near(100, 155, {0, 0, 0}, 20)) << "a grid line every 100 units";
    EXPECT_TRUE(plain.near(100, 155, {0, 0, 0}, 4));
}

TEST(RealPanel, TheSessionKnowsWhichLineClosedAWindowAsThePanelLoaded) {
    Host host;
    const auto config = read(host,
                             "[Window Titles]\nWindow00=Main\nWindow01=Radios\nWindow02=GPS\n"
                             "[Window00]\nsize_mm=400,300\nident=MAIN_PANEL\n"
                             "gauge00=Korvel_Instr!GPS_Toggle, 10, 10, 19, 19, tgps_panel\n"
                             "[Window01]\nsize_mm=400,300\nident=RADIO_STACK_PANEL\nvisible=0\n"
                             "[Window02]\nsize_mm=400,300\nident=GPS_PANEL\n");
    for (const auto placing : {korvel::panel::Placing::live, korvel::panel::Placing::one_at_a_time}) {
        const PanelSession session(host, config, {}, placing);
        const korvel::panel::Closing* main = session.closed_at_load(config.windows[0]);
        ASSERT_NE(main, nullptr) << "gps_panel's a closes window 0 when the panel loads";
        EXPECT_EQ(main->line, 8);
        EXPECT_EQ(main->gauge, "GPS_Toggle");
        EXPECT_EQ(session.closed_at_load(config.windows[1]), nullptr) << "hidden by its own visible=0";
        EXPECT_EQ(session.closed_at_load(config.windows[2]), nullptr);
        EXPECT_TRUE(session.shown(config.windows[2]));
    }
}

TEST(RealPanel, PlacingOneGaugeAtATimeLaysThePanelOutAsPlacingThemAll) {
    const std::string text =
        "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=800,600\n"
        "gauge00=Korvel_Instr!Radio_COM, 10, 10, 271, 269\n"
        "gauge01=Korvel_Instr!Elec_Board, 10, 300\n"
        "gauge02=Korvel_Instr!GPS_Toggle, 500, 10, 38, 38, b150\n"
        "gauge03=Korvel_Instr!Radio_COM, 500, 300\n";
    std::vector<std::tuple<int, int, int, int, std::size_t, std::size_t, std::string>> laid_out[2];
    for (int i = 0; i < 2; ++i) {
        Host host;
        const auto config = read(host, text);
        const PanelSession session(host, config, {},
                                   i == 0 ? korvel::panel::Placing::live : korvel::panel::Placing::one_at_a_time);
        for (std::size_t k = 0; k < session.placed().size(); ++k) {
            const auto& p = session.placed()[k];
            laid_out[i].emplace_back(p.box.x, p.box.y, p.box.width, p.box.height, p.mouse.children().size(),
                                     p.mouse.parents().size(), session.names()[k]);
            EXPECT_EQ(p.gauge == nullptr, i == 1);
        }
    }
    EXPECT_EQ(laid_out[0], laid_out[1]);
    EXPECT_EQ(std::get<6>(laid_out[1][3]), "Radio_COM@2");
}

}  // namespace
