#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> accelerometer_elements{
    &accelerometer_gauge,
    static_image(2240, {0, 0}, 0x4003),
};

constinit MouseRect accelerometer_rects[] = {
    whole_gauge(0xA51C),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader accelerometer_gauge = gauge_header("Accelerometer", 100, accelerometer_elements.list, accelerometer_rects);
