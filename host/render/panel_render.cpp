#include "host/render/panel_render.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "host/core/cp1252.h"
#include "host/render/panel_marks.h"
#include "host/render/png_file.h"
#include "host/render/renderer.h"

namespace korvel::render {

namespace {

constexpr double title_height = 22;
constexpr double gap = 16;
constexpr int largest_overview = 32767;  // beyond it cairo makes no surface
constexpr double title_size = 14;

std::optional<std::vector<unsigned char>> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void panel_paint(cairo_t* cr, double w, double h) {
    cairo_pattern_t* paint = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(paint, 0, 0.27, 0.28, 0.29);
    cairo_pattern_add_color_stop_rgb(paint, 1, 0.20, 0.21, 0.22);
    cairo_rectangle(cr, 0, 0, w, h);
    cairo_set_source(cr, paint);
    cairo_fill(cr);
    cairo_pattern_destroy(paint);
}

// Another module's gauge: where it sits, and its name, so that the designer
// sees the whole panel's layout.
void outline(cairo_t* cr, const panel::GaugeLine& g) {
    const double w = *g.width;
    const double h = g.height.value_or(*g.width);
    cairo_save(cr);
    cairo_rectangle(cr, g.x + 0.5, g.y + 0.5, w - 1, h - 1);
    cairo_set_source_rgba(cr, 0.05, 0.05, 0.06, 0.55);
    cairo_fill_preserve(cr);
    const double dashes[] = {5, 3};
    cairo_set_dash(cr, dashes, g.height ? 0 : 2, 0);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgb(cr, 0.95, 0.75, 0.2);
    cairo_stroke(cr);
    cairo_rectangle(cr, g.x, g.y, w, h);
    cairo_clip(cr);
    cairo_select_font_face(cr, "DejaVu Sans Condensed", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, std::clamp(w / 12, 7.0, 12.0));
    const std::string module = host::utf8_from_cp1252(g.module);
    const std::string gauge = host::utf8_from_cp1252(g.gauge);
    cairo_move_to(cr, g.x + 3, g.y + 12);
    cairo_show_text(cr, module.c_str());
    cairo_move_to(cr, g.x + 3, g.y + 25);
    cairo_show_text(cr, gauge.c_str());
    cairo_restore(cr);
}

void check(cairo_surface_t* surface, const std::string& what) {
    if (const cairo_status_t status = cairo_surface_status(surface); status != CAIRO_STATUS_SUCCESS)
        throw RenderError("cairo could not make " + what + ": " + cairo_status_to_string(status));
}

std::string title_of(const WindowPicture& p) {
    const panel::Window& w = *p.window;
    return host::utf8_from_cp1252(!w.title.empty() ? w.title : "Window " + std::to_string(w.number)) +
           (p.hidden ? " (hidden)" : "");
}

void title_font(cairo_t* cr) {
    cairo_select_font_face(cr, "DejaVu Sans Condensed", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, title_size);
}

// How far each title reaches to the right of where it starts.
std::vector<double> title_widths(const std::vector<WindowPicture>& windows) {
    Surface scratch(cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1));
    cairo_t* cr = cairo_create(scratch.get());
    title_font(cr);
    std::vector<double> widths;
    for (const WindowPicture& p : windows) {
        cairo_text_extents_t extents;
        cairo_text_extents(cr, title_of(p).c_str(), &extents);
        widths.push_back(std::ceil(std::max(extents.x_advance, extents.x_bearing + extents.width)));
    }
    cairo_destroy(cr);
    return widths;
}

}  // namespace

