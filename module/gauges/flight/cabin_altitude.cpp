// The cabin altimeter: the aircraft's altitude turned into a cabin altitude
// by the pressurization schedule, on an imperial dial with a metric face.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/units.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

constexpr std::uint32_t altitudes_in_metres = 2;
constexpr double metres_per_foot = 0.305;
constexpr double schedule_start = 10000.0;  // feet: the cabin follows the aircraft up to here
constexpr double schedule_end = 50000.0;    // and holds 20000 ft from here on
constexpr double highest_cabin = 20000.0;

// Pressurized, the cabin climbs a quarter as fast as the aircraft above
// 10000 ft; it never exceeds the aircraft's altitude nor 20000 ft, and
// negative altitudes pass through unchanged.
double KORVEL_CALL cabin_altitude_cb(ElementHeader* element) {
    const double unpressurized = lookup_var(token::cabin_unpressurized);
    const std::uint32_t units = lookup_var_word(token::unit_setting);
    double altitude = reinterpret_cast<NeedleElement*>(element)->source.var.value;
    if (units == altitudes_in_metres) altitude = altitude / metres_per_foot;
    if (unpressurized != 0.0) return altitude;
    if (altitude <= schedule_start) return altitude;
    if (altitude <= schedule_end) return schedule_start + (altitude - schedule_start) / 4.0;
    if (altitude > schedule_end) return highest_cabin;
    return altitude;
}

double KORVEL_CALL cabin_metric_face_cb(ElementHeader*) { return metric_face_icon(); }

// clang-format off
FailureRecord needle_failures[] = {{failure::pitot_static, failure_action::freeze}, {failure::altimeter, failure_action::freeze}, {}};

NonlinearityEntry cabin_table[] = {
    {100, 176, 0},
    {64, 164, 10000},
    {100, 26, 25000},
    {135, 161, 40000},
    {135, 161, 90000},
};

constinit ElementChain<StaticImageElement, IconElement, NeedleElement, StaticImageElement> cabin_altitude_elements{
    &cabin_altitude_gauge,
    static_image(2280, {0, 0}, image_lit),
    icon(2310, {0, 0}, image_lit_dib, 1, 0, cabin_metric_face_cb),
    with_rate_limit(needle(2290, {100, 100}, {32, 18}, image_lit_dib, token::indicated_altitude_feet, cabin_table,
                           cabin_altitude_cb, needle_failures),
                    100),
    static_image(2300, {0, 0}, image_plain),
};

constinit MouseRect cabin_altitude_rects[] = {
    whole_gauge(),
    tooltip("Pressurized cabin altitude"),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader cabin_altitude_gauge =
    gauge_header("Cabin_Altitude", 100, cabin_altitude_elements.list, cabin_altitude_rects);
