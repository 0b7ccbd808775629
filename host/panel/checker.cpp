#include "host/panel/checker.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/cp1252.h"
#include "host/panel/panel_session.h"

namespace korvel::panel {

namespace {

// ---------------------------------------------------------------------------
// What the simulator calls things

// The simulator's window events; their value is the window's identifier.
constexpr std::uint32_t open_window_event = 0x103CB;
constexpr std::uint32_t close_window_event = 0x103CC;
constexpr std::uint32_t toggle_window_event = 0x103CA;
// The panel step events a button's p key sends, each with the value 0.
constexpr std::uint32_t step_events[] = {0x10153, 0x100C6, 0x100C7};

struct Named {
    std::uint32_t number;
    const char* name;
};

constexpr Named host_events[] = {
    {0x10154, "the kneeboard"},
    {0x1001C, "the ATC window"},
    {0x10380, "the map"},
};

constexpr Named help_names[] = {
    {0xAB86, "TOGGLE_RADIO_WINDOW"},   {0xAB87, "TOGGLE_GPS_WINDOW"},  {0xAB88, "TOGGLE_THROTTLE_WINDOW"},
    {0xAB89, "TOGGLE_COMPASS_WINDOW"}, {0xAB8A, "TOGGLE_FUEL_WINDOW"}, {0xAB8B, "TOGGLE_COLLECTIVE_WINDOW"},
};

// The window names the buttons know, in the order they try them: a name is
// read when the text after the key starts with it, in capitals.
constexpr std::string_view window_names[] = {
    "MAIN_PANEL",     "RADIO_STACK_PANEL", "COMPASS_PANEL",       "ANNUNCIATOR_PANEL",
    "ANNUNCIATOR2_PANEL", "COLLECTIVE_PANEL", "THROTTLE_PANEL", "MINI_CONTROLS_PANEL",
    "IFR_MAIN_PANEL", "GPS_PANEL",         "OVERHEAD_PANEL",
};

struct Button {
    std::string_view gauge;
    bool reads_parameters;  // false: the host sends the button's own event
};

constexpr Button buttons[] = {
    {"Kneeboard_Toggle", false},   {"ATC_Toggle", false},          {"Map_Toggle", false},
    {"Invisible_Toggle", true},    {"Close_Subpanel", true},       {"Radios_Toggle", true},
    {"Landing_View_Toggle", true}, {"GPS_Toggle", true},           {"Throttle_Toggle", true},
    {"Compass_Toggle", true},      {"Fuel_Toggle", true},          {"VFR_Panel_Toggle", true},
    {"IFR_Panel_Toggle", true},    {"Electricity_Toggle", true},
};

// Gauges whose click sound is one slot of the gauge kind: the last copy to
// load owns it, and the first copy to go releases it for all.
constexpr std::string_view sound_owners[] = {
    "Elec_Board", "Radio_COM", "Radio_NAV", "Radio_NAV1", "Radio_NAV2", "Radio_ADF", "Radio_IFF", "RMI_Switch",
};

constexpr std::string_view registration_plate = "Registration";

// The letters a button reads as keys; o, c and t at every place, the others
// where they first appear.
constexpr std::string_view button_keys = "octpabh";
constexpr std::string_view once_read_keys = "apbh";

const Button* button_named(std::string_view gauge) {
    for (const Button& b : buttons)
        if (b.gauge == gauge) return &b;
    return nullptr;
}

bool owns_sound(std::string_view gauge) {
    return std::find(std::begin(sound_owners), std::end(sound_owners), gauge) != std::end(sound_owners);
}

// ---------------------------------------------------------------------------
// Words

std::string hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", v);
    return text;
}

std::string quoted(std::string_view s) { return "\"" + host::utf8_from_cp1252(s) + "\""; }

std::string join(const std::vector<std::string>& parts, std::string_view last = " and ") {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += i + 1 == parts.size() ? std::string(last) : std::string(", ");
        out += parts[i];
    }
    return out;
}

std::string times(int n) {
    return n == 1 ? "once" : n == 2 ? "twice" : std::to_string(n) + " times";
}

std::string lines_list(const std::vector<int>& lines) {
    std::vector<std::string> parts;
    for (int l : lines) parts.push_back(std::to_string(l));
    return (lines.size() == 1 ? "line " : "lines ") + join(parts);
}

