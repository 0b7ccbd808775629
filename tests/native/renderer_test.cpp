// What the renderer draws, checked on the pixels that matter: needles along
// the line to their dial point, hidden elements absent, a click's effect.
#include <gtest/gtest.h>

#include <cmath>

#include "host/core/host.h"
#include "host/render/renderer.h"

namespace {

using korvel::host::Host;
using korvel::host::PlacedGauge;
using korvel::render::Surface;

struct Picture {
    Surface surface;
    int width() const { return cairo_image_surface_get_width(surface.get()); }
    int height() const { return cairo_image_surface_get_height(surface.get()); }
    std::uint32_t at(int x, int y) const {
        const auto* data = cairo_image_surface_get_data(surface.get());
        const int stride = cairo_image_surface_get_stride(surface.get());
        return reinterpret_cast<const std::uint32_t*>(data + y * stride)[x];
    }
    bool opaque(int x, int y) const {
        return x >= 0 && y >= 0 && x < width() && y < height() && (at(x, y) >> 24) > 128;
    }
};

// The gauge as drawn now, on a transparent ground.
Picture draw(const PlacedGauge& g, korvel::render::Bitmaps& bitmaps) {
    const auto size = korvel::render::gauge_pixels(g, bitmaps);
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height));
    cairo_t* cr = cairo_create(s.get());
    korvel::render::draw_gauge(cr, g, bitmaps);
    cairo_destroy(cr);
    cairo_surface_flush(s.get());
    return {std::move(s)};
}

// Hides or shows an element without a callback of its own: the host reads
// the hidden bit from its record at the next update.
void set_hidden(Host& host, PlacedGauge& g, std::size_t element, bool hidden) {
    std::uint32_t& flags = g.element(element).record->image_flags;
    flags = hidden ? flags | image_hidden_flag : flags & ~image_hidden_flag;
    host.update(g);
}

// Pixels that differ between two pictures.
std::vector<std::pair<int, int>> changed(const Picture& a, const Picture& b) {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.at(x, y) != b.at(x, y)) out.emplace_back(x, y);
    return out;
}

TEST(Renderer, ANeedleAtARowsValuePointsAlongTheLineToThatRowsPoint) {
    struct Case {
        const char* gauge;
        std::size_t needle;
        std::uint32_t token;
        double value;
        PixelPoint pivot;
        PixelPoint dial_point;
    };
    // clang-format off
    const Case cases[] = {
        {"Airspeed", 2, 61, 500, {150, 150}, {150, 220}},
        {"Airspeed", 2, 61, 0, {150, 150}, {150, 80}},
        {"Accelerometer", 1, 351, 0, {131, 131}, {44, 167}},
        {"Engine_RPM", 2, 627, 100, {150, 150}, {247, 224}},
        {"Fuel_Quantity_Main_Left", 1, 291, 0, {150, 150}, {98, 240}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.gauge) + " at " + std::to_string(c.value));
        Host host;
        PlacedGauge& g = host.place(c.gauge);
        auto bitmaps = korvel::render::module_bitmaps(host);
        // The needle's own pixels: the picture with it, minus the picture
        // with the needle moved far away.
        host.variables().set(c.token, c.value);
        if (c.token == 291) {
            host.service(g, 2, host.library().handle());
        }
        host.update();
        const Picture with = draw(g, bitmaps);
        set_hidden(host, g, c.needle, true);
        const Picture without = draw(g, bitmaps);
        set_hidden(host, g, c.needle, false);

        const auto blade = changed(with, without);
        ASSERT_GT(blade.size(), 20u) << "the needle draws something";
        // Every pixel the needle adds lies near the line through pivot and dial
        // point, and the farthest one lies on the dial point's side.
        const double dx = c.dial_point.x - c.pivot.x, dy = c.dial_point.y - c.pivot.y;
        const double length = std::hypot(dx, dy);
        double farthest = 0;
        for (const auto& [x, y] : blade) {
            const double px = x + 0.5 - c.pivot.x, py = y + 0.5 - c.pivot.y;
            const double across = std::abs(px * dy - py * dx) / length;
            const double along = (px * dx + py * dy) / length;
            EXPECT_LT(across, 18.0) << x << "," << y;
            farthest = std::max(farthest, along);
        }
        EXPECT_GT(farthest, length * 0.5) << "the tip reaches out towards the dial point";
    }
}

