// The turn coordinator, with its ball, turn needle and metric face; it also
// carries the panel's unit switch.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/units.h"
#include "module/vocabulary.h"

std::int32_t imperial_units = 1;

namespace {

using namespace build;

double KORVEL_CALL tc_metric_face_cb(ElementHeader*) { return metric_face_icon(); }

// The ball rises as it moves off centre, following its curved tube.
double KORVEL_CALL tc_ball_rise_cb(ElementHeader* element) {
    const double deflection = reinterpret_cast<SliderElement*>(element)->y_source.var.value;
    return deflection * deflection;
}

double KORVEL_CALL tc_turn_rate_cb(ElementHeader* element) {
    return reinterpret_cast<NeedleElement*>(element)->source.var.value * 0.00390625;
}

std::int32_t KORVEL_CALL unit_switch_mouse_fn(ClickRecord*, std::uint32_t) {
    imperial_units = imperial_units == 0 ? 1 : 0;
    return 0;
}

// clang-format off
FailureRecord needle_failures[] = {{failure::turn_coordinator, failure_action::freeze}, {failure::electrical_panel, failure_action::rest}, {}};

// Standard-rate marks at +-4.5, pegged from there.
NonlinearityEntry turn_table[] = {
    {89, 48, -5},
    {89, 48, -4.5},
    {147, 48, 4.5},
    {147, 48, 5},
};

constinit ElementChain<StaticImageElement, IconElement, SliderElement, StaticImageElement, NeedleElement,
                       StaticImageElement>
    turn_coordinator_elements{
        &turn_coordinator_gauge,
        static_image(1000, {0, 0}, image_lit),
        icon(1020, {0, 0}, image_lit, 1, 0, tc_metric_face_cb),
        slider(1040, {104, 137}, image_lit_dib, {token::ball_deflection, 0.546875},
               {token::ball_deflection, -0.0006103515625, tc_ball_rise_cb}),
        static_image(1050, {99, 129}, image_plain),
        needle(1030, {118, 194}, {25, 15}, image_lit_dib, token::turn_rate_256ths, turn_table, tc_turn_rate_cb, needle_failures),
        static_image(1060, {0, 0}, image_plain),
    };

constinit MouseRect turn_coordinator_rects[] = {
    whole_gauge(),
    host_tooltip(help::turn_coordinator),
    click_area({90, 90, 60, 60}, cursor_hand, mouse_left_click, unit_switch_mouse_fn),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader turn_coordinator_gauge =
    gauge_header("Turn_Coordinator", 100, turn_coordinator_elements.list, turn_coordinator_rects);
