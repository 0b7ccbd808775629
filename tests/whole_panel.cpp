#include "tests/whole_panel.h"

#include <stdexcept>
#include <string>

namespace whole_panel {

namespace {

struct Parameters {
    std::string_view gauge;
    std::string_view text;
};

// As the example panel writes them.
// clang-format off
constexpr Parameters example_parameters[] = {
    {"Radios_Toggle", "tRADIO_STACK_PANEL"},
    {"Electricity_Toggle", "tANNUNCIATOR_PANEL"},
    {"Fuel_Toggle", "tMINI_CONTROLS_PANEL hTOGGLE_FUEL_WINDOW"},
    {"Throttle_Toggle", "tTHROTTLE_PANEL"},
    {"Compass_Toggle", "tCOMPASS_PANEL"},
    {"GPS_Toggle", "tGPS_PANEL"},
    {"VFR_Panel_Toggle", "p1"},
    {"IFR_Panel_Toggle", "p-1"},
    {"Landing_View_Toggle", "p0"},
    {"Invisible_Toggle", "tTHROTTLE_PANEL"},
    {"Close_Subpanel", "cRADIO_STACK_PANEL"},
};
// clang-format on

}  // namespace

std::optional<std::string_view> parameters_for(std::string_view gauge) {
    for (const Parameters& p : example_parameters)
        if (p.gauge == gauge) return p.text;
    return std::nullopt;
}

std::vector<PlacedGauge*> place_all(Host& host) {
    std::vector<PlacedGauge*> placed;
    for (GaugeHeader* header : host.gauge_table()) placed.push_back(&host.place(*header, parameters_for(header->name)));
    return placed;
}

std::vector<ClickSpot> click_spots(std::span<PlacedGauge* const> gauges) {
    std::vector<ClickSpot> spots;
    for (PlacedGauge* g : gauges) {
        std::size_t index = 0;
        for (const auto& child : g->mouse().children()) {
            const auto size = g->size();
            std::int32_t x = 0, y = 0;
            if (!child.area.unbounded) {
                x = child.area.box.x + child.area.box.width / 2;
                y = child.area.box.y + child.area.box.height / 2;
            } else if (size) {
                x = size->width / 2;
                y = size->height / 2;
            }
            const bool left = (child.rect->accepted_events & mouse_left_click) != 0;
            spots.push_back({g, index++, x, y, left ? MouseButton::left : MouseButton::right});
        }
    }
    return spots;
}

ClickSpot spot(std::span<PlacedGauge* const> gauges, std::string_view gauge, std::size_t area) {
    for (const ClickSpot& s : click_spots(gauges))
        if (s.gauge->name() == gauge && s.area == area) return s;
    throw std::out_of_range("no click area " + std::to_string(area) + " on " + std::string(gauge));
}

}  // namespace whole_panel