TEST(Renderer, HiddenElementsLeaveNoPixels) {
    Host host;
    PlacedGauge& as = host.place("Airspeed");
    auto bitmaps = korvel::render::module_bitmaps(host);
    host.variables().set(61, 250);
    host.update();
    const Picture shown = draw(as, bitmaps);
    set_hidden(host, as, 2, true);
    const Picture hidden = draw(as, bitmaps);
    EXPECT_GT(changed(shown, hidden).size(), 50u) << "the main pointer's pixels go";
    host.variables().set(61, 400);
    host.update();
    const Picture moved_while_hidden = draw(as, bitmaps);
    for (const auto& [x, y] : changed(hidden, moved_while_hidden)) {
        // Only the fine pointer moved: every changed pixel lies within its
        // reach of the pivot.
        EXPECT_LT(std::hypot(x - 150.0, y - 150.0), 120.0);
    }
    set_hidden(host, as, 1, true);
    host.variables().set(61, 700);
    host.update();
    const Picture both_hidden = draw(as, bitmaps);
    host.variables().set(61, 123);
    host.update();
    EXPECT_TRUE(changed(both_hidden, draw(as, bitmaps)).empty()) << "hidden needles draw nothing wherever they point";
}

TEST(Renderer, TheUnitSwitchShowsTheMetricFaces) {
    Host host;
    PlacedGauge& tc = host.place("Turn_Coordinator");
    PlacedGauge& vsi = host.place("Vertical_Speed");
    auto bitmaps = korvel::render::module_bitmaps(host);
    host.update();
    const Picture imperial = draw(vsi, bitmaps);
    host.click(tc, 120, 120);
    host.update();
    const Picture metric = draw(vsi, bitmaps);
    EXPECT_GT(changed(imperial, metric).size(), 1000u) << "a whole face changes";
    host.click(tc, 120, 120);
    host.update();
    EXPECT_TRUE(changed(imperial, draw(vsi, bitmaps)).empty());
}

TEST(Renderer, TheComWindowLightsItsFrequencyAfterTheButton) {
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
    auto bitmaps = korvel::render::module_bitmaps(host);
    host.update();
    const Picture dark = draw(com, bitmaps);
    host.click(com, 270, 20);
    host.update();
    const Picture lit = draw(com, bitmaps);
    const auto text = changed(dark, lit);
    ASSERT_GT(text.size(), 30u);
    for (const auto& [x, y] : text) {
        EXPECT_GE(x, 240);
        EXPECT_LT(x, 240 + 84);
        EXPECT_GE(y, 12);
        EXPECT_LT(y, 12 + 25);
    }
    // The digits are yellow, the colour the display names.
    int yellow = 0;
    for (const auto& [x, y] : text) {
        const std::uint32_t p = lit.at(x, y);
        if (((p >> 16) & 0xFF) > 180 && ((p >> 8) & 0xFF) > 180 && (p & 0xFF) < 90) ++yellow;
    }
    EXPECT_GT(yellow, 10);
}

}  // namespace

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "host/panel/flight_state.h"
#include "host/panel/panel_session.h"
#include "host/render/panel_render.h"

