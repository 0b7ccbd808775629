// The simulator's panel windows, each shown or hidden.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::host {

struct PanelWindow {
    std::int32_t id;
    std::string name;
    bool visible;
};

class PanelWindows {
public:
    // The simulator's standard windows by their identifiers; the main panel
    // is shown, the others hidden.
    PanelWindows();

    // Adds a window or renames and re-shows an existing one.
    void define(std::int32_t id, std::string_view name, bool visible);
    void clear();

    // Each returns false, and changes nothing, for a window that does not exist.
    bool open(std::int32_t id);
    bool close(std::int32_t id);
    bool toggle(std::int32_t id);

    std::optional<bool> visible(std::int32_t id) const;
    const PanelWindow* find(std::int32_t id) const;
    const std::vector<PanelWindow>& all() const { return windows_; }

private:
    PanelWindow* lookup(std::int32_t id);
    std::vector<PanelWindow> windows_;
};

}  // namespace korvel::host
