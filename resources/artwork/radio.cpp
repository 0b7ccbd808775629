// Artwork of the radio family: COM1, the three NAV faces, the ADF and the
// transponder. Grey panels with recessed near-black windows, ridged knobs,
// toggle levers and lamps, lettered in the panel's one typeface.
//
// Every switch and button picture repeats the face beneath it and draws its
// lever or cap on top, so that an icon covers its whole box and still joins
// the face without a seam.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "resources/artwork/paint.h"
#include "resources/artwork/registry.h"
#include "resources/artwork/scales.h"

namespace art {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr const char* typeface = "DejaVu Sans Condensed";
constexpr double cap_height = 0.73;  // of the em, in that face

constexpr Rgb white{1.0, 1.0, 1.0};
constexpr Rgb engraving{0.16, 0.16, 0.17};
constexpr Rgb lamp_hue = colour::green;

double radians(double clockwise_from_top) { return (clockwise_from_top - 90.0) * pi / 180.0; }

using FaceDrawing = void (*)(cairo_t*);

// The face as it lies under a box of it, for the icons drawn over that box.
void face_under(Canvas& c, FaceDrawing face, double x, double y) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_translate(cr, -x, -y);
    face(cr);
    cairo_restore(cr);
}

void corner_screws(cairo_t* cr, double w, double h, double inset, double radius) {
    for (Point p : {Point{inset, inset}, Point{w - inset, inset}, Point{inset, h - inset}, Point{w - inset, h - inset}})
        screw(cr, p, radius);
}

// A window set into the panel: the lip shadowed along its upper and left
// edges and catching the light along the lower and right ones.
void recessed(cairo_t* cr, double x, double y, double w, double h, double corner = 1.5) {
    rounded_rect(cr, x - 2.5, y - 2.5, w + 5, h + 5, corner + 2.5, colour::bezel_light);
    rounded_rect(cr, x - 2.5, y - 2.5, w + 4, h + 4, corner + 2.5, colour::bezel_dark);
    rounded_rect(cr, x - 1, y - 1, w + 2, h + 2, corner + 1, {0.06, 0.06, 0.06});
    rounded_rect(cr, x, y, w, h, corner, colour::face);
}

void triangle(cairo_t* cr, Point tip, double width, double height, Rgb c) {
    // height > 0 points down, < 0 up.
    cairo_new_path(cr);
    cairo_move_to(cr, tip.x, tip.y);
    cairo_line_to(cr, tip.x - width / 2, tip.y - height);
    cairo_line_to(cr, tip.x + width / 2, tip.y - height);
    cairo_close_path(cr);
    set(cr, c);
    cairo_fill(cr);
}

// Bold lettering for marks that must read at a glance ("-", "+", titles).
void bold(cairo_t* cr, const std::string& s, Point at, double size, Rgb c = colour::marking) {
    text(cr, s, at, size, c, Align::centre, Weight::bold);
}

// Letters set one by one round a circle, each upright to the centre, the
// middle of the word at the angle: text_on_circle would set it on a straight
// tangent, which leaves a long legend's ends off a narrow curved window.
// Each letter keeps its own advance, so that the spacing stays even.
void text_along(cairo_t* cr, const std::string& s, Point centre, double angle, double radius, double size, Rgb c) {
    cairo_save(cr);
    cairo_select_font_face(cr, typeface, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size / cap_height);
    set(cr, c);
    const auto advance = [cr](char ch) {
        const char one[2] = {ch, 0};
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        return e.x_advance;
    };
    double total = 0;
    for (char ch : s) total += advance(ch);
    const double degrees_per_pixel = 180.0 / (pi * radius);
    double along = -total / 2;
    for (char ch : s) {
        const double w = advance(ch);
        const double a = angle + (along + w / 2) * degrees_per_pixel;
        const Point p = at_angle(centre, a, radius);
        const char one[2] = {ch, 0};
        cairo_save(cr);
        cairo_translate(cr, p.x, p.y);
        cairo_rotate(cr, a * pi / 180.0);
        cairo_move_to(cr, -w / 2, size / 2);
        cairo_show_text(cr, one);
        cairo_new_path(cr);
        cairo_restore(cr);
        along += w;
    }
    cairo_restore(cr);
}