namespace {

std::string read_example(const std::string& name) {
    std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/examples/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ExamplePanel, PlacesEveryGaugeOnceWithoutAProblem) {
    Host host;
    const auto config = korvel::panel::read_panel_config(
        read_example("panel.cfg"), [&host](std::string_view n) { return host.find_gauge(n) != nullptr; });
    for (const auto& p : config.problems) ADD_FAILURE() << "line " << p.line << ": " << p.message;
    korvel::panel::PanelSession session(host, config);
    std::multiset<std::string> placed;
    for (const auto& p : session.placed()) placed.insert(std::string(p.gauge->name()));
    EXPECT_EQ(placed.size(), 58u);
    for (GaugeHeader* g : host.gauge_table()) EXPECT_EQ(placed.count(g->name), 1u) << g->name;
    EXPECT_EQ(host.windows().visible(50), true) << "the radio stack window is defined by the configuration";
}

TEST(ExamplePanel, EveryShippedFlightStateReads) {
    for (const char* state : {"parked.flt", "apron.flt", "cruise.flt", "ils_approach.flt", "engine_fire.flt"}) {
        const auto s = korvel::panel::read_flight_state(read_example(std::string("states/") + state));
        EXPECT_TRUE(s.problems.empty()) << state << ": " << (s.problems.empty() ? "" : s.problems[0].message);
        EXPECT_GT(s.settings.size(), 20u) << state;
    }
}

TEST(ExamplePanel, ABadLineIsReportedAndTheRestOfTheWindowStillDraws) {
    Host host;
    const auto config = korvel::panel::read_panel_config(
        "[Window Titles]\nWindow00=Main\n[Window00]\nsize_mm=400,200\ngauge00=Korvel_Instr!Airspeed, 0, 0, 200\n"
        "gauge01=Korvel_Instr!No_Such_Gauge, 200, 0, 200\ngauge02=Korvel_Instr!Clock, 200, 0, 200\n",
        [&host](std::string_view n) { return host.find_gauge(n) != nullptr; });
    ASSERT_EQ(config.problems.size(), 1u);
    EXPECT_EQ(config.problems[0].line, 6);
    korvel::panel::PanelSession session(host, config);
    host.update();
    auto bitmaps = korvel::render::module_bitmaps(host);
    const auto picture = korvel::render::draw_window(session.layout(config.windows[0]), session, bitmaps);
    ASSERT_EQ(cairo_image_surface_get_width(picture.get()), 400);
    ASSERT_EQ(cairo_image_surface_get_height(picture.get()), 200);
    // The clock's face (near-black) fills the middle of the right half; the
    // panel's paint is a mid grey.
    const auto* data = cairo_image_surface_get_data(picture.get());
    const int stride = cairo_image_surface_get_stride(picture.get());
    const auto pixel = [&](int x, int y) { return reinterpret_cast<const std::uint32_t*>(data + y * stride)[x]; };
    const auto dark = [&](int x, int y) { return ((pixel(x, y) >> 8) & 0xFF) < 40; };
    // Markings and needles are light, so judge each dial by a patch of its face.
    const auto mostly_dark = [&](int x0, int y0) {
        int count = 0;
        for (int y = y0; y < y0 + 20; ++y)
            for (int x = x0; x < x0 + 20; ++x) count += dark(x, y) ? 1 : 0;
        return count > 200;
    };
    EXPECT_TRUE(mostly_dark(290, 40)) << "the clock drew";
    EXPECT_TRUE(mostly_dark(90, 40)) << "the airspeed indicator drew";
    EXPECT_FALSE(dark(399, 199)) << "the window's corner is the panel's paint";
}

}  // namespace

// ---------------------------------------------------------------------------
// The painter's rules, on bitmaps made for the purpose: what the page's
// canvas painter has to match.

#include <unistd.h>

#include <map>

#include "host/render/display_list.h"
#include "host/render/png_file.h"

