// What the checker knows of this module's gauges, and what it learns by
// trying them: a panel button or the registration plate placed in a scratch
// host with its line's parameter string, clicked and read back. The
// module's own answer is the explanation, so the two cannot disagree.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/host.h"

namespace korvel::panel {

struct Button {
    std::string_view gauge;
    bool reads_parameters;  // false: the host sends the button's own event
};

std::span<const Button> buttons();
const Button* button_named(std::string_view gauge);
// Gauges whose click sound is one slot of the gauge kind: the last copy to
// load owns it, and the first copy to go releases it for all.
bool owns_sound(std::string_view gauge);
inline constexpr std::string_view registration_plate = "Registration";
// The letters a button reads as keys: o, c and t at every place, the
// others where they first appear.
inline constexpr std::string_view button_keys = "octpabh";
inline constexpr std::string_view once_read_keys = "apbh";

enum class Act { open, close, toggle, step, event };

struct Action {
    Act act;
    std::uint32_t event;  // the key event; 0 for the host's window toggle service
    std::int32_t window;  // open, close, toggle
    std::uint32_t value;  // step and other events
};

bool did(const std::vector<Action>& actions, Act act, std::int32_t window);
// What the host's logs hold of the module's window toggles and events since
// they were last cleared.
std::vector<Action> actions_logged(const host::Host& h);
bool same_actions(const std::vector<Action>& a, const std::vector<Action>& b);

struct ButtonTrial {
    std::vector<Action> at_load;
    std::vector<Action> click;
    bool click_taken = false;
    std::int32_t face_before = 0, face = 0;
    std::uint32_t help_before = 0, help = 0;
};

std::int32_t face_of(const GaugeHeader& kind);
// Places the button as the panel line does and clicks the middle of its
// click area: the face and help it is left with, and the events of its
// install and of the click.
ButtonTrial try_button(host::Host& h, const std::string& gauge, const std::optional<std::string>& parameters);

struct PlateTrial {
    std::string text;
    std::string font;
    std::uint32_t colour = 0;
    std::uint32_t characters = 0;
    std::string parameters_left;  // as the module left the string: key f ends it
};

PlateTrial try_plate(host::Host& h, const std::optional<std::string>& parameters);

}  // namespace korvel::panel
