// Artwork of the heading family: the two directional gyros, the magnetic
// compass, the accelerometer, the cabin altimeter and the RMI/ILS dual
// indicators (both indicators share one set of bitmaps).
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

// Masks only need to be non-black; white keeps them easy to check by eye.
constexpr Rgb mask_ink{1.0, 1.0, 1.0};
// The lamp behind a lit flag window.
constexpr Rgb lit_white{1.0, 0.98, 0.90};

// A triangle on a circle, its base outside and its point towards the centre:
// the fixed indexes that cards are read against.
void index_triangle(cairo_t* cr, Point c, double angle, double base_radius, double tip_radius, double half_width,
                    Rgb colour) {
    const Point tip = at_angle(c, angle, tip_radius);
    const Point mid = at_angle(c, angle, base_radius);
    const Point side = at_angle({0, 0}, angle + 90, half_width);
    polygon(cr, {tip, {mid.x + side.x, mid.y + side.y}, {mid.x - side.x, mid.y - side.y}}, colour);
}

// A compass rose as gyros and radio indicators carry it: graduated every 5
// degrees, a numeral every 30, the cardinal points in letters.
void compass_rose(cairo_t* cr, Point c, double radius, bool letters) {
    const double outer = radius - 2.0;
    for (int d = 0; d < 360; d += 5) {
        const bool ten = d % 10 == 0, thirty = d % 30 == 0;
        const double length = thirty ? radius * 0.11 : ten ? radius * 0.09 : radius * 0.055;
        tick(cr, c, d, outer - length, outer, thirty ? 2.2 : ten ? 1.6 : 1.1);
    }
    for (int d = 0; d < 360; d += 30) {
        std::string label = std::to_string(d / 10);
        if (letters) {
            if (d == 0) label = "N";
            if (d == 90) label = "E";
            if (d == 180) label = "S";
            if (d == 270) label = "W";
        }
        const bool cardinal = d % 90 == 0;
        const double size = radius * (cardinal && letters ? 0.125 : 0.105);
        text_on_circle(cr, label, c, d, radius * 0.72, size, colour::marking, Weight::bold);
    }
}

// A whole card: the near-black disc and its rose.
void compass_card(Canvas& canvas, double radius, bool letters) {
    cairo_t* cr = canvas.cr();
    const Point c{canvas.width() / 2.0, canvas.height() / 2.0};
    fill_circle(cr, c, radius, colour::face);
    ring(cr, c, radius, radius - 1.0, colour::face_edge);
    compass_rose(cr, c, radius, letters);
}

// The heading bug: two orange prongs either side of the card mark, on a
// base that runs round the card, seen from the card's centre.
void heading_bug(cairo_t* cr, Point pivot, double inner, double outer) {
    const double half = 10.0, notch = 3.0;
    const double depth = outer - inner;
    const double top = pivot.y - outer, bottom = pivot.y - inner;
    const Rgb dark{0.45, 0.22, 0.04};
    polygon(cr,
            {{pivot.x - half, top},
             {pivot.x - notch, top},
             {pivot.x, top + depth * 0.55},
             {pivot.x + notch, top},
             {pivot.x + half, top},
             {pivot.x + half - 2, bottom},
             {pivot.x - half + 2, bottom}},
            dark);
    polygon(cr,
            {{pivot.x - half + 1.2, top + 1},
             {pivot.x - notch - 0.6, top + 1},
             {pivot.x, top + depth * 0.55 + 1.6},
             {pivot.x + notch + 0.6, top + 1},
             {pivot.x + half - 1.2, top + 1},
             {pivot.x + half - 2.8, bottom - 1},
             {pivot.x - half + 2.8, bottom - 1}},
            colour::orange);
}

// A knob picture for a knob element: host needles turn from +x, so the
// index line lies along +x at rest.
void knob_along_x(Canvas& canvas, double radius, Rgb index, int ridges) {
    cairo_t* cr = canvas.cr();
    const Point c{canvas.width() / 2.0, canvas.height() / 2.0};
    knob(cr, c, radius, ridges, false);
    tick(cr, c, 90, radius * 0.15, radius * 0.74, std::max(1.5, radius * 0.12), index);
}

