#include "host/render/display_list.h"

#include <cmath>
#include <cstring>

#include "host/core/cp1252.h"
#include "host/render/dib.h"

namespace korvel::render {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr std::uint32_t bitmap_type = 2;
constexpr double unlit_drum = 0.45;
constexpr double text_size_of_box = 0.72;
constexpr std::uint32_t centre_across_flag = 0x1;
constexpr std::uint32_t centre_down_flag = 0x4;

double radians(double degrees) { return degrees * pi / 180.0; }

// The map that applies a, then b, with cairo's own arithmetic, so that a
// painter composing it with its own transform lands where cairo's
// translate, rotate and scale calls would.
Matrix product(const Matrix& a, const Matrix& b) {
    return {a.xx * b.xx + a.yx * b.xy, a.xx * b.yx + a.yx * b.yy,        a.xy * b.xx + a.yy * b.xy,
            a.xy * b.yx + a.yy * b.yy, a.x0 * b.xx + a.y0 * b.xy + b.x0, a.x0 * b.yx + a.y0 * b.yy + b.y0};
}

// A placement built up as a drawing context's transform is, each step
// applying to what follows it.
class Placement {
public:
    Placement& translate(double x, double y) { return then({1, 0, 0, 1, x, y}); }
    Placement& rotate(double angle) {
        const double s = std::sin(angle), c = std::cos(angle);
        return then({c, s, -s, c, 0, 0});
    }
    Placement& scale(double x, double y) { return then({x, 0, 0, y, 0, 0}); }
    Matrix matrix() const { return m_; }

private:
    Placement& then(const Matrix& step) {
        m_ = product(step, m_);
        return *this;
    }
    Matrix m_;
};

Matrix at(double x, double y) { return Placement().translate(x, y).matrix(); }

// A turn in degrees as an angle for the matrix; whole turns are dropped
// first so that a needle wound round many times keeps its precision.
double turn_angle(double degrees) { return radians(std::fmod(degrees, 360.0)); }

std::optional<Mask> mask_at(const BitmapSizes& sizes, std::int32_t bitmap, PixelPoint position) {
    if (!sizes(bitmap)) return std::nullopt;
    return Mask{bitmap, double(position.x), double(position.y)};
}

std::optional<Image> needle(const host::PlacedGauge& g, std::size_t i) {
    const auto& n = *reinterpret_cast<const NeedleElement*>(g.element(i).record);
    const ElementHeader& h = n.header;
    // Needle bitmaps point along +x, a quarter turn short of the table's
    // angles, which count from twelve o'clock.
    double turn = n.table_rows == 0 ? g.element(i).value : g.needle_pose(i).angle - 90.0;
    if (!std::isfinite(turn)) turn = 0.0;
    const Matrix m = Placement()
                         .translate(h.position.x, h.position.y)
                         .rotate(turn_angle(turn))
                         .translate(-h.centre.x, -h.centre.y)
                         .matrix();
    return Image{h.resource_id, m, 1.0, std::nullopt, std::nullopt};
}

std::optional<Image> slider(const host::PlacedGauge& g, std::size_t i) {
    const host::ElementState& s = g.element(i);
    const auto& slider = *reinterpret_cast<const SliderElement*>(s.record);
    const double x = slider.header.position.x + s.x * slider.x_scale;
    const double y = slider.header.position.y + s.y * slider.y_scale;
    if (!std::isfinite(x) || !std::isfinite(y)) return std::nullopt;
    return Image{slider.header.resource_id, at(x, y), 1.0, std::nullopt, std::nullopt};
}

std::optional<Image> icon(const host::PlacedGauge& g, std::size_t i, const BitmapSizes& sizes) {
    const auto shown = g.icon_bitmap(i);
    if (!shown || !sizes(*shown)) return std::nullopt;
    const auto& icon = *reinterpret_cast<const IconElement*>(g.element(i).record);
    const ElementHeader& h = icon.header;
    const bool unlit_drum_icon = icon.scale == 0.0 && (h.image_flags & drum_lit_flag) == 0;
    return Image{*shown, at(h.position.x, h.position.y), unlit_drum_icon ? unlit_drum : 1.0, std::nullopt,
                 std::nullopt};
}

std::optional<Image> moving_image(const host::PlacedGauge& g, std::size_t i, BitmapSize strip,
                                  const BitmapSizes& sizes) {
    const ElementHeader& h = *g.element(i).record;
    const host::PixelTravel t = g.travel(i);
    const std::optional<BitmapSize> window = sizes(h.resource_id + 1);
    const BitmapSize seen = window.value_or(strip);
    const double dx = t.x * std::max(0, strip.width - seen.width);
    const double dy = t.y * std::max(0, strip.height - seen.height);
    return Image{h.resource_id, at(h.position.x - dx, h.position.y - dy),
                 (h.image_flags & drum_lit_flag) == 0 ? unlit_drum : 1.0,
                 Rect{double(h.position.x), double(h.position.y), double(seen.width), double(seen.height)},
                 mask_at(sizes, h.resource_id + 1, h.position)};
}

std::optional<Image> sprite(const host::PlacedGauge& g, std::size_t i, BitmapSize texture, const BitmapSizes& sizes) {
    const host::ElementState& s = g.element(i);
    const auto& sprite = *reinterpret_cast<const SpriteElement*>(s.record);
    const ElementHeader& h = sprite.header;
    const double cx = h.centre.x + s.x * sprite.x_scale;
    const double cy = h.centre.y + s.y * sprite.y_scale;
    if (!std::isfinite(cx) || !std::isfinite(cy)) return std::nullopt;
    double turn = s.rotation * sprite.rotation_scale;
    if (!std::isfinite(turn)) turn = 0.0;
    // A scale the records leave unset, or set to nothing drawable, is none.
    const auto usable = [](float scale) { return std::isfinite(scale) && scale > 0 ? double(scale) : 1.0; };
    const Matrix m = Placement()
                         .translate(cx, cy)
                         .rotate(-turn_angle(turn))
                         .scale(usable(sprite.texture_scale_x), usable(sprite.texture_scale_y))
                         .translate(-texture.width / 2.0, -texture.height / 2.0)
                         .matrix();
    return Image{h.resource_id, m, 1.0, std::nullopt, mask_at(sizes, h.resource_id + 1, h.position)};
}

std::optional<Text> text(const host::PlacedGauge& g, std::size_t i) {
    const auto& s = *reinterpret_cast<const StringElement*>(g.element(i).record);
    // The module's texts are Windows-1252; cairo and the page take UTF-8,
    // and cairo stops drawing for good at the first byte that is not.
    std::string utf8 = host::utf8_from_cp1252(g.text(i));
    if (utf8.empty()) return std::nullopt;
    std::string face =
        host::utf8_from_cp1252(std::string_view(s.font_face, ::strnlen(s.font_face, sizeof s.font_face)));
    if (face.empty()) face = "sans-serif";
    const std::uint32_t c = s.text_colour;
    return Text{
        std::move(utf8),
        Rect{double(s.header.position.x), double(s.header.position.y), double(s.box_width), double(s.box_height)},
        std::move(face),
        s.font_weight >= 600 ? 700 : 400,
        s.box_height * text_size_of_box,
        Colour{std::uint8_t(c & 0xFF), std::uint8_t((c >> 8) & 0xFF), std::uint8_t((c >> 16) & 0xFF)},
        (s.layout_flags & centre_across_flag) != 0,
        (s.layout_flags & centre_down_flag) != 0};
}

}  // namespace

