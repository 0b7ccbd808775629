// Whatever the simulator reports, every gauge gives a defined picture: no
// undefined behaviour in any callback (the sanitizer build watches), needles
// that point somewhere, texts within their boxes, icons that show one of
// their images or none.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "host/core/host.h"

namespace {

using korvel::host::Host;
using korvel::host::MouseButton;
using korvel::host::PlacedGauge;

constexpr double inf = std::numeric_limits<double>::infinity();
// clang-format off
constexpr double hostile_numbers[] = {std::numeric_limits<double>::quiet_NaN(),
                                      inf,
                                      -inf,
                                      std::numeric_limits<double>::max(),
                                      -std::numeric_limits<double>::max(),
                                      std::numeric_limits<double>::denorm_min(),
                                      -0.0,
                                      1e300,
                                      2147483648.0,
                                      -2147483649.0,
                                      4294967296.0,
                                      -1.0};
// clang-format on
constexpr std::uint32_t hostile_words[] = {0u, 1u, 2u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0x99999999u};

// Every variable the module's gauges read.
// clang-format off
constexpr std::uint32_t read_tokens[] = {
    // flight instruments
    61, 65, 69, 70, 74, 76, 78, 80, 83, 84, 85, 276, 279, 335, 351, 557, 612, 855, 868,
    // radios and navigation indicators
    16, 18, 23, 24, 27, 38, 39, 40, 41, 43, 44, 45, 46, 55, 59, 550, 880,
    // engine and aircraft systems
    10, 11, 13, 14, 60, 289, 290, 291, 292, 293, 294, 297, 298, 299, 300, 320, 321, 326, 330, 332, 333, 334,
    364, 368, 418, 558, 561, 563, 565, 604, 614, 619, 620, 625, 627, 631, 732, 740, 759, 761, 887, 895};
// clang-format on

void expect_defined_picture(Host& host, std::vector<PlacedGauge*>& gauges) {
    host.update();
    for (PlacedGauge* g : gauges) {
        for (std::size_t i = 0; i < g->element_count(); ++i) {
            const ElementHeader& e = *g->element(i).record;
            if (e.kind == element_needle) {
                const auto pose = g->needle_pose(i);
                EXPECT_TRUE(std::isfinite(pose.x) && std::isfinite(pose.y)) << g->name() << " needle " << i;
            } else if (e.kind == element_icon) {
                const auto bitmap = g->icon_bitmap(i);
                const auto& icon = reinterpret_cast<const IconElement&>(e);
                if (bitmap) {
                    EXPECT_LT(std::uint32_t(*bitmap - e.resource_id), icon.image_count) << g->name();
                }
            } else if (e.kind == element_string) {
                const auto& s = reinterpret_cast<const StringElement&>(e);
                EXPECT_LE(g->text(i).size(), s.max_characters) << g->name();
            } else if (e.kind == element_moving_image) {
                const auto t = g->travel(i);
                EXPECT_TRUE(t.x >= 0 && t.x <= 1 && t.y >= 0 && t.y <= 1) << g->name();
            }
        }
        host.service(*g, 2, host.library().handle());
        host.connect(*g);
        for (const auto& child : g->mouse().children()) {
            const PixelBox& b = child.area.box;
            host.click(*g, b.x + b.width / 2, b.y + b.height / 2, MouseButton::left);
            host.click(*g, b.x + b.width / 2, b.y + b.height / 2, MouseButton::right);
        }
        for (const auto& parent : g->mouse().parents()) {
            const PixelBox& b = parent.area.box;
            const auto tip = host.tooltip(*g, b.x + b.width / 2, b.y + b.height / 2);
            EXPECT_LT(tip.text.size(), 1024u);
        }
    }
}

class HostileValues : public testing::Test {
protected:
    void SetUp() override {
        for (GaugeHeader* g : host.gauge_table()) gauges.push_back(&host.place(g->name));
    }
    Host host;
    std::vector<PlacedGauge*> gauges;
};

TEST_F(HostileValues, EachVariableTheGaugesReadTakesEveryHostileValue) {
    for (std::uint32_t token : read_tokens) {
        SCOPED_TRACE("token " + std::to_string(token));
        if (korvel::host::VariableStore::type(token) == korvel::host::VariableType::word) {
            for (std::uint32_t w : hostile_words) {
                host.variables().set_word(token, w);
                expect_defined_picture(host, gauges);
            }
        } else {
            for (double v : hostile_numbers) {
                host.variables().set(token, v);
                expect_defined_picture(host, gauges);
            }
        }
        host.variables().reset_to_parked();
    }
}

TEST_F(HostileValues, EveryVariableAtOnce) {
    for (double v : hostile_numbers) {
        SCOPED_TRACE(v);
        for (std::uint32_t token = 1; token < korvel::host::VariableStore::token_limit; ++token)
            host.variables().set(token, v);
        expect_defined_picture(host, gauges);
        expect_defined_picture(host, gauges);
    }
}

}  // namespace
