#include "host/panel/panel_config.h"

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "host/core/text.h"
#include "host/panel/config_lines.h"
#include "host/panel/ini_lines.h"
#include "host/panel/panel_text.h"
#include "module/vocabulary.h"

namespace korvel::panel {

namespace {

using host::lower;
using host::quoted;
using host::trimmed;
using host::upper;
using namespace lines;

class Reader {
public:
    Reader(const GaugeLookup& lookup, const std::vector<std::string>& names) : lookup_(lookup), names_(names) {}

    PanelConfig read(std::string_view text) {
        PanelText examined = examine_text(text);
        config_.problems = std::move(examined.problems);
        if (!examined.readable) return std::move(config_);
        headers_ = section_headers(examined.body);
        for_each_ini_key(
            examined.body,
            [&](int line, std::string_view section, std::string_view key, std::string_view value) {
                on_key(line, section, key, value, nullptr);
            },
            [&](int line, const std::string& message) {
                ++config_.unread_lines;
                problem(line, message, Severity::warning, "unreadable-line");
            },
            true, [&](int line, std::string_view whole) { on_long(line, whole); });
        finish();
        return std::move(config_);
    }

private:
    void problem(int line, std::string message, Severity severity, std::string code) {
        config_.problems.push_back({line, std::move(message), severity, std::move(code)});
    }

    // The header a line stands under, or none before the first.
    const SectionHeader* header_of(int line) const {
        const auto after = std::upper_bound(headers_.begin(), headers_.end(), line,
                                            [](int l, const SectionHeader& h) { return l < h.line; });
        return after == headers_.begin() ? nullptr : &*(after - 1);
    }

    Window& window_of(std::string_view section, WindowKind kind, int number, int line) {
        const auto key = std::make_pair(kind, number);
        auto it = by_number_.find(key);
        if (it == by_number_.end()) {
            it = by_number_.emplace(key, config_.windows.size()).first;
            Window w;
            w.kind = kind;
            w.number = number;
            const SectionHeader* header = header_of(line);
            w.line = header != nullptr ? header->line : line;
            w.section = section;
            w.ident = kind == WindowKind::window ? unnamed_ident_base + number : -1;
            config_.windows.push_back(std::move(w));
        }
        return config_.windows[it->second];
    }

    // A line inih cannot read whole: a gauge line of this module is one
    // not placed, anything else a line not read.
    void on_long(int line, std::string_view text) {
        const std::size_t eq = text.find('=');
        const std::string_view key = trimmed(text.substr(0, eq));
        const std::string_view value = eq == std::string_view::npos ? std::string_view() : text.substr(eq + 1);
        const SectionHeader* header = header_of(line);
        if (eq != std::string_view::npos && header != nullptr && gauge_key(key) && names_this_module(value)) {
            const std::size_t comment = text.find("//");
            const LongLine long_line{text.size(), comment != std::string_view::npos &&
                                                      trimmed(text.substr(0, comment)).size() <= longest_line};
            return on_key(line, header->written, key, value, &long_line);
        }
        ++config_.unread_lines;
        problem(line, "line is longer than " + std::to_string(longest_line) + " characters; skipped", Severity::warning,
                "line-too-long");
    }