std::optional<BitmapSize> bitmap_size(std::span<const unsigned char> resource) {
    const auto d = read_dib(resource);
    if (!d) return std::nullopt;
    return BitmapSize{d->width, d->height};
}

BitmapSizes module_bitmap_sizes(const host::ModuleLibrary& library) {
    return [&library](std::int32_t id) -> std::optional<BitmapSize> {
        if (id < 0) return std::nullopt;
        const auto bytes = library.resource(bitmap_type, static_cast<std::uint32_t>(id));
        if (!bytes) return std::nullopt;
        return bitmap_size(*bytes);
    };
}

host::GaugeSize gauge_pixels(const host::PlacedGauge& g, const BitmapSizes& sizes) {
    if (g.size()) return *g.size();
    if (g.element_count() > 0)
        if (const auto s = sizes(g.element(0).record->resource_id)) return {s->width, s->height};
    return {1, 1};
}

DisplayList display_list(const host::PlacedGauge& g, const BitmapSizes& sizes) {
    const host::GaugeSize size = gauge_pixels(g, sizes);
    DisplayList list{size.width, size.height, {}};
    list.items.reserve(g.element_count());
    const auto add = [&list](std::size_t i, auto&& drawn) {
        if (drawn) list.items.push_back({i, std::move(*drawn)});
    };
    for (std::size_t i = 0; i < g.element_count(); ++i) {
        const host::ElementState& s = g.element(i);
        if (s.hidden) continue;
        const ElementHeader& h = *s.record;
        if (h.kind == element_string) {
            add(i, text(g, i));
            continue;
        }
        if (h.kind == element_icon) {
            add(i, icon(g, i, sizes));
            continue;
        }
        const std::optional<BitmapSize> bitmap = sizes(h.resource_id);
        if (!bitmap) continue;
        switch (h.kind) {
            case element_static_image:
                add(i, std::optional<Image>(
                           Image{h.resource_id, at(h.position.x, h.position.y), 1.0, std::nullopt, std::nullopt}));
                break;
            case element_needle:
                add(i, needle(g, i));
                break;
            case element_slider:
                add(i, slider(g, i));
                break;
            case element_moving_image:
                add(i, moving_image(g, i, *bitmap, sizes));
                break;
            case element_sprite:
                add(i, sprite(g, i, *bitmap, sizes));
                break;
            default:
                break;
        }
    }
    return list;
}

}  // namespace korvel::render
