#include "host/panel/checker.h"

#include <algorithm>

#include "host/panel/panel_session.h"

namespace korvel::panel {

std::vector<Problem> check_panel(host::Host& scratch, const PanelConfig& config, const std::string& panel_folder) {
    std::vector<Problem> findings = config.problems;
    const PanelSession session(scratch, config, panel_folder);
    findings.insert(findings.end(), session.problems().begin(), session.problems().end());
    std::stable_sort(findings.begin(), findings.end(), [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return findings;
}

}  // namespace korvel::panel
