// The module as the simulator first meets it: the two exported records, the
// gauge table and the life cycle of every gauge.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/core/gauge_records.h"
#include "host/core/host.h"
#include "host/tool/listing.h"

namespace {

using korvel::host::Host;
using korvel::host::ModuleLibrary;

struct TableRow {
    const char* name;
    std::uint32_t size_mm;
};

// The gauge table, in the order a panel configuration finds it.
// clang-format off
constexpr TableRow gauge_table[] = {
    {"Shut_Down", 30},
    {"Registration", 150},
    {"Engine_On", 30},
    {"Kneeboard_Toggle", 19},
    {"ATC_Toggle", 19},
    {"Map_Toggle", 19},
    {"Invisible_Toggle", 19},
    {"Close_Subpanel", 19},
    {"Radios_Toggle", 19},
    {"Landing_View_Toggle", 19},
    {"GPS_Toggle", 19},
    {"Throttle_Toggle", 19},
    {"Compass_Toggle", 19},
    {"Fuel_Toggle", 19},
    {"VFR_Panel_Toggle", 19},
    {"IFR_Panel_Toggle", 19},
    {"Electricity_Toggle", 19},
    {"Radio_COM", 100},
    {"Radio_NAV", 100},
    {"Radio_ADF", 100},
    {"Radio_IFF", 100},
    {"Radio_NAV1", 100},
    {"Radio_NAV2", 100},
    {"Directional_Gyro", 120},
    {"Altimeter", 100},
    {"Airspeed", 100},
    {"Vertical_Speed", 100},
    {"Turn_Coordinator", 100},
    {"Attitude", 100},
    {"RMI_ILS_Indicator_1", 100},
    {"RMI_ILS_Indicator_2", 100},
    {"Directional_Gyro_Small", 120},
    {"Turbine_Temp", 100},
    {"Engine_RPM", 100},
    {"Oil_Temperature", 100},
    {"Triple_Pressure", 100},
    {"Fuel_Quantity_Center", 100},
    {"Fuel_Quantity_Main_Left", 100},
    {"Fuel_Quantity_Main_Right", 100},
    {"Fuel_Quantity_Aux_Left", 100},
    {"Fuel_Quantity_Aux_Right", 100},
    {"Throttle_Quadrant", 150},
    {"Clock", 100},
    {"Accelerometer", 100},
    {"Cabin_Altitude", 100},
    {"Flaps_Indicator", 100},
    {"Whiskey_Compass", 76},
    {"Elec_Board", 30},
    {"RMI_Switch", 51},
    {"Gear_Lights", 40},
    {"Speed_Brake_Light", 40},
    {"Gear_Warning_Light", 41},
    {"Gear_Forgotten_Light", 41},
    {"Flaps_Light", 30},
    {"Fire_Light", 40},
    {"Low_Oil_Press_Light", 30},
    {"Generator_Light", 30},
    {"Pitot_Heat_Light", 30},
};
// clang-format on

TEST(ModuleRecords, ExportedRecordsAreAsTheSimulatorExpectsThemBeforeAnyHostTouchesThem) {
    ModuleLibrary module;
    const ModuleImports& imports = module.imports();
    EXPECT_EQ(imports.services_id, 0xFu);
    EXPECT_EQ(imports.services, nullptr) << "the image must not carry a service table";
    EXPECT_EQ(imports.end_id, 0u);
    EXPECT_EQ(imports.end_pointer, nullptr);

    const ModuleLinkage& linkage = module.linkage();
    EXPECT_EQ(linkage.module_id, 0x13u);
    EXPECT_NE(linkage.module_init, nullptr);
    EXPECT_NE(linkage.module_deinit, nullptr);
    EXPECT_EQ(linkage.flags, 0u);
    EXPECT_EQ(linkage.status, 0u);
    EXPECT_EQ(linkage.version, 0x900u);

    ASSERT_EQ(std::size(gauge_table), 58u);
    for (std::size_t i = 0; i < std::size(gauge_table); ++i) {
        const GaugeHeader* g = linkage.gauges[i];
        ASSERT_NE(g, nullptr) << "table entry " << i;
        EXPECT_STREQ(g->name, gauge_table[i].name) << "table entry " << i;
        EXPECT_EQ(g->version, 0x320u) << g->name;
        EXPECT_EQ(g->size_mm, gauge_table[i].size_mm) << g->name;
        EXPECT_EQ(g->user_word, 0u) << g->name;
        EXPECT_EQ(g->parameters, nullptr) << g->name;
    }
    EXPECT_EQ(linkage.gauges[58], nullptr) << "the 59th word ends the table";
}

TEST(ModuleRecords, EveryGaugeStartsWithItsBackgroundAndAWholeGaugeParent) {
    Host host;
    for (GaugeHeader* g : host.gauge_table()) {
        SCOPED_TRACE(g->name);
        ASSERT_NE(g->elements, nullptr);
        ASSERT_NE(g->elements[0], nullptr);
        EXPECT_EQ(g->elements[1], nullptr) << "one background per gauge";
        const ElementHeader& background = *g->elements[0];
        EXPECT_EQ(background.kind, element_static_image);
        EXPECT_GT(background.resource_id, 0);
        EXPECT_EQ(background.position.x, 0);
        EXPECT_EQ(background.position.y, 0);
        for (const ElementHeader* e : korvel::host::elements_of(*g)) EXPECT_EQ(e->gauge, g);

        ASSERT_NE(g->mouse_rects, nullptr);
        const MouseRect& outer = g->mouse_rects[0];
        EXPECT_EQ(outer.kind, rect_parent);
        EXPECT_EQ(outer.box.x, 0);
        EXPECT_EQ(outer.box.y, 0);
        EXPECT_EQ(outer.box.width, 0);
        EXPECT_EQ(outer.box.height, 0);
        EXPECT_EQ(outer.cursor, cursor_none);
    }
}

TEST(ModuleRecords, NoServiceIsCalledWhileTheModuleStartsUp) {
    Host host;
    EXPECT_EQ(host.services_called_during_init(), 0u);
    EXPECT_NE(host.library().imports().services, nullptr) << "the host hands over its table first";
    EXPECT_TRUE(host.key_events().empty());
    EXPECT_TRUE(host.window_toggles().empty());
}

TEST(GaugeLifeCycle, EveryGaugeInstallsConnectsUpdatesAndDiesInTheSimulatorsOrder) {
    Host host;
    std::vector<korvel::host::PlacedGauge*> placed;
    for (GaugeHeader* g : host.gauge_table()) placed.push_back(&host.place(g->name));
    host.update(100);
    for (korvel::host::PlacedGauge* g : placed) {
        EXPECT_TRUE(g->live()) << g->name();
        host.kill(*g);
        EXPECT_FALSE(g->live()) << g->name();
    }
    host.update();  // a killed gauge is no longer updated
}

TEST(GaugeLifeCycle, ServiceNumbersTheModuleDoesNotAnswerChangeNothing) {
    Host host;
    for (GaugeHeader* g : host.gauge_table()) {
        korvel::host::PlacedGauge& gauge = host.place(g->name);
        host.update(gauge);
        host.clear_logs();
        const auto windows_before = host.windows().all();
        for (std::int32_t service : {-1, 0, 1, 3, 4, 5, 7, 8, 9, 10, 11, 13, 15, 16, 17, 100, 0x7FFFFFFF})
            host.service(gauge, service, 0xDEADBEEF);
        EXPECT_TRUE(host.key_events().empty()) << g->name;
        EXPECT_TRUE(host.window_toggles().empty()) << g->name;
        for (std::size_t i = 0; i < windows_before.size(); ++i)
            EXPECT_EQ(host.windows().all()[i].visible, windows_before[i].visible) << g->name;
        host.kill(gauge);
    }
}

TEST(GaugeLifeCycle, TheSameGaugePlacedTwiceGivesTwoCopiesOfOneGauge) {
    Host host;
    korvel::host::PlacedGauge& first = host.place("Airspeed");
    korvel::host::PlacedGauge& second = host.place("Airspeed", "some text");
    EXPECT_EQ(&first.header(), &second.header()) << "state belongs to the gauge kind";
    EXPECT_FALSE(first.parameters().has_value());
    EXPECT_EQ(second.parameters(), "some text");
    host.update(3);
    host.kill(first);
    EXPECT_TRUE(second.live());
}

TEST(GaugeLifeCycle, UnknownGaugeNamesAreRefused) {
    Host host;
    EXPECT_THROW(host.place("Airspeed_Indicator"), std::invalid_argument);
    EXPECT_THROW(host.place("airspeed"), std::invalid_argument) << "gauge names are case-sensitive";
}

TEST(GaugeListing, ListsTheWholeTableInOrderFromTheRecords) {
    Host host;
    std::ostringstream out;
    korvel::tool::print_gauge_table(out, host.gauge_table(), true);
    const std::string text = out.str();
    std::size_t at = 0;
    for (const TableRow& row : gauge_table) {
        const std::size_t found = text.find(std::string(" ") + row.name + " ", at);
        ASSERT_NE(found, std::string::npos) << row.name << " missing or out of order";
        at = found + 1;
    }
    EXPECT_NE(text.find("58 gauges; 224 elements: 82 static images, 50 needles, 3 strings, 3 sliders, 58 icons, "
                        "17 moving images, 11 sprites"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("101 parents, 71 tooltips, 86 children"), std::string::npos);
}

}  // namespace
