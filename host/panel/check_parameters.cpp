#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/text.h"
#include "host/panel/check_internal.h"
#include "host/panel/check_reading.h"
#include "host/panel/check_trials.h"
#include "host/panel/check_words.h"
#include "module/buttons/parameters.h"

namespace korvel::panel {

namespace {

using host::quoted;
using namespace words;
using namespace reading;

class ParameterChecks {
public:
    ParameterChecks(host::Host& scratch, const PanelConfig& config, Findings& findings)
        : host_(scratch), config_(config), findings_(findings) {
        for (const Button& b : buttons())
            if (const GaugeHeader* kind = host_.find_gauge(b.gauge)) own_face_[std::string(b.gauge)] = face_of(*kind);
    }

    // Every line in the order the session places them, so that what one
    // copy leaves in its gauge kind is what the next one finds. A line that
    // repeats an earlier one's gauge and parameters is tried as well, for
    // that reason, but has its say on the first one's findings.
    void try_lines() {
        struct Repeats {
            std::size_t first, end;  // the first line's findings
            std::vector<int> lines;  // the lines that repeat it
        };
        std::map<std::pair<std::string, std::optional<std::string>>, Repeats> seen;
        Findings repeated;
        for (const Window& w : config_.windows)
            for (const GaugeLine& line : w.gauges) {
                const Button* b = button_named(line.gauge);
                if (b == nullptr && line.gauge != registration_plate) continue;
                const auto [at, fresh] = seen.try_emplace({line.gauge, line.parameters});
                if (!fresh) at->second.lines.push_back(line.line);
                out_ = fresh ? &findings_ : &repeated;
                const std::size_t first = findings_.list.size();
                try {
                    if (b != nullptr)
                        check_button(line, *b);
                    else
                        plates_.emplace_back(line.line, check_plate(host_, line, *out_));
                } catch (const std::exception& e) {
                    warn(line.line, "trial-failed", line.gauge + " could not be tried in the host: " + e.what());
                }
                if (fresh) at->second = {first, findings_.list.size(), {}};
                host_.remove_killed();  // a trial's gauge is done with
            }
        out_ = &findings_;
        for (const auto& [what, r] : seen)
            for (std::size_t i = r.first; !r.lines.empty() && i < r.end; ++i)
                findings_.list[i].message += " (the same on " + lines_list(r.lines) + ")";
        check_copies();
    }

private:
    void warn(int line, std::string code, std::string message) {
        out_->warn(line, std::move(code), std::move(message));
    }
    void note(int line, std::string code, std::string message) {
        out_->note(line, std::move(code), std::move(message));
    }

    // -- panel buttons --------------------------------------------------------

    std::string face_phrase(const std::string& gauge, std::int32_t face) const {
        std::string out = "face " + std::to_string(face);
        if (own_face_.at(gauge) == face) return out;
        for (const auto& [name, own] : own_face_)
            if (own == face) return out + " (" + name + "'s)";
        return out;
    }

    void check_button(const GaugeLine& line, const Button& button) {
        const ButtonTrial t = try_button(host_, line.gauge, line.parameters);
        copies_[line.gauge].push_back({line.line, t.face, t.help});

        std::string what = !t.click_taken    ? "a click reaches no click area"
                           : t.click.empty() ? "click does nothing"
                                             : "click " + describe(t.click, config_);
        if (!t.at_load.empty()) what += "; when the panel first loads, it " + describe(t.at_load, config_);
        what += "; " + face_phrase(line.gauge, t.face) + ", " + help_phrase(t.help);
        note(line.line, "button-action", what);

        const std::string params = line.parameters.value_or("");
        if (!button.reads_parameters) {
            // A comment alone changes nothing anywhere: nothing to say.
            if (params.find_first_not_of(" \t") < comment_at(params)) {
                const ButtonTrial plain = try_button(host_, line.gauge, std::nullopt);
                if (same(plain, t))
                    warn(line.line, "parameters-not-read",
                         line.gauge + " reads no parameter string: " + quoted(params) + " changes nothing");
            }
        } else {
            if (t.click_taken && t.click.empty())
                warn(line.line, "click-does-nothing",
                     params.find_first_not_of(" \t") == comment_at(params)
                         ? "a click does nothing: the parameters are all comment, and only a button "
                           "without parameters toggles window 0"
                         : "a click does nothing: the parameters open, close and toggle no window and send "
                           "no step event (o, c, t, p)");
            check_window_keys(line.line, params, t);
            check_once_read_keys(line.line, params);
            check_face_keys(line.line, params, t);
        }
        check_windows_exist(line.line, t);
    }

    static bool same(const ButtonTrial& a, const ButtonTrial& b) {
        return same_actions(a.at_load, b.at_load) && same_actions(a.click, b.click) && a.face == b.face &&
               a.help == b.help;
    }

    bool inside_misread_name(std::size_t at) const {
        return std::any_of(misread_.begin(), misread_.end(),
                           [at](const auto& span) { return at >= span.first && at < span.second; });
    }