// A numeral set along a circle, its baseline tangent, turned over on the
// lower half so that none stands on its head: three scales share one dial,
// and lying along their circles they keep off each other's rings.
void numeral_on_circle(cairo_t* cr, const std::string& s, Point centre, double angle, double radius, double size,
                       Rgb c) {
    const double a = std::fmod(angle + 360.0, 360.0);
    const bool lower = a > 90.0 && a < 270.0;
    cairo_save(cr);
    const Point p = at_angle(centre, a, radius);
    cairo_translate(cr, p.x, p.y);
    cairo_rotate(cr, (lower ? a - 180.0 : a) * pi / 180.0);
    text(cr, s, {0, 0}, size, c, Align::centre, Weight::bold);
    cairo_restore(cr);
}

// The sector of a ring between two radii and two angles, as a path.
void sector_path(cairo_t* cr, Point c, double inner, double outer, double from, double to) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, outer, radians(from), radians(to));
    cairo_arc_negative(cr, c.x, c.y, inner, radians(to), radians(from));
    cairo_close_path(cr);
}

// A toggle lever centred across its icon's box.
void lever(cairo_t* cr, double box_w, double top, double length, bool up) {
    const double w = std::min(26.0, box_w * 0.68);
    toggle_lever(cr, (box_w - w) / 2, top, w, length, up);
}

void lit_lamp(Canvas& c) {
    const double s = c.width();
    lens(c.cr(), {s / 2, s / 2}, s / 2 / 1.2, lamp_hue, true);
}

void dark_lamp(cairo_t* cr, double x, double y, double size) {
    lens(cr, {x + size / 2, y + size / 2}, size / 2 / 1.2, lamp_hue, false);
}

// Drum strips: white figures on the near-black of the displays, one cell
// each, the window showing one cell at a time.
void drum_strip(Canvas& c, const char* figures, double cell, double size) {
    cairo_t* cr = c.cr();
    fill_rect(cr, 0, 0, c.width(), c.height(), colour::face);
    for (int i = 0; figures[i] != 0; ++i) {
        const char one[2] = {figures[i], 0};
        bold(cr, one, {c.width() / 2.0, cell * i + cell / 2.0}, size, colour::marking);
    }
}

void drum_window(Canvas& c) { fill_rect(c.cr(), 0, 0, c.width(), c.height(), white); }

// --- COM1 -----------------------------------------------------------------

constexpr Point com_knob_centre{181, 63};
constexpr double com_skirt = 47;

void com_face(cairo_t* cr) {
    plate(cr, 0, 0, 350, 130);
    corner_screws(cr, 350, 130, 8, 3.5);
    bold(cr, "COM 1", {72, 28}, 14);
    line(cr, {32, 42}, {112, 42}, 1.0, colour::dim_marking);

    // The frequency window, and above it the button that lights it.
    recessed(cr, 240, 12, 84, 25);
    rounded_rect(cr, 264, 1, 28, 8, 2.5, colour::bezel_dark);
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, 2, 0, 8);
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.34, 0.35, 0.36);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.12, 0.12, 0.13);
    cairo_new_path(cr);
    cairo_rectangle(cr, 265.5, 2, 25, 5.5);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    text(cr, "MHz", {337, 25}, 5, colour::dim_marking);

    // The channel knob's fixed index and its two halves.
    triangle(cr, {com_knob_centre.x, com_knob_centre.y - com_skirt - 1.5}, 7, 5, colour::marking);
    ring(cr, com_knob_centre, com_skirt + 3, com_skirt + 1.5, engraving);
    bold(cr, "-", {124, com_knob_centre.y}, 12);
    bold(cr, "+", {239, com_knob_centre.y}, 12);
    text(cr, "CANAL", {com_knob_centre.x, 121}, 5.5, colour::dim_marking);

    // The main switch's positions.
    text(cr, "MARCHE", {79.5, 63}, 5.5);
    text(cr, "ARRET", {79.5, 112}, 5.5);

    dark_lamp(cr, 243, 90, 17);
    text(cr, "ALIM", {251.5, 115}, 5, colour::dim_marking);
}

void com_face_bitmap(Canvas& c) { com_face(c.cr()); }

