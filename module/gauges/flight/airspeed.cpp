// The airspeed indicator: a fine pointer turning once per 100 knots on the
// outer 0-9 scale of tens of knots, and a main pointer on the inner 0-600
// knot arc, pegged from 600 knots. Both are pure tables.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

// clang-format off
FailureRecord pointer_failures[] = {{failure::airspeed, failure_action::rest}, {failure::pitot_static, failure_action::rest}, {}};

NonlinearityEntry fine_pointer_table[] = {
    {150, 40, 0},
    {150, 260, 50},
};

NonlinearityEntry main_pointer_table[] = {
    {150, 80, 0},
    {150, 220, 500},
    {106, 211, 600},
    {106, 211, 800},
};

constinit ElementChain<StaticImageElement, NeedleElement, NeedleElement, StaticImageElement> airspeed_elements{
    &airspeed_gauge,
    static_image(400, {0, 0}, image_lit),
    needle(410, {150, 150}, {13, 8}, image_lit_dib, token::indicated_airspeed_knots, fine_pointer_table, nullptr, pointer_failures),
    needle(420, {150, 150}, {24, 15}, image_lit_dib, token::indicated_airspeed_knots, main_pointer_table, nullptr, pointer_failures),
    static_image(430, {0, 0}, image_plain),
};

constinit MouseRect airspeed_rects[] = {
    whole_gauge(),
    host_tooltip(help::airspeed),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader airspeed_gauge = gauge_header("Airspeed", 100, airspeed_elements.list, airspeed_rects);
