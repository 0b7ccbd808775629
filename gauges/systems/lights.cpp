#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> gear_lights_elements{
    &gear_lights_gauge,
    static_image(1450, {0, 0}, 0x3),
};

constinit MouseRect gear_lights_rects[] = {
    whole_gauge(0xAB31),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> speed_brake_light_elements{
    &speed_brake_light_gauge,
    static_image(2180, {0, 0}, 0x3),
};

constinit MouseRect speed_brake_light_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> gear_warning_light_elements{
    &gear_warning_light_gauge,
    static_image(2190, {0, 0}, 0x3),
};

constinit MouseRect gear_warning_light_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> gear_forgotten_light_elements{
    &gear_forgotten_light_gauge,
    static_image(2190, {0, 0}, 0x3),
};

constinit MouseRect gear_forgotten_light_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> flaps_light_elements{
    &flaps_light_gauge,
    static_image(2200, {0, 0}, 0x3),
};

constinit MouseRect flaps_light_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> fire_light_elements{
    &fire_light_gauge,
    static_image(2220, {0, 0}, 0x3),
};

constinit MouseRect fire_light_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> low_oil_press_light_elements{
    &low_oil_press_light_gauge,
    static_image(2470, {0, 0}, 0x3),
};

constinit MouseRect low_oil_press_light_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> generator_light_elements{
    &generator_light_gauge,
    static_image(3090, {0, 0}, 0x3),
};

constinit MouseRect generator_light_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> pitot_heat_light_elements{
    &pitot_heat_light_gauge,
    static_image(3150, {0, 0}, 0x3),
};

constinit MouseRect pitot_heat_light_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader gear_lights_gauge = gauge_header("Gear_Lights", 40, gear_lights_elements.list, gear_lights_rects);
constinit GaugeHeader speed_brake_light_gauge = gauge_header("Speed_Brake_Light", 40, speed_brake_light_elements.list, speed_brake_light_rects);
constinit GaugeHeader gear_warning_light_gauge = gauge_header("Gear_Warning_Light", 41, gear_warning_light_elements.list, gear_warning_light_rects);
constinit GaugeHeader gear_forgotten_light_gauge = gauge_header("Gear_Forgotten_Light", 41, gear_forgotten_light_elements.list, gear_forgotten_light_rects);
constinit GaugeHeader flaps_light_gauge = gauge_header("Flaps_Light", 30, flaps_light_elements.list, flaps_light_rects);
constinit GaugeHeader fire_light_gauge = gauge_header("Fire_Light", 40, fire_light_elements.list, fire_light_rects);
constinit GaugeHeader low_oil_press_light_gauge = gauge_header("Low_Oil_Press_Light", 30, low_oil_press_light_elements.list, low_oil_press_light_rects);
constinit GaugeHeader generator_light_gauge = gauge_header("Generator_Light", 30, generator_light_elements.list, generator_light_rects);
constinit GaugeHeader pitot_heat_light_gauge = gauge_header("Pitot_Heat_Light", 30, pitot_heat_light_elements.list, pitot_heat_light_rects);
