// The warning and status lights. Each draws its lit image over the unlit one
// when its callback says so; five of them have a press-to-test area that
// lights them for a fixed number of updates whatever the simulator says. The
// gear lights blink, timed from the simulator's running clock.
#include <cmath>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

struct LightTestState {
    std::int32_t active = 0;
    std::int32_t remaining = 0;
};

LightTestState fire_test, flaps_test, gear_warning_test, gear_forgotten_test, speed_brake_test;

double pitot_heat_value = 0.0;  // as the pitot heat icon last saw it

constexpr std::int32_t test_updates = 27;
constexpr double no_image = -1.0;

constexpr double leg_down = 16300.0;    // above: down and locked
constexpr double leg_up = 50.0;         // below: up
constexpr double leg_still_up = 100.0;  // below: a leg the pilot forgot
constexpr double gear_all_down = 16000.0;

// A press (and every repeat while the button stays down) starts the test over.
template <LightTestState& test>
std::int32_t KORVEL_CALL light_test_fn(ClickRecord*, std::uint32_t) {
    test.remaining = test_updates;
    test.active = 1;
    return 0;
}

// The test image shows on the next 27 calls of the light's callback, counted
// only while the light is drawn.
bool testing(LightTestState& test) {
    if (test.active == 0) return false;
    if (--test.remaining <= 0) test.active = 0;
    return true;
}

double source_of(ElementHeader* element) { return reinterpret_cast<IconElement*>(element)->source.var.value; }

bool blink_on(double clock, double period) { return std::fmod(clock, period) > period / 2.0; }

double KORVEL_CALL fire_light_cb(ElementHeader* element) {
    if (testing(fire_test)) return 0.0;
    return source_of(element) > 0.0 ? 0.0 : no_image;
}

double KORVEL_CALL flaps_light_cb(ElementHeader* element) {
    if (testing(flaps_test)) return 1.0;
    const double flaps = source_of(element);
    if (flaps > 16000.0) return 2.0;
    if (flaps > 8000.0) return 1.0;
    if (flaps > 4700.0) return 0.0;
    return no_image;
}

// What both gear lights look at, read on every call whether or not a test runs.
struct GearSituation {
    double airspeed, regime, nose, left, right, clock;
};

GearSituation read_gear() {
    GearSituation g;
    g.airspeed = lookup_var(token::indicated_airspeed_knots);
    g.regime = lookup_var(token::engine_regime);
    g.nose = lookup_var(token::nose_gear);
    g.left = lookup_var(token::left_gear);
    g.right = lookup_var(token::right_gear);
    g.clock = lookup_var(token::running_clock_seconds);
    return g;
}

// Slow, power reduced and a leg still up.
bool gear_forgotten(double lever, const GearSituation& g) {
    return lever < 61.0 && g.airspeed < 150.0 && g.regime < 90.0 &&
           (g.nose < leg_still_up || g.left < leg_still_up || g.right < leg_still_up);
}

constexpr double warning_period = 0.5;

double KORVEL_CALL gear_forgotten_cb(ElementHeader* element) {
    const GearSituation g = read_gear();
    if (testing(gear_forgotten_test)) return 1.0;
    if (gear_forgotten(source_of(element), g)) return blink_on(g.clock, warning_period) ? 2.0 : no_image;
    return no_image;
}

// Steady green with the gear down and locked, blinking red when forgotten.
double KORVEL_CALL gear_warning_cb(ElementHeader* element) {
    const GearSituation g = read_gear();
    if (testing(gear_warning_test)) return 1.0;
    if (gear_forgotten(source_of(element), g)) return blink_on(g.clock, warning_period) ? 2.0 : no_image;
    if (g.nose >= gear_all_down && g.left >= gear_all_down && g.right >= gear_all_down) return 1.0;
    return no_image;
}

// Image 0 is the unlit lens: the light never shows no image.
double KORVEL_CALL speed_brake_light_cb(ElementHeader* element) {
    if (testing(speed_brake_test)) return 1.0;
    return source_of(element) > 8000.0 ? 1.0 : 0.0;
}

double KORVEL_CALL low_oil_light_cb(ElementHeader* element) { return source_of(element) < 2880.0 ? 0.0 : no_image; }

double KORVEL_CALL generator_light_cb(ElementHeader*) {
    const double load = lookup_var(token::generator_load);
    const double voltage = lookup_var(token::generator_bus_voltage);
    return load < 10.0 && voltage > 20.0 ? 0.0 : no_image;
}

