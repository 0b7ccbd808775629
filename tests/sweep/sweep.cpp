// The two builds side by side: the whole panel driven through a long run of
// random panel states from a fixed seed, natively and against the real DLL
// under Wine, each state written as one 64-bit hash of a canonical text of
// everything the panel shows and asks. scripts/sweep holds the two runs
// against each other and, at the first state whose hashes differ, runs both
// again with --dump to print that state's inputs and the lines that differ.
//
//   korvel_sweep [--seed S] [--states N] --out FILE      hashes, one line a state
//   korvel_sweep [--seed S] --dump K --out FILE          state K in full
//
// Everything the two runs must agree on is generated the same way on both:
// the random numbers come from our own splitmix64 and every double is made
// from an exact bit pattern or from integers by one correctly rounded
// division, never from a standard library distribution or math function,
// whose results are the library's own.
//
// Every field is compared bit for bit, with no tolerance, the needle angles
// included: those come from the host's atan2 and hypot over the needle
// tables' points (a fixed set) and then plain arithmetic, and glibc and the
// MinGW runtime agree on every one of those points. The dial point at the end
// of the needle (the sine and cosine of the angle) is not compared: it is a
// function of the angle alone, and the two libraries' sin and cos may round
// differently. A NaN is written as "nan", whatever its sign and payload (see
// Text::bits).
//
// The NaNs drawn are quiet ones, of every sign and payload. A signalling NaN
// cannot reach the module unchanged in the 32-bit build: a double returned
// from a function comes back on the x87 stack, which quiets it, in the host
// as well as in the module.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/host.h"
#include "host/core/variables.h"
#include "module/linkage.h"
#include "module/vocabulary.h"
#include "tests/whole_panel.h"

namespace {

using korvel::host::Host;
using korvel::host::MouseButton;
using korvel::host::PlacedGauge;
using korvel::host::VariableStore;
using korvel::host::VariableType;

constexpr std::uint64_t default_seed = 0x4B6F7276656C3034;  // "Korvel04"
constexpr std::uint64_t default_states = 20000;

// ---------------------------------------------------------------------------
// Random numbers

struct SplitMix64 {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
        return z ^ (z >> 31);
    }
    std::uint64_t below(std::uint64_t n) { return next() % n; }
    bool one_in(std::uint64_t n) { return below(n) == 0; }
    std::int64_t between(std::int64_t lo, std::int64_t hi) {
        return lo + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(hi - lo) + 1));
    }
    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }
};

