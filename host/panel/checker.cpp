#include "host/panel/checker.h"

#include <algorithm>

#include "host/panel/check_internal.h"
#include "host/panel/panel_session.h"

namespace korvel::panel {

namespace {

int rank(Severity s) { return s == Severity::error ? 0 : s == Severity::warning ? 1 : 2; }

}  // namespace

std::vector<Problem> check_panel(host::Host& scratch, const PanelConfig& config, const std::string& panel_folder) {
    std::vector<Problem> findings = config.problems;
    Findings own;
    // The buttons and plates are tried before the session places the panel,
    // so that each finds its gauge kind as the panel's load leaves it.
    check_parameters(scratch, config, own);
    const PanelSession session(scratch, config, panel_folder);
    findings.insert(findings.end(), session.problems().begin(), session.problems().end());
    check_layout(session, config, own);
    findings.insert(findings.end(), own.list.begin(), own.list.end());
    std::stable_sort(findings.begin(), findings.end(), [](const Problem& a, const Problem& b) {
        return a.line != b.line ? a.line < b.line : rank(a.severity) < rank(b.severity);
    });
    return findings;
}

}  // namespace korvel::panel
