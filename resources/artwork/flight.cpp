// Artwork of the flight family: airspeed, altimeter, vertical speed,
// attitude, turn coordinator and clock. Every graduation is placed through
// the needle tables of the module (scale_of), so dial and needle agree.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <tuple>

#include "resources/artwork/paint.h"
#include "resources/artwork/registry.h"
#include "resources/artwork/scales.h"

namespace art {

namespace {

constexpr double pi = 3.14159265358979323846;

// Text stretched vertically, for textures that the host squashes.
void stretched_text(cairo_t* cr, const std::string& s, Point at, double size, double stretch, Rgb c,
                    Weight weight = Weight::bold) {
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_scale(cr, 1.0, stretch);
    text(cr, s, {0, 0}, size, c, Align::centre, weight);
    cairo_restore(cr);
}

// A tick drawn along the needle direction of a scale at a value.
void scale_tick(cairo_t* cr, const Scale& s, double value, double inner, double outer, double width,
                Rgb c = colour::marking) {
    tick(cr, s.centre(), s.angle(value), inner, outer, width, c);
}

// The plain round glass of every instrument of the family.
void round_glass(Canvas& c, Point centre, double radius) { glass(c.cr(), centre, radius); }

// ---------------------------------------------------------------- Airspeed

constexpr Point airspeed_centre{150, 150};

void airspeed_dial(Canvas& c) {
    cairo_t* cr = c.cr();
    round_case(cr, 300, 300, airspeed_centre, 138);
    const Scale fine = scale_of("Airspeed", 1);
    const Scale main = scale_of("Airspeed", 2);

    // Outer scale: tens of knots for the fine pointer, one turn per 100 kt.
    for (int kt = 0; kt < 100; kt += 2) {
        if (kt % 10 == 0)
            scale_tick(cr, fine, kt, 113, 132, 3.0);
        else
            scale_tick(cr, fine, kt, 123, 132, 1.2);
    }
    for (int kt = 5; kt < 100; kt += 10) scale_tick(cr, fine, kt, 119, 132, 1.8);
    for (int n = 0; n < 10; ++n)
        text(cr, std::to_string(n), fine.at(n * 10.0, 100), 15, colour::marking, Align::centre, Weight::bold);

    // Inner arc: 0 to 600 kt for the main pointer, pegged at 600.
    arc(cr, airspeed_centre, 78.5, main.angle(0), main.angle(600), 1.4, colour::dim_marking);
    for (int kt = 0; kt <= 600; kt += 50) {
        if (kt % 100 == 0)
            scale_tick(cr, main, kt, 66, 79, 2.6);
        else
            scale_tick(cr, main, kt, 71, 79, 1.5);
    }
    for (int kt = 10; kt < 600; kt += 10)
        if (kt % 50 != 0) scale_tick(cr, main, kt, 75, 79, 0.9, colour::dim_marking);
    scale_tick(cr, main, 600, 62, 80, 3.5, colour::red);
    for (int kt = 0; kt <= 600; kt += 100)
        text(cr, std::to_string(kt), main.at(kt, 54), 8.5, colour::marking, Align::centre, Weight::bold);

    // Lettering.
    text(cr, "x10 KT", {150, 65}, 6.5, colour::dim_marking, Align::centre, Weight::bold);
    text(cr, "KNOTS", {108, 140}, 7, colour::marking, Align::centre, Weight::bold);
    text(cr, "AIRSPEED", {150, 236}, 6.5, colour::dim_marking, Align::centre, Weight::bold);
}

void airspeed_fine_pointer(Canvas& c) {
    // 126 x 16, pivot (13,8): long and thin, out to the tens scale.
    pointer(c.cr(), {13, 8}, 112, 4.2, colour::needle, 12, 6.5);
}

void airspeed_main_pointer(Canvas& c) {
    // 99 x 30, pivot (24,15): short and broad, out to the inner arc.
    cairo_t* cr = c.cr();
    polygon(cr, {{24 - 22, 15 - 3.5}, {24 + 56, 15 - 4.5}, {24 + 74, 15}, {24 + 56, 15 + 4.5}, {24 - 22, 15 + 3.5}},
            colour::needle);
    fill_circle(cr, {24, 15}, 11, {0.12, 0.12, 0.12});
    ring(cr, {24, 15}, 11, 9.5, colour::dim_marking);
    fill_circle(cr, {24, 15}, 3.5, colour::dim_marking);
}

void airspeed_glass(Canvas& c) { round_glass(c, airspeed_centre, 138); }

// --------------------------------------------------------------- Altimeter

constexpr Point altimeter_centre{132, 132};
// The barometric window (mask 321 at (198,104), 45 x 54) and its frame.
constexpr double window_x = 198, window_y = 104, window_w = 45, window_h = 54;
constexpr double frame = 2.5;
// The disc's centre on the gauge and the direction of the window from it.
constexpr Point disc_on_gauge{131, 134};
constexpr Point knob_centre{30, 227};
constexpr double disc_radius = 110;

double window_angle() {
    const double dx = window_x + window_w / 2 - disc_on_gauge.x;
    const double dy = window_y + window_h / 2 - disc_on_gauge.y;
    return std::atan2(dx, -dy) * 180.0 / pi;
}

bool in_frame(double x0, double x1, double y0, double y1) {
    return x1 > window_x - frame - 1 && x0 < window_x + window_w + frame + 1 && y1 > window_y - frame - 1 &&
           y0 < window_y + window_h + frame + 1;
}

void arrow(cairo_t* cr, Point at, bool up, double size, Rgb c) {
    const double s = up ? -1 : 1;
    polygon(cr,
            {{at.x - size, at.y - s * size * 0.6}, {at.x + size, at.y - s * size * 0.6}, {at.x, at.y + s * size * 0.8}},
            c);
}

void altimeter_dial(Canvas& c) {
    cairo_t* cr = c.cr();
    round_case(cr, 262, 262, altimeter_centre, 122);
    const Scale hundreds = scale_of("Altimeter", 4);

    // 0 to 9 round the dial: hundreds of feet, ticks every 20 ft.
    for (int ft = 0; ft < 1000; ft += 20) {
        if (ft % 100 == 0)
            scale_tick(cr, hundreds, ft, 108, 122, 3.2);
        else if (ft % 100 == 50)
            scale_tick(cr, hundreds, ft, 113, 122, 2.0);
        else
            scale_tick(cr, hundreds, ft, 116, 122, 1.2);
    }
    for (int n = 0; n < 10; ++n) {
        Point p = hundreds.at(n * 100.0, 95);
        // Numerals near the window stand clear of its frame.
        const double half_w = 6, half_h = 8;
        while (in_frame(p.x - half_w, p.x + half_w, p.y - half_h, p.y + half_h))
            p.y += p.y < window_y + window_h / 2 ? -1 : 1;
        text(cr, std::to_string(n), p, 16, colour::marking, Align::centre, Weight::bold);
    }

    // The barometric window: a dark recessed frame; the disc shows inside.
    rounded_rect(cr, window_x - frame - 1, window_y - frame - 1, window_w + 2 * frame + 2, window_h + 2 * frame + 2, 4,
                 colour::bezel_light);
    rounded_rect(cr, window_x - frame, window_y - frame, window_w + 2 * frame, window_h + 2 * frame, 3,
                 colour::bezel_dark);
    fill_rect(cr, window_x, window_y, window_w, window_h, colour::face);
    // The index of the window, pointing at the setting.
    const double iy = window_y + window_h / 2;
    polygon(cr, {{window_x - 11, iy - 5}, {window_x + 1, iy}, {window_x - 11, iy + 5}}, colour::marking);
    text(cr, "IN HG", {window_x - 27, iy}, 5.5, colour::dim_marking, Align::centre, Weight::bold);

    // Lettering.
    text(cr, "ALT", {132, 84}, 9, colour::marking, Align::centre, Weight::bold);
    text(cr, "100 FEET", {132, 182}, 6.5, colour::dim_marking, Align::centre, Weight::bold);

    // The setting knob at the lower left, its halves down (left) and up (right).
    fill_circle(cr, knob_centre, 24, colour::bezel_dark);
    knob(cr, knob_centre, 21.5, 28, false);
    arrow(cr, {knob_centre.x - 8, knob_centre.y}, false, 4.5, colour::marking);
    arrow(cr, {knob_centre.x + 8, knob_centre.y}, true, 4.5, colour::marking);
    line(cr, {knob_centre.x, knob_centre.y - 10}, {knob_centre.x, knob_centre.y + 10}, 1.0, colour::dim_marking);
}

void altimeter_disc(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point centre{disc_radius, disc_radius};
    const double base = window_angle();
    const auto angle = [&](double setting) { return base + (setting - 29.9) * 90.0; };
    ring(cr, centre, disc_radius, 62, colour::face);
    // Hundredths are counted as integers so the steps stay exact.
    for (int h = 2790; h <= 3150; h += 2) {
        const double a = angle(h / 100.0);
        if (h % 10 == 0)
            tick(cr, centre, a, 98, 108, 1.6);
        else if (h % 5 == 0)
            tick(cr, centre, a, 101, 108, 1.1);
        else
            tick(cr, centre, a, 104, 108, 0.8, colour::dim_marking);
    }
    for (int t = 279; t <= 315; ++t) {
        char s[8];
        std::snprintf(s, sizeof s, "%d.%d", t / 10, t % 10);
        const double a = angle(t / 10.0);
        turned_text(cr, s, at_angle(centre, a, 83), a - base, 7, colour::marking, Weight::bold);
    }
}

void altimeter_window_mask(Canvas& c) { fill_rect(c.cr(), 0, 0, c.width(), c.height(), colour::marking); }

void altimeter_100ft_pointer(Canvas& c) {
    // 149 x 26, pivot (35,13): long and thin.
    cairo_t* cr = c.cr();
    pointer(cr, {35, 13}, 113, 5, colour::needle, 30, 0);
    fill_circle(cr, {35 - 28, 13}, 5.5, colour::needle);
    fill_circle(cr, {35, 13}, 9, {0.12, 0.12, 0.12});
    fill_circle(cr, {35, 13}, 3.5, colour::dim_marking);
}

void altimeter_1000ft_pointer(Canvas& c) {
    // 98 x 28, pivot (33,14): short and broad.
    cairo_t* cr = c.cr();
    polygon(cr, {{33 - 16, 14 - 3.5}, {33 + 46, 14 - 6}, {33 + 64, 14}, {33 + 46, 14 + 6}, {33 - 16, 14 + 3.5}},
            colour::needle);
    fill_circle(cr, {33, 14}, 7, {0.12, 0.12, 0.12});
}

void altimeter_10000ft_pointer(Canvas& c) {
    // 75 x 12, pivot (-41,6) outside the bitmap: radius r is x = r - 41.
    // A slim shaft and a triangle index at the rim, its point inwards.
    cairo_t* cr = c.cr();
    const double o = -41;
    line(cr, {0, 6}, {100 + o, 6}, 1.6, colour::needle);
    polygon(cr, {{98 + o, 6}, {116 + o, 0.5}, {116 + o, 11.5}}, colour::needle);
}

void altimeter_glass(Canvas& c) { round_glass(c, altimeter_centre, 122); }

// ----------------------------------------------------------- Vertical speed

constexpr Point vsi_centre{151, 151};

void vsi_face(Canvas& c, bool metric) {
    cairo_t* cr = c.cr();
    round_case(cr, 300, 300, vsi_centre, 137);
    if (!metric) {
        const Scale s = scale_of("Vertical_Speed", 3);
        const double k = 1.0 / 3.28084 / 60.0 * 256.0;  // ft/min to the table's 1/256 m/s
        for (int sign : {1, -1}) {
            for (int f = 0; f <= 8000; f += 100) {
                if (f > 2000 && f % 500 != 0) continue;
                const double v = sign * f * k;
                if (f % 1000 == 0)
                    scale_tick(cr, s, v, 114, 134, 3.2);
                else if (f % 500 == 0)
                    scale_tick(cr, s, v, 120, 134, 2.0);
                else
                    scale_tick(cr, s, v, 125, 134, 1.2);
            }
            for (int n = 1; n <= 8; ++n)
                text(cr, std::to_string(n), s.at(sign * n * 1000 * k, 99), 16, colour::marking, Align::centre,
                     Weight::bold);
        }
        text(cr, "0", s.at(0, 99), 16, colour::marking, Align::centre, Weight::bold);
        text(cr, "UP", {108, 112}, 9, colour::marking, Align::centre, Weight::bold);
        text(cr, "DOWN", {108, 190}, 9, colour::marking, Align::centre, Weight::bold);
        text(cr, "VERTICAL SPEED", {184, 128}, 6.5, colour::marking, Align::centre, Weight::bold);
        text(cr, "x1000 FT/MIN", {184, 174}, 6.5, colour::dim_marking, Align::centre, Weight::bold);
    } else {
        const Scale s = scale_of("Vertical_Speed", 2);
        for (int sign : {1, -1}) {
            for (int m = 0; m <= 80; ++m) {
                const double v = sign * m * 256.0;
                if (m > 20 && m <= 30 && m % 2 != 0) continue;
                if (m > 30 && m % 5 != 0) continue;
                const bool major = m % 10 == 0 || m == 5 || m == 15;
                if (major)
                    scale_tick(cr, s, v, m % 10 == 0 ? 114 : 119, 134, m % 10 == 0 ? 3.2 : 2.2);
                else
                    scale_tick(cr, s, v, 125, 134, 1.2);
            }
            for (int m : {5, 10, 20, 30, 50, 80})
                text(cr, std::to_string(m), s.at(sign * m * 256.0, 99), m == 5 ? 13 : 15, colour::marking,
                     Align::centre, Weight::bold);
        }
        text(cr, "0", s.at(0, 99), 16, colour::marking, Align::centre, Weight::bold);
        text(cr, "MONTEE", {112, 112}, 8, colour::marking, Align::centre, Weight::bold);
        text(cr, "DESCENTE", {112, 190}, 8, colour::marking, Align::centre, Weight::bold);
        text(cr, "VARIOMETRE", {184, 128}, 6.5, colour::marking, Align::centre, Weight::bold);
        text(cr, "M/S", {184, 174}, 9, colour::dim_marking, Align::centre, Weight::bold);
    }
}

void vsi_imperial(Canvas& c) { vsi_face(c, false); }
void vsi_metric(Canvas& c) { vsi_face(c, true); }

void vsi_needle(Canvas& c) {
    // 140 x 14, pivot (7,7).
    cairo_t* cr = c.cr();
    pointer(cr, {7, 7}, 131, 5, colour::needle, 4, 0);
    fill_circle(cr, {7, 7}, 6.5, {0.12, 0.12, 0.12});
    fill_circle(cr, {7, 7}, 2.5, colour::dim_marking);
}

void vsi_glass(Canvas& c) { round_glass(c, vsi_centre, 137); }

// ----------------------------------------------------------------- Attitude

constexpr Point attitude_centre{150, 150};
constexpr double horizon_radius = 112;  // the mask's disc, 224 px at (38,38)
constexpr double horizon_pixels_per_degree = 1.3 / 0.8;

void attitude_dial(Canvas& c) {
    cairo_t* cr = c.cr();
    round_case(cr, 300, 300, attitude_centre, 136);
    // The fixed face round and behind the horizon: sky above, earth below,
    // so that where the horizon sprite leaves the disc open it still reads.
    band(cr, attitude_centre, 0, 136, 270, 450, {0.22, 0.36, 0.52});
    band(cr, attitude_centre, 0, 136, 90, 270, {0.30, 0.19, 0.10});
    ring(cr, attitude_centre, horizon_radius + 1, horizon_radius - 2, colour::face_edge);
    ring(cr, attitude_centre, 136, 134.5, colour::face_edge);

    // The bank scale round the lower half, where the pointer hangs at 0 bank.
    const Scale bank = scale_of("Attitude", 2);
    for (int sign : {1, -1}) {
        for (int b : {10, 20}) scale_tick(cr, bank, sign * b, 114, 124, 2.0);
        for (int b : {30, 60}) scale_tick(cr, bank, sign * b, 114, 132, 3.2);
        scale_tick(cr, bank, sign * 45, 114, 121, 2.0);
        scale_tick(cr, bank, sign * 90, 114, 133, 4.0);
    }
    // Zero: a triangle pointing at the pointer's tip.
    const double a0 = bank.angle(0);
    polygon(cr,
            {at_angle(attitude_centre, a0, 114), at_angle(attitude_centre, a0 - 3.5, 130),
             at_angle(attitude_centre, a0 + 3.5, 130)},
            colour::marking);
    for (int b : {30, 60}) {
        text_at_angle(cr, std::to_string(b), attitude_centre, bank.angle(b) + (b == 30 ? 4.5 : 5.5), 127, 6,
                      colour::marking, Weight::bold);
        text_at_angle(cr, std::to_string(b), attitude_centre, bank.angle(-b) - (b == 30 ? 4.5 : 5.5), 127, 6,
                      colour::marking, Weight::bold);
    }

    // The cage knob in the lower right corner.
    const Point cage{268, 268};
    fill_circle(cr, cage, 25, colour::bezel_dark);
    knob(cr, cage, 22.5, 30, false);
    text(cr, "PULL", {cage.x, cage.y - 5.5}, 5, colour::marking, Align::centre, Weight::bold);
    text(cr, "CAGE", {cage.x, cage.y + 5.5}, 6, colour::marking, Align::centre, Weight::bold);
}

void attitude_horizon(Canvas& c) {
    cairo_t* cr = c.cr();
    const double w = c.width(), h = c.height();
    const double mid = h / 2;
    // Sky above, ground below, each a little darker towards its end.
    cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, mid);
    cairo_pattern_add_color_stop_rgb(sky, 0, 0.18, 0.33, 0.52);
    cairo_pattern_add_color_stop_rgb(sky, 1, colour::sky.r, colour::sky.g, colour::sky.b);
    cairo_rectangle(cr, 0, 0, w, mid);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    cairo_pattern_t* ground = cairo_pattern_create_linear(0, mid, 0, h);
    cairo_pattern_add_color_stop_rgb(ground, 0, colour::ground.r, colour::ground.g, colour::ground.b);
    cairo_pattern_add_color_stop_rgb(ground, 1, 0.26, 0.16, 0.08);
    cairo_rectangle(cr, 0, mid, w, h - mid);
    cairo_set_source(cr, ground);
    cairo_fill(cr);
    cairo_pattern_destroy(ground);

