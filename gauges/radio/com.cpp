#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> radio_com_elements{
    &radio_com_gauge,
    static_image(1120, {0, 0}, 0x3),
};

constinit MouseRect radio_com_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader radio_com_gauge = gauge_header("Radio_COM", 100, radio_com_elements.list, radio_com_rects);
