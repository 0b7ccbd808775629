#include "host/panel/panel_config.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <tuple>

#include "host/core/cp1252.h"
#include "host/core/text.h"
#include "host/panel/ini_lines.h"
#include "module/vocabulary.h"

namespace korvel::panel {

namespace {

constexpr std::string_view module_name = "korvel_instr";

using host::lower;
using host::quoted;
using host::trimmed;
using host::upper;

// A value without its trailing // comment, as the simulator's number reader
// stops before it.
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

// "Window07" gives 7, "VCockpit01" 1 (any case).
std::optional<int> numbered(std::string_view name, std::string_view prefix) {
    const std::string s = lower(trimmed(name));
    if (s.size() <= prefix.size() || s.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    const std::string_view digits = std::string_view(s).substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return whole(digits);
}

// The ident a window without one gets: out of the way of the named ones.
constexpr std::int32_t unnamed_ident_base = 10000;

class Reader {
public:
    explicit Reader(const GaugeLookup& lookup) : lookup_(lookup) {}

    PanelConfig read(std::string_view text) {
        // Where each section starts, for windows reported by their header.
        int number = 0;
        for (std::size_t at = 0; at <= text.size();) {
            const std::size_t end = std::min(text.find('\n', at), text.size());
            ++number;
            const std::string_view line = trimmed(text.substr(at, end - at));
            if (line.size() > 2 && line.front() == '[')
                if (const auto close = line.find(']'); close != std::string_view::npos)
                    section_lines_.emplace(lower(trimmed(line.substr(1, close - 1))), number);
            at = end + 1;
        }
        for_each_ini_key(
            text,
            [&](int line, std::string_view section, std::string_view key, std::string_view value) {
                on_key(line, section, key, value);
            },
            [&](int line, const std::string& message) {
                ++config_.unread_lines;
                problem(line, message, Severity::warning);
            },
            true);
        finish(text);
        return std::move(config_);
    }

private:
    void problem(int line, std::string message, Severity severity) {
        config_.problems.push_back({line, std::move(message), severity});
    }

    Window& window_of(std::string_view section, WindowKind kind, int number, int line) {
        const auto key = std::make_pair(kind, number);
        auto it = by_number_.find(key);
        if (it == by_number_.end()) {
            it = by_number_.emplace(key, config_.windows.size()).first;
            Window w;
            w.kind = kind;
            w.number = number;
            const auto header = section_lines_.find(lower(trimmed(section)));
            w.line = header != section_lines_.end() && header->second <= line ? header->second : line;
            w.section = section;
            w.ident = kind == WindowKind::window ? unnamed_ident_base + number : -1;
            config_.windows.push_back(std::move(w));
        }
        return config_.windows[it->second];
    }

    void on_key(int line, std::string_view section, std::string_view key_in, std::string_view value) {
        const std::string key = lower(trimmed(key_in));
        if (lower(trimmed(section)) == "window titles") {
            if (const auto n = numbered(key, "window")) titles_[*n] = {std::string(uncommented(value)), line};
            return;
        }
        WindowKind kind = WindowKind::window;
        auto number = numbered(section, "window");
        if (!number) {
            number = numbered(section, "vcockpit");
            kind = WindowKind::virtual_cockpit;
        }
        if (!number) return;  // [Default View], [Views], [Color] and the like are the simulator's
        Window& w = window_of(section, kind, *number, line);
        if (key.compare(0, 5, "gauge") == 0 && key.size() > 5 &&
            key.find_first_not_of("0123456789", 5) == std::string::npos)
            gauge_line(w, line, trimmed(key_in), value);
        else
            window_key(w, line, key, uncommented(value));
    }

    void window_key(Window& w, int line, const std::string& key, std::string_view value) {
        const bool vc = w.kind == WindowKind::virtual_cockpit;
        if (key == "file") {
            w.file = value;
            w.file_line = line;
        } else if (key == "file_1024") {
            file_1024_[std::size_t(&w - config_.windows.data())] = {std::string(value), line};
        } else if (key == "size_mm") {
            const auto fields = split(value, 3);
            const auto width = whole(fields[0]);
            const auto height = fields.size() > 1 ? whole(fields[1]) : std::optional<int>();
            if (!width || *width <= 0 || fields.size() > 2 || (fields.size() > 1 && (!height || *height <= 0)))
                problem(line, "size_mm must be a width, or a width and a height, in whole positive units",
                        Severity::warning);
            else {
                w.width = *width;
                w.height = height;
            }
        } else if (key == "pixel_size" && vc) {
            const auto fields = split(value, 3);
            const auto width = whole(fields[0]);
            const auto height = fields.size() > 1 ? whole(fields[1]) : width;
            if (!width || !height || *width <= 0 || *height <= 0 || fields.size() > 2)
                problem(line, "pixel_size must be a width and a height in whole positive pixels", Severity::warning);
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
                problem(line, "background_color must be red, green, blue, each 0 to 255", Severity::warning);
            else
                w.background_color = c;
        } else if (key.compare(0, 7, "texture") == 0 && vc) {
            std::string_view name = value;
            if (!name.empty() && name[0] == '$') name.remove_prefix(1);
            if (w.title.empty()) w.title = name;
        } else if (key == "position" && !vc) {
            const auto p = whole(value);
            if (!p || *p < 0 || *p > 8)
                problem(line, "position must be a number from 0 to 8", Severity::warning);
            else
                w.position = *p;
        } else if (key == "visible") {
            const auto v = whole(value);
            if (!v || (*v != 0 && *v != 1))
                problem(line, "visible must be 0 or 1", Severity::warning);
            else
                w.visible = *v == 1;
        } else if (key == "ident" && !vc) {
            ident(w, line, value);
        }
    }

    void ident(Window& w, int line, std::string_view value) {
        auto id = panel_identifier(value);
        std::string name(value);
        if (!id) {
            if (const auto by_case = panel_identifier(upper(value))) {
                problem(line, "ident " + quoted(value) + " is written " + upper(value) + " by the simulator",
                        Severity::warning);
                id = by_case;
                name = upper(value);
            }
        }
        if (!id) {
            problem(line,
                    "ident " + quoted(value) +
                        " is neither a window name of the simulator nor a number; the window keeps no identifier "
                        "that a button could name",
                    Severity::warning);
            return;
        }
        w.ident = *id;
        w.ident_name = name;
        w.ident_line = line;
    }

    void gauge_line(Window& w, int line, std::string_view key, std::string_view value) {
        // gaugeNN=Module!Gauge, x, y[, w[, h[, parameters]]]
        if (const auto n = numbered(key, "gauge"))
            gauge_keys_[std::size_t(&w - config_.windows.data())].push_back({*n, std::string(key), line});
        const auto fields = split(value, 6);
        const std::string_view name = uncommented(fields[0]);
        const std::size_t bang = name.find('!');
        if (bang == std::string_view::npos) {
            ++config_.unread_lines;
            const bool ours = lower(name).find(module_name) != std::string::npos;
            if (ours) ++config_.refused_lines;
            problem(line, std::string(key) + ": " + quoted(name) + " is not of the form Module!Gauge",
                    ours ? Severity::error : Severity::warning);
            return;
        }
        GaugeLine g;
        g.line = line;
        g.key = key;
        g.module = trimmed(name.substr(0, bang));
        g.gauge = trimmed(name.substr(bang + 1));
        // The gauges folder may hold the module in a folder of its own.
        const std::string_view file = std::string_view(g.module).substr(g.module.find_last_of("\\/") + 1);
        const bool ours = lower(file) == module_name;

        bool fields_ok = fields.size() >= 3;
        if (fields_ok) {
            const auto x = whole(uncommented(fields[1]));
            const auto y = whole(uncommented(fields[2]));
            fields_ok = x && y;
            if (fields_ok) {
                g.x = *x;
                g.y = *y;
            }
        }
        std::string size_problem;
        for (std::size_t i = 3; fields_ok && i < 5 && i < fields.size(); ++i) {
            const std::string_view f = uncommented(fields[i]);
            if (f.empty()) continue;  // x, y, 221,,FO: a width, no height
            const auto v = whole(f);
            if (!v || *v <= 0) {
                size_problem = i == 3 ? "the width" : "the height";
                fields_ok = false;
            } else {
                (i == 3 ? g.width : g.height) = *v;
            }
        }
        if (fields.size() > 5) g.parameters = std::string(trimmed(fields[5]));

        if (!ours) {
            ++config_.other_lines;
            if (fields_ok) w.others.push_back(std::move(g));
            return;
        }
        const auto refuse = [&](const std::string& message) {
            ++config_.refused_lines;
            problem(line, std::string(key) + ": " + message, Severity::error);
        };
        const auto exact = lookup_(g.gauge);
        if (!exact) return refuse("Korvel_Instr has no gauge named " + quoted(g.gauge));
        if (!fields_ok)
            return refuse(size_problem.empty()
                              ? "x and y, whole numbers, must follow the gauge's name"
                              : size_problem + " must be a positive whole number, or empty for the gauge's own");
        if (*exact != g.gauge)
            problem(line, std::string(key) + ": the gauge is spelled " + *exact + " in Korvel_Instr",
                    Severity::warning);
        if (g.height && !g.width)
            problem(line, std::string(key) + ": a height without a width is not read; the gauge keeps its own size",
                    Severity::warning);
        if (g.height && !g.width) g.height.reset();
        g.gauge = *exact;
        ++config_.placed_lines;
        w.gauges.push_back(std::move(g));
    }

    void finish(std::string_view) {
        // The simulator reads the titles Window00, Window01, ... up to the
        // first number missing; a window it does not read a title for may
        // never be created.
        int readable = 0;
        while (titles_.count(readable) != 0) ++readable;
        for (const auto& [number, title] : titles_)
            if (number >= readable)
                problem(title.second,
                        "Window" + two_digits(number) +
                            " comes after a break in the numbering of the titles (no Window" + two_digits(readable) +
                            "); the simulator stops reading titles there",
                        Severity::warning);

        std::map<std::int32_t, const Window*> idents;
        for (std::size_t i = 0; i < config_.windows.size(); ++i) {
            Window& w = config_.windows[i];
            if (const auto f = file_1024_.find(i); f != file_1024_.end() && w.file_line == 0)
                std::tie(w.file, w.file_line) = f->second;
            if (w.kind == WindowKind::virtual_cockpit) {
                if (w.title.empty()) {
                    w.title = w.section;
                    problem(w.line, "[" + w.section + "] names no texture (texture00=$NAME)", Severity::warning);
                }
                if (w.width <= 0) problem(w.line, "[" + w.section + "] has no size_mm", Severity::warning);
                continue;
            }
            if (const auto t = titles_.find(w.number); t != titles_.end()) {
                w.title = t->second.first;
                w.titled = w.number < readable;
            }
            if (!w.titled)
                problem(w.line,
                        "[" + w.section + "] is not listed in [Window Titles] before a break in the numbering; the " +
                            "simulator may not create this window",
                        Severity::warning);
            if (w.ident_line != 0) {
                if (const auto [at, fresh] = idents.emplace(w.ident, &w); !fresh)
                    problem(w.ident_line,
                            "ident " + w.ident_name +
                                (w.ident_name == std::to_string(w.ident) ? "" : " (" + std::to_string(w.ident) + ")") +
                                " is also the ident of " + window_description(*at->second) + " (line " +
                                std::to_string(at->second->ident_line) +
                                "); a button that names it reaches only one of them",
                            Severity::warning);
            }
            // Gauge keys are read in order from gauge00 up to the first number missing.
            auto& keys = gauge_keys_[i];
            std::stable_sort(keys.begin(), keys.end(),
                             [](const GaugeKey& a, const GaugeKey& b) { return a.number < b.number; });
            int expected = 0;
            for (std::size_t k = 0; k < keys.size(); ++k) {
                const GaugeKey& g = keys[k];
                if (k > 0 && keys[k - 1].number == g.number)
                    problem(g.line,
                            g.key + " is also on line " + std::to_string(keys[k - 1].line) +
                                "; the simulator reads one of the two",
                            Severity::warning);
                else if (expected >= 0 && g.number != expected) {
                    problem(g.line,
                            g.key + " comes after a break in the numbering (no gauge" + two_digits(expected) +
                                "); the simulator may stop reading gauges there",
                            Severity::warning);
                    expected = -1;
                } else if (expected >= 0) {
                    ++expected;
                }
            }
        }
        std::stable_sort(config_.windows.begin(), config_.windows.end(), [](const Window& a, const Window& b) {
            return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
        });
        std::stable_sort(config_.problems.begin(), config_.problems.end(),
                         [](const Problem& a, const Problem& b) { return a.line < b.line; });
    }

    static std::string two_digits(int n) { return (n >= 0 && n < 10 ? "0" : "") + std::to_string(n); }

    const GaugeLookup& lookup_;
    PanelConfig config_;
    std::map<std::pair<WindowKind, int>, std::size_t> by_number_;
    std::map<int, std::pair<std::string, int>> titles_;             // number -> title, line
    std::map<std::size_t, std::pair<std::string, int>> file_1024_;  // window index -> file_1024, line
    std::map<std::string, int> section_lines_;                      // the first header of each section name
    struct GaugeKey {
        int number;
        std::string key;
        int line;
    };
    std::map<std::size_t, std::vector<GaugeKey>> gauge_keys_;  // window index -> its gauge keys
};

}  // namespace

std::size_t PanelConfig::errors() const {
    return std::size_t(std::count_if(problems.begin(), problems.end(),
                                     [](const Problem& p) { return p.severity == Severity::error; }));
}

std::size_t PanelConfig::warnings() const {
    return std::size_t(std::count_if(problems.begin(), problems.end(),
                                     [](const Problem& p) { return p.severity == Severity::warning; }));
}

std::optional<std::int32_t> panel_identifier(std::string_view text) {
    text = trimmed(text);
    for (const WindowIdent& n : window_idents)
        if (text == n.name) return n.ident;
    if (const auto n = whole(text)) return *n;
    return std::nullopt;
}

std::optional<std::string_view> panel_identifier_name(std::int32_t id) {
    for (const WindowIdent& n : window_idents)
        if (n.ident == id) return n.name;
    return std::nullopt;
}

PanelConfig read_panel_config(std::string_view text, const GaugeLookup& lookup) { return Reader(lookup).read(text); }

PanelConfig read_panel_config(std::string_view text, const std::function<bool(std::string_view)>& has_gauge) {
    return read_panel_config(text, GaugeLookup([&has_gauge](std::string_view name) -> std::optional<std::string> {
                                 if (has_gauge(name)) return std::string(name);
                                 return std::nullopt;
                             }));
}

std::string window_file_name(const Window& w) {
    std::string name;
    if (w.kind == WindowKind::virtual_cockpit) {
        for (const char c : w.title)
            name += std::isalnum(static_cast<unsigned char>(c)) != 0 && static_cast<unsigned char>(c) < 0x80
                        ? char(std::tolower(static_cast<unsigned char>(c)))
                        : '_';
        return "vc-" + (name.empty() ? "vcockpit" + std::to_string(w.number) : name);
    }
    name = !w.ident_name.empty() ? w.ident_name : "window" + std::to_string(w.number);
    for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

std::string window_description(const Window& w) {
    std::string out = "[" + w.section + "]";
    if (!w.title.empty()) out += " " + quoted(w.title);
    if (!w.ident_name.empty()) out += " (" + w.ident_name + ")";
    return out;
}

}  // namespace korvel::panel