    // The texture is shown at 0.8 of its height: lines and letters are
    // drawn taller so they come out right.
    const double stretch = 1.0 / 0.8;
    fill_rect(cr, 0, mid - 1.5, w, 3, colour::marking);
    const double cx = w / 2;
    for (int p = 5; p <= 60; p += 5) {
        const double half = p % 10 == 0 ? 26 : 12;
        const double width = 2.0 * stretch;
        for (int sign : {1, -1}) {
            const double y = mid - sign * p * horizon_pixels_per_degree;
            if (y < 2 || y > h - 2) continue;
            fill_rect(cr, cx - half, y - width / 2, 2 * half, width, colour::marking);
            if (p % 10 == 0) {
                const std::string n = std::to_string(p);
                stretched_text(cr, n, {cx - half - 10, y}, 6.5, stretch, colour::marking);
                stretched_text(cr, n, {cx + half + 10, y}, 6.5, stretch, colour::marking);
            }
        }
    }
}

void attitude_horizon_mask(Canvas& c) {
    fill_circle(c.cr(), {c.width() / 2.0, c.height() / 2.0}, c.width() / 2.0, colour::marking);
}

void attitude_bank_pointer(Canvas& c) {
    // 110 x 10, pivot (0,5): only the tip by the scale is drawn.
    cairo_t* cr = c.cr();
    polygon(cr, {{93, 0.3}, {110, 5}, {93, 9.7}}, colour::orange);
    polygon(cr, {{95.5, 2.3}, {106, 5}, {95.5, 7.7}}, colour::yellow);
}

void attitude_aircraft(Canvas& c) {
    // 160 x 33 at (70,137): the wings' line at y 13 lies on the dial's centre.
    cairo_t* cr = c.cr();
    const double y = 13, cx = 80;
    const Rgb edge{0.08, 0.06, 0.02};
    for (int sign : {1, -1}) {
        const auto x = [&](double d) { return cx + sign * d; };
        polygon(cr,
                {{x(76), y - 3.5},
                 {x(26), y - 3.5},
                 {x(17), y + 6.5},
                 {x(12), y + 6.5},
                 {x(22), y + 3.5},
                 {x(76), y + 3.5}},
                edge);
        polygon(cr,
                {{x(75), y - 2.2},
                 {x(26.5), y - 2.2},
                 {x(18), y + 5},
                 {x(14.5), y + 5},
                 {x(23), y + 2.2},
                 {x(75), y + 2.2}},
                colour::orange);
    }
    fill_circle(cr, {cx, y}, 5, edge);
    fill_circle(cr, {cx, y}, 3.8, colour::orange);
    // A short fin under the dot: the pedestal's top.
    polygon(cr, {{cx - 2.5, y + 5}, {cx + 2.5, y + 5}, {cx + 5, 32}, {cx - 5, 32}}, edge);
    polygon(cr, {{cx - 1.3, y + 5}, {cx + 1.3, y + 5}, {cx + 3.8, 31}, {cx - 3.8, 31}}, colour::orange);
}

void attitude_flag(Canvas& c) {
    cairo_t* cr = c.cr();
    fill_rect(cr, 0, 0, c.width(), c.height(), colour::bezel_dark);
    stripes(cr, 1.5, 1.5, c.width() - 3, c.height() - 3, 6);
}

void attitude_glass(Canvas& c) { round_glass(c, attitude_centre, 136); }

// --------------------------------------------------------- Turn coordinator

constexpr Point tc_centre{119, 119};
constexpr double tc_face_radius = 110;
// The ball: its bitmap (30 x 38) at (104,137), the ball's centre at (15,19)
// in it; it moves 0.546875 px per unit and rises by the unit's square times
// 0.0006103515625, so the tube is the parabola below.
constexpr Point ball_rest{119, 156};
constexpr double ball_radius = 13;
constexpr double ball_travel = 127 * 0.546875;
constexpr Rgb tube_rim{0.58, 0.58, 0.56};
double tube_y(double x) {
    const double units = (x - ball_rest.x) / 0.546875;
    return ball_rest.y - units * units * 0.0006103515625;
}

void tube_path(cairo_t* cr, double x0, double x1) {
    cairo_new_path(cr);
    for (double x = x0; x <= x1 + 0.01; x += 1.0) {
        if (x == x0)
            cairo_move_to(cr, x, tube_y(x));
        else
            cairo_line_to(cr, x, tube_y(x));
    }
}

void tc_face(Canvas& c, bool metric) {
    cairo_t* cr = c.cr();
    round_case(cr, 238, 238, tc_centre, tc_face_radius);
    const Scale turn = scale_of("Turn_Coordinator", 4);
    const Point pivot = turn.centre();

    // The ball's tube: a pale groove with dark edges behind the ball.
    const double x0 = ball_rest.x - ball_travel - ball_radius - 2, x1 = ball_rest.x + ball_travel + ball_radius + 2;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    tube_path(cr, x0, x1);
    cairo_set_line_width(cr, 2 * ball_radius + 7);
    set(cr, colour::bezel_dark);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2 * ball_radius + 4);
    set(cr, tube_rim);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2 * ball_radius);
    set(cr, {0.80, 0.80, 0.76});
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);

    // The turn marks: wings level in the middle, standard rate each side.
    for (double v : {-4.5, 4.5}) {
        scale_tick(cr, turn, v, 136, 156, 5);
    }
    scale_tick(cr, turn, 0, 136, 156, 5);
    const double la = turn.angle(-4.5) - 7, ra = turn.angle(4.5) + 7;
    text_at_angle(cr, metric ? "G" : "L", pivot, la, 150, 13, colour::marking, Weight::bold);
    text_at_angle(cr, metric ? "D" : "R", pivot, ra, 150, 13, colour::marking, Weight::bold);

    text(cr, "2 MIN", {tc_centre.x, 28}, 7, colour::marking, Align::centre, Weight::bold);
    text(cr, metric ? "VIRAGE" : "TURN COORDINATOR", {tc_centre.x, 78}, metric ? 8 : 6.5, colour::marking,
         Align::centre, Weight::bold);
    if (metric) {
        text(cr, "UNITES", {68, 200}, 5.5, colour::dim_marking, Align::centre, Weight::bold);
        text(cr, "METRIQUES", {68, 209}, 5.5, colour::dim_marking, Align::centre, Weight::bold);
        text(cr, "ELEC. C.C.", {170, 204}, 5.5, colour::dim_marking, Align::centre, Weight::bold);
    } else {
        text(cr, "D.C.", {70, 200}, 6, colour::dim_marking, Align::centre, Weight::bold);
        text(cr, "ELEC", {70, 209}, 6, colour::dim_marking, Align::centre, Weight::bold);
        text(cr, "NO PITCH", {168, 200}, 5, colour::dim_marking, Align::centre, Weight::bold);
        text(cr, "INFORMATION", {168, 209}, 5, colour::dim_marking, Align::centre, Weight::bold);
    }

    // The unit switch in the middle (its click area 90,90,60,60).
    rounded_rect(cr, 101, 113, 38, 14, 4, colour::bezel_dark);
    rounded_rect(cr, 102, 114, 36, 12, 3.5, {0.09, 0.09, 0.09});
    text(cr, metric ? "UNITES" : "UNITS", {120, 120}, 5.5, colour::dim_marking, Align::centre, Weight::bold);
}

