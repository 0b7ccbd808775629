#include "tests/test_gauges.h"

#include <cstring>
#include <limits>

namespace test_gauges {

using namespace build;

std::vector<Call>& calls() {
    static std::vector<Call> all;
    return all;
}

double needle_callback_result = 0.0;
std::uint32_t needle_token_after_call = 0;
bool hide_icon = false;
double icon_result = 0.0;
const char* string_text = "";

namespace {

std::int32_t KORVEL_CALL record_click(ClickRecord* click, std::uint32_t flags) {
    calls().push_back({click->x, click->y, click->gauge, click->rect, flags});
    return 0;
}

// ---------------------------------------------------------------------------

constinit ElementChain<StaticImageElement> mouse_elements{&mouse_gauge, static_image(1, {0, 0}, 0x3)};

// clang-format off
constinit MouseRect mouse_rects[] = {
    whole_gauge(),
    parent({2, 210, 50, 50}),
    click_area({0, 0, 50, 50}, cursor_hand, mouse_left_click | mouse_repeat, record_click),
    end_parent(),
    key_area({100, 0, 50, 50}, cursor_hand, mouse_left_click, mouse_gauge_key_event),
    click_area({100, 0, 50, 50}, cursor_hand, mouse_right_click, record_click),
    click_area({0, 0, 100, 100}, cursor_hand, mouse_left_click | mouse_drag, record_click),
    click_area({150, 100, 40, 40}, cursor_up_arrow, mouse_left_click | mouse_right_click | mouse_repeat,
               record_click),
    end_parent(),
    end_of_rects(),
};
// clang-format on

// ---------------------------------------------------------------------------

double KORVEL_CALL twelve_point_five(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) { return 12.5; }
double KORVEL_CALL minus_seven_point_nine(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return -7.9;
}
double KORVEL_CALL not_a_number(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return std::numeric_limits<double>::quiet_NaN();
}
double KORVEL_CALL huge(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) { return 1e300; }
const char* KORVEL_CALL say_on(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) { return "on"; }

// clang-format off
TooltipArgument tooltip_arguments[] = {
    numeric_argument(twelve_point_five),
    text_argument(say_on),
    numeric_argument(minus_seven_point_nine),
    numeric_argument(not_a_number),
    numeric_argument(huge),
    numeric_argument(twelve_point_five),
    numeric_argument(twelve_point_five),
    numeric_argument(twelve_point_five),
    numeric_argument(twelve_point_five),
    numeric_argument(twelve_point_five),
    text_argument(say_on),
};
// clang-format on

constinit ElementChain<StaticImageElement> tooltip_elements{&tooltip_gauge, static_image(1, {0, 0}, 0x3)};

// Gauge size 300 x 300.
// clang-format off
constinit MouseRect tooltip_rects[] = {
    whole_gauge(0xAB00),
    tooltip("Whole gauge"),
    parent({0, 0, 100, 100}),
    tooltip("Bug %1!d!\xB0 %2!s! %1!07.3f! %1!07.2f! %3!d! %4!d! %5!d!", tooltip_arguments),
    parent({10, 10, 20, 20}),
    tooltip("Inner %11!s! %12!s! %2 100%% %9!q! %0 %", tooltip_arguments),
    end_parent(),
    end_parent(),
    parent({100, 0, 100, 100}),
    host_tooltip(0x3002),
    end_parent(),
    parent({200, 0, 100, 100}, 0xAB35),
    end_parent(),
    parent({0, 100, 100, 100}),
    end_parent(),
    parent({0, 200, 100, 100}),
    tooltip("Close the subpanel"),
    end_parent(),
    end_parent(),
    end_of_rects(),
};
// clang-format on

// ---------------------------------------------------------------------------

double KORVEL_CALL needle_callback(ElementHeader* element) {
    auto* needle = reinterpret_cast<NeedleElement*>(element);
    needle_callback_result = needle->source.var.value * 2.0;
    needle->source.var.token = needle_token_after_call;
    return needle_callback_result;
}

double KORVEL_CALL icon_callback(ElementHeader* element) {
    if (hide_icon)
        element->image_flags |= image_hidden_flag;
    else
        element->image_flags &= ~image_hidden_flag;
    return icon_result;
}

double KORVEL_CALL string_callback(ElementHeader* element) {
    auto* s = reinterpret_cast<StringElement*>(element);
    std::strncpy(s->text, string_text, s->max_characters);
    s->text[s->max_characters] = '\0';
    return 0.0;
}

double KORVEL_CALL slider_y(ElementHeader* element) {
    return reinterpret_cast<SliderElement*>(element)->y_source.var.value + 1.0;
}

double KORVEL_CALL sprite_rotation(ElementHeader* element) {
    return -reinterpret_cast<SpriteElement*>(element)->rotation_source.var.value;
}

NonlinearityEntry pegged_table[] = {{10, 10, -10.0}, {10, 10, 0.0}, {10, 90, 100.0}};
NonlinearityEntry plain_table[] = {{50, 0, 0.0}, {50, 100, 50.0}};

constexpr TextStyle text_style = {84, 25, 0xF0F0, 0, 0xFFFF, "Arial", 700, 1, 0x25, 7};

// clang-format off
constinit ElementChain<StaticImageElement, NeedleElement, NeedleElement, IconElement, StringElement,
                       SliderElement, SpriteElement, MovingImageElement>
    update_elements{
        &update_gauge,
        static_image(1, {0, 0}, 0x3),
        needle(2, {50, 50}, {5, 5}, 0x4083, 74, plain_table, needle_callback),
        needle(3, {10, 50}, {5, 5}, 0x4083, 61, pegged_table),
        icon(4, {0, 0}, 0x4003, 3, 0, icon_callback),
        string({0, 0}, 0x7, 23, text_style, string_callback),
        slider(5, {0, 0}, 0x3, {78, 1.0}, {80, -0.5, slider_y}),
        sprite(6, {0, 0}, {1, 1}, 0x4083, {}, {}, {84, 1.0, sprite_rotation}),
        moving_image(7, {0, 0}, 0x83, {83, 360.0, 0.0}, {23, 0.0, 10.0}),
    };
// clang-format on

constinit MouseRect update_rects[] = {whole_gauge(), end_parent(), end_of_rects()};

}  // namespace

constinit GaugeHeader mouse_gauge = gauge_header("Test_Mouse", 100, mouse_elements.list, mouse_rects);
constinit GaugeHeader tooltip_gauge = gauge_header("Test_Tooltip", 100, tooltip_elements.list, tooltip_rects);
constinit GaugeHeader update_gauge = gauge_header("Test_Update", 100, update_elements.list, update_rects);

}  // namespace test_gauges
