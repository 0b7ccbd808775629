// The records the panel host reads from the module, and the shapes of the
// routines it calls. The layouts are byte-exact in the 32-bit Windows build
// (4-byte packing, 32-bit pointers); the offsets are checked at the end of
// this file whenever pointers are 4 bytes wide. The native build keeps its
// natural layout, so nothing may rely on raw byte offsets: use the fields.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/vocabulary.h"

// The host calls every module routine, and is called through its service
// table, with the Win32 __stdcall convention. A cdecl routine with arguments
// would leave the host's stack unbalanced.
#if defined(_WIN32) && !defined(_WIN64)
#define KORVEL_CALL __stdcall
#else
#define KORVEL_CALL
#endif

// On 32-bit Windows the extra word of a gauge callback carries the module
// handle; natively it must be able to carry a pointer as well.
using ServiceExtra = std::uintptr_t;

struct GaugeHeader;
struct ElementHeader;
struct MouseRect;
struct ModuleVariable;
struct TooltipArgument;

// ---------------------------------------------------------------------------
// Numbers shared with the host

enum ElementKind : std::uint32_t {
    element_static_image = 0,
    element_needle = 1,
    element_string = 2,
    element_slider = 3,
    element_icon = 4,
    element_moving_image = 5,
    element_sprite = 6,
};

enum Cursor : std::int32_t {
    cursor_none = -1,
    cursor_up_arrow = 1,
    cursor_down_arrow = 2,
    cursor_hand = 5,
};

enum MouseRectKind : std::uint32_t {
    rect_end = 0,
    rect_parent = 1,
    rect_child = 2,
    rect_end_parent = 3,
    rect_tooltip = 4,
};

// Service numbers of the gauge callback. Every other number is ignored.
enum GaugeService : std::int32_t {
    service_install = 2,
    service_update = 6,
    service_kill = 12,
    service_connect = 14,
};

inline constexpr std::uint32_t gauge_header_version = 0x320;

// ---------------------------------------------------------------------------
// Callback shapes

struct ClickRecord;

using ElementCallback = double(KORVEL_CALL*)(ElementHeader* element);
using MouseFunction = std::int32_t(KORVEL_CALL*)(ClickRecord* click, std::uint32_t mouse_flags);
using GaugeCallback = void(KORVEL_CALL*)(GaugeHeader* gauge, std::int32_t service, ServiceExtra extra);
// Tooltip argument callbacks: six 32-bit words on 32-bit Windows (the
// argument's number as a double, its id, string, variable and gauge). The
// module reads none of them.
using TooltipNumericCallback = double(KORVEL_CALL*)(double number, std::uint32_t id, const char* text,
                                                    ModuleVariable* variable, GaugeHeader* gauge);
using TooltipTextCallback = const char*(KORVEL_CALL*)(double number, std::uint32_t id, const char* text,
                                                      ModuleVariable* variable, GaugeHeader* gauge);
using ModuleRoutine = void(KORVEL_CALL*)();

// 4-byte packing where the host reads the records, the 32-bit build; the
// native build keeps its natural alignment.
#if UINTPTR_MAX == 0xFFFFFFFFu
#pragma pack(push, 4)
#endif

// The host's click record, handed to a mouse function.
struct ClickRecord {
    std::int32_t x{};  // relative to the clicked rectangle's box
    std::int32_t y{};
    GaugeHeader* gauge{};
    MouseRect* rect{};
};

struct ModuleVariable {
    std::uint32_t token{};
    void* value_pointer{};  // host's
    std::uint32_t type{};   // host's
    double value{};
    double previous_value{};
};

// A variable slot inside an element: the variable and one host word.
struct ElementVariable {
    ModuleVariable var{};
    std::uint32_t host_word{};
};

struct NonlinearityEntry {
    std::int32_t x{};  // a point on the dial, in background pixels
    std::int32_t y{};
    double value{};  // the needle points from its pivot to (x, y) at this value
    double angle{};  // host's
};

struct FailureRecord {
    std::uint32_t key{};
    std::uint32_t action{};
    std::uint32_t reserved{};
};

struct PixelPoint {
    std::int32_t x{};
    std::int32_t y{};
};