// An empty face leaves the font to the host.
std::string font_phrase(std::string_view face) {
    return face.empty() ? "the host's font" : "the font " + quoted(face);
}

std::string colour_text(std::uint32_t c) {
    return std::to_string(c & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," + std::to_string((c >> 16) & 0xFF);
}

bool is_comment(char c) { return c == '/' || c == '#' || c == '\''; }
bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_word(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Where the keys end: the module reads nothing from the first comment
// character on.
std::size_t comment_at(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i)
        if (is_comment(s[i])) return i;
    return s.size();
}

std::vector<std::size_t> places_of(std::string_view s, char key) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < comment_at(s); ++i)
        if (s[i] == key) at.push_back(i);
    return at;
}

// A number as the designer wrote it: white space, a sign, digits.
std::optional<std::int64_t> written_number(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && is_space(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i == s.size() || std::isdigit(static_cast<unsigned char>(s[i])) == 0) return std::nullopt;
    std::int64_t v = 0;
    for (; i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) != 0; ++i)
        v = std::min<std::int64_t>(v * 10 + (s[i] - '0'), 1'000'000'000'000);
    return negative ? -v : v;
}

std::optional<std::string_view> window_name_at_start(std::string_view s) {
    for (std::string_view n : window_names)
        if (s.substr(0, n.size()) == n) return n;
    return std::nullopt;
}

// A key with what follows it, as far as the next space or comment.
std::string snippet(std::string_view s, std::size_t at) {
    std::size_t end = at + 1;
    while (end < s.size() && end - at < 24 && !is_space(s[end]) && !is_comment(s[end])) ++end;
    return std::string(s.substr(at, end - at));
}

// A key with its value as the module would take it: "b155", "r-5",
// "hTOGGLE_GPS_WINDOW"; a value of neither kind as far as a space.
std::string key_snippet(std::string_view s, std::size_t at) {
    std::size_t end = at + 1;
    while (end < s.size() && is_space(s[end])) ++end;
    if (end < s.size() && (s[end] == '+' || s[end] == '-')) ++end;
    const std::size_t digits = end;
    while (end < s.size() && std::isdigit(static_cast<unsigned char>(s[end])) != 0) ++end;
    if (end > digits) return std::string(s.substr(at, end - at));
    end = at + 1;
    while (end < s.size() && (std::isupper(static_cast<unsigned char>(s[end])) != 0 || s[end] == '_' ||
                              std::isdigit(static_cast<unsigned char>(s[end])) != 0))
        ++end;
    return end > at + 1 ? std::string(s.substr(at, end - at)) : snippet(s, at);
}

// ---------------------------------------------------------------------------
// Windows as the designer knows them

const Window* window_with_ident(const PanelConfig& config, std::int32_t id) {
    for (const Window& w : config.windows)
        if (w.kind == WindowKind::window && w.ident == id) return &w;
    return nullptr;
}

// window 225 (GPS_PANEL, [Window03] "GPS")
std::string window_phrase(const PanelConfig& config, std::int32_t id) {
    std::vector<std::string> about;
    if (const auto name = panel_identifier_name(id)) about.emplace_back(*name);
    if (const Window* w = window_with_ident(config, id)) {
        std::string d = "[" + w->section + "]";
        if (!w->title.empty()) d += " " + quoted(w->title);
        about.push_back(d);
    }
    std::string out = "window " + std::to_string(id);
    if (!about.empty()) out += " (" + join(about, ", ") + ")";
    return out;
}

// ---------------------------------------------------------------------------
// What a gauge did in the scratch host

enum class Act { open, close, toggle, step, event };

struct Action {
    Act act;
    std::uint32_t event;  // the key event; 0 for the host's window toggle service
    std::int32_t window;  // open, close, toggle
    std::uint32_t value;  // step and other events
};

