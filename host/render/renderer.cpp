#include "host/render/renderer.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

#include "host/core/cp1252.h"

namespace korvel::render {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr std::uint32_t bitmap_type = 2;
constexpr double unlit_drum = 0.45;

double radians(double degrees) { return degrees * pi / 180.0; }

int width_of(cairo_surface_t* s) { return cairo_image_surface_get_width(s); }
int height_of(cairo_surface_t* s) { return cairo_image_surface_get_height(s); }

void paint_at(cairo_t* cr, cairo_surface_t* s, double x, double y, double alpha = 1.0) {
    cairo_set_source_surface(cr, s, x, y);
    cairo_paint_with_alpha(cr, alpha);
}

// Paints the source already set, seen through a mask bitmap at a point.
void paint_through(cairo_t* cr, cairo_surface_t* mask, double x, double y) {
    if (mask != nullptr)
        cairo_mask_surface(cr, mask, x, y);
    else
        cairo_paint(cr);
}

void draw_needle(cairo_t* cr, const host::PlacedGauge& g, std::size_t i, cairo_surface_t* bitmap) {
    const auto& needle = *reinterpret_cast<const NeedleElement*>(g.element(i).record);
    const ElementHeader& h = needle.header;
    double turn;
    if (needle.table_rows == 0) {
        turn = g.element(i).value;
    } else {
        turn = g.needle_pose(i).angle - 90.0;
    }
    if (!std::isfinite(turn)) turn = 0.0;
    cairo_save(cr);
    cairo_translate(cr, h.position.x, h.position.y);
    cairo_rotate(cr, radians(std::fmod(turn, 360.0)));
    paint_at(cr, bitmap, -h.centre.x, -h.centre.y);
    cairo_restore(cr);
}

void draw_sprite(cairo_t* cr, const host::PlacedGauge& g, std::size_t i, cairo_surface_t* bitmap,
                 cairo_surface_t* mask) {
    const host::ElementState& s = g.element(i);
    const auto& sprite = *reinterpret_cast<const SpriteElement*>(s.record);
    const ElementHeader& h = sprite.header;
    const double cx = h.centre.x + s.x * sprite.x_scale;
    const double cy = h.centre.y + s.y * sprite.y_scale;
    double turn = s.rotation * sprite.rotation_scale;
    if (!std::isfinite(turn)) turn = 0.0;
    if (!std::isfinite(cx) || !std::isfinite(cy)) return;
    cairo_save(cr);
    cairo_push_group(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -radians(std::fmod(turn, 360.0)));
    const double sx = sprite.texture_scale_x > 0 ? sprite.texture_scale_x : 1.0;
    const double sy = sprite.texture_scale_y > 0 ? sprite.texture_scale_y : 1.0;
    cairo_scale(cr, sx, sy);
    paint_at(cr, bitmap, -width_of(bitmap) / 2.0, -height_of(bitmap) / 2.0);
    cairo_pattern_t* texture = cairo_pop_group(cr);
    cairo_restore(cr);
    cairo_set_source(cr, texture);
    paint_through(cr, mask, h.position.x, h.position.y);
    cairo_pattern_destroy(texture);
}

void draw_moving_image(cairo_t* cr, const host::PlacedGauge& g, std::size_t i, cairo_surface_t* strip,
                       cairo_surface_t* window) {
    const ElementHeader& h = *g.element(i).record;
    const host::PixelTravel t = g.travel(i);
    const double window_w = window != nullptr ? width_of(window) : width_of(strip);
    const double window_h = window != nullptr ? height_of(window) : height_of(strip);
    const double dx = t.x * std::max(0.0, width_of(strip) - window_w);
    const double dy = t.y * std::max(0.0, height_of(strip) - window_h);
    cairo_save(cr);
    cairo_rectangle(cr, h.position.x, h.position.y, window_w, window_h);
    cairo_clip(cr);
    cairo_push_group(cr);
    paint_at(cr, strip, h.position.x - dx, h.position.y - dy);
    cairo_pattern_t* drum = cairo_pop_group(cr);
    cairo_set_source(cr, drum);
    if ((h.image_flags & drum_lit_flag) == 0) {
        cairo_push_group(cr);
        cairo_set_source(cr, drum);
        paint_through(cr, window, h.position.x, h.position.y);
        cairo_pattern_t* seen = cairo_pop_group(cr);
        cairo_set_source(cr, seen);
        cairo_paint_with_alpha(cr, unlit_drum);
        cairo_pattern_destroy(seen);
    } else {
        paint_through(cr, window, h.position.x, h.position.y);
    }
    cairo_pattern_destroy(drum);
    cairo_restore(cr);
}

void draw_string(cairo_t* cr, const host::PlacedGauge& g, std::size_t i) {
    const auto& s = *reinterpret_cast<const StringElement*>(g.element(i).record);
    // The module's texts are Windows-1252; cairo takes UTF-8 and stops
    // drawing for good at the first byte that is not.
    const std::string text = host::utf8_from_cp1252(g.text(i));
    if (text.empty()) return;
    const std::uint32_t c = s.text_colour;
    const double size = s.box_height * 0.72;
    cairo_save(cr);
    cairo_rectangle(cr, s.header.position.x, s.header.position.y, s.box_width, s.box_height);
    cairo_clip(cr);
    const std::string face = host::utf8_from_cp1252(std::string_view(s.font_face, ::strnlen(s.font_face, sizeof s.font_face)));
    cairo_select_font_face(cr, face.empty() ? "sans-serif" : face.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           s.font_weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_font_extents_t f;
    cairo_font_extents(cr, &f);
    double x = s.header.position.x - e.x_bearing;
    if (s.layout_flags & 0x1) x += (s.box_width - e.x_advance) / 2.0;
    double y = s.header.position.y + f.ascent;
    if (s.layout_flags & 0x4) y = s.header.position.y + (s.box_height - (f.ascent + f.descent)) / 2.0 + f.ascent;
    cairo_move_to(cr, x, y);
    cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
    cairo_show_text(cr, text.c_str());
    cairo_restore(cr);
}

}  // namespace

void draw_gauge(cairo_t* cr, const host::PlacedGauge& g, Bitmaps& bitmaps) {
    for (std::size_t i = 0; i < g.element_count(); ++i) {
        const host::ElementState& s = g.element(i);
        const ElementHeader& h = *s.record;
        if (s.hidden) continue;
        cairo_surface_t* bitmap = h.kind == element_string ? nullptr : bitmaps.get(h.resource_id);
        switch (h.kind) {
            case element_static_image:
                if (bitmap) paint_at(cr, bitmap, h.position.x, h.position.y);
                break;
            case element_needle:
                if (bitmap) draw_needle(cr, g, i, bitmap);
                break;
            case element_slider: {
                const auto& slider = reinterpret_cast<const SliderElement&>(h);
                const double x = h.position.x + s.x * slider.x_scale;
                const double y = h.position.y + s.y * slider.y_scale;
                if (bitmap && std::isfinite(x) && std::isfinite(y)) paint_at(cr, bitmap, x, y);
                break;
            }
            case element_icon: {
                const auto shown = g.icon_bitmap(i);
                if (!shown) break;
                cairo_surface_t* image = bitmaps.get(*shown);
                const auto& icon = reinterpret_cast<const IconElement&>(h);
                const bool drum = icon.scale == 0.0 && (h.image_flags & drum_lit_flag) == 0;
                if (image) paint_at(cr, image, h.position.x, h.position.y, drum ? unlit_drum : 1.0);
                break;
            }
            case element_moving_image:
                if (bitmap) draw_moving_image(cr, g, i, bitmap, bitmaps.get(h.resource_id + 1));
                break;
            case element_sprite:
                if (bitmap) draw_sprite(cr, g, i, bitmap, bitmaps.get(h.resource_id + 1));
                break;
            case element_string:
                draw_string(cr, g, i);
                break;
            default:
                break;
        }
    }
}

host::GaugeSize gauge_pixels(const host::PlacedGauge& g, Bitmaps& bitmaps) {
    if (g.size()) return *g.size();
    if (g.element_count() > 0)
        if (cairo_surface_t* s = bitmaps.get(g.element(0).record->resource_id)) return {width_of(s), height_of(s)};
    return {1, 1};
}

Bitmaps module_bitmaps(host::Host& host) {
    host::ModuleLibrary* library = &host.library();
    return Bitmaps([library](std::int32_t id) -> std::optional<std::vector<unsigned char>> {
        if (id < 0) return std::nullopt;
        const auto bytes = library->resource(bitmap_type, static_cast<std::uint32_t>(id));
        if (!bytes) return std::nullopt;
        return std::vector<unsigned char>(bytes->begin(), bytes->end());
    });
}

void write_gauge_png(const host::PlacedGauge& g, Bitmaps& bitmaps, const char* path, double scale) {
    const host::GaugeSize size = gauge_pixels(g, bitmaps);
    Surface out(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, int(std::ceil(size.width * scale)),
                                           int(std::ceil(size.height * scale))));
    cairo_t* cr = cairo_create(out.get());
    cairo_scale(cr, scale, scale);
    draw_gauge(cr, g, bitmaps);
    cairo_destroy(cr);
    if (cairo_surface_write_to_png(out.get(), path) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("cannot write ") + path);
}

}  // namespace korvel::render