Surface draw_window(const panel::WindowLayout& layout, const panel::PanelSession& session, Bitmaps& bitmaps,
                    const DrawOptions& options) {
    const panel::Window& window = *layout.window;
    const std::string what = "the picture of " + panel::window_description(window);
    if (layout.width > panel::largest_window_side || layout.height > panel::largest_window_side)
        throw RenderError(what + ": " + std::to_string(layout.width) + " by " + std::to_string(layout.height) +
                          " is larger than " + std::to_string(panel::largest_window_side) + " pixels a side");
    Surface out = image_surface(CAIRO_FORMAT_RGB24, layout.width, layout.height);
    check(out.get(), what);
    cairo_t* cr = cairo_create(out.get());
    bool background = false;
    if (!layout.background.empty()) {
        if (auto bytes = read_file(layout.background)) {
            if (Surface b = decode_bitmap(*bytes)) {
                cairo_save(cr);
                cairo_scale(cr, double(layout.width) / cairo_image_surface_get_width(b.get()),
                            double(layout.height) / cairo_image_surface_get_height(b.get()));
                cairo_set_source_surface(cr, b.get(), 0, 0);
                cairo_paint(cr);
                cairo_restore(cr);
                background = true;
            }
        }
    }
    if (!background && window.background_color) {
        const panel::Colour& c = *window.background_color;
        cairo_set_source_rgb(cr, c[0] / 255.0, c[1] / 255.0, c[2] / 255.0);
        cairo_paint(cr);
    } else if (!background) {
        panel_paint(cr, layout.width, layout.height);
    }

    for (const panel::GaugeLine& other : window.others)
        if (other.width) outline(cr, other);
    for (const panel::PlacedLine& p : session.placed()) {
        if (p.window != &window || p.gauge == nullptr) continue;
        const host::GaugeSize size = gauge_pixels(*p.gauge, bitmaps);
        cairo_save(cr);
        cairo_translate(cr, p.box.x, p.box.y);
        cairo_scale(cr, double(p.box.width) / size.width, double(p.box.height) / size.height);
        draw_gauge(cr, *p.gauge, bitmaps);
        cairo_restore(cr);
    }
    mark_unplaced(cr, window);
    if (options.areas) draw_areas(cr, layout, session, bitmaps);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status != CAIRO_STATUS_SUCCESS)
        throw RenderError("cairo could not draw " + what + ": " + cairo_status_to_string(status));
    return out;
}

Surface draw_overview(const std::vector<WindowPicture>& windows) {
    // Each window has room for its title as well as its picture, so that a
    // narrow window's title is neither cut nor printed over its neighbour's.
    const std::vector<double> titles = title_widths(windows);
    const auto slot = [&](std::size_t i) {
        return std::max(double(cairo_image_surface_get_width(windows[i].image.get())), titles[i]);
    };
    double width = gap, row_height = 0;
    for (std::size_t i = 1; i < windows.size(); ++i) {
        width += slot(i) + gap;
        row_height = std::max(row_height, double(cairo_image_surface_get_height(windows[i].image.get())));
    }
    const double main_w = windows.empty() ? 0 : slot(0);
    const double main_h = windows.empty() ? 0 : cairo_image_surface_get_height(windows[0].image.get());
    width = std::max(width, main_w + 2 * gap);
    const double height =
        gap + title_height + main_h + (windows.size() > 1 ? gap + title_height + row_height : 0) + gap;
    if (width > largest_overview || height > largest_overview)
        throw RenderError("the overview of " + std::to_string(windows.size()) + " windows would be " +
                          std::to_string(int(width)) + " by " + std::to_string(int(height)) +
                          " pixels; draw one window with --window");
    Surface out = image_surface(CAIRO_FORMAT_RGB24, int(std::ceil(width)), int(std::ceil(height)));
    check(out.get(), "the overview");
    cairo_t* cr = cairo_create(out.get());
    cairo_set_source_rgb(cr, 0.08, 0.08, 0.09);
    cairo_paint(cr);
    const auto place = [&](const WindowPicture& p, double x, double y) {
        title_font(cr);
        if (p.hidden)
            cairo_set_source_rgb(cr, 0.95, 0.65, 0.3);
        else
            cairo_set_source_rgb(cr, 0.85, 0.85, 0.82);
        cairo_move_to(cr, x, y + 15);
        cairo_show_text(cr, title_of(p).c_str());
        cairo_set_source_surface(cr, p.image.get(), x, y + title_height);
        cairo_paint(cr);
    };
    if (!windows.empty()) place(windows[0], gap, gap);
    double x = gap;
    for (std::size_t i = 1; i < windows.size(); ++i) {
        place(windows[i], x, gap + title_height + main_h + gap);
        x += slot(i) + gap;
    }
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status != CAIRO_STATUS_SUCCESS)
        throw RenderError(std::string("cairo could not draw the overview: ") + cairo_status_to_string(status));
    return out;
}

void write_png(cairo_surface_t* surface, const std::string& path) {
    check(surface, path);
    if (const auto failure = write_png_file(surface, path)) throw RenderError("cannot write " + path + ": " + *failure);
}

}  // namespace korvel::render