double KORVEL_CALL pitot_heat_light_cb(ElementHeader* element) {
    pitot_heat_value = source_of(element);
    return pitot_heat_value > 0.0 ? 1.0 : no_image;
}

// The tooltip reads what the light last saw, not the simulator.
const char* KORVEL_CALL pitot_heat_text(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return pitot_heat_value > 0.0 ? "on" : "off";
}

double KORVEL_CALL gear_leg_down_cb(ElementHeader* element) { return source_of(element) > leg_down ? 0.0 : no_image; }

// Each red dot blinks with a period of its own, so the three drift in and
// out of step; a leg that is down or up shows none. The period is given in
// hundredths of a second.
template <int period_hundredths>
double KORVEL_CALL gear_leg_transit_cb(ElementHeader* element) {
    constexpr double period = period_hundredths / 100.0;
    double shown = blink_on(lookup_var(token::running_clock_seconds), period) ? 0.0 : no_image;
    const double leg = source_of(element);
    if (leg > leg_down) shown = no_image;
    if (leg < leg_up) shown = no_image;
    return shown;
}

// clang-format off
FailureRecord panel_failures_2[] = {{failure::electrical_panel, failure_action::rest}, {}};
FailureRecord panel_failures_0[] = {{failure::electrical_panel, failure_action::none}, {}};
FailureRecord generator_failures[] = {{failure::avionics, failure_action::no_draw}, {}};
FailureRecord gear_failures[] = {{failure::electrical_panel, failure_action::no_draw}, {}};
// clang-format on

constexpr std::uint32_t test_events = mouse_left_click | mouse_repeat;

// -- Fire, flaps, gear warning, gear forgotten and speed brake: tested lights.

// clang-format off
constinit ElementChain<StaticImageElement, IconElement> fire_light_elements{
    &fire_light_gauge, static_image(2220, {0, 0}, image_plain),
    icon(2230, {0, 0}, image_plain_bright, 1, token::fire_detected, fire_light_cb, panel_failures_2)};
constinit MouseRect fire_light_rects[] = {
    whole_gauge(), host_tooltip(help::fire_light),
    click_area({0, 0, 33, 29}, cursor_hand, test_events, light_test_fn<fire_test>), end_parent(), end_of_rects()};

constinit ElementChain<StaticImageElement, IconElement> flaps_light_elements{
    &flaps_light_gauge, static_image(2200, {0, 0}, image_plain),
    icon(2210, {0, 0}, image_plain_bright, 4, token::flaps_position, flaps_light_cb, panel_failures_0)};
constinit MouseRect flaps_light_rects[] = {
    whole_gauge(), tooltip("Flaps warning light"),
    click_area({0, 0, 40, 40}, cursor_hand, test_events, light_test_fn<flaps_test>), end_parent(), end_of_rects()};

constinit ElementChain<StaticImageElement, IconElement> gear_warning_light_elements{
    &gear_warning_light_gauge, static_image(2190, {0, 0}, image_plain),
    icon(2190, {0, 0}, image_plain_bright, 3, token::gear_warning_lever, gear_warning_cb, panel_failures_0)};
constinit MouseRect gear_warning_light_rects[] = {
    whole_gauge(), tooltip("Gear warning light"),
    click_area({0, 0, 41, 41}, cursor_hand, test_events, light_test_fn<gear_warning_test>), end_parent(),
    end_of_rects()};

constinit ElementChain<StaticImageElement, IconElement> gear_forgotten_light_elements{
    &gear_forgotten_light_gauge, static_image(2190, {0, 0}, image_plain),
    icon(2190, {0, 0}, image_plain_bright, 3, token::gear_warning_lever, gear_forgotten_cb, panel_failures_0)};
constinit MouseRect gear_forgotten_light_rects[] = {
    whole_gauge(), tooltip("Gear down forgotten light"),
    click_area({0, 0, 41, 41}, cursor_hand, test_events, light_test_fn<gear_forgotten_test>), end_parent(),
    end_of_rects()};

constinit ElementChain<StaticImageElement, IconElement> speed_brake_light_elements{
    &speed_brake_light_gauge, static_image(2180, {0, 0}, image_plain),
    icon(2180, {0, 0}, image_plain_bright, 2, token::speed_brake, speed_brake_light_cb, panel_failures_2)};