// The collar a knob stands in, proud of the case front.
void knob_housing(cairo_t* cr, Point c, double radius) {
    fill_circle(cr, c, radius, colour::bezel_dark);
    cairo_pattern_t* lit = cairo_pattern_create_linear(c.x - radius, c.y - radius, c.x + radius, c.y + radius);
    cairo_pattern_add_color_stop_rgb(lit, 0, colour::bezel_light.r, colour::bezel_light.g, colour::bezel_light.b);
    cairo_pattern_add_color_stop_rgb(lit, 1, colour::bezel_dark.r, colour::bezel_dark.g, colour::bezel_dark.b);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, radius - 1.2, 0, 2 * pi);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, c.x, c.y, radius - 4.0, 2 * pi, 0);
    cairo_set_source(cr, lit);
    cairo_fill(cr);
    cairo_pattern_destroy(lit);
    fill_circle(cr, c, radius - 4.0, {0.07, 0.07, 0.07});
}

// The case front of a round instrument whose lower corners hold knobs
// instead of screws.
void case_without_lower_screws(cairo_t* cr, double size, Point c, double face_radius) {
    round_case(cr, size, size, c, face_radius);
    const double outer = std::min({c.x, c.y, size - c.x, size - c.y});
    const double s = outer * 0.82;
    for (Point p : {Point{c.x - s, c.y + s}, Point{c.x + s, c.y + s}})
        fill_circle(cr, p, std::max(2.5, outer * 0.055) + 1.0, colour::bezel);
}

// ---------------------------------------------------------------- gyros

constexpr Point gyro_centre{150, 150};
constexpr double gyro_face = 127;
constexpr double gyro_card = 124;
constexpr double bug_inner = 100, bug_outer = 111.5;
constexpr Point set_knob{50, 276}, bug_knob{242, 276};

// The small bug symbol lettered by the bug knob.
void bug_symbol(cairo_t* cr, Point c) {
    polygon(cr,
            {{c.x - 6, c.y - 3},
             {c.x - 2, c.y - 3},
             {c.x, c.y},
             {c.x + 2, c.y - 3},
             {c.x + 6, c.y - 3},
             {c.x + 5, c.y + 3},
             {c.x - 5, c.y + 3}},
            colour::orange);
}

void gyro_case(Canvas& canvas, bool knobs) {
    cairo_t* cr = canvas.cr();
    if (knobs) {
        case_without_lower_screws(cr, 300, gyro_centre, gyro_face);
        knob_housing(cr, set_knob, 26);
        knob_housing(cr, bug_knob, 26);
        text(cr, "PUSH", {22, 226}, 5.5, colour::marking, Align::centre, Weight::bold);
        text(cr, "TO SET", {22, 236}, 5.5, colour::marking, Align::centre, Weight::bold);
        bug_symbol(cr, {270, 231});
        text(cr, "HDG", {278, 243}, 5.5, colour::marking, Align::centre, Weight::bold);
    } else {
        round_case(cr, 300, 300, gyro_centre, gyro_face);
    }
}

void gyro_body(Canvas& canvas) { gyro_case(canvas, true); }
void gyro_small_body(Canvas& canvas) { gyro_case(canvas, false); }

void gyro_card_art(Canvas& canvas) { compass_card(canvas, gyro_card, true); }

// The card shows through a disc of its own size, cut off at the bitmap's
// foot on the half-height gyro.
void gyro_card_mask(Canvas& canvas) { fill_circle(canvas.cr(), {125, 125}, gyro_card + 0.5, mask_ink); }

void gyro_bug(Canvas& canvas) { heading_bug(canvas.cr(), {15, 112}, bug_inner, bug_outer); }

void gyro_bug_ring(Canvas& canvas) { heading_bug(canvas.cr(), {125, 125}, bug_inner, bug_outer); }

// A plan view of the aircraft, nose up, fixed over the card's centre.
void aircraft_symbol(cairo_t* cr, Point c) {
    const Rgb ink = colour::marking;
    const Rgb rim{0.05, 0.05, 0.05};
    for (int pass = 0; pass < 2; ++pass) {
        const double g = pass == 0 ? 1.3 : 0.0;
        const Rgb col = pass == 0 ? rim : ink;
        // Fuselage.
        rounded_rect(cr, c.x - 3.5 - g, c.y - 32 - g, 7 + 2 * g, 62 + 2 * g, 3.5 + g, col);
        // Swept wings.
        polygon(cr,
                {{c.x - 3 - g, c.y - 10 - g},
                 {c.x - 38 - g, c.y + 6 - g},
                 {c.x - 38 - g, c.y + 12 + g},
                 {c.x - 3 - g, c.y + 4 + g},
                 {c.x + 3 + g, c.y + 4 + g},
                 {c.x + 38 + g, c.y + 12 + g},
                 {c.x + 38 + g, c.y + 6 - g},
                 {c.x + 3 + g, c.y - 10 - g}},
                col);
        // Tailplane.
        polygon(cr,
                {{c.x - 3 - g, c.y + 18 - g},
                 {c.x - 15 - g, c.y + 25 - g},
                 {c.x - 15 - g, c.y + 29 + g},
                 {c.x + 15 + g, c.y + 29 + g},
                 {c.x + 15 + g, c.y + 25 - g},
                 {c.x + 3 + g, c.y + 18 - g}},
                col);
    }
}

