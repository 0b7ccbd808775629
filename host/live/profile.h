// A flight profile: timed flight states that the live panel plays as an
// aircraft flies them. The text is flight-state lines under "at SECONDS"
// lines:
//
//   at 0
//     61 = 0        ; parked
//   at 40
//     61 = 140      ; rotating
//
// How a value goes from one keyframe that sets it to the next is the
// value's (`motion_of`): a flight value (speeds, attitude, temperatures)
// glides linearly between them; a handle or a switch (the gear and flaps
// handles as the positions' targets, the brakes, the electrical switches, a
// radio frequency) steps at its keyframe; the gear legs, the flaps and the
// speed brake run from where they are to the new setting at their fixed
// rate and stop there. After the last keyframe each value holds.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/simulation.h"
#include "host/panel/flight_state.h"

namespace korvel::live {

struct Keyframe {
    double time = 0;
    int line = 0;
    std::map<std::uint32_t, double> values;
    std::optional<std::string> atc_id;
};

struct Profile {
    std::vector<Keyframe> keyframes;  // in time order, the first at 0
    std::vector<panel::Problem> problems;
    // Each token's settings in time order: the keyframes' times and values.
    std::map<std::uint32_t, std::vector<std::pair<double, double>>> tracks;
    double length() const { return keyframes.empty() ? 0 : keyframes.back().time; }
};

Profile read_profile(std::string_view text);

enum class Motion {
    glide,   // linearly from each setting to the next
    step,    // at its keyframe
    travel,  // from where it is to the setting, at a fixed rate
};

struct Movement {
    Motion motion = Motion::glide;
    double full_travel_seconds = 0;  // travel: the seconds from one end of the travel to the other
};

Movement motion_of(std::uint32_t token);

// The profile's values at a time (clamped to its length): each token it ever
// sets, moved as above.
std::map<std::uint32_t, double> profile_values(const Profile& profile, double time);

// Plays a profile into the simulator's variables, cycle by cycle.
class ProfilePlayer {
public:
    void load(Profile profile);
    const Profile& profile() const { return profile_; }
    bool loaded() const { return !profile_.keyframes.empty(); }

    void play() { playing_ = loaded(); }
    void pause() { playing_ = false; }
    void seek(double time);
    void set_speed(double speed) { speed_ = speed; }
    bool playing() const { return playing_; }
    double time() const { return time_; }
    double speed() const { return speed_; }

    // Moves on by `seconds` of flight when playing (stopping at the end) and
    // writes the values of the time reached. Returns whether it wrote.
    bool advance(double seconds, host::SimulatorState& simulator);
    // Writes the values of the current time, playing or not.
    void apply(host::SimulatorState& simulator) const;

private:
    Profile profile_;
    double time_ = 0;
    double speed_ = 1;
    bool playing_ = false;
};

}  // namespace korvel::live
