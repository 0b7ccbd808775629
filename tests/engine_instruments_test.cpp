// Engine speed, temperatures and the triple pressure indicator: what their
// tooltips say. Where the needles stand is in systems_faces_test.cpp.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

TEST(EngineInstruments, TheRpmTooltipShowsThePercentAndTheOthersTheirOwnTexts) {
    Host host;
    PlacedGauge& rpm = host.place("Engine_RPM");
    PlacedGauge& turbine = host.place("Turbine_Temp");
    PlacedGauge& oil = host.place("Oil_Temperature");
    PlacedGauge& pressure = host.place("Triple_Pressure");
    set_and_update(host, 627, 100);
    EXPECT_EQ(rpm.element(2).value, 10800.0) << "the needle in rpm";
    EXPECT_EQ(host.tooltip(rpm, 150, 150).text, "Engine RPM (100 percent)");
    host.variables().set(627, 87.9);
    EXPECT_EQ(host.tooltip(rpm, 150, 150).text, "Engine RPM (87 percent)") << "read when it shows, truncated";
    EXPECT_EQ(host.tooltip(turbine, 100, 100).help_id, 0x31D5u);
    EXPECT_EQ(host.tooltip(oil, 100, 100).help_id, 0x30F0u);
    EXPECT_EQ(host.tooltip(pressure, 150, 150).text, "Brake and emergency air pressure");
}

}  // namespace
