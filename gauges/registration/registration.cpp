#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> registration_elements{
    &registration_gauge,
    static_image(50, {0, 0}, 0x3),
};

constinit MouseRect registration_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader registration_gauge = gauge_header("Registration", 150, registration_elements.list, registration_rects);
