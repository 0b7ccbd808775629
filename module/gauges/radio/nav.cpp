// The NAV receivers: Radio_NAV and Radio_NAV1 are two faces of NAV1 that
// share every flag and value, Radio_NAV2 is NAV2. One description serves the
// three; the table of differences closes it.
#include <cmath>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/radio/radio_pieces.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

struct NavReceiver {
    double whole_mhz = 0.0;
    double fraction = 0.0;  // hundredths of MHz
};

NavReceiver nav1_receiver;
NavReceiver nav2_receiver;

SoundSlot nav_sound{};
SoundSlot nav1_sound{};
SoundSlot nav2_sound{};

// clang-format off
FailureRecord nav1_failures[] = {{failure::avionics, failure_action::no_draw}, {failure::nav1, failure_action::none}, {}};
FailureRecord nav2_failures[] = {{failure::avionics, failure_action::no_draw}, {failure::nav2, failure_action::none}, {}};
// clang-format on

struct NavFaceDifferences {
    const char* name;
    std::int32_t background;
    const RadioBinding* radio;
    NavReceiver* receiver;
    std::uint32_t frequency_token;
    std::uint32_t whole_down;
    std::uint32_t whole_up;
    std::uint32_t fraction_down;
    std::uint32_t fraction_up;
    // clang-format off
    FailureRecord* failures;
    // clang-format on
    const char* frequency_tip;
    const char* main_switch_tip;
};

// Each face's binding is an object of its own, so that templates can be bound to it.
// clang-format off
constexpr RadioBinding radio_nav_binding = {&radio_panel.nav1_power, &radio_panel.nav1_ident, event::nav1_audio_off, event::nav1_audio_on, &nav_sound, nullptr};
constexpr RadioBinding radio_nav1_binding = {&radio_panel.nav1_power, &radio_panel.nav1_ident, event::nav1_audio_off, event::nav1_audio_on, &nav1_sound, nullptr};
constexpr RadioBinding radio_nav2_binding = {&radio_panel.nav2_power, &radio_panel.nav2_ident, event::nav2_audio_off, event::nav2_audio_on, &nav2_sound, nullptr};
// clang-format on

// clang-format off
constexpr NavFaceDifferences radio_nav = {
    "Radio_NAV", 1200,
    &radio_nav_binding,
    &nav1_receiver, token::nav1_frequency,
    event::nav1_whole_down, event::nav1_whole_up, event::nav1_fraction_down, event::nav1_fraction_up,
    nav1_failures, "Navigation Radio NAV1 - %1!07.3f! MHz", "NAV1 main switch (%3!s!)"};
// clang-format on

// clang-format off
constexpr NavFaceDifferences radio_nav1 = {
    "Radio_NAV1", 1290,
    &radio_nav1_binding,
    &nav1_receiver, token::nav1_frequency,
    event::nav1_whole_down, event::nav1_whole_up, event::nav1_fraction_down, event::nav1_fraction_up,
    nav1_failures, "Navigation Radio NAV1 - %1!07.3f! MHz", "NAV1 main switch (%3!s!)"};
// clang-format on

// clang-format off
constexpr NavFaceDifferences radio_nav2 = {
    "Radio_NAV2", 1300,
    &radio_nav2_binding,
    &nav2_receiver, token::nav2_frequency,
    event::nav2_whole_down, event::nav2_whole_up, event::nav2_fraction_down, event::nav2_fraction_up,
    nav2_failures, "Navigation Radio NAV2 - %1!07.3f! MHz", "NAV2 main switch (%3!s!)"};
// clang-format on

constexpr double lowest_whole = 108.0;
constexpr double highest_whole = 117.0;

double last_digit(double v) { return v - 10.0 * std::floor(v / 10.0); }

template <GaugeHeader& gauge, const NavFaceDifferences& face>
struct NavFace {
    static constexpr const RadioBinding& radio = *face.radio;
    static NavReceiver& receiver() { return *face.receiver; }

    // The drums read the stored whole and fraction, not the simulator.
    template <double (*digit)(const NavReceiver&)>
    static double KORVEL_CALL drum_cb(ElementHeader* element) {
        light_drum(element, radio);
        return digit(receiver());
    }
    static double hundredths(const NavReceiver& r) { return last_digit(r.fraction); }
    static double tenths(const NavReceiver& r) { return std::floor(r.fraction / 10.0); }
    static double units(const NavReceiver& r) { return last_digit(r.whole_mhz); }
    static double tens(const NavReceiver& r) {
        return std::floor((r.whole_mhz - 100.0 * std::floor(r.whole_mhz / 100.0)) / 10.0);
    }
    static double fixed_hundreds(const NavReceiver&) { return 0.0; }

    static double KORVEL_CALL fraction_knob_cb(ElementHeader*) { return receiver().fraction; }
    static double KORVEL_CALL whole_knob_cb(ElementHeader*) { return receiver().whole_mhz; }

