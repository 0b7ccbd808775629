#include "resources/artwork/paint.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr const char* typeface = "DejaVu Sans Condensed";
// Cairo's font size is the em; a capital is about 0.73 of it in this face.
constexpr double cap_height = 0.73;

double radians(double clockwise_from_top) { return (clockwise_from_top - 90.0) * pi / 180.0; }

void select_font(cairo_t* cr, double size, Weight weight) {
    cairo_select_font_face(cr, typeface, CAIRO_FONT_SLANT_NORMAL,
                           weight == Weight::bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size / cap_height);
}

}  // namespace

Point at_angle(Point c, double angle, double radius) {
    const double a = angle * pi / 180.0;
    return {c.x + radius * std::sin(a), c.y - radius * std::cos(a)};
}

void set(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void fill_rect(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
    cairo_rectangle(cr, x, y, w, h);
    set(cr, c);
    cairo_fill(cr);
}

void rounded_rect_path(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, pi / 2, pi);
    cairo_arc(cr, x + r, y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double r, Rgb c) {
    rounded_rect_path(cr, x, y, w, h, r);
    set(cr, c);
    cairo_fill(cr);
}

void fill_circle(cairo_t* cr, Point c, double r, Rgb colour) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, 2 * pi);
    set(cr, colour);
    cairo_fill(cr);
}

void ring(cairo_t* cr, Point c, double outer, double inner, Rgb colour) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, outer, 0, 2 * pi);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, c.x, c.y, inner, 2 * pi, 0);
    set(cr, colour);
    cairo_fill(cr);
}

void arc(cairo_t* cr, Point c, double r, double from, double to, double width, Rgb colour) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r, radians(from), radians(to));
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    set(cr, colour);
    cairo_stroke(cr);
}

void polygon(cairo_t* cr, std::initializer_list<Point> points, Rgb colour) {
    cairo_new_path(cr);
    bool first = true;
    for (Point p : points) {
        if (first)
            cairo_move_to(cr, p.x, p.y);
        else
            cairo_line_to(cr, p.x, p.y);
        first = false;
    }
    cairo_close_path(cr);
    set(cr, colour);
    cairo_fill(cr);
}

void band(cairo_t* cr, Point c, double inner, double outer, double from, double to, Rgb colour) {
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, outer, radians(from), radians(to));
    cairo_arc_negative(cr, c.x, c.y, inner, radians(to), radians(from));
    cairo_close_path(cr);
    set(cr, colour);
    cairo_fill(cr);
}

void line(cairo_t* cr, Point a, Point b, double width, Rgb colour) {
    cairo_new_path(cr);
    cairo_move_to(cr, a.x, a.y);
    cairo_line_to(cr, b.x, b.y);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    set(cr, colour);
    cairo_stroke(cr);
}

void tick(cairo_t* cr, Point c, double angle, double inner, double outer, double width, Rgb colour) {
    line(cr, at_angle(c, angle, inner), at_angle(c, angle, outer), width, colour);
}

void text(cairo_t* cr, const std::string& s, Point at, double size, Rgb colour, Align align, Weight weight) {
    select_font(cr, size, weight);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    double x = at.x - e.x_bearing;
    if (align == Align::centre) x -= e.width / 2;
    if (align == Align::right) x -= e.width;
    const double y = at.y + size / 2;
    cairo_move_to(cr, x, y);
    set(cr, colour);
    cairo_show_text(cr, s.c_str());
    cairo_new_path(cr);
}

void turned_text(cairo_t* cr, const std::string& s, Point at, double turn, double size, Rgb colour, Weight weight) {
    cairo_save(cr);
    cairo_translate(cr, at.x, at.y);
    cairo_rotate(cr, turn * pi / 180.0);
    text(cr, s, {0, 0}, size, colour, Align::centre, weight);
    cairo_restore(cr);
}

void text_at_angle(cairo_t* cr, const std::string& s, Point c, double angle, double radius, double size, Rgb colour,
                   Weight weight) {
    text(cr, s, at_angle(c, angle, radius), size, colour, Align::centre, weight);
}

void text_on_circle(cairo_t* cr, const std::string& s, Point c, double angle, double radius, double size, Rgb colour,
                    Weight weight) {
    cairo_save(cr);
    const Point p = at_angle(c, angle, radius);
    cairo_translate(cr, p.x, p.y);
    cairo_rotate(cr, angle * pi / 180.0);
    text(cr, s, {0, 0}, size, colour, Align::centre, weight);
    cairo_restore(cr);
}

void screw(cairo_t* cr, Point c, double r) {
    cairo_pattern_t* shade = cairo_pattern_create_radial(c.x - r / 3, c.y - r / 3, r / 5, c.x, c.y, r);
    cairo_pattern_add_color_stop_rgb(shade, 0, 0.78, 0.78, 0.78);
    cairo_pattern_add_color_stop_rgb(shade, 1, 0.30, 0.30, 0.31);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r, 0, 2 * pi);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    line(cr, {c.x - r * 0.7, c.y + r * 0.2}, {c.x + r * 0.7, c.y - r * 0.2}, std::max(1.0, r * 0.28),
         colour::bezel_dark);
}