// Lettered A to L round its skirt, the letters following one another
// anticlockwise: a step up turns the knob clockwise, bringing the next
// letter under the index.
void com_channel_knob(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point o{49, 49};
    fill_circle(cr, o, com_skirt, {0.09, 0.09, 0.09});
    ring(cr, o, com_skirt, com_skirt - 1.2, {0.22, 0.22, 0.23});
    for (int i = 0; i < 12; ++i) {
        const double a = -30.0 * i;
        const char letter[2] = {char('A' + i), 0};
        text_on_circle(cr, letter, o, a, 39.5, 7.5, colour::marking);
    }
    knob(cr, o, 31, 28, false);
}

void com_knob_mask(Canvas& c) { fill_circle(c.cr(), {49, 49}, 48.5, white); }

void com_switch(Canvas& c, bool on) {
    face_under(c, com_face, 46, 58);
    lever(c.cr(), c.width(), 15, 28, on);
}
void com_switch_off(Canvas& c) { com_switch(c, false); }
void com_switch_on(Canvas& c) { com_switch(c, true); }

// --- NAV ------------------------------------------------------------------

constexpr Point nav_whole_knob{61, 33};
constexpr Point nav_fraction_knob{303, 33};

void nav_face(cairo_t* cr) {
    plate(cr, 0, 0, 350, 130);
    corner_screws(cr, 350, 130, 8, 3.5);
    bold(cr, "NAV", {181, 22}, 13);

    // The window round the fixed hundreds figure and the four drums.
    recessed(cr, 139, 47, 84, 22);
    fill_circle(cr, {187.5, 64.5}, 1.5, colour::marking);
    text(cr, "MHz", {181, 80}, 5, colour::dim_marking);

    for (Point k : {nav_whole_knob, nav_fraction_knob}) {
        ring(cr, k, 26, 24.5, engraving);
        bold(cr, "-", {k.x - 32, k.y}, 11);
        bold(cr, "+", {k.x + 32, k.y}, 11);
    }
    text(cr, "MHz", {nav_whole_knob.x, 67}, 5, colour::dim_marking);
    text(cr, "kHz", {nav_fraction_knob.x, 67}, 5, colour::dim_marking);

    text(cr, "MARCHE", {115, 80.5}, 4.5);
    text(cr, "ARRET", {115, 124}, 4.5);
    text(cr, "IDENT", {246, 81}, 4.5);

    dark_lamp(cr, 148, 99, 11);
}

void nav_face_plain(Canvas& c) { nav_face(c.cr()); }

void receiver_number(cairo_t* cr, const char* n) {
    rounded_rect(cr, 326, 84, 17, 22, 2, engraving);
    bold(cr, n, {334.5, 95}, 14);
}
void nav_face_1(Canvas& c) {
    nav_face(c.cr());
    receiver_number(c.cr(), "1");
}
void nav_face_2(Canvas& c) {
    nav_face(c.cr());
    receiver_number(c.cr(), "2");
}

// Both tuning knobs; the index lies along +x, the way a needle lies.
void nav_knob(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point o{25, 25};
    knob(cr, o, 22.5, 24, false);
    tick(cr, o, 90, 4, 17, 2.4, colour::marking);
}

void nav_digit_strip(Canvas& c) { drum_strip(c, "01234567890", 18, 11); }
void nav_tens_strip(Canvas& c) { drum_strip(c, "01", 18, 11); }
void nav_hundreds(Canvas& c) { drum_strip(c, "1", 18, 11); }

void nav_switch(Canvas& c, double x, bool on) {
    face_under(c, nav_face, x, 76);
    lever(c.cr(), c.width(), 14, 24, on);
}
void nav_main_off(Canvas& c) { nav_switch(c, 97, false); }
void nav_main_on(Canvas& c) { nav_switch(c, 97, true); }
void nav_tone_off(Canvas& c) { nav_switch(c, 228, false); }
void nav_tone_on(Canvas& c) { nav_switch(c, 228, true); }

// --- ADF ------------------------------------------------------------------

// The dial is a large dark disc round the pointer's pivot. Its scales keep
// inside the frequency window (which sits in the disc's lower part, where
// the string is drawn) and leave the band window at the top of the disc.
constexpr double adf_face_radius = 96;
constexpr double adf_ruler_outer = 66;
constexpr double adf_pointer_length = 65;
constexpr Point adf_band_knob{178, 146};
constexpr double adf_band_knob_radius = 15;
// The band window, in the band ring's own coordinates about the pivot.
constexpr double band_window_inner = 73;
constexpr double band_window_outer = 93;
constexpr double band_window_half = 26;  // degrees

