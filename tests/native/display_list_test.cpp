// The geometry both painters follow: where each bitmap of a gauge lands, what
// clips and masks it, how strongly it shows, and what text is set where. The
// cases speak in what the pilot sees: a needle at its dial mark, a card
// turned to the heading, a drum showing its digit, the plate's text.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <stdexcept>

#include "host/core/host.h"
#include "host/render/display_list.h"
#include "host/render/renderer.h"
#include "module/vocabulary.h"
#include "tests/whole_panel.h"

namespace {

using korvel::host::Host;
using korvel::host::PlacedGauge;
using korvel::render::BitmapSize;
using korvel::render::BitmapSizes;
using korvel::render::DisplayItem;
using korvel::render::DisplayList;
using korvel::render::Image;
using korvel::render::Matrix;
using korvel::render::Text;

struct Point {
    double x;
    double y;
};

Point map(const Matrix& m, double x, double y) { return {m.xx * x + m.xy * y + m.x0, m.yx * x + m.yy * y + m.y0}; }

// Where a direction in the bitmap points in the gauge, as a unit vector.
Point direction(const Matrix& m, double dx, double dy) {
    const double x = m.xx * dx + m.xy * dy, y = m.yx * dx + m.yy * dy;
    const double length = std::hypot(x, y);
    return {x / length, y / length};
}

testing::AssertionResult near(Point p, double x, double y, double tolerance = 1e-6) {
    if (std::abs(p.x - x) <= tolerance && std::abs(p.y - y) <= tolerance) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << p.x << ", " << p.y << ") is not (" << x << ", " << y << ")";
}

DisplayList list_of(Host& host, const PlacedGauge& g) {
    return korvel::render::display_list(g, korvel::render::module_bitmap_sizes(host.library()));
}

const DisplayItem* item_for(const DisplayList& list, std::size_t element) {
    for (const DisplayItem& item : list.items)
        if (item.element == element) return &item;
    return nullptr;
}

// Copies, so that they outlive the list they came from.
Image image_of(const DisplayList& list, std::size_t element) {
    const DisplayItem* item = item_for(list, element);
    if (item == nullptr) throw std::logic_error("element " + std::to_string(element) + " is not in the list");
    return std::get<Image>(item->draw);
}

Text text_of(const DisplayList& list, std::size_t element) {
    const DisplayItem* item = item_for(list, element);
    if (item == nullptr) throw std::logic_error("element " + std::to_string(element) + " is not in the list");
    return std::get<Text>(item->draw);
}

BitmapSize size_of(Host& host, std::int32_t bitmap) {
    return korvel::render::module_bitmap_sizes(host.library())(bitmap).value();
}

bool finite(const Matrix& m) {
    for (double v : {m.xx, m.yx, m.xy, m.yy, m.x0, m.y0})
        if (!std::isfinite(v)) return false;
    return true;
}

// ---------------------------------------------------------------------------
// Needles

TEST(DisplayList, ANeedleTurnsAboutItsPivotClockwiseAsTheValueRises) {
    Host host;
    PlacedGauge& airspeed = host.place("Airspeed");
    const std::size_t main_pointer = 2;
    const ElementHeader& pointer = *airspeed.element(main_pointer).record;
    struct Reading {
        double knots;
        Point towards;  // where the pointer's tip lies from the pivot, on the dial
    };
    // Nought at twelve o'clock, 500 knots at six, 250 somewhere on the right half.
    for (const Reading r : {Reading{0, {0, -1}}, Reading{500, {0, 1}}}) {
        SCOPED_TRACE(r.knots);
        host.variables().set(token::indicated_airspeed_knots, r.knots);
        host.update();
        const Image needle = image_of(list_of(host, airspeed), main_pointer);
        EXPECT_EQ(needle.bitmap, pointer.resource_id);
        EXPECT_TRUE(
            near(map(needle.transform, pointer.centre.x, pointer.centre.y), pointer.position.x, pointer.position.y))
            << "the bitmap's pivot sits on the dial's";
        // Needle bitmaps point along +x.
        EXPECT_TRUE(near(direction(needle.transform, 1, 0), r.towards.x, r.towards.y, 0.02));
    }
    host.variables().set(token::indicated_airspeed_knots, 250);
    host.update();
    const Point at_250 = direction(image_of(list_of(host, airspeed), main_pointer).transform, 1, 0);
    EXPECT_GT(at_250.x, 0.5) << "from nought the pointer went clockwise";
}

TEST(DisplayList, ANeedleWithoutRowsTurnsByItsValueInDegrees) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    const std::size_t bug = 2;
    host.variables().set(token::gyro_heading_degrees, 0);
    host.variables().set(token::heading_bug_degrees, 90);
    host.update();
    const Image east = image_of(list_of(host, dg), bug);
    // The bug stands upright in its bitmap; 90 degrees right of the heading
    // puts it at three o'clock.
    EXPECT_TRUE(near(direction(east.transform, 0, -1), 1, 0));
    const ElementHeader& h = *dg.element(bug).record;
    EXPECT_TRUE(near(map(east.transform, h.centre.x, h.centre.y), h.position.x, h.position.y));
}

