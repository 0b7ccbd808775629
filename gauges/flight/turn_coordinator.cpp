#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> turn_coordinator_elements{
    &turn_coordinator_gauge,
    static_image(1000, {0, 0}, 0x4003),
};

constinit MouseRect turn_coordinator_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader turn_coordinator_gauge = gauge_header("Turn_Coordinator", 100, turn_coordinator_elements.list, turn_coordinator_rects);
