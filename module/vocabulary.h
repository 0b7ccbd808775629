// The simulator's numbers that the gauges use, each spelled here once:
// variable tokens (the unit in the name where there is one), key events,
// failure systems and actions, the windows and help texts the buttons name,
// and the mouse and image flags of the records. The meanings are as the
// gauges show them.
#pragma once

#include <cstdint>

namespace token {
inline constexpr std::uint32_t panel_lights = 10;
inline constexpr std::uint32_t strobe_lights = 11;
inline constexpr std::uint32_t pitot_heat = 13;
inline constexpr std::uint32_t landing_lights = 14;
inline constexpr std::uint32_t adf_frequency = 16;   // word: three BCD digits of kHz
inline constexpr std::uint32_t adf_extended = 18;    // word: 0x100 adds 1000 kHz, the rest tenths
inline constexpr std::uint32_t com1_frequency = 23;  // word: four BCD digits without the leading 1
inline constexpr std::uint32_t nav1_frequency = 24;  // word
inline constexpr std::uint32_t nav2_frequency = 27;  // word
inline constexpr std::uint32_t transponder = 38;     // word: four BCD digits
inline constexpr std::uint32_t adf_bearing = 39;
inline constexpr std::uint32_t nav1_localizer = 40;
inline constexpr std::uint32_t nav1_glideslope = 41;
inline constexpr std::uint32_t nav1_to_from = 43;  // word
inline constexpr std::uint32_t nav1_glideslope_flag = 44;
inline constexpr std::uint32_t nav1_course_degrees = 45;  // the omni bearing selector
inline constexpr std::uint32_t nav1_station_info = 46;    // word
inline constexpr std::uint32_t nav2_station_info = 55;    // word
inline constexpr std::uint32_t nav2_bearing = 59;
inline constexpr std::uint32_t shut_down_condition = 60;
inline constexpr std::uint32_t indicated_airspeed_knots = 61;
inline constexpr std::uint32_t vertical_speed_256th_mps = 65;
inline constexpr std::uint32_t ball_deflection = 69;
inline constexpr std::uint32_t turn_rate_256ths = 70;
inline constexpr std::uint32_t indicated_altitude_feet = 74;
inline constexpr std::uint32_t barometric_setting_inhg = 76;
inline constexpr std::uint32_t pitch_degrees = 78;
inline constexpr std::uint32_t bank_degrees = 80;
inline constexpr std::uint32_t magnetic_heading_degrees = 83;
inline constexpr std::uint32_t gyro_heading_degrees = 84;
inline constexpr std::uint32_t gyro_setting = 85;
inline constexpr std::uint32_t attitude_flag_condition_a = 276;  // word
inline constexpr std::uint32_t attitude_flag_condition_b = 279;  // word
inline constexpr std::uint32_t center_tank_level = 289;          // fraction scaled by 8388608
inline constexpr std::uint32_t center_tank_capacity_gallons = 290;
inline constexpr std::uint32_t main_left_tank_level = 291;
inline constexpr std::uint32_t main_left_tank_capacity_gallons = 292;
inline constexpr std::uint32_t aux_left_tank_level = 293;
inline constexpr std::uint32_t aux_left_tank_capacity_gallons = 294;
inline constexpr std::uint32_t main_right_tank_level = 297;
inline constexpr std::uint32_t main_right_tank_capacity_gallons = 298;
inline constexpr std::uint32_t aux_right_tank_level = 299;
inline constexpr std::uint32_t aux_right_tank_capacity_gallons = 300;
inline constexpr std::uint32_t left_brake = 320;  // full application 32768
inline constexpr std::uint32_t right_brake = 321;
inline constexpr std::uint32_t speed_brake = 326;
inline constexpr std::uint32_t flaps_position = 330;  // 0 up to 16383 down
inline constexpr std::uint32_t nose_gear = 332;       // 0 up to 16383 down
inline constexpr std::uint32_t left_gear = 333;
inline constexpr std::uint32_t right_gear = 334;
inline constexpr std::uint32_t unit_setting = 335;  // word: 2 when altitudes come in metres
inline constexpr std::uint32_t load_factor_624th_g = 351;
inline constexpr std::uint32_t battery = 364;
inline constexpr std::uint32_t beacon_lights = 368;
inline constexpr std::uint32_t oil_pressure = 418;
inline constexpr std::uint32_t nav1_bearing = 550;
inline constexpr std::uint32_t time_of_day_seconds = 557;
inline constexpr std::uint32_t throttle_lever = 558;  // 0 closed to 1 open
inline constexpr std::uint32_t oil_temperature_rankine = 561;
inline constexpr std::uint32_t starter = 563;
inline constexpr std::uint32_t generator = 565;
inline constexpr std::uint32_t running_clock_seconds = 604;
inline constexpr std::uint32_t attitude_bars = 612;  // miniature aircraft position
inline constexpr std::uint32_t gear_warning_lever = 614;
inline constexpr std::uint32_t navigation_lights = 619;
inline constexpr std::uint32_t engine_on_system = 620;  // switched over by engine_on_switch
inline constexpr std::uint32_t engine_regime = 625;
inline constexpr std::uint32_t engine_rpm_percent = 627;
inline constexpr std::uint32_t turbine_temperature_rankine = 631;
inline constexpr std::uint32_t reservoir_pressure = 732;  // 2048.146 per kg/cm2
inline constexpr std::uint32_t avionics_master = 740;
inline constexpr std::uint32_t generator_bus_voltage = 759;
inline constexpr std::uint32_t generator_load = 761;
inline constexpr std::uint32_t heading_bug_degrees = 855;
inline constexpr std::uint32_t cabin_unpressurized = 868;
inline constexpr std::uint32_t adf_audio = 880;
inline constexpr std::uint32_t fire_detected = 887;
inline constexpr std::uint32_t engine_on_condition = 895;

// The flaps, gear legs and speed brake run from 0 (up, in) to this (down, out).
inline constexpr double full_travel = 16383.0;
// The wheel brakes, fully applied.
inline constexpr double full_brake = 32768.0;
}  // namespace token