TEST(DisplayList, NeedlesStayDrawableWhateverTheirValue) {
    Host host;
    PlacedGauge& airspeed = host.place("Airspeed");
    PlacedGauge& dg = host.place("Directional_Gyro");
    const std::size_t bug = 2;
    for (const double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -1e300}) {
        SCOPED_TRACE(v);
        host.variables().set(token::indicated_airspeed_knots, v);
        host.variables().set(token::heading_bug_degrees, v);
        host.update();
        for (const auto& [gauge, needle] :
             {std::pair{&airspeed, std::size_t{1}}, std::pair{&airspeed, std::size_t{2}}, std::pair{&dg, bug}}) {
            const Image image = image_of(list_of(host, *gauge), needle);
            EXPECT_TRUE(finite(image.transform)) << gauge->name() << " needle " << needle;
            // Still a turn: no shear, no scale, whatever the angle.
            EXPECT_NEAR(image.transform.xx * image.transform.yy - image.transform.xy * image.transform.yx, 1.0, 1e-9);
        }
        if (!std::isfinite(v)) {
            EXPECT_TRUE(near(direction(image_of(list_of(host, dg), bug).transform, 1, 0), 1, 0))
                << "a bug with no angle stands as its bitmap does";
        }
    }
}

// ---------------------------------------------------------------------------
// Sprites

TEST(DisplayList, TheHeadingCardTurnsAgainstTheHeadingSeenThroughItsMask) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    const std::size_t card = 1;
    const ElementHeader& h = *dg.element(card).record;
    host.variables().set(token::gyro_heading_degrees, 90);
    host.update();
    const Image image = image_of(list_of(host, dg), card);
    const BitmapSize texture = size_of(host, h.resource_id);
    EXPECT_EQ(image.bitmap, h.resource_id);
    EXPECT_TRUE(near(map(image.transform, texture.width / 2.0, texture.height / 2.0), h.centre.x, h.centre.y))
        << "the card's middle on the gauge's centre point";
    // Flying east, north is on the left: the card turned counter-clockwise.
    EXPECT_TRUE(near(direction(image.transform, 0, -1), -1, 0));
    ASSERT_TRUE(image.mask.has_value());
    EXPECT_EQ(image.mask->bitmap, h.resource_id + 1);
    EXPECT_EQ(image.mask->x, h.position.x);
    EXPECT_EQ(image.mask->y, h.position.y);
    EXPECT_FALSE(image.clip.has_value());
    EXPECT_EQ(image.alpha, 1.0);
}

