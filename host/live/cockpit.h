// The live panel's cockpit: the host with the panel placed, the flight
// state, the profile playing, the buttons held, and what the page last saw.
// Everything here runs on the one host thread that owns the module; the
// server hands it decoded requests and takes its answers.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/core/host.h"
#include "host/live/frames.h"
#include "host/live/profile.h"
#include "host/live/requests.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"
#include "host/render/bitmaps.h"
#include "host/render/display_list.h"

namespace korvel::live {

// What the live panel shows, as the command line gives it.
struct PanelSource {
    std::string panel_file;  // for messages
    std::string panel_text;
    std::string panel_folder;  // where its background bitmaps are; empty for none
    std::string state_file;
    std::string state_text;
    std::vector<std::pair<std::string, std::string>> examples;  // shipped flight states: name, text
    std::vector<std::pair<std::string, std::string>> profiles;  // shipped profiles: name, text
    // Opened for editing: the panel.cfg at panel_file may be rewritten, and
    // may place nothing of this module yet.
    bool editing = false;
};

class Editor;

// The simulator's update rate.
inline constexpr int cycles_per_second = 18;

class Cockpit {
public:
    // Places the panel and applies the flight state; throws std::runtime_error
    // when the panel places nothing it could show.
    explicit Cockpit(const PanelSource& source);
    ~Cockpit();

    // The gauges requests may name, fixed from here on.
    Catalogue catalogue() const;
    // The panel as the page lays it out: windows, gauges, click areas.
    nlohmann::json panel() const;

    // One update cycle: the profile moves on, held buttons repeat, the host
    // updates. Returns what changed since the last frame, or null when
    // nothing did.
    nlohmann::json cycle();
    // Everything, for a page that has just connected.
    nlohmann::json full_frame();

    nlohmann::json click(const ClickRequest& request);
    nlohmann::json tooltip(const TooltipRequest& request);
    nlohmann::json set_state(const StateRequest& request);
    nlohmann::json profile(const ProfileRequest& request);

    // A page that holds a button says, at least once a second, that it is
    // still there; one whose heartbeat stops for longer, or whose event
    // stream closes, has the button it held let go.
    nlohmann::json heartbeat(std::uint64_t page);
    void page_gone(std::uint64_t page);

    // Pictures and sounds the page loads once.
    std::optional<std::string> gauge_png(const std::string& name);
    std::optional<std::string> bitmap_png(std::int32_t id);
    std::optional<std::string> background_png(std::size_t window);
    std::optional<std::string> wave(std::uint32_t id) const;

    host::Host& host() { return *host_; }
    std::uint64_t cycles() const { return cycle_; }

    // Places the panel again from another configuration in the same host:
    // every gauge killed and the configuration's lines placed anew, the
    // variables, failures, profile and the windows the pilot opened or
    // closed kept (a new configuration is not a new flight). The catalogue,
    // the names and what the pages last saw start again from the new
    // session; placement() counts the times.
    void place_again(const panel::PanelConfig& config);
    std::uint64_t placement() const { return placement_; }
    // Called at the end of each placing again, before the job that asked
    // for it answers: the live panel republishes the layout there.
    void when_placed_again(std::function<void()> callback) { placed_again_ = std::move(callback); }
    const std::string& panel_folder() const { return panel_folder_; }
    // The panel.cfg being edited, or none without --edit.
    Editor* editor() { return editor_.get(); }

private:
    // What the editor's page needs besides the live panel: each gauge's
    // line, other modules' gauges without a size, the windows' keys, the
    // palette of the module's gauges.
    void add_edit_fields(nlohmann::json& panel) const;

    Readings readings(bool with_sounds);
    nlohmann::json profile_state() const;
    nlohmann::json watched() const;
    nlohmann::json load_flight(const std::string& text);
    void let_go();
    void measure_plate();

    std::unique_ptr<host::Host> host_;
    std::string panel_file_;
    std::string panel_folder_;
    panel::PanelConfig config_;
    std::unique_ptr<panel::PanelSession> session_;
    std::vector<std::string> names_;  // per placed line: Name or Name@2
    std::unique_ptr<FrameEncoder> frames_;
    std::vector<std::pair<std::string, std::string>> examples_, profiles_;
    render::Bitmaps bitmaps_;
    render::BitmapSizes sizes_;
    ProfilePlayer player_;
    std::size_t sounds_sent_ = 0;
    std::uint64_t cycle_ = 0;
    // The page whose press the host holds, when a page made it, and the
    // cycle of its last sign of life.
    std::optional<std::uint64_t> holder_;
    std::uint64_t holder_seen_ = 0;
    std::size_t plate_characters_ = 0;  // what the registration plate shows; 0 without one
    std::unique_ptr<Editor> editor_;
    std::uint64_t placement_ = 0;
    std::function<void()> placed_again_;
};

}  // namespace korvel::live