namespace event {
// Panel windows; the value is the panel identifier.
inline constexpr std::uint32_t toggle_panel_window = 0x103CA;
inline constexpr std::uint32_t open_panel_window = 0x103CB;
inline constexpr std::uint32_t close_panel_window = 0x103CC;
// The step events of a toggle's p key.
inline constexpr std::uint32_t panel_step_reset = 0x10153;
inline constexpr std::uint32_t panel_step_next = 0x100C6;
inline constexpr std::uint32_t panel_step_previous = 0x100C7;
inline constexpr std::uint32_t kneeboard = 0x10154;
inline constexpr std::uint32_t atc_window = 0x1001C;
inline constexpr std::uint32_t map_window = 0x10380;

inline constexpr std::uint32_t barometric_up = 0x1015B;
inline constexpr std::uint32_t barometric_down = 0x1015C;
inline constexpr std::uint32_t gyro_setting_up = 0x10155;
inline constexpr std::uint32_t gyro_setting_down = 0x10156;
inline constexpr std::uint32_t heading_bug_up = 0x10157;
inline constexpr std::uint32_t heading_bug_down = 0x10158;
inline constexpr std::uint32_t attitude_cage = 0x10345;

inline constexpr std::uint32_t starter = 0x102FC;
inline constexpr std::uint32_t generator = 0x1033B;
inline constexpr std::uint32_t battery = 0x102C1;
inline constexpr std::uint32_t pitot_heat = 0x10142;
inline constexpr std::uint32_t navigation_lights = 0x1034B;
inline constexpr std::uint32_t beacon_lights = 0x102BF;
inline constexpr std::uint32_t strobe_lights = 0x10018;
inline constexpr std::uint32_t landing_lights = 0x100D7;
inline constexpr std::uint32_t panel_lights = 0x100D6;
inline constexpr std::uint32_t avionics_master = 0x102F5;

inline constexpr std::uint32_t engine_on_switch = 0x10348;
inline constexpr std::uint32_t engine_on_start = 0x103BE;
inline constexpr std::uint32_t engine_on_lever = 0x1017F;
inline constexpr std::uint32_t throttle_set = 0x1011C;

inline constexpr std::uint32_t com1_whole_down = 0x10064;
inline constexpr std::uint32_t com1_whole_up = 0x10065;
inline constexpr std::uint32_t com1_fraction_down = 0x10382;
inline constexpr std::uint32_t com1_fraction_up = 0x10383;
inline constexpr std::uint32_t nav1_whole_down = 0x10068;
inline constexpr std::uint32_t nav1_whole_up = 0x10069;
inline constexpr std::uint32_t nav1_fraction_down = 0x1006A;
inline constexpr std::uint32_t nav1_fraction_up = 0x1006B;
inline constexpr std::uint32_t nav2_whole_down = 0x1006C;
inline constexpr std::uint32_t nav2_whole_up = 0x1006D;
inline constexpr std::uint32_t nav2_fraction_down = 0x1006E;
inline constexpr std::uint32_t nav2_fraction_up = 0x1006F;
inline constexpr std::uint32_t nav1_audio_off = 0x10128;
inline constexpr std::uint32_t nav1_audio_on = 0x1012D;
inline constexpr std::uint32_t nav2_audio_off = 0x10129;
inline constexpr std::uint32_t nav2_audio_on = 0x1012E;
inline constexpr std::uint32_t adf_audio_off = 0x1012C;
inline constexpr std::uint32_t adf_audio_on = 0x10131;
inline constexpr std::uint32_t adf_tenth_down = 0x1039D;
inline constexpr std::uint32_t adf_tenth_up = 0x1039E;
inline constexpr std::uint32_t adf_khz_down = 0x103EF;
inline constexpr std::uint32_t adf_khz_up = 0x103EE;
inline constexpr std::uint32_t adf_frequency_set = 0x1024A;  // BCD in tenths of kHz
inline constexpr std::uint32_t transponder_thousands_up = 0x10073;
inline constexpr std::uint32_t transponder_hundreds_up = 0x10074;
inline constexpr std::uint32_t transponder_tens_up = 0x10075;
inline constexpr std::uint32_t transponder_units_up = 0x10076;
inline constexpr std::uint32_t transponder_thousands_down = 0x10397;
inline constexpr std::uint32_t transponder_hundreds_down = 0x10398;
inline constexpr std::uint32_t transponder_tens_down = 0x10399;
inline constexpr std::uint32_t transponder_units_down = 0x1039A;
inline constexpr std::uint32_t nav1_course_set = 0x100B4;  // whole degrees
}  // namespace event

