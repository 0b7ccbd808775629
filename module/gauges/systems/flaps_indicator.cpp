// The flaps indicator: a smoothed needle on a face lettered in English or in
// French as the unit switch says.
#include <cmath>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/units.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

// The flap value the needle showed at its last update.
double flaps_needle_shown = 0.0;

// The French face (LEVE, BAISSE) is drawn over the English one while the
// metric units are chosen.
double KORVEL_CALL flaps_face_cb(ElementHeader*) { return metric_face_icon(); }

// The needle closes an eighth of the distance to the flaps at each update.
// A value that is not a number (or infinite) from the simulator is passed
// over, so that one bad reading does not hold the needle for good.
double KORVEL_CALL flaps_needle_cb(ElementHeader* element) {
    const double flaps = reinterpret_cast<NeedleElement*>(element)->source.var.value;
    const double shown = flaps * 0.125 + flaps_needle_shown * 0.875;
    if (std::isfinite(shown)) flaps_needle_shown = shown;
    return flaps_needle_shown;
}

// clang-format off
FailureRecord needle_failures[] = {{failure::electrical_panel, failure_action::none}, {}};

// Up at 0 and down at 16380, swinging through the left half of the dial.
NonlinearityEntry flaps_table[] = {
    {90, 158, 16380},
    {90, 26, 0},
};

constinit ElementChain<StaticImageElement, IconElement, NeedleElement, StaticImageElement> flaps_indicator_elements{
    &flaps_indicator_gauge,
    static_image(2340, {0, 0}, image_lit),
    icon(2350, {0, 0}, image_lit_dib, 1, 0, flaps_face_cb),
    needle(2360, {90, 90}, {35, 9}, image_lit_dib, token::flaps_position, flaps_table, flaps_needle_cb, needle_failures),
    static_image(2370, {0, 0}, image_plain),
};

constinit MouseRect flaps_indicator_rects[] = {
    whole_gauge(help::flaps_indicator),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader flaps_indicator_gauge =
    gauge_header("Flaps_Indicator", 100, flaps_indicator_elements.list, flaps_indicator_rects);