std::vector<Action> actions_logged(const host::Host& h) {
    std::vector<Action> out;
    for (const host::KeyEvent& e : h.key_events().entries()) {
        const auto window = static_cast<std::int32_t>(e.value);
        if (e.event == open_window_event)
            out.push_back({Act::open, e.event, window, 0});
        else if (e.event == close_window_event)
            out.push_back({Act::close, e.event, window, 0});
        else if (e.event == toggle_window_event)
            out.push_back({Act::toggle, e.event, window, 0});
        else if (std::find(std::begin(step_events), std::end(step_events), e.event) != std::end(step_events))
            out.push_back({Act::step, e.event, 0, e.value});
        else
            out.push_back({Act::event, e.event, 0, e.value});
    }
    // The panel_window_toggle service logs the window in the event's place.
    for (const host::KeyEvent& t : h.window_toggles().entries())
        out.push_back({Act::toggle, 0, static_cast<std::int32_t>(t.event), 0});
    return out;
}

bool did(const std::vector<Action>& actions, Act act, std::int32_t window) {
    return std::any_of(actions.begin(), actions.end(),
                       [&](const Action& a) { return a.act == act && a.window == window; });
}

const char* verb(Act act) {
    switch (act) {
        case Act::open: return "opens";
        case Act::close: return "closes";
        case Act::toggle: return "toggles";
        default: return "sends";
    }
}

// "opens window 225 (...), closes window 75 (...) and sends step event 0x100C7 twice"
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
            for (const Named& n : host_events)
                if (n.number == g.event) p += std::string(" (") + n.name + ")";
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

struct ButtonTrial {
    std::vector<Action> at_load;
    std::vector<Action> click;
    bool click_taken = false;
    std::int32_t face_before = 0, face = 0;
    std::uint32_t help_before = 0, help = 0;
};

std::int32_t face_of(const GaugeHeader& kind) {
    return kind.elements != nullptr && kind.elements[0] != nullptr ? kind.elements[0]->resource_id : 0;
}

std::uint32_t help_of(const GaugeHeader& kind) {
    return kind.mouse_rects != nullptr ? kind.mouse_rects[0].help_id : 0;
}

// Places the button as the panel line does and clicks the middle of its
// click area: the face and help it is left with, and the events of its
// install and of the click, are the module's own answer.
ButtonTrial try_button(host::Host& h, const std::string& gauge, const std::optional<std::string>& parameters) {
    ButtonTrial t;
    const GaugeHeader& kind = *h.find_gauge(gauge);
    t.face_before = face_of(kind);
    t.help_before = help_of(kind);
    h.clear_logs();
    host::PlacedGauge& g = parameters ? h.place(gauge, std::string_view(*parameters)) : h.place(gauge);
    t.at_load = actions_logged(h);
    t.face = face_of(g.header());
    t.help = help_of(g.header());
    h.clear_logs();
    if (!g.mouse().children().empty()) {
        const host::Area& a = g.mouse().children().front().area;
        const std::int32_t x = a.unbounded ? 0 : a.box.x + a.box.width / 2;
        const std::int32_t y = a.unbounded ? 0 : a.box.y + a.box.height / 2;
        t.click_taken = h.click(g, x, y);
    }
    t.click = actions_logged(h);
    h.kill(g);
    return t;
}

struct PlateTrial {
    std::string text;
    std::string font;
    std::uint32_t colour = 0;
    std::uint32_t characters = 0;
    std::string parameters_left;  // as the module left the string: key f ends it
};

PlateTrial try_plate(host::Host& h, const std::optional<std::string>& parameters) {
    PlateTrial t;
    host::PlacedGauge& g = parameters ? h.place(registration_plate, std::string_view(*parameters))
                                      : h.place(registration_plate);
    h.update(g);
    for (std::size_t i = 0; i < g.element_count(); ++i) {
        const ElementHeader* e = g.element(i).record;
        if (e->kind != element_string) continue;
        const auto& s = *reinterpret_cast<const StringElement*>(e);
        t.text = std::string(g.text(i));
        t.font = std::string(s.font_face, ::strnlen(s.font_face, sizeof s.font_face));
        t.colour = s.text_colour;
        t.characters = s.max_characters;
        break;
    }
    if (const auto p = g.parameters()) t.parameters_left = std::string(*p);
    h.kill(g);
    return t;
}

// ---------------------------------------------------------------------------
// The checks

class Checker {
public:
    Checker(host::Host& scratch, const PanelConfig& config) : host_(scratch), config_(config) {
        for (const Button& b : buttons)
            if (const GaugeHeader* kind = host_.find_gauge(b.gauge)) own_face_[std::string(b.gauge)] = face_of(*kind);
    }

