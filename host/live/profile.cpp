#include "host/live/profile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "host/core/text.h"
#include "host/core/variables.h"
#include "module/vocabulary.h"

namespace korvel::live {

namespace {

using host::trimmed;

// "at 12.5" gives 12.5; anything else none.
std::optional<double> keyframe_time(std::string_view line, bool& malformed) {
    malformed = false;
    line = trimmed(line);
    if (line.size() < 2 || line.substr(0, 2) != "at" || (line.size() > 2 && line[2] != ' ' && line[2] != '\t'))
        return std::nullopt;
    std::string number(trimmed(line.substr(2)));
    if (const auto c = number.find_first_of(";#"); c != std::string::npos) number = trimmed(number.substr(0, c));
    char* end = nullptr;
    const double t = std::strtod(number.c_str(), &end);
    if (number.empty() || end != number.c_str() + number.size() || !std::isfinite(t) || t < 0) {
        malformed = true;
        return std::nullopt;
    }
    return t;
}

struct TokenMotion {
    std::uint32_t token;
    Movement movement;
};

constexpr Movement step{Motion::step, 0};

// What steps and what travels; every other number glides, and every word (a
// radio frequency, a code, a flag) steps.
// clang-format off
constexpr TokenMotion motions[] = {
    // The positions the instruments read, behind their handles.
    {token::nose_gear,          {Motion::travel, 6}},
    {token::left_gear,          {Motion::travel, 6}},
    {token::right_gear,         {Motion::travel, 6}},
    {token::flaps_position,     {Motion::travel, 4}},
    {token::speed_brake,        {Motion::travel, 2}},
    // Handles, switches and what the simulator switches.
    {token::left_brake,         step},
    {token::right_brake,        step},
    {token::battery,            step},
    {token::generator,          step},
    {token::avionics_master,    step},
    {token::navigation_lights,  step},
    {token::beacon_lights,      step},
    {token::strobe_lights,      step},
    {token::landing_lights,     step},
    {token::panel_lights,       step},
    {token::pitot_heat,         step},
    {token::starter,            step},
    {token::engine_on_system,   step},
    {token::fire_detected,      step},
    {token::adf_audio,          step},
    {token::cabin_unpressurized, step},
    {token::nav1_glideslope_flag, step},
};
// clang-format on

// From `from` toward `to`, by at most `distance`.
double toward(double from, double to, double distance) {
    return from < to ? std::min(to, from + distance) : std::max(to, from - distance);
}

}  // namespace

Movement motion_of(std::uint32_t token) {
    for (const TokenMotion& m : motions)
        if (m.token == token) return m.movement;
    return host::VariableStore::type(token) == host::VariableType::word ? step : Movement{};
}

Profile read_profile(std::string_view text) {
    Profile profile;
    struct Block {
        double time;
        int line;
        std::string text;  // blank lines keep the block's numbering
    };
    std::vector<Block> blocks;
    int number = 0;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string_view line = text.substr(at, end - at);
        ++number;
        at = end + 1;
        bool malformed = false;
        if (const auto t = keyframe_time(line, malformed)) {
            if (blocks.empty() || *t > blocks.back().time) {
                blocks.push_back({*t, number, std::string(std::size_t(number), '\n')});
                continue;
            }
            profile.problems.push_back({number, "keyframes must come in increasing time; this one is not after line " +
                                                    std::to_string(blocks.back().line)});
        } else if (malformed) {
            profile.problems.push_back({number, "'at' wants a time in seconds from 0"});
        }
        if (malformed || keyframe_time(line, malformed)) {
            // Refused keyframe lines keep their place, so that the lines after
            // them keep their numbers.
            if (!blocks.empty()) blocks.back().text += '\n';
            continue;
        }
        if (blocks.empty()) {
            const std::string_view t = trimmed(line);
            if (!t.empty() && t[0] != ';' && t[0] != '#' && t.substr(0, 2) != "//")
                profile.problems.push_back({number, "a setting before the first 'at' line"});
            continue;
        }
        blocks.back().text.append(line).append("\n");
    }
    if (!blocks.empty() && blocks.front().time != 0)
        profile.problems.push_back({blocks.front().line, "the first keyframe must be at 0"});
    for (const Block& b : blocks) {
        // Each block is a flight state whose lines keep their numbers in the file.
        const panel::FlightState state = panel::read_flight_state(b.text);
        for (const auto& p : state.problems) profile.problems.push_back(p);
        Keyframe k;
        k.time = b.time;
        k.line = b.line;
        for (const auto& s : state.settings) k.values[s.token] = s.value;
        k.atc_id = state.atc_id;
        for (const auto& [token, value] : k.values) profile.tracks[token].push_back({k.time, value});
        profile.keyframes.push_back(std::move(k));
    }
    if (profile.keyframes.empty() && profile.problems.empty())
        profile.problems.push_back({0, "the profile has no 'at' line"});
    std::stable_sort(profile.problems.begin(), profile.problems.end(),
                     [](const panel::Problem& a, const panel::Problem& b) { return a.line < b.line; });
    return profile;
}

std::map<std::uint32_t, double> profile_values(const Profile& profile, double time) {
    std::map<std::uint32_t, double> values;
    if (profile.keyframes.empty()) return values;
    time = std::clamp(time, 0.0, profile.length());
    for (const auto& [token, track] : profile.tracks) {
        // The first setting after the time, and the one before it.
        const auto after = std::upper_bound(track.begin(), track.end(), time,
                                            [](double t, const std::pair<double, double>& s) { return t < s.first; });
        if (after == track.begin()) continue;  // not set yet
        const Movement movement = motion_of(token);
        if (movement.motion == Motion::travel) {
            // Each setting in turn is where the position runs to, from where
            // the one before left it.
            const double rate = token::full_travel / movement.full_travel_seconds;
            double position = track.front().second;
            for (auto s = track.begin(); s != after; ++s) {
                const double until = std::next(s) == after ? time : std::next(s)->first;
                position = toward(position, s->second, rate * (until - s->first));
            }
            values[token] = position;
            continue;
        }
        const auto& [t0, v0] = *std::prev(after);
        if (after == track.end() || movement.motion == Motion::step) {
            values[token] = v0;
            continue;
        }
        const auto& [t1, v1] = *after;
        values[token] = v0 + (v1 - v0) * (time - t0) / (t1 - t0);
    }
    return values;
}

void ProfilePlayer::load(Profile profile) {
    profile_ = std::move(profile);
    time_ = 0;
    playing_ = false;
}

void ProfilePlayer::seek(double time) { time_ = std::clamp(time, 0.0, profile_.length()); }

bool ProfilePlayer::advance(double seconds, host::SimulatorState& simulator) {
    if (!playing_) return false;
    time_ = std::min(time_ + seconds * speed_, profile_.length());
    if (time_ >= profile_.length()) playing_ = false;
    apply(simulator);
    return true;
}

void ProfilePlayer::apply(host::SimulatorState& simulator) const {
    if (!loaded()) return;
    for (const auto& [token, value] : profile_values(profile_, time_)) simulator.variables.set(token, value);
    for (std::size_t i = 0; i < profile_.keyframes.size() && profile_.keyframes[i].time <= time_; ++i)
        if (profile_.keyframes[i].atc_id) simulator.atc_id = *profile_.keyframes[i].atc_id;
}

}  // namespace korvel::live
