// The fourteen panel buttons. Three send a fixed host event on a click; the
// other eleven share one gauge callback and one mouse function and do what
// their parameter string says, so a panel configuration can make any of them
// act on any window. Their faces below are only the default ones.
#include "module/builders.h"
#include "module/buttons/parameters.h"
#include "module/gauge_table.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

constexpr PixelBox button_box = {3, 3, 13, 13};
constexpr std::uint32_t toggle_size_mm = 19;

struct HostButton {
    const char* name;
    std::int32_t bitmap;
    std::uint32_t help_id;
    std::uint32_t click_event;
};

struct ParameterButton {
    const char* name;
    std::int32_t bitmap;
    std::uint32_t help_id;  // 0: none
    const char* tooltip;    // null: none
};

constexpr HostButton kneeboard = {"Kneeboard_Toggle", 60, help::kneeboard, event::kneeboard};
constexpr HostButton atc = {"ATC_Toggle", 80, help::atc, event::atc_window};
constexpr HostButton map = {"Map_Toggle", 70, help::map, event::map_window};

constexpr ParameterButton invisible = {"Invisible_Toggle", 100, 0, nullptr};
constexpr ParameterButton close_subpanel = {"Close_Subpanel", 110, 0, "Close the subpanel"};
constexpr ParameterButton radios = {"Radios_Toggle", 120, help::radio_window, nullptr};
constexpr ParameterButton landing_view = {"Landing_View_Toggle", 130, 0, "Display the main panel Landing view"};
constexpr ParameterButton gps = {"GPS_Toggle", 140, help::gps_window, nullptr};
constexpr ParameterButton throttle = {"Throttle_Toggle", 150, help::throttle_window, nullptr};
constexpr ParameterButton compass = {"Compass_Toggle", 160, help::compass_window, nullptr};
constexpr ParameterButton fuel = {"Fuel_Toggle", 170, help::fuel_window, "Display/Hide the fuel subpanel"};
constexpr ParameterButton vfr_panel = {"VFR_Panel_Toggle", 180, 0, "Display the main panel VFR view"};
constexpr ParameterButton ifr_panel = {"IFR_Panel_Toggle", 190, 0, "Display the main panel IFR view"};
constexpr ParameterButton electricity = {"Electricity_Toggle", 200, 0, "Display/Hide the electricity board"};

void KORVEL_CALL panel_toggle_gauge_cb(GaugeHeader* gauge, std::int32_t service, ServiceExtra) {
    if (service != service_install) return;
    apply_install_parameters(gauge);
    if (gauge != nullptr && gauge->user_word == 0) {
        apply_close_at_start(gauge);
        gauge->user_word = 1;
    }
}

std::int32_t KORVEL_CALL panel_toggle_fn(ClickRecord* click, std::uint32_t) {
    // clang-format off
    GaugeHeader* gauge = click != nullptr ? click->gauge : nullptr;
    // clang-format on
    if (run_panel_parameters(gauge) == 0) panel_window_toggle(0);
    return 0;
}

template <GaugeHeader& gauge, const HostButton& button>
struct HostToggle {
    // clang-format off
    static inline constinit ElementChain<StaticImageElement> elements{&gauge,
                                                                       static_image(button.bitmap, {0, 0}, image_plain)};
    static inline constinit MouseRect rects[] = {
        whole_gauge(button.help_id),
        key_area(button_box, cursor_hand, mouse_left_click, button.click_event),
        end_parent(),
        end_of_rects(),
    };
    // clang-format on
    static constexpr GaugeHeader header() { return gauge_header(button.name, toggle_size_mm, elements.list, rects); }
};

// The list ends early for a button without a tooltip; the host reads no
// further than the first end record.
template <GaugeHeader& gauge, const ParameterButton& button>
struct ParameterToggle {
    // clang-format off
    static inline constinit ElementChain<StaticImageElement> elements{&gauge,
                                                                       static_image(button.bitmap, {0, 0}, image_plain)};
    static constexpr MouseRect click = click_area(button_box, cursor_hand, mouse_left_click, panel_toggle_fn);
    static inline constinit MouseRect rects[] = {
        whole_gauge(button.help_id),
        button.tooltip != nullptr ? tooltip(button.tooltip) : click,
        button.tooltip != nullptr ? click : end_parent(),
        button.tooltip != nullptr ? end_parent() : end_of_rects(),
        end_of_rects(),
    };
    // clang-format on
    static constexpr GaugeHeader header() {
        return gauge_header(button.name, toggle_size_mm, elements.list, rects, panel_toggle_gauge_cb);
    }
};

}  // namespace

constinit GaugeHeader kneeboard_toggle_gauge = HostToggle<kneeboard_toggle_gauge, kneeboard>::header();
constinit GaugeHeader atc_toggle_gauge = HostToggle<atc_toggle_gauge, atc>::header();
constinit GaugeHeader map_toggle_gauge = HostToggle<map_toggle_gauge, map>::header();
constinit GaugeHeader invisible_toggle_gauge = ParameterToggle<invisible_toggle_gauge, invisible>::header();
constinit GaugeHeader close_subpanel_gauge = ParameterToggle<close_subpanel_gauge, close_subpanel>::header();
constinit GaugeHeader radios_toggle_gauge = ParameterToggle<radios_toggle_gauge, radios>::header();
constinit GaugeHeader landing_view_toggle_gauge = ParameterToggle<landing_view_toggle_gauge, landing_view>::header();
constinit GaugeHeader gps_toggle_gauge = ParameterToggle<gps_toggle_gauge, gps>::header();
constinit GaugeHeader throttle_toggle_gauge = ParameterToggle<throttle_toggle_gauge, throttle>::header();
constinit GaugeHeader compass_toggle_gauge = ParameterToggle<compass_toggle_gauge, compass>::header();
constinit GaugeHeader fuel_toggle_gauge = ParameterToggle<fuel_toggle_gauge, fuel>::header();
constinit GaugeHeader vfr_panel_toggle_gauge = ParameterToggle<vfr_panel_toggle_gauge, vfr_panel>::header();
constinit GaugeHeader ifr_panel_toggle_gauge = ParameterToggle<ifr_panel_toggle_gauge, ifr_panel>::header();
constinit GaugeHeader electricity_toggle_gauge = ParameterToggle<electricity_toggle_gauge, electricity>::header();
