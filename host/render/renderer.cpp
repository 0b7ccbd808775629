#include "host/render/renderer.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "host/render/png_file.h"

namespace korvel::render {

namespace {

constexpr std::uint32_t bitmap_type = 2;
constexpr int largest_composed = 4096;

void paint_image(cairo_t* cr, const Image& image, Bitmaps& bitmaps) {
    cairo_surface_t* bitmap = bitmaps.get(image.bitmap);
    if (bitmap == nullptr) return;
    cairo_surface_t* mask = image.mask ? bitmaps.get(image.mask->bitmap) : nullptr;
    cairo_save(cr);
    if (image.clip) {
        cairo_rectangle(cr, image.clip->x, image.clip->y, image.clip->width, image.clip->height);
        cairo_clip(cr);
    }
    // A mask and an alpha together need the masked picture first; the clip
    // keeps that group as small as the drum window it serves.
    const bool grouped = mask != nullptr && image.alpha < 1.0;
    if (grouped) cairo_push_group(cr);
    // The source keeps the transform it was set under; the mask and the
    // clip stay in gauge pixels.
    cairo_matrix_t gauge;
    cairo_get_matrix(cr, &gauge);
    const Matrix& m = image.transform;
    const cairo_matrix_t placed{m.xx, m.yx, m.xy, m.yy, m.x0, m.y0};
    cairo_transform(cr, &placed);
    cairo_set_source_surface(cr, bitmap, 0, 0);
    cairo_set_matrix(cr, &gauge);
    if (mask != nullptr) {
        cairo_mask_surface(cr, mask, image.mask->x, image.mask->y);
        if (grouped) {
            cairo_pop_group_to_source(cr);
            cairo_paint_with_alpha(cr, image.alpha);
        }
    } else {
        cairo_paint_with_alpha(cr, image.alpha);
    }
    cairo_restore(cr);
}

void paint_text(cairo_t* cr, const Text& t) {
    cairo_save(cr);
    cairo_rectangle(cr, t.box.x, t.box.y, t.box.width, t.box.height);
    cairo_clip(cr);
    cairo_select_font_face(cr, t.font_face.c_str(), CAIRO_FONT_SLANT_NORMAL,
                           t.font_weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, t.font_size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, t.text.c_str(), &e);
    cairo_font_extents_t f;
    cairo_font_extents(cr, &f);
    double x = t.box.x - e.x_bearing;
    if (t.centred_across) x += (t.box.width - e.x_advance) / 2.0;
    double y = t.box.y + f.ascent;
    if (t.centred_down) y = t.box.y + (t.box.height - (f.ascent + f.descent)) / 2.0 + f.ascent;
    cairo_move_to(cr, x, y);
    cairo_set_source_rgb(cr, t.colour.red / 255.0, t.colour.green / 255.0, t.colour.blue / 255.0);
    cairo_show_text(cr, t.text.c_str());
    cairo_restore(cr);
}

void paint_items(cairo_t* cr, const DisplayList& list, Bitmaps& bitmaps) {
    for (const DisplayItem& item : list.items) {
        if (const auto* image = std::get_if<Image>(&item.draw))
            paint_image(cr, *image, bitmaps);
        else
            paint_text(cr, std::get<Text>(item.draw));
    }
}

}  // namespace

void paint(cairo_t* cr, const DisplayList& list, Bitmaps& bitmaps) {
    // Shrunk, every item would be filtered down on its own, and cairo's
    // filter for that costs more than all the rest of a window; composed
    // first, the gauge is filtered down once.
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    const bool shrunk = m.xy == 0 && m.yx == 0 && std::abs(m.xx) < 1 && std::abs(m.yy) < 1;
    cairo_surface_t* own = shrunk && list.width <= largest_composed && list.height <= largest_composed
                               ? bitmaps.composing_surface(list.width, list.height)
                               : nullptr;
    if (own == nullptr) {
        paint_items(cr, list, bitmaps);
        return;
    }
    cairo_t* composing = cairo_create(own);
    cairo_rectangle(composing, 0, 0, list.width, list.height);
    cairo_clip(composing);
    paint_items(composing, list, bitmaps);
    cairo_destroy(composing);
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, list.width, list.height);
    cairo_clip(cr);
    cairo_set_source_surface(cr, own, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

BitmapSizes sizes_of(Bitmaps& bitmaps) {
    return [&bitmaps](std::int32_t id) -> std::optional<BitmapSize> {
        cairo_surface_t* s = bitmaps.get(id);
        if (s == nullptr) return std::nullopt;
        return BitmapSize{cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)};
    };
}

void draw_gauge(cairo_t* cr, const host::PlacedGauge& g, Bitmaps& bitmaps) {
    paint(cr, display_list(g, sizes_of(bitmaps)), bitmaps);
}

host::GaugeSize gauge_pixels(const host::PlacedGauge& g, Bitmaps& bitmaps) {
    return gauge_pixels(g, sizes_of(bitmaps));
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
    if (const auto failure = write_png_file(out.get(), path))
        throw std::runtime_error(std::string("cannot write ") + path + ": " + *failure);
}

}  // namespace korvel::render