TEST(DisplayList, TheHorizonBarMovesWithPitchAndKeepsItsTextureScale) {
    Host host;
    PlacedGauge& attitude = host.place("Attitude");
    const std::size_t horizon = 1;
    const auto& sprite = *reinterpret_cast<const SpriteElement*>(attitude.element(horizon).record);
    const BitmapSize texture = size_of(host, sprite.header.resource_id);
    host.variables().set(token::pitch_degrees, 10);
    host.variables().set(token::bank_degrees, 0);
    host.update();
    const Image level = image_of(list_of(host, attitude), horizon);
    const Point middle = map(level.transform, texture.width / 2.0, texture.height / 2.0);
    EXPECT_TRUE(near(middle, sprite.header.centre.x, sprite.header.centre.y + 10 * sprite.y_scale));
    // The texture's own scales: a pixel across stays a pixel, one down shrinks.
    const Point across = map(level.transform, texture.width / 2.0 + 1, texture.height / 2.0);
    const Point down = map(level.transform, texture.width / 2.0, texture.height / 2.0 + 1);
    EXPECT_NEAR(std::hypot(across.x - middle.x, across.y - middle.y), sprite.texture_scale_x, 1e-9);
    EXPECT_NEAR(std::hypot(down.x - middle.x, down.y - middle.y), sprite.texture_scale_y, 1e-9);

    // A pitch that gives no point leaves the bar out rather than drawing it anywhere.
    host.variables().set(token::pitch_degrees, std::nan(""));
    host.update();
    const DisplayList lost = list_of(host, attitude);
    EXPECT_EQ(item_for(lost, horizon), nullptr);
    EXPECT_NE(item_for(lost, horizon + 1), nullptr) << "the rest of the gauge still draws";
}

// ---------------------------------------------------------------------------
// Sliders, icons, moving images

TEST(DisplayList, TheThrottleLeverSlidesFromClosedAtTheBottomToOpenAtTheTop) {
    Host host;
    PlacedGauge& throttle = host.place("Throttle_Quadrant");
    const std::size_t lever = 1;
    const ElementHeader& h = *throttle.element(lever).record;
    for (const auto& [open, y] : {std::pair{0.0, double(h.position.y)}, std::pair{1.0, 0.0}}) {
        host.variables().set(token::throttle_lever, open);
        host.update();
        const Image image = image_of(list_of(host, throttle), lever);
        EXPECT_TRUE(near(map(image.transform, 0, 0), h.position.x, y)) << "lever at " << open;
        EXPECT_TRUE(near(direction(image.transform, 1, 0), 1, 0)) << "a slider is not turned";
    }
}

TEST(DisplayList, AnIconShowsTheBitmapItsValuePicksAndNothingForNone) {
    Host host;
    PlacedGauge& attitude = host.place("Attitude");
    const std::size_t flag = 4;
    host.variables().set(token::attitude_flag_condition_a, 0);
    host.variables().set(token::attitude_flag_condition_b, 0);
    host.update();
    EXPECT_EQ(item_for(list_of(host, attitude), flag), nullptr) << "no flag while the gyro is good";
    host.variables().set(token::attitude_flag_condition_a, 1);
    host.update();
    const Image shown = image_of(list_of(host, attitude), flag);
    EXPECT_EQ(shown.bitmap, attitude.element(flag).record->resource_id);
    EXPECT_EQ(shown.alpha, 1.0) << "an icon of scale other than 0 is no drum";

    // The main switch's two pictures, one for each position.
    PlacedGauge& com = host.place("Radio_COM");
    const std::size_t main_switch = 2;
    const std::int32_t first = com.element(main_switch).record->resource_id;
    host.update();
    const std::int32_t before = image_of(list_of(host, com), main_switch).bitmap;
    ASSERT_TRUE(before == first || before == first + 1) << before;
    host.click(com, 79, 87);
    host.update();
    EXPECT_EQ(image_of(list_of(host, com), main_switch).bitmap, before == first ? first + 1 : first);
    host.click(com, 79, 87);
    host.update();
    EXPECT_EQ(image_of(list_of(host, com), main_switch).bitmap, before);
}

