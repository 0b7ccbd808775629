// Artwork of the systems family: engine instruments, fuel gauges, warning
// lights, the gear position indicator, the electrical board, the throttle
// quadrant, the flaps indicator and the RMI needle switch. Every graduation
// is placed through the module's own needle tables (scale_of), so dial and
// needle agree.
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>

#include "resources/artwork/paint.h"
#include "resources/artwork/registry.h"
#include "resources/artwork/scales.h"

namespace art {

namespace {

constexpr double pi = 3.14159265358979323846;

double radians(double degrees) { return degrees * pi / 180.0; }

// Temperatures reach the dials in degrees Rankine.
double rankine(double celsius) { return 491.67 + 1.8 * celsius; }

// Pressures reach the dials in units of which 2048.146 make 1 kg/cm2.
constexpr double per_kg_cm2 = 2048.146;

Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

void label(cairo_t* cr, const std::string& s, Point at, double size, Rgb c = colour::marking) {
    text(cr, s, at, size, c, Align::centre, Weight::bold);
}

void scale_tick(cairo_t* cr, const Scale& s, double value, double inner, double outer, double width,
                Rgb c = colour::marking) {
    tick(cr, s.centre(), s.angle(value), inner, outer, width, c);
}

// Bands and arcs between two scale angles, whichever way the scale runs.
void band_between(cairo_t* cr, Point c, double inner, double outer, double a, double b, Rgb colour) {
    band(cr, c, inner, outer, std::min(a, b), std::max(a, b), colour);
}

void arc_between(cairo_t* cr, Point c, double r, double a, double b, double width, Rgb colour) {
    arc(cr, c, r, std::min(a, b), std::max(a, b), width, colour);
}

// The half-extent of a line of bold lettering along a direction, so that
// wide numerals keep the same gap from their tick as narrow ones.
double reach(cairo_t* cr, const std::string& s, double size, double angle) {
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Sans Condensed", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size / 0.73);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    cairo_restore(cr);
    const double a = radians(angle);
    return std::abs(std::sin(a)) * e.width / 2 + std::abs(std::cos(a)) * size / 2;
}

// A numeral inside the scale, its nearest edge at a radius.
void numeral(cairo_t* cr, const Scale& s, double value, const std::string& n, double edge, double size) {
    const double a = s.angle(value);
    text(cr, n, at_angle(s.centre(), a, edge - reach(cr, n, size, a)), size, colour::marking, Align::centre,
         Weight::bold);
}

// A numeral outside the scale, its nearest edge at a radius.
void numeral_outside(cairo_t* cr, const Scale& s, double value, const std::string& n, double edge, double size) {
    const double a = s.angle(value);
    text(cr, n, at_angle(s.centre(), a, edge + reach(cr, n, size, a)), size, colour::marking, Align::centre,
         Weight::bold);
}

// The case of a round instrument with its face cut away: drawn over the
// needles, so they pass under the bezel; the dial shows through the hole.
void bezel_ring(cairo_t* cr, double width, double height, Point c, double face_radius) {
    round_case(cr, width, height, c, face_radius);
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, face_radius, 0, 2 * pi);
    cairo_fill(cr);
    cairo_restore(cr);
    ring(cr, c, face_radius + 0.8, face_radius - 0.6, colour::bezel_dark);
    glass(cr, c, face_radius);
}

// A dark hub cap over the pivot of a needle too thin to carry its own.
void hub_cap(cairo_t* cr, Point c, double r) {
    fill_circle(cr, c, r, {0.12, 0.12, 0.12});
    ring(cr, c, r, r - 1.2, colour::bezel);
    fill_circle(cr, c, r * 0.38, colour::dim_marking);
}

// A white needle blade with a yellow tip, a tail and a hub.
void tipped_pointer(cairo_t* cr, Point pivot, double length, double width, double tail, double hub) {
    pointer(cr, pivot, length, width, colour::needle, tail, 0);
    cairo_save(cr);
    cairo_rectangle(cr, pivot.x + length * 0.80, 0, length, 1000);
    cairo_clip(cr);
    pointer(cr, pivot, length, width, colour::yellow, tail, 0);
    cairo_restore(cr);
    if (hub > 0) hub_cap(cr, pivot, hub);
}

// A lamp lens at any brightness between dark (0) and fully lit (1), in the
// same bezel as art::lens, for lights that glow by degrees.
void lamp(cairo_t* cr, Point c, double r, Rgb hue, double level) {
    if (level <= 0.0) {
        lens(cr, c, r, hue, false);
        return;
    }
    if (level >= 1.0) {
        lens(cr, c, r, hue, true);
        return;
    }
    fill_circle(cr, c, r * 1.18, colour::bezel_dark);
    ring(cr, c, r * 1.18, r * 1.02, colour::bezel);
    const Rgb dark{hue.r * 0.28 + 0.03, hue.g * 0.28 + 0.03, hue.b * 0.28 + 0.03};
    const Rgb hot{std::min(1.0, hue.r + 0.45), std::min(1.0, hue.g + 0.45), std::min(1.0, hue.b + 0.45)};
    const Rgb centre = mix(dark, hot, level), middle = mix(dark, hue, level),
              edge = mix(dark, {hue.r * 0.7, hue.g * 0.7, hue.b * 0.7}, level);
    cairo_pattern_t* glow = cairo_pattern_create_radial(c.x, c.y, r * 0.1, c.x, c.y, r);
    cairo_pattern_add_color_stop_rgb(glow, 0, centre.r, centre.g, centre.b);
    cairo_pattern_add_color_stop_rgb(glow, 0.6, middle.r, middle.g, middle.b);
    cairo_pattern_add_color_stop_rgb(glow, 1, edge.r, edge.g, edge.b);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, 2 * pi);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_new_path(cr);
    cairo_arc(cr, c.x - r * 0.3, c.y - r * 0.35, r * 0.28, 0, 2 * pi);
    set(cr, {1, 1, 1}, 0.12 + 0.23 * level);
    cairo_fill(cr);
}

