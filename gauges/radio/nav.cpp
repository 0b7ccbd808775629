#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> radio_nav_elements{
    &radio_nav_gauge,
    static_image(1200, {0, 0}, 0x3),
};

constinit MouseRect radio_nav_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> radio_nav1_elements{
    &radio_nav1_gauge,
    static_image(1290, {0, 0}, 0x3),
};

constinit MouseRect radio_nav1_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> radio_nav2_elements{
    &radio_nav2_gauge,
    static_image(1300, {0, 0}, 0x3),
};

constinit MouseRect radio_nav2_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader radio_nav_gauge = gauge_header("Radio_NAV", 100, radio_nav_elements.list, radio_nav_rects);
constinit GaugeHeader radio_nav1_gauge = gauge_header("Radio_NAV1", 100, radio_nav1_elements.list, radio_nav1_rects);
constinit GaugeHeader radio_nav2_gauge = gauge_header("Radio_NAV2", 100, radio_nav2_elements.list, radio_nav2_rects);
