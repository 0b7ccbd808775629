#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> throttle_quadrant_elements{
    &throttle_quadrant_gauge,
    static_image(3110, {0, 0}, 0x3),
};

constinit MouseRect throttle_quadrant_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader throttle_quadrant_gauge = gauge_header("Throttle_Quadrant", 150, throttle_quadrant_elements.list, throttle_quadrant_rects);
