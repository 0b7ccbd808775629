// The RMI needle switch: a two-position lever that flips the VOR source of
// both RMI/ILS indicators between NAV1 and NAV2, with a click.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/nav/rmi_state.h"
#include "module/sound/sound.h"

namespace {

using namespace build;

SoundSlot rmi_switch_sound{};

double KORVEL_CALL rmi_switch_icon_cb(ElementHeader*) { return rmi_vor1_selected != 0 ? 0.0 : 1.0; }

// The lever has moved before the click is attempted; the rectangle only
// reports left clicks, so the flags are not looked at.
std::int32_t KORVEL_CALL rmi_switch_mouse_fn(ClickRecord*, std::uint32_t) {
    rmi_vor1_selected = rmi_vor1_selected == 0 ? 1 : 0;
    sound_click(rmi_switch_sound);
    return 0;
}

void KORVEL_CALL rmi_switch_gauge_cb(GaugeHeader*, std::int32_t service, ServiceExtra extra) {
    sound_slot_service(rmi_switch_sound, service, extra, wave_switch_click);
}

// clang-format off
constinit ElementChain<StaticImageElement, IconElement> rmi_switch_elements{
    &rmi_switch_gauge,
    static_image(3160, {0, 0}, image_plain),
    icon(3170, {0, 0}, image_plain, 2, 0, rmi_switch_icon_cb),
};

constinit MouseRect rmi_switch_rects[] = {
    whole_gauge(),
    tooltip("Single RMI needle switch (VOR1-VOR2)"),
    click_area({0, 0, 51, 31}, cursor_hand, mouse_left_click, rmi_switch_mouse_fn),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader rmi_switch_gauge =
    gauge_header("RMI_Switch", 51, rmi_switch_elements.list, rmi_switch_rects, rmi_switch_gauge_cb);