void tc_plain(Canvas& c) { tc_face(c, false); }
void tc_metric(Canvas& c) { tc_face(c, true); }

void tc_ball(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point centre{15, 19};
    fill_circle(cr, centre, ball_radius, {0.03, 0.03, 0.03});
    cairo_pattern_t* shine =
        cairo_pattern_create_radial(centre.x - 4, centre.y - 4.5, 0.5, centre.x - 2, centre.y - 2, ball_radius);
    cairo_pattern_add_color_stop_rgb(shine, 0, 0.75, 0.75, 0.75);
    cairo_pattern_add_color_stop_rgb(shine, 0.25, 0.22, 0.22, 0.22);
    cairo_pattern_add_color_stop_rgb(shine, 1, 0.03, 0.03, 0.03);
    cairo_new_path(cr);
    cairo_arc(cr, centre.x, centre.y, ball_radius - 0.6, 0, 2 * pi);
    cairo_set_source(cr, shine);
    cairo_fill(cr);
    cairo_pattern_destroy(shine);
}

void tc_ball_mask(Canvas& c) {
    // 40 x 49 at (99,129): the tube's edges and its two reference wires,
    // with the inside left open for the ball.
    cairo_t* cr = c.cr();
    const double ox = 99, oy = 129;
    const double half = ball_radius + 2;
    // The rim repeats the groove's edge on the face exactly (see tc_face).
    for (double side : {-1.0, 1.0}) {
        for (const auto& [offset, width, ink] :
             {std::tuple{ball_radius + 1.0, 2.0, tube_rim}, std::tuple{ball_radius + 2.75, 1.5, colour::bezel_dark}}) {
            cairo_new_path(cr);
            for (double x = 0; x <= c.width(); x += 1.0) {
                const double y = tube_y(x + ox) + side * offset - oy;
                if (x == 0)
                    cairo_move_to(cr, x, y);
                else
                    cairo_line_to(cr, x, y);
            }
            cairo_set_line_width(cr, width);
            set(cr, ink);
            cairo_stroke(cr);
        }
    }
    for (double side : {-1.0, 1.0}) {
        const double x = ball_rest.x + side * (ball_radius + 1.2) - ox;
        line(cr, {x, tube_y(x + ox) - half - oy}, {x, tube_y(x + ox) + half - oy}, 1.6, {0.10, 0.10, 0.10});
    }
}

