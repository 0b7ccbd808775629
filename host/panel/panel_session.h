// A panel configuration brought to life in the host: its windows defined in
// the simulator, every gauge line placed with its parameter string.
#pragma once

#include <string_view>
#include <vector>

#include "host/core/host.h"
#include "host/panel/panel_config.h"

namespace korvel::panel {

struct PlacedLine {
    const Window* window;
    const GaugeLine* line;
    host::PlacedGauge* gauge;
};

class PanelSession {
public:
    // The windows replace the simulator's standard ones.
    PanelSession(host::Host& host, const PanelConfig& config);

    // A placed gauge by name, "Name@2" for its second copy on the panel.
    host::PlacedGauge* find(std::string_view name) const;
    const std::vector<PlacedLine>& placed() const { return placed_; }
    const PanelConfig& config() const { return config_; }

private:
    const PanelConfig& config_;
    std::vector<PlacedLine> placed_;
};

}  // namespace korvel::panel
