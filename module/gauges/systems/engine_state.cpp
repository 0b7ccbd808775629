// Two invisible gauges. Engine_On switches every radio on and starts the
// engine's systems when its panel window opens, then keeps the system behind
// token 620 in step with token 625; Shut_Down switches every radio off when
// its window opens, provided the simulator's condition holds.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/radio/radio.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

constexpr std::uint32_t full_lever = 16383;
constexpr double regime_threshold = 50.0;

void set_radios(std::int32_t power) {
    radio_panel.adf_power = power;
    radio_panel.adf_tone = 0;
    trigger_key_event(event::adf_audio_off, 0);
    radio_panel.com_power = power;
    radio_panel.nav1_power = power;
    radio_panel.nav1_ident = 0;
    trigger_key_event(event::nav1_audio_off, 0);
    radio_panel.nav2_power = power;
    radio_panel.nav2_ident = 0;
    trigger_key_event(event::nav2_audio_off, 0);
    radio_panel.iff_power = power;
}

// The event switches the system over; it goes on every update until the
// simulator reports the new state.
void keep_system_in_step() {
    const double system = lookup_var(token::engine_on_system);
    const double regime = lookup_var(token::engine_regime);
    // Off while the engine runs, or on while it does not: switch it over.
    if ((system == 0.0 && regime >= regime_threshold) || (system == 1.0 && regime < regime_threshold))
        trigger_key_event(event::engine_on_switch, 0);
}

void KORVEL_CALL engine_on_gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra) {
    if (service == service_connect) {
        set_radios(1);
        if (lookup_var(token::engine_on_condition) == 0.0) trigger_key_event(event::engine_on_start, 0);
        trigger_key_event(event::engine_on_lever, full_lever);
    } else if (service == service_update) {
        keep_system_in_step();
    }
}

// A condition the simulator does not report as positive (NaN included)
// leaves the radios alone.
void KORVEL_CALL shut_down_gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra) {
    if (service != service_connect) return;
    if (!(lookup_var(token::shut_down_condition) > 0.0)) return;
    set_radios(0);
}

// clang-format off
constinit ElementChain<StaticImageElement> shut_down_elements{&shut_down_gauge, static_image(40, {0, 0}, image_plain)};
constinit MouseRect shut_down_rects[] = {whole_gauge(), end_parent(), end_of_rects()};

constinit ElementChain<StaticImageElement> engine_on_elements{&engine_on_gauge, static_image(40, {0, 0}, image_plain)};
constinit MouseRect engine_on_rects[] = {whole_gauge(), end_parent(), end_of_rects()};
// clang-format on

}  // namespace

constinit GaugeHeader shut_down_gauge =
    gauge_header("Shut_Down", 30, shut_down_elements.list, shut_down_rects, shut_down_gauge_cb);
constinit GaugeHeader engine_on_gauge =
    gauge_header("Engine_On", 30, engine_on_elements.list, engine_on_rects, engine_on_gauge_cb);
