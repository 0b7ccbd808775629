#include "host/core/simulation.h"

#include <algorithm>
#include <cmath>
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

double wrapped_degrees(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d < 0.0) d += 360.0;
    return d;
}

void step(VariableStore& vars, std::uint32_t token, double by, double lowest, double highest) {
    vars.set(token, std::clamp(vars.number(token) + by, lowest, highest));
}

void turn(VariableStore& vars, std::uint32_t token, double by) {
    vars.set(token, wrapped_degrees(vars.number(token) + by));
}

// The barometric setting moves by a hundredth of an inch of mercury per
// step, within the simulator's range.
constexpr double barometric_step = 0.01;
constexpr double lowest_barometric = 27.0;
constexpr double highest_barometric = 32.0;
void barometric_up(SimulatorState& s, std::uint32_t) {
    step(s.variables, token::barometric_setting, barometric_step, lowest_barometric, highest_barometric);
}
void barometric_down(SimulatorState& s, std::uint32_t) {
    step(s.variables, token::barometric_setting, -barometric_step, lowest_barometric, highest_barometric);
}

void heading_bug_up(SimulatorState& s, std::uint32_t) { turn(s.variables, token::heading_bug, 1.0); }
void heading_bug_down(SimulatorState& s, std::uint32_t) { turn(s.variables, token::heading_bug, -1.0); }

// The gyro setting knob drifts the gyro by a degree per step; the setting is
// counted in 65536ths of a turn and the gyro's card follows it.
constexpr double setting_per_degree = 65536.0 / 360.0;
void gyro_setting(SimulatorState& s, double degrees) {
    s.variables.set(token::gyro_setting, s.variables.number(token::gyro_setting) + degrees * setting_per_degree);
    turn(s.variables, token::gyro_heading, degrees);
}
void gyro_setting_up(SimulatorState& s, std::uint32_t) { gyro_setting(s, 1.0); }
void gyro_setting_down(SimulatorState& s, std::uint32_t) { gyro_setting(s, -1.0); }

// A caged attitude gyro shows the aircraft level, its flag down.
void attitude_cage(SimulatorState& s, std::uint32_t) {
    s.variables.set(token::pitch, 0.0);
    s.variables.set(token::bank, 0.0);
    s.variables.set_word(token::attitude_flag_condition_b, 0);
}

void open_window(SimulatorState& s, std::uint32_t value) { s.windows.open(panel_id(value)); }
void close_window(SimulatorState& s, std::uint32_t value) { s.windows.close(panel_id(value)); }
void toggle_window(SimulatorState& s, std::uint32_t value) { s.windows.toggle(panel_id(value)); }

// Ordered by event number.
constexpr Rule rules[] = {
    {event::gyro_setting_up, gyro_setting_up},
    {event::gyro_setting_down, gyro_setting_down},
    {event::heading_bug_up, heading_bug_up},
    {event::heading_bug_down, heading_bug_down},
    {event::barometric_up, barometric_up},
    {event::barometric_down, barometric_down},
    {event::attitude_cage, attitude_cage},
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