void round_case(cairo_t* cr, double width, double height, Point c, double face_radius) {
    const double outer = std::min({c.x, c.y, width - c.x, height - c.y});
    // The case's square front with rounded corners, its screws in the corners.
    const double corner = outer * 0.22;
    rounded_rect(cr, c.x - outer, c.y - outer, 2 * outer, 2 * outer, corner, colour::bezel_dark);
    rounded_rect(cr, c.x - outer + 1.5, c.y - outer + 1.5, 2 * outer - 3, 2 * outer - 3, corner, colour::bezel);
    const double s = outer * 0.82;
    for (Point p : {Point{c.x - s, c.y - s}, Point{c.x + s, c.y - s}, Point{c.x - s, c.y + s}, Point{c.x + s, c.y + s}})
        screw(cr, p, std::max(2.5, outer * 0.055));
    // The bezel ring, lit from the upper left.
    cairo_pattern_t* lit =
        cairo_pattern_create_linear(c.x - face_radius, c.y - face_radius, c.x + face_radius, c.y + face_radius);
    cairo_pattern_add_color_stop_rgb(lit, 0, colour::bezel_light.r, colour::bezel_light.g, colour::bezel_light.b);
    cairo_pattern_add_color_stop_rgb(lit, 1, colour::bezel_dark.r, colour::bezel_dark.g, colour::bezel_dark.b);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, face_radius + std::max(3.0, face_radius * 0.06), 0, 2 * pi);
    cairo_set_source(cr, lit);
    cairo_fill(cr);
    cairo_pattern_destroy(lit);
    fill_circle(cr, c, face_radius, colour::face);
    ring(cr, c, face_radius, face_radius - 1.2, colour::face_edge);
}

void glass(cairo_t* cr, Point c, double r) {
    // The panel system knows no translucency: a pixel is drawn or it is not.
    // The glass is therefore a thin reflection along its upper left rim,
    // opaque but narrow, with a sparser stipple inside it, so the dial under
    // it stays readable.
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    const double from = 1.08 * pi, to = 1.42 * pi;
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r * 0.95, from, to);
    cairo_set_line_width(cr, std::max(1.0, r * 0.012));
    set(cr, {0.80, 0.82, 0.85});
    cairo_stroke(cr);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r * 0.91, from + 0.06, to - 0.08);
    cairo_set_line_width(cr, 1.0);
    set(cr, {0.62, 0.64, 0.68});
    cairo_stroke(cr);
    for (double a = from + 0.1; a < to - 0.1; a += 0.045) {
        for (double rr = r * 0.80; rr < r * 0.88; rr += r * 0.035) {
            const double x = std::floor(c.x + rr * std::cos(a)), y = std::floor(c.y + rr * std::sin(a));
            cairo_rectangle(cr, x, y, 1, 1);
        }
    }
    set(cr, {0.55, 0.57, 0.60});
    cairo_fill(cr);
    cairo_restore(cr);
}

void plate(cairo_t* cr, double x, double y, double w, double h, Rgb c) {
    fill_rect(cr, x, y, w, h, colour::bezel_dark);
    fill_rect(cr, x + 1, y + 1, w - 2, h - 2, colour::bezel_light);
    fill_rect(cr, x + 2, y + 2, w - 3, h - 3, colour::bezel_dark);
    fill_rect(cr, x + 2, y + 2, w - 4, h - 4, c);
}

void knob(cairo_t* cr, Point c, double r, int ridges, bool index) {
    fill_circle(cr, c, r, {0.05, 0.05, 0.05});
    for (int i = 0; i < ridges; ++i)
        tick(cr, c, i * 360.0 / ridges, r * 0.82, r, std::max(1.0, r * 0.08), {0.28, 0.28, 0.28});
    cairo_pattern_t* top = cairo_pattern_create_radial(c.x - r * 0.3, c.y - r * 0.3, r * 0.1, c.x, c.y, r * 0.8);
    cairo_pattern_add_color_stop_rgb(top, 0, 0.34, 0.34, 0.35);
    cairo_pattern_add_color_stop_rgb(top, 1, 0.10, 0.10, 0.10);
    cairo_new_path(cr);
    cairo_arc(cr, c.x, c.y, r * 0.78, 0, 2 * pi);
    cairo_set_source(cr, top);
    cairo_fill(cr);
    cairo_pattern_destroy(top);
    if (index) tick(cr, c, 0, r * 0.15, r * 0.74, std::max(1.5, r * 0.12), colour::marking);
}

