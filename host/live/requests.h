// What the live panel's page and scripts may ask, decoded and checked before
// anything reaches the host thread: a request that does not parse, names no
// gauge, points outside its gauge, carries a field the API does not know or
// a value out of range is refused here with a message for the asker.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/core/mouse_map.h"

namespace korvel::live {

// A gauge a request may name, with its size in its own pixels.
struct GaugeName {
    std::string name;  // Name, or Name@2 for the second copy on the panel
    host::GaugeSize size;
};

// The gauges of the panel, fixed once it is placed: requests are checked
// against them without asking the host thread.
class Catalogue {
public:
    explicit Catalogue(std::vector<GaugeName> gauges) : gauges_(std::move(gauges)) {}
    const GaugeName* find(std::string_view name) const;
    const std::vector<GaugeName>& gauges() const { return gauges_; }

private:
    std::vector<GaugeName> gauges_;
};

enum class Button { left, right };
enum class MouseAction { click, press, release, drag };

struct ClickRequest {
    std::string gauge;
    std::int32_t x = 0;
    std::int32_t y = 0;
    Button button = Button::left;
    MouseAction action = MouseAction::click;
    // The page that asks, by the number its event stream gave it; a script
    // that sends none holds a press until it lets go itself.
    std::optional<std::uint64_t> page;
};

struct TooltipRequest {
    std::string gauge;
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct Control;

struct StateRequest {
    // Each control set, with the simulator's value for what the pilot asked.
    std::vector<std::pair<const Control*, double>> values;
    std::optional<std::string> text;     // a flight state file's text
    std::optional<std::string> example;  // a shipped flight state by name
    std::optional<std::string> atc_id;   // in the module's Windows-1252
    std::vector<std::uint32_t> fail;
    std::vector<std::uint32_t> restore;
    bool restore_all = false;
};

enum class ProfileAction { play, pause, seek, load };

struct ProfileRequest {
    ProfileAction action = ProfileAction::play;
    std::optional<double> time;          // seconds from the profile's start
    std::optional<std::string> text;     // a profile file's text, for load
    std::optional<std::string> example;  // a shipped profile by name, for load
    std::optional<double> speed;         // 1 is real time
};

// A refusal: the HTTP status and what to tell the asker.
struct Refusal {
    int status;
    std::string message;
};

template <typename T>
using Decoded = std::variant<T, Refusal>;

// Bodies are JSON objects; a tooltip is asked in the query string.
Decoded<ClickRequest> decode_click(std::string_view body, const Catalogue& gauges);
Decoded<TooltipRequest> decode_tooltip(const std::map<std::string, std::string>& query, const Catalogue& gauges);
Decoded<StateRequest> decode_state(std::string_view body);
Decoded<ProfileRequest> decode_profile(std::string_view body);
// A page's sign of life: {"page": N}.
Decoded<std::uint64_t> decode_heartbeat(std::string_view body);

// The largest body any request may carry: a flight state or a profile's text.
inline constexpr std::size_t largest_body = 256 * 1024;

}  // namespace korvel::live
