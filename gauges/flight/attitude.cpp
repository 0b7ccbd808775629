#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> attitude_elements{
    &attitude_gauge,
    static_image(2000, {0, 0}, 0x4003),
};

constinit MouseRect attitude_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader attitude_gauge = gauge_header("Attitude", 100, attitude_elements.list, attitude_rects);
