#include "module/linkage.h"
#include "module/gauge_table.h"

namespace {

// Nothing is set up or torn down here: every table and variable of the module
// is a static with its initial value, and the sound-owning gauges release
// their own objects when they are killed.
void KORVEL_CALL module_init() {}
void KORVEL_CALL module_deinit() {}

}  // namespace

extern "C" {

constinit ModuleImports ImportTable = {import_services_id, nullptr, 0, nullptr};

// clang-format off
constinit ModuleLinkage Linkage = {
    linkage_module_id,
    module_init,
    module_deinit,
    0,
    0,
    linkage_version,
    {
        &shut_down_gauge,
        &registration_gauge,
        &engine_on_gauge,
        &kneeboard_toggle_gauge,
        &atc_toggle_gauge,
        &map_toggle_gauge,
        &invisible_toggle_gauge,
        &close_subpanel_gauge,
        &radios_toggle_gauge,
        &landing_view_toggle_gauge,
        &gps_toggle_gauge,
        &throttle_toggle_gauge,
        &compass_toggle_gauge,
        &fuel_toggle_gauge,
        &vfr_panel_toggle_gauge,
        &ifr_panel_toggle_gauge,
        &electricity_toggle_gauge,
        &radio_com_gauge,
        &radio_nav_gauge,
        &radio_adf_gauge,
        &radio_iff_gauge,
        &radio_nav1_gauge,
        &radio_nav2_gauge,
        &directional_gyro_gauge,
        &altimeter_gauge,
        &airspeed_gauge,
        &vertical_speed_gauge,
        &turn_coordinator_gauge,
        &attitude_gauge,
        &rmi_ils_indicator_1_gauge,
        &rmi_ils_indicator_2_gauge,
        &directional_gyro_small_gauge,
        &turbine_temp_gauge,
        &engine_rpm_gauge,
        &oil_temperature_gauge,
        &triple_pressure_gauge,
        &fuel_quantity_center_gauge,
        &fuel_quantity_main_left_gauge,
        &fuel_quantity_main_right_gauge,
        &fuel_quantity_aux_left_gauge,
        &fuel_quantity_aux_right_gauge,
        &throttle_quadrant_gauge,
        &clock_gauge,
        &accelerometer_gauge,
        &cabin_altitude_gauge,
        &flaps_indicator_gauge,
        &whiskey_compass_gauge,
        &elec_board_gauge,
        &rmi_switch_gauge,
        &gear_lights_gauge,
        &speed_brake_light_gauge,
        &gear_warning_light_gauge,
        &gear_forgotten_light_gauge,
        &flaps_light_gauge,
        &fire_light_gauge,
        &low_oil_press_light_gauge,
        &generator_light_gauge,
        &pitot_heat_light_gauge,
        nullptr,
    },
};
// clang-format on

}  // extern "C"