    void on_key(int line, std::string_view section, std::string_view key_in, std::string_view value,
                const LongLine* too_long) {
        const std::string key = lower(trimmed(key_in));
        const std::string name = lower(trimmed(section));
        if (const SectionHeader* header = header_of(line);
            header != nullptr && ((header->read && header->first_line != header->line) || !header->meant.empty())) {
            // The simulator reads the first section of a name, and none it does not know.
            auto& [keys, ours] = skipped_[header->line];
            ++keys;
            if (gauge_key(key) && names_this_module(value)) ++ours;
            return;
        }
        if (name == "window titles") {
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
        if (gauge_key(key))
            gauge_line(w, line, trimmed(key_in), value, too_long);
        else
            window_key(w, line, key, uncommented(value));
    }

    void window_key(Window& w, int line, const std::string& key, std::string_view value) {
        if (key == "file_1024")
            file_1024_[std::size_t(&w - config_.windows.data())] = {std::string(value), line};
        else
            read_window_key(w, line, key, value, config_.problems);
    }

    // Why the simulator does not read the key, or empty when it does; the
    // first of two keys of one number is the one it reads.
    std::string unread_key(std::size_t window, std::string_view key, int line) {
        const std::string_view digits = key.substr(5);
        const auto number = whole(digits);
        if (!number || !(digits.size() == 2 || (digits.size() == 3 && digits[0] != '0'))) {
            std::string out =
                "the simulator reads gauge keys of two digits, gauge00 to gauge99, then of three, "
                "gauge100 up; it does not read " +
                std::string(key);
            if (number && *number < 1000) out += " (write " + gauge_key_for(*number) + ")";
            return out;
        }
        const auto [at, fresh] = seen_keys_[window].emplace(*number, line);
        if (!fresh)
            return std::string(key) + " is also on line " + std::to_string(at->second) +
                   ", and the simulator reads only the first";
        gauge_keys_[window].push_back(*number);
        return {};
    }

    void gauge_line(Window& w, int line, std::string_view key, std::string_view value, const LongLine* too_long) {
        const auto window = std::size_t(&w - config_.windows.data());
        const std::string unread = unread_key(window, key, line);
        const std::string prefix = std::string(key) + ": ";
        ParsedGaugeLine parsed = parse_gauge_line(value);
        GaugeLine& g = parsed.line;
        g.line = line;
        g.key = key;
        const auto place = [&](Severity severity, const std::string& message, std::string code) {
            const bool named_ours = g.module.empty() || lower(module_file(g.module)) == module_name;
            config_.problems.push_back({line, prefix + message, severity, std::move(code),
                                        named_ours ? g.gauge : g.module + "!" + g.gauge, w.section});
        };
        if (!parsed.has_module) {
            ++config_.unread_lines;
            const bool ours = lower(g.gauge).find(module_name) != std::string::npos;
            if (ours) ++config_.refused_lines;
            place(ours ? Severity::error : Severity::warning, quoted(g.gauge) + " is not of the form Module!Gauge",
                  "no-module-name");
            return;
        }
        const std::string file(module_file(g.module));
        const bool ours = lower(file) == module_name;
        std::string why = unread;
        std::string code = unread.empty()                                     ? ""
                           : unread.find("also on line") != std::string::npos ? "repeated-key"
                                                                              : "unread-key";
        if (too_long != nullptr) {
            why = "the line is " + std::to_string(too_long->length) + " characters long, and the simulator reads " +
                  "none longer than " + std::to_string(longest_line);
            if (too_long->fits_without_comment)
                why += " (the comment at its end makes it so: give it a line of its own)";
            code = "line-too-long";
        }
        if (!ours) {
            ++config_.other_lines;
            if (!why.empty()) return place(Severity::warning, why + ": the gauge is not drawn", code);
            if (const std::string meant = meant_module(file); !meant.empty())
                place(Severity::warning, meant + "; did you mean " + std::string(module_display) + "!" + g.gauge + "?",
                      "unknown-module");
            if (parsed.fields_ok) w.others.push_back(std::move(g));
            return;
        }
        const auto refuse = [&](const std::string& message, std::string refusal_code) {
            ++config_.refused_lines;
            g.refusal = message;
            place(Severity::error, message, std::move(refusal_code));
            if (parsed.positioned) w.refused.push_back(g);
        };
        if (!why.empty()) return refuse(why + ", so the gauge is not placed", code);
        const auto exact = lookup_(g.gauge);
        if (!exact) {
            std::string message = "Korvel_Instr has no gauge named " + quoted(g.gauge);
            if (const std::string near = nearest(g.gauge, names_, 3); !near.empty())
                message += "; did you mean " + near + "?";
            return refuse(message, "unknown-gauge");
        }
        if (!parsed.fields_ok)
            return refuse(parsed.size_problem.empty()
                              ? "x and y, whole numbers, must follow the gauge's name"
                              : parsed.size_problem + " must be a positive whole number, or empty for the gauge's own",
                          "bad-gauge-fields");
        if (*exact != g.gauge)
            place(Severity::warning, "the gauge is spelled " + *exact + " in Korvel_Instr", "gauge-name-case");
        if (g.height && !g.width) {
            place(Severity::warning, "a height without a width is not read; the gauge keeps its own size",
                  "height-without-width");
            g.height.reset();
        }
        g.gauge = *exact;
        ++config_.placed_lines;
        w.gauges.push_back(std::move(g));
    }

    void finish();

    const GaugeLookup& lookup_;
    const std::vector<std::string>& names_;
    PanelConfig config_;
    std::vector<SectionHeader> headers_;
    std::map<std::pair<WindowKind, int>, std::size_t> by_number_;
    std::map<int, std::pair<std::string, int>> titles_;             // number -> title, line
    std::map<std::size_t, std::pair<std::string, int>> file_1024_;  // window index -> file_1024, line
    std::map<int, std::pair<int, int>> skipped_;                    // header line -> keys, gauge lines of this module
    std::map<std::size_t, std::map<int, int>> seen_keys_;           // window index -> key number -> line
    std::map<std::size_t, std::vector<int>> gauge_keys_;            // window index -> its keys read, in line order
};

void Reader::finish() {
    for (const SectionHeader& h : headers_) {
        const bool repeated = h.read && h.first_line != h.line;
        if (!repeated && h.meant.empty()) continue;
        const auto [keys, ours] = skipped_[h.line];
        std::string message = repeated
                                  ? "[" + h.written + "] is written again: the simulator reads only the first (line " +
                                        std::to_string(h.first_line) + ")"
                                  : "[" + h.written + "] is no section the simulator reads; did you mean [" + h.meant +
                                        "]? The simulator skips it";
        message += ", so its " + std::to_string(keys) + (keys == 1 ? " key is" : " keys are") + " not read";
        if (ours > 0) message += ", and its " + std::to_string(ours) + " Korvel_Instr gauge lines are not placed";
        if (repeated) message += "; merge them into the first, or give the section a number of its own";
        config_.refused_lines += ours;
        problem(h.line, message, ours > 0 ? Severity::error : Severity::warning,
                repeated ? "repeated-section" : "misspelt-section");
    }

    // The simulator reads the titles Window00, Window01, ... up to the first
    // number missing; a window it does not read a title for may never be
    // created.
    int readable = 0;
    while (titles_.count(readable) != 0) ++readable;
    for (const auto& [number, title] : titles_) {
        if (number >= readable)
            problem(title.second,
                    "Window" + two_digits(number) + " comes after a break in the numbering of the titles (no Window" +
                        two_digits(readable) + "); the simulator stops reading titles there",
                    Severity::warning, "title-after-break");
        if (by_number_.count({WindowKind::window, number}) == 0)
            problem(title.second,
                    "Window" + two_digits(number) + " " + quoted(title.first) +
                        " titles no window: there is no [Window" + two_digits(number) +
                        "] section, so the simulator has nothing to show under this title",
                    Severity::warning, "title-without-window");
    }

    std::map<std::int32_t, const Window*> idents;
    std::map<std::string, const Window*> textures;
    for (std::size_t i = 0; i < config_.windows.size(); ++i) {
        Window& w = config_.windows[i];
        if (const auto f = file_1024_.find(i); f != file_1024_.end() && w.file_line == 0)
            std::tie(w.file, w.file_line) = f->second;
        if (w.kind == WindowKind::virtual_cockpit) {
            if (w.title.empty()) {
                w.title = w.section;
                problem(w.line, "[" + w.section + "] names no texture (texture00=$NAME)", Severity::warning,
                        "vc-no-texture");
            } else if (const auto [at, fresh] = textures.emplace(lower(w.title), &w); !fresh) {
                problem(w.texture_line,
                        "[" + w.section + "] draws on the texture $" + w.title + ", as [" + at->second->section +
                            "] (line " + std::to_string(at->second->texture_line) +
                            ") does: the simulator paints both on the one texture, one over the other; give each "
                            "virtual cockpit a texture of its own",
                        Severity::warning, "shared-texture");
            }
            if (w.size_line == 0)
                problem(w.line, "[" + w.section + "] has no size_mm", Severity::warning, "vc-no-size");
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
                    Severity::warning, "window-not-titled");
        if (w.ident_line != 0) {
            if (const auto [at, fresh] = idents.emplace(w.ident, &w); !fresh)
                problem(w.ident_line,
                        "ident " + w.ident_name +
                            (w.ident_name == std::to_string(w.ident) ? "" : " (" + std::to_string(w.ident) + ")") +
                            " is also the ident of " + window_description(*at->second) + " (line " +
                            std::to_string(at->second->ident_line) +
                            "); a button that names it reaches only one of them",
                        Severity::warning, "repeated-ident");
        }
        // Gauge keys are read in order from gauge00 up to the first number missing.
        std::vector<int>& keys = gauge_keys_[i];
        std::vector<int> sorted = keys;
        std::sort(sorted.begin(), sorted.end());
        for (std::size_t k = 0; k < sorted.size(); ++k)
            if (sorted[k] != int(k)) {
                const int line = seen_keys_[i][sorted[k]];
                problem(line,
                        "gauge" + two_digits(sorted[k]) + " comes after a break in the numbering (no gauge" +
                            two_digits(int(k)) + "); the simulator may stop reading gauges there",
                        Severity::warning, "gauge-key-gap");
                break;
            }
    }
    std::stable_sort(config_.windows.begin(), config_.windows.end(), [](const Window& a, const Window& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.number < b.number;
    });
    name_windows(config_.windows);
    if (config_.windows.empty())
        problem(0,
                "no [WindowNN] or [VCockpitNN] section: this is not a panel configuration, or its sections are "
                "misspelt",
                Severity::error, "no-windows");
    std::stable_sort(config_.problems.begin(), config_.problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
}

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

PanelConfig read_panel_config(std::string_view text, const GaugeLookup& lookup, const std::vector<std::string>& names) {
    return Reader(lookup, names).read(text);
}

PanelConfig read_panel_config(std::string_view text, const std::function<bool(std::string_view)>& has_gauge) {
    return read_panel_config(text, GaugeLookup([&has_gauge](std::string_view name) -> std::optional<std::string> {
                                 if (has_gauge(name)) return std::string(name);
                                 return std::nullopt;
                             }));
}

}  // namespace korvel::panel
