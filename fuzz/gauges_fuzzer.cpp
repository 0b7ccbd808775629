// The whole module as a careless or hostile host might drive it: gauges
// placed at random, with or without a parameter string, services in any
// order (kill before install, installs twice, updates after kill), any
// value in any variable (NaN, infinities and the extremes included), clicks
// with any flags at any point, tooltips anywhere. Nothing may crash, read
// out of bounds or hit undefined behaviour, and every text stays in its box.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/fuzz_host.h"
#include "platform/platform_log.h"

namespace {

using korvel::host::Host;
using korvel::host::MouseButton;
using korvel::host::PlacedGauge;

// clang-format off
constexpr double special_numbers[] = {std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::max(),
                                      std::numeric_limits<double>::lowest(),
                                      std::numeric_limits<double>::denorm_min(),
                                      -0.0,
                                      2147483648.0,
                                      -2147483649.0,
                                      4294967296.0};
// clang-format on

// Every service but install, which the host sends with its module handle.
// clang-format off
constexpr std::int32_t service_numbers[] = {service_update, service_kill, service_connect, 0, 1, 3, 4, 5,
                                            7, 8, 9, 10, 11, 13, 15, 16, -1};
// clang-format on

double some_number(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            return in.PickValueInArray(special_numbers);
        case 1:
            return in.ConsumeIntegralInRange(-100000, 100000);
        case 2:
            return in.ConsumeFloatingPointInRange(-1000.0, 1000.0);
        default:
            return in.ConsumeFloatingPoint<double>();
    }
}

std::uint32_t some_token(FuzzedDataProvider& in) {
    return in.ConsumeIntegralInRange<std::uint32_t>(1, korvel::host::VariableStore::token_limit - 1);
}

std::int32_t some_coordinate(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.ConsumeIntegralInRange(-8, 700) : in.ConsumeIntegral<std::int32_t>();
}

void check_texts(const PlacedGauge& gauge) {
    for (std::size_t i = 0; i < gauge.element_count(); ++i) {
        const ElementHeader& e = *gauge.element(i).record;
        if (e.kind != element_string) continue;
        FUZZ_CHECK(gauge.text(i).size() <= reinterpret_cast<const StringElement&>(e).max_characters);
    }
}

void drive(Host& host, FuzzedDataProvider& in) {
    const std::vector<GaugeHeader*> table = host.gauge_table();
    std::vector<PlacedGauge*> placed;
    const auto pick = [&]() -> PlacedGauge* {
        return placed.empty() ? nullptr : placed[in.ConsumeIntegralInRange<std::size_t>(0, placed.size() - 1)];
    };
    for (int step = 0; step < 200 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 12)) {
            case 0: {  // placed as a panel places it
                GaugeHeader* header = table[in.ConsumeIntegralInRange<std::size_t>(0, table.size() - 1)];
                if (in.ConsumeBool()) {
                    placed.push_back(&host.place(*header, in.ConsumeRandomLengthString(40)));
                } else {
                    placed.push_back(&host.place(*header));
                }
                break;
            }
            case 1: {  // placed but not yet installed
                GaugeHeader* header = table[in.ConsumeIntegralInRange<std::size_t>(0, table.size() - 1)];
                placed.push_back(&host.prepare(*header));
                break;
            }
            case 2:
                if (PlacedGauge* g = pick()) host.install_service(*g);
                break;
            case 3:
                if (PlacedGauge* g = pick()) {
                    const std::int32_t number = in.PickValueInArray(service_numbers);
                    host.service(*g, number, in.ConsumeIntegral<std::uint32_t>());
                }
                break;
            case 4:
                if (PlacedGauge* g = pick()) host.kill(*g);
                break;
            case 5:
                host.variables().set(some_token(in), some_number(in));
                break;
            case 6:
                host.variables().set_word(some_token(in), in.ConsumeIntegral<std::uint32_t>());
                break;
            case 7:
                host.update(in.ConsumeIntegralInRange(1, 4));
                break;
            case 8:
                if (PlacedGauge* g = pick()) {
                    const std::int32_t x = some_coordinate(in), y = some_coordinate(in);
                    host.click(*g, x, y, in.ConsumeBool() ? MouseButton::left : MouseButton::right);
                }
                break;
            case 9:
                if (PlacedGauge* g = pick()) {
                    const std::int32_t x = some_coordinate(in), y = some_coordinate(in);
                    host.mouse_event(*g, x, y, in.ConsumeIntegral<std::uint32_t>() & 0xA0A00000u,
                                     in.ConsumeIntegral<std::uint32_t>());
                }
                break;
            case 10:
                if (PlacedGauge* g = pick()) {
                    const std::int32_t x = some_coordinate(in), y = some_coordinate(in);
                    const auto tip = host.tooltip(*g, x, y);
                    FUZZ_CHECK(tip.text.size() < 1024);
                }
                break;
            case 11:
                if (PlacedGauge* g = pick()) {
                    const std::int32_t x = some_coordinate(in), y = some_coordinate(in);
                    if (in.ConsumeBool()) {
                        host.hold(*g, x, y, in.ConsumeIntegralInRange(0, 40),
                                  in.ConsumeBool() ? MouseButton::left : MouseButton::right);
                    } else {
                        // clang-format off
                        const PixelPoint path[] = {{some_coordinate(in), some_coordinate(in)},
                                                   {some_coordinate(in), some_coordinate(in)}};
                        // clang-format on
                        host.drag(*g, x, y, path);
                    }
                }
                break;
            default:
                if (PlacedGauge* g = pick()) host.update(*g);
                break;
        }
    }
    host.update();
    for (const PlacedGauge* g : placed) check_texts(*g);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    {
        fuzz::FreshHost fresh;
        drive(fresh.host, in);
    }
    // Taking the panel down gave back every sound object the module made.
    FUZZ_CHECK(platform::platform_log().live_buffers() == 0);
    FUZZ_CHECK(platform::platform_log().live_devices() == 0);
    return 0;
}
