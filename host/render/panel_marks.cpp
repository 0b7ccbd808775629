#include "host/render/panel_marks.h"

#include <algorithm>
#include <string>

#include "host/core/cp1252.h"
#include "host/render/renderer.h"

namespace korvel::render {

namespace {

constexpr double unplaced_width = 120;  // a line that gives no size: room for its label
constexpr double unplaced_height = 30;  // without its gauge, a line has no proportions to keep

void label(cairo_t* cr, double x, double y, const std::string& text, double size) {
    cairo_select_font_face(cr, "DejaVu Sans Condensed", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

void grid(cairo_t* cr, int width, int height) {
    cairo_save(cr);
    cairo_set_line_width(cr, 1);
    for (int step : {10, 100}) {
        cairo_set_source_rgba(cr, 1, 1, 1, step == 10 ? 0.12 : 0.35);
        for (int x = step; x < width; x += step) {
            cairo_move_to(cr, x + 0.5, 0);
            cairo_line_to(cr, x + 0.5, height);
        }
        for (int y = step; y < height; y += step) {
            cairo_move_to(cr, 0, y + 0.5);
            cairo_line_to(cr, width, y + 0.5);
        }
        cairo_stroke(cr);
    }
    cairo_set_source_rgba(cr, 1, 1, 1, 0.8);
    for (int x = 100; x < width; x += 100) label(cr, x + 2, 10, std::to_string(x), 9);
    for (int y = 100; y < height; y += 100) label(cr, 2, y - 2, std::to_string(y), 9);
    cairo_restore(cr);
}

void area(cairo_t* cr, const host::Area& a, const host::GaugeSize& size) {
    if (a.unbounded)
        cairo_rectangle(cr, 0, 0, size.width, size.height);
    else
        cairo_rectangle(cr, a.box.x, a.box.y, a.box.width, a.box.height);
}

}  // namespace

void mark_unplaced(cairo_t* cr, const panel::Window& window) {
    cairo_save(cr);
    for (const panel::GaugeLine& g : window.refused) {
        const double w = g.width ? *g.width : unplaced_width;
        const double h = g.height ? *g.height : unplaced_height;
        cairo_rectangle(cr, g.x + 1, g.y + 1, w - 2, h - 2);
        cairo_set_source_rgba(cr, 0.8, 0.1, 0.1, 0.35);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.95, 0.15, 0.1);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_rectangle(cr, g.x, g.y, w, h);
        cairo_clip(cr);
        cairo_set_source_rgb(cr, 1, 0.85, 0.8);
        label(cr, g.x + 4, g.y + 13, g.key + ": not placed", 11);
        label(cr, g.x + 4, g.y + 26, host::utf8_from_cp1252(g.module + "!" + g.gauge), 11);
        cairo_restore(cr);
    }
    cairo_restore(cr);
}

void draw_areas(cairo_t* cr, const panel::WindowLayout& layout, const panel::PanelSession& session, Bitmaps& bitmaps) {
    grid(cr, layout.width, layout.height);
    for (const panel::PlacedLine& p : session.placed()) {
        if (p.window != layout.window || p.gauge == nullptr) continue;
        const host::GaugeSize size = gauge_pixels(*p.gauge, bitmaps);
        cairo_save(cr);
        cairo_translate(cr, p.box.x, p.box.y);
        cairo_scale(cr, double(p.box.width) / size.width, double(p.box.height) / size.height);
        for (const host::ParentArea& parent : p.mouse.parents()) {
            if (parent.tooltip == nullptr && parent.rect->help_id == 0) continue;
            area(cr, parent.area, size);
        }
        cairo_restore(cr);
        const double dashes[] = {4, 3};
        cairo_set_dash(cr, dashes, 2, 0);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgba(cr, 1, 0.85, 0.1, 0.9);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);

        cairo_save(cr);
        cairo_translate(cr, p.box.x, p.box.y);
        cairo_scale(cr, double(p.box.width) / size.width, double(p.box.height) / size.height);
        for (const host::ChildArea& child : p.mouse.children()) area(cr, child.area, size);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0.1, 0.8, 1, 0.3);
        cairo_fill_preserve(cr);
        cairo_set_source_rgba(cr, 0.1, 0.8, 1, 0.95);
        cairo_stroke(cr);
    }
}

}  // namespace korvel::render