    // Every line in the order the session places them, so that what one
    // copy leaves in its gauge kind is what the next one finds.
    void try_lines() {
        for (const Window& w : config_.windows)
            for (const GaugeLine& line : w.gauges) {
                try {
                    if (const Button* b = button_named(line.gauge))
                        check_button(line, *b);
                    else if (line.gauge == registration_plate)
                        check_plate(line);
                } catch (const std::exception& e) {
                    warn(line.line, line.gauge + " could not be tried in the host: " + e.what());
                }
            }
        host_.remove_killed();
        check_copies();
    }

    void check_layout(const PanelSession& session) {
        for (const PlacedLine& p : session.placed()) check_inside(session, p);
        for (const Window& w : config_.windows) check_overlaps(session, w);
    }

    std::vector<Problem> findings() { return std::move(findings_); }

private:
    void warn(int line, std::string message) { findings_.push_back({line, std::move(message), Severity::warning}); }
    void note(int line, std::string message) { findings_.push_back({line, std::move(message), Severity::note}); }

    // -- panel buttons --------------------------------------------------------

    std::string face_phrase(const std::string& gauge, std::int32_t face) const {
        std::string out = "face " + std::to_string(face);
        if (own_face_.at(gauge) == face) return out;
        for (const auto& [name, own] : own_face_)
            if (own == face) return out + " (" + name + "'s)";
        return out;
    }

    static std::string help_phrase(std::uint32_t help) {
        if (help == 0) return "no help text";
        std::string out = "help " + hex(help);
        for (const Named& n : help_names)
            if (n.number == help) out += std::string(" (") + n.name + ")";
        return out;
    }

    void check_button(const GaugeLine& line, const Button& button) {
        const ButtonTrial t = try_button(host_, line.gauge, line.parameters);
        copies_[line.gauge].push_back({line.line, t.face, t.help});

        std::string what = !t.click_taken ? "a click reaches no click area"
                           : t.click.empty() ? "click does nothing"
                                             : "click " + describe(t.click, config_);
        if (!t.at_load.empty()) what += "; when the panel first loads, it " + describe(t.at_load, config_);
        what += "; " + face_phrase(line.gauge, t.face) + ", " + help_phrase(t.help);
        note(line.line, what);

        const std::string params = line.parameters.value_or("");
        if (!button.reads_parameters) {
            // A comment alone changes nothing anywhere: nothing to say.
            if (params.find_first_not_of(" \t") < comment_at(params)) {
                const ButtonTrial plain = try_button(host_, line.gauge, std::nullopt);
                if (same(plain, t))
                    warn(line.line, line.gauge + " reads no parameter string: " + quoted(params) + " changes nothing");
            }
        } else {
            if (t.click_taken && t.click.empty())
                warn(line.line, params.find_first_not_of(" \t") == comment_at(params)
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
        const auto same_actions = [](const std::vector<Action>& x, const std::vector<Action>& y) {
            return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const Action& p, const Action& q) {
                return p.act == q.act && p.event == q.event && p.window == q.window && p.value == q.value;
            });
        };
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
            for (std::size_t at : places_of(params, k)) keys.push_back({at, k});
        if (const auto a = places_of(params, 'a'); !a.empty()) keys.push_back({a.front(), 'a'});
        std::sort(keys.begin(), keys.end());

        for (const auto& [at, key] : keys) {
            if (inside_misread_name(at)) continue;
            const Act act = key == 'o' ? Act::open : key == 'c' ? Act::close : key == 't' ? Act::toggle : Act::close;
            const std::vector<Action>& effects = key == 'a' ? t.at_load : t.click;
            const std::string k(1, key);
            const std::string_view value = std::string_view(params).substr(at + 1);
            if (value.empty()) {
                warn(line, k + " at the end of the parameters names no window: it does nothing");
                continue;
            }
            if (window_name_at_start(value)) continue;
            if (const auto n = written_number(value)) {
                if (*n < 0 && !did(effects, act, std::int32_t(*n)))
                    warn(line, quoted(key_snippet(params, at)) +
                                   " names no window (numbers below 0 are skipped): it does nothing");
                continue;
            }
            // The module reads window 0 here; say why only when it did.
            if (!did(effects, act, 0)) continue;

            std::size_t ws = 0;
            while (ws < value.size() && is_space(value[ws])) ++ws;
            const std::string_view rest = value.substr(ws);
            std::size_t word = 0;
            while (word < rest.size() && is_word(rest[word])) ++word;
            const auto meant = window_name_at_start(upper(rest.substr(0, word)));

            std::string why, advice;
            std::size_t end = at + 1;  // the end of what the designer meant as the value
            std::size_t shown_end = 0;
            if (rest.empty() || (word == 0 && !is_comment(rest[0])) || (ws > 0 && !meant)) {
                why = k + " has no window after it";
                shown_end = std::min(params.size(), at + 1 + ws + std::max<std::size_t>(word, 1));
            } else if (is_comment(rest[0])) {
                why = k + " is followed by a comment, not a window";
                end = std::min(params.size(), at + 1 + ws + 2);
            } else if (meant) {
                end = at + 1 + ws + meant->size();
                why = rest.substr(0, meant->size()) != *meant ? "window names are read in capitals only"
                                                              : "a window name must follow " + k + " directly";
                advice = k + std::string(*meant);
            } else {
                end = at + 1 + word;
                why = quoted(rest.substr(0, word)) + " is neither a number nor a window name the buttons know";
            }
            const std::string misread = window_phrase(config_, 0);
            const std::string instead =
                meant ? ", not " + window_phrase(config_, panel_identifier(*meant).value_or(-1)) : std::string();
            std::string message = quoted(params.substr(at, std::max(end, shown_end) - at)) + ": " + why + ", so " +
                                  (key == 'a' ? "the panel closes " + misread + " when it first loads" + instead
                                              : std::string("the click ") + verb(act) + " " + misread + instead);
            const std::string_view name =
                std::string_view(params).substr(at + 1 + ws, end > at + 1 + ws ? end - (at + 1 + ws) : 0);
            if (const std::string inner = keys_in(name); !inner.empty() && end > at + 1)
                message += ", and the " + inner + " of " + quoted(name) +
                           (inner.size() == 1 ? " is read as a key of its own" : " are read as keys of their own");
            if (!advice.empty()) message += "; write " + advice;
            warn(line, message);
            if (end > at + 1) misread_.push_back({at + 1, end});
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
            warn(line, std::string(1, key) + " is read only where it first appears (" + describe_place(at.front()) +
                           "); " + join(later) + (later.size() == 1 ? " is" : " are") + " not read");
        }
    }

