#include "host/core/simulation.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>

#include "module/vocabulary.h"

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
    step(s.variables, token::barometric_setting_inhg, barometric_step, lowest_barometric, highest_barometric);
}
void barometric_down(SimulatorState& s, std::uint32_t) {
    step(s.variables, token::barometric_setting_inhg, -barometric_step, lowest_barometric, highest_barometric);
}

void heading_bug_up(SimulatorState& s, std::uint32_t) { turn(s.variables, token::heading_bug_degrees, 1.0); }
void heading_bug_down(SimulatorState& s, std::uint32_t) { turn(s.variables, token::heading_bug_degrees, -1.0); }

// The gyro setting knob drifts the gyro by a degree per step; the setting is
// counted in 65536ths of a turn and the gyro's card follows it.
constexpr double setting_per_degree = 65536.0 / 360.0;
void gyro_setting(SimulatorState& s, double degrees) {
    s.variables.set(token::gyro_setting, s.variables.number(token::gyro_setting) + degrees * setting_per_degree);
    turn(s.variables, token::gyro_heading_degrees, degrees);
}
void gyro_setting_up(SimulatorState& s, std::uint32_t) { gyro_setting(s, 1.0); }
void gyro_setting_down(SimulatorState& s, std::uint32_t) { gyro_setting(s, -1.0); }

// A caged attitude gyro shows the aircraft level, its flag down.
void attitude_cage(SimulatorState& s, std::uint32_t) {
    s.variables.set(token::pitch_degrees, 0.0);
    s.variables.set(token::bank_degrees, 0.0);
    s.variables.set_word(token::attitude_flag_condition_b, 0);
}

// COM1 tunes whole MHz within 118-136, wrapping round and keeping the kHz,
// and 25 kHz steps that carry into the MHz (121.975 up is 122.000) and wrap
// round the band's ends (136.975 up is 118.000), as the simulator's carrying
// fraction events do.
constexpr std::uint32_t com_lowest_mhz = 118;
constexpr std::uint32_t com_highest_mhz = 136;
constexpr std::uint32_t com_step_khz = 25;
constexpr std::uint32_t com_channels_per_mhz = 1000 / com_step_khz;

struct Vhf {
    std::uint32_t mhz;
    std::uint32_t khz;  // 0 to 999
};

// The word keeps hundredths; a last digit of 2 or 7 is a 25 kHz channel.
Vhf vhf_of(std::uint32_t word) {
    const std::uint32_t digits = from_bcd(word & 0xFFFFu);
    const std::uint32_t hundredths = digits % 100u;
    const std::uint32_t last = hundredths % 10u;
    return {100u + digits / 100u, hundredths * 10u + (last == 2u || last == 7u ? 5u : 0u)};
}

std::uint32_t wrap_step(std::uint32_t value, int step, std::uint32_t lowest, std::uint32_t highest) {
    const int span = int(highest - lowest) + 1;
    const int offset = ((int(value) - int(lowest) + step) % span + span) % span;
    return lowest + std::uint32_t(offset);
}

Vhf com_frequency(const SimulatorState& s) {
    const Vhf f = vhf_of(s.variables.word(token::com1_frequency));
    if (f.mhz < com_lowest_mhz || f.mhz > com_highest_mhz) return {com_lowest_mhz, 0};
    return f;
}

void com_whole_step(SimulatorState& s, int step) {
    Vhf f = com_frequency(s);
    f.mhz = wrap_step(f.mhz, step, com_lowest_mhz, com_highest_mhz);
    s.variables.set_word(token::com1_frequency, vhf_word(f.mhz, f.khz));
}

// The band counted in channels from 118.000, so that a step carries.
void com_channel_step(SimulatorState& s, int step) {
    const Vhf f = com_frequency(s);
    const std::uint32_t last = (com_highest_mhz - com_lowest_mhz + 1) * com_channels_per_mhz - 1;
    const std::uint32_t channel = (f.mhz - com_lowest_mhz) * com_channels_per_mhz + f.khz / com_step_khz;
    const std::uint32_t next = wrap_step(channel, step, 0, last);
    s.variables.set_word(token::com1_frequency, vhf_word(com_lowest_mhz + next / com_channels_per_mhz,
                                                         next % com_channels_per_mhz * com_step_khz));
}
void com1_whole_down(SimulatorState& s, std::uint32_t) { com_whole_step(s, -1); }
void com1_whole_up(SimulatorState& s, std::uint32_t) { com_whole_step(s, 1); }
void com1_fraction_down(SimulatorState& s, std::uint32_t) { com_channel_step(s, -1); }
void com1_fraction_up(SimulatorState& s, std::uint32_t) { com_channel_step(s, 1); }

