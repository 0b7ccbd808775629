#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> cabin_altitude_elements{
    &cabin_altitude_gauge,
    static_image(2280, {0, 0}, 0x4003),
};

constinit MouseRect cabin_altitude_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader cabin_altitude_gauge = gauge_header("Cabin_Altitude", 100, cabin_altitude_elements.list, cabin_altitude_rects);