// The glass and what is fixed to it: the lubber index at the top, smaller
// indexes every 45 degrees on the bezel, the aircraft in the centre.
void gyro_indexes(cairo_t* cr, bool lower_half) {
    for (int a = 45; a < 360; a += 45) {
        if (!lower_half && a > 90 && a < 270) continue;
        index_triangle(cr, gyro_centre, a, gyro_face + 7, gyro_face - 1, 3.5, colour::marking);
    }
    index_triangle(cr, gyro_centre, 0, gyro_face + 8, gyro_card - 13, 6.5, colour::bezel_dark);
    index_triangle(cr, gyro_centre, 0, gyro_face + 7, gyro_card - 11, 5.0, colour::marking);
}

void gyro_glass(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    gyro_indexes(cr, true);
    aircraft_symbol(cr, gyro_centre);
    knob_housing(cr, set_knob, 26);
    knob_housing(cr, bug_knob, 26);
    glass(cr, gyro_centre, gyro_face);
}

void gyro_small_glass(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    gyro_indexes(cr, false);
    // The frame's lower edge, where the half instrument is cut.
    fill_rect(cr, 14, 145, 272, 5, colour::bezel_dark);
    fill_rect(cr, 14, 145, 272, 1.2, colour::bezel);
    glass(cr, gyro_centre, gyro_face);
}

void gyro_set_knob(Canvas& canvas) { knob_along_x(canvas, 21.5, colour::marking, 20); }
void gyro_bug_knob(Canvas& canvas) { knob_along_x(canvas, 21.5, colour::orange, 20); }

// ---------------------------------------------------------------- magnetic compass

// Heading h stands at strip x = 254 - 0.6 h: the window's middle (x 38)
// then shows the heading at either end of the travel.
double strip_x(double heading) { return 254.0 - 0.6 * heading; }

void compass_housing(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    rounded_rect(cr, 0, 0, 76, 49, 6, colour::bezel_dark);
    rounded_rect(cr, 1, 1, 74, 47, 5, colour::bezel);
    // The window's dark surround, seen only through the lubber gap.
    fill_rect(cr, 0, 9, 76, 25, {0.06, 0.06, 0.06});
    fill_rect(cr, 0, 8, 76, 1, colour::bezel_light);
    fill_rect(cr, 0, 34, 76, 1, colour::bezel_dark);
    // The lubber line, across the window and a little beyond.
    fill_rect(cr, 37, 4, 2, 33, colour::orange);
    // The compensator screws.
    for (double x : {14.0, 62.0}) screw(cr, {x, 42}, 3.2);
    text(cr, "N-S", {25, 42}, 4.2, colour::marking, Align::left);
    text(cr, "E-W", {51, 42}, 4.2, colour::marking, Align::right);
}

void compass_strip(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    fill_rect(cr, 0, 0, 292, 23, colour::face);
    // The strip reaches a little past a whole turn either way.
    for (int h = -65; h <= 425; h += 5) {
        const double x = strip_x(h);
        if (x < -2 || x > 294) continue;
        const bool ten = h % 10 == 0, thirty = h % 30 == 0;
        const double top = thirty ? 15.5 : ten ? 17.0 : 19.0;
        line(cr, {x, top}, {x, 23}, thirty ? 1.4 : 1.0, thirty || ten ? colour::marking : colour::dim_marking);
    }
    for (int h = -60; h <= 420; h += 30) {
        const int d = ((h % 360) + 360) % 360;
        std::string label = std::to_string(d / 10);
        if (d == 0) label = "N";
        if (d == 90) label = "E";
        if (d == 180) label = "S";
        if (d == 270) label = "W";
        const bool cardinal = d % 90 == 0;
        text(cr, label, {strip_x(h), 8}, cardinal ? 9 : 8, colour::marking, Align::centre,
             cardinal ? Weight::bold : Weight::normal);
    }
}

