// The vertical speed indicator: an imperial dial in thousands of ft/min and
// a metric face in m/s over it, each with a needle of its own; the unit
// switch decides which needle and face show.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/units.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

// A ft/min reading in the simulator's 1/256 m/s.
constexpr double ft_per_min(double reading) { return reading / 3.28084 / 60.0 * 256.0; }

double KORVEL_CALL vsi_metric_face_cb(ElementHeader*) { return metric_face_icon(); }

double KORVEL_CALL vsi_metric_needle_cb(ElementHeader* element) {
    show_element(element->image_flags, imperial_units == 0);
    return reinterpret_cast<NeedleElement*>(element)->source.var.value;
}

double KORVEL_CALL vsi_imperial_needle_cb(ElementHeader* element) {
    show_element(element->image_flags, imperial_units != 0);
    return reinterpret_cast<NeedleElement*>(element)->source.var.value;
}

// clang-format off
FailureRecord needle_failures[] = {{failure::vertical_speed, failure_action::freeze}, {failure::pitot_static, failure_action::rest}, {}};

// Pegged beyond 80 m/s either way.
NonlinearityEntry metric_table[] = {
    {261, 191, -21760},  // -85 m/s
    {261, 191, -20480},  // -80
    {192, 266, -7680},   // -30
    {151, 268, -5120},   // -20
    {33, 150, 0},
    {151, 32, 5120},     // 20
    {192, 36, 7680},     // 30
    {261, 110, 20480},   // 80
    {261, 110, 21760},   // 85
};

// Pegged beyond 8000 ft/min either way.
NonlinearityEntry imperial_table[] = {
    {261, 170, ft_per_min(-8500)},
    {261, 170, ft_per_min(-8000)},
    {187, 251, ft_per_min(-4000)},
    {151, 265, ft_per_min(-3000)},
    {105, 260, ft_per_min(-2000)},
    {60, 221, ft_per_min(-1000)},
    {38, 194, ft_per_min(-500)},
    {30, 151, ft_per_min(0)},
    {38, 108, ft_per_min(500)},
    {57, 78, ft_per_min(1000)},
    {105, 43, ft_per_min(2000)},
    {151, 37, ft_per_min(3000)},
    {189, 45, ft_per_min(4000)},
    {267, 130, ft_per_min(8000)},
    {267, 130, ft_per_min(8500)},
};

constinit ElementChain<StaticImageElement, IconElement, NeedleElement, NeedleElement, StaticImageElement>
    vertical_speed_elements{
        &vertical_speed_gauge,
        static_image(460, {0, 0}, image_lit),
        icon(470, {0, 0}, image_lit, 1, 0, vsi_metric_face_cb),
        needle(480, {151, 151}, {7, 7}, image_lit_dib, token::vertical_speed_256th_mps, metric_table, vsi_metric_needle_cb,
               needle_failures),
        needle(480, {151, 151}, {7, 7}, image_lit_dib, token::vertical_speed_256th_mps, imperial_table, vsi_imperial_needle_cb,
               needle_failures),
        static_image(490, {0, 0}, image_plain),
    };

constinit MouseRect vertical_speed_rects[] = {
    whole_gauge(),
    host_tooltip(help::vertical_speed),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader vertical_speed_gauge =
    gauge_header("Vertical_Speed", 100, vertical_speed_elements.list, vertical_speed_rects);
