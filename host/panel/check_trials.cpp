#include "host/panel/check_trials.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "module/vocabulary.h"

namespace korvel::panel {

namespace {

// clang-format off
constexpr Button button_table[] = {
    {"Kneeboard_Toggle", false},   {"ATC_Toggle", false},          {"Map_Toggle", false},
    {"Invisible_Toggle", true},    {"Close_Subpanel", true},       {"Radios_Toggle", true},
    {"Landing_View_Toggle", true}, {"GPS_Toggle", true},           {"Throttle_Toggle", true},
    {"Compass_Toggle", true},      {"Fuel_Toggle", true},          {"VFR_Panel_Toggle", true},
    {"IFR_Panel_Toggle", true},    {"Electricity_Toggle", true},
};
// clang-format on

// clang-format off
constexpr std::string_view sound_owners[] = {
    "Elec_Board", "Radio_COM", "Radio_NAV", "Radio_NAV1", "Radio_NAV2", "Radio_ADF", "Radio_IFF", "RMI_Switch",
};
// clang-format on

std::uint32_t help_of(const GaugeHeader& kind) { return kind.mouse_rects != nullptr ? kind.mouse_rects[0].help_id : 0; }

}  // namespace

std::vector<Action> actions_logged(const host::Host& h) {
    std::vector<Action> out;
    for (const host::KeyEvent& e : h.key_events().entries()) {
        const auto window = static_cast<std::int32_t>(e.value);
        if (e.event == event::open_panel_window)
            out.push_back({Act::open, e.event, window, 0});
        else if (e.event == event::close_panel_window)
            out.push_back({Act::close, e.event, window, 0});
        else if (e.event == event::toggle_panel_window)
            out.push_back({Act::toggle, e.event, window, 0});
        else if (e.event == event::panel_step_reset || e.event == event::panel_step_next ||
                 e.event == event::panel_step_previous)
            out.push_back({Act::step, e.event, 0, e.value});
        else
            out.push_back({Act::event, e.event, 0, e.value});
    }
    // The panel_window_toggle service logs the window in the event's place.
    for (const host::KeyEvent& t : h.window_toggles().entries())
        out.push_back({Act::toggle, 0, static_cast<std::int32_t>(t.event), 0});
    return out;
}

std::span<const Button> buttons() { return button_table; }

const Button* button_named(std::string_view gauge) {
    for (const Button& b : button_table)
        if (b.gauge == gauge) return &b;
    return nullptr;
}

bool owns_sound(std::string_view gauge) {
    return std::find(std::begin(sound_owners), std::end(sound_owners), gauge) != std::end(sound_owners);
}

bool did(const std::vector<Action>& actions, Act act, std::int32_t window) {
    return std::any_of(actions.begin(), actions.end(),
                       [&](const Action& a) { return a.act == act && a.window == window; });
}

bool same_actions(const std::vector<Action>& x, const std::vector<Action>& y) {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](const Action& p, const Action& q) {
        return p.act == q.act && p.event == q.event && p.window == q.window && p.value == q.value;
    });
}

std::int32_t face_of(const GaugeHeader& kind) {
    return kind.elements != nullptr && kind.elements[0] != nullptr ? kind.elements[0]->resource_id : 0;
}

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

PlateTrial try_plate(host::Host& h, const std::optional<std::string>& parameters) {
    PlateTrial t;
    host::PlacedGauge& g =
        parameters ? h.place(registration_plate, std::string_view(*parameters)) : h.place(registration_plate);
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

}  // namespace korvel::panel