    // b picks one of the eleven faces; any other value keeps the face and
    // skips h as well. h wants a help name or a number from 0xA000.
    void check_face_keys(int line, const std::string& params, const ButtonTrial& t) {
        const auto b = places_of(params, 'b');
        const auto h = places_of(params, 'h');
        bool face_refused = false;
        if (!b.empty()) {
            const std::int64_t v = written_number(std::string_view(params).substr(b.front() + 1)).value_or(0);
            const bool a_face = v % 10 == 0 && v >= 100 && v <= 200;
            if (!a_face && t.face == t.face_before) {
                face_refused = true;
                std::string message = quoted(key_snippet(params, b.front())) +
                                      " is not a button face (100 to 200 in tens): the button keeps face " +
                                      std::to_string(t.face);
                if (!h.empty())
                    message += ", and " + quoted(key_snippet(params, h.front())) + " is then not read either: " +
                               (t.help == 0 ? "it keeps no help text" : "it keeps " + help_phrase(t.help));
                warn(line, message);
            }
        }
        if (!face_refused && !h.empty() && t.help == 0) {
            const auto v = written_number(std::string_view(params).substr(h.front() + 1));
            if (!v || *v != 0)
                warn(line, quoted(key_snippet(params, h.front())) +
                               " is not a help identifier (a TOGGLE_..._WINDOW name or a number from 0xA000 = 40960): "
                               "the button has no help text");
        }
    }