void tc_needle(Canvas& c) {
    // 159 x 30, pivot (25,15): a long pointer with a small aircraft seen from
    // above by the pivot, its nose towards the tip.
    cairo_t* cr = c.cr();
    const double px = 25, py = 15;
    pointer(cr, {px, py}, 133, 4, colour::needle, 0, 0);
    // Fuselage.
    polygon(cr, {{px - 22, py - 2}, {px + 16, py - 2.5}, {px + 24, py}, {px + 16, py + 2.5}, {px - 22, py + 2}},
            colour::needle);
    // Wings and tail plane.
    polygon(cr,
            {{px + 4, py - 14}, {px + 9, py - 14}, {px + 12, py}, {px + 9, py + 14}, {px + 4, py + 14}, {px + 1, py}},
            colour::needle);
    polygon(cr,
            {{px - 20, py - 6.5},
             {px - 17, py - 6.5},
             {px - 15, py},
             {px - 17, py + 6.5},
             {px - 20, py + 6.5},
             {px - 21, py}},
            colour::needle);
    fill_circle(cr, {px, py}, 3, {0.12, 0.12, 0.12});
}

void tc_glass(Canvas& c) { round_glass(c, tc_centre, tc_face_radius); }

// -------------------------------------------------------------------- Clock

constexpr Point clock_centre{118, 117};

