// Parameter strings, as a panel designer might write them (or mistype them),
// for every gauge that reads one: the panel buttons through install, clicks,
// their tooltip and kill; the registration plate through install and
// updates. The first byte picks the gauge, the rest is the string.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_host.h"

namespace {

// clang-format off
constexpr const char* readers[] = {
    "Invisible_Toggle", "Close_Subpanel",      "Radios_Toggle",    "Landing_View_Toggle",
    "GPS_Toggle",       "Throttle_Toggle",     "Compass_Toggle",   "Fuel_Toggle",
    "VFR_Panel_Toggle", "IFR_Panel_Toggle",    "Electricity_Toggle", "Registration",
};
// clang-format on

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    fuzz::FreshHost fresh;
    auto& host = fresh.host;
    const char* name = readers[data[0] % std::size(readers)];
    const std::string_view parameters(reinterpret_cast<const char*>(data + 1), size - 1);

    auto& gauge = host.place(name, parameters);
    host.update(3);
    for (const auto& child : gauge.mouse().children()) {
        const auto& box = child.area.box;
        const std::int32_t x = child.area.unbounded ? 1 : box.x + box.width / 2;
        const std::int32_t y = child.area.unbounded ? 1 : box.y + box.height / 2;
        host.click(gauge, x, y, korvel::host::MouseButton::left);
        host.click(gauge, x, y, korvel::host::MouseButton::right);
        (void)host.tooltip(gauge, x, y);
    }
    host.update(2);
    for (std::size_t i = 0; i < gauge.element_count(); ++i) {
        const ElementHeader& e = *gauge.element(i).record;
        if (e.kind != element_string) continue;
        const auto& s = reinterpret_cast<const StringElement&>(e);
        FUZZ_CHECK(gauge.text(i).size() <= s.max_characters);
    }
    // At most the hundred steps of a p key, and one event per other key.
    FUZZ_CHECK(host.key_events().size() <= 100 + parameters.size());
    host.kill(gauge);
    return 0;
}
