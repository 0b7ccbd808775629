// The checker's parts, each over its own concern: what the module's
// parameter strings will do (check_parameters.cpp) and where the gauges sit
// (check_layout.cpp). check_panel puts their findings with the reader's.
#pragma once

#include <string>
#include <vector>

#include "host/core/host.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"

namespace korvel::panel {

struct Findings {
    std::vector<Problem> list;
    void warn(int line, std::string message) { list.push_back({line, std::move(message), Severity::warning}); }
    void note(int line, std::string message) { list.push_back({line, std::move(message), Severity::note}); }
};

// Each button and plate line tried in the scratch host, in the order the
// session places them, and the copies of gauges whose state is the kind's.
void check_parameters(host::Host& scratch, const PanelConfig& config, Findings& findings);
// Gauges partly outside their window, and click areas of two gauges that overlap.
void check_layout(const PanelSession& session, const PanelConfig& config, Findings& findings);

}  // namespace korvel::panel
