#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> rmi_switch_elements{
    &rmi_switch_gauge,
    static_image(3160, {0, 0}, 0x3),
};

constinit MouseRect rmi_switch_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader rmi_switch_gauge = gauge_header("RMI_Switch", 51, rmi_switch_elements.list, rmi_switch_rects);
