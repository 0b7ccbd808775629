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

constexpr Census panel_pieces[] = {
    {"Kneeboard_Toggle", {1, 0, 0, 0, 0, 0, 0}, 1, 0, 1},
    {"Close_Subpanel", {1, 0, 0, 0, 0, 0, 0}, 1, 1, 1},
    {"Radios_Toggle", {1, 0, 0, 0, 0, 0, 0}, 1, 0, 1},
    {"Registration", {1, 0, 1, 0, 0, 0, 0}, 1, 1, 0},
    {"RMI_Switch", {1, 0, 0, 0, 1, 0, 0}, 1, 1, 1},
};

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

TEST(GaugeCensus, PanelButtonsPlateAndSwitch) {
    for (const Census& c : panel_pieces) expect_census(c);
}

}  // namespace
