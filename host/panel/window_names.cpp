// The names a window goes by outside its panel.cfg: in file names, on the
// command line, on the page and in the checker's words.
#include <cctype>
#include <optional>
#include <set>

#include "host/core/text.h"
#include "host/panel/config_lines.h"
#include "host/panel/panel_config.h"

namespace korvel::panel {

namespace {

using host::lower;
using host::quoted;
using host::trimmed;
using host::upper;

std::string own_file_name(const Window& w) {
    std::string name;
    if (w.kind == WindowKind::virtual_cockpit) {
        for (const char c : w.title)
            name += std::isalnum(static_cast<unsigned char>(c)) != 0 && static_cast<unsigned char>(c) < 0x80
                        ? char(std::tolower(static_cast<unsigned char>(c)))
                        : '_';
        return "vc-" + (name.empty() ? "vcockpit" + std::to_string(w.number) : name);
    }
    return lower(!w.ident_name.empty() ? w.ident_name : "window" + std::to_string(w.number));
}

// A window given an ident: the simulator's name for it, or its number.
std::optional<std::int32_t> ident_named(std::string_view text) {
    if (const auto id = panel_identifier(text)) return id;
    return panel_identifier(upper(text));
}

}  // namespace

std::string window_file_name(const Window& w) { return !w.name.empty() ? w.name : own_file_name(w); }

std::string window_description(const Window& w) {
    std::string out = "[" + w.section + "]";
    if (!w.title.empty()) out += " " + quoted(w.title);
    if (!w.ident_name.empty()) out += " (" + w.ident_name + ")";
    return out;
}

void lines::name_windows(std::vector<Window>& windows) {
    std::set<std::string> taken;
    for (Window& w : windows) {
        w.name = own_file_name(w);
        if (!taken.insert(w.name).second) {
            w.name += "-" + lower(w.section);
            taken.insert(w.name);
        }
    }
}

const Window* find_window(const PanelConfig& config, std::string_view wanted) {
    wanted = trimmed(wanted);
    const auto first = [&](const auto& matches) -> const Window* {
        for (const Window& w : config.windows)
            if (matches(w)) return &w;
        return nullptr;
    };
    const auto with_ident = [&](std::int32_t id) {
        return first(
            [&](const Window& w) { return w.kind == WindowKind::window && w.ident_line != 0 && w.ident == id; });
    };
    if (const auto number = lines::whole(wanted);
        number && wanted.find_first_not_of("0123456789") == std::string_view::npos)
        return first([&](const Window& w) { return w.kind == WindowKind::window && w.number == *number; });
    if (lower(wanted).starts_with("ident=")) {
        const auto id = ident_named(trimmed(wanted.substr(6)));
        return id ? with_ident(*id) : nullptr;
    }
    const std::string name = lower(wanted);
    if (const Window* w = first([&](const Window& w) { return window_file_name(w) == name; })) return w;
    if (const auto id = panel_identifier(upper(wanted)); id && !lines::whole(wanted))
        if (const Window* w = with_ident(*id)) return w;
    return first([&](const Window& w) { return lower(w.section) == name; });
}

std::string window_choices(const PanelConfig& config) {
    std::string out;
    for (const Window& w : config.windows) {
        // Only the names that reach this window: a file name of digits is
        // another window's number.
        std::vector<std::string> names;
        if (w.kind == WindowKind::window) names.push_back(std::to_string(w.number));
        if (find_window(config, window_file_name(w)) == &w) names.push_back(window_file_name(w));
        if (w.kind == WindowKind::window && w.ident_line != 0)
            names.push_back("ident=" + (w.ident_name.empty() ? std::to_string(w.ident) : w.ident_name));
        std::string said;
        for (std::size_t i = 0; i < names.size(); ++i)
            said += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
        out += "  " + said + ": " + window_description(w) + "\n";
    }
    return out;
}

}  // namespace korvel::panel
