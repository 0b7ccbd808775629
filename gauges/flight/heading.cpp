#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> directional_gyro_elements{
    &directional_gyro_gauge,
    static_image(290, {0, 0}, 0x3),
};

constinit MouseRect directional_gyro_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> directional_gyro_small_elements{
    &directional_gyro_small_gauge,
    static_image(3050, {0, 0}, 0x3),
};

constinit MouseRect directional_gyro_small_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> whiskey_compass_elements{
    &whiskey_compass_gauge,
    static_image(2450, {0, 0}, 0x3),
};

constinit MouseRect whiskey_compass_rects[] = {
    whole_gauge(0xAB77),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader directional_gyro_gauge = gauge_header("Directional_Gyro", 120, directional_gyro_elements.list, directional_gyro_rects);
constinit GaugeHeader directional_gyro_small_gauge = gauge_header("Directional_Gyro_Small", 120, directional_gyro_small_elements.list, directional_gyro_small_rects);
constinit GaugeHeader whiskey_compass_gauge = gauge_header("Whiskey_Compass", 76, whiskey_compass_elements.list, whiskey_compass_rects);
