#include "host/render/panel_render.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "host/render/renderer.h"

namespace korvel::render {

namespace {

constexpr double title_height = 22;
constexpr double gap = 16;

std::optional<std::vector<unsigned char>> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

int window_height(const panel::Window& w, const panel::PanelSession& session, Bitmaps& bitmaps) {
    if (w.height) return *w.height;
    int h = 1;
    for (const panel::PlacedLine& p : session.placed()) {
        if (p.window != &w) continue;
        const host::GaugeSize size = gauge_pixels(*p.gauge, bitmaps);
        const int gh = p.line->height.value_or(int(std::lround(p.line->width * double(size.height) / size.width)));
        h = std::max(h, p.line->y + gh);
    }
    return h;
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

}  // namespace

Surface draw_window(const panel::Window& window, const panel::PanelSession& session, Bitmaps& bitmaps,
                    const std::string& panel_folder) {
    const int width = std::max(1, window.width);
    const int height = window_height(window, session, bitmaps);
    Surface out(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
    cairo_t* cr = cairo_create(out.get());
    bool background = false;
    if (!window.file.empty()) {
        if (auto bytes = read_file(panel_folder + "/" + window.file)) {
            if (Surface b = decode_bitmap(*bytes)) {
                cairo_save(cr);
                cairo_scale(cr, double(width) / cairo_image_surface_get_width(b.get()),
                            double(height) / cairo_image_surface_get_height(b.get()));
                cairo_set_source_surface(cr, b.get(), 0, 0);
                cairo_paint(cr);
                cairo_restore(cr);
                background = true;
            }
        }
    }
    if (!background) panel_paint(cr, width, height);

    for (const panel::PlacedLine& p : session.placed()) {
        if (p.window != &window) continue;
        const host::GaugeSize size = gauge_pixels(*p.gauge, bitmaps);
        const double sx = double(p.line->width) / size.width;
        const double sy = p.line->height ? double(*p.line->height) / size.height : sx;
        cairo_save(cr);
        cairo_translate(cr, p.line->x, p.line->y);
        cairo_scale(cr, sx, sy);
        draw_gauge(cr, *p.gauge, bitmaps);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    return out;
}

Surface draw_overview(const std::vector<WindowPicture>& windows) {
    // The main panel (the first window) across the top, the others in a row below.
    double width = gap, row_height = 0;
    for (std::size_t i = 1; i < windows.size(); ++i) {
        width += cairo_image_surface_get_width(windows[i].image.get()) + gap;
        row_height = std::max(row_height, double(cairo_image_surface_get_height(windows[i].image.get())));
    }
    const double main_w = windows.empty() ? 0 : cairo_image_surface_get_width(windows[0].image.get());
    const double main_h = windows.empty() ? 0 : cairo_image_surface_get_height(windows[0].image.get());
    width = std::max(width, main_w + 2 * gap);
    const double height = gap + title_height + main_h + (windows.size() > 1 ? gap + title_height + row_height : 0) + gap;
    Surface out(cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(width), int(height)));
    cairo_t* cr = cairo_create(out.get());
    cairo_set_source_rgb(cr, 0.08, 0.08, 0.09);
    cairo_paint(cr);
    const auto place = [&](const WindowPicture& p, double x, double y) {
        const std::string title = !p.window->title.empty() ? p.window->title : "Window " + std::to_string(p.window->number);
        cairo_select_font_face(cr, "DejaVu Sans Condensed", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
        cairo_set_font_size(cr, 14);
        cairo_set_source_rgb(cr, 0.85, 0.85, 0.82);
        cairo_move_to(cr, x, y + 15);
        cairo_show_text(cr, title.c_str());
        cairo_set_source_surface(cr, p.image.get(), x, y + title_height);
        cairo_paint(cr);
    };
    if (!windows.empty()) place(windows[0], gap, gap);
    double x = gap;
    for (std::size_t i = 1; i < windows.size(); ++i) {
        place(windows[i], x, gap + title_height + main_h + gap);
        x += cairo_image_surface_get_width(windows[i].image.get()) + gap;
    }
    cairo_destroy(cr);
    return out;
}

void write_png(cairo_surface_t* surface, const std::string& path) {
    if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace korvel::render
