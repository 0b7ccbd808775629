#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> shut_down_elements{
    &shut_down_gauge,
    static_image(40, {0, 0}, 0x3),
};

constinit MouseRect shut_down_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> engine_on_elements{
    &engine_on_gauge,
    static_image(40, {0, 0}, 0x3),
};

constinit MouseRect engine_on_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader shut_down_gauge = gauge_header("Shut_Down", 30, shut_down_elements.list, shut_down_rects);
constinit GaugeHeader engine_on_gauge = gauge_header("Engine_On", 30, engine_on_elements.list, engine_on_rects);
