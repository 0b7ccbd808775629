#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> flaps_indicator_elements{
    &flaps_indicator_gauge,
    static_image(2340, {0, 0}, 0x4003),
};

constinit MouseRect flaps_indicator_rects[] = {
    whole_gauge(0xAB24),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader flaps_indicator_gauge = gauge_header("Flaps_Indicator", 100, flaps_indicator_elements.list, flaps_indicator_rects);