struct BandArt {
    double lower, upper, factor;  // kHz, kHz, degrees per kHz
    Rgb ink;
    const char* legend;
    double ring_angle;  // where the band's legend lies on the ring at rest
    double numeral_radius, numeral_size;
};

// clang-format off
constexpr BandArt adf_bands[] = {
    {200, 410, 0.5, {0.45, 0.85, 0.50}, "410 - 200", 0, 32, 4.4},
    {410, 850, 0.4, colour::amber, "850 - 410", 270, 43, 4.8},
    {850, 1750, 0.3, colour::marking, "1750 - 850", 180, 54, 4.8},
};
// clang-format on

Point adf_pivot() { return scale_of("Radio_ADF", 1).centre(); }

void adf_frequency_window_path(cairo_t* cr, double grow) {
    const Point p = adf_pivot();
    cairo_new_path(cr);
    cairo_arc(cr, p.x, p.y, adf_face_radius - 2.5 + grow, 0, 2 * pi);
    cairo_clip(cr);
    cairo_new_path(cr);
    cairo_rectangle(cr, 140 - grow, 196 - grow, 76 + 2 * grow, 30 + 2 * grow);
}

// The frequency window in the lower part of the dial, and the band window at
// its top: both framed, so they belong to the upper layer as well.
void adf_windows(cairo_t* cr, bool upper) {
    const Point p = adf_pivot();
    cairo_save(cr);
    adf_frequency_window_path(cr, 2.5);
    set(cr, colour::bezel_dark);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_save(cr);
    adf_frequency_window_path(cr, 1);
    set(cr, {0.06, 0.06, 0.06});
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_save(cr);
    adf_frequency_window_path(cr, 0);
    set(cr, colour::face);
    cairo_fill(cr);
    cairo_restore(cr);

    // The band window's frame, a curved slot.
    sector_path(cr, p, band_window_inner - 2.5, band_window_outer + 2.5, -band_window_half - 2, band_window_half + 2);
    set(cr, colour::bezel_dark);
    cairo_fill(cr);
    sector_path(cr, p, band_window_inner - 1, band_window_outer + 1, -band_window_half - 0.8, band_window_half + 0.8);
    set(cr, {0.06, 0.06, 0.06});
    cairo_fill(cr);
    // Through the upper layer the band ring itself must show.
    sector_path(cr, p, band_window_inner, band_window_outer, -band_window_half, band_window_half);
    if (upper) cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    set(cr, colour::face);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

// What lies round the dial: the panel, the dial's bezel and the lettering of
// the controls. Common to both layers of the face.
void adf_panel(cairo_t* cr) {
    const Point p = adf_pivot();
    plate(cr, 0, 0, 350, 250);
    corner_screws(cr, 350, 250, 8, 3.5);
    bold(cr, "ADF", {42, 24}, 14);

    // The bezel, lit from the upper left.
    cairo_pattern_t* lit = cairo_pattern_create_linear(p.x - 100, p.y - 100, p.x + 100, p.y + 100);
    cairo_pattern_add_color_stop_rgb(lit, 0, colour::bezel_light.r, colour::bezel_light.g, colour::bezel_light.b);
    cairo_pattern_add_color_stop_rgb(lit, 1, colour::bezel_dark.r, colour::bezel_dark.g, colour::bezel_dark.b);
    cairo_new_path(cr);
    cairo_arc(cr, p.x, p.y, adf_face_radius + 5, 0, 2 * pi);
    cairo_set_source(cr, lit);
    cairo_fill(cr);
    cairo_pattern_destroy(lit);
    ring(cr, p, adf_face_radius + 5.5, adf_face_radius + 4.5, colour::bezel_dark);

    // The button that lights the frequency window.
    const Point button{102, 22};
    fill_circle(cr, button, 10.5, colour::bezel_dark);
    ring(cr, button, 10.5, 9, colour::bezel_light);
    cairo_pattern_t* cap = cairo_pattern_create_radial(button.x - 3, button.y - 3, 1, button.x, button.y, 8);
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.32, 0.33, 0.34);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.10, 0.10, 0.11);
    cairo_new_path(cr);
    cairo_arc(cr, button.x, button.y, 8, 0, 2 * pi);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    text(cr, "FREQ", {button.x, 41}, 5, colour::dim_marking);

    // The tuning knob's halves.
    text(cr, "ACCORD", {275, 10}, 5, colour::dim_marking);
    bold(cr, "-", {246, 43}, 11);
    bold(cr, "+", {305, 43}, 11);

    text(cr, "TONE", {80, 180}, 5);
    text(cr, "MARCHE", {275, 183}, 5);
    text(cr, "ARRET", {275, 244}, 5);

    dark_lamp(cr, 169, 229, 11);
}