struct PixelBox {
    std::int32_t x{};
    std::int32_t y{};
    std::int32_t width{};
    std::int32_t height{};
};

struct ElementHeader {
    std::uint32_t kind{};        // ElementKind
    std::int32_t resource_id{};  // bitmap; -1 for strings
    PixelPoint position{};
    PixelPoint previous_position{};  // host's
    PixelPoint centre{};
    GaugeHeader* gauge{};
    ElementHeader* previous{};  // host's
    ElementHeader** next{};     // null-terminated list drawn over this element
    FailureRecord* failures{};
    std::uint32_t image_flags{};
    std::uint32_t aspect{};
    std::uint32_t reserved{};
};

struct StaticImageElement {
    ElementHeader header{};
    std::uint32_t host_words[9]{};
};

struct NeedleElement {
    ElementHeader header{};
    ElementVariable source{};
    std::uint32_t host_words_92[5]{};
    NonlinearityEntry* table{};
    std::uint32_t table_rows{};
    std::uint32_t rate_limit{};
    std::uint32_t host_words_124[25]{};
    ElementCallback callback{};
    std::uint32_t host_words_228[2]{};
};

struct StringElement {
    ElementHeader header{};
    ElementVariable source{};
    std::uint32_t host_words_92[23]{};
    char* text{};  // buffer owned by the host
    std::uint32_t host_word_188{};
    std::int32_t box_width{};
    std::int32_t box_height{};
    std::uint32_t host_words_200[2]{};
    std::uint32_t text_colour{};
    std::uint32_t background_colour{};
    std::uint32_t highlight_colour{};
    std::uint32_t host_words_220[7]{};
    char font_face[32]{};
    std::int32_t font_weight{};
    std::int32_t character_set{};
    std::uint32_t layout_flags{};
    std::uint32_t max_characters{};
    std::uint32_t host_words_296[4]{};
    ElementCallback callback{};
    std::uint32_t host_words_316[2]{};
};

struct SliderElement {
    ElementHeader header{};
    ElementVariable x_source{};
    double x_scale{};
    std::uint32_t host_word_100{};
    ElementVariable y_source{};
    double y_scale{};
    std::uint32_t host_words_144[7]{};
    ElementCallback y_callback{};
    std::uint32_t host_words_176[4]{};
};

struct IconElement {
    ElementHeader header{};
    ElementVariable source{};
    std::uint32_t host_words_92[2]{};
    double scale{};
    std::uint32_t host_word_108{};
    std::uint32_t image_count{};
    std::uint32_t host_words_116[4]{};
    ElementCallback callback{};
    std::uint32_t host_word_136{};
};

struct MovingImageElement {
    ElementHeader header{};
    ElementVariable x_source{};
    double x_min{};
    double x_max{};
    std::uint32_t host_word_108{};
    ElementVariable y_source{};
    double y_min{};
    double y_max{};
    std::uint32_t host_words_160[22]{};
    ElementCallback y_callback{};
    std::uint32_t host_words_252[4]{};
};

struct SpriteElement {
    ElementHeader header{};  // centre: the texture centre inside the bitmap
    ElementVariable x_source{};
    double x_scale{};
    ElementVariable y_source{};
    double y_scale{};
    ElementVariable rotation_source{};
    double rotation_scale{};
    float texture_scale_x{};
    float texture_scale_y{};
    std::uint32_t host_words_188[33]{};
    ElementCallback y_callback{};
    ElementCallback rotation_callback{};
    std::uint32_t host_words_328[6]{};
};

struct MouseRect {
    std::uint32_t kind{};  // MouseRectKind
    PixelBox box{};        // relative to the enclosing parent; a parent of 0,0,0,0 covers it all
    std::int32_t cursor{};
    std::uint32_t help_id{};
    std::uint32_t accepted_events{};  // children
    union {
        std::uint32_t key_event = 0;   // children: sent by the host on a click, or 0
        std::uint32_t argument_count;  // tooltips
    };
    union {
        MouseFunction mouse_function = nullptr;  // children
        const char* tooltip_text;                // tooltips
    };
    TooltipArgument* tooltip_arguments{};  // tooltips
};

