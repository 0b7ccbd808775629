#include "module/builders.h"
#include "module/gauge_table.h"

namespace {

using namespace build;

constinit ElementChain<StaticImageElement> kneeboard_toggle_elements{
    &kneeboard_toggle_gauge,
    static_image(60, {0, 0}, 0x3),
};

constinit MouseRect kneeboard_toggle_rects[] = {
    whole_gauge(0xAB93),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> atc_toggle_elements{
    &atc_toggle_gauge,
    static_image(80, {0, 0}, 0x3),
};

constinit MouseRect atc_toggle_rects[] = {
    whole_gauge(0xAB94),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> map_toggle_elements{
    &map_toggle_gauge,
    static_image(70, {0, 0}, 0x3),
};

constinit MouseRect map_toggle_rects[] = {
    whole_gauge(0xAB8F),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> invisible_toggle_elements{
    &invisible_toggle_gauge,
    static_image(100, {0, 0}, 0x3),
};

constinit MouseRect invisible_toggle_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> close_subpanel_elements{
    &close_subpanel_gauge,
    static_image(110, {0, 0}, 0x3),
};

constinit MouseRect close_subpanel_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> radios_toggle_elements{
    &radios_toggle_gauge,
    static_image(120, {0, 0}, 0x3),
};

constinit MouseRect radios_toggle_rects[] = {
    whole_gauge(0xAB86),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> landing_view_toggle_elements{
    &landing_view_toggle_gauge,
    static_image(130, {0, 0}, 0x3),
};

constinit MouseRect landing_view_toggle_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> gps_toggle_elements{
    &gps_toggle_gauge,
    static_image(140, {0, 0}, 0x3),
};

constinit MouseRect gps_toggle_rects[] = {
    whole_gauge(0xAB87),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> throttle_toggle_elements{
    &throttle_toggle_gauge,
    static_image(150, {0, 0}, 0x3),
};

constinit MouseRect throttle_toggle_rects[] = {
    whole_gauge(0xAB88),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> compass_toggle_elements{
    &compass_toggle_gauge,
    static_image(160, {0, 0}, 0x3),
};

constinit MouseRect compass_toggle_rects[] = {
    whole_gauge(0xAB89),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> fuel_toggle_elements{
    &fuel_toggle_gauge,
    static_image(170, {0, 0}, 0x3),
};

constinit MouseRect fuel_toggle_rects[] = {
    whole_gauge(0xAB8A),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> vfr_panel_toggle_elements{
    &vfr_panel_toggle_gauge,
    static_image(180, {0, 0}, 0x3),
};

constinit MouseRect vfr_panel_toggle_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> ifr_panel_toggle_elements{
    &ifr_panel_toggle_gauge,
    static_image(190, {0, 0}, 0x3),
};

constinit MouseRect ifr_panel_toggle_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement> electricity_toggle_elements{
    &electricity_toggle_gauge,
    static_image(200, {0, 0}, 0x3),
};

constinit MouseRect electricity_toggle_rects[] = {
    whole_gauge(),
    end_parent(),
    end_of_rects(),
};

}  // namespace

constinit GaugeHeader kneeboard_toggle_gauge = gauge_header("Kneeboard_Toggle", 19, kneeboard_toggle_elements.list, kneeboard_toggle_rects);
constinit GaugeHeader atc_toggle_gauge = gauge_header("ATC_Toggle", 19, atc_toggle_elements.list, atc_toggle_rects);
constinit GaugeHeader map_toggle_gauge = gauge_header("Map_Toggle", 19, map_toggle_elements.list, map_toggle_rects);
constinit GaugeHeader invisible_toggle_gauge = gauge_header("Invisible_Toggle", 19, invisible_toggle_elements.list, invisible_toggle_rects);
constinit GaugeHeader close_subpanel_gauge = gauge_header("Close_Subpanel", 19, close_subpanel_elements.list, close_subpanel_rects);
constinit GaugeHeader radios_toggle_gauge = gauge_header("Radios_Toggle", 19, radios_toggle_elements.list, radios_toggle_rects);
constinit GaugeHeader landing_view_toggle_gauge = gauge_header("Landing_View_Toggle", 19, landing_view_toggle_elements.list, landing_view_toggle_rects);
constinit GaugeHeader gps_toggle_gauge = gauge_header("GPS_Toggle", 19, gps_toggle_elements.list, gps_toggle_rects);
constinit GaugeHeader throttle_toggle_gauge = gauge_header("Throttle_Toggle", 19, throttle_toggle_elements.list, throttle_toggle_rects);
constinit GaugeHeader compass_toggle_gauge = gauge_header("Compass_Toggle", 19, compass_toggle_elements.list, compass_toggle_rects);
constinit GaugeHeader fuel_toggle_gauge = gauge_header("Fuel_Toggle", 19, fuel_toggle_elements.list, fuel_toggle_rects);
constinit GaugeHeader vfr_panel_toggle_gauge = gauge_header("VFR_Panel_Toggle", 19, vfr_panel_toggle_elements.list, vfr_panel_toggle_rects);
constinit GaugeHeader ifr_panel_toggle_gauge = gauge_header("IFR_Panel_Toggle", 19, ifr_panel_toggle_elements.list, ifr_panel_toggle_rects);
constinit GaugeHeader electricity_toggle_gauge = gauge_header("Electricity_Toggle", 19, electricity_toggle_elements.list, electricity_toggle_rects);