// A lit rectangle with a glow from its middle, for the gear bars.
void lit_bar(cairo_t* cr, double w, double h, Rgb hue) {
    const double cx = w / 2, cy = h / 2;
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 1, cx, cy, std::max(w, h) * 0.6);
    cairo_pattern_add_color_stop_rgb(glow, 0, std::min(1.0, hue.r + 0.45), std::min(1.0, hue.g + 0.45),
                                     std::min(1.0, hue.b + 0.45));
    cairo_pattern_add_color_stop_rgb(glow, 0.55, hue.r, hue.g, hue.b);
    cairo_pattern_add_color_stop_rgb(glow, 1, hue.r * 0.6, hue.g * 0.6, hue.b * 0.6);
    cairo_new_path(cr);
    const double r = std::min(w, h) * 0.25;
    cairo_new_sub_path(cr);
    cairo_arc(cr, w - r, r, r, -pi / 2, 0);
    cairo_arc(cr, w - r, h - r, r, 0, pi / 2);
    cairo_arc(cr, r, h - r, r, pi / 2, pi);
    cairo_arc(cr, r, r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

// ------------------------------------------------------------- Engine speed

constexpr Point rpm_centre{150, 150};
constexpr double rpm_face = 131;

void rpm_face_drawing(Canvas& c, const char* unit) {
    cairo_t* cr = c.cr();
    round_case(cr, 300, 300, rpm_centre, rpm_face);
    const Scale s = scale_of("Engine_RPM", 2);
    arc_between(cr, rpm_centre, 125.3, s.angle(0), s.angle(12000), 1.4, colour::dim_marking);
    for (int rpm = 0; rpm <= 12000; rpm += 500) {
        if (rpm % 1000 == 0)
            scale_tick(cr, s, rpm, 108, 126, 3.4);
        else
            scale_tick(cr, s, rpm, 116, 126, 1.8);
    }
    for (int rpm = 100; rpm < 12000; rpm += 100)
        if (rpm % 500 != 0) scale_tick(cr, s, rpm, 121, 126, 0.9, colour::dim_marking);
    // Full power, 100 percent.
    scale_tick(cr, s, 10800, 110, 128, 4.0, colour::red);
    for (int n = 0; n <= 12; ++n) numeral(cr, s, n * 1000.0, std::to_string(n), 103, 16);
    label(cr, unit, {150, 98}, 13);
    label(cr, "x 1000", {150, 200}, 9, colour::dim_marking);
}

void rpm_face_metric(Canvas& c) { rpm_face_drawing(c, "T/min"); }
void rpm_face_imperial(Canvas& c) { rpm_face_drawing(c, "RPM"); }

void rpm_needle(Canvas& c) {
    // 157 x 26, pivot (35,13).
    tipped_pointer(c.cr(), {35, 13}, 120, 7, 30, 11.5);
}

void rpm_bezel(Canvas& c) { bezel_ring(c.cr(), 300, 300, rpm_centre, rpm_face); }

// ---------------------------------------------------- Turbine and oil temps

constexpr Point temp_case{122, 122};
constexpr double temp_face = 104;

void temperature_face(Canvas& c, const char* gauge, const char* title, int top, int minor, int numbered, int red_from) {
    cairo_t* cr = c.cr();
    round_case(cr, 244, 244, temp_case, temp_face);
    const Scale s = scale_of(gauge, 1);
    const Point p = s.centre();
    const double outer = 120;
    band_between(cr, p, outer - 5, outer, s.angle(rankine(red_from)), s.angle(rankine(top)), colour::red);
    arc_between(cr, p, outer - 0.7, s.angle(rankine(0)), s.angle(rankine(red_from)), 1.4, colour::dim_marking);
    // Half-way between numerals a longer tick, where one falls on a minor step.
    const int half = numbered / 2;
    for (int t = 0; t <= top; t += minor) {
        if (t % numbered == 0)
            scale_tick(cr, s, rankine(t), outer - 17, outer, 3.0);
        else if (half % minor == 0 && t % half == 0)
            scale_tick(cr, s, rankine(t), outer - 12, outer, 2.0);
        else
            scale_tick(cr, s, rankine(t), outer - 8, outer, 1.4);
    }
    // The arc is short: numerals stand outside it, where there is room.
    for (int t = 0; t <= top; t += numbered) numeral_outside(cr, s, rankine(t), std::to_string(t), outer + 4, 11);
    label(cr, title, {temp_case.x, 143}, 9);
    label(cr, "°C", {temp_case.x, 161}, 9, colour::dim_marking);
}

void turbine_face(Canvas& c) { temperature_face(c, "Turbine_Temp", "TEMP JET", 800, 50, 200, 750); }
void oil_face(Canvas& c) { temperature_face(c, "Oil_Temperature", "TEMP PALIER", 200, 10, 50, 180); }

// A thin bar from the pivot, pointed at its end: the bitmap is 3 px high.
void thin_needle(Canvas& c, double pivot_x) {
    cairo_t* cr = c.cr();
    const double w = c.width();
    polygon(cr, {{0, 0}, {w - 6, 0}, {w, 1.5}, {w - 6, 3}, {0, 3}}, colour::needle);
    polygon(cr, {{w - 16, 0}, {w - 6, 0}, {w, 1.5}, {w - 6, 3}, {w - 16, 3}}, colour::yellow);
    if (pivot_x > 0) fill_rect(cr, 0, 0, pivot_x, 3, colour::dim_marking);
}

void turbine_needle(Canvas& c) { thin_needle(c, 0); }
void oil_needle(Canvas& c) { thin_needle(c, 10); }

// The glass of a thin-needle dial carries the hub that caps the needle.
void temperature_glass(Canvas& c, const char* gauge) {
    cairo_t* cr = c.cr();
    glass(cr, temp_case, temp_face);
    hub_cap(cr, scale_of(gauge, 1).centre(), 10.5);
}

void turbine_glass(Canvas& c) { temperature_glass(c, "Turbine_Temp"); }
void oil_glass(Canvas& c) { temperature_glass(c, "Oil_Temperature"); }

// --------------------------------------------------------- Triple pressure

constexpr Point pressure_centre{150, 150};
constexpr double pressure_face = 131;

void pressure_face_drawing(Canvas& c) {
    cairo_t* cr = c.cr();
    round_case(cr, 300, 300, pressure_centre, pressure_face);

    // The two brake half-dials, 0 at the top to 14 at the bottom.
    for (int side = 1; side <= 2; ++side) {
        const Scale s = scale_of("Triple_Pressure", std::size_t(side));
        const Point p = s.centre();
        const double r = 80;
        arc_between(cr, p, r - 0.7, s.angle(0), s.angle(14 * per_kg_cm2), 1.4, colour::dim_marking);
        for (int k = 0; k <= 14; ++k) {
            const double v = k * per_kg_cm2;
            if (k % 4 == 2)
                scale_tick(cr, s, v, r - 15, r, 3.0);
            else if (k % 2 == 0)
                scale_tick(cr, s, v, r - 10, r, 2.0);
            else
                scale_tick(cr, s, v, r - 6, r, 1.3);
        }
        for (int k : {2, 6, 14}) numeral(cr, s, k * per_kg_cm2, std::to_string(k), r - 19, 11);
        // The 10 stands a little lower than its tick, clear of the reservoir
        // needle lying across the dial at rest (0, or 50 on the right).
        const double ten = s.angle(10 * per_kg_cm2) + (side == 1 ? -8 : 8);
        text_at_angle(cr, "10", p, ten, r - 19 - reach(cr, "10", 11, ten), 11, colour::marking, Weight::bold);
        label(cr, "FREINS", {p.x + (side == 1 ? -34 : 34), p.y}, 7, colour::dim_marking);
    }

    // The reservoir arc below, 0 at the left to 50 at the right, through the
    // bottom. Its needle shows one fifth of the reservoir pressure.
    const Scale s = scale_of("Triple_Pressure", 3);
    const double r = 124;
    band_between(cr, pressure_centre, r - 4, r, s.angle(45 * per_kg_cm2), s.angle(50 * per_kg_cm2), colour::red);
    arc_between(cr, pressure_centre, r - 0.7, s.angle(45 * per_kg_cm2), s.angle(0), 1.4, colour::dim_marking);
    for (int k = 0; k <= 50; ++k) {
        const double v = k * per_kg_cm2;
        if (k % 10 == 0)
            scale_tick(cr, s, v, r - 15, r, 3.0);
        else if (k % 5 == 0)
            scale_tick(cr, s, v, r - 10, r, 2.0);
        else
            scale_tick(cr, s, v, r - 6, r, 1.1, colour::dim_marking);
    }
    for (int k : {10, 20, 30, 40}) numeral(cr, s, k * per_kg_cm2, std::to_string(k), r - 19, 11);
    label(cr, "RESERVOIR", {150, 216}, 8);
    label(cr, "kg/cm²", {150, 231}, 7, colour::dim_marking);
}

void brake_needle(Canvas& c) {
    // 102 x 22, pivot (21,11).
    tipped_pointer(c.cr(), {21, 11}, 79, 5.5, 16, 8);
}

void reservoir_needle(Canvas& c) {
    // 149 x 26, pivot (35,13).
    tipped_pointer(c.cr(), {35, 13}, 112, 7, 28, 11);
}

void pressure_glass(Canvas& c) { glass(c.cr(), pressure_centre, pressure_face); }

// -------------------------------------------------------------- Fuel gauges

constexpr Point fuel_centre{150, 150};
constexpr double fuel_face = 131;

void fuel_dial(Canvas& c, const char* gauge, std::initializer_list<int> marks, int minor) {
    cairo_t* cr = c.cr();
    round_case(cr, 300, 300, fuel_centre, fuel_face);
    const Scale s = scale_of(gauge, 1);
    const int top = *(marks.end() - 1);
    const double r = 122;
    arc_between(cr, fuel_centre, r - 0.7, s.angle(0), s.angle(top), 1.4, colour::dim_marking);
    // The reserve: the first stretch of the scale in red.
    band_between(cr, fuel_centre, r - 5, r, s.angle(0), s.angle(*(marks.begin() + 1) / 2.0), colour::red);
    for (int l = 0; l <= top; l += minor) {
        bool major = false;
        for (int m : marks) major = major || m == l;
        if (major) continue;
        if (l % (5 * minor) == 0)
            scale_tick(cr, s, l, r - 12, r, 2.0);
        else
            scale_tick(cr, s, l, r - 8, r, 1.3);
    }
    for (int m : marks) {
        scale_tick(cr, s, m, r - 18, r, 3.4);
        numeral(cr, s, m, std::to_string(m), r - 22, 12);
    }
    label(cr, "PETROLE", {150, 105}, 10);
    label(cr, "LITRES", {150, 200}, 8, colour::dim_marking);
}

void fuel_main(Canvas& c) { fuel_dial(c, "Fuel_Quantity_Main_Left", {0, 40, 80, 120, 160, 200, 214}, 10); }
void fuel_drop(Canvas& c) { fuel_dial(c, "Fuel_Quantity_Aux_Left", {0, 50, 100, 150, 200, 250}, 10); }
void fuel_centre_tank(Canvas& c) { fuel_dial(c, "Fuel_Quantity_Center", {0, 100, 200, 300, 340}, 10); }

void fuel_needle(Canvas& c) {
    // 130 x 26, pivot (35,13).
    tipped_pointer(c.cr(), {35, 13}, 93, 7, 28, 11.5);
}

void fuel_bezel(Canvas& c) { bezel_ring(c.cr(), 300, 300, fuel_centre, fuel_face); }

// ------------------------------------------------------------------ Flaps

constexpr Point flaps_centre{90, 90};
constexpr double flaps_face = 76;

void flaps_face_drawing(Canvas& c, const char* up, const char* down) {
    cairo_t* cr = c.cr();
    round_case(cr, 180, 180, flaps_centre, flaps_face);
    const Scale s = scale_of("Flaps_Indicator", 2);
    const double r = 71;
    arc_between(cr, flaps_centre, r - 0.7, s.angle(16380), s.angle(0), 1.4, colour::dim_marking);
    for (int q = 0; q <= 4; ++q) {
        const double v = q * 4095.0;
        if (q == 0 || q == 4)
            scale_tick(cr, s, v, r - 17, r, 3.6);
        else if (q == 2)
            scale_tick(cr, s, v, r - 13, r, 2.8);
        else
            scale_tick(cr, s, v, r - 9, r, 2.2);
    }
    for (int q = 1; q < 16; ++q)
        if (q % 4 != 0) scale_tick(cr, s, q * 1023.75, r - 5, r, 1.1, colour::dim_marking);
    // The words stand right of their marks, where the needle never goes.
    text(cr, up, {99, 33}, 9, colour::marking, Align::left, Weight::bold);
    text(cr, down, {99, 147}, 9, colour::marking, Align::left, Weight::bold);
    label(cr, "FLAP", {122, 90}, 10);
}

void flaps_face_plain(Canvas& c) { flaps_face_drawing(c, "UP", "DOWN"); }
void flaps_face_french(Canvas& c) { flaps_face_drawing(c, "LEVÉ", "BAISSÉ"); }

void flaps_needle(Canvas& c) {
    // 102 x 18, pivot (35,9); a short tail, so that only the tipped end reads.
    tipped_pointer(c.cr(), {35, 9}, 64, 6, 14, 8);
}

void flaps_bezel(Canvas& c) { bezel_ring(c.cr(), 180, 180, flaps_centre, flaps_face); }

// ----------------------------------------------------------- Warning lights

constexpr Rgb unlit_socket{0.30, 0.30, 0.32};

void speed_brake_dark(Canvas& c) { lens(c.cr(), {20, 20}, 16.2, colour::amber, false); }
void speed_brake_lit(Canvas& c) { lens(c.cr(), {20, 20}, 16.2, colour::amber, true); }

// The empty socket: a clear lens over a dark lamp, no colour of its own.
void gear_socket(Canvas& c) { lens(c.cr(), {20.5, 20.5}, 16.6, unlit_socket, false); }
void gear_green(Canvas& c) { lens(c.cr(), {20.5, 20.5}, 16.6, colour::green, true); }
void gear_red(Canvas& c) { lens(c.cr(), {20.5, 20.5}, 16.6, colour::red, true); }

void flaps_light(Canvas& c, double level) { lamp(c.cr(), {20, 20}, 16.2, colour::amber, level); }
void flaps_dark(Canvas& c) { flaps_light(c, 0.0); }
void flaps_dim(Canvas& c) { flaps_light(c, 0.45); }
void flaps_half(Canvas& c) { flaps_light(c, 0.7); }
void flaps_bright(Canvas& c) { flaps_light(c, 0.88); }
void flaps_brightest(Canvas& c) { flaps_light(c, 1.0); }

// The fire light: a red lens lettered FEU in a small oblong bezel.
void fire_light(Canvas& c, bool lit) {
    cairo_t* cr = c.cr();
    rounded_rect(cr, 0.5, 0.5, 32, 28, 4, colour::bezel_dark);
    rounded_rect(cr, 1.5, 1.5, 30, 26, 3.5, colour::bezel);
    screw(cr, {4.5, 4.5}, 2.0);
    screw(cr, {28.5, 24.5}, 2.0);
    lens(cr, {16.5, 14.5}, 10.2, colour::red, lit);
    label(cr, "FEU", {16.5, 15.5}, 4.6, lit ? Rgb{0.45, 0.05, 0.04} : Rgb{0.40, 0.12, 0.11});
}

void fire_dark(Canvas& c) { fire_light(c, false); }
void fire_lit(Canvas& c) { fire_light(c, true); }

void low_oil_dark(Canvas& c) { lens(c.cr(), {19, 19}, 15.4, colour::red, false); }
void low_oil_lit(Canvas& c) { lens(c.cr(), {19, 19}, 15.4, colour::red, true); }

// The generator light: a large press-to-test lamp with a knurled cap. The
// lit image is only the lens, so the body shows round it.
constexpr Point generator_centre{39.5, 39.5};
constexpr double generator_lens = 22;

void generator_lens_drawing(cairo_t* cr, bool lit) {
    lens(cr, generator_centre, generator_lens, colour::amber, lit);
    label(cr, "GENER", {generator_centre.x, generator_centre.y + 1}, 6.5,
          lit ? Rgb{0.45, 0.26, 0.03} : Rgb{0.42, 0.32, 0.16});
}

void generator_body(Canvas& c) {
    cairo_t* cr = c.cr();
    rounded_rect(cr, 0.5, 0.5, 78, 78, 9, colour::bezel_dark);
    rounded_rect(cr, 1.5, 1.5, 76, 76, 8, colour::bezel);
    for (Point p : {Point{7, 7}, Point{72, 7}, Point{7, 72}, Point{72, 72}}) screw(cr, p, 3.0);
    const Point cc = generator_centre;
    fill_circle(cr, cc, 36, colour::bezel_dark);
    for (int i = 0; i < 48; ++i) tick(cr, cc, i * 7.5, 31.5, 35.5, 1.6, {0.30, 0.30, 0.31});
    cairo_pattern_t* cap = cairo_pattern_create_radial(cc.x - 10, cc.y - 10, 3, cc.x, cc.y, 32);
    cairo_pattern_add_color_stop_rgb(cap, 0, 0.34, 0.34, 0.35);
    cairo_pattern_add_color_stop_rgb(cap, 1, 0.12, 0.12, 0.12);
    cairo_new_path(cr);
    cairo_arc(cr, cc.x, cc.y, 31, 0, 2 * pi);
    cairo_set_source(cr, cap);
    cairo_fill(cr);
    cairo_pattern_destroy(cap);
    generator_lens_drawing(cr, false);
}

void generator_lit(Canvas& c) {
    cairo_t* cr = c.cr();
    // Exactly the lens of the body, lit; art::lens draws its bezel a little
    // wider, which matches the body's own.
    generator_lens_drawing(cr, true);
}

// The pitot heat magnetic indicator: black when off; on, the doll's eye
// turns its ball to show white and black quarters.
void doll_eye(Canvas& c, bool on) {
    cairo_t* cr = c.cr();
    const Point cc{10.5, 10.5};
    fill_circle(cr, cc, 10.3, colour::bezel_dark);
    ring(cr, cc, 10.3, 8.6, colour::bezel_light);
    fill_circle(cr, cc, 8.6, {0.04, 0.04, 0.04});
    if (on) {
        cairo_save(cr);
        cairo_new_path(cr);
        cairo_arc(cr, cc.x, cc.y, 8.0, 0, 2 * pi);
        cairo_clip(cr);
        // The ball turned over: white and black quarters, crosswise.
        fill_rect(cr, 0, 0, 21, 21, {0.92, 0.92, 0.88});
        fill_rect(cr, cc.x, 0, 11, cc.y, {0.06, 0.06, 0.06});
        fill_rect(cr, 0, cc.y, cc.x, 11, {0.06, 0.06, 0.06});
        cairo_restore(cr);
    } else {
        line(cr, {cc.x - 7, cc.y}, {cc.x + 7, cc.y}, 1.0, {0.22, 0.22, 0.22});
    }
    cairo_new_path(cr);
    cairo_arc(cr, cc.x - 3, cc.y - 3.3, 2.0, 0, 2 * pi);
    set(cr, {1, 1, 1}, 0.25);
    cairo_fill(cr);
}

void pitot_off(Canvas& c) { doll_eye(c, false); }
void pitot_on(Canvas& c) { doll_eye(c, true); }

// ---------------------------------------------------- Gear position lights

struct Slot {
    double x, y, w, h;
};
constexpr Slot left_bar{20, 58, 16, 47}, nose_bar{49, 118, 49, 12}, right_bar{114, 60, 20, 48};
constexpr Point red_dots[] = {{104, 28}, {71, 15}, {37, 27}};  // right, nose, left
constexpr double dot = 14;

void gear_panel(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point cc{75, 75};
    cairo_pattern_t* lit = cairo_pattern_create_linear(0, 0, 150, 150);
    cairo_pattern_add_color_stop_rgb(lit, 0, colour::bezel_light.r, colour::bezel_light.g, colour::bezel_light.b);
    cairo_pattern_add_color_stop_rgb(lit, 1, colour::bezel_dark.r, colour::bezel_dark.g, colour::bezel_dark.b);
    cairo_new_path(cr);
    cairo_arc(cr, cc.x, cc.y, 74.5, 0, 2 * pi);
    cairo_set_source(cr, lit);
    cairo_fill(cr);
    cairo_pattern_destroy(lit);
    fill_circle(cr, cc, 69, colour::face);
    ring(cr, cc, 69, 67.8, colour::face_edge);
    for (double a : {45.0, 135.0, 225.0, 315.0}) screw(cr, at_angle(cc, a, 71.8), 2.2);

    const Rgb slot_dark{0.05, 0.05, 0.05};
    for (const Slot& s : {left_bar, nose_bar, right_bar}) {
        rounded_rect(cr, s.x - 2, s.y - 2, s.w + 4, s.h + 4, 3, colour::bezel);
        rounded_rect(cr, s.x - 1, s.y - 1, s.w + 2, s.h + 2, 2.5, colour::bezel_dark);
        fill_rect(cr, s.x, s.y, s.w, s.h, slot_dark);
    }
    for (Point p : red_dots) {
        const Point d{p.x + dot / 2, p.y + dot / 2};
        fill_circle(cr, d, dot / 2 + 2, colour::bezel);
        fill_circle(cr, d, dot / 2 + 1, colour::bezel_dark);
        fill_circle(cr, d, dot / 2, slot_dark);
    }
    label(cr, "G", {left_bar.x + left_bar.w / 2, 48}, 7);
    label(cr, "D", {right_bar.x + right_bar.w / 2, 50}, 7);
    label(cr, "N", {nose_bar.x + nose_bar.w / 2, 139}, 7);
    label(cr, "MANOEUVRE", {75, 55}, 6);
    label(cr, "TRAIN", {75, 64}, 6);
    label(cr, "TRAIN", {75, 95}, 6, colour::dim_marking);
    label(cr, "SORTI", {75, 104}, 6, colour::dim_marking);
}

void gear_bar(Canvas& c) { lit_bar(c.cr(), c.width(), c.height(), colour::green); }

void gear_dot(Canvas& c) {
    cairo_t* cr = c.cr();
    const Point cc{7, 7};
    cairo_pattern_t* glow = cairo_pattern_create_radial(cc.x - 1, cc.y - 1, 0.5, cc.x, cc.y, 7);
    cairo_pattern_add_color_stop_rgb(glow, 0, 1.0, 0.62, 0.55);
    cairo_pattern_add_color_stop_rgb(glow, 0.5, colour::red.r, colour::red.g, colour::red.b);
    cairo_pattern_add_color_stop_rgb(glow, 1, colour::red.r * 0.65, colour::red.g * 0.65, colour::red.b * 0.65);
    cairo_new_path(cr);
    cairo_arc(cr, cc.x, cc.y, 7, 0, 2 * pi);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

// ------------------------------------------------------- Throttle quadrant

// The lever's stem runs in the slot: its centre line at x 47.5. The collar
// at the foot of the stem, the lever's index, lies at y 78.5 in the knob.
constexpr double slot_x = 47.5;
constexpr double knob_collar = 78.5;

void throttle_quadrant(Canvas& c) {
    cairo_t* cr = c.cr();
    plate(cr, 0, 0, 95, 275);
    for (Point p : {Point{7, 7}, Point{88, 7}, Point{7, 268}, Point{88, 268}}) screw(cr, p, 3.0);
    // The slot the lever's stem runs in.
    rounded_rect(cr, slot_x - 7, 36, 14, 214, 7, colour::bezel_light);
    rounded_rect(cr, slot_x - 6, 37, 12, 212, 6, {0.04, 0.04, 0.04});
    // Graduations beside the slot, read against the collar at the foot of
    // the stem: closed at the bottom, open 158 px higher.
    for (int k = 0; k <= 10; ++k) {
        const double y = 158 + knob_collar - k * 15.8;
        const double len = k % 5 == 0 ? 14 : 8;
        line(cr, {slot_x + 10, y}, {slot_x + 10 + len, y}, k % 5 == 0 ? 2.0 : 1.2, colour::marking);
        line(cr, {slot_x - 10 - len, y}, {slot_x - 10, y}, k % 5 == 0 ? 2.0 : 1.2, colour::marking);
    }
    label(cr, "OUVERT", {slot_x, 12}, 7.5);
    turned_text(cr, "GAZ", {14, 137}, -90, 9, colour::marking, Weight::bold);
    label(cr, "FERME", {slot_x, 262}, 7.5);
}

void throttle_knob(Canvas& c) {
    // 91 x 85, drawn with its left edge at x 4 of the quadrant: the stem at
    // x 43.5 of the bitmap lies over the slot.
    cairo_t* cr = c.cr();
    const double cx = slot_x - 4;
    // The stem, down into the slot.
    cairo_pattern_t* metal = cairo_pattern_create_linear(cx - 5, 0, cx + 5, 0);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.40, 0.40, 0.41);
    cairo_pattern_add_color_stop_rgb(metal, 0.45, 0.85, 0.85, 0.85);
    cairo_pattern_add_color_stop_rgb(metal, 1, 0.30, 0.30, 0.31);
    cairo_rectangle(cr, cx - 5, 45, 10, 33);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    fill_rect(cr, cx - 7, knob_collar - 2.5, 14, 5, colour::bezel_dark);
    line(cr, {cx - 7, knob_collar}, {cx + 7, knob_collar}, 1.0, colour::marking);
    // The grip: a black rounded handle with a light from above.
    rounded_rect(cr, 2, 18, 87, 32, 14, {0.03, 0.03, 0.03});
    cairo_pattern_t* grip = cairo_pattern_create_linear(0, 19, 0, 49);
    cairo_pattern_add_color_stop_rgb(grip, 0, 0.42, 0.42, 0.43);
    cairo_pattern_add_color_stop_rgb(grip, 0.3, 0.20, 0.20, 0.21);
    cairo_pattern_add_color_stop_rgb(grip, 1, 0.06, 0.06, 0.06);
    cairo_new_path(cr);
    rounded_rect_path(cr, 3.5, 19.5, 84, 29, 13);
    cairo_set_source(cr, grip);
    cairo_fill(cr);
    cairo_pattern_destroy(grip);
    // Finger grooves and an index line at the stem.
    for (double gx : {20.0, 28.0, 59.0, 67.0}) line(cr, {gx, 24}, {gx, 44}, 1.2, {0.02, 0.02, 0.02});
    line(cr, {cx, 21}, {cx, 47}, 1.6, colour::marking);
}

// ------------------------------------------------------ Electrical board

struct Window {
    double x, y;
};
// clang-format off
constexpr Window windows[] = {{41, 17},  {83, 17},  {128, 15}, {174, 15}, {222, 19}, {267, 19},
                              {311, 19}, {360, 17}, {403, 18}, {449, 18}, {523, 18}};
// clang-format on
// clang-format off
constexpr const char* switch_names[][2] = {
    {"DEMARREUR", ""}, {"GENER", ""},       {"BATT.", ""},  {"RECH.", "PITOT"},  {"FEUX", "NAVIG"},
    {"ANTI", "COLLIS"}, {"FEUX A", "ECLATS"}, {"PHARE", "ATTER"}, {"ECLAIR", "CABINE"}, {"RADIOS", ""},
};
// clang-format on
constexpr double switch_w = 26, switch_h = 74;
constexpr Rgb recess{0.08, 0.08, 0.085};

void elec_board(Canvas& c) {
    cairo_t* cr = c.cr();
    plate(cr, 0, 0, 600, 221);
    for (Point p : {Point{8, 8}, Point{592, 8}, Point{8, 213}, Point{592, 213}}) screw(cr, p, 3.5);

    // The switch windows, each framed; the switch pictures cover the inside.
    for (const Window& w : windows) {
        rounded_rect(cr, w.x - 3, w.y - 3, switch_w + 6, switch_h + 6, 3, colour::bezel_light);
        rounded_rect(cr, w.x - 2, w.y - 2, switch_w + 4, switch_h + 3.5, 2.5, colour::bezel_dark);
        fill_rect(cr, w.x, w.y, switch_w, switch_h, recess);
    }
    for (std::size_t i = 0; i < std::size(switch_names); ++i) {
        const double x = windows[i].x + switch_w / 2;
        const bool two = switch_names[i][1][0] != '\0';
        // Long names shrink to stay within their switch's pitch.
        double size = 5.6;
        for (const char* name : switch_names[i]) size = std::min(size, 5.6 * 44 / (2 * reach(cr, name, 5.6, 90)));
        label(cr, switch_names[i][0], {x, two ? 104.0 : 108.0}, size);
        if (two) label(cr, switch_names[i][1], {x, 113}, size);
    }
    // A separating line between the switches and the lower controls.
    line(cr, {14, 127}, {586, 127}, 1.0, colour::bezel_dark);
    line(cr, {14, 128}, {586, 128}, 1.0, colour::bezel_light);

    // The extinguisher push button under its red hinged guard.
    const double ex = 36, ey = 142, ew = 96, eh = 60;
    fill_rect(cr, ex - 2, ey - 6, ew + 4, 6, colour::bezel_dark);
    fill_rect(cr, ex, ey - 5, ew, 3, colour::bezel_light);
    rounded_rect(cr, ex - 1, ey - 1, ew + 2, eh + 2, 5, {0.30, 0.05, 0.04});
    rounded_rect(cr, ex, ey, ew, eh, 4.5, colour::red);
    rounded_rect(cr, ex + 5, ey + 5, ew - 10, eh - 10, 3, {0.70, 0.10, 0.08});
    stripes(cr, ex + 8, ey + eh - 18, ew - 16, 8, 5);
    label(cr, "EXTINCTEUR", {ex + ew / 2, ey + 18}, 7, {0.96, 0.93, 0.86});

    // Two knobs.
    for (double kx : {200.0, 268.0}) {
        fill_circle(cr, {kx, 172}, 22, colour::bezel_dark);
        knob(cr, {kx, 172}, 19, 28, true);
    }

    // The compass light switch.
    const double bx = 340, by = 150;
    rounded_rect(cr, bx - 1, by - 1, 24, 46, 3, colour::bezel_dark);
    fill_rect(cr, bx, by, 22, 44, recess);
    toggle_lever(cr, bx, by, 22, 44, false);
    label(cr, "BOUSS", {bx + 11, 204}, 6);

    // The rotary selector: a pointer knob with three positions.
    const Point sel{470, 176};
    const double pos[] = {-55, 0, 55};
    const char* names[] = {"COUPE", "BAS", "HAUT"};
    for (int i = 0; i < 3; ++i) {
        tick(cr, sel, pos[i], 24, 30, 2.0);
        text_at_angle(cr, names[i], sel, pos[i], 38, 6, colour::marking, Weight::bold);
    }
    fill_circle(cr, sel, 22, colour::bezel_dark);
    fill_circle(cr, sel, 20, {0.07, 0.07, 0.07});
    cairo_save(cr);
    cairo_translate(cr, sel.x, sel.y);
    cairo_rotate(cr, radians(pos[0]));
    rounded_rect(cr, -6, -19, 12, 38, 5, {0.20, 0.20, 0.21});
    rounded_rect(cr, -4.5, -17.5, 9, 35, 4, {0.13, 0.13, 0.14});
    polygon(cr, {{-2.5, -12}, {2.5, -12}, {0, -17}}, colour::marking);
    line(cr, {0, -12}, {0, 4}, 1.6, colour::marking);
    cairo_restore(cr);
}

void board_switch(Canvas& c, bool up) {
    cairo_t* cr = c.cr();
    fill_rect(cr, 0, 0, switch_w, switch_h, recess);
    rounded_rect(cr, 2, 4, switch_w - 4, switch_h - 8, 3, {0.14, 0.14, 0.15});
    screw(cr, {switch_w / 2, 8}, 2.0);
    screw(cr, {switch_w / 2, switch_h - 8}, 2.0);
    toggle_lever(cr, 0, 0, switch_w, switch_h, up);
}

void switch_down(Canvas& c) { board_switch(c, false); }
void switch_up(Canvas& c) { board_switch(c, true); }

// ------------------------------------------------------------ RMI switch

void rmi_plate(cairo_t* cr) {
    plate(cr, 0, 0, 51, 31);
    label(cr, "1", {5.5, 15.5}, 7.5);
    label(cr, "2", {45.5, 15.5}, 7.5);
}

void rmi_switch(Canvas& c, double dx) {
    cairo_t* cr = c.cr();
    rmi_plate(cr);
    const Point base{25.5, 15.5};
    lever(cr, base, {base.x + dx, base.y}, 7.0, 7.0 * 0.8, 2.8);
}

void rmi_centred(Canvas& c) { rmi_switch(c, 0); }
void rmi_towards_1(Canvas& c) { rmi_switch(c, -11); }
void rmi_towards_2(Canvas& c) { rmi_switch(c, 11); }

// clang-format off
const Artwork artwork[] = {
    {370, 244, 244, 8, turbine_face, "jet pipe temp face"},
    {380, 127, 3, 8, turbine_needle, "jet pipe temp needle"},
    {390, 244, 244, 8, turbine_glass, "jet pipe temp glass"},
    {1160, 300, 300, 8, rpm_face_metric, "engine speed T/min"},
    {1170, 157, 26, 8, rpm_needle, "engine speed needle"},
    {1180, 300, 300, 8, rpm_bezel, "engine speed bezel"},
    {1190, 300, 300, 8, rpm_face_imperial, "engine speed RPM"},
    {1450, 150, 150, 8, gear_panel, "gear position panel"},
    {1460, 16, 47, 8, gear_bar, "left gear green"},
    {1470, 49, 12, 8, gear_bar, "nose gear green"},
    {1480, 20, 48, 8, gear_bar, "right gear green"},
    {1490, 14, 14, 8, gear_dot, "gear in transit"},
    {2180, 40, 40, 8, speed_brake_dark, "speed brake dark"},
    {2181, 40, 40, 8, speed_brake_lit, "speed brake lit"},
    {2190, 41, 41, 8, gear_socket, "gear warning socket"},
    {2191, 41, 41, 8, gear_green, "gear warning green"},
    {2192, 41, 41, 8, gear_red, "gear warning red"},
    {2200, 40, 40, 8, flaps_dark, "flaps light dark"},
    {2210, 40, 40, 8, flaps_dim, "flaps light dim"},
    {2211, 40, 40, 8, flaps_half, "flaps light half"},
    {2212, 40, 40, 8, flaps_bright, "flaps light bright"},
    {2213, 40, 40, 8, flaps_brightest, "flaps light full"},
    {2220, 33, 29, 8, fire_dark, "fire light dark"},
    {2230, 33, 29, 8, fire_lit, "fire light lit"},
    {2340, 180, 180, 8, flaps_face_plain, "flaps UP/DOWN"},
    {2350, 180, 180, 8, flaps_face_french, "flaps LEVE/BAISSE"},
    {2360, 102, 18, 8, flaps_needle, "flaps needle"},
    {2370, 180, 180, 8, flaps_bezel, "flaps bezel"},
    {2380, 244, 244, 8, oil_face, "oil temp face"},
    {2390, 127, 3, 8, oil_needle, "oil temp needle"},
    {2400, 244, 244, 8, oil_glass, "oil temp glass"},
    {2410, 300, 300, 8, pressure_face_drawing, "triple pressure face"},
    {2420, 102, 22, 8, brake_needle, "brake needle"},
    {2430, 149, 26, 8, reservoir_needle, "reservoir needle"},
    {2440, 300, 300, 8, pressure_glass, "triple pressure glass"},
    {2470, 38, 38, 8, low_oil_dark, "low oil press dark"},
    {2480, 38, 38, 8, low_oil_lit, "low oil press lit"},
    {3000, 300, 300, 8, fuel_bezel, "fuel bezel"},
    {3010, 130, 26, 8, fuel_needle, "fuel needle"},
    {3020, 300, 300, 8, fuel_centre_tank, "centre tank dial"},
    {3030, 300, 300, 8, fuel_main, "main tank dial"},
    {3040, 300, 300, 8, fuel_drop, "drop tank dial"},
    {3090, 79, 79, 8, generator_body, "generator light body"},
    {3100, 79, 79, 8, generator_lit, "generator light lit"},
    {3110, 95, 275, 8, throttle_quadrant, "throttle quadrant"},
    {3120, 91, 85, 8, throttle_knob, "throttle knob"},
    {3130, 600, 221, 8, elec_board, "electrical board"},
    {3140, 26, 74, 8, switch_down, "switch off"},
    {3141, 26, 74, 8, switch_up, "switch on"},
    {3150, 21, 21, 8, pitot_off, "pitot heat off"},
    {3151, 21, 21, 8, pitot_on, "pitot heat on"},
    {3160, 51, 31, 8, rmi_centred, "RMI switch plate"},
    {3170, 51, 31, 8, rmi_towards_1, "RMI switch VOR1"},
    {3171, 51, 31, 8, rmi_towards_2, "RMI switch VOR2"},
};
// clang-format on

}  // namespace

std::span<const Artwork> systems_artwork() { return artwork; }

}  // namespace art
