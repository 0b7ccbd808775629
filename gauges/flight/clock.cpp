#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> clock_elements{
    &clock_gauge,
    static_image(1070, {0, 0}, 0x4003),
};

constinit MouseRect clock_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader clock_gauge = gauge_header("Clock", 100, clock_elements.list, clock_rects);
