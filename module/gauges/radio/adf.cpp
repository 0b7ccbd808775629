// The ADF receiver: a three-position band selector, a tuning dial whose
// pointer sweeps the selected band, a two-speed tuning knob, tone and main
// switches, a power lamp and a frequency window lit after its button.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/radio/radio_pieces.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

double adf_frequency = 0.0;         // kHz
double adf_band = 1.0;              // 1, 2 or 3
double adf_dial_value = 0.0;        // degrees of the band scale
double adf_fine_knob_angle = 60.0;  // never wrapped
std::int32_t adf_display_timer = 0;
SoundSlot adf_sound{};

// clang-format off
constexpr RadioBinding adf = {&radio_panel.adf_power, &radio_panel.adf_tone, event::adf_audio_off,
                              event::adf_audio_on, &adf_sound, &adf_display_timer};
// clang-format on

struct Band {
    double lower;  // kHz
    double upper;
    double dial_factor;  // degrees of the dial per kHz
};

// 105, 176 and 270 degrees wide.
// clang-format off
constexpr Band bands[] = {
    {200, 410, 5.0 / 10.0},
    {410, 850, 4.0 / 10.0},
    {850, 1750, 3.0 / 10.0},
};
// clang-format on

// The frequency set events carry tenths of kHz in BCD.
constexpr std::uint32_t band_2_lower_tenths = 4100;
constexpr std::uint32_t band_3_lower_tenths = 8500;

constexpr double coarse_margin = 5.0;  // kHz: a coarse step is five 1 kHz events
constexpr double fine_margin = 0.5;    // a fine step five 0.1 kHz events
constexpr int events_per_step = 5;

void read_frequency() { adf_frequency = decode_adf_khz() + decode_adf_tenths() / 10.0; }

const Band* current_band() {
    for (int i = 0; i < 3; ++i)
        if (adf_band == i + 1.0) return &bands[i];
    return nullptr;
}

double dial_for(const Band& band) { return (adf_frequency - band.lower) * band.dial_factor; }

void send_times(std::uint32_t event, int times) {
    for (int i = 0; i < times; ++i) trigger_key_event(event, 0);
}

// With power the pointer follows the frequency by the band chosen at
// install or on the selector; without power it freezes.
double KORVEL_CALL adf_dial_cb(ElementHeader*) {
    if (radio_panel.adf_power == 0) return adf_dial_value;
    if (const Band* band = current_band()) adf_dial_value = dial_for(*band);
    return adf_dial_value;
}

// Turning the ring by -90 degrees a band brings that band's arc to the top.
double KORVEL_CALL adf_band_ring_cb(ElementHeader*) { return (1.0 - adf_band) * 90.0; }
double KORVEL_CALL adf_fine_knob_cb(ElementHeader*) { return adf_fine_knob_angle; }
double KORVEL_CALL adf_band_knob_cb(ElementHeader*) { return adf_band; }

double KORVEL_CALL adf_display_cb(ElementHeader* element) {
    write_lit_window(element, adf, "%7.2f", adf_frequency);
    return 0.0;
}

// A step up puts the frequency at the lower edge of the new band and the
// pointer at its start.
std::int32_t KORVEL_CALL adf_band_up_fn(ClickRecord*, std::uint32_t) {
    if (radio_panel.adf_power == 0 || !(adf_band < 3.0)) return 0;
    adf_band += 1.0;
    sound_click(adf_sound);
    adf_dial_value = 0.0;
    if (adf_band == 2.0) trigger_key_event(event::adf_frequency_set, digits_to_base(band_2_lower_tenths, 10, 16));
    if (adf_band == 3.0) trigger_key_event(event::adf_frequency_set, digits_to_base(band_3_lower_tenths, 10, 16));
    return 0;
}

// A step down puts it at the upper edge of the new band, the pointer at its end.
std::int32_t KORVEL_CALL adf_band_down_fn(ClickRecord*, std::uint32_t) {
    if (radio_panel.adf_power == 0 || !(adf_band > 1.0)) return 0;
    adf_band -= 1.0;
    sound_click(adf_sound);
    if (adf_band == 1.0) {
        adf_dial_value = 105.0;
        trigger_key_event(event::adf_frequency_set, digits_to_base(band_2_lower_tenths, 10, 16));
    }
    if (adf_band == 2.0) {
        adf_dial_value = 176.0;
        trigger_key_event(event::adf_frequency_set, digits_to_base(band_3_lower_tenths, 10, 16));
    }
    return 0;
}

// Room for a step of that size within the current band.
bool room_above(double margin) {
    const Band* band = current_band();
    return band != nullptr && adf_frequency <= band->upper - margin;
}

bool room_below(double margin) {
    const Band* band = current_band();
    return band != nullptr && adf_frequency >= band->lower + margin;
}

// The right button takes the coarse step and is tried first.
std::int32_t KORVEL_CALL adf_tune_up_fn(ClickRecord*, std::uint32_t flags) {
    if (radio_panel.adf_power == 0) return 0;
    if (flags & mouse_right_click) {
        if (room_above(coarse_margin)) {
            send_times(event::adf_khz_up, events_per_step);
            adf_fine_knob_angle += 5.0;
        }
    } else if (flags & mouse_left_click) {
        if (room_above(fine_margin)) {
            send_times(event::adf_tenth_up, events_per_step);
            adf_fine_knob_angle += 1.0;
        }
    }
    return 0;
}

