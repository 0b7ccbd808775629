// Compile-time helpers that let a gauge's tables read like its description:
// one call per element, per mouse rectangle, per tooltip argument. Every
// helper is constexpr, so each table is constant-initialized static data in
// the image; nothing is built when the module loads.
#pragma once

#include <cstddef>
#include <tuple>
#include <utility>

#include "module/records.h"

namespace build {

// A needle's table as it is stored: the rows and their number. A needle
// without a table takes the callback's value as its angle in degrees.
struct NeedleTable {
    NonlinearityEntry* rows = nullptr;
    std::uint32_t count = 0;

    constexpr NeedleTable() = default;
    template <std::size_t N>
    constexpr NeedleTable(NonlinearityEntry (&table)[N]) : rows(table), count(N) {}
};

// A variable slot of an element with what drives it.
struct Source {
    std::uint32_t token = 0;  // 0: no variable
    double scale = 1.0;
    ElementCallback callback = nullptr;
};

struct Range {
    std::uint32_t token = 0;
    double min = 0.0;
    double max = 0.0;
    ElementCallback callback = nullptr;
};

struct TextStyle {
    std::int32_t box_width;
    std::int32_t box_height;
    std::uint32_t text_colour;
    std::uint32_t background_colour;
    std::uint32_t highlight_colour;
    const char* font_face;
    std::int32_t font_weight;
    std::int32_t character_set;
    std::uint32_t layout_flags;
    std::uint32_t max_characters;
};

constexpr ElementVariable variable(std::uint32_t token) {
    ElementVariable slot{};
    slot.var.token = token;
    return slot;
}

constexpr ElementHeader element_header(ElementKind kind, std::int32_t bitmap, PixelPoint position, PixelPoint centre,
                                       std::uint32_t flags, FailureRecord* failures) {
    ElementHeader header{};
    header.kind = kind;
    header.resource_id = bitmap;
    header.position = position;
    header.centre = centre;
    header.image_flags = flags;
    header.failures = failures;
    return header;
}

constexpr StaticImageElement static_image(std::int32_t bitmap, PixelPoint position, std::uint32_t flags,
                                          FailureRecord* failures = nullptr) {
    StaticImageElement e{};
    e.header = element_header(element_static_image, bitmap, position, {0, 0}, flags, failures);
    return e;
}

constexpr NeedleElement needle(std::int32_t bitmap, PixelPoint pivot, PixelPoint centre, std::uint32_t flags,
                               std::uint32_t token, NeedleTable table, ElementCallback callback = nullptr,
                               FailureRecord* failures = nullptr) {
    NeedleElement e{};
    e.header = element_header(element_needle, bitmap, pivot, centre, flags, failures);
    e.source = variable(token);
    e.table = table.rows;
    e.table_rows = table.count;
    e.callback = callback;
    return e;
}

constexpr NeedleElement with_rate_limit(NeedleElement e, std::uint32_t limit) {
    e.rate_limit = limit;
    return e;
}

constexpr NeedleElement with_aspect(NeedleElement e, std::uint32_t aspect) {
    e.header.aspect = aspect;
    return e;
}

constexpr IconElement icon(std::int32_t bitmap, PixelPoint position, std::uint32_t flags, std::uint32_t images,
                           std::uint32_t token, ElementCallback callback = nullptr, FailureRecord* failures = nullptr,
                           double scale = 1.0) {
    IconElement e{};
    e.header = element_header(element_icon, bitmap, position, {0, 0}, flags, failures);
    e.source = variable(token);
    e.scale = scale;
    e.image_count = images;
    e.callback = callback;
    return e;
}

constexpr SliderElement slider(std::int32_t bitmap, PixelPoint position, std::uint32_t flags, Source x, Source y) {
    SliderElement e{};
    e.header = element_header(element_slider, bitmap, position, {0, 0}, flags, nullptr);
    e.x_source = variable(x.token);
    e.x_scale = x.scale;
    e.y_source = variable(y.token);
    e.y_scale = y.scale;
    e.y_callback = y.callback;
    return e;
}

constexpr MovingImageElement moving_image(std::int32_t bitmap, PixelPoint position, std::uint32_t flags, Range x,
                                          Range y, FailureRecord* failures = nullptr) {
    MovingImageElement e{};
    e.header = element_header(element_moving_image, bitmap, position, {0, 0}, flags, failures);
    e.x_source = variable(x.token);
    e.x_min = x.min;
    e.x_max = x.max;
    e.y_source = variable(y.token);
    e.y_min = y.min;
    e.y_max = y.max;
    e.y_callback = y.callback;
    return e;
}

constexpr SpriteElement sprite(std::int32_t bitmap, PixelPoint position, PixelPoint centre, std::uint32_t flags,
                               Source x, Source y, Source rotation, float texture_x = 1.0f, float texture_y = 1.0f,
                               FailureRecord* failures = nullptr) {
    SpriteElement e{};
    e.header = element_header(element_sprite, bitmap, position, centre, flags, failures);
    e.x_source = variable(x.token);
    e.x_scale = x.scale;
    e.y_source = variable(y.token);
    e.y_scale = y.scale;
    e.y_callback = y.callback;
    e.rotation_source = variable(rotation.token);
    e.rotation_scale = rotation.scale;
    e.rotation_callback = rotation.callback;
    e.texture_scale_x = texture_x;
    e.texture_scale_y = texture_y;
    return e;
}

constexpr StringElement string(PixelPoint position, std::uint32_t flags, std::uint32_t token, const TextStyle& style,
                               ElementCallback callback, FailureRecord* failures = nullptr) {
    StringElement e{};
    e.header = element_header(element_string, -1, position, {0, 0}, flags, failures);
    e.source = variable(token);
    e.box_width = style.box_width;
    e.box_height = style.box_height;
    e.text_colour = style.text_colour;
    e.background_colour = style.background_colour;
    e.highlight_colour = style.highlight_colour;
    for (std::size_t i = 0; i + 1 < sizeof e.font_face && style.font_face[i] != '\0'; ++i)
        e.font_face[i] = style.font_face[i];
    e.font_weight = style.font_weight;
    e.character_set = style.character_set;
    e.layout_flags = style.layout_flags;
    e.max_characters = style.max_characters;
    e.callback = callback;
    return e;
}

// The elements of one gauge as a single chain: each element's next list
// holds the element after it, the last one has none. The constructor links
// them and points every element at its gauge.
template <typename... Elements>
struct ElementChain {
    static constexpr std::size_t size = sizeof...(Elements);

