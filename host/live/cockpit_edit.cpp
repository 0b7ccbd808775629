// The cockpit's part in the editor: placing the panel again after an edit,
// and what the editor's page reads of the panel besides what a pilot sees.
#include <map>

#include "host/core/cp1252.h"
#include "host/core/gauge_records.h"
#include "host/live/cockpit.h"
#include "host/live/editor.h"

namespace korvel::live {

using nlohmann::json;

void Cockpit::place_again(const panel::PanelConfig& config) {
    // The windows as the pilot left them, by ident, with what the old
    // configuration said of them at load.
    std::map<std::int32_t, std::pair<bool, bool>> windows;  // ident -> configured, shown
    for (const panel::Window& w : config_.windows)
        if (w.kind == panel::WindowKind::window)
            windows[w.ident] = {w.visible, host_->windows().visible(w.ident).value_or(w.visible)};

    // A hold ends with the gauge that has it.
    let_go();
    for (const panel::PlacedLine& p : session_->placed()) host_->kill(*p.gauge);
    frames_.reset();
    session_.reset();
    host_->remove_killed();

    config_ = config;
    session_ = std::make_unique<panel::PanelSession>(*host_, config_, panel_folder_);
    names_ = session_->names();
    measure_plate();
    // A window keeps the state the pilot gave it, unless the edit changed
    // whether it opens with the panel.
    for (const panel::Window& w : config_.windows) {
        const auto was = windows.find(w.ident);
        if (w.kind != panel::WindowKind::window || was == windows.end() || was->second.first != w.visible) continue;
        if (was->second.second)
            host_->windows().open(w.ident);
        else
            host_->windows().close(w.ident);
    }
    // The new gauges read their variables once, without a cycle of the
    // flight going by.
    for (const panel::PlacedLine& p : session_->placed()) host_->update(*p.gauge);
    frames_ = std::make_unique<FrameEncoder>(*session_, sizes_);
    Readings now = readings(false);
    frames_->changes(now);
    ++placement_;
    if (placed_again_) placed_again_();
}

void Cockpit::add_edit_fields(json& out) const {
    out["editing"] = true;
    out["placement"] = placement_;
    for (json& entry : out["windows"]) {
        const panel::Window& w = config_.windows.at(entry["index"].get<std::size_t>());
        entry["section"] = w.section;
        entry["line"] = w.line;
        if (w.kind != panel::WindowKind::window) continue;
        entry["size_mm"] =
            w.width > 0 ? (w.height ? json::array({w.width, *w.height}) : json::array({w.width})) : json::array();
        entry["position"] = w.position;
        entry["visible"] = w.visible;
        entry["ident_name"] = host::utf8_from_cp1252(w.ident_name);
        entry["window_title"] = host::utf8_from_cp1252(w.title);
    }
    json palette = json::array();
    for (const GaugeHeader* g : host_->gauge_table()) {
        if (g->name == nullptr) continue;
        const auto elements = host::elements_of(*g);
        const std::int32_t face = elements.empty() ? -1 : elements.front()->resource_id;
        const auto size = sizes_(face);
        palette.push_back({{"name", g->name},
                           {"family", gauge_family(g->name)},
                           {"bitmap", face},
                           {"size", size ? json::array({size->width, size->height}) : json::array({19, 19})}});
    }
    out["palette"] = std::move(palette);
}

}  // namespace korvel::live