TEST(DisplayList, DrumsShowTheirDigitThroughTheirWindowDimmedWhileTheRadioIsOff) {
    Host host;
    PlacedGauge& nav = host.place("Radio_NAV1");
    const std::size_t tenths = 2, hundreds = 5, main_switch = 9;  // a moving image, an icon of scale 0
    host.update();
    const ElementHeader& h = *nav.element(tenths).record;
    const BitmapSize strip = size_of(host, h.resource_id), window = size_of(host, h.resource_id + 1);
    ASSERT_GT(strip.height, window.height);

    std::set<double> alphas;
    const auto check_drums = [&] {
        const DisplayList list = list_of(host, nav);
        const bool on = image_of(list, main_switch).bitmap == nav.element(main_switch).record->resource_id + 1;
        const Image drum = image_of(list, tenths);
        EXPECT_EQ(drum.alpha, on ? 1.0 : 0.45);
        EXPECT_EQ(image_of(list, hundreds).alpha, on ? 1.0 : 0.45);
        alphas.insert(drum.alpha);
        ASSERT_TRUE(drum.clip.has_value());
        EXPECT_EQ(*drum.clip, (korvel::render::Rect{double(h.position.x), double(h.position.y), double(window.width),
                                                    double(window.height)}));
        ASSERT_TRUE(drum.mask.has_value());
        EXPECT_EQ(*drum.mask, (korvel::render::Mask{h.resource_id + 1, double(h.position.x), double(h.position.y)}));
        // The strip runs over its length less the window's for the digits 0 to 10.
        const double digit = nav.element(tenths).y;
        EXPECT_TRUE(
            near(map(drum.transform, 0, 0), h.position.x, h.position.y - digit / 10.0 * (strip.height - window.height)))
            << "digit " << digit;
    };
    check_drums();
    host.click(nav, 115, 100);  // the main switch
    host.update();
    check_drums();
    for (int step = 0; step < 3; ++step) {
        host.click(nav, 310, 30);  // the fraction knob turns the drums
        host.update();
        check_drums();
    }
    EXPECT_EQ(alphas, (std::set<double>{0.45, 1.0})) << "seen both off and on";
}

// ---------------------------------------------------------------------------
// Strings

TEST(DisplayList, TheRegistrationPlateCarriesItsTextAsUtf8InItsBoxAndStyle) {
    Host host;
    host.simulator().atc_id = "F-K\xB0RV";  // a degree sign, in the module's code page
    PlacedGauge& plate = host.place("Registration");
    host.update();
    const Text text = text_of(list_of(host, plate), 1);
    EXPECT_EQ(text.text, "F-K\xC2\xB0RV");
    EXPECT_EQ(text.box, (korvel::render::Rect{0, 0, 150, 25}));
    EXPECT_EQ(text.font_face, "Arial");
    EXPECT_EQ(text.font_weight, 400);
    EXPECT_NEAR(text.font_size, 25 * 0.72, 1e-9);
    EXPECT_EQ(text.colour, (korvel::render::Colour{255, 255, 255}));
    EXPECT_TRUE(text.centred_across);
    EXPECT_TRUE(text.centred_down);
}

TEST(DisplayList, AStringsFaceAndColourComeFromItsRecordAsTheParametersLeftIt) {
    Host host;
    // Copies of a gauge share its records, as in the simulator: each placing
    // restyles the plate.
    PlacedGauge& named = host.place("Registration",
                                    "r200 g100 b50 f\xC9"
                                    "cran Large");
    host.update();
    const Text text = text_of(list_of(host, named), 1);
    EXPECT_EQ(text.font_face,
              "\xC3\x89"
              "cran Large");
    EXPECT_EQ(text.colour, (korvel::render::Colour{200, 100, 50}));
    PlacedGauge& unnamed = host.place("Registration", "f");
    host.update();
    EXPECT_EQ(text_of(list_of(host, unnamed), 1).font_face, "sans-serif") << "a record without a face";

    PlacedGauge& com = host.place("Radio_COM");
    host.click(com, 270, 20);
    host.update();
    const Text frequency = text_of(list_of(host, com), 3);
    EXPECT_EQ(frequency.text, "121.800");
    EXPECT_EQ(frequency.font_weight, 700);
}

// ---------------------------------------------------------------------------
// What is left out, and the order of the rest

