// Each gauge's records counted as the host reads them: elements by kind,
// and parent, tooltip and child rectangles.
#include <gtest/gtest.h>

#include "host/core/gauge_records.h"
#include "host/core/host.h"

namespace {

struct Census {
    const char* gauge;
    // static images, needles, strings, sliders, icons, moving images, sprites
    std::array<int, 7> elements;
    int parents;
    int tooltips;
    int children;
};

// clang-format off
constexpr Census flight_instruments[] = {
    {"Airspeed", {2, 2, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Altimeter", {2, 3, 0, 0, 0, 0, 1}, 4, 3, 2},
    {"Vertical_Speed", {2, 2, 0, 0, 1, 0, 0}, 1, 1, 0},
    {"Attitude", {2, 1, 0, 1, 1, 0, 1}, 3, 2, 1},
    {"Turn_Coordinator", {3, 1, 0, 1, 1, 0, 0}, 1, 1, 1},
    {"Directional_Gyro", {2, 3, 0, 0, 0, 0, 1}, 4, 2, 4},
    {"Directional_Gyro_Small", {2, 0, 0, 0, 0, 0, 2}, 2, 1, 0},
    {"Whiskey_Compass", {1, 0, 0, 0, 0, 1, 0}, 1, 0, 0},
    {"Clock", {2, 3, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Accelerometer", {2, 3, 0, 0, 0, 0, 0}, 2, 0, 1},
    {"Cabin_Altitude", {2, 1, 0, 0, 1, 0, 0}, 1, 1, 0},
};
// clang-format on

// clang-format off
constexpr Census radios_and_indicators[] = {
    {"Radio_COM", {1, 0, 1, 0, 2, 0, 1}, 4, 3, 4},
    {"Radio_NAV", {1, 2, 0, 0, 4, 4, 0}, 4, 3, 6},
    {"Radio_NAV1", {1, 2, 0, 0, 4, 4, 0}, 4, 3, 6},
    {"Radio_NAV2", {1, 2, 0, 0, 4, 4, 0}, 4, 3, 6},
    {"Radio_ADF", {2, 3, 1, 0, 3, 0, 1}, 4, 3, 7},
    {"Radio_IFF", {1, 0, 0, 0, 3, 4, 0}, 4, 2, 10},
    {"RMI_ILS_Indicator_1", {2, 5, 0, 0, 3, 0, 2}, 3, 2, 3},
    {"RMI_ILS_Indicator_2", {2, 5, 0, 0, 3, 0, 2}, 3, 2, 3},
};
// clang-format on

// clang-format off
constexpr Census systems[] = {
    {"Engine_RPM", {2, 1, 0, 0, 1, 0, 0}, 1, 1, 0},
    {"Turbine_Temp", {2, 1, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Oil_Temperature", {2, 1, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Triple_Pressure", {2, 3, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Fuel_Quantity_Center", {2, 1, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Fuel_Quantity_Main_Left", {2, 1, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Fuel_Quantity_Main_Right", {2, 1, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Fuel_Quantity_Aux_Left", {2, 1, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Fuel_Quantity_Aux_Right", {2, 1, 0, 0, 0, 0, 0}, 1, 1, 0},
    {"Fire_Light", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 1},
    {"Flaps_Light", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 1},
    {"Gear_Lights", {1, 0, 0, 0, 6, 0, 0}, 1, 0, 0},
    {"Gear_Warning_Light", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 1},
    {"Gear_Forgotten_Light", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 1},
    {"Generator_Light", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 0},
    {"Low_Oil_Press_Light", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 0},
    {"Speed_Brake_Light", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 1},
    {"Pitot_Heat_Light", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 0},
    {"Elec_Board", {1, 0, 0, 0, 11, 0, 0}, 12, 11, 11},
    {"Engine_On", {1, 0, 0, 0, 0, 0, 0}, 1, 0, 0},
    {"Shut_Down", {1, 0, 0, 0, 0, 0, 0}, 1, 0, 0},
    {"Throttle_Quadrant", {1, 0, 0, 1, 0, 0, 0}, 1, 1, 1},
    {"Flaps_Indicator", {2, 1, 0, 0, 1, 0, 0}, 1, 0, 0},
};
// clang-format on

// clang-format off
constexpr Census panel_pieces[] = {
    {"Kneeboard_Toggle", {1, 0, 0, 0, 0, 0, 0}, 1, 0, 1},
    {"Close_Subpanel", {1, 0, 0, 0, 0, 0, 0}, 1, 1, 1},
    {"Radios_Toggle", {1, 0, 0, 0, 0, 0, 0}, 1, 0, 1},
    {"Registration", {1, 0, 1, 0, 0, 0, 0}, 1, 1, 0},
    {"RMI_Switch", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 1},
};
// clang-format on

void expect_census(const Census& c) {
    korvel::host::Host host;
    const GaugeHeader* g = host.find_gauge(c.gauge);
    ASSERT_NE(g, nullptr) << c.gauge;
    const auto s = korvel::host::summarize(*g);
    EXPECT_EQ(s.elements_by_kind, c.elements) << c.gauge;
    EXPECT_EQ(s.parents, c.parents) << c.gauge;
    EXPECT_EQ(s.tooltips, c.tooltips) << c.gauge;
    EXPECT_EQ(s.children, c.children) << c.gauge;
}

TEST(GaugeCensus, FlightInstruments) {
    for (const Census& c : flight_instruments) expect_census(c);
}

TEST(GaugeCensus, RadiosAndIndicators) {
    for (const Census& c : radios_and_indicators) expect_census(c);
}

TEST(GaugeCensus, EngineAndAircraftSystems) {
    for (const Census& c : systems) expect_census(c);
}

// The module as a whole: every element and rectangle of the 58 gauges.
TEST(GaugeCensus, TheWholeModule) {
    korvel::host::Host host;
    korvel::host::GaugeSummary total;
    for (const GaugeHeader* g : host.gauge_table()) {
        const auto s = korvel::host::summarize(*g);
        for (std::size_t k = 0; k < 7; ++k) total.elements_by_kind[k] += s.elements_by_kind[k];
        total.parents += s.parents;
        total.tooltips += s.tooltips;
        total.children += s.children;
    }
    EXPECT_EQ(total.elements_by_kind, (std::array<int, 7>{82, 50, 3, 3, 58, 17, 11}));
    EXPECT_EQ(total.parents, 101);
    EXPECT_EQ(total.tooltips, 71);
    EXPECT_EQ(total.children, 86);
}

TEST(GaugeCensus, PanelButtonsPlateAndSwitch) {
    for (const Census& c : panel_pieces) expect_census(c);
}

}  // namespace