namespace {

using korvel::render::DisplayList;
using korvel::render::Image;
using korvel::render::Matrix;

// A 24-bit bitmap resource, rows stored bottom up as the format has them.
template <typename Colour>
std::vector<unsigned char> bitmap_resource(int width, int height, Colour colour) {
    const int row = (width * 3 + 3) & ~3;
    std::vector<unsigned char> b(40 + std::size_t(row) * std::size_t(height));
    const auto put = [&b](std::size_t at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) b[at + std::size_t(i)] = static_cast<unsigned char>(v >> (8 * i));
    };
    put(0, 40, 4);
    put(4, std::uint32_t(width), 4);
    put(8, std::uint32_t(height), 4);
    put(12, 1, 2);
    put(14, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(40 + std::size_t(height - 1 - y) * std::size_t(row) + std::size_t(x) * 3, colour(x, y), 3);
    return b;
}

constexpr std::uint32_t white = 0xFFFFFF, red = 0xFF0000, green = 0x00FF00;

struct Resources {
    std::map<std::int32_t, std::vector<unsigned char>> bytes;
    korvel::render::Bitmaps bitmaps() const {
        return korvel::render::Bitmaps([this](std::int32_t id) -> std::optional<std::vector<unsigned char>> {
            const auto it = bytes.find(id);
            if (it == bytes.end()) return std::nullopt;
            return it->second;
        });
    }
};

Picture painted(const DisplayList& list, korvel::render::Bitmaps& bitmaps) {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, list.width, list.height));
    cairo_t* cr = cairo_create(s.get());
    korvel::render::paint(cr, list, bitmaps);
    cairo_destroy(cr);
    cairo_surface_flush(s.get());
    return {std::move(s)};
}

Image image_of(std::int32_t bitmap, Matrix placed, double alpha = 1.0) {
    Image image;
    image.bitmap = bitmap;
    image.transform = placed;
    image.alpha = alpha;
    return image;
}

DisplayList one_image(int width, int height, Image image) { return {width, height, {{0, std::move(image)}}}; }

int alpha(const Picture& p, int x, int y) { return int(p.at(x, y) >> 24); }

TEST(Painter, TheMatrixTakesBitmapPixelsToGaugePixelsAsCairoOrdersIt) {
    Resources r;
    r.bytes[1] = bitmap_resource(2, 1, [](int x, int) { return x == 0 ? red : green; });
    auto bitmaps = r.bitmaps();
    const Picture moved = painted(one_image(4, 4, image_of(1, Matrix{1, 0, 0, 1, 1, 2})), bitmaps);
    EXPECT_EQ(moved.at(1, 2), 0xFFFF0000u);
    EXPECT_EQ(moved.at(2, 2), 0xFF00FF00u);
    EXPECT_EQ(alpha(moved, 0, 2), 0);
    // A quarter turn with yx = 1 takes the bitmap's +x down the gauge: the
    // sense needles and sprites are turned in.
    const Picture turned = painted(one_image(4, 4, image_of(1, Matrix{0, 1, -1, 0, 1, 0})), bitmaps);
    EXPECT_EQ(turned.at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(turned.at(0, 1), 0xFF00FF00u);
}

TEST(Painter, AMaskLetsTheImageThroughOnlyWhereItIsNotBlackAndNowhereOutsideIt) {
    Resources r;
    r.bytes[1] = bitmap_resource(6, 4, [](int, int) { return white; });
    r.bytes[2] = bitmap_resource(3, 4, [](int x, int) { return x == 0 ? 0u : 0x202020u; });
    auto bitmaps = r.bitmaps();
    Image image = image_of(1, Matrix{});
    image.mask = korvel::render::Mask{2, 2, 0};
    const Picture p = painted(one_image(6, 4, image), bitmaps);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(alpha(p, 0, y), 0) << "left of the mask";
        EXPECT_EQ(alpha(p, 1, y), 0);
        EXPECT_EQ(alpha(p, 2, y), 0) << "the mask's black";
        EXPECT_EQ(p.at(3, y), 0xFFFFFFFFu) << "the image, as it is, through the mask";
        EXPECT_EQ(p.at(4, y), 0xFFFFFFFFu);
        EXPECT_EQ(alpha(p, 5, y), 0) << "right of the mask";
    }
}