// The whole window shows the strip except a gap of two pixels about its
// middle, where the housing's lubber line shows through.
void compass_window(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    fill_rect(cr, 0, 0, 37, 23, mask_ink);
    fill_rect(cr, 39, 0, 37, 23, mask_ink);
}

// ---------------------------------------------------------------- accelerometer

constexpr Point accel_centre{131, 131};
constexpr double accel_face = 112;
constexpr double per_g = 624;
constexpr Point reset_knob{27, 235};

void accelerometer_dial(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    round_case(cr, 260, 260, accel_centre, accel_face);
    const Scale scale = scale_of("Accelerometer", 1);
    const double outer = accel_face - 5;
    for (int half = -8; half <= 20; ++half) {
        const double g = half / 2.0;
        const bool whole = half % 2 == 0;
        tick(cr, accel_centre, scale.angle(g * per_g), outer - (whole ? 15 : 8), outer, whole ? 2.4 : 1.5);
    }
    for (int g = -4; g <= 10; g += 2)
        text_at_angle(cr, std::to_string(g), accel_centre, scale.angle(g * per_g), outer - 30, 15);
    text(cr, "G", {accel_centre.x, accel_centre.y + 44}, 17, colour::marking, Align::centre, Weight::bold);
    text(cr, "ACCEL", {accel_centre.x, accel_centre.y - 40}, 8, colour::dim_marking);
    // The memory reset knob takes the place of the lower left screw.
    knob_housing(cr, reset_knob, 22);
    knob(cr, reset_knob, 17.5, 16, false);
    text(cr, "RESET", {reset_knob.x + 4, 205}, 5.5, colour::marking, Align::centre, Weight::bold);
}

void accelerometer_needle(Canvas& canvas) { pointer(canvas.cr(), {42, 15}, 103, 7, colour::needle, 32, 10); }

void accelerometer_memory(Canvas& canvas) { pointer(canvas.cr(), {43, 15}, 95, 3.4, colour::orange, 26, 6); }

void accelerometer_glass(Canvas& canvas) { glass(canvas.cr(), accel_centre, accel_face); }

// ---------------------------------------------------------------- cabin altimeter

constexpr Point cabin_centre{100, 100};
constexpr double cabin_face = 84;
constexpr double feet_per_km = 1000 / 0.305;

void cabin_face_case(Canvas& canvas) { round_case(canvas.cr(), 200, 200, cabin_centre, cabin_face); }

void cabin_dial_imperial(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    cabin_face_case(canvas);
    const Scale scale = scale_of("Cabin_Altitude", 2);
    const double outer = cabin_face - 4;
    for (int k = 0; k <= 40; ++k) {
        const bool five = k % 5 == 0;
        tick(cr, cabin_centre, scale.angle(k * 1000.0), outer - (five ? 12 : 6), outer, five ? 2.2 : 1.2);
    }
    for (int k = 0; k <= 40; k += 5)
        text_at_angle(cr, std::to_string(k), cabin_centre, scale.angle(k * 1000.0), outer - 22, 10);
    text(cr, "CABIN", {100, 66}, 9, colour::marking, Align::centre, Weight::bold);
    text(cr, "x1000 FT", {100, 134}, 7, colour::dim_marking);
}

// The metric face covers the whole imperial one: same case, new scale.
void cabin_dial_metric(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    cabin_face_case(canvas);
    const Scale scale = scale_of("Cabin_Altitude", 2);
    const double outer = cabin_face - 4;
    for (int half = 0; half <= 24; ++half) {
        const bool whole = half % 2 == 0;
        tick(cr, cabin_centre, scale.angle(half / 2.0 * feet_per_km), outer - (whole ? 12 : 6), outer,
             whole ? 2.2 : 1.2);
    }
    text_at_angle(cr, "0", cabin_centre, scale.angle(0), outer - 22, 10);
    for (int km = 4; km <= 12; ++km)
        text_at_angle(cr, std::to_string(km), cabin_centre, scale.angle(km * feet_per_km), outer - 22, 10);
    text(cr, "CABIN", {100, 66}, 9, colour::marking, Align::centre, Weight::bold);
    text(cr, "x1000 m", {100, 134}, 7, colour::dim_marking);
}

