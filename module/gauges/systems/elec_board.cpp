// The electrical switch board: eleven toggle switches in a row. The
// simulator owns every system switched here: each switch picture follows
// its system's variable and a click sends the system's event; the module
// owns only the dummy switch. Clicks but the starter's make a switch sound.
#include <array>
#include <utility>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/services.h"
#include "module/sound/sound.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

std::int32_t dummy_switch_on = 0;
SoundSlot elec_board_sound{};

struct BoardSwitch {
    PixelBox box;
    const char* tooltip;
    std::uint32_t token;  // the system's variable, or 0 for the dummy switch
    std::uint32_t mouse_events;
    std::uint32_t key_event;  // 0: none
    bool click_sound;
};

// In the order of the tooltip and click rectangles, left to right.
// clang-format off
constexpr BoardSwitch switches[] = {
    {{41, 17, 26, 74}, "Starter switch (%1!s!)", token::starter, mouse_left_click | mouse_repeat, event::starter, false},
    {{83, 17, 26, 74}, "Generator switch (%2!s!)", token::generator, mouse_left_click, event::generator, true},
    {{128, 15, 26, 74}, "Battery switch (%3!s!)", token::battery, mouse_left_click, event::battery, true},
    {{174, 15, 26, 74}, "Pitot heat switch (%4!s!)", token::pitot_heat, mouse_left_click, event::pitot_heat, true},
    {{222, 19, 26, 74}, "Navigation lights switch (%5!s!)", token::navigation_lights, mouse_left_click,
     event::navigation_lights, true},
    {{267, 19, 26, 74}, "Beacon lights switch (%6!s!)", token::beacon_lights, mouse_left_click, event::beacon_lights,
     true},
    {{311, 19, 26, 74}, "Strobe lights switch (%7!s!)", token::strobe_lights, mouse_left_click, event::strobe_lights,
     true},
    {{360, 17, 26, 74}, "Landing lights switch (%8!s!)", token::landing_lights, mouse_left_click,
     event::landing_lights, true},
    {{403, 18, 26, 74}, "Panel lights switch (%9!s!)", token::panel_lights, mouse_left_click, event::panel_lights,
     true},
    {{449, 18, 26, 74}, "Avionics master switch (%10!s!)", token::avionics_master, mouse_left_click,
     event::avionics_master, true},
    {{523, 18, 26, 74}, "Dummy switch (%11!s!)", 0, mouse_left_click, 0, true},
};
// clang-format on

constexpr std::size_t dummy = 10;

// The same event whatever the switch's position: the simulator flips it.
// The starter's event goes on every repeated call while the button is held.
template <std::size_t n>
std::int32_t KORVEL_CALL switch_fn(ClickRecord*, std::uint32_t) {
    constexpr BoardSwitch s = switches[n];
    if constexpr (n == dummy) dummy_switch_on = dummy_switch_on == 0 ? 1 : 0;
    if constexpr (s.key_event != 0) trigger_key_event(s.key_event, 0);
    if constexpr (s.click_sound) sound_click(elec_board_sound);
    return 0;
}

// Each tooltip prints its own argument: the switch's position at the moment
// it shows.
template <std::size_t n>
const char* KORVEL_CALL switch_text(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    if constexpr (n == dummy)
        return dummy_switch_on != 0 ? "on" : "off";
    else
        return lookup_var(switches[n].token) > 0.0 ? "on" : "off";
}

double KORVEL_CALL dummy_switch_cb(ElementHeader*) { return dummy_switch_on != 0 ? 1.0 : 0.0; }

void KORVEL_CALL elec_board_gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra extra) {
    sound_slot_service(elec_board_sound, service, extra, wave_switch_click);
}

// The switch pictures, lever down (off) and up (on), drawn from right to left.
constexpr IconElement switch_icon(const BoardSwitch& s) {
    return icon(3140, {s.box.x, s.box.y}, image_plain, 2, s.token, s.token == 0 ? dummy_switch_cb : nullptr);
}

// clang-format off
constinit ElementChain<StaticImageElement, IconElement, IconElement, IconElement, IconElement, IconElement,
                       IconElement, IconElement, IconElement, IconElement, IconElement, IconElement>
    elec_board_elements{
        &elec_board_gauge,
        static_image(3130, {0, 0}, image_plain),
        switch_icon(switches[10]),
        switch_icon(switches[9]),
        switch_icon(switches[8]),
        switch_icon(switches[7]),
        switch_icon(switches[6]),
        switch_icon(switches[5]),
        switch_icon(switches[4]),
        switch_icon(switches[3]),
        switch_icon(switches[2]),
        switch_icon(switches[1]),
        switch_icon(switches[0]),
    };
// clang-format on

// One argument array serves the eleven tooltips; each text prints its own.
template <typename Indices>
struct SwitchTexts;
template <std::size_t... n>
struct SwitchTexts<std::index_sequence<n...>> {
    // clang-format off
    static inline TooltipArgument arguments[] = {text_argument(switch_text<n>)...};
    static constexpr MouseFunction functions[sizeof...(n)] = {switch_fn<n>...};
    // clang-format on
};
using Board = SwitchTexts<std::make_index_sequence<std::size(switches)>>;

constexpr std::size_t rect_count = 1 + 3 * std::size(switches) + std::size(switches) + 2;

// The whole board, then a parent with its tooltip over each switch, then the
// eleven click areas.
constexpr std::array<MouseRect, rect_count> board_rects() {
    std::array<MouseRect, rect_count> r{};
    std::size_t i = 0;
    r[i++] = whole_gauge();
    for (const BoardSwitch& s : switches) {
        r[i++] = parent(s.box);
        r[i++] = tooltip(s.tooltip, Board::arguments);
        r[i++] = end_parent();
    }
    for (std::size_t k = 0; k < std::size(switches); ++k)
        r[i++] = click_area(switches[k].box, cursor_hand, switches[k].mouse_events, Board::functions[k]);
    r[i++] = end_parent();
    r[i++] = end_of_rects();
    return r;
}

constinit std::array<MouseRect, rect_count> elec_board_rects = board_rects();

}  // namespace

constinit GaugeHeader elec_board_gauge =
    gauge_header("Elec_Board", 30, elec_board_elements.list, elec_board_rects.data(), elec_board_gauge_cb);
