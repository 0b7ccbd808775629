// The module's bitmaps as the simulator loads them: every bitmap an element
// names or implies exists at its instrument's size, and black is kept for
// what the panel should show through.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "host/core/gauge_records.h"
#include "host/core/host.h"

namespace {

using korvel::host::Host;

struct Size {
    int width, height;
};

// Every bitmap of the module with the size its instrument gives it.
// clang-format off
const std::map<std::int32_t, Size> bitmap_sizes = {
    {40, {5, 5}},       {50, {150, 25}},    {60, {19, 19}},     {70, {12, 12}},     {80, {19, 19}},
    {100, {19, 19}},    {110, {19, 19}},    {120, {19, 19}},    {130, {19, 19}},    {140, {19, 19}},
    {150, {19, 19}},    {160, {19, 19}},    {170, {19, 19}},    {180, {19, 19}},    {190, {19, 19}},
    {200, {19, 19}},    {240, {48, 48}},    {250, {48, 48}},    {260, {300, 303}},  {270, {30, 190}},
    {280, {250, 250}},  {281, {250, 250}},  {290, {300, 303}},  {310, {262, 262}},  {320, {220, 220}},
    {321, {45, 54}},    {330, {149, 26}},   {340, {98, 28}},    {350, {75, 12}},    {360, {262, 262}},
    {370, {244, 244}},  {380, {127, 3}},    {390, {244, 244}},  {400, {300, 300}},  {410, {126, 16}},
    {420, {99, 30}},    {430, {300, 300}},  {460, {300, 300}},  {470, {300, 300}},  {480, {140, 14}},
    {490, {300, 300}},  {1000, {238, 238}}, {1020, {238, 238}}, {1030, {159, 30}},  {1040, {30, 38}},
    {1050, {40, 49}},   {1060, {238, 238}}, {1070, {234, 234}}, {1080, {130, 16}},  {1090, {85, 18}},
    {1100, {60, 22}},   {1110, {234, 234}}, {1120, {350, 130}}, {1130, {17, 17}},   {1140, {67, 58}},
    {1141, {67, 58}},   {1150, {98, 98}},   {1151, {98, 98}},   {1160, {300, 300}}, {1170, {157, 26}},
    {1180, {300, 300}}, {1190, {300, 300}}, {1200, {350, 130}}, {1210, {50, 50}},   {1220, {13, 198}},
    {1221, {13, 18}},   {1230, {13, 36}},   {1231, {13, 18}},   {1240, {13, 18}},   {1250, {36, 52}},
    {1251, {36, 52}},   {1260, {36, 52}},   {1261, {36, 52}},   {1270, {11, 11}},   {1290, {350, 130}},
    {1300, {350, 130}}, {1310, {64, 64}},   {1320, {66, 42}},   {1330, {64, 64}},   {1331, {64, 64}},
    {1340, {11, 11}},   {1350, {64, 64}},   {1351, {64, 64}},   {1360, {195, 195}}, {1361, {94, 76}},
    {1370, {195, 195}}, {1380, {350, 250}}, {1390, {350, 250}}, {1400, {261, 99}},  {1410, {9, 187}},
    {1411, {9, 17}},    {1420, {28, 68}},   {1421, {28, 68}},   {1430, {12, 12}},   {1440, {26, 32}},
    {1441, {26, 32}},   {1450, {150, 150}}, {1460, {16, 47}},   {1470, {49, 12}},   {1480, {20, 48}},
    {1490, {14, 14}},   {2000, {300, 300}}, {2010, {256, 256}}, {2011, {224, 224}}, {2020, {110, 10}},
    {2030, {160, 33}},  {2040, {300, 300}}, {2050, {37, 50}},   {2060, {58, 58}},   {2070, {300, 300}},
    {2080, {208, 20}},  {2090, {201, 33}},  {2100, {240, 240}}, {2101, {300, 300}}, {2110, {300, 300}},
    {2120, {154, 4}},   {2130, {154, 4}},   {2140, {29, 23}},   {2141, {29, 23}},   {2150, {25, 6}},
    {2151, {25, 6}},    {2160, {264, 264}}, {2161, {264, 264}}, {2170, {300, 300}}, {2180, {40, 40}},
    {2181, {40, 40}},   {2190, {41, 41}},   {2191, {41, 41}},   {2192, {41, 41}},   {2200, {40, 40}},
    {2210, {40, 40}},   {2211, {40, 40}},   {2212, {40, 40}},   {2213, {40, 40}},   {2220, {33, 29}},
    {2230, {33, 29}},   {2240, {260, 260}}, {2250, {148, 30}},  {2260, {142, 30}},  {2270, {260, 260}},
    {2280, {200, 200}}, {2290, {110, 36}},  {2300, {200, 200}}, {2310, {200, 200}}, {2340, {180, 180}},
    {2350, {180, 180}}, {2360, {102, 18}},  {2370, {180, 180}}, {2380, {244, 244}}, {2390, {127, 3}},
    {2400, {244, 244}}, {2410, {300, 300}}, {2420, {102, 22}},  {2430, {149, 26}},  {2440, {300, 300}},
    {2450, {76, 49}},   {2460, {292, 23}},  {2461, {76, 23}},   {2470, {38, 38}},   {2480, {38, 38}},
    {3000, {300, 300}}, {3010, {130, 26}},  {3020, {300, 300}}, {3030, {300, 300}}, {3040, {300, 300}},
    {3050, {300, 150}}, {3060, {300, 150}}, {3070, {250, 250}}, {3071, {250, 125}}, {3080, {250, 250}},
    {3081, {250, 125}}, {3090, {79, 79}},   {3100, {79, 79}},   {3110, {95, 275}},  {3120, {91, 85}},
    {3130, {600, 221}}, {3140, {26, 74}},   {3141, {26, 74}},   {3150, {21, 21}},   {3151, {21, 21}},
    {3160, {51, 31}},   {3170, {51, 31}},   {3171, {51, 31}},
};
// clang-format on

// A device independent bitmap as the resource holds it.
struct Dib {
    std::span<const unsigned char> bytes;
    std::uint32_t u32(std::size_t at) const {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t(bytes[at + 3]) << 24;
    }
    int width() const { return int(u32(4)); }
    int height() const { return std::abs(int(u32(8))); }
    int bits() const { return bytes[14] | bytes[15] << 8; }
    // The colour of a pixel (x from the left, y from the top) as 0xRRGGBB.
    std::uint32_t pixel(int x, int y) const {
        const std::size_t row = ((std::size_t(width()) * bits() / 8) + 3) & ~std::size_t{3};
        const std::size_t palette = u32(0);
        const std::uint32_t colours = bits() == 8 ? (u32(32) == 0 ? 256 : u32(32)) : 0;
        const std::size_t pixels = palette + 4 * colours;
        const int stored_row = int(u32(8)) < 0 ? y : height() - 1 - y;
        const std::size_t at = pixels + row * stored_row + std::size_t(x) * bits() / 8;
        const std::size_t c = bits() == 8 ? palette + 4 * std::size_t{bytes[at]} : at;
        return std::uint32_t(bytes[c + 2]) << 16 | std::uint32_t(bytes[c + 1]) << 8 | bytes[c];
    }
    double black_share() const {
        int black = 0;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x) black += pixel(x, y) == 0;
        return double(black) / (width() * height());
    }
};