void cabin_needle(Canvas& canvas) { pointer(canvas.cr(), {32, 18}, 75, 6, colour::needle, 24, 8); }

void cabin_glass(Canvas& canvas) { glass(canvas.cr(), cabin_centre, cabin_face); }

// ---------------------------------------------------------------- RMI/ILS indicators

constexpr const char* rmi_gauge = "RMI_ILS_Indicator_1";
constexpr Point rmi_centre{150, 151};
constexpr double rmi_face = 126;
constexpr double rmi_card_radius = 119;
constexpr Point course_centre{150, 150};
constexpr double rose_inner = 99, rose_outer = 125;
constexpr Point course_knob{33, 265};

void rmi_dial(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    round_case(cr, 300, 300, rmi_centre, rmi_face);
    // Eight lubber triangles on the bezel, the one at the top the largest.
    for (int a = 0; a < 360; a += 45) {
        const bool top = a == 0;
        index_triangle(cr, rmi_centre, a, rmi_face + 8, rmi_face - (top ? 6 : 4.5), top ? 7 : 5, colour::bezel_dark);
        index_triangle(cr, rmi_centre, a, rmi_face + 7, rmi_face - (top ? 4.5 : 3), top ? 5.5 : 3.8, colour::marking);
    }
    // The course knob's housing holds the knob's fixed part, seen while the
    // knob picture is hidden in RMI mode.
    knob_housing(cr, course_knob, 29);
    knob(cr, course_knob, 24.5, 24, false);
}

// Where a deviation needle crosses the line through the dial's centre
// (horizontal for the localizer, vertical for the glideslope) at a value.
Point localizer_crossing(const Scale& s, double value) {
    const Point p = s.centre();
    const Point d = at_angle({0, 0}, s.angle(value), 1.0);
    const double t = (course_centre.y - p.y) / d.y;
    return {p.x + t * d.x, course_centre.y};
}

Point glideslope_crossing(const Scale& s, double value) {
    const Point p = s.centre();
    const Point d = at_angle({0, 0}, s.angle(value), 1.0);
    const double t = (course_centre.x - p.x) / d.x;
    return {course_centre.x, p.y + t * d.y};
}

// Two dots either side, full scale at two and a half.
constexpr double loc_dot = 127 / 2.5;
constexpr double gs_dot = 120 / 2.5;

void flag_slot(cairo_t* cr, double x, double y, double w, double h) {
    rounded_rect(cr, x - 2, y - 2, w + 4, h + 4, 1.5, colour::bezel_dark);
    fill_rect(cr, x - 0.5, y - 0.5, w + 1, h + 1, {0.05, 0.05, 0.05});
}

void ils_face(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const Scale loc = scale_of(rmi_gauge, 8);
    const Scale gs = scale_of(rmi_gauge, 9);

    // The localizer arc under the needle's tip: blue where the needle
    // stands left of centre, yellow where it stands right.
    const double arc_in = 139, arc_out = 147;
    band(cr, loc.centre(), arc_in, arc_out, loc.angle(127), loc.angle(0), colour::yellow);
    band(cr, loc.centre(), arc_in, arc_out, loc.angle(0), loc.angle(-127), colour::sky);
    tick(cr, loc.centre(), loc.angle(0), arc_in - 3, arc_out + 2, 2.0);

    // The glideslope marks, under the glideslope needle's tip.
    arc(cr, gs.centre(), 144, gs.angle(-120), gs.angle(120), 1.2, colour::dim_marking);
    for (int k = -2; k <= 2; ++k)
        tick(cr, gs.centre(), gs.angle(k * gs_dot), k == 0 ? 136 : 139, 149, k == 0 ? 2.4 : 1.6);
    text(cr, "GS", {206, 124}, 6, colour::dim_marking);

    // The cross of dots.
    for (int k : {-2, -1, 1, 2}) {
        fill_circle(cr, localizer_crossing(loc, k * loc_dot), 2.4, colour::marking);
        fill_circle(cr, glideslope_crossing(gs, k * gs_dot), 2.2, colour::marking);
    }
    ring(cr, course_centre, 5.0, 3.4, colour::marking);

    // The fixed course index under the top lubber, read against the rose.
    polygon(cr, {{150, 53}, {157, 64}, {152.2, 64}, {152.2, 69}, {147.8, 69}, {147.8, 64}, {143, 64}}, colour::marking);

    // Windows for the two flags.
    flag_slot(cr, 188, 135, 25, 6);
    flag_slot(cr, 135, 196, 29, 23);

    // The deviation needles' pivots.
    for (Point p : {loc.centre(), gs.centre()}) {
        fill_circle(cr, p, 5, colour::bezel_dark);
        fill_circle(cr, p, 2.2, colour::bezel_light);
    }
}

