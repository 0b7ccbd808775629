// The five fuel gauges, one per tank, in litres: the simulator gives each
// tank's capacity in US gallons and its level as a fraction. One description
// serves the five; the table of differences closes it.
#include <cmath>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

constexpr double litres_per_gallon = 3.785;
constexpr double full_level = 8388608.0;

struct FuelGaugeState {
    double capacity_litres = 0.0;  // taken at install
    double quantity_litres = 0.0;  // computed at each update
};

struct FuelTank {
    const char* name;
    std::int32_t dial;
    std::uint32_t capacity_token;
    std::uint32_t level_token;
    NeedleTable table;
    const char* tooltip;
    FuelGaugeState* state;
};

FuelGaugeState center_tank, main_left_tank, main_right_tank, aux_left_tank, aux_right_tank;

// Main tanks: 0 near the bottom left, 214 at the end of the scale.
// clang-format off
NonlinearityEntry main_table[] = {
    {98, 240, -1}, {98, 240, 0},    {78, 228, 20},   {59, 197, 40},  {249, 118, 180},
    {245, 189, 200}, {202, 240, 214}, {166, 242, 236}, {166, 242, 500},
};

// Drop tanks: to 250, pegged from 300.
NonlinearityEntry aux_table[] = {
    {98, 240, -1}, {98, 240, 0}, {76, 225, 25}, {49, 150, 50}, {222, 210, 250}, {150, 250, 300}, {150, 250, 500},
};

// Centre tank: to 340, pegged from 390.
NonlinearityEntry center_table[] = {
    {98, 240, -1}, {98, 240, 0},    {53, 187, 100},  {179, 51, 240},  {246, 108, 280},
    {252, 151, 300}, {201, 238, 340}, {174, 246, 390}, {174, 246, 500},
};
// clang-format on

// clang-format off
constexpr FuelTank main_left = {"Fuel_Quantity_Main_Left", 3030, token::main_left_tank_capacity_gallons,
                                token::main_left_tank_level, main_table,
                                "Main left tank remaining fuel (%1!d! liters)", &main_left_tank};
// clang-format on
// clang-format off
constexpr FuelTank main_right = {"Fuel_Quantity_Main_Right", 3030, token::main_right_tank_capacity_gallons,
                                 token::main_right_tank_level, main_table,
                                 "Main right tank remaining fuel (%1!d! liters)", &main_right_tank};
// clang-format on
// clang-format off
constexpr FuelTank aux_left = {"Fuel_Quantity_Aux_Left", 3040, token::aux_left_tank_capacity_gallons,
                               token::aux_left_tank_level, aux_table,
                               "Left drop tank remaining fuel (%1!d! liters)", &aux_left_tank};
// clang-format on
// clang-format off
constexpr FuelTank aux_right = {"Fuel_Quantity_Aux_Right", 3040, token::aux_right_tank_capacity_gallons,
                                token::aux_right_tank_level, aux_table,
                                "Right drop tank remaining fuel (%1!d! liters)", &aux_right_tank};
// clang-format on
// clang-format off
constexpr FuelTank center = {"Fuel_Quantity_Center", 3020, token::center_tank_capacity_gallons, token::center_tank_level,
                             center_table, "Center tank remaining fuel (%1!d! liters)", &center_tank};
// clang-format on

// clang-format off
FailureRecord needle_failures[] = {{failure::electrical_panel, failure_action::freeze}, {failure::engine, failure_action::none}, {}};
// clang-format on

template <GaugeHeader& gauge, const FuelTank& tank>
struct FuelGauge {
    // A tank that reports no usable capacity at install keeps the one it had.
    // The litres are checked, not the gallons: a capacity near the largest
    // double is finite in gallons but not in litres, and an infinite tank
    // reads NaN once it is empty.
    static void KORVEL_CALL fuel_gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra) {
        FuelGaugeState& state = *tank.state;
        if (service == service_install) {
            const double litres = lookup_var(tank.capacity_token) * litres_per_gallon;
            if (litres > 0.0 && std::isfinite(litres)) state.capacity_litres = litres;
        } else if (service == service_update) {
            const double level = lookup_var(tank.level_token);
            state.quantity_litres = level * state.capacity_litres / full_level;
        }
    }

    static double KORVEL_CALL fuel_needle_cb(ElementHeader*) { return tank.state->quantity_litres; }

    static double KORVEL_CALL fuel_tooltip_cb(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
        return tank.state->quantity_litres;
    }

    // clang-format off
    static inline constinit ElementChain<StaticImageElement, NeedleElement, StaticImageElement> elements{
        &gauge,
        static_image(tank.dial, {0, 0}, image_lit),
        needle(3010, {150, 150}, {35, 13}, image_lit_dib, 0, tank.table, fuel_needle_cb, needle_failures),
        static_image(3000, {0, 0}, image_plain),
    };

    static inline TooltipArgument arguments[] = {numeric_argument(fuel_tooltip_cb)};

    static inline constinit MouseRect rects[] = {
        whole_gauge(),
        tooltip(tank.tooltip, arguments),
        end_parent(),
        end_of_rects(),
    };
    // clang-format on

    static constexpr GaugeHeader header() { return gauge_header(tank.name, 100, elements.list, rects, fuel_gauge_cb); }
};

}  // namespace

constinit GaugeHeader fuel_quantity_center_gauge = FuelGauge<fuel_quantity_center_gauge, center>::header();
constinit GaugeHeader fuel_quantity_main_left_gauge = FuelGauge<fuel_quantity_main_left_gauge, main_left>::header();
constinit GaugeHeader fuel_quantity_main_right_gauge = FuelGauge<fuel_quantity_main_right_gauge, main_right>::header();
constinit GaugeHeader fuel_quantity_aux_left_gauge = FuelGauge<fuel_quantity_aux_left_gauge, aux_left>::header();
constinit GaugeHeader fuel_quantity_aux_right_gauge = FuelGauge<fuel_quantity_aux_right_gauge, aux_right>::header();
