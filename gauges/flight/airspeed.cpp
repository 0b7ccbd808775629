#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> airspeed_elements{
    &airspeed_gauge,
    static_image(400, {0, 0}, 0x4003),
};

constinit MouseRect airspeed_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader airspeed_gauge = gauge_header("Airspeed", 100, airspeed_elements.list, airspeed_rects);