TEST(Painter, AlphaDimsTheImageAndAClipCutsItWithOrWithoutAMask) {
    Resources r;
    r.bytes[1] = bitmap_resource(4, 4, [](int, int) { return white; });
    r.bytes[2] = bitmap_resource(4, 4, [](int, int y) { return y < 2 ? white : 0u; });
    auto bitmaps = r.bitmaps();
    const int dimmed = int(std::lround(0.45 * 255));
    Image image = image_of(1, Matrix{}, 0.45);
    image.clip = korvel::render::Rect{1, 1, 2, 3};
    const Picture clipped = painted(one_image(4, 4, image), bitmaps);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_NEAR(alpha(clipped, x, y), x >= 1 && x < 3 && y >= 1 ? dimmed : 0, 1) << x << "," << y;
    image.mask = korvel::render::Mask{2, 0, 0};
    const Picture masked = painted(one_image(4, 4, image), bitmaps);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_NEAR(alpha(masked, x, y), x >= 1 && x < 3 && y == 1 ? dimmed : 0, 1) << x << "," << y;
}

TEST(Painter, TextIsSetInsideItsBoxCentredAcrossIt) {
    korvel::render::Text text;
    text.text = "88";
    text.box = {4, 2, 40, 16};
    text.font_face = "DejaVu Sans";
    text.font_size = 12;
    text.colour = {255, 255, 0};
    text.centred_across = true;
    text.centred_down = true;
    Resources r;
    auto bitmaps = r.bitmaps();
    const Picture p = painted({48, 20, {{0, text}}}, bitmaps);
    int left = p.width(), right = -1, inked = 0;
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            if (alpha(p, x, y) == 0) continue;
            ++inked;
            EXPECT_TRUE(x >= 4 && x < 44 && y >= 2 && y < 18) << "ink outside the box at " << x << "," << y;
            left = std::min(left, x);
            right = std::max(right, x);
        }
    ASSERT_GT(inked, 20);
    EXPECT_NEAR((left - 4) - (43 - right), 0, 3) << "as much room on either side";
    EXPECT_GT(left, 10) << "not set from the box's left edge";
}

TEST(Painter, ShrunkAGaugeIsComposedWithinItsOwnPixelsFirst) {
    Resources r;
    r.bytes[1] = bitmap_resource(8, 8, [](int, int) { return white; });
    auto bitmaps = r.bitmaps();
    const auto shrunk = [&](const DisplayList& list) {
        Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8));
        cairo_t* cr = cairo_create(s.get());
        cairo_scale(cr, 0.5, 0.5);
        korvel::render::paint(cr, list, bitmaps);
        cairo_destroy(cr);
        cairo_surface_flush(s.get());
        return Picture{std::move(s)};
    };
    shrunk({8, 8, {}});
    // A 4 by 4 gauge with a bitmap twice its size: only the gauge's own
    // pixels show, a quarter of the bitmap, shrunk to 2 by 2.
    const Picture small = shrunk(one_image(4, 4, image_of(1, Matrix{})));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(alpha(small, x, y), x < 2 && y < 2 ? 255 : 0) << x << "," << y;
    // A larger gauge drawn next shows nothing of what the first left out.
    const Picture empty = shrunk({8, 8, {}});
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(alpha(empty, x, y), 0) << x << "," << y;
}

