// The recurring pieces of a radio face, each a callback or mouse function
// bound to its radio at compile time, so that a radio's tables name them as
// data.
#pragma once

#include "module/gauges/radio/radio.h"
#include "module/services.h"

namespace radio_pieces {

template <const RadioBinding& radio>
double KORVEL_CALL main_switch_icon_cb(ElementHeader*) {
    return *radio.power != 0 ? 1.0 : 0.0;
}

// NAV and ADF: the main switch icon also keeps the simulator's audio in step,
// every update: off while the radio has no power, on while it has power and
// its audio switch is on.
template <const RadioBinding& radio>
double KORVEL_CALL main_switch_audio_icon_cb(ElementHeader*) {
    if (*radio.power == 0) {
        trigger_key_event(radio.audio_off, 0);
        return 0.0;
    }
    if (*radio.audio != 0) trigger_key_event(radio.audio_on, 0);
    return 1.0;
}

template <const RadioBinding& radio>
double KORVEL_CALL power_lamp_cb(ElementHeader*) {
    return *radio.power != 0 ? 0.0 : -1.0;
}

template <const RadioBinding& radio>
double KORVEL_CALL audio_switch_icon_cb(ElementHeader*) {
    return *radio.audio != 0 ? 1.0 : 0.0;
}

template <const RadioBinding& radio>
std::int32_t KORVEL_CALL main_switch_fn(ClickRecord*, std::uint32_t) {
    *radio.power = toggled(*radio.power);
    sound_click(*radio.sound);
    return 0;
}

template <const RadioBinding& radio>
std::int32_t KORVEL_CALL audio_switch_fn(ClickRecord*, std::uint32_t) {
    if (*radio.power == 0) return 0;
    trigger_key_event(*radio.audio != 0 ? radio.audio_off : radio.audio_on, 0);
    *radio.audio = toggled(*radio.audio);
    sound_click(*radio.sound);
    return 0;
}

template <const RadioBinding& radio>
std::int32_t KORVEL_CALL display_button_fn(ClickRecord*, std::uint32_t) {
    if (*radio.power == 0) return 0;
    *radio.display_timer = lit_window_calls;
    sound_click(*radio.sound);
    return 0;
}

template <const RadioBinding& radio>
const char* KORVEL_CALL power_text(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return *radio.power != 0 ? "on" : "off";
}

template <const RadioBinding& radio>
const char* KORVEL_CALL audio_text(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return *radio.audio != 0 ? "on" : "off";
}

}  // namespace radio_pieces