    // The key letters in a stretch of a name, each once, in order: "p and a".
    static std::string keys_in(std::string_view name) {
        std::string found;
        for (char c : name)
            if (button_keys.find(c) != std::string_view::npos && found.find(c) == std::string::npos) found += c;
        std::vector<std::string> parts;
        for (char c : found) parts.emplace_back(1, c);
        return join(parts);
    }

    // Keys o, c, t and a name a window; a value that is neither a window name
    // in capitals nor a number reads as window 0, the main panel, and the key
    // letters inside a misspelt name are read as keys of their own.
    void check_window_keys(int line, const std::string& params, const ButtonTrial& t) {
        misread_.clear();
        std::vector<std::pair<std::size_t, char>> keys;
        for (char k : std::string_view("oct"))
            for (std::size_t at : places_of(params, k)) keys.emplace_back(at, k);
        if (const auto a = places_of(params, 'a'); !a.empty()) keys.emplace_back(a.front(), 'a');
        std::sort(keys.begin(), keys.end());

        for (const auto& [at, key] : keys) {
            if (inside_misread_name(at)) continue;
            const Act act = key == 'o' ? Act::open : key == 'c' ? Act::close : key == 't' ? Act::toggle : Act::close;
            const std::vector<Action>& effects = key == 'a' ? t.at_load : t.click;
            const std::string k(1, key);
            const char* value = params.c_str() + at + 1;
            if (*value == '\0') {
                warn(line, "key-without-window", k + " at the end of the parameters names no window: it does nothing");
                continue;
            }
            if (window_name_at(value) != nullptr) continue;
            if (const auto n = written_number(value)) {
                if (*n < 0 && !did(effects, act, std::int32_t(*n)))
                    warn(line, "window-below-zero",
                         quoted(key_snippet(params, at)) +
                             " names no window (numbers below 0 are skipped): it does nothing");
                continue;
            }
            // The module reads window 0 here; say why only when it did.
            if (!did(effects, act, 0)) continue;

            const std::string_view after_key = std::string_view(params).substr(at + 1);
            std::size_t ws = 0;
            while (ws < after_key.size() && is_space(after_key[ws])) ++ws;
            const std::string_view rest = after_key.substr(ws);
            std::size_t word = 0;
            while (word < rest.size() && is_word(rest[word])) ++word;
            const WindowIdent* meant = window_name_at(host::upper(rest.substr(0, word)).c_str());

            std::string why, advice;
            std::size_t end = at + 1;  // the end of what the designer meant as the value
            std::size_t shown_end = 0;
            if (rest.empty() || (word == 0 && !comment_starts(params.c_str() + at + 1 + ws)) || (ws > 0 && !meant)) {
                why = k + " has no window after it";
                shown_end = std::min(params.size(), at + 1 + ws + std::max<std::size_t>(word, 1));
            } else if (comment_starts(params.c_str() + at + 1 + ws)) {
                why = k + " is followed by a comment, not a window";
                end = std::min(params.size(), at + 1 + ws + 2);
            } else if (meant) {
                const std::string_view name(meant->name);
                end = at + 1 + ws + name.size();
                why = rest.substr(0, name.size()) != name ? "window names are read in capitals only"
                                                          : "a window name must follow " + k + " directly";
                advice = k + std::string(name);
            } else {
                end = at + 1 + word;
                why = quoted(rest.substr(0, word)) + " is neither a number nor a window name the buttons know";
            }
            const std::string misread = window_phrase(config_, 0);
            const std::string instead = meant ? ", not " + window_phrase(config_, meant->ident) : std::string();
            std::string message = quoted(params.substr(at, std::max(end, shown_end) - at)) + ": " + why + ", so " +
                                  (key == 'a' ? "the panel closes " + misread + " when it first loads" + instead
                                              : std::string("the click ") + verb(act) + " " + misread + instead);
            const std::string_view name =
                std::string_view(params).substr(at + 1 + ws, end > at + 1 + ws ? end - (at + 1 + ws) : 0);
            if (const std::string inner = keys_in(name); !inner.empty() && end > at + 1)
                message += ", and the " + inner + " of " + quoted(name) +
                           (inner.size() == 1 ? " is read as a key of its own" : " are read as keys of their own");
            if (!advice.empty()) message += "; write " + advice;
            warn(line, "window-misread", message);
            if (end > at + 1) misread_.emplace_back(at + 1, end);
        }
    }

    // a, p, b and h are read where they first appear and nowhere else.
    void check_once_read_keys(int line, const std::string& params) {
        for (char key : once_read_keys) {
            const auto at = places_of(params, key);
            if (at.size() < 2) continue;
            const auto describe_place = [&](std::size_t p) {
                for (const auto& [from, to] : misread_)
                    if (p >= from && p < to)
                        return "the " + std::string(1, key) + " of " + quoted(params.substr(from, to - from));
                return quoted(key_snippet(params, p));
            };
            std::vector<std::string> later;
            for (std::size_t i = 1; i < at.size(); ++i)
                if (!inside_misread_name(at[i])) later.push_back(describe_place(at[i]));
            if (later.empty()) continue;  // the misread name's warning tells of them
            warn(line, "key-read-once",
                 std::string(1, key) + " is read only where it first appears (" + describe_place(at.front()) + "); " +
                     join(later) + (later.size() == 1 ? " is" : " are") + " not read");
        }
    }