    // A window event for a window the panel does not have does nothing.
    void check_windows_exist(int line, const ButtonTrial& t) {
        std::map<std::int32_t, std::pair<std::vector<std::string>, bool>> missing;  // click verbs, closed at load
        for (const Action& a : t.click)
            if ((a.act == Act::open || a.act == Act::close || a.act == Act::toggle) &&
                window_with_ident(config_, a.window) == nullptr) {
                auto& verbs = missing[a.window].first;
                if (std::find(verbs.begin(), verbs.end(), verb(a.act)) == verbs.end()) verbs.emplace_back(verb(a.act));
            }
        for (const Action& a : t.at_load)
            if (a.act == Act::close && window_with_ident(config_, a.window) == nullptr) missing[a.window].second = true;
        for (const auto& [id, how] : missing) {
            const auto& [verbs, at_load] = how;
            std::string idents = "ident=" + std::to_string(id);
            if (const auto name = panel_identifier_name(id)) idents = "ident=" + std::string(*name) + " or " + idents;
            std::string what = verbs.empty() ? "the panel closes " + window_phrase(config_, id) + " when it first loads"
                                             : "the click " + join(verbs) + " " + window_phrase(config_, id);
            if (!verbs.empty() && at_load) what += ", and the panel closes it when it first loads";
            warn(line, what + ", but no window of this panel.cfg has " + idents);
        }
    }

    // -- the registration plate ------------------------------------------------

    void check_plate(const GaugeLine& line) {
        const PlateTrial t = try_plate(host_, line.parameters);
        const std::string params = line.parameters.value_or("");
        const std::string& left = t.parameters_left;
        const bool fixed = !left.empty() && left[0] == 't';
        plates_.push_back({line.line, t});

        note(line.line, std::string("the plate shows ") + (fixed ? quoted(t.text) : "the aircraft's identifier") +
                            " in " + font_phrase(t.font) + ", colour " +
                            colour_text(t.colour));

        // The fixed text as written: after t, up to a space or a comment.
        const bool written_fixed = !params.empty() && params[0] == 't';
        std::size_t text_end = written_fixed ? 1 : 0;
        while (written_fixed && text_end < params.size() && !is_space(params[text_end]) && !is_comment(params[text_end]))
            ++text_end;
        const std::string written_text = written_fixed ? params.substr(1, text_end - 1) : "";
        const auto in_text = [&](std::size_t at) { return written_fixed && at >= 1 && at < text_end; };

        // Key f cuts the string where it stands; r, g and b are read in what is left.
        const std::size_t font_at = left.size() < params.size() ? left.size() : std::string::npos;
        std::vector<std::string> text_keys;
        std::vector<std::string> clamped;
        if (font_at != std::string::npos && in_text(font_at)) text_keys.emplace_back("f");
        const char* colour_names[] = {"red", "green", "blue"};
        for (int i = 0; i < 3; ++i) {
            const char key = "rgb"[i];
            const auto at = places_of(left, key);
            if (at.empty()) continue;
            const std::uint32_t component = (t.colour >> (8 * i)) & 0xFF;
            const std::string said = std::string(colour_names[i]) + " " + std::to_string(component);
            if (in_text(at.front())) {
                text_keys.emplace_back(1, key);
                continue;
            }
            const auto v = written_number(std::string_view(left).substr(at.front() + 1));
            if (v && (*v > 255 || *v < 0) && component == 255)
                clamped.push_back(quoted(key_snippet(left, at.front())) + " gives " + said);
        }
        if (!text_keys.empty())
            warn(line.line, "the " + join(text_keys) + " of the text " + quoted(written_text) + " " +
                                (text_keys.size() == 1 ? "is read as a key" : "are read as keys") +
                                " (f, r, g and b are the plate's keys): it shows " + quoted(t.text) + " in " +
                                font_phrase(t.font) + ", colour " + colour_text(t.colour));
        if (!clamped.empty())
            warn(line.line, "colour values run from 0 to 255: " + join(clamped));

        if (!fixed) {
            if (const auto at = places_of(left, 't'); !at.empty() && at.front() > 0)
                warn(line.line, "a fixed text must start the parameters: " + quoted(key_snippet(left, at.front())) +
                                    " is not read, and the plate shows the aircraft's identifier");
        }
        if (fixed && text_keys.empty()) {
            std::string shown_as_written = written_text;
            std::replace(shown_as_written.begin(), shown_as_written.end(), '_', ' ');
            if (t.characters > 0 && shown_as_written.size() > t.characters && t.text.size() == t.characters &&
                shown_as_written.compare(0, t.text.size(), t.text) == 0)
                warn(line.line, "the plate holds " + std::to_string(t.characters) + " characters: " +
                                    quoted(written_text) + " shows as " + quoted(t.text));
        }
        if (font_at != std::string::npos && !in_text(font_at)) {
            const std::string written_font = params.substr(font_at + 1);
            if (written_font.size() > t.font.size() && written_font.compare(0, t.font.size(), t.font) == 0)
                warn(line.line, "a font name holds " + std::to_string(t.font.size()) + " characters: " +
                                    quoted(written_font) + " is cut to " + quoted(t.font));
            if (comment_at(t.font) < t.font.size())
                warn(line.line, "f takes the rest of the parameters, comment and all: the font is " + quoted(t.font));
        }
    }

