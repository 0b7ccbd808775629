#include "host/core/panel_windows.h"

#include <algorithm>
#include <iterator>

#include "module/vocabulary.h"

namespace korvel::host {

// The simulator's own windows, before a panel.cfg defines its own: only the
// main panel shows.
PanelWindows::PanelWindows() {
    std::vector<WindowIdent> by_ident(std::begin(window_idents), std::end(window_idents));
    std::sort(by_ident.begin(), by_ident.end(),
              [](const WindowIdent& a, const WindowIdent& b) { return a.ident < b.ident; });
    for (const WindowIdent& w : by_ident) define(w.ident, w.name, w.ident == 0);
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
