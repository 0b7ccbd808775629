// The three-pointer altimeter with its barometric window and setting knob.
// The pointers are pure tables; the knob's halves make the host send its
// setting events.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

constexpr double lowest_setting = 27.9;  // inches of mercury
constexpr double highest_setting = 31.5;
constexpr double standard_setting = 29.9;

// The barometric disc turns 90 degrees per inch of mercury about 29.9, so
// that only its rim shows in the window; settings beyond the window's range
// are shown at its ends.
double KORVEL_CALL altimeter_baro_window_cb(ElementHeader* element) {
    double setting = reinterpret_cast<SpriteElement*>(element)->rotation_source.var.value;
    if (!(setting > lowest_setting)) setting = lowest_setting;
    if (setting >= highest_setting) setting = highest_setting;
    return setting - standard_setting;
}

// clang-format off
FailureRecord pointer_failures[] = {{failure::pitot_static, failure_action::freeze}, {failure::altimeter, failure_action::freeze}, {}};

NonlinearityEntry ten_thousand_table[] = {
    {132, 82, 0},
    {132, 182, 50000},
};

NonlinearityEntry thousand_table[] = {
    {132, 82, 0},
    {132, 182, 5000},
};

// The 100 ft pointer rests at zero below sea level while the others turn back.
NonlinearityEntry hundred_table[] = {
    {132, 82, -1},
    {132, 82, 0},
    {132, 182, 500},
};

constinit ElementChain<StaticImageElement, SpriteElement, NeedleElement, NeedleElement, NeedleElement,
                       StaticImageElement>
    altimeter_elements{
        &altimeter_gauge,
        static_image(310, {0, 0}, image_lit),
        sprite(320, {198, 104}, {131, 134}, image_lit_dib, {0, 1.0}, {0, 1.0},
               {token::barometric_setting_inhg, 90.0, altimeter_baro_window_cb}),
        needle(350, {132, 132}, {-41, 6}, image_lit_dib, token::indicated_altitude_feet, ten_thousand_table, nullptr,
               pointer_failures),
        needle(340, {132, 132}, {33, 14}, image_lit_dib, token::indicated_altitude_feet, thousand_table, nullptr,
               pointer_failures),
        needle(330, {132, 132}, {35, 13}, image_lit_dib, token::indicated_altitude_feet, hundred_table, nullptr,
               pointer_failures),
        static_image(360, {0, 0}, image_plain),
    };

constinit MouseRect altimeter_rects[] = {
    whole_gauge(),
    parent({0, 0, 262, 200}),
    host_tooltip(help::altimeter),
    end_parent(),
    parent({0, 203, 70, 57}),
    host_tooltip(help::altimeter_knob),
    end_parent(),
    parent({75, 203, 70, 57}),
    host_tooltip(help::altimeter_setting),
    end_parent(),
    key_area({6, 203, 24, 48}, cursor_down_arrow, mouse_left_click | mouse_repeat, event::barometric_down),
    key_area({30, 203, 24, 48}, cursor_up_arrow, mouse_left_click | mouse_repeat, event::barometric_up),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader altimeter_gauge = gauge_header("Altimeter", 100, altimeter_elements.list, altimeter_rects);