    // -- state that belongs to a gauge kind -----------------------------------

    struct Copy {
        int line;
        std::int32_t face;
        std::uint32_t help;
    };

    void check_copies() {
        std::map<std::string, std::vector<int>> lines;
        for (const Window& w : config_.windows)
            for (const GaugeLine& g : w.gauges) lines[g.gauge].push_back(g.line);
        for (auto& [gauge, at] : lines) {
            if (at.size() < 2) continue;
            std::vector<int> sorted = at;
            std::sort(sorted.begin(), sorted.end());
            const std::string placed = gauge + " is placed " + std::to_string(at.size()) + " times (" + lines_list(sorted) + ")";
            if (owns_sound(gauge))
                for (int l : at)
                    warn(l, placed + ": its click sound belongs to the gauge, not to a copy, so removing one copy "
                                     "silences them all");
            if (gauge == registration_plate && !plates_.empty()) {
                const auto& [last_line, last] = plates_.back();
                for (int l : at)
                    warn(l, placed + ": its colour and font belong to the gauge, so every copy shows line " +
                                std::to_string(last_line) + "'s, the last to load: " + font_phrase(last.font) +
                                ", colour " + colour_text(last.colour));
            }
            if (const auto c = copies_.find(gauge); c != copies_.end()) {
                const std::vector<Copy>& copies = c->second;
                const bool differ = std::any_of(copies.begin(), copies.end(), [&](const Copy& k) {
                    return k.face != copies.back().face || k.help != copies.back().help;
                });
                if (differ)
                    for (const Copy& k : copies)
                        warn(k.line, placed + " with different faces or help: they belong to the gauge, so every copy "
                                              "shows line " + std::to_string(copies.back().line) + "'s, the last to load: " +
                                              face_phrase(gauge, copies.back().face) + ", " + help_phrase(copies.back().help));
            }
        }
    }

    // -- where the gauges are --------------------------------------------------

    void check_inside(const PanelSession& session, const PlacedLine& p) {
        const WindowLayout& layout = session.layout(*p.window);
        const PixelBox& b = p.box;
        const std::int64_t right = std::int64_t{b.x} + b.width, bottom = std::int64_t{b.y} + b.height;
        std::vector<std::string> edges;
        if (b.x < 0) edges.emplace_back("left");
        if (b.y < 0) edges.emplace_back("top");
        if (right > layout.width) edges.emplace_back("right");
        if (bottom > layout.height) edges.emplace_back("bottom");
        if (edges.empty()) return;
        const std::string where = p.line->gauge + " at " + std::to_string(b.x) + "," + std::to_string(b.y) + ", " +
                                  std::to_string(b.width) + " by " + std::to_string(b.height) + ",";
        const std::string window = window_description(*p.window) + ", which is " + std::to_string(layout.width) +
                                   " by " + std::to_string(layout.height);
        const bool outside = b.x >= layout.width || b.y >= layout.height || right <= 0 || bottom <= 0;
        if (outside)
            warn(p.line->line, where + " lies outside " + window + ": it is not seen");
        else
            warn(p.line->line, where + " reaches past the " + join(edges) + " edge" + (edges.size() > 1 ? "s" : "") +
                                   " of " + window + ": the part beyond is not drawn");
    }

    struct Rect {
        double x0, y0, x1, y1;
    };

