#include "host/tool/common.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/core/text.h"
#include "host/panel/findings_json.h"
#include "host/panel/flight_state.h"
#include "host/tool/builtin.h"

namespace korvel::tool {

namespace fs = std::filesystem;
using host::Host;
using panel::Problem;

void print(std::ostream& out, const std::vector<Problem>& problems, const std::string& file) {
    for (const auto& p : problems)
        out << file << (p.line > 0 ? ":" + std::to_string(p.line) : "") << ": " << panel::severity_name(p.severity)
            << ": " << p.message << "\n";
}

std::string read_text(const std::string& path, const char* what) {
    std::error_code error;
    if (fs::is_directory(path, error)) throw Failure(path + " is a folder, not a " + what + " file");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure(std::string("cannot read the ") + what + " " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

PanelFile load_panel(const Host& host, const std::string& path) {
    PanelFile s;
    s.panel_file = path.empty() ? "built-in panel.cfg" : path;
    s.panel_text = path.empty() ? std::string(builtin_panel) : read_text(path, "panel configuration");
    if (!path.empty()) {
        s.panel_folder = fs::path(path).parent_path().string();
        if (s.panel_folder.empty()) s.panel_folder = ".";
    }
    std::vector<std::string> names;
    for (const GaugeHeader* g : host.gauge_table())
        if (g->name != nullptr) names.emplace_back(g->name);
    s.config = panel::read_panel_config(s.panel_text, panel::module_gauges(host), names);
    return s;
}

bool apply_state(Host& host, const std::string& state_file, const std::vector<std::string>& sets) {
    const std::string text = state_file.empty() ? std::string(builtin_state) : read_text(state_file, "flight state");
    const auto state = panel::read_flight_state(text);
    print(std::cerr, state.problems, state_file.empty() ? "built-in flight state" : state_file);
    const bool problems = !state.problems.empty();
    panel::apply_flight_state(state, host.simulator());
    for (const std::string& set : sets) {
        const auto eq = set.find('=');
        std::string error = "--set wants TOKEN=VALUE, not '" + set + "'";
        const auto setting = eq == std::string::npos
                                 ? std::nullopt
                                 : panel::parse_setting(std::string_view(set).substr(0, eq),
                                                        std::string_view(set).substr(eq + 1), error);
        if (!setting) throw Failure("--set " + set + ": " + error);
        panel::apply_flight_state({{*setting}, std::nullopt, {}}, host.simulator());
    }
    return problems;
}

std::int32_t coordinate(const std::string& text) {
    const auto v = korvel::host::exact_number<std::int32_t>(text);
    if (!v) throw Failure("--click wants whole numbers of the gauge's pixels, not '" + text + "'");
    return *v;
}

host::PlacedGauge& gauge_named(const panel::PanelSession& session, const std::string& name) {
    host::PlacedGauge* g = session.find(name);
    if (g == nullptr) throw Failure("the panel places no gauge " + name);
    return *g;
}

}  // namespace korvel::tool
