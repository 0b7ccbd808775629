// The drawing vocabulary of the panel's artwork: one look for every
// instrument, that of a 1960s jet cockpit. Matt near-black faces, white
// markings in one condensed sans-serif face, grey bezels with screw heads,
// a faint glass highlight, lamps that glow when lit.
//
// Angles are in degrees clockwise from twelve o'clock, as the needle tables
// read; lengths and points are in the bitmap's pixels.
#pragma once

#include <cairo.h>

#include <initializer_list>
#include <string>

namespace art {

struct Rgb {
    double r, g, b;
};

namespace colour {
inline constexpr Rgb face{18 / 255.0, 18 / 255.0, 18 / 255.0};  // a near-black: pure black is transparent
inline constexpr Rgb face_edge{30 / 255.0, 30 / 255.0, 30 / 255.0};
inline constexpr Rgb marking{0.93, 0.93, 0.90};
inline constexpr Rgb dim_marking{0.62, 0.62, 0.60};
inline constexpr Rgb needle{0.95, 0.95, 0.92};
inline constexpr Rgb yellow{0.95, 0.78, 0.18};
inline constexpr Rgb orange{0.95, 0.52, 0.10};
inline constexpr Rgb red{0.85, 0.12, 0.10};
inline constexpr Rgb green{0.20, 0.72, 0.30};
inline constexpr Rgb amber{0.98, 0.66, 0.12};
inline constexpr Rgb sky{0.33, 0.52, 0.72};
inline constexpr Rgb ground{0.42, 0.27, 0.14};
inline constexpr Rgb bezel{0.36, 0.37, 0.38};
inline constexpr Rgb bezel_light{0.55, 0.56, 0.57};
inline constexpr Rgb bezel_dark{0.17, 0.17, 0.18};
inline constexpr Rgb panel{0.24, 0.25, 0.26};  // the panel's own paint, behind radio faces and switches
inline constexpr Rgb knob{0.10, 0.10, 0.10};
}  // namespace colour

struct Point {
    double x, y;
};

Point at_angle(Point centre, double angle, double radius);

void set(cairo_t* cr, Rgb c, double alpha = 1.0);

// Shapes.
void fill_rect(cairo_t* cr, double x, double y, double w, double h, Rgb c);
void rounded_rect(cairo_t* cr, double x, double y, double w, double h, double radius, Rgb c);
// The same outline as a sub-path, for a fill of one's own.
void rounded_rect_path(cairo_t* cr, double x, double y, double w, double h, double radius);
void fill_circle(cairo_t* cr, Point centre, double radius, Rgb c);
void ring(cairo_t* cr, Point centre, double outer, double inner, Rgb c);
// A stroke along the circle from one angle to another (clockwise).
void arc(cairo_t* cr, Point centre, double radius, double from, double to, double width, Rgb c);
// A ring sector filled between two radii, for coloured range bands.
void band(cairo_t* cr, Point centre, double inner, double outer, double from, double to, Rgb c);
void line(cairo_t* cr, Point a, Point b, double width, Rgb c);
void polygon(cairo_t* cr, std::initializer_list<Point> points, Rgb c);

// Graduations and numerals.
void tick(cairo_t* cr, Point centre, double angle, double inner, double outer, double width, Rgb c = colour::marking);
enum class Align { left, centre, right };
enum class Weight { normal, bold };
// Text whose reference point is the middle of its box (or its left or right
// end); size is the height of a capital in pixels.
void text(cairo_t* cr, const std::string& s, Point at, double size, Rgb c = colour::marking,
          Align align = Align::centre, Weight weight = Weight::normal);
// Text turned about its own centre by an angle (clockwise, degrees).
void turned_text(cairo_t* cr, const std::string& s, Point at, double turn, double size, Rgb c, Weight weight);
// Upright text centred at the point on the circle at that angle.
void text_at_angle(cairo_t* cr, const std::string& s, Point centre, double angle, double radius, double size,
                   Rgb c = colour::marking, Weight weight = Weight::normal);
// Text turned with the dial, its baseline tangent to the circle (for cards).
void text_on_circle(cairo_t* cr, const std::string& s, Point centre, double angle, double radius, double size,
                    Rgb c = colour::marking, Weight weight = Weight::bold);

// Instrument parts.
// A round instrument in its square case: the corners stay transparent, a
// grey bezel ring with four screw heads, a near-black face inside.
void round_case(cairo_t* cr, double width, double height, Point centre, double face_radius);
void screw(cairo_t* cr, Point centre, double radius);
// The glass over a dial: nothing but a faint highlight in its upper left, so
// the dial stays readable (everything else stays transparent).
void glass(cairo_t* cr, Point centre, double radius);
// A rectangular panel plate with a bevelled edge, as behind radios.
void plate(cairo_t* cr, double x, double y, double w, double h, Rgb c = colour::panel);
// A knob seen from the front, with ridges round its edge and an index line.
void knob(cairo_t* cr, Point centre, double radius, int ridges = 24, bool index = true);
// A pointer lying along +x from the pivot: a tapered white blade with a
// counterweight tail and a hub. For needle bitmaps.
void pointer(cairo_t* cr, Point pivot, double length, double width, Rgb c = colour::needle, double tail = 0.0,
             double hub = 0.0);
// A lamp lens in its bezel, dark or glowing.
void lens(cairo_t* cr, Point centre, double radius, Rgb hue, bool lit);
// A toggle lever seen from the front, from its base towards its tip, in any
// direction: the base's ring and collar, the metal stem, the ball of its tip.
void lever(cairo_t* cr, Point base, Point tip, double base_radius, double collar_radius, double bat);
// A toggle switch seen from the front: bat lever up (on) or down (off).
void toggle_lever(cairo_t* cr, double x, double y, double w, double h, bool up);
// Diagonal red and white stripes over a rectangle, as on warning flags.
void stripes(cairo_t* cr, double x, double y, double w, double h, double stripe);

}  // namespace art