void clock_dial(Canvas& c) {
    cairo_t* cr = c.cr();
    round_case(cr, 234, 234, clock_centre, 106);
    const Scale minutes = scale_of("Clock", 2);
    for (int m = 0; m < 60; ++m) {
        if (m % 5 == 0)
            scale_tick(cr, minutes, m * 60.0, 91, 104, 3.2);
        else
            scale_tick(cr, minutes, m * 60.0, 97, 104, 1.3);
    }
    for (int h = 1; h <= 12; ++h)
        text(cr, std::to_string(h), minutes.at(h * 5 * 60.0, 78), 15, colour::marking, Align::centre, Weight::bold);
    text(cr, "CLOCK", {clock_centre.x, clock_centre.y + 40}, 6.5, colour::dim_marking, Align::centre, Weight::bold);
}

void clock_hour_hand(Canvas& c) {
    // 60 x 22, pivot (11,11): short and broad.
    cairo_t* cr = c.cr();
    polygon(cr, {{11 - 9, 11 - 4}, {11 + 36, 11 - 4.5}, {11 + 48, 11}, {11 + 36, 11 + 4.5}, {11 - 9, 11 + 4}},
            colour::needle);
    fill_circle(cr, {11, 11}, 7.5, {0.12, 0.12, 0.12});
}

