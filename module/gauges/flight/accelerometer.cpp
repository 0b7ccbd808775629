// The accelerometer: a load factor needle and two memory needles that hold
// the lowest and highest load factor since the last reset. The memories
// start at 0 g when the module loads.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

// In the simulator's units of 1/624 g.
double accel_min_g = 0.0;
double accel_max_g = 0.0;

double KORVEL_CALL accel_min_cb(ElementHeader* element) {
    const double load = reinterpret_cast<NeedleElement*>(element)->source.var.value;
    if (load < accel_min_g) accel_min_g = load;
    return accel_min_g;
}

double KORVEL_CALL accel_max_cb(ElementHeader* element) {
    const double load = reinterpret_cast<NeedleElement*>(element)->source.var.value;
    if (load > accel_max_g) accel_max_g = load;
    return accel_max_g;
}

std::int32_t KORVEL_CALL accel_reset_mouse_fn(ClickRecord*, std::uint32_t) {
    const double load = lookup_var(token::load_factor_624th_g);
    accel_max_g = load;
    accel_min_g = load;
    return 0;
}

// clang-format off
FailureRecord needle_failures[] = {{failure::engine, failure_action::none}, {failure::electrical_panel, failure_action::rest}, {}};

// -4 to 10 g: pegged at the bottom below -5 g and at the right above 10 g.
NonlinearityEntry load_table[] = {
    {201, 201, -6240},  // -10 g
    {201, 201, -3120},  // -5 g
    {44, 167, 0},
    {223, 169, 6240},   // 10 g
    {223, 169, 12480},  // 20 g
};

constinit ElementChain<StaticImageElement, NeedleElement, NeedleElement, NeedleElement, StaticImageElement>
    accelerometer_elements{
        &accelerometer_gauge,
        static_image(2240, {0, 0}, image_lit),
        needle(2250, {131, 131}, {42, 15}, image_lit_dib, token::load_factor_624th_g, load_table, nullptr, needle_failures),
        needle(2260, {131, 131}, {43, 15}, image_lit_dib, token::load_factor_624th_g, load_table, accel_min_cb, needle_failures),
        needle(2260, {131, 131}, {43, 15}, image_lit_dib, token::load_factor_624th_g, load_table, accel_max_cb, needle_failures),
        static_image(2270, {0, 0}, image_plain),
    };

constinit MouseRect accelerometer_rects[] = {
    whole_gauge(help::accelerometer),
    parent({2, 210, 50, 50}),
    click_area({0, 0, 50, 50}, cursor_hand, mouse_left_click | mouse_repeat, accel_reset_mouse_fn),
    end_parent(),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader accelerometer_gauge =
    gauge_header("Accelerometer", 100, accelerometer_elements.list, accelerometer_rects);