void rmi_card(Canvas& canvas) { compass_card(canvas, rmi_card_radius, true); }

void rmi_card_mask(Canvas& canvas) { fill_circle(canvas.cr(), rmi_centre, rmi_card_radius + 0.5, mask_ink); }

// The ADF needle: a broad yellow bar with an arrow head and a forked tail.
void adf_needle(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const Point p{101, 17};
    const double head = 97, neck = 76, tail = 94, half = 3.6, barb = 10;
    for (int pass = 0; pass < 2; ++pass) {
        const double g = pass == 0 ? 1.2 : 0.0;
        const Rgb c = pass == 0 ? Rgb{0.30, 0.22, 0.02} : colour::yellow;
        polygon(cr,
                {{p.x + head + g, p.y},
                 {p.x + neck - g, p.y - barb - g},
                 {p.x + neck - g, p.y - half - g},
                 {p.x - tail - g, p.y - half - g - 4},
                 {p.x - tail + 8, p.y},
                 {p.x - tail - g, p.y + half + g + 4},
                 {p.x + neck - g, p.y + half + g},
                 {p.x + neck - g, p.y + barb + g}},
                c);
    }
}

// The VOR needle: a double white bar with an open arrow head.
void vor_needle(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const Point p{105, 10};
    const double head = 101, neck = 82, tail = 100, gap = 3.2;
    const Rgb rim{0.08, 0.08, 0.08};
    for (int pass = 0; pass < 2; ++pass) {
        const double g = pass == 0 ? 1.0 : 0.0;
        const Rgb c = pass == 0 ? rim : colour::needle;
        for (double side : {-1.0, 1.0})
            fill_rect(cr, p.x - tail - g, p.y + side * gap - 1.2 - g, tail + neck + 2 * g, 2.4 + 2 * g, c);
        polygon(cr, {{p.x + head + g, p.y}, {p.x + neck - 4 - g, p.y - 8.5 - g}, {p.x + neck - 4 - g, p.y + 8.5 + g}},
                c);
        fill_rect(cr, p.x - tail - g, p.y - gap - 1.2 - g, 3 + 2 * g, 2 * gap + 2.4 + 2 * g, c);
    }
    // The hub over both needles' centre.
    fill_circle(cr, p, 8, {0.12, 0.12, 0.12});
    ring(cr, p, 8, 6.8, colour::bezel);
    fill_circle(cr, p, 3, colour::dim_marking);
}

// The course rose: a graduated ring with the ILS face showing inside.
void course_card(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    const Point c{132, 132};
    ring(cr, c, rose_outer, rose_inner, colour::face);
    ring(cr, c, rose_inner + 1.0, rose_inner, colour::dim_marking);
    const double outer = rose_outer - 2;
    for (int d = 0; d < 360; d += 5) {
        const bool ten = d % 10 == 0, thirty = d % 30 == 0;
        tick(cr, c, d, outer - (thirty ? 11 : ten ? 8 : 5), outer, thirty ? 2.0 : ten ? 1.5 : 1.1);
    }
    for (int d = 0; d < 360; d += 30)
        text_on_circle(cr, std::to_string(d / 10), c, d, rose_inner + 8.5, 9.5, colour::marking, Weight::bold);
}

void course_card_mask(Canvas& canvas) { ring(canvas.cr(), {132, 132}, rose_outer + 0.5, rose_inner - 0.5, mask_ink); }

void gs_flag(Canvas& canvas) { stripes(canvas.cr(), 0, 0, 25, 6, 3); }

// No flag: the window stays empty.
void gs_flag_clear(Canvas&) {}

void tofrom_off(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    stripes(cr, 0, 0, 29, 23, 4);
    rounded_rect(cr, 4, 6.5, 21, 10, 1.5, {0.95, 0.95, 0.92});
    text(cr, "OFF", {14.5, 11.5}, 6.5, {0.10, 0.10, 0.10}, Align::centre, Weight::bold);
}

