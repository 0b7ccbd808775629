#include "host/panel/panel_session.h"

#include <charconv>

namespace korvel::panel {

PanelSession::PanelSession(host::Host& host, const PanelConfig& config) : config_(config) {
    host.windows().clear();
    for (const Window& w : config.windows) {
        const std::string name = !w.ident_name.empty() ? w.ident_name : (!w.title.empty() ? w.title : "Window" + std::to_string(w.number));
        host.windows().define(w.ident, name, w.visible);
    }
    for (const Window& w : config.windows)
        for (const GaugeLine& line : w.gauges) {
            host::PlacedGauge& g = line.parameters ? host.place(line.gauge, std::string_view(*line.parameters))
                                                   : host.place(line.gauge);
            placed_.push_back({&w, &line, &g});
        }
}

host::PlacedGauge* PanelSession::find(std::string_view name) const {
    int copy = 1;
    if (const auto at = name.find('@'); at != std::string_view::npos) {
        const std::string_view n = name.substr(at + 1);
        if (std::from_chars(n.data(), n.data() + n.size(), copy).ec != std::errc{} || copy < 1) return nullptr;
        name = name.substr(0, at);
    }
    for (const PlacedLine& p : placed_)
        if (p.gauge->name() == name && --copy == 0) return p.gauge;
    return nullptr;
}

}  // namespace korvel::panel
