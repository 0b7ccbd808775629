#include "host/core/panel_windows.h"

namespace korvel::host {

PanelWindows::PanelWindows() {
    define(0, "MAIN_PANEL", true);
    define(10, "THROTTLE_PANEL", false);
    define(50, "RADIO_STACK_PANEL", false);
    define(75, "COMPASS_PANEL", false);
    define(100, "MINI_CONTROLS_PANEL", false);
    define(125, "ANNUNCIATOR_PANEL", false);
    define(150, "ANNUNCIATOR2_PANEL", false);
    define(175, "IFR_MAIN_PANEL", false);
    define(200, "COLLECTIVE_PANEL", false);
    define(225, "GPS_PANEL", false);
    define(250, "OVERHEAD_PANEL", false);
}

void PanelWindows::define(std::int32_t id, std::string_view name, bool visible) {
    if (PanelWindow* w = lookup(id)) {
        w->name = name;
        w->visible = visible;
        return;
    }
    windows_.push_back({id, std::string(name), visible});
}

void PanelWindows::clear() { windows_.clear(); }

PanelWindow* PanelWindows::lookup(std::int32_t id) {
    for (PanelWindow& w : windows_)
        if (w.id == id) return &w;
    return nullptr;
}

const PanelWindow* PanelWindows::find(std::int32_t id) const {
    for (const PanelWindow& w : windows_)
        if (w.id == id) return &w;
    return nullptr;
}

bool PanelWindows::open(std::int32_t id) {
    PanelWindow* w = lookup(id);
    if (w == nullptr) return false;
    w->visible = true;
    return true;
}

bool PanelWindows::close(std::int32_t id) {
    PanelWindow* w = lookup(id);
    if (w == nullptr) return false;
    w->visible = false;
    return true;
}

bool PanelWindows::toggle(std::int32_t id) {
    PanelWindow* w = lookup(id);
    if (w == nullptr) return false;
    w->visible = !w->visible;
    return true;
}

std::optional<bool> PanelWindows::visible(std::int32_t id) const {
    const PanelWindow* w = find(id);
    if (w == nullptr) return std::nullopt;
    return w->visible;
}

}  // namespace korvel::host