    // The knobs read the word at the moment of the click and keep what they
    // read, whether or not the radio has power; past .95 and below .00 the
    // simulator decides.
    static std::int32_t KORVEL_CALL whole_up_fn(ClickRecord*, std::uint32_t) {
        receiver().whole_mhz = decode_nav_whole(face.frequency_token);
        if (receiver().whole_mhz < highest_whole && *radio.power != 0) trigger_key_event(face.whole_up, 0);
        return 0;
    }
    static std::int32_t KORVEL_CALL whole_down_fn(ClickRecord*, std::uint32_t) {
        receiver().whole_mhz = decode_nav_whole(face.frequency_token);
        if (receiver().whole_mhz > lowest_whole && *radio.power != 0) trigger_key_event(face.whole_down, 0);
        return 0;
    }
    static std::int32_t KORVEL_CALL fraction_up_fn(ClickRecord*, std::uint32_t) {
        receiver().fraction = decode_nav_fraction(face.frequency_token);
        if (*radio.power != 0) trigger_key_event(face.fraction_up, 0);
        return 0;
    }
    static std::int32_t KORVEL_CALL fraction_down_fn(ClickRecord*, std::uint32_t) {
        receiver().fraction = decode_nav_fraction(face.frequency_token);
        if (*radio.power != 0) trigger_key_event(face.fraction_down, 0);
        return 0;
    }

    // Switching off with the audio on silences the simulator's ident first.
    static std::int32_t KORVEL_CALL main_switch_fn(ClickRecord*, std::uint32_t) {
        if (*radio.power != 0) trigger_key_event(radio.audio_off, 0);
        *radio.power = toggled(*radio.power);
        sound_click(*radio.sound);
        return 0;
    }

    static double KORVEL_CALL frequency_tooltip_cb(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
        return receiver().whole_mhz + receiver().fraction / 100.0;
    }

    static void KORVEL_CALL gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra extra) {
        if (service == service_install) trigger_key_event(radio.audio_off, 0);
        if (service == service_update) {
            receiver().whole_mhz = decode_nav_whole(face.frequency_token);
            receiver().fraction = decode_nav_fraction(face.frequency_token);
        }
        sound_slot_service(*radio.sound, service, extra, wave_switch_click);
    }

    // The knob tables' points lie in the whole knob's column for both knobs.
    // clang-format off
    static inline NonlinearityEntry fraction_table[] = {{61, -17, 0}, {61, 83, 50}};
    static inline NonlinearityEntry whole_table[] = {{61, -17, 108}, {61, 83, 112}};

    static inline constinit ElementChain<StaticImageElement, MovingImageElement, MovingImageElement,
                                         MovingImageElement, MovingImageElement, IconElement, NeedleElement,
                                         NeedleElement, IconElement, IconElement, IconElement>
        elements{
            &gauge,
            static_image(face.background, {0, 0}, image_plain),
            moving_image(1220, {208, 49}, image_dib, {}, {0, 0.0, 10.0, drum_cb<hundredths>}, face.failures),
            moving_image(1220, {195, 49}, image_dib, {}, {0, 0.0, 10.0, drum_cb<tenths>}, face.failures),
            moving_image(1220, {167, 49}, image_dib, {}, {0, 0.0, 10.0, drum_cb<units>}, face.failures),
            moving_image(1230, {154, 49}, image_dib, {}, {0, 0.0, 1.0, drum_cb<tens>}, face.failures),
            icon(1240, {141, 49}, image_dib, 1, 0, drum_cb<fixed_hundreds>, face.failures, 0.0),
            needle(1210, {303, 33}, {25, 25}, image_dib, 0, fraction_table, fraction_knob_cb),
            needle(1210, {61, 33}, {25, 25}, image_dib, 0, whole_table, whole_knob_cb),
            icon(1260, {228, 76}, image_plain, 2, 0, radio_pieces::audio_switch_icon_cb<radio>, face.failures),
            icon(1250, {97, 76}, image_plain, 2, 0, radio_pieces::main_switch_audio_icon_cb<radio>),
            icon(1270, {148, 99}, image_plain_bright, 1, 0, radio_pieces::power_lamp_cb<radio>, face.failures),
        };

    static inline TooltipArgument arguments[] = {
        numeric_argument(frequency_tooltip_cb),
        text_argument(radio_pieces::audio_text<radio>),
        text_argument(radio_pieces::power_text<radio>),
    };

    static inline constinit MouseRect rects[] = {
        whole_gauge(),
        parent({0, 0, 350, 76}),
        tooltip(face.frequency_tip, arguments),
        end_parent(),
        parent({228, 76, 36, 52}),
        tooltip("Tone switch (%2!s!)", arguments),
        end_parent(),
        parent({97, 76, 36, 52}),
        tooltip(face.main_switch_tip, arguments),
        end_parent(),
        click_area({36, 8, 25, 50}, cursor_down_arrow, mouse_left_click | mouse_repeat, whole_down_fn),
        click_area({61, 8, 25, 50}, cursor_up_arrow, mouse_left_click | mouse_repeat, whole_up_fn),
        click_area({278, 8, 25, 50}, cursor_down_arrow, mouse_left_click | mouse_repeat, fraction_down_fn),
        click_area({303, 8, 25, 50}, cursor_up_arrow, mouse_left_click | mouse_repeat, fraction_up_fn),
        click_area({97, 76, 36, 52}, cursor_hand, mouse_left_click, main_switch_fn),
        click_area({228, 76, 36, 52}, cursor_hand, mouse_left_click, radio_pieces::audio_switch_fn<radio>),
        end_parent(),
        end_of_rects(),
    };
    // clang-format on

    static constexpr GaugeHeader header() { return gauge_header(face.name, 100, elements.list, rects, gauge_cb); }
};

}  // namespace

constinit GaugeHeader radio_nav_gauge = NavFace<radio_nav_gauge, radio_nav>::header();
constinit GaugeHeader radio_nav1_gauge = NavFace<radio_nav1_gauge, radio_nav1>::header();
constinit GaugeHeader radio_nav2_gauge = NavFace<radio_nav2_gauge, radio_nav2>::header();
