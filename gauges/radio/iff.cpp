#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> radio_iff_elements{
    &radio_iff_gauge,
    static_image(1400, {0, 0}, 0x3),
};

constinit MouseRect radio_iff_rects[] = {
    whole_gauge(0xA70A),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader radio_iff_gauge = gauge_header("Radio_IFF", 100, radio_iff_elements.list, radio_iff_rects);
