#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> turbine_temp_elements{
    &turbine_temp_gauge,
    static_image(370, {0, 0}, 0x4003),
};

constinit MouseRect turbine_temp_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> engine_rpm_elements{
    &engine_rpm_gauge,
    static_image(1160, {0, 0}, 0x4003),
};

constinit MouseRect engine_rpm_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> oil_temperature_elements{
    &oil_temperature_gauge,
    static_image(2380, {0, 0}, 0x4003),
};

constinit MouseRect oil_temperature_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> triple_pressure_elements{
    &triple_pressure_gauge,
    static_image(2410, {0, 0}, 0x4003),
};

constinit MouseRect triple_pressure_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader turbine_temp_gauge = gauge_header("Turbine_Temp", 100, turbine_temp_elements.list, turbine_temp_rects);
constinit GaugeHeader engine_rpm_gauge = gauge_header("Engine_RPM", 100, engine_rpm_elements.list, engine_rpm_rects);
constinit GaugeHeader oil_temperature_gauge = gauge_header("Oil_Temperature", 100, oil_temperature_elements.list, oil_temperature_rects);
constinit GaugeHeader triple_pressure_gauge = gauge_header("Triple_Pressure", 100, triple_pressure_elements.list, triple_pressure_rects);