// The dial itself: a ruler in degrees of the band scale, 0 to 270, and the
// kHz of each band at their degrees in the colour of the band's legend.
void adf_dial(cairo_t* cr) {
    const Scale scale = scale_of("Radio_ADF", 1);
    const Point p = scale.centre();
    fill_circle(cr, p, adf_face_radius, colour::face);
    ring(cr, p, adf_face_radius, adf_face_radius - 1.2, colour::face_edge);

    for (int d = 0; d <= 270; d += 5) {
        const double a = scale.angle(d);
        if (d % 30 == 0)
            tick(cr, p, a, adf_ruler_outer - 8, adf_ruler_outer, 1.6, colour::marking);
        else
            tick(cr, p, a, adf_ruler_outer - 4.5, adf_ruler_outer, 1.0, colour::dim_marking);
    }
    arc(cr, p, adf_ruler_outer + 0.5, scale.angle(0), scale.angle(270), 0.8, colour::dim_marking);

    const int steps[] = {50, 100, 100};
    for (int b = 0; b < 3; ++b) {
        const BandArt& band = adf_bands[b];
        for (int khz = int(std::ceil(band.lower / steps[b])) * steps[b]; khz <= band.upper; khz += steps[b]) {
            if (khz == band.lower) continue;  // every band starts at the top: the band window tells which
            const double a = scale.angle((khz - band.lower) * band.factor);
            numeral_on_circle(cr, std::to_string(khz), p, a, band.numeral_radius, band.numeral_size, band.ink);
        }
    }
    text_at_angle(cr, "kHz", p, 300, 78, 5.5, colour::dim_marking);

    // The band selector's positions, round the knob.
    for (int b = 0; b < 3; ++b)
        text_at_angle(cr, std::to_string(b + 1), adf_band_knob, 90.0 * b, adf_band_knob_radius + 10, 5,
                      adf_bands[b].ink, Weight::bold);
}

void adf_lower_drawing(cairo_t* cr) {
    adf_panel(cr);
    adf_dial(cr);
    adf_windows(cr, false);
}

void adf_lower(Canvas& c) { adf_lower_drawing(c.cr()); }

// The upper layer: the same panel with the dial's disc cut out, but for the
// frames of the two windows that lie on it.
void adf_upper(Canvas& c) {
    cairo_t* cr = c.cr();
    adf_panel(cr);
    const Point p = adf_pivot();
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    fill_circle(cr, p, adf_face_radius, white);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    ring(cr, p, adf_face_radius, adf_face_radius - 1.2, colour::face_edge);
    adf_windows(cr, true);
}

void adf_pointer(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point o{98, 98};
    pointer(cr, o, adf_pointer_length, 3.2, colour::needle, 0, 0);
    fill_circle(cr, o, 3.5, {0.12, 0.12, 0.12});
}

// The band ring: each band's legend with a bar of its colour, band 1 at the
// top, band 2 at nine o'clock and band 3 at the bottom, so that turning the
// ring a quarter at a time brings the selected one under the window.
void adf_band_ring(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point o{c.width() / 2.0, c.height() / 2.0};
    ring(cr, o, band_window_outer + 3, band_window_inner - 3, {0.08, 0.08, 0.08});
    for (const BandArt& band : adf_bands) {
        text_along(cr, band.legend, o, band.ring_angle, 87.5, 7.5, band.ink);
        arc(cr, o, 77.5, band.ring_angle - 21, band.ring_angle + 21, 2.2, band.ink);
    }
}