void tofrom_to(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    fill_rect(cr, 0, 0, 29, 23, colour::face);
    polygon(cr, {{14.5, 2.5}, {26, 20.5}, {3, 20.5}}, {0.55, 0.52, 0.40});
    polygon(cr, {{14.5, 4.8}, {24, 19.5}, {5, 19.5}}, lit_white);
    text(cr, "TO", {14.5, 15}, 5.5, {0.15, 0.15, 0.15}, Align::centre, Weight::bold);
}

void deviation_needle(Canvas& canvas) {
    cairo_t* cr = canvas.cr();
    fill_rect(cr, 0, 0.6, 154, 2.8, colour::needle);
}

void rmi_glass(Canvas& canvas) { glass(canvas.cr(), rmi_centre, rmi_face); }

void rmi_course_knob(Canvas& canvas) { knob_along_x(canvas, 26.5, colour::marking, 24); }

// clang-format off
const Artwork artwork[] = {
    {240, 48, 48, 8, gyro_bug_knob, "gyro: heading bug knob"},
    {250, 48, 48, 8, gyro_set_knob, "gyro: setting knob"},
    {260, 300, 303, 8, gyro_glass, "gyro: glass, index, housings"},
    {270, 30, 190, 8, gyro_bug, "gyro: heading bug"},
    {280, 250, 250, 8, gyro_card_art, "gyro: compass card"},
    {281, 250, 250, 8, gyro_card_mask, "gyro: card mask"},
    {290, 300, 303, 8, gyro_body, "gyro: body"},
    {2060, 58, 58, 8, rmi_course_knob, "RMI/ILS: course knob"},
    {2070, 300, 300, 8, rmi_glass, "RMI/ILS: glass"},
    {2080, 208, 20, 8, vor_needle, "RMI: VOR needle"},
    {2090, 201, 33, 8, adf_needle, "RMI: ADF needle"},
    {2100, 240, 240, 8, rmi_card, "RMI: compass card"},
    {2101, 300, 300, 8, rmi_card_mask, "RMI: card mask"},
    {2110, 300, 300, 8, ils_face, "ILS: face"},
    {2120, 154, 4, 8, deviation_needle, "ILS: glideslope needle"},
    {2130, 154, 4, 8, deviation_needle, "ILS: localizer needle"},
    {2140, 29, 23, 8, tofrom_off, "ILS: OFF flag"},
    {2141, 29, 23, 8, tofrom_to, "ILS: TO lit"},
    {2150, 25, 6, 8, gs_flag, "ILS: glideslope flag"},
    {2151, 25, 6, 8, gs_flag_clear, "ILS: no glideslope flag"},
    {2160, 264, 264, 8, course_card, "ILS: course card"},
    {2161, 264, 264, 8, course_card_mask, "ILS: course card mask"},
    {2170, 300, 300, 8, rmi_dial, "RMI/ILS: dial"},
    {2240, 260, 260, 8, accelerometer_dial, "accelerometer: dial"},
    {2250, 148, 30, 8, accelerometer_needle, "accelerometer: needle"},
    {2260, 142, 30, 8, accelerometer_memory, "accelerometer: memory"},
    {2270, 260, 260, 8, accelerometer_glass, "accelerometer: glass"},
    {2280, 200, 200, 8, cabin_dial_imperial, "cabin altitude: feet"},
    {2290, 110, 36, 8, cabin_needle, "cabin altitude: needle"},
    {2300, 200, 200, 8, cabin_glass, "cabin altitude: glass"},
    {2310, 200, 200, 8, cabin_dial_metric, "cabin altitude: metres"},
    {2450, 76, 49, 8, compass_housing, "compass: housing"},
    {2460, 292, 23, 8, compass_strip, "compass: card strip"},
    {2461, 76, 23, 8, compass_window, "compass: window"},
    {3050, 300, 150, 8, gyro_small_body, "small gyro: body"},
    {3060, 300, 150, 8, gyro_small_glass, "small gyro: glass"},
    {3070, 250, 250, 8, gyro_card_art, "small gyro: card"},
    {3071, 250, 125, 8, gyro_card_mask, "small gyro: card mask"},
    {3080, 250, 250, 8, gyro_bug_ring, "small gyro: bug ring"},
    {3081, 250, 125, 8, gyro_card_mask, "small gyro: bug mask"},
};
// clang-format on

}  // namespace

std::span<const Artwork> heading_artwork() { return artwork; }

}  // namespace art