void pointer(cairo_t* cr, Point p, double length, double width, Rgb c, double tail, double hub) {
    cairo_new_path(cr);
    cairo_move_to(cr, p.x - tail, p.y - width * 0.55);
    cairo_line_to(cr, p.x + length * 0.82, p.y - width * 0.5);
    cairo_line_to(cr, p.x + length, p.y);
    cairo_line_to(cr, p.x + length * 0.82, p.y + width * 0.5);
    cairo_line_to(cr, p.x - tail, p.y + width * 0.55);
    cairo_close_path(cr);
    set(cr, c);
    cairo_fill(cr);
    if (hub > 0) {
        fill_circle(cr, p, hub, {0.12, 0.12, 0.12});
        fill_circle(cr, p, hub * 0.45, colour::dim_marking);
    }
}

void lens(cairo_t* cr, Point c, double r, Rgb hue, bool lit) {
    fill_circle(cr, c, r * 1.18, colour::bezel_dark);
    ring(cr, c, r * 1.18, r * 1.02, colour::bezel);
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(c.x, c.y, r * 0.1, c.x, c.y, r);
        cairo_pattern_add_color_stop_rgb(glow, 0, std::min(1.0, hue.r + 0.45), std::min(1.0, hue.g + 0.45),
                                         std::min(1.0, hue.b + 0.45));
        cairo_pattern_add_color_stop_rgb(glow, 0.6, hue.r, hue.g, hue.b);
        cairo_pattern_add_color_stop_rgb(glow, 1, hue.r * 0.7, hue.g * 0.7, hue.b * 0.7);
        cairo_new_path(cr);
        cairo_arc(cr, c.x, c.y, r, 0, 2 * pi);
        cairo_set_source(cr, glow);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    } else {
        fill_circle(cr, c, r, {hue.r * 0.28 + 0.03, hue.g * 0.28 + 0.03, hue.b * 0.28 + 0.03});
    }
    // A faint reflection on the lens either way.
    cairo_new_path(cr);
    cairo_arc(cr, c.x - r * 0.3, c.y - r * 0.35, r * 0.28, 0, 2 * pi);
    set(cr, {1, 1, 1}, lit ? 0.35 : 0.12);
    cairo_fill(cr);
}

void lever(cairo_t* cr, Point base, Point tip, double base_radius, double collar_radius, double bat) {
    fill_circle(cr, base, base_radius, colour::bezel_dark);
    fill_circle(cr, base, collar_radius, colour::bezel_light);
    const double dx = tip.x - base.x, dy = tip.y - base.y;
    const double len = std::hypot(dx, dy);
    if (len < 0.5) {
        // Seen end on: only the ball of the tip over the base.
        fill_circle(cr, base, bat * 1.2, {0.52, 0.52, 0.53});
        fill_circle(cr, base, bat * 1.0, {0.80, 0.80, 0.80});
        fill_circle(cr, {base.x - bat * 0.3, base.y - bat * 0.3}, bat * 0.35, {0.95, 0.95, 0.95});
        return;
    }
    // The side of the stem the metal's shade starts on: the left of an
    // upright lever, the top of a level one.
    double nx = -dy / len, ny = dx / len;
    if (nx > 0) {
        nx = -nx;
        ny = -ny;
    }
    cairo_new_path(cr);
    cairo_move_to(cr, base.x + nx * bat * 0.6, base.y + ny * bat * 0.6);
    cairo_line_to(cr, tip.x + nx * bat, tip.y + ny * bat);
    cairo_line_to(cr, tip.x - nx * bat, tip.y - ny * bat);
    cairo_line_to(cr, base.x - nx * bat * 0.6, base.y - ny * bat * 0.6);
    cairo_close_path(cr);
    cairo_pattern_t* metal =
        cairo_pattern_create_linear(base.x + nx * bat, base.y + ny * bat, base.x - nx * bat, base.y - ny * bat);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.55, 0.55, 0.56);
    cairo_pattern_add_color_stop_rgb(metal, 0.45, 0.92, 0.92, 0.92);
    cairo_pattern_add_color_stop_rgb(metal, 1, 0.40, 0.40, 0.41);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
    fill_circle(cr, tip, bat * 1.05, {0.80, 0.80, 0.80});
}

void toggle_lever(cairo_t* cr, double x, double y, double w, double h, bool up) {
    const Point base{x + w / 2, y + h / 2};
    lever(cr, base, {base.x, up ? y + h * 0.08 : y + h * 0.92}, w * 0.42, w * 0.34, w * 0.22);
}

void stripes(cairo_t* cr, double x, double y, double w, double h, double stripe) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    fill_rect(cr, x, y, w, h, {0.95, 0.95, 0.92});
    for (double s = -h; s < w + h; s += 2 * stripe) {
        cairo_new_path(cr);
        cairo_move_to(cr, x + s, y + h);
        cairo_line_to(cr, x + s + stripe, y + h);
        cairo_line_to(cr, x + s + stripe + h, y);
        cairo_line_to(cr, x + s + h, y);
        cairo_close_path(cr);
        set(cr, colour::red);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

}  // namespace art
