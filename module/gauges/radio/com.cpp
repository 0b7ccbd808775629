// The COM1 radio: main switch, power lamp, a two-speed channel knob and a
// frequency window that lights for a while after its button is pressed. The
// simulator owns the frequency; the radio reads it back every update.
#include <cmath>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/radio/radio_pieces.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

double com_whole_mhz = 0.0;
double com_fraction = 0.0;   // hundredths of MHz
double com_frequency = 0.0;  // as last written: plain at update, completed by the display and tooltip
std::int32_t com_display_timer = 0;
double com_knob_angle = 0.0;  // the channel knob turns 30 degrees a fine step, 90 a coarse one
SoundSlot com_sound{};

// clang-format off
constexpr RadioBinding com = {&radio_panel.com_power, nullptr, 0, 0, &com_sound, &com_display_timer};
// clang-format on

constexpr double lowest_frequency = 118.0;
constexpr double highest_fine_step = 135.97;
constexpr double lowest_whole = 118.0;
constexpr double highest_coarse_step = 134.0;

// The word holds hundredths; a last digit of 2 or 7 stands for the 25 kHz
// channel it truncates (123.42 is 123.425).
double completed_frequency() {
    double f = com_whole_mhz + com_fraction / 100.0;
    const double last_digit = com_fraction - 10.0 * std::floor(com_fraction / 10.0);
    if (last_digit == 2.0 || last_digit == 7.0) f += 0.005;
    com_frequency = f;
    return f;
}

double KORVEL_CALL com_knob_cb(ElementHeader*) { return com_knob_angle; }

double KORVEL_CALL com_display_cb(ElementHeader* element) {
    write_lit_window(element, com, "%7.3f", completed_frequency());
    return 0.0;
}

double KORVEL_CALL com_frequency_tooltip_cb(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return completed_frequency();
}

// The left button takes the 25 kHz step and is tried first; the right one
// the whole MHz.
std::int32_t KORVEL_CALL com_tune_down_fn(ClickRecord*, std::uint32_t flags) {
    if (radio_panel.com_power == 0) return 0;
    if (flags & mouse_left_click) {
        if (com_frequency > lowest_frequency) {
            trigger_key_event(event::com1_fraction_down, 0);
            com_knob_angle -= 30.0;
        }
    } else if (flags & mouse_right_click) {
        if (com_whole_mhz > lowest_whole) {
            trigger_key_event(event::com1_whole_down, 0);
            com_knob_angle -= 90.0;
        }
    }
    return 0;
}

std::int32_t KORVEL_CALL com_tune_up_fn(ClickRecord*, std::uint32_t flags) {
    if (radio_panel.com_power == 0) return 0;
    if (flags & mouse_left_click) {
        if (com_frequency < highest_fine_step) {
            trigger_key_event(event::com1_fraction_up, 0);
            com_knob_angle += 30.0;
        }
    } else if (flags & mouse_right_click) {
        if (com_whole_mhz <= highest_coarse_step) {
            trigger_key_event(event::com1_whole_up, 0);
            com_knob_angle += 90.0;
        }
    }
    return 0;
}

void KORVEL_CALL com_gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra extra) {
    if (service == service_update) {
        com_whole_mhz = decode_com_whole(token::com1_frequency);
        com_fraction = decode_com_fraction(token::com1_frequency);
        com_frequency = com_whole_mhz + com_fraction / 100.0;
    }
    sound_slot_service(com_sound, service, extra, wave_radio_click);
}

// clang-format off
FailureRecord lamp_failures[] = {{failure::avionics, failure_action::no_draw}, {failure::com, failure_action::none}, {}};

constexpr TextStyle frequency_window = {84, 25, 0xF0F0, 0, 0xFFFF, "Arial", 700, 1, 0x25, 7};

constinit ElementChain<StaticImageElement, SpriteElement, IconElement, StringElement, IconElement> com_elements{
    &radio_com_gauge,
    static_image(1120, {0, 0}, image_plain),
    sprite(1150, {132, 14}, {181, 63}, image_dib, {0, 1.0}, {0, 1.0}, {0, -1.0, com_knob_cb}),
    icon(1140, {46, 58}, image_plain, 2, 0, radio_pieces::main_switch_icon_cb<com>),
    string({240, 12}, image_plain_bright, token::com1_frequency, frequency_window, com_display_cb),
    icon(1130, {243, 90}, image_plain_bright, 1, 0, radio_pieces::power_lamp_cb<com>, lamp_failures),
};

TooltipArgument com_arguments[] = {
    numeric_argument(com_frequency_tooltip_cb),
    text_argument(radio_pieces::power_text<com>),
};
// clang-format on

constexpr const char* frequency_tip = "Communications Radio COM1 - %1!07.3f! MHz";

// clang-format off
constinit MouseRect com_rects[] = {
    whole_gauge(),
    parent({0, 0, 350, 58}),
    tooltip(frequency_tip, com_arguments),
    end_parent(),
    parent({113, 58, 237, 72}),
    tooltip(frequency_tip, com_arguments),
    end_parent(),
    parent({46, 58, 67, 58}),
    tooltip("COM1 main switch (%2!s!)", com_arguments),
    end_parent(),
    click_area({132, 14, 49, 98}, cursor_down_arrow, mouse_right_click | mouse_left_click | mouse_repeat,
               com_tune_down_fn),
    click_area({181, 14, 49, 98}, cursor_up_arrow, mouse_right_click | mouse_left_click | mouse_repeat,
               com_tune_up_fn),
    click_area({256, 0, 44, 44}, cursor_hand, mouse_left_click | mouse_repeat, radio_pieces::display_button_fn<com>),
    click_area({46, 58, 67, 58}, cursor_hand, mouse_left_click, radio_pieces::main_switch_fn<com>),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader radio_com_gauge = gauge_header("Radio_COM", 100, com_elements.list, com_rects, com_gauge_cb);