double from_bits(std::uint64_t bits) {
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

std::uint64_t bits_of(double d) {
    std::uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

constexpr std::uint64_t exponent_mask = 0x7FF0000000000000;
constexpr std::uint64_t mantissa_mask = 0x000FFFFFFFFFFFFF;
constexpr std::uint64_t quiet_bit = 0x0008000000000000;

// A signalling NaN made quiet, keeping its sign and the rest of its payload.
std::uint64_t quieted(std::uint64_t bits) {
    if ((bits & exponent_mask) == exponent_mask && (bits & mantissa_mask) != 0) bits |= quiet_bit;
    return bits;
}

// ---------------------------------------------------------------------------
// The variables the module reads, with the span of ordinary values each
// takes in flight (in thousandths, so that the ranges stay integers). The
// run fails if the module reads a token that is not here.

struct Input {
    std::uint32_t token;
    const char* name;
    std::int64_t lowest_milli;
    std::int64_t highest_milli;
};

constexpr std::int64_t k = 1000;

// clang-format off
constexpr Input inputs[] = {
    {token::panel_lights, "panel_lights", 0, 1 * k},
    {token::strobe_lights, "strobe_lights", 0, 1 * k},
    {token::pitot_heat, "pitot_heat", 0, 1 * k},
    {token::landing_lights, "landing_lights", 0, 1 * k},
    {token::adf_frequency, "adf_frequency", 0, 0},
    {token::adf_extended, "adf_extended", 0, 0},
    {token::com1_frequency, "com1_frequency", 0, 0},
    {token::nav1_frequency, "nav1_frequency", 0, 0},
    {token::nav2_frequency, "nav2_frequency", 0, 0},
    {token::transponder, "transponder", 0, 0},
    {token::adf_bearing, "adf_bearing", -360 * k, 360 * k},
    {token::nav1_localizer, "nav1_localizer", -127 * k, 127 * k},
    {token::nav1_glideslope, "nav1_glideslope", -119 * k, 119 * k},
    {token::nav1_to_from, "nav1_to_from", 0, 0},
    {token::nav1_glideslope_flag, "nav1_glideslope_flag", 0, 1 * k},
    {token::nav1_course_degrees, "nav1_course", 0, 360 * k},
    {token::nav1_station_info, "nav1_station_info", 0, 0},
    {token::nav2_station_info, "nav2_station_info", 0, 0},
    {token::nav2_bearing, "nav2_bearing", 0, 360 * k},
    {token::shut_down_condition, "shut_down_condition", 0, 2 * k},
    {token::indicated_airspeed_knots, "indicated_airspeed", 0, 600 * k},
    {token::vertical_speed_256th_mps, "vertical_speed", -8000 * k, 8000 * k},
    {token::ball_deflection, "ball_deflection", -128 * k, 127 * k},
    {token::turn_rate_256ths, "turn_rate", -2048 * k, 2048 * k},
    {token::indicated_altitude_feet, "indicated_altitude", -1500 * k, 60000 * k},
    {token::barometric_setting_inhg, "barometric_setting", 26 * k, 33 * k},
    {token::pitch_degrees, "pitch", -90 * k, 90 * k},
    {token::bank_degrees, "bank", -180 * k, 180 * k},
    {token::magnetic_heading_degrees, "magnetic_heading", 0, 360 * k},
    {token::gyro_heading_degrees, "gyro_heading", 0, 360 * k},
    {token::gyro_setting, "gyro_setting", -65536 * k, 65536 * k},
    {token::attitude_flag_condition_a, "attitude_flag_condition_a", 0, 0},
    {token::attitude_flag_condition_b, "attitude_flag_condition_b", 0, 0},
    {token::center_tank_level, "center_tank_level", 0, 8388608 * k},
    {token::center_tank_capacity_gallons, "center_tank_capacity", 0, 120 * k},
    {token::main_left_tank_level, "main_left_tank_level", 0, 8388608 * k},
    {token::main_left_tank_capacity_gallons, "main_left_tank_capacity", 0, 120 * k},
    {token::aux_left_tank_level, "aux_left_tank_level", 0, 8388608 * k},
    {token::aux_left_tank_capacity_gallons, "aux_left_tank_capacity", 0, 120 * k},
    {token::main_right_tank_level, "main_right_tank_level", 0, 8388608 * k},
    {token::main_right_tank_capacity_gallons, "main_right_tank_capacity", 0, 120 * k},
    {token::aux_right_tank_level, "aux_right_tank_level", 0, 8388608 * k},
    {token::aux_right_tank_capacity_gallons, "aux_right_tank_capacity", 0, 120 * k},
    {token::left_brake, "left_brake", 0, 32768 * k},
    {token::right_brake, "right_brake", 0, 32768 * k},
    {token::speed_brake, "speed_brake", 0, 16383 * k},
    {token::flaps_position, "flaps_position", 0, 16383 * k},
    {token::nose_gear, "nose_gear", 0, 16383 * k},
    {token::left_gear, "left_gear", 0, 16383 * k},
    {token::right_gear, "right_gear", 0, 16383 * k},
    {token::unit_setting, "unit_setting", 0, 0},
    {token::load_factor_624th_g, "load_factor", -3 * 624 * k, 9 * 624 * k},
    {token::battery, "battery", 0, 1 * k},
    {token::beacon_lights, "beacon_lights", 0, 1 * k},
    {token::oil_pressure, "oil_pressure", 0, 12000 * k},
    {token::nav1_bearing, "nav1_bearing", 0, 360 * k},
    {token::time_of_day_seconds, "time_of_day", 0, 86400 * k},
    {token::throttle_lever, "throttle_lever", 0, 1 * k},
    {token::oil_temperature_rankine, "oil_temperature", 400 * k, 900 * k},
    {token::starter, "starter", 0, 1 * k},
    {token::generator, "generator", 0, 1 * k},
    {token::running_clock_seconds, "running_clock", 0, 100000 * k},
    {token::attitude_bars, "attitude_bars", -100 * k, 100 * k},
    {token::gear_warning_lever, "gear_warning_lever", 0, 1 * k},
    {token::navigation_lights, "navigation_lights", 0, 1 * k},
    {token::engine_on_system, "engine_on_system", 0, 1 * k},
    {token::engine_regime, "engine_regime", 0, 5 * k},
    {token::engine_rpm_percent, "engine_rpm_percent", 0, 115 * k},
    {token::turbine_temperature_rankine, "turbine_temperature", 400 * k, 2000 * k},
    {token::reservoir_pressure, "reservoir_pressure", 0, 200000 * k},
    {token::avionics_master, "avionics_master", 0, 1 * k},
    {token::generator_bus_voltage, "generator_bus_voltage", 0, 30 * k},
    {token::generator_load, "generator_load", 0, 200 * k},
    {token::heading_bug_degrees, "heading_bug", 0, 360 * k},
    {token::cabin_unpressurized, "cabin_unpressurized", 0, 1 * k},
    {token::adf_audio, "adf_audio", 0, 1 * k},
    {token::fire_detected, "fire_detected", 0, 1 * k},
    {token::engine_on_condition, "engine_on_condition", 0, 1 * k},
};
// clang-format on

bool is_word(const Input& input) { return VariableStore::type(input.token) == VariableType::word; }

// Doubles that sit where conversions, comparisons and formats have their
// edges: zeros, infinities, quiet NaNs, the ends of the finite range and of
// the denormals, and the ends of the 32- and 64-bit integer ranges.
// clang-format off
constexpr std::uint64_t edge_doubles[] = {
    0x0000000000000000, 0x8000000000000000,  // +0, -0
    0x7FF0000000000000, 0xFFF0000000000000,  // +inf, -inf
    0x7FF8000000000000, 0xFFF8000000000000,  // quiet NaN, and the x86 default NaN
    0x7FF8000000000001, 0x7FFFFFFFFFFFFFFF, 0xFFFC00000000BEEF,  // NaNs with payloads
    0x7FEFFFFFFFFFFFFF, 0xFFEFFFFFFFFFFFFF,  // the largest finite
    0x0010000000000000, 0x8010000000000000,  // the smallest normal
    0x0000000000000001, 0x8000000000000001,  // the smallest denormal
    0x000FFFFFFFFFFFFF, 0x800FFFFFFFFFFFFF,  // the largest denormal
    0x41DFFFFFFFC00000, 0x41E0000000000000,  // 2^31 - 1, 2^31
    0xC1E0000000000000, 0xC1E0000000200000,  // -2^31, -2^31 - 1
    0x41EFFFFFFFE00000, 0x41F0000000000000,  // 2^32 - 1, 2^32
    0x4340000000000000, 0x4340000000000001,  // 2^53, 2^53 + 2
    0x43E0000000000000, 0xC3E0000000000000,  // 2^63, -2^63
    0x43F0000000000000,                      // 2^64
    0x7E37E43C8800759C, 0xFE37E43C8800759C,  // 1e300, -1e300
    0x3FE0000000000000, 0xBFE0000000000000,  // 0.5, -0.5
    0x3FEFFFFFFFFFFFFF, 0xBFF0000000000000,  // the double below 1, -1
    0x3FF0000000000000, 0x4000000000000000,  // 1, 2
};
// clang-format on

constexpr std::uint32_t edge_words[] = {0, 1, 2, 3, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x10000, 0xFFFF, 0x9999};

// An ordinary value of the input's span, sometimes a little beyond it: a
// decimal with up to three places (the values a panel designer writes and
// the simulator reports), a binary fraction (exact halfway cases for every
// format), or a full-precision value near one.
double ordinary(SplitMix64& rng, const Input& input) {
    const std::int64_t span = input.highest_milli - input.lowest_milli;
    const std::int64_t margin = rng.one_in(4) ? span / 8 : 0;
    const std::int64_t milli = rng.between(input.lowest_milli - margin, input.highest_milli + margin);
    switch (rng.below(4)) {
        case 0:
            return static_cast<double>(milli / k);
        case 1: {
            constexpr std::int64_t scales[] = {10, 100, 1000};
            const std::int64_t scale = rng.pick(scales);
            return static_cast<double>(milli / (k / scale)) / static_cast<double>(scale);
        }
        case 2: {
            constexpr int shifts[] = {1, 2, 3, 4, 8, 16, 24};
            const int shift = rng.pick(shifts);
            const std::int64_t scaled = milli * (std::int64_t{1} << shift) / k;
            return static_cast<double>(scaled) / static_cast<double>(std::int64_t{1} << shift);
        }
        default: {
            const std::int64_t scaled = milli * (std::int64_t{1} << 24) / k;
            std::uint64_t bits = bits_of(static_cast<double>(scaled) / static_cast<double>(std::int64_t{1} << 24));
            if ((bits & exponent_mask) != 0) bits ^= rng.next() & 0xFFFFF;
            return from_bits(bits);
        }
    }
}

double random_double(SplitMix64& rng, const Input& input) {
    const std::uint64_t draw = rng.below(100);
    if (draw < 70) return ordinary(rng, input);
    if (draw < 88) return from_bits(rng.pick(edge_doubles));
    if (draw < 92) {  // a random denormal of either sign
        return from_bits((rng.next() & (mantissa_mask | 0x8000000000000000)) | 1);
    }
    return from_bits(quieted(rng.next()));
}

std::uint32_t bcd_digits(SplitMix64& rng, int digits) {
    std::uint32_t word = 0;
    for (int i = 0; i < digits; ++i) word |= static_cast<std::uint32_t>(rng.below(10)) << (4 * i);
    return word;
}

std::uint32_t random_word(SplitMix64& rng) {
    const std::uint64_t draw = rng.below(100);
    if (draw < 25) return static_cast<std::uint32_t>(rng.below(4));
    if (draw < 55) return bcd_digits(rng, 4);
    if (draw < 65) return bcd_digits(rng, 2) | (rng.one_in(2) ? 0x100u : 0u);  // the ADF's extension word
    if (draw < 75) return static_cast<std::uint32_t>(rng.next() & 0xFFFF);
    if (draw < 85) return rng.pick(edge_words);
    return static_cast<std::uint32_t>(rng.next());
}

// The aircraft's identifier as the simulator might hand it: usually a
// registration, sometimes any bytes of Windows-1252, empty or too long.
std::string random_atc_id(SplitMix64& rng) {
    constexpr const char* registrations[] = {"F-KRVL", "N123AB", "D-EKVL", "", "G-ABCD_X", "KORVEL 2"};
    if (rng.one_in(2)) return registrations[rng.below(6)];
    std::string id(static_cast<std::size_t>(rng.below(41)), ' ');
    for (char& c : id) c = static_cast<char>(1 + rng.below(255));
    return id;
}

// A parameter string for a gauge placed afresh: for the panel buttons and
// the plate, now and then none, an empty one, or keys a panel designer might
// write (and mistype), numbers past the 32-bit range, comments and stray
// bytes; otherwise the example panel's.
std::optional<std::string> random_parameters(SplitMix64& rng, std::string_view gauge) {
    const auto example = whole_panel::parameters_for(gauge);
    const bool takes_parameters = example || gauge == "Registration";
    if (!takes_parameters || rng.one_in(3)) return example ? std::optional<std::string>(*example) : std::nullopt;
    if (rng.one_in(8)) return std::nullopt;
    if (rng.one_in(8)) return std::string();
    constexpr const char* keys = "octpabhrgfx_ ";
    // clang-format off
    constexpr const char* names[] = {"RADIO_STACK_PANEL", "GPS_PANEL", "THROTTLE_PANEL", "MAIN_PANEL",
                                     "ANNUNCIATOR_PANEL", "TOGGLE_FUEL_WINDOW", "COMPASS_PANEL", "NO_SUCH_PANEL",
                                     "radio", "Arial", "F-KR_VL", ""};
    // clang-format on
    // clang-format off
    constexpr const char* numbers[] = {"0", "1", "50", "225", "-1", "100", "150", "200", "255", "256",
                                       "4294967296", "99999999999", "-2147483649", "+7", " 12", "0x10"};
    // clang-format on
    std::string text;
    const std::uint64_t pieces = 1 + rng.below(5);
    for (std::uint64_t i = 0; i < pieces; ++i) {
        if (i > 0) text += rng.one_in(4) ? "," : " ";
        text += keys[rng.below(std::strlen(keys))];
        switch (rng.below(6)) {
            case 0:
            case 1:
                text += names[rng.below(std::size(names))];
                break;
            case 2:
            case 3:
                text += numbers[rng.below(std::size(numbers))];
                break;
            case 4:
                text += static_cast<char>(1 + rng.below(255));
                break;
            default:
                break;
        }
        if (rng.one_in(10)) text += rng.one_in(2) ? "// a comment t50" : "#'";
    }
    return text;
}

// ---------------------------------------------------------------------------
// The tokens the module reads, as it reads them: through lookup_var, seen
// through a service table of ours in front of the host's, and through the
// source slots of the element records, read after every update.

PanelServices* host_services = nullptr;
PanelServices sweep_services{};
std::vector<bool> tokens_read(VariableStore::token_limit, false);
bool token_beyond_store = false;

void note_token(std::uint32_t token) {
    if (token < tokens_read.size())
        tokens_read[token] = true;
    else
        token_beyond_store = true;
}

void KORVEL_CALL noting_lookup_var(ModuleVariable* variable) {
    if (variable != nullptr) note_token(variable->token);
    host_services->lookup_var(variable);
}

void note_element_tokens(const PlacedGauge& gauge) {
    for (std::size_t i = 0; i < gauge.element_count(); ++i) {
        ElementHeader* e = gauge.element(i).record;
        switch (e->kind) {
            case element_needle:
                note_token(reinterpret_cast<NeedleElement*>(e)->source.var.token);
                break;
            case element_string:
                note_token(reinterpret_cast<StringElement*>(e)->source.var.token);
                break;
            case element_icon:
                note_token(reinterpret_cast<IconElement*>(e)->source.var.token);
                break;
            case element_slider: {
                auto* s = reinterpret_cast<SliderElement*>(e);
                note_token(s->x_source.var.token);
                note_token(s->y_source.var.token);
                break;
            }
            case element_moving_image: {
                auto* m = reinterpret_cast<MovingImageElement*>(e);
                note_token(m->x_source.var.token);
                note_token(m->y_source.var.token);
                break;
            }
            case element_sprite: {
                auto* s = reinterpret_cast<SpriteElement*>(e);
                note_token(s->x_source.var.token);
                note_token(s->y_source.var.token);
                note_token(s->rotation_source.var.token);
                break;
            }
            default:
                break;
        }
    }
}

// ---------------------------------------------------------------------------
// The canonical text of a state

class Text {
public:
    Text() { text_.reserve(1 << 16); }
    void clear() { text_.clear(); }
    const std::string& str() const { return text_; }

    Text& put(std::string_view s) {
        text_.append(s);
        return *this;
    }
    Text& put(char c) {
        text_.push_back(c);
        return *this;
    }
    Text& hex(std::uint64_t value, int digits) {
        char buffer[16];
        for (int i = digits - 1; i >= 0; --i, value >>= 4) buffer[i] = "0123456789abcdef"[value & 0xF];
        text_.append(buffer, static_cast<std::size_t>(digits));
        return *this;
    }
    // A double as its bit pattern, but any NaN as "nan": which NaN comes out
    // of an operation on two NaNs is the compiler's choice of operand order
    // (IEEE 754 leaves it open), so sign and payload differ between two
    // optimisation levels of one build, not only between the builds. The
    // host reads every NaN alike; a text that shows one is compared as written.
    Text& bits(double d) {
        const std::uint64_t b = bits_of(d);
        if ((b & exponent_mask) == exponent_mask && (b & mantissa_mask) != 0) return put("nan");
        return hex(b, 16);
    }
    Text& number(std::int64_t n) {
        char buffer[24];
        std::uint64_t u = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
        int i = 24;
        do buffer[--i] = static_cast<char>('0' + u % 10), u /= 10;
        while (u != 0);
        if (n < 0) buffer[--i] = '-';
        text_.append(buffer + i, static_cast<std::size_t>(24 - i));
        return *this;
    }
    // A text between quotes, every byte outside printable ASCII as \xHH.
    Text& quoted(std::string_view s) {
        text_.push_back('"');
        for (char c : s) {
            const auto u = static_cast<unsigned char>(c);
            if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\') {
                text_.push_back(c);
            } else {
                text_.append("\\x");
                hex(u, 2);
            }
        }
        text_.push_back('"');
        return *this;
    }

    std::uint64_t hash() const {  // FNV-1a
        std::uint64_t h = 0xCBF29CE484222325;
        for (char c : text_) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3;
        return h;
    }

private:
    std::string text_;
};

constexpr char kind_letters[] = "-nsliom";

void describe_gauge(Text& out, std::size_t index, const PlacedGauge& g) {
    out.put('G').number(static_cast<std::int64_t>(index)).put(' ').put(g.name());
    out.put(" uw=").hex(g.user_word(), 8);
    if (const auto p = g.parameters()) out.put(" par=").quoted(*p);
    for (std::size_t i = 0; i < g.element_count(); ++i) {
        const auto& e = g.element(i);
        const std::uint32_t kind = e.record->kind;
        out.put(" |").number(static_cast<std::int64_t>(i)).put(kind < 7 ? kind_letters[kind] : '?');
        out.put(" f=").hex(e.record->image_flags, 8).put(" h=").put(e.hidden ? '1' : '0');
        switch (kind) {
            case element_needle:
                out.put(" v=").bits(e.value).put(" a=").bits(g.needle_pose(i).angle);
                break;
            case element_string:
                out.put(" v=").bits(e.value).put(" t=").quoted(g.text(i));
                break;
            case element_icon:
                out.put(" v=").bits(e.value);
                break;
            case element_slider:
            case element_moving_image:
                out.put(" x=").bits(e.x).put(" y=").bits(e.y);
                break;
            case element_sprite:
                out.put(" x=").bits(e.x).put(" y=").bits(e.y).put(" r=").bits(e.rotation);
                break;
            default:
                break;
        }
    }
    out.put('\n');
}

// ---------------------------------------------------------------------------
// The sweep

struct Options {
    std::uint64_t seed = default_seed;
    std::uint64_t states = default_states;
    std::optional<std::uint64_t> dump;
    std::string out;
};

class Sweep {
public:
    explicit Sweep(std::uint64_t seed) : rng_{seed} {
        host_services = host_.library().imports().services;
        sweep_services = *host_services;
        sweep_services.lookup_var = noting_lookup_var;
        host_.library().imports().services = &sweep_services;
        gauges_ = whole_panel::place_all(host_);
    }
    ~Sweep() { host_.library().imports().services = host_services; }

    // The panel as it stands once placed: state 0.
    void placed(Text& out) {
        for (std::size_t i = 0; i < gauges_.size(); ++i) describe_gauge(out, i, *gauges_[i]);
        describe_logs(out);
    }

    void state(Text& out) {
        if (rng_.one_in(100)) replace_a_gauge(out);
        set_inputs();
        describe_inputs(out);

        const int cycles = rng_.one_in(8) ? static_cast<int>(2 + rng_.below(3)) : 1;
        host_.update(cycles);
        for (std::size_t i = 0; i < gauges_.size(); ++i) {
            note_element_tokens(*gauges_[i]);
            describe_gauge(out, i, *gauges_[i]);
        }

        const std::uint64_t actions = rng_.below(5);
        for (std::uint64_t a = 0; a < actions; ++a) mouse_action(out);
        const std::uint64_t tooltips = rng_.below(4);
        for (std::uint64_t t = 0; t < tooltips; ++t) tooltip(out);
        describe_logs(out);
    }

    // The inputs of the state, as the dump prints them for a reader.
    std::string readable_inputs() {
        std::string text;
        char line[160];
        for (const Input& input : inputs) {
            if (is_word(input)) {
                std::snprintf(line, sizeof line, "  %4u %-26s word 0x%08X\n", static_cast<unsigned>(input.token),
                              input.name, static_cast<unsigned>(host_.variables().word(input.token)));
            } else {
                const double v = host_.variables().number(input.token);
                std::snprintf(line, sizeof line, "  %4u %-26s 0x%016llX  %.17g\n", static_cast<unsigned>(input.token),
                              input.name, static_cast<unsigned long long>(bits_of(v)), v);
            }
            text += line;
        }
        Text atc;
        atc.put("  atc_id ").quoted(host_.simulator().atc_id).put('\n');
        return text + atc.str();
    }

    // Tokens the module read that the sweep does not vary.
    std::vector<std::uint32_t> unvaried_tokens() const {
        std::vector<std::uint32_t> missing;
        for (std::uint32_t t = 1; t < tokens_read.size(); ++t) {
            if (!tokens_read[t]) continue;
            bool varied = false;
            for (const Input& input : inputs) varied = varied || input.token == t;
            if (!varied) missing.push_back(t);
        }
        return missing;
    }

    std::size_t tokens_varied_and_read() const {
        std::size_t n = 0;
        for (const Input& input : inputs) n += tokens_read[input.token] ? 1 : 0;
        return n;
    }

private:
    void set_inputs() {
        VariableStore& vars = host_.variables();
        // Most states move every variable; some hold many still, as a
        // steady flight does, so that what follows a change also runs.
        const std::uint64_t hold_in_16 = rng_.one_in(4) ? 12 : 2;
        for (const Input& input : inputs) {
            if (rng_.below(16) < hold_in_16) continue;
            if (is_word(input))
                vars.set_word(input.token, random_word(rng_));
            else
                vars.set(input.token, random_double(rng_, input));
        }
        if (rng_.one_in(32)) host_.simulator().atc_id = random_atc_id(rng_);
    }

    void describe_inputs(Text& out) {
        const VariableStore& vars = host_.variables();
        out.put('I');
        for (const Input& input : inputs) {
            out.put(' ').number(input.token).put('=');
            if (is_word(input))
                out.hex(vars.word(input.token), 8);
            else
                out.bits(vars.number(input.token));
        }
        out.put(" atc=").quoted(host_.simulator().atc_id).put('\n');
    }

    // A gauge taken off the panel and placed afresh: installs read their
    // variables (the fuel tanks' capacities) and parameters again.
    void replace_a_gauge(Text& out) {
        // Half the time one of the gauges that read a parameter string.
        std::size_t index = static_cast<std::size_t>(rng_.below(gauges_.size()));
        if (rng_.one_in(2)) {
            std::vector<std::size_t> readers;
            for (std::size_t i = 0; i < gauges_.size(); ++i)
                if (whole_panel::parameters_for(gauges_[i]->name()) || gauges_[i]->name() == "Registration")
                    readers.push_back(i);
            index = readers[static_cast<std::size_t>(rng_.below(readers.size()))];
        }
        PlacedGauge& old = *gauges_[index];
        const std::string name(old.name());
        const auto parameters = random_parameters(rng_, name);
        host_.kill(old);
        gauges_[index] = parameters ? &host_.place(old.header(), std::string_view(*parameters))
                                    : &host_.place(old.header(), std::nullopt);
        host_.remove_killed();
        out.put("R ").put(name).put('\n');
        ++counts_.replaced;
    }

    struct Point {
        std::int32_t x;
        std::int32_t y;
    };

    std::int32_t wild_coordinate() {
        constexpr std::int32_t edges[] = {-1, 0, -100000, 100000, INT32_MIN, INT32_MAX};
        if (rng_.one_in(2)) return rng_.pick(edges);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(rng_.next()));
    }

    Point point_in(const PixelBox& box) {
        const std::int32_t w = box.width > 0 ? box.width : 1;
        const std::int32_t h = box.height > 0 ? box.height : 1;
        return {box.x + static_cast<std::int32_t>(rng_.below(static_cast<std::uint64_t>(w))),
                box.y + static_cast<std::int32_t>(rng_.below(static_cast<std::uint64_t>(h)))};
    }

    PixelBox whole_of(const PlacedGauge& g) const {
        if (const auto size = g.size()) return {0, 0, size->width, size->height};
        return {0, 0, 300, 300};
    }

    // Mostly inside a click area of the gauge, sometimes anywhere on it,
    // now and then far outside.
    Point click_point(const PlacedGauge& g) {
        const auto children = g.mouse().children();
        const std::uint64_t draw = rng_.below(10);
        if (draw < 6 && !children.empty()) {
            const auto& child = children[static_cast<std::size_t>(rng_.below(children.size()))];
            return point_in(child.area.unbounded ? whole_of(g) : child.area.box);
        }
        if (draw < 9) return point_in(whole_of(g));
        return {wild_coordinate(), wild_coordinate()};
    }

    Point tooltip_point(const PlacedGauge& g) {
        const auto parents = g.mouse().parents();
        const std::uint64_t draw = rng_.below(10);
        if (draw < 7 && !parents.empty()) {
            const auto& parent = parents[static_cast<std::size_t>(rng_.below(parents.size()))];
            return point_in(parent.area.unbounded ? whole_of(g) : parent.area.box);
        }
        if (draw < 9) return point_in(whole_of(g));
        return {wild_coordinate(), wild_coordinate()};
    }

    void mouse_action(Text& out) {
        const std::size_t index = static_cast<std::size_t>(rng_.below(gauges_.size()));
        PlacedGauge& g = *gauges_[index];
        const Point p = click_point(g);
        const MouseButton button = rng_.one_in(3) ? MouseButton::right : MouseButton::left;
        const char* button_name = button == MouseButton::left ? "left" : "right";
        out.put("C ").put(g.name()).put(' ').number(p.x).put(' ').number(p.y).put(' ');
        bool taken = false;
        const std::uint64_t draw = rng_.below(20);
        if (draw < 14) {
            taken = host_.click(g, p.x, p.y, button);
            out.put("click ").put(button_name);
        } else if (draw < 17) {
            const int repeats = static_cast<int>(rng_.below(9));
            taken = host_.hold(g, p.x, p.y, repeats, button);
            out.put("hold ").put(button_name).put(' ').number(repeats);
        } else if (draw < 19) {
            std::vector<PixelPoint> path(static_cast<std::size_t>(rng_.below(6)));
            out.put("drag");
            for (PixelPoint& step : path) {
                const Point q = rng_.one_in(5) ? Point{wild_coordinate(), wild_coordinate()} : point_in(whole_of(g));
                step = {q.x, q.y};
                out.put(' ').number(q.x).put(',').number(q.y);
            }
            taken = host_.drag(g, p.x, p.y, path);
        } else {
            // Whatever flags a host might pass on, the bits in any mix.
            constexpr std::uint32_t bits[] = {mouse_left_click, mouse_right_click, mouse_repeat, mouse_drag};
            const std::uint32_t wanted = rng_.pick(bits);
            std::uint32_t flags = 0;
            for (std::uint32_t bit : bits)
                if (rng_.one_in(2)) flags |= bit;
            taken = host_.mouse_event(g, p.x, p.y, wanted, flags);
            out.put("event ").hex(wanted, 8).put(' ').hex(flags, 8);
        }
        out.put(" -> ").put(taken ? '1' : '0').put('\n');
        ++counts_.actions;
        counts_.taken += taken ? 1 : 0;
    }

    void tooltip(Text& out) {
        const std::size_t index = static_cast<std::size_t>(rng_.below(gauges_.size()));
        PlacedGauge& g = *gauges_[index];
        const Point p = tooltip_point(g);
        const auto tip = host_.tooltip(g, p.x, p.y);
        out.put("T ").put(g.name()).put(' ').number(p.x).put(' ').number(p.y).put(" -> ").put(tip.shown ? '1' : '0');
        out.put(" help=").hex(tip.help_id, 8).put(' ').quoted(tip.text).put('\n');
        ++counts_.tooltips;
        counts_.texts += tip.text.empty() ? 0 : 1;
    }

    // Key events with their values, window toggles, the windows left
    // showing, the sounds played and every sound call, since the last state.
    void describe_logs(Text& out) {
        out.put('K');
        const auto& events = host_.key_events();
        for (std::size_t i = 0; i < events.size(); ++i)
            out.put(' ').hex(events[i].event, 5).put('(').hex(events[i].value, 8).put(')');
        if (events.dropped() != 0) out.put(" dropped=").number(static_cast<std::int64_t>(events.dropped()));
        out.put("\nW");
        const auto& toggles = host_.window_toggles();
        for (std::size_t i = 0; i < toggles.size(); ++i) out.put(' ').hex(toggles[i].event, 8);
        out.put("\nV");
        for (const auto& window : host_.windows().all())
            if (window.visible) out.put(' ').number(window.id);
        out.put("\nS");
        auto& log = host_.platform_log();
        for (const auto& play : log.plays)
            out.put(' ').put(play.owner != nullptr ? play.owner : "?").put(':').number(wave_of(play.buffer));
        out.put("\nP");
        for (const std::string& call : log.calls) out.put(' ').quoted(call);
        out.put('\n');
        counts_.events += events.size();
        counts_.toggles += toggles.size();
        counts_.sounds += log.plays.size();
        host_.clear_logs();
        log.plays.clear();
        log.calls.clear();
    }

    std::uint32_t wave_of(int buffer) {
        if (buffer < 0) return 0;
        while (waves_.size() <= static_cast<std::size_t>(buffer))
            waves_.push_back(host_.wave_in_buffer(static_cast<int>(waves_.size())));
        return waves_[static_cast<std::size_t>(buffer)];
    }

public:
    // What the run exercised, for its closing line.
    struct Counts {
        std::uint64_t actions = 0, taken = 0, tooltips = 0, texts = 0, events = 0, toggles = 0, sounds = 0,
                      replaced = 0;
    };
    const Counts& counts() const { return counts_; }

private:
    SplitMix64 rng_;
    Counts counts_;
    Host host_;
    std::vector<PlacedGauge*> gauges_;
    std::vector<std::uint32_t> waves_;
};

