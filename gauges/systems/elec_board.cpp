#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> elec_board_elements{
    &elec_board_gauge,
    static_image(3130, {0, 0}, 0x3),
};

constinit MouseRect elec_board_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader elec_board_gauge = gauge_header("Elec_Board", 30, elec_board_elements.list, elec_board_rects);
