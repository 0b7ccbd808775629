#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> altimeter_elements{
    &altimeter_gauge,
    static_image(310, {0, 0}, 0x4003),
};

constinit MouseRect altimeter_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader altimeter_gauge = gauge_header("Altimeter", 100, altimeter_elements.list, altimeter_rects);
