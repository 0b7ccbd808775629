// The engine's needle instruments: engine speed, jet pipe temperature,
// bearing oil temperature, and the triple pressure indicator (both brakes and
// the reservoir on one dial).
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/units.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

constexpr double full_speed_rpm = 10800.0;  // 100 percent
constexpr double pressure_unit = 2048.146;  // per kg/cm2
constexpr double full_brake = 32768.0;
constexpr double brake_span = 6.5;  // kg/cm2 a full application adds

// The English face is drawn while the imperial units are chosen; otherwise
// the face lettered T/min shows through.
double KORVEL_CALL rpm_face_cb(ElementHeader*) { return imperial_units != 0 ? 0.0 : -1.0; }

double KORVEL_CALL rpm_needle_cb(ElementHeader* element) {
    return reinterpret_cast<NeedleElement*>(element)->source.var.value * full_speed_rpm / 100.0;
}

// The tooltip shows the percent the simulator reports, not the needle's rpm.
double KORVEL_CALL rpm_tooltip_cb(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return lookup_var(token::engine_rpm_percent);
}

// With the brake released the needle shows a seventieth of the reservoir;
// a full application adds 6.5 kg/cm2.
double KORVEL_CALL brake_needle_cb(ElementHeader* element) {
    const double reservoir = lookup_var(token::reservoir_pressure) / 70.0;
    const double brake =
        reinterpret_cast<NeedleElement*>(element)->source.var.value * brake_span * pressure_unit / full_brake;
    return reservoir + brake;
}

double KORVEL_CALL reservoir_needle_cb(ElementHeader* element) {
    return reinterpret_cast<NeedleElement*>(element)->source.var.value / 5.0;
}

// clang-format off
FailureRecord needle_failures[] = {{failure::engine, failure_action::none}, {failure::electrical_panel, failure_action::rest}, {}};

// rpm; 100 percent is 10 800 rpm, pegged from 12 000.
NonlinearityEntry rpm_table[] = {
    {122, 270, 0},
    {178, 35, 7000},
    {247, 224, 10800},
    {185, 269, 12000},
    {185, 269, 15000},
};

// Degrees Rankine: 491.67 is 0 C; pegged below 0 C and above 800 C.
NonlinearityEntry turbine_table[] = {
    {51, 102, 489.87},
    {51, 102, 491.67},
    {119, 73, 1211.67},
    {194, 102, 1931.67},
    {194, 102, 2111.67},
};

// Pegged below 0 C and above 200 C.
NonlinearityEntry oil_table[] = {
    {59, 98, 489.87},
    {59, 98, 491.67},
    {122, 67, 671.67},
    {185, 98, 851.67},
    {185, 98, 1031.67},
};

// The left half-dial: 0 at the top, 7 kg/cm2 at the left, 14 at the bottom.
NonlinearityEntry left_brake_table[] = {
    {130, 205, 40962.92},
    {130, 205, 28674.044},
    {50, 121, 14337.022},
    {130, 45, 0},
};

// The right half-dial: 0 at the top, 7 at the right, 14 at the bottom.
NonlinearityEntry right_brake_table[] = {
    {170, 49, 0},
    {250, 121, 14337.022},
    {170, 205, 28674.044},
    {170, 205, 40962.92},
};

// The reservoir arc: 0 at the left, 25 kg/cm2 at the bottom, 50 at the right.
NonlinearityEntry reservoir_table[] = {
    {270, 150, 204814.6},
    {270, 150, 102407.3},
    {150, 273, 51203.65},
    {30, 150, 0},
};

constinit ElementChain<StaticImageElement, IconElement, NeedleElement, StaticImageElement> engine_rpm_elements{
    &engine_rpm_gauge,
    static_image(1160, {0, 0}, image_lit),
    icon(1190, {0, 0}, image_lit_dib, 1, 0, rpm_face_cb),
    needle(1170, {150, 150}, {35, 13}, image_lit_dib, token::engine_rpm_percent, rpm_table, rpm_needle_cb, needle_failures),
    static_image(1180, {0, 0}, image_plain),
};

TooltipArgument engine_rpm_arguments[] = {numeric_argument(rpm_tooltip_cb)};

constinit MouseRect engine_rpm_rects[] = {
    whole_gauge(),
    tooltip("Engine RPM (%1!d! percent)", engine_rpm_arguments),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement, NeedleElement, StaticImageElement> turbine_temp_elements{
    &turbine_temp_gauge,
    static_image(370, {0, 0}, image_lit),
    needle(380, {120, 195}, {0, 1}, image_lit_dib, token::turbine_temperature_rankine, turbine_table, nullptr, needle_failures),
    static_image(390, {0, 0}, image_plain),
};

constinit MouseRect turbine_temp_rects[] = {
    whole_gauge(),
    host_tooltip(help::turbine_temperature),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement, NeedleElement, StaticImageElement> oil_temperature_elements{
    &oil_temperature_gauge,
    static_image(2380, {0, 0}, image_lit),
    needle(2390, {120, 183}, {10, 1}, image_lit_dib, token::oil_temperature_rankine, oil_table, nullptr, needle_failures),
    static_image(2400, {0, 0}, image_plain),
};

constinit MouseRect oil_temperature_rects[] = {
    whole_gauge(),
    host_tooltip(help::oil_temperature),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement, NeedleElement, NeedleElement, NeedleElement, StaticImageElement>
    triple_pressure_elements{
        &triple_pressure_gauge,
        static_image(2410, {0, 0}, image_lit),
        needle(2420, {130, 122}, {21, 11}, image_lit_dib, token::left_brake, left_brake_table, brake_needle_cb,
               needle_failures),
        needle(2420, {170, 122}, {21, 11}, image_lit_dib, token::right_brake, right_brake_table, brake_needle_cb,
               needle_failures),
        needle(2430, {150, 150}, {35, 13}, image_lit_dib, token::reservoir_pressure, reservoir_table, reservoir_needle_cb,
               needle_failures),
        static_image(2440, {0, 0}, image_plain),
    };

constinit MouseRect triple_pressure_rects[] = {
    whole_gauge(),
    tooltip("Brake and emergency air pressure"),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader engine_rpm_gauge = gauge_header("Engine_RPM", 100, engine_rpm_elements.list, engine_rpm_rects);
constinit GaugeHeader turbine_temp_gauge =
    gauge_header("Turbine_Temp", 100, turbine_temp_elements.list, turbine_temp_rects);
constinit GaugeHeader oil_temperature_gauge =
    gauge_header("Oil_Temperature", 100, oil_temperature_elements.list, oil_temperature_rects);
constinit GaugeHeader triple_pressure_gauge =
    gauge_header("Triple_Pressure", 100, triple_pressure_elements.list, triple_pressure_rects);
