// The checker's parts, each over its own concern: what the module's
// parameter strings will do (check_parameters.cpp) and where the gauges sit
// (check_layout.cpp). check_panel puts their findings with the reader's.
#pragma once

#include <string>
#include <vector>

#include "host/core/host.h"
#include "host/panel/check_trials.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"

namespace korvel::panel {

struct Findings {
    std::vector<Problem> list;
    void warn(int line, std::string code, std::string message) {
        list.push_back({line, std::move(message), Severity::warning, std::move(code)});
    }
    void note(int line, std::string code, std::string message) {
        list.push_back({line, std::move(message), Severity::note, std::move(code)});
    }
};

// Each button and plate line tried in the scratch host, in the order the
// session places them, and the copies of gauges whose state is the kind's.
void check_parameters(host::Host& scratch, const PanelConfig& config, Findings& findings);
// Tries a registration plate line in the scratch host: a note of what it
// shows, warnings where that is not what was written.
PlateTrial check_plate(host::Host& scratch, const GaugeLine& line, Findings& findings);
// Gauges partly outside their window, stretched out of their proportions,
// and gauges drawn over another's click areas.
void check_layout(const PanelSession& session, const PanelConfig& config, Findings& findings);

}  // namespace korvel::panel
