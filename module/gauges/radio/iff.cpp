// The transponder: main switch, power lamp, four code drums with an up and a
// down area over and under each, and the IDENT button. The code is the
// simulator's, read afresh by each drum.
#include <cmath>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/radio/radio_pieces.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

SoundSlot iff_sound{};

// clang-format off
constexpr RadioBinding iff = {&radio_panel.iff_power, nullptr, 0, 0, &iff_sound, nullptr};
// clang-format on

template <double (*digit)(double code)>
double KORVEL_CALL code_drum_cb(ElementHeader* element) {
    const double squawk_code = decode_squawk(token::transponder);
    light_drum(element, iff);
    return digit(squawk_code);
}

double units(double code) { return code - 10.0 * std::floor(code / 10.0); }
double tens(double code) { return std::floor((code - 100.0 * std::floor(code / 100.0)) / 10.0); }
double hundreds(double code) { return std::floor((code - 1000.0 * std::floor(code / 1000.0)) / 100.0); }
double thousands(double code) { return std::floor(code / 1000.0); }

// No limit and no sound: the simulator wraps the digits.
template <std::uint32_t event_number>
std::int32_t KORVEL_CALL digit_area_fn(ClickRecord*, std::uint32_t) {
    if (radio_panel.iff_power != 0) trigger_key_event(event_number, 0);
    return 0;
}

// The IDENT button takes its click and does nothing with it.
std::int32_t KORVEL_CALL iff_ident_fn(ClickRecord*, std::uint32_t) { return 0; }

void KORVEL_CALL iff_gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra extra) {
    sound_slot_service(iff_sound, service, extra, wave_radio_click);
}

// clang-format off
FailureRecord iff_failures[] = {{failure::avionics, failure_action::no_draw}, {failure::transponder, failure_action::none}, {}};

constinit ElementChain<StaticImageElement, MovingImageElement, MovingImageElement, MovingImageElement,
                       MovingImageElement, IconElement, IconElement, IconElement>
    iff_elements{
        &radio_iff_gauge,
        static_image(1400, {0, 0}, image_plain),
        moving_image(1410, {187, 59}, image_dib, {}, {token::transponder, 0.0, 10.0, code_drum_cb<units>}, iff_failures),
        moving_image(1410, {164, 59}, image_dib, {}, {0, 0.0, 10.0, code_drum_cb<tens>}, iff_failures),
        moving_image(1410, {141, 59}, image_dib, {}, {token::transponder, 0.0, 10.0, code_drum_cb<hundreds>},
                     iff_failures),
        moving_image(1410, {118, 59}, image_dib, {}, {token::transponder, 0.0, 10.0, code_drum_cb<thousands>},
                     iff_failures),
        icon(1440, {209, 29}, image_plain, 2, 0, nullptr, iff_failures),
        icon(1430, {53, 79}, image_plain_bright, 1, 0, radio_pieces::power_lamp_cb<iff>, iff_failures),
        icon(1420, {27, 8}, image_plain, 2, 0, radio_pieces::main_switch_icon_cb<iff>),
    };

TooltipArgument iff_arguments[] = {
    text_argument(radio_pieces::power_text<iff>),
};
// clang-format on

constexpr std::uint32_t digit_area_events = mouse_left_click | mouse_repeat;

// clang-format off
constinit MouseRect iff_rects[] = {
    whole_gauge(help::transponder),
    parent({60, 0, 201, 99}),
    host_tooltip(help::transponder_code),
    end_parent(),
    parent({29, 12, 24, 60}),
    tooltip("IFF/Transponder main switch (%1!s!)", iff_arguments),
    end_parent(),
    click_area({29, 12, 24, 60}, cursor_hand, mouse_left_click, radio_pieces::main_switch_fn<iff>),
    parent({118, 59, 78, 17}),
    end_parent(),
    click_area({111, 68, 23, 23}, cursor_down_arrow, digit_area_events,
               digit_area_fn<event::transponder_thousands_down>),
    click_area({111, 44, 23, 23}, cursor_up_arrow, digit_area_events, digit_area_fn<event::transponder_thousands_up>),
    click_area({135, 68, 23, 23}, cursor_down_arrow, digit_area_events,
               digit_area_fn<event::transponder_hundreds_down>),
    click_area({135, 44, 23, 23}, cursor_up_arrow, digit_area_events, digit_area_fn<event::transponder_hundreds_up>),
    click_area({159, 68, 23, 23}, cursor_down_arrow, digit_area_events, digit_area_fn<event::transponder_tens_down>),
    click_area({159, 44, 23, 23}, cursor_up_arrow, digit_area_events, digit_area_fn<event::transponder_tens_up>),
    click_area({183, 68, 23, 23}, cursor_down_arrow, digit_area_events, digit_area_fn<event::transponder_units_down>),
    click_area({183, 44, 23, 23}, cursor_up_arrow, digit_area_events, digit_area_fn<event::transponder_units_up>),
    click_area({209, 29, 26, 32}, cursor_hand, mouse_left_click, iff_ident_fn),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader radio_iff_gauge = gauge_header("Radio_IFF", 100, iff_elements.list, iff_rects, iff_gauge_cb);
