#include "host/panel/panel_config.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "host/panel/ini_lines.h"

namespace korvel::panel {

namespace {

constexpr std::string_view module_name = "korvel_instr";

std::string lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return out;
}

std::string_view trimmed(std::string_view s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string_view::npos) return {};
    const std::size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

bool read_whole(std::string_view s, int& out) {
    s = trimmed(s);
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), out);
    return error == std::errc{} && end == s.data() + s.size() && !s.empty();
}

std::optional<int> whole(std::string_view s) {
    int v = 0;
    if (!read_whole(s, v)) return std::nullopt;
    return v;
}

// "WindowNN" (any case) gives NN.
std::optional<int> window_number(std::string_view section) {
    const std::string s = lower(section);
    if (s.size() <= 6 || s.compare(0, 6, "window") != 0) return std::nullopt;
    return whole(std::string_view(s).substr(6));
}

struct Named {
    const char* name;
    std::int32_t id;
};

constexpr Named windows_by_name[] = {
    {"MAIN_PANEL", 0},          {"RADIO_STACK_PANEL", 50},   {"COMPASS_PANEL", 75},
    {"ANNUNCIATOR_PANEL", 125}, {"ANNUNCIATOR2_PANEL", 150}, {"COLLECTIVE_PANEL", 200},
    {"THROTTLE_PANEL", 10},     {"MINI_CONTROLS_PANEL", 100}, {"IFR_MAIN_PANEL", 175},
    {"GPS_PANEL", 225},         {"OVERHEAD_PANEL", 250},
};

// The ident a window without one gets: out of the way of the named ones.
constexpr std::int32_t unnamed_ident_base = 10000;

}  // namespace

std::optional<std::int32_t> panel_identifier(std::string_view text) {
    text = trimmed(text);
    for (const Named& n : windows_by_name)
        if (text == n.name) return n.id;
    if (const auto n = whole(text)) return *n;
    return std::nullopt;
}

PanelConfig read_panel_config(std::string_view text, const std::function<bool(std::string_view)>& has_gauge) {
    PanelConfig config;
    std::map<int, std::size_t> by_number;  // window number -> index
    std::map<int, std::string> titles;
    const auto window_at = [&](int number, int line) -> Window& {
        auto it = by_number.find(number);
        if (it == by_number.end()) {
            it = by_number.emplace(number, config.windows.size()).first;
            Window w;
            w.number = number;
            w.line = line;
            w.ident = unnamed_ident_base + number;
            config.windows.push_back(std::move(w));
        }
        return config.windows[it->second];
    };
    const auto problem = [&](int line, std::string message) { config.problems.push_back({line, std::move(message)}); };

    for_each_ini_key(
        text,
        [&](int line, std::string_view section, std::string_view key_in, std::string_view value) {
            const std::string key = lower(key_in);
            if (lower(section) == "window titles") {
                if (const auto n = window_number(key)) titles[*n] = std::string(value);
                return;
            }
            const auto number = window_number(section);
            if (!number) return;  // [Vcockpit], [Default View] and the like are the simulator's
            Window& w = window_at(*number, line);
            if (key == "file") {
                w.file = value;
            } else if (key == "size_mm") {
                const auto comma = value.find(',');
                const auto width = whole(value.substr(0, comma));
                const auto height =
                    comma == std::string_view::npos ? std::optional<int>() : whole(value.substr(comma + 1));
                if (!width || *width <= 0 || (comma != std::string_view::npos && (!height || *height <= 0)))
                    problem(line, "size_mm must be a width, or a width and a height, in whole positive units");
                else {
                    w.width = *width;
                    w.height = height;
                }
            } else if (key == "position") {
                const auto p = whole(value);
                if (!p || *p < 0 || *p > 8)
                    problem(line, "position must be a number from 0 to 8");
                else
                    w.position = *p;
            } else if (key == "visible") {
                const auto v = whole(value);
                if (!v || (*v != 0 && *v != 1))
                    problem(line, "visible must be 0 or 1");
                else
                    w.visible = *v == 1;
            } else if (key == "ident") {
                const auto id = panel_identifier(value);
                if (!id)
                    problem(line, "ident '" + std::string(trimmed(value)) +
                                      "' is neither a window name of the simulator nor a number");
                else {
                    w.ident = *id;
                    w.ident_name = trimmed(value);
                }
            } else if (key.compare(0, 5, "gauge") == 0) {
                // gaugeNN=Module!Gauge, x, y, w[, h[, parameters]]
                std::vector<std::string_view> fields;
                std::size_t at = 0;
                for (int n = 0; n < 5; ++n) {
                    const std::size_t comma = value.find(',', at);
                    if (comma == std::string_view::npos) break;
                    fields.push_back(value.substr(at, comma - at));
                    at = comma + 1;
                }
                fields.push_back(value.substr(at));
                const std::string_view name = trimmed(fields[0]);
                const std::size_t bang = name.find('!');
                if (bang == std::string_view::npos) {
                    problem(line, std::string(key_in) + ": '" + std::string(name) + "' is not of the form Module!Gauge");
                    return;
                }
                if (lower(name.substr(0, bang)) != module_name) {
                    problem(line, std::string(key_in) + " names module " + std::string(name.substr(0, bang)) +
                                      ", not Korvel_Instr; skipped");
                    return;
                }
                GaugeLine g;
                g.line = line;
                g.key = key_in;
                g.gauge = name.substr(bang + 1);
                if (!has_gauge(g.gauge)) {
                    problem(line, std::string(key_in) + ": Korvel_Instr has no gauge named '" + g.gauge + "'");
                    return;
                }
                if (fields.size() < 4 || !read_whole(fields[1], g.x) || !read_whole(fields[2], g.y) ||
                    !read_whole(fields[3], g.width) || g.width <= 0) {
                    problem(line, std::string(key_in) + ": x, y and a positive width must follow the gauge's name");
                    return;
                }
                if (fields.size() > 4 && !trimmed(fields[4]).empty()) {
                    const auto h = whole(fields[4]);
                    if (!h || *h <= 0) {
                        problem(line, std::string(key_in) + ": the height must be a positive whole number");
                        return;
                    }
                    g.height = *h;
                }
                if (fields.size() > 5) g.parameters = std::string(trimmed(fields[5]));
                w.gauges.push_back(std::move(g));
            }
        },
        [&](int line, const std::string& message) { problem(line, message); });

    for (Window& w : config.windows) {
        if (auto t = titles.find(w.number); t != titles.end()) w.title = t->second;
        if (w.width <= 0) problem(w.line, "window " + std::to_string(w.number) + " has no size_mm");
    }
    std::sort(config.windows.begin(), config.windows.end(),
              [](const Window& a, const Window& b) { return a.number < b.number; });
    std::stable_sort(config.problems.begin(), config.problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    return config;
}

}  // namespace korvel::panel