// The panel windows a button names, by the simulator's idents, in the order
// the buttons try their names: a name never loses to a shorter one it
// starts with. The main panel is the only one shown when a panel loads.
struct WindowIdent {
    const char* name;
    std::int32_t ident;
};

// clang-format off
inline constexpr WindowIdent window_idents[] = {
    {"MAIN_PANEL", 0},
    {"RADIO_STACK_PANEL", 50},
    {"COMPASS_PANEL", 75},
    {"ANNUNCIATOR_PANEL", 125},
    {"ANNUNCIATOR2_PANEL", 150},
    {"COLLECTIVE_PANEL", 200},
    {"THROTTLE_PANEL", 10},
    {"MINI_CONTROLS_PANEL", 100},
    {"IFR_MAIN_PANEL", 175},
    {"GPS_PANEL", 225},
    {"OVERHEAD_PANEL", 250},
};
// clang-format on

// The simulator's help texts, by the number a mouse rectangle gives where
// the module leaves the text to the host.
namespace help {
inline constexpr std::uint32_t airspeed = 0x3002;
inline constexpr std::uint32_t clock = 0x3018;
inline constexpr std::uint32_t fire_light = 0x3030;
inline constexpr std::uint32_t low_oil_pressure_light = 0x3031;
inline constexpr std::uint32_t altimeter = 0x3051;
inline constexpr std::uint32_t altimeter_knob = 0x3053;
inline constexpr std::uint32_t altimeter_setting = 0x3054;
inline constexpr std::uint32_t turn_coordinator = 0x3090;
inline constexpr std::uint32_t attitude = 0x3092;
inline constexpr std::uint32_t directional_gyro = 0x3094;
inline constexpr std::uint32_t vertical_speed = 0x3099;
inline constexpr std::uint32_t oil_temperature = 0x30F0;
inline constexpr std::uint32_t transponder_code = 0x3180;
inline constexpr std::uint32_t throttle = 0x31A0;
inline constexpr std::uint32_t turbine_temperature = 0x31D5;
inline constexpr std::uint32_t accelerometer = 0xA51C;
inline constexpr std::uint32_t transponder = 0xA70A;
inline constexpr std::uint32_t flaps_indicator = 0xAB24;
inline constexpr std::uint32_t gear_lights = 0xAB31;
inline constexpr std::uint32_t gyro_setting_knob = 0xAB35;
inline constexpr std::uint32_t magnetic_compass = 0xAB77;
inline constexpr std::uint32_t radio_window = 0xAB86;
inline constexpr std::uint32_t gps_window = 0xAB87;
inline constexpr std::uint32_t throttle_window = 0xAB88;
inline constexpr std::uint32_t compass_window = 0xAB89;
inline constexpr std::uint32_t fuel_window = 0xAB8A;
inline constexpr std::uint32_t collective_window = 0xAB8B;
inline constexpr std::uint32_t map = 0xAB8F;
inline constexpr std::uint32_t kneeboard = 0xAB93;
inline constexpr std::uint32_t atc = 0xAB94;
}  // namespace help

