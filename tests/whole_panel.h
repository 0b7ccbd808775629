// The whole panel for the endurance tests and the benchmark: every gauge of
// the module placed once, the panel buttons with the parameter strings the
// example panel gives them, and a spot in every click area.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "host/core/host.h"

namespace whole_panel {

using korvel::host::Host;
using korvel::host::MouseButton;
using korvel::host::PlacedGauge;

// The parameter string of a gauge on the example panel, or none.
std::optional<std::string_view> parameters_for(std::string_view gauge);

// Every gauge of the module's table, placed once in table order.
std::vector<PlacedGauge*> place_all(Host& host);

// The centre of a click area, and a button it takes.
struct ClickSpot {
    PlacedGauge* gauge;
    std::size_t area;  // index among the gauge's click areas
    std::int32_t x;
    std::int32_t y;
    MouseButton button;
};

// One spot per click area of each gauge, in table and list order.
std::vector<ClickSpot> click_spots(std::span<PlacedGauge* const> gauges);

// A spot in a named gauge's click area of that index; throws
// std::out_of_range when there is none.
ClickSpot spot(std::span<PlacedGauge* const> gauges, std::string_view gauge, std::size_t area);

}  // namespace whole_panel