void clock_minute_hand(Canvas& c) {
    // 85 x 18, pivot (9,9).
    cairo_t* cr = c.cr();
    polygon(cr, {{9 - 7, 9 - 3}, {9 + 64, 9 - 3}, {9 + 75, 9}, {9 + 64, 9 + 3}, {9 - 7, 9 + 3}}, colour::needle);
    fill_circle(cr, {9, 9}, 6, {0.12, 0.12, 0.12});
}

void clock_second_hand(Canvas& c) {
    // 130 x 16, pivot (46,8): thin, orange, with a long counterweighted tail.
    cairo_t* cr = c.cr();
    line(cr, {2, 8}, {46 + 82, 8}, 1.6, colour::orange);
    rounded_rect(cr, 2, 5.5, 20, 5, 2, colour::orange);
    fill_circle(cr, {46, 8}, 4.5, colour::orange);
    fill_circle(cr, {46, 8}, 1.8, {0.12, 0.12, 0.12});
}

void clock_glass(Canvas& c) { round_glass(c, clock_centre, 106); }

// clang-format off
const Artwork artwork[] = {
    {310, 262, 262, 8, altimeter_dial, "altimeter dial"},
    {320, 220, 220, 8, altimeter_disc, "baro disc"},
    {321, 45, 54, 8, altimeter_window_mask, "baro window mask"},
    {330, 149, 26, 8, altimeter_100ft_pointer, "100 ft pointer"},
    {340, 98, 28, 8, altimeter_1000ft_pointer, "1000 ft pointer"},
    {350, 75, 12, 8, altimeter_10000ft_pointer, "10000 ft pointer"},
    {360, 262, 262, 8, altimeter_glass, "altimeter glass"},
    {400, 300, 300, 8, airspeed_dial, "airspeed dial"},
    {410, 126, 16, 8, airspeed_fine_pointer, "airspeed fine pointer"},
    {420, 99, 30, 8, airspeed_main_pointer, "airspeed main pointer"},
    {430, 300, 300, 8, airspeed_glass, "airspeed glass"},
    {460, 300, 300, 8, vsi_imperial, "VSI ft/min"},
    {470, 300, 300, 8, vsi_metric, "VSI m/s"},
    {480, 140, 14, 8, vsi_needle, "VSI needle"},
    {490, 300, 300, 8, vsi_glass, "VSI glass"},
    {1000, 238, 238, 8, tc_plain, "turn coordinator"},
    {1020, 238, 238, 8, tc_metric, "turn coord. metric"},
    {1030, 159, 30, 8, tc_needle, "turn needle"},
    {1040, 30, 38, 8, tc_ball, "ball"},
    {1050, 40, 49, 8, tc_ball_mask, "ball tube mask"},
    {1060, 238, 238, 8, tc_glass, "turn coord. glass"},
    {1070, 234, 234, 8, clock_dial, "clock dial"},
    {1080, 130, 16, 8, clock_second_hand, "second hand"},
    {1090, 85, 18, 8, clock_minute_hand, "minute hand"},
    {1100, 60, 22, 8, clock_hour_hand, "hour hand"},
    {1110, 234, 234, 8, clock_glass, "clock glass"},
    {2000, 300, 300, 8, attitude_dial, "attitude dial"},
    {2010, 256, 256, 8, attitude_horizon, "horizon"},
    {2011, 224, 224, 8, attitude_horizon_mask, "horizon mask"},
    {2020, 110, 10, 8, attitude_bank_pointer, "bank pointer"},
    {2030, 160, 33, 8, attitude_aircraft, "miniature aircraft"},
    {2040, 300, 300, 8, attitude_glass, "attitude glass"},
    {2050, 37, 50, 8, attitude_flag, "attitude flag"},
};
// clang-format on

}  // namespace

std::span<const Artwork> flight_artwork() { return artwork; }

}  // namespace art