// The NAV receivers tune whole MHz within 108-117 and 50 kHz steps.
constexpr std::uint32_t nav_lowest_mhz = 108;
constexpr std::uint32_t nav_highest_mhz = 117;
constexpr std::uint32_t nav_step_khz = 50;

void nav_step(SimulatorState& s, std::uint32_t token, int mhz_step, int khz_step) {
    Vhf f = vhf_of(s.variables.word(token));
    if (f.mhz < nav_lowest_mhz || f.mhz > nav_highest_mhz) f = {nav_lowest_mhz, 0};
    f.mhz = wrap_step(f.mhz, mhz_step, nav_lowest_mhz, nav_highest_mhz);
    f.khz = wrap_step(f.khz / nav_step_khz, khz_step, 0, 19) * nav_step_khz;
    s.variables.set_word(token, vhf_word(f.mhz, f.khz));
}
void nav1_whole_down(SimulatorState& s, std::uint32_t) { nav_step(s, token::nav1_frequency, -1, 0); }
void nav1_whole_up(SimulatorState& s, std::uint32_t) { nav_step(s, token::nav1_frequency, 1, 0); }
void nav1_fraction_down(SimulatorState& s, std::uint32_t) { nav_step(s, token::nav1_frequency, 0, -1); }
void nav1_fraction_up(SimulatorState& s, std::uint32_t) { nav_step(s, token::nav1_frequency, 0, 1); }
void nav2_whole_down(SimulatorState& s, std::uint32_t) { nav_step(s, token::nav2_frequency, -1, 0); }
void nav2_whole_up(SimulatorState& s, std::uint32_t) { nav_step(s, token::nav2_frequency, 1, 0); }
void nav2_fraction_down(SimulatorState& s, std::uint32_t) { nav_step(s, token::nav2_frequency, 0, -1); }
void nav2_fraction_up(SimulatorState& s, std::uint32_t) { nav_step(s, token::nav2_frequency, 0, 1); }

// The ADF tunes in tenths of kHz, carrying into the kHz, from 100.0 to
// 1799.9 kHz round again.
constexpr std::uint32_t adf_lowest_tenths = 1000;
constexpr std::uint32_t adf_highest_tenths = 17999;

void adf_step(SimulatorState& s, int tenths) {
    std::uint32_t f = adf_tenths(s.variables);
    if (f < adf_lowest_tenths || f > adf_highest_tenths) f = adf_lowest_tenths;
    set_adf_tenths(s.variables, wrap_step(f, tenths, adf_lowest_tenths, adf_highest_tenths));
}
void adf_tenth_down(SimulatorState& s, std::uint32_t) { adf_step(s, -1); }
void adf_tenth_up(SimulatorState& s, std::uint32_t) { adf_step(s, 1); }
void adf_khz_down(SimulatorState& s, std::uint32_t) { adf_step(s, -10); }
void adf_khz_up(SimulatorState& s, std::uint32_t) { adf_step(s, 10); }
// The value is the frequency in tenths of kHz, in BCD.
void adf_frequency_set(SimulatorState& s, std::uint32_t value) {
    const std::uint32_t tenths = from_bcd(value);
    if (tenths >= adf_lowest_tenths && tenths <= adf_highest_tenths) set_adf_tenths(s.variables, tenths);
}

void adf_audio_off(SimulatorState& s, std::uint32_t) { s.variables.set(token::adf_audio, 0.0); }
void adf_audio_on(SimulatorState& s, std::uint32_t) { s.variables.set(token::adf_audio, 1.0); }
void nav1_audio_off(SimulatorState& s, std::uint32_t) { s.nav1_audio = false; }
void nav1_audio_on(SimulatorState& s, std::uint32_t) { s.nav1_audio = true; }
void nav2_audio_off(SimulatorState& s, std::uint32_t) { s.nav2_audio = false; }
void nav2_audio_on(SimulatorState& s, std::uint32_t) { s.nav2_audio = true; }