// A window draws its gauges smaller than their pixels, one after another.
TEST(Renderer, GaugesDrawnSmallerStayInTheirBoxesAndNeverShowThroughEachOther) {
    Host host;
    PlacedGauge& airspeed = host.place("Airspeed");
    PlacedGauge& clock = host.place("Clock");
    PlacedGauge& com = host.place("Radio_COM");
    auto bitmaps = korvel::render::module_bitmaps(host);
    host.update();
    const auto shrunk = [&](PlacedGauge& g) {
        Surface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 300, 300));
        cairo_t* cr = cairo_create(s.get());
        cairo_translate(cr, 20, 10);
        cairo_scale(cr, 0.5, 0.5);
        korvel::render::draw_gauge(cr, g, bitmaps);
        cairo_destroy(cr);
        cairo_surface_flush(s.get());
        return Picture{std::move(s)};
    };
    const Picture first = shrunk(airspeed);
    const auto size = korvel::render::gauge_pixels(airspeed, bitmaps);
    int inside = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            const bool in_box = x >= 20 && x < 20 + size.width / 2 && y >= 10 && y < 10 + size.height / 2;
            if (!in_box) {
                EXPECT_EQ(first.at(x, y) >> 24, 0u) << x << "," << y;
            }
            inside += in_box && first.opaque(x, y);
        }
    EXPECT_GT(inside, size.width * size.height / 4 / 2) << "the dial drew";
    shrunk(com);
    shrunk(clock);
    EXPECT_TRUE(changed(first, shrunk(airspeed)).empty()) << "nothing of the gauges drawn between is left";
}

// ---------------------------------------------------------------------------
// Pictures written as PNG files read back as cairo's own writer's do.

std::string temporary(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("korvel-png-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

Surface read_png(const std::string& path) { return Surface(cairo_image_surface_create_from_png(path.c_str())); }

void expect_same_pixels(cairo_surface_t* a, cairo_surface_t* b) {
    ASSERT_EQ(cairo_surface_status(a), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_surface_status(b), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_format(a), cairo_image_surface_get_format(b));
    const Picture pa{Surface(cairo_surface_reference(a))}, pb{Surface(cairo_surface_reference(b))};
    ASSERT_EQ(pa.width(), pb.width());
    ASSERT_EQ(pa.height(), pb.height());
    const std::uint32_t keep = cairo_image_surface_get_format(a) == CAIRO_FORMAT_RGB24 ? 0xFFFFFFu : 0xFFFFFFFFu;
    int differing = 0;
    for (int y = 0; y < pa.height(); ++y)
        for (int x = 0; x < pa.width(); ++x) differing += (pa.at(x, y) & keep) != (pb.at(x, y) & keep);
    EXPECT_EQ(differing, 0);
}

TEST(PngFile, PicturesReadBackAsCairosOwnWriterWritesThem) {
    for (const cairo_format_t format : {CAIRO_FORMAT_RGB24, CAIRO_FORMAT_ARGB32}) {
        SCOPED_TRACE(format == CAIRO_FORMAT_RGB24 ? "RGB24" : "ARGB32");
        // Every channel value somewhere, partly transparent where alpha counts,
        // on an odd width so rows do not line up with words.
        Surface s(cairo_image_surface_create(format, 257, 19));
        cairo_t* cr = cairo_create(s.get());
        for (int x = 0; x < 257; ++x) {
            cairo_set_source_rgba(cr, x / 256.0, (256 - x) / 256.0, (x * 7 % 257) / 256.0, 0.2 + x / 320.0);
            cairo_rectangle(cr, x, 0, 1, 19);
            cairo_fill(cr);
        }
        cairo_destroy(cr);
        const std::string ours = temporary("ours.png"), theirs = temporary("theirs.png");
        const auto failure = korvel::render::write_png_file(s.get(), ours);
        ASSERT_FALSE(failure) << *failure;
        ASSERT_EQ(cairo_surface_write_to_png(s.get(), theirs.c_str()), CAIRO_STATUS_SUCCESS);
        expect_same_pixels(read_png(ours).get(), read_png(theirs).get());
        std::filesystem::remove(ours);
        std::filesystem::remove(theirs);
    }
}

TEST(PngFile, AFileThatCannotBeWrittenIsAReasonNotACrash) {
    Surface s(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 4));
    const auto failure = korvel::render::write_png_file(s.get(), "/no/such/folder/x.png");
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->empty());
    Surface broken(cairo_image_surface_create(CAIRO_FORMAT_RGB24, -1, 4));
    EXPECT_TRUE(korvel::render::write_png_file(broken.get(), temporary("broken.png")).has_value());
}

}  // namespace
