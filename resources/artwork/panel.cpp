// Artwork of the panel buttons, the registration plate and the two
// invisible gauges.
#include <cmath>

#include "resources/artwork/paint.h"
#include "resources/artwork/registry.h"

namespace art {

namespace {

// Wholly transparent bitmaps: the gauge draws nothing.
void transparent(Canvas&) {}

// A small square push button: a dark cap in a grey bevelled rim.
void button(Canvas& c) {
    cairo_t* cr = c.cr();
    const double s = c.width();
    rounded_rect(cr, 0.5, 0.5, s - 1, s - 1, s * 0.2, colour::bezel_dark);
    rounded_rect(cr, 1.2, 1.2, s - 2.4, s - 2.4, s * 0.18, colour::bezel_light);
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, 2, 0, s - 2);
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.26, 0.27, 0.28);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.11, 0.11, 0.12);
    cairo_new_path(cr);
    cairo_rectangle(cr, 2.5, 2.5, s - 5, s - 5);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
}

void lettered(Canvas& c, const char* letters, double size, Rgb ink = colour::marking) {
    button(c);
    text(c.cr(), letters, {c.width() / 2.0, c.height() / 2.0}, size, ink, Align::centre, Weight::bold);
}

void kneeboard(Canvas& c) {
    button(c);
    cairo_t* cr = c.cr();
    fill_rect(cr, 6, 5, 7, 10, {0.90, 0.88, 0.80});
    fill_rect(cr, 7.5, 3.5, 4, 2.5, colour::bezel_light);
    for (double y : {8.0, 10.0, 12.0}) line(cr, {7, y}, {12, y}, 0.7, {0.35, 0.35, 0.40});
}

void map(Canvas& c) {
    cairo_t* cr = c.cr();
    rounded_rect(cr, 0.5, 0.5, 11, 11, 2, colour::bezel_dark);
    fill_rect(cr, 2, 2, 8, 8, {0.62, 0.74, 0.55});
    line(cr, {2, 8}, {6, 4}, 0.9, {0.30, 0.45, 0.75});
    line(cr, {6, 4}, {10, 6}, 0.9, {0.30, 0.45, 0.75});
    fill_circle(cr, {6, 4}, 1.2, colour::red);
}

void atc(Canvas& c) {
    button(c);
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    cairo_arc(cr, 9.5, 10, 4.5, 3.14159, 2 * 3.14159);
    cairo_set_line_width(cr, 1.3);
    set(cr, colour::marking);
    cairo_stroke(cr);
    fill_rect(cr, 4, 9.5, 2, 4, colour::marking);
    fill_rect(cr, 13, 9.5, 2, 4, colour::marking);
    line(cr, {14, 13.5}, {11, 15.5}, 1.0, colour::marking);
}

void close_subpanel(Canvas& c) {
    button(c);
    line(c.cr(), {6, 6}, {13, 13}, 1.8, colour::red);
    line(c.cr(), {13, 6}, {6, 13}, 1.8, colour::red);
}

void radios(Canvas& c) {
    button(c);
    cairo_t* cr = c.cr();
    fill_circle(cr, {9.5, 12}, 1.3, colour::marking);
    for (double r : {3.5, 6.0}) {
        cairo_new_path(cr);
        cairo_arc(cr, 9.5, 12, r, -2.4, -0.74);
        cairo_set_line_width(cr, 1.1);
        set(cr, colour::marking);
        cairo_stroke(cr);
    }
}

void landing_view(Canvas& c) {
    button(c);
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    cairo_move_to(cr, 8, 5);
    cairo_line_to(cr, 11, 5);
    cairo_line_to(cr, 14, 15);
    cairo_line_to(cr, 5, 15);
    cairo_close_path(cr);
    set(cr, {0.45, 0.45, 0.47});
    cairo_fill(cr);
    for (double y : {7.0, 10.0, 13.0}) line(cr, {9.5, y}, {9.5, y + 1.5}, 0.8, colour::marking);
}

void throttle(Canvas& c) {
    button(c);
    cairo_t* cr = c.cr();
    fill_rect(cr, 9, 5, 1.5, 10, colour::dim_marking);
    rounded_rect(cr, 6.5, 5, 6.5, 3.5, 1.2, colour::marking);
}

void compass(Canvas& c) {
    button(c);
    cairo_t* cr = c.cr();
    ring(cr, {9.5, 9.5}, 5.5, 4.6, colour::marking);
    cairo_new_path(cr);
    cairo_move_to(cr, 9.5, 4.5);
    cairo_line_to(cr, 11, 9.5);
    cairo_line_to(cr, 8, 9.5);
    cairo_close_path(cr);
    set(cr, colour::red);
    cairo_fill(cr);
}

void fuel(Canvas& c) {
    button(c);
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    cairo_move_to(cr, 9.5, 4.5);
    cairo_curve_to(cr, 13.5, 9.5, 13.5, 14.5, 9.5, 14.5);
    cairo_curve_to(cr, 5.5, 14.5, 5.5, 9.5, 9.5, 4.5);
    set(cr, colour::amber);
    cairo_fill(cr);
}

void electricity(Canvas& c) {
    button(c);
    cairo_t* cr = c.cr();
    cairo_new_path(cr);
    cairo_move_to(cr, 11, 3.5);
    cairo_line_to(cr, 6.5, 10.5);
    cairo_line_to(cr, 9.5, 10.5);
    cairo_line_to(cr, 8, 15.5);
    cairo_line_to(cr, 12.5, 8.5);
    cairo_line_to(cr, 9.5, 8.5);
    cairo_close_path(cr);
    set(cr, colour::yellow);
    cairo_fill(cr);
}

void gps(Canvas& c) { lettered(c, "GPS", 4.2, {0.55, 0.85, 0.55}); }
void vfr(Canvas& c) { lettered(c, "VFR", 4.2); }
void ifr(Canvas& c) { lettered(c, "IFR", 4.2); }

// clang-format off
const Artwork artwork[] = {
    {40, 5, 5, 8, transparent, "invisible gauges"},
    {50, 150, 25, 8, transparent, "registration plate"},
    {60, 19, 19, 24, kneeboard, "kneeboard button"},
    {70, 12, 12, 8, map, "map button"},
    {80, 19, 19, 8, atc, "ATC button"},
    {100, 19, 19, 8, transparent, "invisible button"},
    {110, 19, 19, 8, close_subpanel, "close subpanel"},
    {120, 19, 19, 8, radios, "radios"},
    {130, 19, 19, 8, landing_view, "landing view"},
    {140, 19, 19, 8, gps, "GPS"},
    {150, 19, 19, 8, throttle, "throttle"},
    {160, 19, 19, 8, compass, "compass"},
    {170, 19, 19, 8, fuel, "fuel"},
    {180, 19, 19, 8, vfr, "VFR panel"},
    {190, 19, 19, 8, ifr, "IFR panel"},
    {200, 19, 19, 8, electricity, "electricity"},
};
// clang-format on

}  // namespace

std::span<const Artwork> panel_artwork() { return artwork; }

}  // namespace art