    // The gauge's click areas in its window's units, through the scale its
    // line gives it, and only as far as the gauge reaches.
    static std::vector<Rect> click_areas(const PlacedLine& p) {
        std::vector<Rect> out;
        const auto size = p.gauge->size();
        const Rect whole{double(p.box.x), double(p.box.y), double(p.box.x) + p.box.width, double(p.box.y) + p.box.height};
        for (const host::ChildArea& c : p.gauge->mouse().children()) {
            if (c.area.unbounded || !size || size->width <= 0 || size->height <= 0) {
                out.push_back(whole);
                continue;
            }
            const double sx = double(p.box.width) / size->width, sy = double(p.box.height) / size->height;
            Rect r{p.box.x + c.area.box.x * sx, p.box.y + c.area.box.y * sy,
                   p.box.x + (double(c.area.box.x) + c.area.box.width) * sx,
                   p.box.y + (double(c.area.box.y) + c.area.box.height) * sy};
            r = {std::max(r.x0, whole.x0), std::max(r.y0, whole.y0), std::min(r.x1, whole.x1), std::min(r.y1, whole.y1)};
            if (r.x1 > r.x0 && r.y1 > r.y0) out.push_back(r);
        }
        return out;
    }

    void check_overlaps(const PanelSession& session, const Window& w) {
        std::vector<std::pair<const PlacedLine*, std::vector<Rect>>> gauges;
        for (const PlacedLine& p : session.placed())
            if (p.window == &w) gauges.push_back({&p, click_areas(p)});
        for (std::size_t j = 0; j < gauges.size(); ++j)
            for (std::size_t i = 0; i < j; ++i) {
                std::optional<Rect> both;
                for (const Rect& a : gauges[i].second)
                    for (const Rect& b : gauges[j].second) {
                        const Rect r{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
                        if (!(r.x1 > r.x0 && r.y1 > r.y0)) continue;
                        both = both ? Rect{std::min(both->x0, r.x0), std::min(both->y0, r.y0), std::max(both->x1, r.x1),
                                           std::max(both->y1, r.y1)}
                                    : r;
                    }
                if (!both) continue;
                const PlacedLine& first = *gauges[i].first;
                const PlacedLine& second = *gauges[j].first;
                const auto x = std::int64_t(std::floor(both->x0)), y = std::int64_t(std::floor(both->y0));
                const auto width = std::int64_t(std::ceil(both->x1)) - x, height = std::int64_t(std::ceil(both->y1)) - y;
                const auto earlier = first.line->line <= second.line->line ? &first : &second;
                const auto later = earlier == &first ? &second : &first;
                warn(later->line->line, "click areas of " + later->line->gauge + " overlap those of " +
                                            earlier->line->gauge + " (line " + std::to_string(earlier->line->line) +
                                            ") in " + window_description(w) + " at " + std::to_string(x) + "," +
                                            std::to_string(y) + ", " + std::to_string(width) + " by " +
                                            std::to_string(height)
                                            + ": a click there reaches only one of them");
            }
    }

    host::Host& host_;
    const PanelConfig& config_;
    std::map<std::string, std::int32_t> own_face_;  // each button's face as the module loads
    std::map<std::string, std::vector<Copy>> copies_;
    std::vector<std::pair<int, PlateTrial>> plates_;
    std::vector<std::pair<std::size_t, std::size_t>> misread_;  // names read as keys, in the current string
    std::vector<Problem> findings_;
};

int rank(Severity s) { return s == Severity::error ? 0 : s == Severity::warning ? 1 : 2; }

}  // namespace

std::vector<Problem> check_panel(host::Host& scratch, const PanelConfig& config, const std::string& panel_folder) {
    std::vector<Problem> findings = config.problems;
    Checker checker(scratch, config);
    // The buttons and plates are tried before the session places the panel,
    // so that each finds its gauge kind as the panel's load leaves it.
    checker.try_lines();
    const PanelSession session(scratch, config, panel_folder);
    findings.insert(findings.end(), session.problems().begin(), session.problems().end());
    checker.check_layout(session);
    const std::vector<Problem> own = checker.findings();
    findings.insert(findings.end(), own.begin(), own.end());
    std::stable_sort(findings.begin(), findings.end(), [](const Problem& a, const Problem& b) {
        return a.line != b.line ? a.line < b.line : rank(a.severity) < rank(b.severity);
    });
    return findings;
}

}  // namespace korvel::panel