    // b picks one of the eleven faces; any other value keeps the face and
    // skips h as well. h wants a help name or a number from 0xA000.
    void check_face_keys(int line, const std::string& params, const ButtonTrial& t) {
        const auto b = places_of(params, 'b');
        const auto h = places_of(params, 'h');
        bool face_refused = false;
        if (!b.empty()) {
            const std::int64_t v = written_number(params.c_str() + b.front() + 1).value_or(0);
            const bool a_face = v % 10 == 0 && v >= 100 && v <= 200;
            if (!a_face && t.face == t.face_before) {
                face_refused = true;
                std::string message = quoted(key_snippet(params, b.front())) +
                                      " is not a button face (100 to 200 in tens): the button keeps face " +
                                      std::to_string(t.face);
                if (!h.empty())
                    message += ", and " + quoted(key_snippet(params, h.front())) + " is then not read either: " +
                               (t.help == 0 ? "it keeps no help text" : "it keeps " + help_phrase(t.help));
                warn(line, "bad-face", message);
            }
        }
        if (!face_refused && !h.empty() && t.help == 0) {
            const auto v = written_number(params.c_str() + h.front() + 1);
            if (!v || *v != 0)
                warn(line, "bad-help",
                     quoted(key_snippet(params, h.front())) +
                         " is not a help identifier (a TOGGLE_..._WINDOW name or a number from 0xA000 = 40960): "
                         "the button has no help text");
        }
    }

    // A window event for a window the panel does not have does nothing.
    void check_windows_exist(int line, const ButtonTrial& t) {
        for (const std::string& w : missing_windows(t.click, t.at_load, config_)) warn(line, "window-not-in-panel", w);
    }

    // -- state that belongs to a gauge kind -----------------------------------

    struct Copy {
        int line;
        std::int32_t face;
        std::uint32_t help;
    };

    // One finding for all the copies, on the first.
    void check_copies() {
        std::map<std::string, std::vector<std::pair<int, WindowKind>>> lines;
        for (const Window& w : config_.windows)
            for (const GaugeLine& g : w.gauges) lines[g.gauge].emplace_back(g.line, w.kind);
        for (auto& [gauge, at] : lines) {
            if (at.size() < 2) continue;
            std::sort(at.begin(), at.end());
            std::vector<int> numbers;
            for (const auto& [line, kind] : at) numbers.push_back(line);
            const int first = numbers.front();
            const std::string placed =
                gauge + " is placed " + std::to_string(at.size()) + " times (" + lines_list(numbers) + ")";
            if (owns_sound(gauge)) {
                // A copy in 2D and one in the virtual cockpit is the usual way to show a gauge in both.
                const auto flat =
                    std::count_if(at.begin(), at.end(), [](const auto& a) { return a.second == WindowKind::window; });
                const std::string message = placed +
                                            ": its click sound belongs to the gauge, not to a copy, so removing one "
                                            "copy silences them all";
                if (flat > 1)
                    warn(first, "shared-sound", message);
                else
                    note(first, "shared-sound", message);
            }
            if (gauge == registration_plate && !plates_.empty()) {
                const int last_line = plates_.back().first;
                const PlateTrial& last = plates_.back().second;
                const bool differ = std::any_of(plates_.begin(), plates_.end(), [&](const auto& p) {
                    return p.second.font != last.font || p.second.colour != last.colour;
                });
                if (differ)
                    warn(first, "shared-plate-style",
                         placed +
                             " with different styles: its colour and font belong to the gauge, so every copy "
                             "shows line " +
                             std::to_string(last_line) + "'s, the last to load: " + font_phrase(last.font) +
                             ", colour " + colour_text(last.colour));
            }
            if (const auto c = copies_.find(gauge); c != copies_.end()) {
                const std::vector<Copy>& copies = c->second;
                const bool differ = std::any_of(copies.begin(), copies.end(), [&](const Copy& k) {
                    return k.face != copies.back().face || k.help != copies.back().help;
                });
                if (differ)
                    warn(first, "shared-face",
                         placed + " with different faces or help: they belong to the gauge, so every copy shows line " +
                             std::to_string(copies.back().line) + "'s, the last to load: " +
                             face_phrase(gauge, copies.back().face) + ", " + help_phrase(copies.back().help));
            }
        }
    }

    host::Host& host_;
    const PanelConfig& config_;
    Findings& findings_;
    std::map<std::string, std::int32_t> own_face_;  // each button's face as the module loads
    std::map<std::string, std::vector<Copy>> copies_;
    std::vector<std::pair<int, PlateTrial>> plates_;
    std::vector<std::pair<std::size_t, std::size_t>> misread_;  // names read as keys, in the current string
    Findings* out_ = &findings_;                                // where the line being tried has its say
};

}  // namespace

void check_parameters(host::Host& scratch, const PanelConfig& config, Findings& findings) {
    ParameterChecks(scratch, config, findings).try_lines();
}

}  // namespace korvel::panel
