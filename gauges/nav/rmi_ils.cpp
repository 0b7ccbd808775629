#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

FailureRecord rmi_ils_indicator_1_dial_failures[] = {{14, 0}, {}};
constinit ElementChain<StaticImageElement> rmi_ils_indicator_1_elements{
    &rmi_ils_indicator_1_gauge,
    static_image(2170, {0, 0}, 0x4003, rmi_ils_indicator_1_dial_failures),
};

constinit MouseRect rmi_ils_indicator_1_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

FailureRecord rmi_ils_indicator_2_dial_failures[] = {{14, 0}, {}};
constinit ElementChain<StaticImageElement> rmi_ils_indicator_2_elements{
    &rmi_ils_indicator_2_gauge,
    static_image(2170, {0, 0}, 0x4003, rmi_ils_indicator_2_dial_failures),
};

constinit MouseRect rmi_ils_indicator_2_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader rmi_ils_indicator_1_gauge = gauge_header("RMI_ILS_Indicator_1", 100, rmi_ils_indicator_1_elements.list, rmi_ils_indicator_1_rects);
constinit GaugeHeader rmi_ils_indicator_2_gauge = gauge_header("RMI_ILS_Indicator_2", 100, rmi_ils_indicator_2_elements.list, rmi_ils_indicator_2_rects);
