// The attitude indicator: horizon bar, bank pointer, adjustable miniature
// aircraft, warning flag and cage button. Caging is the simulator's; the
// module only shows its flag conditions.
#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/services.h"
#include "module/vocabulary.h"

namespace {

using namespace build;

constexpr double pitch_limit = 45.0;  // degrees: the bar stays within the dial

double KORVEL_CALL attitude_pitch_cb(ElementHeader* element) {
    const double pitch = reinterpret_cast<SpriteElement*>(element)->y_source.var.value;
    if (pitch > pitch_limit) return pitch_limit;
    if (pitch < -pitch_limit) return -pitch_limit;
    return pitch;
}

// Either condition raises the striped flag; both are integers.
double KORVEL_CALL attitude_flag_cb(ElementHeader*) {
    const std::uint32_t second = lookup_var_word(token::attitude_flag_condition_b);
    const std::uint32_t first = lookup_var_word(token::attitude_flag_condition_a);
    if (second != 0) return 0.0;
    if (first != 0) return 0.0;
    return -1.0;
}

// clang-format off
FailureRecord gyro_failures[] = {{failure::attitude, failure_action::none}, {failure::engine, failure_action::none}, {failure::vacuum, failure_action::none}, {}};

NonlinearityEntry bank_table[] = {
    {200, 150, -90},
    {100, 150, 90},
};

constinit ElementChain<StaticImageElement, SpriteElement, NeedleElement, SliderElement, IconElement,
                       StaticImageElement>
    attitude_elements{
        &attitude_gauge,
        static_image(2000, {0, 0}, image_lit),
        sprite(2010, {38, 38}, {150, 150}, image_lit_dib, {0, 0.0}, {token::pitch_degrees, 1.3, attitude_pitch_cb},
               {token::bank_degrees, -1.0}, 1.0f, 0.8f, gyro_failures),
        needle(2020, {150, 150}, {0, 5}, image_lit_dib, token::bank_degrees, bank_table, nullptr, gyro_failures),
        slider(2030, {70, 137}, image_plain, {0, 0.0}, {token::attitude_bars, -0.2}),
        icon(2050, {104, 16}, image_lit, 1, 0, attitude_flag_cb),
        static_image(2040, {0, 0}, image_plain),
    };

constinit MouseRect attitude_rects[] = {
    whole_gauge(),
    parent({0, 0, 300, 232}),
    host_tooltip(help::attitude),
    end_parent(),
    parent({232, 232, 68, 68}),
    tooltip("Attitude indicator cage button"),
    end_parent(),
    key_area({232, 232, 68, 68}, cursor_hand, mouse_left_click, event::attitude_cage),
    end_parent(),
    end_of_rects(),
};
// clang-format on

}  // namespace

constinit GaugeHeader attitude_gauge = gauge_header("Attitude", 100, attitude_elements.list, attitude_rects);