    std::tuple<Elements...> elements;
    ElementHeader* next[size][2]{};
    ElementHeader* list[2]{};

    constexpr ElementChain(GaugeHeader* gauge, Elements... e) : elements(e...) {
        link(gauge, std::index_sequence_for<Elements...>{});
    }

private:
    template <std::size_t... I>
    constexpr void link(GaugeHeader* gauge, std::index_sequence<I...>) {
        ElementHeader* heads[] = {&std::get<I>(elements).header...};
        list[0] = heads[0];
        for (std::size_t i = 0; i < size; ++i) {
            heads[i]->gauge = gauge;
            if (i + 1 < size) {
                next[i][0] = heads[i + 1];
                heads[i]->next = next[i];
            }
        }
    }
};

// ---------------------------------------------------------------------------
// Mouse rectangles

constexpr MouseRect parent(PixelBox box, std::uint32_t help_id = 0) {
    MouseRect r{};
    r.kind = rect_parent;
    r.box = box;
    r.cursor = cursor_none;
    r.help_id = help_id;
    return r;
}

constexpr MouseRect whole_gauge(std::uint32_t help_id = 0) { return parent({0, 0, 0, 0}, help_id); }

constexpr MouseRect tooltip(const char* text) {
    MouseRect r{};
    r.kind = rect_tooltip;
    r.tooltip_text = text;
    return r;
}

// A tooltip whose inserts take the records of an argument array (all of
// them: one array serves every tooltip of a gauge).
template <std::size_t N>
constexpr MouseRect tooltip(const char* text, TooltipArgument (&arguments)[N]) {
    MouseRect r = tooltip(text);
    r.argument_count = N;
    r.tooltip_arguments = arguments;
    return r;
}

// A tooltip whose text is one of the host's own.
constexpr MouseRect host_tooltip(std::uint32_t help_id) {
    MouseRect r{};
    r.kind = rect_tooltip;
    r.help_id = help_id;
    r.tooltip_text = nullptr;
    return r;
}

// A click area that makes the host send its key event, with no module code.
constexpr MouseRect key_area(PixelBox box, Cursor cursor, std::uint32_t accepted, std::uint32_t key_event) {
    MouseRect r{};
    r.kind = rect_child;
    r.box = box;
    r.cursor = cursor;
    r.accepted_events = accepted;
    r.key_event = key_event;
    return r;
}

constexpr MouseRect click_area(PixelBox box, Cursor cursor, std::uint32_t accepted, MouseFunction function) {
    MouseRect r{};
    r.kind = rect_child;
    r.box = box;
    r.cursor = cursor;
    r.accepted_events = accepted;
    r.mouse_function = function;
    return r;
}

constexpr MouseRect end_parent() {
    MouseRect r{};
    r.kind = rect_end_parent;
    return r;
}

constexpr MouseRect end_of_rects() { return MouseRect{}; }

constexpr TooltipArgument numeric_argument(TooltipNumericCallback callback) {
    TooltipArgument a{};
    a.numeric = callback;
    return a;
}

constexpr TooltipArgument text_argument(TooltipTextCallback callback) {
    TooltipArgument a{};
    a.text = callback;
    return a;
}

// ---------------------------------------------------------------------------

constexpr GaugeHeader gauge_header(const char* name, std::uint32_t size_mm, ElementHeader** elements, MouseRect* rects,
                                   GaugeCallback callback = nullptr) {
    GaugeHeader g{};
    g.version = gauge_header_version;
    g.name = name;
    g.elements = elements;
    g.size_mm = size_mm;
    g.mouse_rects = rects;
    g.callback = callback;
    return g;
}

}  // namespace build
