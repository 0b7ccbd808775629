#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> radio_adf_elements{
    &radio_adf_gauge,
    static_image(1390, {0, 0}, 0x3),
};

constinit MouseRect radio_adf_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader radio_adf_gauge = gauge_header("Radio_ADF", 100, radio_adf_elements.list, radio_adf_rects);