// The transponder's digits each run 0 to 7 and wrap.
void transponder_step(SimulatorState& s, int digit, int step) {
    const std::uint32_t shift = 4u * std::uint32_t(digit);
    std::uint32_t word = s.variables.word(token::transponder) & 0xFFFFu;
    const std::uint32_t value = (word >> shift) & 0xFu;
    const std::uint32_t next = wrap_step(value > 7u ? 0u : value, step, 0, 7);
    word = (word & ~(0xFu << shift)) | (next << shift);
    s.variables.set_word(token::transponder, word);
}
void transponder_thousands_up(SimulatorState& s, std::uint32_t) { transponder_step(s, 3, 1); }
void transponder_hundreds_up(SimulatorState& s, std::uint32_t) { transponder_step(s, 2, 1); }
void transponder_tens_up(SimulatorState& s, std::uint32_t) { transponder_step(s, 1, 1); }
void transponder_units_up(SimulatorState& s, std::uint32_t) { transponder_step(s, 0, 1); }
void transponder_thousands_down(SimulatorState& s, std::uint32_t) { transponder_step(s, 3, -1); }
void transponder_hundreds_down(SimulatorState& s, std::uint32_t) { transponder_step(s, 2, -1); }
void transponder_tens_down(SimulatorState& s, std::uint32_t) { transponder_step(s, 1, -1); }
void transponder_units_down(SimulatorState& s, std::uint32_t) { transponder_step(s, 0, -1); }

void nav1_course_set(SimulatorState& s, std::uint32_t value) {
    s.variables.set(token::nav1_course_degrees, value % 360u);
}

void open_window(SimulatorState& s, std::uint32_t value) { s.windows.open(panel_id(value)); }
void close_window(SimulatorState& s, std::uint32_t value) { s.windows.close(panel_id(value)); }
void toggle_window(SimulatorState& s, std::uint32_t value) { s.windows.toggle(panel_id(value)); }

void toggle_system(VariableStore& vars, std::uint32_t token) { vars.set(token, vars.number(token) > 0.0 ? 0.0 : 1.0); }

template <std::uint32_t system>
void flip(SimulatorState& s, std::uint32_t) {
    toggle_system(s.variables, system);
}

// The starter is held while its events keep coming and springs back an
// update after the last one.
void starter(SimulatorState& s, std::uint32_t) {
    s.variables.set(token::starter, 1.0);
    s.starter_held_cycles = 2;
}

// The value is signed (the simulator's reverse range lies below 0); the
// lever travels from closed to fully open and no further.
constexpr std::int32_t throttle_full = 16384;
void throttle_set(SimulatorState& s, std::uint32_t value) {
    const std::int32_t position = std::clamp(static_cast<std::int32_t>(value), 0, throttle_full);
    s.variables.set(token::throttle_lever, double(position) / throttle_full);
}
void engine_on_switch(SimulatorState& s, std::uint32_t) { toggle_system(s.variables, token::engine_on_system); }
void engine_on_start(SimulatorState& s, std::uint32_t) { s.variables.set(token::engine_on_condition, 1.0); }
void engine_on_lever(SimulatorState& s, std::uint32_t value) { s.engine_on_lever = value; }

