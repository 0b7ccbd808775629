#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> vertical_speed_elements{
    &vertical_speed_gauge,
    static_image(460, {0, 0}, 0x4003),
};

constinit MouseRect vertical_speed_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader vertical_speed_gauge = gauge_header("Vertical_Speed", 100, vertical_speed_elements.list, vertical_speed_rects);