std::optional<Dib> bitmap(Host& host, std::int32_t id) {
    const auto bytes = host.library().resource(2, static_cast<std::uint32_t>(id));
    if (!bytes || bytes->size() < 40) return std::nullopt;
    return Dib{*bytes};
}

TEST(Bitmaps, EveryBitmapAnElementNamesOrImpliesExistsAtItsInstrumentsSize) {
    Host host;
    std::set<std::int32_t> implied;
    for (GaugeHeader* g : host.gauge_table()) {
        for (const ElementHeader* e : korvel::host::elements_of(*g)) {
            if (e->kind == element_string) continue;
            implied.insert(e->resource_id);
            if (e->kind == element_sprite || e->kind == element_moving_image) implied.insert(e->resource_id + 1);
            if (e->kind == element_icon) {
                const auto* icon = reinterpret_cast<const IconElement*>(e);
                for (std::uint32_t k = 0; k < icon->image_count; ++k) implied.insert(e->resource_id + std::int32_t(k));
            }
        }
    }
    for (std::int32_t face = 100; face <= 200; face += 10) implied.insert(face);
    EXPECT_EQ(implied.size(), 183u);
    for (std::int32_t id : implied) {
        SCOPED_TRACE("bitmap " + std::to_string(id));
        ASSERT_TRUE(bitmap_sizes.count(id)) << "a bitmap no instrument describes";
        const auto dib = bitmap(host, id);
        ASSERT_TRUE(dib) << "missing";
        EXPECT_EQ(dib->width(), bitmap_sizes.at(id).width);
        EXPECT_EQ(dib->height(), bitmap_sizes.at(id).height);
        EXPECT_TRUE(dib->bits() == 8 || dib->bits() == 24);
    }
    for (const auto& [id, size] : bitmap_sizes) EXPECT_TRUE(implied.count(id)) << id << " is named by no element";
    EXPECT_FALSE(bitmap(host, 1001)) << "no bitmap beyond the module's own";
}

TEST(Bitmaps, TheButtonsAreSmallPalettedImagesAndTheKneeboardKeepsItsColours) {
    Host host;
    for (std::int32_t id = 100; id <= 200; id += 10) EXPECT_EQ(bitmap(host, id)->bits(), 8) << id;
    EXPECT_EQ(bitmap(host, 60)->bits(), 24);
}

TEST(Bitmaps, BlackIsWhereThePanelShowsThrough) {
    Host host;
    for (std::int32_t id : {40, 50, 100}) EXPECT_EQ(bitmap(host, id)->black_share(), 1.0) << id << " is invisible";
    // Round instruments leave their case's corners to the panel and draw their
    // face in a near-black, never black.
    for (std::int32_t id : {400, 310, 460, 2000, 1000, 1070, 2240, 2280, 2170, 370, 1160, 2410, 3020}) {
        const auto dib = bitmap(host, id);
        EXPECT_EQ(dib->pixel(0, 0), 0u) << id;
        EXPECT_NE(dib->pixel(dib->width() / 2, dib->height() / 2), 0u) << id << " has a face at its centre";
    }
    // Glass leaves the dial readable: almost all of it lets what is under show.
    for (std::int32_t id : {430, 360, 490, 2040, 1060, 1110, 2270, 2300, 2070, 390, 2400, 2440})
        EXPECT_GT(bitmap(host, id)->black_share(), 0.85) << id;
    // Needles are mostly transparent around their blade.
    for (std::int32_t id : {410, 420, 480, 1170, 2250, 2080, 2090})
        EXPECT_GT(bitmap(host, id)->black_share(), 0.3) << id;
}

}  // namespace