void adf_band_window(Canvas& c) {
    const Point o{178.0 - 130.0, 127.0 - 30.0};
    sector_path(c.cr(), o, band_window_inner, band_window_outer, -band_window_half, band_window_half);
    set(c.cr(), white);
    cairo_fill(c.cr());
}

// The tuning knob with a pointer along +x that shows its turns.
void adf_tuning_knob(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point o{21, 21};
    cairo_new_path(cr);
    cairo_move_to(cr, o.x + 10, o.y - 6);
    cairo_line_to(cr, o.x + 42, o.y - 2.2);
    cairo_arc(cr, o.x + 42, o.y, 2.2, -pi / 2, pi / 2);
    cairo_line_to(cr, o.x + 10, o.y + 6);
    cairo_close_path(cr);
    set(cr, {0.07, 0.07, 0.07});
    cairo_fill(cr);
    line(cr, {o.x + 18, o.y}, {o.x + 42, o.y}, 1.3, colour::marking);
    knob(cr, o, 19, 22, false);
    tick(cr, o, 90, 3, 13, 2.0, colour::marking);
}

// The band selector: a ridged knob with a white pointer along +x.
void adf_band_knob_art(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point o{32, 32};
    knob(cr, o, adf_band_knob_radius, 20, false);
    tick(cr, o, 90, 3, adf_band_knob_radius * 0.7, 2.2, colour::marking);
    cairo_new_path(cr);
    cairo_move_to(cr, o.x + adf_band_knob_radius + 6.5, o.y);
    cairo_line_to(cr, o.x + adf_band_knob_radius - 1, o.y - 3.5);
    cairo_line_to(cr, o.x + adf_band_knob_radius - 1, o.y + 3.5);
    cairo_close_path(cr);
    set(cr, colour::marking);
    cairo_fill(cr);
}

void adf_switch(Canvas& c, double x, double y, bool on) {
    face_under(c, adf_lower_drawing, x, y);
    lever(c.cr(), c.width(), 14, 38, on);
}
void adf_tone_off(Canvas& c) { adf_switch(c, 48, 174, false); }
void adf_tone_on(Canvas& c) { adf_switch(c, 48, 174, true); }
void adf_main_off(Canvas& c) { adf_switch(c, 243, 177, false); }
void adf_main_on(Canvas& c) { adf_switch(c, 243, 177, true); }

// --- Transponder ----------------------------------------------------------

constexpr double iff_drums[] = {118, 141, 164, 187};

void iff_face(cairo_t* cr) {
    plate(cr, 0, 0, 261, 99);
    corner_screws(cr, 261, 99, 6, 3);
    bold(cr, "IFF", {84, 22}, 11);
    text(cr, "MODE 3/A", {157, 34}, 6);
    for (double x : iff_drums) {
        recessed(cr, x - 2, 57, 13, 21);
        triangle(cr, {x + 4.5, 47}, 7, -5, colour::marking);
        triangle(cr, {x + 4.5, 88}, 7, 5, colour::marking);
    }
    text(cr, "IDENT", {222, 20}, 5.5);
    text(cr, "MARCHE", {41, 13}, 4.5);
    text(cr, "ARRET", {41, 68}, 4.5);
    dark_lamp(cr, 53, 79, 12);
}

void iff_face_bitmap(Canvas& c) { iff_face(c.cr()); }

void iff_digit_strip(Canvas& c) { drum_strip(c, "01234567890", 17, 9); }

void iff_switch(Canvas& c, bool on) {
    face_under(c, iff_face, 27, 8);
    lever(c.cr(), c.width(), 14, 40, on);
}
void iff_switch_off(Canvas& c) { iff_switch(c, false); }
void iff_switch_on(Canvas& c) { iff_switch(c, true); }