// The help texts a button's h key names.
struct HelpIdent {
    const char* name;
    std::uint32_t id;
};

// clang-format off
inline constexpr HelpIdent help_idents[] = {
    {"TOGGLE_RADIO_WINDOW", help::radio_window},
    {"TOGGLE_GPS_WINDOW", help::gps_window},
    {"TOGGLE_THROTTLE_WINDOW", help::throttle_window},
    {"TOGGLE_COMPASS_WINDOW", help::compass_window},
    {"TOGGLE_FUEL_WINDOW", help::fuel_window},
    {"TOGGLE_COLLECTIVE_WINDOW", help::collective_window},
};
// clang-format on

// The simulator's failure systems that the gauges' failure records name, and
// what a record asks of the host while its system has failed.
namespace failure {
inline constexpr std::uint32_t engine = 2;
inline constexpr std::uint32_t pitot_static = 3;
inline constexpr std::uint32_t vacuum = 4;  // drives the attitude gyro
inline constexpr std::uint32_t adf = 5;
inline constexpr std::uint32_t airspeed = 6;
inline constexpr std::uint32_t altimeter = 7;
inline constexpr std::uint32_t attitude = 8;
inline constexpr std::uint32_t com = 9;
inline constexpr std::uint32_t directional_gyro = 11;
inline constexpr std::uint32_t magnetic_compass = 12;
inline constexpr std::uint32_t nav1 = 14;
inline constexpr std::uint32_t nav2 = 15;
inline constexpr std::uint32_t transponder = 17;
inline constexpr std::uint32_t turn_coordinator = 18;
inline constexpr std::uint32_t vertical_speed = 19;
inline constexpr std::uint32_t electrical_panel = 20;
inline constexpr std::uint32_t avionics = 21;  // the radios' and indicators' power
}  // namespace failure

namespace failure_action {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t freeze = 1;   // the element shows what it showed
inline constexpr std::uint32_t rest = 2;     // the element returns to zero
inline constexpr std::uint32_t no_draw = 3;  // the simulator leaves it out; this host draws it as usual
}  // namespace failure_action

// Mouse event bits, as accepted by child rectangles and passed to mouse
// functions.
inline constexpr std::uint32_t mouse_left_click = 0x20000000;
inline constexpr std::uint32_t mouse_right_click = 0x80000000;
inline constexpr std::uint32_t mouse_repeat = 0x00200000;  // button held down
inline constexpr std::uint32_t mouse_drag = 0x00800000;    // moved with the left button down

// Image flags: how the simulator draws an element's bitmap. The records
// carry them in these combinations.
inline constexpr std::uint32_t image_transparent = 0x1;   // pure black lets the panel through
inline constexpr std::uint32_t image_erase = 0x2;         // the area is cleared before drawing
inline constexpr std::uint32_t image_bright = 0x4;        // drawn at full brightness at night
inline constexpr std::uint32_t image_dib_section = 0x80;  // kept as a device-independent bitmap
inline constexpr std::uint32_t image_luminous = 0x4000;   // lit, as a radio drum's lit flag

inline constexpr std::uint32_t image_plain = image_transparent | image_erase;    // 0x3
inline constexpr std::uint32_t image_plain_bright = image_plain | image_bright;  // 0x7
inline constexpr std::uint32_t image_dib = image_plain | image_dib_section;      // 0x83
inline constexpr std::uint32_t image_lit = image_plain | image_luminous;         // 0x4003
inline constexpr std::uint32_t image_lit_dib = image_dib | image_luminous;       // 0x4083

// Image flag bits that element callbacks change at run time.
inline constexpr std::uint32_t image_hidden_flag = 0x40000000;
inline constexpr std::uint32_t drum_lit_flag = image_luminous;
inline constexpr std::uint32_t image_top_bit = 0x80000000;