bool parse_number(const char* text, std::uint64_t& out) {
    char* end = nullptr;
    out = std::strtoull(text, &end, 0);
    return end != text && *end == '\0';
}

int usage() {
    std::fprintf(stderr,
                 "usage: korvel_sweep [--seed S] [--states N] --out FILE\n"
                 "       korvel_sweep [--seed S] --dump K --out FILE\n");
    return 2;
}

int run(const Options& options) {
    std::FILE* out = std::fopen(options.out.c_str(), "wb");  // binary: no CRLF on Windows
    if (out == nullptr) {
        std::fprintf(stderr, "korvel_sweep: cannot write %s\n", options.out.c_str());
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    Sweep sweep(options.seed);
    const double placing = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    Text text;
    const std::uint64_t last = options.dump ? *options.dump : options.states;
    std::uint64_t all = 0xCBF29CE484222325;
    for (std::uint64_t index = 0; index <= last; ++index) {
        text.clear();
        if (index == 0)
            sweep.placed(text);
        else
            sweep.state(text);
        const std::uint64_t h = text.hash();
        all = (all ^ h) * 0x100000001B3;
        if (options.dump && index == *options.dump) {
            std::fprintf(out, "seed 0x%016llX state %llu\ninputs:\n%s", static_cast<unsigned long long>(options.seed),
                         static_cast<unsigned long long>(index),
                         index == 0 ? "  (the panel as placed)\n" : sweep.readable_inputs().c_str());
            std::fprintf(out, "state:\n");
            std::fwrite(text.str().data(), 1, text.str().size(), out);
        } else if (!options.dump) {
            Text line;
            line.number(static_cast<std::int64_t>(index)).put(' ').hex(h, 16).put('\n');
            std::fwrite(line.str().data(), 1, line.str().size(), out);
        }
    }
    const auto missing = sweep.unvaried_tokens();
    if (!options.dump) {
        std::fprintf(out, "end %llu %016llX\n", static_cast<unsigned long long>(options.states),
                     static_cast<unsigned long long>(all));
    }
    std::fclose(out);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const auto& c = sweep.counts();
    const auto u = [](std::uint64_t n) { return static_cast<unsigned long long>(n); };
    std::printf(
        "korvel_sweep: the panel placed in %.2f s, then %llu states in %.2f s; the module read %zu of the %zu tokens "
        "varied; "
        "%llu mouse actions (%llu taken), %llu tooltips (%llu with the module's text), %llu key events, "
        "%llu window toggles, %llu sounds, %llu gauges placed afresh\n",
        placing, u(last), seconds - placing, sweep.tokens_varied_and_read(), std::size(inputs), u(c.actions),
        u(c.taken), u(c.tooltips), u(c.texts), u(c.events), u(c.toggles), u(c.sounds), u(c.replaced));
    if (!missing.empty() || token_beyond_store) {
        std::fprintf(stderr, "korvel_sweep: the module read tokens the sweep does not vary:");
        for (std::uint32_t t : missing) std::fprintf(stderr, " %u", static_cast<unsigned>(t));
        if (token_beyond_store) std::fprintf(stderr, " (and one beyond the host's store)");
        std::fprintf(stderr, "\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        std::uint64_t n = 0;
        if (arg == "--seed" && value && parse_number(value, n)) {
            options.seed = n;
        } else if (arg == "--states" && value && parse_number(value, n)) {
            options.states = n;
        } else if (arg == "--dump" && value && parse_number(value, n)) {
            options.dump = n;
        } else if (arg == "--out" && value) {
            options.out = value;
        } else {
            return usage();
        }
        ++i;
    }
    if (options.out.empty()) return usage();
    try {
        return run(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvel_sweep: %s\n", e.what());
        return 2;
    }
}