// A square push button in its collar; pressed, the cap sinks and darkens.
void iff_ident(Canvas& c, bool pressed) {
    face_under(c, iff_face, 209, 29);
    cairo_t* cr = c.cr();
    rounded_rect(cr, 1, 3, 24, 26, 4, colour::bezel_dark);
    rounded_rect(cr, 2, 4, 22, 24, 3.5, colour::bezel_light);
    rounded_rect(cr, 3.5, 5.5, 19, 21, 3, {0.06, 0.06, 0.06});
    const double sink = pressed ? 1.0 : 0.0;
    cairo_pattern_t* cap = cairo_pattern_create_linear(0, 6 + sink, 0, 25);
    cairo_pattern_add_color_stop_rgb(cap, 0, pressed ? 0.20 : 0.34, pressed ? 0.20 : 0.35, pressed ? 0.21 : 0.36);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.10, 0.10, 0.11);
    cairo_new_path(cr);
    cairo_rectangle(cr, 5 + sink * 0.5, 7 + sink, 16 - sink, 17 - sink);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    text(cr, "ID", {13 + sink * 0.25, 15.5 + sink}, 5, pressed ? colour::dim_marking : colour::marking, Align::centre,
         Weight::bold);
}
void iff_ident_up(Canvas& c) { iff_ident(c, false); }
void iff_ident_down(Canvas& c) { iff_ident(c, true); }

// clang-format off
const Artwork artwork[] = {
    {1120, 350, 130, 8, com_face_bitmap, "COM1 face"},
    {1130, 17, 17, 8, lit_lamp, "COM1 lamp lit"},
    {1140, 67, 58, 8, com_switch_off, "COM1 switch off"},
    {1141, 67, 58, 8, com_switch_on, "COM1 switch on"},
    {1150, 98, 98, 8, com_channel_knob, "COM1 channel knob"},
    {1151, 98, 98, 8, com_knob_mask, "COM1 knob mask"},
    {1200, 350, 130, 8, nav_face_plain, "NAV face"},
    {1210, 50, 50, 8, nav_knob, "NAV knob"},
    {1220, 13, 198, 8, nav_digit_strip, "NAV drum"},
    {1221, 13, 18, 8, drum_window, "NAV drum window"},
    {1230, 13, 36, 8, nav_tens_strip, "NAV tens drum"},
    {1231, 13, 18, 8, drum_window, "NAV tens window"},
    {1240, 13, 18, 8, nav_hundreds, "NAV hundreds 1"},
    {1250, 36, 52, 8, nav_main_off, "NAV switch off"},
    {1251, 36, 52, 8, nav_main_on, "NAV switch on"},
    {1260, 36, 52, 8, nav_tone_off, "NAV ident off"},
    {1261, 36, 52, 8, nav_tone_on, "NAV ident on"},
    {1270, 11, 11, 8, lit_lamp, "NAV lamp lit"},
    {1290, 350, 130, 8, nav_face_1, "NAV1 face"},
    {1300, 350, 130, 8, nav_face_2, "NAV2 face"},
    {1310, 64, 64, 8, adf_band_knob_art, "ADF band knob"},
    {1320, 66, 42, 8, adf_tuning_knob, "ADF tuning knob"},
    {1330, 64, 64, 8, adf_main_off, "ADF switch off"},
    {1331, 64, 64, 8, adf_main_on, "ADF switch on"},
    {1340, 11, 11, 8, lit_lamp, "ADF lamp lit"},
    {1350, 64, 64, 8, adf_tone_off, "ADF tone off"},
    {1351, 64, 64, 8, adf_tone_on, "ADF tone on"},
    {1360, 195, 195, 8, adf_band_ring, "ADF band ring"},
    {1361, 94, 76, 8, adf_band_window, "ADF band window"},
    {1370, 195, 195, 8, adf_pointer, "ADF dial pointer"},
    {1380, 350, 250, 8, adf_upper, "ADF upper layer"},
    {1390, 350, 250, 8, adf_lower, "ADF face"},
    {1400, 261, 99, 8, iff_face_bitmap, "IFF face"},
    {1410, 9, 187, 8, iff_digit_strip, "IFF drum"},
    {1411, 9, 17, 8, drum_window, "IFF drum window"},
    {1420, 28, 68, 8, iff_switch_off, "IFF switch off"},
    {1421, 28, 68, 8, iff_switch_on, "IFF switch on"},
    {1430, 12, 12, 8, lit_lamp, "IFF lamp lit"},
    {1440, 26, 32, 8, iff_ident_up, "IFF IDENT"},
    {1441, 26, 32, 8, iff_ident_down, "IFF IDENT pressed"},
};
// clang-format on

}  // namespace

std::span<const Artwork> radio_artwork() { return artwork; }

}  // namespace art
