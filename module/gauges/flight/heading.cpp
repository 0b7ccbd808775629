// The heading instruments: the directional gyro with its card, heading bug
// and two knobs; the half-height gyro with card and bug only; the magnetic
// compass card behind its window. The knobs act through host events alone.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

// The bug's angle from the top of the dial, not wrapped: -360 to +360.
double KORVEL_CALL dg_bug_needle_cb(ElementHeader* element) {
    const double heading = lookup_var(token::gyro_heading_degrees);
    return reinterpret_cast<NeedleElement*>(element)->source.var.value - heading;
}

// Turned with the scale -1, the ring stays on its card mark.
double KORVEL_CALL dgs_bug_card_cb(ElementHeader* element) {
    const double heading = lookup_var(token::gyro_heading_degrees);
    return reinterpret_cast<SpriteElement*>(element)->rotation_source.var.value - heading;
}

double KORVEL_CALL dg_bug_tooltip_cb(double, std::uint32_t, const char*, ModuleVariable*, GaugeHeader*) {
    return lookup_var(token::heading_bug_degrees);
}

// clang-format off
FailureRecord gyro_failures[] = {{failure::electrical_panel, failure_action::freeze}, {failure::directional_gyro, failure_action::freeze}, {}};
FailureRecord compass_failures[] = {{failure::magnetic_compass, failure_action::none}, {}};

// Half a turn of the knob picture per 65536 / 6 units of gyro setting.
NonlinearityEntry gyro_knob_table[] = {
    {50, 256, 0},
    {50, 296, 65536.0 / 6.0},
};

// Half a turn per 30 degrees of bug.
NonlinearityEntry bug_knob_table[] = {
    {242, 256, 0},
    {242, 296, 30},
};

constinit ElementChain<StaticImageElement, SpriteElement, NeedleElement, StaticImageElement, NeedleElement,
                       NeedleElement>
    directional_gyro_elements{
        &directional_gyro_gauge,
        static_image(290, {0, 0}, image_plain),
        sprite(280, {25, 25}, {150, 150}, image_lit_dib, {0, 1.0}, {0, 1.0}, {token::gyro_heading_degrees, 1.0}, 1.0f, 1.0f,
               gyro_failures),
        needle(270, {150, 150}, {15, 112}, image_lit_dib, token::heading_bug_degrees, {}, dg_bug_needle_cb, gyro_failures),
        static_image(260, {0, 0}, image_dib),
        needle(250, {50, 276}, {24, 24}, image_dib, token::gyro_setting, gyro_knob_table),
        with_aspect(needle(240, {242, 276}, {24, 24}, image_dib, token::heading_bug_degrees, bug_knob_table), 2),
    };

TooltipArgument directional_gyro_arguments[] = {
    numeric_argument(dg_bug_tooltip_cb),
};

constinit MouseRect directional_gyro_rects[] = {
    whole_gauge(),
    parent({0, 0, 300, 242}),
    host_tooltip(help::directional_gyro),
    end_parent(),
    parent({218, 242, 48, 48}),
    tooltip("Heading bug adjust knob (%1!d!\xB0)", directional_gyro_arguments),
    end_parent(),
    parent({26, 242, 48, 48}, help::gyro_setting_knob),
    end_parent(),
    key_area({218, 242, 24, 48}, cursor_down_arrow, mouse_left_click | mouse_repeat, event::heading_bug_down),
    key_area({242, 242, 24, 48}, cursor_up_arrow, mouse_left_click | mouse_repeat, event::heading_bug_up),
    key_area({26, 242, 24, 48}, cursor_down_arrow, mouse_left_click | mouse_repeat, event::gyro_setting_down),
    key_area({50, 242, 24, 48}, cursor_up_arrow, mouse_left_click | mouse_repeat, event::gyro_setting_up),
    end_parent(),
    end_of_rects(),
};

constinit ElementChain<StaticImageElement, SpriteElement, SpriteElement, StaticImageElement>
    directional_gyro_small_elements{
        &directional_gyro_small_gauge,
        static_image(3050, {0, 0}, image_plain),
        sprite(3070, {25, 25}, {150, 150}, image_lit_dib, {0, 1.0}, {0, 1.0}, {token::gyro_heading_degrees, 1.0}, 1.0f, 1.0f,
               gyro_failures),
        sprite(3080, {25, 25}, {150, 150}, image_lit_dib, {0, 1.0}, {0, 1.0}, {token::heading_bug_degrees, -1.0, dgs_bug_card_cb},
               1.0f, 1.0f, gyro_failures),
        static_image(3060, {0, 0}, image_dib),
    };

constinit MouseRect directional_gyro_small_rects[] = {
    whole_gauge(),
    parent({0, 0, 300, 150}),
    host_tooltip(help::directional_gyro),
    end_parent(),
    end_parent(),
    end_of_rects(),
};

// The card strip runs backwards as the heading grows.
constinit ElementChain<StaticImageElement, MovingImageElement> whiskey_compass_elements{
    &whiskey_compass_gauge,
    static_image(2450, {0, 0}, image_plain),
    moving_image(2460, {0, 10}, image_lit_dib, {token::magnetic_heading_degrees, 360.0, 0.0}, {0, 360.0, 360.0},
                 compass_failures),
};

constinit MouseRect whiskey_compass_rects[] = {
    whole_gauge(help::magnetic_compass),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader directional_gyro_gauge =
    gauge_header("Directional_Gyro", 120, directional_gyro_elements.list, directional_gyro_rects);
constinit GaugeHeader directional_gyro_small_gauge =
    gauge_header("Directional_Gyro_Small", 120, directional_gyro_small_elements.list, directional_gyro_small_rects);
constinit GaugeHeader whiskey_compass_gauge =
    gauge_header("Whiskey_Compass", 76, whiskey_compass_elements.list, whiskey_compass_rects);
