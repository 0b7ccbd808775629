// A pilot tunes the radio stack before take-off, every click going through
// the simulator, and reads what the radios then show.
#include "host/core/simulation.h"
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

TEST(RadioStack, ComNavAdfAndTransponderTunedThroughTheSimulator) {
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
    PlacedGauge& nav = host.place("Radio_NAV1");
    PlacedGauge& adf = host.place("Radio_ADF");
    PlacedGauge& iff = host.place("Radio_IFF");
    host.update();

    // COM1 from 121.800 to the tower on 118.725.
    for (int i = 0; i < 3; ++i) host.click(com, 150, 60, MouseButton::right);
    host.update();
    for (int i = 0; i < 3; ++i) {
        host.click(com, 150, 60);
        host.update();
    }
    host.click(com, 270, 20);
    host.update();
    EXPECT_EQ(com.text(3), "118.725");
    EXPECT_FALSE(com.hidden(3));
    EXPECT_EQ(host.tooltip(com, 100, 20).text, "Communications Radio COM1 - 118.725 MHz");

    // NAV1 from 110.30 to the ILS on 109.50.
    host.click(nav, 45, 30);
    host.update();
    for (int i = 0; i < 4; ++i) {
        host.click(nav, 310, 30);
        host.update();
    }
    EXPECT_EQ(host.tooltip(nav, 100, 30).text, "Navigation Radio NAV1 - 109.500 MHz");
    EXPECT_EQ(nav.element(4).y, 0.0);
    EXPECT_EQ(nav.element(3).y, 9.0);
    EXPECT_EQ(nav.element(2).y, 5.0);
    EXPECT_EQ(nav.element(1).y, 0.0);

    // ADF from 345.0 to the locator on 353.5: one coarse and seven fine steps.
    host.click(adf, 290, 40, MouseButton::right);
    host.update();
    for (int i = 0; i < 7; ++i) {
        host.click(adf, 290, 40);
        host.update();
    }
    EXPECT_EQ(korvel::host::adf_tenths(host.variables()), 3535u);
    host.click(adf, 100, 20);
    host.update();
    EXPECT_EQ(adf.text(4), " 353.50");
    EXPECT_EQ(host.tooltip(adf, 200, 50).text, "Navigation Radio ADF - 0353.50 MHz");
    EXPECT_DOUBLE_EQ(adf.element(1).value, (353.5 - 200) * 0.5);

    // Transponder from 7000 to 7421.
    host.click(iff, 145, 50);
    for (int i = 0; i < 4; ++i) host.click(iff, 145, 50);
    for (int i = 0; i < 2; ++i) host.click(iff, 170, 50);
    host.click(iff, 195, 50);
    host.update();
    EXPECT_EQ(host.variables().word(38), 0x7521u);
    host.click(iff, 145, 75);
    host.update();
    EXPECT_EQ((std::vector<double>{iff.element(4).y, iff.element(3).y, iff.element(2).y, iff.element(1).y}),
              (std::vector<double>{7, 4, 2, 1}));
}

}  // namespace
