#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> fuel_quantity_center_elements{
    &fuel_quantity_center_gauge,
    static_image(3020, {0, 0}, 0x4003),
};

constinit MouseRect fuel_quantity_center_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> fuel_quantity_main_left_elements{
    &fuel_quantity_main_left_gauge,
    static_image(3030, {0, 0}, 0x4003),
};

constinit MouseRect fuel_quantity_main_left_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> fuel_quantity_main_right_elements{
    &fuel_quantity_main_right_gauge,
    static_image(3030, {0, 0}, 0x4003),
};

constinit MouseRect fuel_quantity_main_right_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> fuel_quantity_aux_left_elements{
    &fuel_quantity_aux_left_gauge,
    static_image(3040, {0, 0}, 0x4003),
};

constinit MouseRect fuel_quantity_aux_left_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> fuel_quantity_aux_right_elements{
    &fuel_quantity_aux_right_gauge,
    static_image(3040, {0, 0}, 0x4003),
};

constinit MouseRect fuel_quantity_aux_right_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader fuel_quantity_center_gauge = gauge_header("Fuel_Quantity_Center", 100, fuel_quantity_center_elements.list, fuel_quantity_center_rects);
constinit GaugeHeader fuel_quantity_main_left_gauge = gauge_header("Fuel_Quantity_Main_Left", 100, fuel_quantity_main_left_elements.list, fuel_quantity_main_left_rects);
constinit GaugeHeader fuel_quantity_main_right_gauge = gauge_header("Fuel_Quantity_Main_Right", 100, fuel_quantity_main_right_elements.list, fuel_quantity_main_right_rects);
constinit GaugeHeader fuel_quantity_aux_left_gauge = gauge_header("Fuel_Quantity_Aux_Left", 100, fuel_quantity_aux_left_elements.list, fuel_quantity_aux_left_rects);
constinit GaugeHeader fuel_quantity_aux_right_gauge = gauge_header("Fuel_Quantity_Aux_Right", 100, fuel_quantity_aux_right_elements.list, fuel_quantity_aux_right_rects);