constinit MouseRect speed_brake_light_rects[] = {
    whole_gauge(), tooltip("Speed brake warning light"),
    click_area({0, 0, 40, 40}, cursor_hand, test_events, light_test_fn<speed_brake_test>), end_parent(),
    end_of_rects()};

// -- Generator, low oil pressure and pitot heat: no test area.

constinit ElementChain<StaticImageElement, IconElement> generator_light_elements{
    &generator_light_gauge, static_image(3090, {0, 0}, image_plain),
    icon(3100, {0, 0}, image_plain_bright, 1, token::generator, generator_light_cb, generator_failures)};
constinit MouseRect generator_light_rects[] = {whole_gauge(), tooltip("Generator off light"), end_parent(),
                                               end_of_rects()};

constinit ElementChain<StaticImageElement, IconElement> low_oil_press_light_elements{
    &low_oil_press_light_gauge, static_image(2470, {0, 0}, image_plain),
    icon(2480, {0, 0}, image_plain_bright, 1, token::oil_pressure, low_oil_light_cb, panel_failures_0)};
constinit MouseRect low_oil_press_light_rects[] = {whole_gauge(), host_tooltip(help::low_oil_pressure_light), end_parent(),
                                                   end_of_rects()};

constinit ElementChain<StaticImageElement, IconElement> pitot_heat_light_elements{
    &pitot_heat_light_gauge, static_image(3150, {0, 0}, image_plain),
    icon(3150, {0, 0}, image_plain, 2, token::pitot_heat, pitot_heat_light_cb)};
TooltipArgument pitot_heat_arguments[] = {text_argument(pitot_heat_text)};
constinit MouseRect pitot_heat_light_rects[] = {
    whole_gauge(), tooltip("Pitot heat light (Pitot heat %1!s!)", pitot_heat_arguments), end_parent(),
    end_of_rects()};

// -- The gear position indicator: three green bars and three red dots.

constinit ElementChain<StaticImageElement, IconElement, IconElement, IconElement, IconElement, IconElement,
                       IconElement>
    gear_lights_elements{
        &gear_lights_gauge,
        static_image(1450, {0, 0}, image_plain),
        icon(1480, {114, 60}, image_plain_bright, 1, token::right_gear, gear_leg_down_cb, gear_failures),
        icon(1470, {49, 118}, image_plain_bright, 1, token::nose_gear, gear_leg_down_cb, gear_failures),
        icon(1460, {20, 58}, image_plain_bright, 1, token::left_gear, gear_leg_down_cb, gear_failures),
        icon(1490, {104, 28}, image_plain_bright, 1, token::right_gear, gear_leg_transit_cb<52>, gear_failures),
        icon(1490, {71, 15}, image_plain_bright, 1, token::nose_gear, gear_leg_transit_cb<53>, gear_failures),
        icon(1490, {37, 27}, image_plain_bright, 1, token::left_gear, gear_leg_transit_cb<51>, gear_failures),
    };
constinit MouseRect gear_lights_rects[] = {whole_gauge(help::gear_lights), end_parent(), end_of_rects()};
// clang-format on

}  // namespace

constinit GaugeHeader fire_light_gauge = gauge_header("Fire_Light", 40, fire_light_elements.list, fire_light_rects);
constinit GaugeHeader flaps_light_gauge = gauge_header("Flaps_Light", 30, flaps_light_elements.list, flaps_light_rects);
constinit GaugeHeader gear_warning_light_gauge =
    gauge_header("Gear_Warning_Light", 41, gear_warning_light_elements.list, gear_warning_light_rects);
constinit GaugeHeader gear_forgotten_light_gauge =
    gauge_header("Gear_Forgotten_Light", 41, gear_forgotten_light_elements.list, gear_forgotten_light_rects);
constinit GaugeHeader speed_brake_light_gauge =
    gauge_header("Speed_Brake_Light", 40, speed_brake_light_elements.list, speed_brake_light_rects);
constinit GaugeHeader generator_light_gauge =
    gauge_header("Generator_Light", 30, generator_light_elements.list, generator_light_rects);
constinit GaugeHeader low_oil_press_light_gauge =
    gauge_header("Low_Oil_Press_Light", 30, low_oil_press_light_elements.list, low_oil_press_light_rects);
constinit GaugeHeader pitot_heat_light_gauge =
    gauge_header("Pitot_Heat_Light", 30, pitot_heat_light_elements.list, pitot_heat_light_rects);
constinit GaugeHeader gear_lights_gauge = gauge_header("Gear_Lights", 40, gear_lights_elements.list, gear_lights_rects);