TEST(DisplayList, HiddenElementsAreLeftOutAndTheRestKeepChainOrder) {
    Host host;
    PlacedGauge& com = host.place("Radio_COM");
    host.update();
    const std::size_t frequency = 3;
    ASSERT_TRUE(com.hidden(frequency)) << "the window is dark while the radio is off";
    const DisplayList off = list_of(host, com);
    EXPECT_EQ(item_for(off, frequency), nullptr);
    host.click(com, 270, 20);
    host.update();
    const DisplayList on = list_of(host, com);
    EXPECT_NE(item_for(on, frequency), nullptr);

    PlacedGauge& airspeed = host.place("Airspeed");
    host.update();
    std::uint32_t& flags = airspeed.element(2).record->image_flags;
    flags |= image_hidden_flag;
    host.update(airspeed);
    const DisplayList hidden = list_of(host, airspeed);
    flags &= ~image_hidden_flag;
    host.update(airspeed);
    EXPECT_EQ(item_for(hidden, 2), nullptr);
    std::vector<std::size_t> order;
    for (const DisplayItem& item : hidden.items) order.push_back(item.element);
    EXPECT_EQ(order, (std::vector<std::size_t>{0, 1, 3}));
    const Image background = image_of(hidden, 0);
    EXPECT_EQ(background.transform, Matrix{}) << "the background covers the gauge at its own pixels";
    EXPECT_EQ(hidden.width, size_of(host, background.bitmap).width);
    EXPECT_EQ(hidden.height, size_of(host, background.bitmap).height);
}

TEST(DisplayList, MissingBitmapsLeaveTheirElementOutAndMissingMasksLeaveItUnmasked) {
    Host host;
    PlacedGauge& dg = host.place("Directional_Gyro");
    PlacedGauge& nav = host.place("Radio_NAV1");
    host.update();
    const BitmapSizes all = korvel::render::module_bitmap_sizes(host.library());
    const auto without = [&all](std::set<std::int32_t> gone) -> BitmapSizes {
        return [&all, gone](std::int32_t id) { return gone.contains(id) ? std::nullopt : all(id); };
    };
    const std::int32_t card = dg.element(1).record->resource_id;
    EXPECT_EQ(item_for(korvel::render::display_list(dg, without({card})), 1), nullptr);
    const Image unmasked = image_of(korvel::render::display_list(dg, without({card + 1})), 1);
    EXPECT_FALSE(unmasked.mask.has_value());

    // A drum without its window bitmap shows through a window the strip's size.
    const ElementHeader& drum = *nav.element(2).record;
    const Image windowless = image_of(korvel::render::display_list(nav, without({drum.resource_id + 1})), 2);
    EXPECT_FALSE(windowless.mask.has_value());
    const BitmapSize strip = size_of(host, drum.resource_id);
    EXPECT_EQ(windowless.clip, (korvel::render::Rect{double(drum.position.x), double(drum.position.y),
                                                     double(strip.width), double(strip.height)}));
    EXPECT_TRUE(near(map(windowless.transform, 0, 0), drum.position.x, drum.position.y)) << "no travel left";
}

// The server reads bitmap sizes from their headers, the tool from the
// decoded bitmaps: both must give every gauge the same list.
TEST(DisplayList, SizesFromHeadersAndFromDecodedBitmapsGiveTheSameLists) {
    Host host;
    const auto gauges = whole_panel::place_all(host);
    host.update(3);
    auto bitmaps = korvel::render::module_bitmaps(host);
    const BitmapSizes headers = korvel::render::module_bitmap_sizes(host.library());
    std::size_t items = 0;
    for (const PlacedGauge* g : gauges) {
        const DisplayList from_headers = korvel::render::display_list(*g, headers);
        EXPECT_EQ(from_headers, korvel::render::display_list(*g, korvel::render::sizes_of(bitmaps))) << g->name();
        items += from_headers.items.size();
    }
    EXPECT_GT(items, 150u);
}

TEST(DisplayList, EveryNumberIsFiniteWhateverTheVariablesHold) {
    for (const double v : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, -1e300}) {
        SCOPED_TRACE(v);
        Host host;
        const auto gauges = whole_panel::place_all(host);
        for (std::uint32_t token = 1; token < korvel::host::VariableStore::token_limit; ++token) {
            try {
                host.variables().set(token, v);
            } catch (const std::out_of_range&) {
            }
        }
        host.update(2);
        for (const PlacedGauge* g : gauges) {
            for (const DisplayItem& item : list_of(host, *g).items) {
                if (const auto* image = std::get_if<Image>(&item.draw)) {
                    EXPECT_TRUE(finite(image->transform)) << g->name() << " element " << item.element;
                    if (image->clip) {
                        EXPECT_TRUE(std::isfinite(image->clip->x + image->clip->y));
                    }
                }
            }
        }
    }
}

}  // namespace
