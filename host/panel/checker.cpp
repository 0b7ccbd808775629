#include "host/panel/checker.h"

#include <algorithm>
#include <map>
#include <set>

#include "host/panel/check_internal.h"
#include "host/panel/panel_session.h"

namespace korvel::panel {

namespace {

int rank(Severity s) { return s == Severity::error ? 0 : s == Severity::warning ? 1 : 2; }

// The gauge and window of each finding on a gauge line or a window's key,
// as far as its own part did not say.
void name_places(std::vector<Problem>& findings, const PanelConfig& config) {
    std::map<int, std::pair<std::string, std::string>> at;  // line -> gauge, window
    for (const Window& w : config.windows) {
        for (const int line : {w.line, w.file_line, w.size_line, w.ident_line, w.texture_line})
            if (line != 0) at.emplace(line, std::make_pair(std::string(), w.section));
        for (const auto* lines : {&w.gauges, &w.refused})
            for (const GaugeLine& g : *lines) at[g.line] = {g.gauge, w.section};
        for (const GaugeLine& g : w.others) at[g.line] = {g.module + "!" + g.gauge, w.section};
    }
    for (Problem& p : findings) {
        const auto place = at.find(p.line);
        if (place == at.end()) continue;
        if (p.gauge.empty()) p.gauge = place->second.first;
        if (p.window.empty()) p.window = place->second.second;
    }
}

}  // namespace

std::vector<Problem> check_panel(host::Host& scratch, const PanelConfig& config, const std::string& panel_folder) {
    std::vector<Problem> findings = config.problems;
    Findings own;
    // The buttons and plates are tried before the session places the panel,
    // so that each finds its gauge kind as the panel's load leaves it.
    check_parameters(scratch, config, own);
    const PanelSession session(scratch, config, panel_folder, Placing::one_at_a_time);
    findings.insert(findings.end(), session.problems().begin(), session.problems().end());
    check_layout(session, config, own);
    findings.insert(findings.end(), own.list.begin(), own.list.end());
    name_places(findings, config);
    std::stable_sort(findings.begin(), findings.end(), [](const Problem& a, const Problem& b) {
        return a.line != b.line ? a.line < b.line : rank(a.severity) < rank(b.severity);
    });
    return findings;
}

std::vector<std::string> unused_gauges(const host::Host& host, const PanelConfig& config) {
    std::set<std::string, std::less<>> used;
    for (const Window& w : config.windows)
        for (const GaugeLine& g : w.gauges) used.insert(g.gauge);
    std::vector<std::string> unused;
    for (const GaugeHeader* g : host.gauge_table())
        if (g->name != nullptr && used.count(std::string_view(g->name)) == 0) unused.emplace_back(g->name);
    return unused;
}

}  // namespace korvel::panel