constexpr auto rules = [] {
    // clang-format off
    std::array<Rule, 57> table = {{
        // panel windows
        {event::toggle_panel_window, toggle_window},
        {event::open_panel_window, open_window},
        {event::close_panel_window, close_window},
        // flight instruments
        {event::gyro_setting_up, gyro_setting_up},
        {event::gyro_setting_down, gyro_setting_down},
        {event::heading_bug_up, heading_bug_up},
        {event::heading_bug_down, heading_bug_down},
        {event::barometric_up, barometric_up},
        {event::barometric_down, barometric_down},
        {event::attitude_cage, attitude_cage},
        // radios
        {event::com1_whole_down, com1_whole_down},
        {event::com1_whole_up, com1_whole_up},
        {event::com1_fraction_down, com1_fraction_down},
        {event::com1_fraction_up, com1_fraction_up},
        {event::nav1_whole_down, nav1_whole_down},
        {event::nav1_whole_up, nav1_whole_up},
        {event::nav1_fraction_down, nav1_fraction_down},
        {event::nav1_fraction_up, nav1_fraction_up},
        {event::nav2_whole_down, nav2_whole_down},
        {event::nav2_whole_up, nav2_whole_up},
        {event::nav2_fraction_down, nav2_fraction_down},
        {event::nav2_fraction_up, nav2_fraction_up},
        {event::adf_tenth_down, adf_tenth_down},
        {event::adf_tenth_up, adf_tenth_up},
        {event::adf_khz_down, adf_khz_down},
        {event::adf_khz_up, adf_khz_up},
        {event::adf_frequency_set, adf_frequency_set},
        {event::nav1_audio_off, nav1_audio_off},
        {event::nav1_audio_on, nav1_audio_on},
        {event::nav2_audio_off, nav2_audio_off},
        {event::nav2_audio_on, nav2_audio_on},
        {event::adf_audio_off, adf_audio_off},
        {event::adf_audio_on, adf_audio_on},
        {event::transponder_thousands_up, transponder_thousands_up},
        {event::transponder_hundreds_up, transponder_hundreds_up},
        {event::transponder_tens_up, transponder_tens_up},
        {event::transponder_units_up, transponder_units_up},
        {event::transponder_thousands_down, transponder_thousands_down},
        {event::transponder_hundreds_down, transponder_hundreds_down},
        {event::transponder_tens_down, transponder_tens_down},
        {event::transponder_units_down, transponder_units_down},
        {event::nav1_course_set, nav1_course_set},
        // electrical board
        {event::starter, starter},
        {event::generator, flip<token::generator>},
        {event::battery, flip<token::battery>},
        {event::pitot_heat, flip<token::pitot_heat>},
        {event::navigation_lights, flip<token::navigation_lights>},
        {event::beacon_lights, flip<token::beacon_lights>},
        {event::strobe_lights, flip<token::strobe_lights>},
        {event::landing_lights, flip<token::landing_lights>},
        {event::panel_lights, flip<token::panel_lights>},
        {event::avionics_master, flip<token::avionics_master>},
        // engine
        {event::throttle_set, throttle_set},
        {event::engine_on_switch, engine_on_switch},
        {event::engine_on_start, engine_on_start},
        {event::engine_on_lever, engine_on_lever},
        {0, nullptr},
    }};
    // clang-format on
    std::sort(table.begin(), table.end() - 1, [](const Rule& a, const Rule& b) { return a.event < b.event; });
    return table;
}();

constexpr bool ordered() {
    for (std::size_t i = 1; i + 1 < rules.size(); ++i)
        if (rules[i - 1].event >= rules[i].event) return false;
    return true;
}
static_assert(ordered(), "every event has one rule");

const Rule* find(std::uint32_t event) {
    const auto end = rules.end() - 1;
    const Rule* it =
        std::lower_bound(rules.begin(), end, event, [](const Rule& r, std::uint32_t e) { return r.event < e; });
    return it != end && it->event == event ? it : nullptr;
}

}  // namespace

std::uint32_t to_bcd(std::uint32_t decimal) {
    std::uint32_t word = 0;
    for (std::uint32_t shift = 0; decimal != 0 && shift < 32; shift += 4, decimal /= 10)
        word |= (decimal % 10) << shift;
    return word;
}

std::uint32_t from_bcd(std::uint32_t word) {
    std::uint32_t decimal = 0;
    for (std::uint32_t scale = 1; word != 0; word >>= 4, scale *= 10) decimal += (word & 0xFu) * scale;
    return decimal;
}

std::uint32_t vhf_word(std::uint32_t mhz, std::uint32_t khz) { return to_bcd((mhz % 100u) * 100u + khz / 10u); }

void set_adf_tenths(VariableStore& variables, std::uint32_t tenths) {
    const std::uint32_t khz = tenths / 10u;
    variables.set_word(token::adf_frequency, to_bcd(khz % 1000u));
    variables.set_word(token::adf_extended, (khz >= 1000u ? 0x100u : 0u) + tenths % 10u);
}

std::uint32_t adf_tenths(const VariableStore& variables) {
    const std::uint32_t frequency = variables.word(token::adf_frequency);
    const std::uint32_t extended = variables.word(token::adf_extended);
    const std::uint32_t khz = (extended >= 0x100u ? 1000u : 0u) + from_bcd(frequency & 0xFFFu);
    return khz * 10u + (extended >= 0x100u ? extended - 0x100u : extended) % 10u;
}

bool apply_event(SimulatorState& state, std::uint32_t event, std::uint32_t value) {
    const Rule* rule = find(event);
    if (rule == nullptr) return false;
    rule->effect(state, value);
    return true;
}

bool models_event(std::uint32_t event) { return find(event) != nullptr; }

void advance_cycle(SimulatorState& state) {
    if (state.starter_held_cycles > 0 && --state.starter_held_cycles == 0) state.variables.set(token::starter, 0.0);
}

}  // namespace korvel::host
