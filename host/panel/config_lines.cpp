#include "host/panel/config_lines.h"

#include "host/core/text.h"
#include "host/panel/panel_text.h"

namespace korvel::panel::lines {

using host::lower;
using host::quoted;
using host::trimmed;
using host::upper;

std::string_view uncommented(std::string_view s) {
    if (const auto c = s.find("//"); c != std::string_view::npos) s = s.substr(0, c);
    return trimmed(s);
}

std::optional<int> whole(std::string_view s) {
    s = trimmed(s);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    return host::exact_number<int>(s);
}

std::vector<std::string_view> split(std::string_view value, std::size_t most) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (fields.size() + 1 < most) {
        const std::size_t comma = value.find(',', at);
        if (comma == std::string_view::npos) break;
        fields.push_back(value.substr(at, comma - at));
        at = comma + 1;
    }
    fields.push_back(value.substr(at));
    return fields;
}

std::optional<int> numbered(std::string_view name, std::string_view prefix) {
    const std::string s = lower(trimmed(name));
    if (s.size() <= prefix.size() || s.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    const std::string_view digits = std::string_view(s).substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return whole(digits);
}

std::string two_digits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

std::string gauge_key_for(int number) { return "gauge" + two_digits(number); }

bool gauge_key(std::string_view key) {
    return key.size() > 5 && lower(key.substr(0, 5)) == "gauge" &&
           key.find_first_not_of("0123456789", 5) == std::string_view::npos;
}

std::string_view module_file(std::string_view module) {
    const std::size_t slash = module.find_last_of("\\/");
    return slash == std::string_view::npos ? module : module.substr(slash + 1);
}

bool names_this_module(std::string_view value) {
    const std::string_view name = uncommented(value.substr(0, value.find(',')));
    const std::size_t bang = name.find('!');
    return bang != std::string_view::npos && lower(module_file(trimmed(name.substr(0, bang)))) == module_name;
}

std::string meant_module(std::string_view file) {
    const std::string name = lower(file);
    if (name == std::string(module_name) + ".gau")
        return "the simulator finds no module " + quoted(file) + ": a gauge line names its module without .gau";
    if (name != module_name && edit_distance(name, module_name, 2) <= 2)
        return quoted(file) + " is not this module's name, and the simulator draws the gauge only if a module of " +
               "that name is in its gauges folder";
    return {};
}

ParsedGaugeLine parse_gauge_line(std::string_view value) {
    ParsedGaugeLine out;
    GaugeLine& g = out.line;
    const auto fields = split(value, 6);
    const std::string_view name = uncommented(fields[0]);
    const std::size_t bang = name.find('!');
    if (bang == std::string_view::npos) {
        g.gauge = name;
        return out;
    }
    out.has_module = true;
    g.module = trimmed(name.substr(0, bang));
    g.gauge = trimmed(name.substr(bang + 1));
    if (fields.size() >= 3) {
        const auto x = whole(uncommented(fields[1]));
        const auto y = whole(uncommented(fields[2]));
        out.positioned = x && y;
        if (out.positioned) {
            g.x = *x;
            g.y = *y;
        }
    }
    out.fields_ok = out.positioned;
    for (std::size_t i = 3; out.fields_ok && i < 5 && i < fields.size(); ++i) {
        const std::string_view f = uncommented(fields[i]);
        if (f.empty()) continue;  // x, y, 221,,FO: a width, no height
        const auto v = whole(f);
        if (!v || *v <= 0) {
            out.size_problem = i == 3 ? "the width" : "the height";
            out.fields_ok = false;
        } else {
            (i == 3 ? g.width : g.height) = *v;
        }
    }
    if (fields.size() > 5) g.parameters = std::string(trimmed(fields[5]));
    return out;
}

namespace {

void read_ident(Window& w, int line, std::string_view value, std::vector<Problem>& problems) {
    auto id = panel_identifier(value);
    std::string name(value);
    if (!id) {
        if (const auto by_case = panel_identifier(upper(value))) {
            problems.push_back({line, "ident " + quoted(value) + " is written " + upper(value) + " by the simulator",
                                Severity::warning, "ident-case"});
            id = by_case;
            name = upper(value);
        }
    }
    if (!id) {
        problems.push_back({line,
                            "ident " + quoted(value) +
                                " is neither a window name of the simulator nor a number; the window keeps no "
                                "identifier that a button could name",
                            Severity::warning, "unknown-ident"});
        return;
    }
    w.ident = *id;
    w.ident_name = name;
    w.ident_line = line;
}

}  // namespace

void read_window_key(Window& w, int line, const std::string& key, std::string_view value,
                     std::vector<Problem>& problems) {
    const bool vc = w.kind == WindowKind::virtual_cockpit;
    const auto warn = [&](std::string message, std::string code) {
        problems.push_back({line, std::move(message), Severity::warning, std::move(code)});
    };
    if (key == "file") {
        w.file = value;
        w.file_line = line;
    } else if (key == "size_mm") {
        w.size_line = line;
        const auto fields = split(value, 3);
        const auto width = whole(fields[0]);
        const auto height = fields.size() > 1 ? whole(fields[1]) : std::optional<int>();
        if (!width || *width <= 0 || fields.size() > 2 || (fields.size() > 1 && (!height || *height <= 0)))
            warn(
                "size_mm must be a width, or a width and a height, in whole positive units; the window takes "
                "the size of its background bitmap, or of its gauges",
                "bad-size-mm");
        else {
            w.width = *width;
            w.height = height;
        }
    } else if (key == "pixel_size" && vc) {
        const auto fields = split(value, 3);
        const auto width = whole(fields[0]);
        const auto height = fields.size() > 1 ? whole(fields[1]) : width;
        if (!width || !height || *width <= 0 || *height <= 0 || fields.size() > 2)
            warn("pixel_size must be a width and a height in whole positive pixels", "bad-pixel-size");
        else
            w.pixel_size = std::array<int, 2>{*width, *height};
    } else if (key == "background_color") {
        const auto fields = split(value, 4);
        Colour c{};
        bool ok = fields.size() == 3;
        for (std::size_t i = 0; ok && i < 3; ++i) {
            const auto v = whole(fields[i]);
            ok = v && *v >= 0 && *v <= 255;
            if (ok) c[i] = std::uint8_t(*v);
        }
        if (!ok)
            warn("background_color must be red, green, blue, each 0 to 255", "bad-background-color");
        else
            w.background_color = c;
    } else if (key.compare(0, 7, "texture") == 0 && vc) {
        std::string_view name = value;
        if (!name.empty() && name[0] == '$') name.remove_prefix(1);
        if (w.title.empty()) {
            w.title = name;
            w.texture_line = line;
        }
    } else if (key == "position" && !vc) {
        const auto p = whole(value);
        if (!p || *p < 0 || *p > 8)
            warn("position must be a number from 0 to 8", "bad-position");
        else
            w.position = *p;
    } else if (key == "visible") {
        const auto v = whole(value);
        if (!v || (*v != 0 && *v != 1))
            warn("visible must be 0 or 1", "bad-visible");
        else
            w.visible = *v == 1;
    } else if (key == "ident" && !vc) {
        read_ident(w, line, value, problems);
    }
}

}  // namespace korvel::panel::lines
