// The electrical switch board: tooltips, two copies, no sound and the areas
// between the switches. How each switch answers the hand is in
// systems_faces_test.cpp.
#include "tests/gauge_test_support.h"

namespace {

using namespace gauge_test;

struct Switch {
    const char* name;
    std::int32_t x;  // left edge of its box; every box is 26 by 74
    std::int32_t y;
    std::uint32_t token;
    std::uint32_t event;
    std::size_t icon;  // its element: the switches are drawn right to left after the board
};

// clang-format off
constexpr Switch switches[] = {
    {"Starter", 41, 17, 563, 0x102FC, 11},           {"Generator", 83, 17, 565, 0x1033B, 10},
    {"Battery", 128, 15, 364, 0x102C1, 9},           {"Pitot heat", 174, 15, 13, 0x10142, 8},
    {"Navigation lights", 222, 19, 619, 0x1034B, 7}, {"Beacon lights", 267, 19, 368, 0x102BF, 6},
    {"Strobe lights", 311, 19, 11, 0x10018, 5},      {"Landing lights", 360, 17, 14, 0x100D7, 4},
    {"Panel lights", 403, 18, 10, 0x100D6, 3},       {"Avionics master", 449, 18, 740, 0x102F5, 2},
};
// clang-format on

constexpr std::int32_t dummy_x = 523 + 13, dummy_y = 18 + 37;
constexpr std::size_t dummy_icon = 1;

TEST(ElecBoard, TooltipsReadTheSimulatorAtTheMomentTheyShow) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    const std::pair<double, const char*> values[] = {{1, "on"}, {0, "off"}, {-1, "off"}, {0.5, "on"}};
    for (const auto& [value, text] : values) {
        host.variables().set(364, value);
        EXPECT_EQ(host.tooltip(board, 140, 50).text, std::string("Battery switch (") + text + ")") << value;
    }
    EXPECT_EQ(host.tooltip(board, 460, 50).text, "Avionics master switch (off)") << "insert 10";
    EXPECT_EQ(host.tooltip(board, dummy_x, dummy_y).text, "Dummy switch (off)") << "insert 11";
}

TEST(ElecBoard, TheDummySwitchFlipsItsOwnPictureAndSendsNothing) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    PlacedGauge& copy = host.place("Elec_Board");
    host.update();
    EXPECT_EQ(board.icon_bitmap(dummy_icon), 3140);
    host.click(board, dummy_x, dummy_y);
    host.update();
    EXPECT_EQ(board.icon_bitmap(dummy_icon), 3141);
    EXPECT_EQ(copy.icon_bitmap(dummy_icon), 3141) << "two copies share the switch";
    EXPECT_EQ(host.tooltip(copy, dummy_x, dummy_y).text, "Dummy switch (on)");
    EXPECT_TRUE(host.key_events().empty());
    host.click(copy, dummy_x, dummy_y);
    host.update();
    EXPECT_EQ(board.icon_bitmap(dummy_icon), 3140);
}

TEST(ElecBoard, WithoutSoundEverySwitchStillWorks) {
    Host host;
    host.platform_faults().failing_step = platform::SoundStep::create_device;
    PlacedGauge& board = host.place("Elec_Board");
    for (const Switch& s : switches) host.click(board, s.x + 13, s.y + 37);
    host.click(board, dummy_x, dummy_y);
    EXPECT_EQ(host.key_events().size(), 10u);
    host.update();
    EXPECT_EQ(board.icon_bitmap(dummy_icon), 3141);
    EXPECT_EQ(board.icon_bitmap(9), 3141);
    EXPECT_TRUE(host.sounds_played().empty());
}

TEST(ElecBoard, AreasOutsideTheSwitchBoxesDoNothing) {
    Host host;
    PlacedGauge& board = host.place("Elec_Board");
    for (auto [x, y] : {std::pair{20, 50}, {300, 150}, {550, 200}, {500, 50}, {41 + 26, 50}, {54, 17 + 74}})
        EXPECT_FALSE(host.click(board, x, y)) << x << "," << y;
    EXPECT_TRUE(host.key_events().empty());
}

}  // namespace
