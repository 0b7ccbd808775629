#include "host/core/simulation.h"

#include <algorithm>
#include <iterator>

#include "module/simulator.h"

namespace korvel::host {

namespace {

using Effect = void (*)(SimulatorState&, std::uint32_t value);

struct Rule {
    std::uint32_t event;
    Effect effect;
};

std::int32_t panel_id(std::uint32_t value) { return static_cast<std::int32_t>(value); }

void open_window(SimulatorState& s, std::uint32_t value) { s.windows.open(panel_id(value)); }
void close_window(SimulatorState& s, std::uint32_t value) { s.windows.close(panel_id(value)); }
void toggle_window(SimulatorState& s, std::uint32_t value) { s.windows.toggle(panel_id(value)); }

// Ordered by event number.
constexpr Rule rules[] = {
    {event::toggle_panel_window, toggle_window},
    {event::open_panel_window, open_window},
    {event::close_panel_window, close_window},
};

constexpr bool ordered() {
    for (std::size_t i = 1; i < std::size(rules); ++i)
        if (rules[i - 1].event >= rules[i].event) return false;
    return true;
}
static_assert(ordered(), "simulation rules must be ordered by event number");

const Rule* find(std::uint32_t event) {
    const Rule* it = std::lower_bound(std::begin(rules), std::end(rules), event,
                                      [](const Rule& r, std::uint32_t e) { return r.event < e; });
    return it != std::end(rules) && it->event == event ? it : nullptr;
}

}  // namespace

bool apply_event(SimulatorState& state, std::uint32_t event, std::uint32_t value) {
    const Rule* rule = find(event);
    if (rule == nullptr) return false;
    rule->effect(state, value);
    return true;
}

bool models_event(std::uint32_t event) { return find(event) != nullptr; }

}  // namespace korvel::host
