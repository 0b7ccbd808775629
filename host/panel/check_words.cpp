#include "host/panel/check_words.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "host/core/simulation.h"
#include "host/core/text.h"
#include "module/vocabulary.h"

namespace korvel::panel::words {

namespace {

// The windows of the simulator's own that a button's event opens.
struct EventName {
    std::uint32_t event;
    const char* name;
};

// clang-format off
constexpr EventName simulator_windows[] = {
    {event::kneeboard, "the kneeboard"},
    {event::atc_window, "the ATC window"},
    {event::map_window, "the map"},
};
// clang-format on

bool window_act(Act act) { return act == Act::open || act == Act::close || act == Act::toggle; }

}  // namespace

const Window* window_with_ident(const PanelConfig& config, std::int32_t id) {
    for (const Window& w : config.windows)
        if (w.kind == WindowKind::window && w.ident == id) return &w;
    return nullptr;
}

std::string hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", v);
    return text;
}

std::string join(const std::vector<std::string>& parts, std::string_view last) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += i + 1 == parts.size() ? std::string(last) : std::string(", ");
        out += parts[i];
    }
    return out;
}

std::string times(int n) { return n == 1 ? "once" : n == 2 ? "twice" : std::to_string(n) + " times"; }

std::string lines_list(const std::vector<int>& lines) {
    std::vector<std::string> parts;
    parts.reserve(lines.size());
    for (int l : lines) parts.push_back(std::to_string(l));
    return (lines.size() == 1 ? "line " : "lines ") + join(parts);
}

// An empty face leaves the font to the host.
std::string font_phrase(std::string_view face) {
    return face.empty() ? "the host's font" : "the font " + host::quoted(face);
}

std::string colour_text(std::uint32_t c) {
    return std::to_string(c & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," + std::to_string((c >> 16) & 0xFF);
}

std::string help_phrase(std::uint32_t help) {
    if (help == 0) return "no help text";
    std::string out = "help " + hex(help);
    for (const HelpIdent& n : help_idents)
        if (n.id == help) out += std::string(" (") + n.name + ")";
    return out;
}

std::string window_phrase(const PanelConfig& config, std::int32_t id) {
    std::vector<std::string> about;
    if (const auto name = panel_identifier_name(id)) about.emplace_back(*name);
    if (const Window* w = window_with_ident(config, id)) {
        std::string d = "[" + w->section + "]";
        if (!w->title.empty()) {
            d += ' ';
            d += host::quoted(w->title);
        }
        about.push_back(d);
    }
    std::string out = "window " + std::to_string(id);
    if (!about.empty()) out += " (" + join(about, ", ") + ")";
    return out;
}

const char* verb(Act act) {
    switch (act) {
        case Act::open:
            return "opens";
        case Act::close:
            return "closes";
        case Act::toggle:
            return "toggles";
        default:
            return "sends";
    }
}

std::string describe(const std::vector<Action>& actions, const PanelConfig& config) {
    struct Group {
        Act act;
        std::uint32_t event;
        std::uint32_t value;
        std::vector<std::int32_t> windows;
        int count = 0;
    };
    std::vector<Group> groups;
    for (const Action& a : actions) {
        const bool window = a.act == Act::open || a.act == Act::close || a.act == Act::toggle;
        auto g = std::find_if(groups.begin(), groups.end(), [&](const Group& g) {
            return g.act == a.act && (window || (g.event == a.event && g.value == a.value));
        });
        if (g == groups.end()) g = groups.insert(groups.end(), Group{a.act, a.event, a.value, {}, 0});
        if (window) g->windows.push_back(a.window);
        ++g->count;
    }
    std::vector<std::string> parts;
    for (const Group& g : groups) {
        if (g.act == Act::step) {
            parts.push_back("sends step event " + hex(g.event) + " " + times(g.count));
            continue;
        }
        if (g.act == Act::event) {
            std::string p = "sends event " + hex(g.event);
            for (const EventName& n : simulator_windows)
                if (n.event == g.event) p += std::string(" (") + n.name + ")";
            if (g.value != 0) p += " with value " + std::to_string(g.value);
            if (g.count > 1) p += " " + times(g.count);
            parts.push_back(p);
            continue;
        }
        std::vector<std::string> windows;
        for (std::int32_t w : g.windows) windows.push_back(window_phrase(config, w));
        parts.push_back(std::string(verb(g.act)) + " " + join(windows, " and "));
    }
    return join(parts);
}

std::vector<std::string> missing_windows(const std::vector<Action>& click, const std::vector<Action>& at_load,
                                         const PanelConfig& config) {
    std::map<std::int32_t, std::pair<std::vector<std::string>, bool>> missing;  // click verbs, closed at load
    for (const Action& a : click)
        if (window_act(a.act) && window_with_ident(config, a.window) == nullptr) {
            auto& verbs = missing[a.window].first;
            if (std::find(verbs.begin(), verbs.end(), verb(a.act)) == verbs.end()) verbs.emplace_back(verb(a.act));
        }
    for (const Action& a : at_load)
        if (a.act == Act::close && window_with_ident(config, a.window) == nullptr) missing[a.window].second = true;
    std::vector<std::string> out;
    for (const auto& [id, how] : missing) {
        const auto& [verbs, closed_at_load] = how;
        std::string idents = "ident=" + std::to_string(id);
        if (const auto name = panel_identifier_name(id)) idents = "ident=" + std::string(*name) + " or " + idents;
        std::string what = verbs.empty() ? "the panel closes " + window_phrase(config, id) + " when it first loads"
                                         : "the click " + join(verbs) + " " + window_phrase(config, id);
        if (!verbs.empty() && closed_at_load) what += ", and the panel closes it when it first loads";
        out.push_back(what + ", but no window of this panel.cfg has " + idents);
    }
    return out;
}

std::vector<std::string> shown_only_in_the_simulator(const std::vector<Action>& click, const PanelConfig& config) {
    std::vector<std::string> out = missing_windows(click, {}, config);
    std::vector<Action> simulator_own;
    for (const Action& a : click)
        if (a.act == Act::step || (a.act == Act::event && !host::models_event(a.event))) simulator_own.push_back(a);
    if (!simulator_own.empty()) out.push_back("in the simulator, the click " + describe(simulator_own, config));
    return out;
}

}  // namespace korvel::panel::words
