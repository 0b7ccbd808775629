// What the pages see of the panel: every gauge as a display list (the
// bitmap, its transform, clip, mask and alpha, or a text, per element), and
// after each cycle only what changed since the last frame.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

#include "host/core/host.h"
#include "host/panel/panel_session.h"
#include "host/render/display_list.h"

namespace korvel::live {

// What the cockpit reads besides the gauges, for the frame of a cycle.
struct Readings {
    std::uint64_t cycle = 0;
    nlohmann::json values;                  // the controls, in pilot units
    nlohmann::json profile;                 // the profile player's state
    std::vector<std::uint32_t> failed;      // failure keys, in key order
    std::vector<host::PlayedSound> sounds;  // played since the last frame
};

class FrameEncoder {
public:
    FrameEncoder(const panel::PanelSession& session, render::BitmapSizes sizes);

    // What changed since the last frame, or null when nothing did.
    nlohmann::json changes(const Readings& now);
    // Everything, for a page that has just connected; what the other pages
    // were last sent stays as it was, so that they still get every change.
    nlohmann::json everything(const Readings& now);
    // One gauge's display list, by its place in the session.
    nlohmann::json picture(std::size_t index) const;

private:
    struct Seen {                 // what the pages last saw of a gauge
        std::string fingerprint;  // its element states, exactly
        nlohmann::json picture;   // its display list, as sent
    };

    const panel::PanelSession& session_;
    render::BitmapSizes sizes_;
    std::vector<Seen> seen_;
    std::vector<bool> windows_seen_;
    nlohmann::json values_seen_, profile_seen_, failed_seen_;
    std::string scratch_;
};

}  // namespace korvel::live