struct TooltipArgument {
    std::uint32_t host_words[15]{};
    TooltipNumericCallback numeric{};
    std::uint32_t host_word_64{};
    TooltipTextCallback text{};
};

struct GaugeHeader {
    std::uint32_t version{};
    const char* name{};
    ElementHeader** elements{};
    std::uint32_t host_words_3[8]{};
    std::uint32_t size_mm{};
    std::uint32_t host_words_12[8]{};
    MouseRect* mouse_rects{};
    GaugeCallback callback{};
    std::uint32_t user_word{};
    char* parameters{};  // written by the host before the first service call
    std::uint32_t host_words_24[8]{};
};

#if UINTPTR_MAX == 0xFFFFFFFFu
#pragma pack(pop)
#endif

// ---------------------------------------------------------------------------
// Layout checks: they hold whenever pointers are 32 bits wide, that is in the
// Windows build the host actually loads.

#define KORVEL_LAYOUT(type, field, offset) \
    static_assert(sizeof(void*) != 4 || offsetof(type, field) == (offset), #type "." #field)
#define KORVEL_SIZE(type, size) static_assert(sizeof(void*) != 4 || sizeof(type) == (size), #type)

KORVEL_SIZE(ClickRecord, 16);
KORVEL_SIZE(ModuleVariable, 28);
KORVEL_LAYOUT(ModuleVariable, token, 0);
KORVEL_LAYOUT(ModuleVariable, value_pointer, 4);
KORVEL_LAYOUT(ModuleVariable, type, 8);
KORVEL_LAYOUT(ModuleVariable, value, 12);
KORVEL_LAYOUT(ModuleVariable, previous_value, 20);
KORVEL_SIZE(ElementVariable, 32);

KORVEL_SIZE(NonlinearityEntry, 24);
KORVEL_LAYOUT(NonlinearityEntry, x, 0);
KORVEL_LAYOUT(NonlinearityEntry, y, 4);
KORVEL_LAYOUT(NonlinearityEntry, value, 8);
KORVEL_LAYOUT(NonlinearityEntry, angle, 16);

KORVEL_SIZE(FailureRecord, 12);

KORVEL_SIZE(ElementHeader, 60);
KORVEL_LAYOUT(ElementHeader, kind, 0);
KORVEL_LAYOUT(ElementHeader, resource_id, 4);
KORVEL_LAYOUT(ElementHeader, position, 8);
KORVEL_LAYOUT(ElementHeader, previous_position, 16);
KORVEL_LAYOUT(ElementHeader, centre, 24);
KORVEL_LAYOUT(ElementHeader, gauge, 32);
KORVEL_LAYOUT(ElementHeader, previous, 36);
KORVEL_LAYOUT(ElementHeader, next, 40);
KORVEL_LAYOUT(ElementHeader, failures, 44);
KORVEL_LAYOUT(ElementHeader, image_flags, 48);
KORVEL_LAYOUT(ElementHeader, aspect, 52);
KORVEL_LAYOUT(ElementHeader, reserved, 56);

KORVEL_SIZE(StaticImageElement, 96);

KORVEL_SIZE(NeedleElement, 236);
KORVEL_LAYOUT(NeedleElement, source, 60);
KORVEL_LAYOUT(NeedleElement, source.var.value, 72);
KORVEL_LAYOUT(NeedleElement, table, 112);
KORVEL_LAYOUT(NeedleElement, table_rows, 116);
KORVEL_LAYOUT(NeedleElement, rate_limit, 120);
KORVEL_LAYOUT(NeedleElement, callback, 224);

KORVEL_SIZE(StringElement, 324);
KORVEL_LAYOUT(StringElement, source, 60);
KORVEL_LAYOUT(StringElement, text, 184);
KORVEL_LAYOUT(StringElement, box_width, 192);
KORVEL_LAYOUT(StringElement, box_height, 196);
KORVEL_LAYOUT(StringElement, text_colour, 208);
KORVEL_LAYOUT(StringElement, background_colour, 212);
KORVEL_LAYOUT(StringElement, highlight_colour, 216);
KORVEL_LAYOUT(StringElement, font_face, 248);
KORVEL_LAYOUT(StringElement, font_weight, 280);
KORVEL_LAYOUT(StringElement, character_set, 284);
KORVEL_LAYOUT(StringElement, layout_flags, 288);
KORVEL_LAYOUT(StringElement, max_characters, 292);
KORVEL_LAYOUT(StringElement, callback, 312);

KORVEL_SIZE(SliderElement, 192);
KORVEL_LAYOUT(SliderElement, x_source, 60);
KORVEL_LAYOUT(SliderElement, x_scale, 92);
KORVEL_LAYOUT(SliderElement, y_source, 104);
KORVEL_LAYOUT(SliderElement, y_scale, 136);
KORVEL_LAYOUT(SliderElement, y_callback, 172);

KORVEL_SIZE(IconElement, 140);
KORVEL_LAYOUT(IconElement, source, 60);
KORVEL_LAYOUT(IconElement, scale, 100);
KORVEL_LAYOUT(IconElement, image_count, 112);
KORVEL_LAYOUT(IconElement, callback, 132);

KORVEL_SIZE(MovingImageElement, 268);
KORVEL_LAYOUT(MovingImageElement, x_source, 60);
KORVEL_LAYOUT(MovingImageElement, x_min, 92);
KORVEL_LAYOUT(MovingImageElement, x_max, 100);
KORVEL_LAYOUT(MovingImageElement, y_source, 112);
KORVEL_LAYOUT(MovingImageElement, y_min, 144);
KORVEL_LAYOUT(MovingImageElement, y_max, 152);
KORVEL_LAYOUT(MovingImageElement, y_callback, 248);

KORVEL_SIZE(SpriteElement, 352);
KORVEL_LAYOUT(SpriteElement, header.centre, 24);
KORVEL_LAYOUT(SpriteElement, x_source, 60);
KORVEL_LAYOUT(SpriteElement, x_scale, 92);
KORVEL_LAYOUT(SpriteElement, y_source, 100);
KORVEL_LAYOUT(SpriteElement, y_source.var.value, 112);
KORVEL_LAYOUT(SpriteElement, y_scale, 132);
KORVEL_LAYOUT(SpriteElement, rotation_source, 140);
KORVEL_LAYOUT(SpriteElement, rotation_source.var.value, 152);
KORVEL_LAYOUT(SpriteElement, rotation_scale, 172);
KORVEL_LAYOUT(SpriteElement, texture_scale_x, 180);
KORVEL_LAYOUT(SpriteElement, texture_scale_y, 184);
KORVEL_LAYOUT(SpriteElement, y_callback, 320);
KORVEL_LAYOUT(SpriteElement, rotation_callback, 324);

KORVEL_SIZE(MouseRect, 44);
KORVEL_LAYOUT(MouseRect, kind, 0);
KORVEL_LAYOUT(MouseRect, box, 4);
KORVEL_LAYOUT(MouseRect, cursor, 20);
KORVEL_LAYOUT(MouseRect, help_id, 24);
KORVEL_LAYOUT(MouseRect, accepted_events, 28);
KORVEL_LAYOUT(MouseRect, key_event, 32);
KORVEL_LAYOUT(MouseRect, argument_count, 32);
KORVEL_LAYOUT(MouseRect, mouse_function, 36);
KORVEL_LAYOUT(MouseRect, tooltip_text, 36);
KORVEL_LAYOUT(MouseRect, tooltip_arguments, 40);

KORVEL_SIZE(TooltipArgument, 72);
KORVEL_LAYOUT(TooltipArgument, numeric, 60);
KORVEL_LAYOUT(TooltipArgument, text, 68);

KORVEL_LAYOUT(GaugeHeader, version, 0 * 4);
KORVEL_LAYOUT(GaugeHeader, name, 1 * 4);
KORVEL_LAYOUT(GaugeHeader, elements, 2 * 4);
KORVEL_LAYOUT(GaugeHeader, size_mm, 11 * 4);
KORVEL_LAYOUT(GaugeHeader, mouse_rects, 20 * 4);
KORVEL_LAYOUT(GaugeHeader, callback, 21 * 4);
KORVEL_LAYOUT(GaugeHeader, user_word, 22 * 4);
KORVEL_LAYOUT(GaugeHeader, parameters, 23 * 4);

#undef KORVEL_LAYOUT
#undef KORVEL_SIZE
