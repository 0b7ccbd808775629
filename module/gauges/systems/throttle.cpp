// The throttle quadrant: a lever that follows the simulator's throttle and
// sets it from a click, or a drag, on the quadrant. The module keeps no
// throttle of its own.
#include <cmath>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

constexpr double full_throttle = 16384.0;

// The top edge of the box is full throttle, the bottom closed; a drag beyond
// the box holds the lever at its end. A box without height sets nothing.
std::int32_t KORVEL_CALL throttle_click_fn(ClickRecord* click, std::uint32_t) {
    if (click == nullptr || click->rect == nullptr || click->rect->box.height <= 0) return 0;
    const double y = click->y;
    const double h = click->rect->box.height;
    double f = 1.0 - y / h;
    if (f <= 0.0)
        f = 0.0;
    else if (f >= 1.0)
        f = 1.0;
    const auto value = static_cast<std::uint32_t>(std::trunc(f * full_throttle));
    trigger_key_event(event::throttle_set, value);
    return 0;
}

// The knob stands at 158 with the throttle closed and at 0 fully open.
// clang-format off
constinit ElementChain<StaticImageElement, SliderElement> throttle_quadrant_elements{
    &throttle_quadrant_gauge,
    static_image(3110, {0, 0}, image_plain),
    slider(3120, {4, 158}, image_plain, {0, 1.0}, {token::throttle_lever, -158.0}),
};

constinit MouseRect throttle_quadrant_rects[] = {
    whole_gauge(),
    host_tooltip(help::throttle),
    click_area({12, 0, 66, 243}, cursor_hand, mouse_left_click | mouse_drag, throttle_click_fn),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader throttle_quadrant_gauge =
    gauge_header("Throttle_Quadrant", 150, throttle_quadrant_elements.list, throttle_quadrant_rects);