std::int32_t KORVEL_CALL adf_tune_down_fn(ClickRecord*, std::uint32_t flags) {
    if (radio_panel.adf_power == 0) return 0;
    if (flags & mouse_right_click) {
        if (room_below(coarse_margin)) {
            send_times(event::adf_khz_down, events_per_step);
            adf_fine_knob_angle -= 5.0;
        }
    } else if (flags & mouse_left_click) {
        if (room_below(fine_margin)) {
            send_times(event::adf_tenth_down, events_per_step);
            adf_fine_knob_angle -= 1.0;
        }
    }
    return 0;
}

double KORVEL_CALL adf_frequency_tooltip_cb(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return adf_frequency;
}

// The tone switch's tooltip shows the simulator's audio state itself.
const char* KORVEL_CALL adf_audio_text(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return lookup_var(token::adf_audio) == 1.0 ? "on" : "off";
}

// The band is chosen from the frequency once, at install; afterwards only the
// selector changes it.
void KORVEL_CALL adf_gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra extra) {
    if (service == service_install) {
        trigger_key_event(event::adf_audio_off, 0);
        read_frequency();
        adf_band = adf_frequency <= bands[0].upper ? 1.0 : (adf_frequency <= bands[1].upper ? 2.0 : 3.0);
        adf_dial_value = dial_for(*current_band());
    } else if (service == service_update) {
        read_frequency();
    }
    sound_slot_service(adf_sound, service, extra, wave_radio_click);
}

// clang-format off
FailureRecord window_failures[] = {{failure::electrical_panel, failure_action::no_draw}, {failure::avionics, failure_action::no_draw}, {failure::adf, failure_action::none}, {}};
FailureRecord lamp_failures[] = {{failure::electrical_panel, failure_action::no_draw}, {failure::avionics, failure_action::no_draw}, {}};

NonlinearityEntry dial_table[] = {{178, 29, 0}, {178, 225, 180}};
NonlinearityEntry fine_knob_table[] = {{275, 13, 0}, {275, 73, 60}};
NonlinearityEntry band_knob_table[] = {{178, 114, 1}, {178, 178, 3}};

constexpr TextStyle frequency_window = {84, 25, 0xFAFA, 0, 0xFFFF, "Arial", 700, 1, 0x25, 7};

constinit ElementChain<StaticImageElement, NeedleElement, SpriteElement, StaticImageElement, StringElement,
                       NeedleElement, NeedleElement, IconElement, IconElement, IconElement>
    adf_elements{
        &radio_adf_gauge,
        static_image(1390, {0, 0}, image_plain),
        needle(1370, {178, 127}, {98, 98}, image_lit_dib, 0, dial_table, adf_dial_cb),
        sprite(1360, {130, 30}, {178, 127}, image_lit_dib, {0, 1.0}, {0, 1.0}, {0, 1.0, adf_band_ring_cb}),
        static_image(1380, {0, 0}, image_plain),
        string({135, 195}, image_plain_bright, token::adf_frequency, frequency_window, adf_display_cb, window_failures),
        needle(1320, {275, 43}, {21, 21}, image_dib, 0, fine_knob_table, adf_fine_knob_cb),
        needle(1310, {178, 146}, {32, 32}, image_dib, 0, band_knob_table, adf_band_knob_cb),
        icon(1350, {48, 174}, image_plain, 2, token::adf_audio, radio_pieces::audio_switch_icon_cb<adf>),
        icon(1340, {169, 229}, image_plain_bright, 1, 0, radio_pieces::power_lamp_cb<adf>, lamp_failures),
        icon(1330, {243, 177}, image_plain, 2, 0, radio_pieces::main_switch_audio_icon_cb<adf>),
    };

TooltipArgument adf_arguments[] = {
    numeric_argument(adf_frequency_tooltip_cb),
    text_argument(adf_audio_text),
    text_argument(radio_pieces::power_text<adf>),
};

constinit MouseRect adf_rects[] = {
    whole_gauge(),
    parent({0, 0, 350, 170}),
    tooltip("Navigation Radio ADF - %1!07.2f! MHz", adf_arguments),
    end_parent(),
    parent({48, 174, 64, 64}),
    tooltip("Tone switch (%2!s!)", adf_arguments),
    end_parent(),
    parent({243, 177, 64, 64}),
    tooltip("ADF main switch (%3!s!)", adf_arguments),
    end_parent(),
    click_area({243, 177, 64, 64}, cursor_hand, mouse_left_click, radio_pieces::main_switch_fn<adf>),
    click_area({48, 174, 64, 64}, cursor_hand, mouse_left_click, radio_pieces::audio_switch_fn<adf>),
    click_area({146, 114, 30, 60}, cursor_down_arrow, mouse_left_click | mouse_repeat, adf_band_down_fn),
    click_area({178, 114, 30, 60}, cursor_up_arrow, mouse_left_click | mouse_repeat, adf_band_up_fn),
    click_area({245, 13, 30, 60}, cursor_down_arrow, mouse_right_click | mouse_left_click | mouse_repeat,
               adf_tune_down_fn),
    click_area({275, 13, 30, 60}, cursor_up_arrow, mouse_right_click | mouse_left_click | mouse_repeat,
               adf_tune_up_fn),
    click_area({78, 0, 49, 49}, cursor_hand, mouse_left_click | mouse_repeat, radio_pieces::display_button_fn<adf>),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader radio_adf_gauge = gauge_header("Radio_ADF", 100, adf_elements.list, adf_rects, adf_gauge_cb);
