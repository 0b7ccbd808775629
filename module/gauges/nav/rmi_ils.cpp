// The two RMI/ILS dual indicators. Each shows either a radio magnetic
// indicator (compass card, ADF needle, VOR needle) or an ILS indicator
// (localizer and glideslope needles, their flags, course card and knob); a
// click in the centre switches that indicator. Every part of both displays
// stands in the element chain, and each callback shows or hides its element
// by the indicator's mode at every update.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "module/builders.h"
#include "module/gauge_table.h"
#include "module/gauges/nav/rmi_state.h"
#include "module/gauges/radio/radio.h"
#include "module/services.h"
#include "module/vocabulary.h"

std::int32_t rmi_vor1_selected = 1;

namespace {

using namespace build;

constexpr double parked_needle = 90.0;          // pointing to the right-hand side of the dial
constexpr std::uint32_t no_station_bit = 0x80;  // in the station information word
constexpr std::uint32_t whole_turn = 360;

struct Indicator {
    std::int32_t rmi_mode = 1;  // 1 RMI, 0 ILS
    // clang-format off
    char course_text[16] = {};
    char tooltip_text[64] = {};
    // clang-format on
};

Indicator indicator_1;
Indicator indicator_2;

struct IndicatorBinding {
    Indicator* indicator;
    bool second;  // the second indicator's knob also switches the VOR source
};

constexpr IndicatorBinding first = {&indicator_1, false};
constexpr IndicatorBinding second = {&indicator_2, true};

// The host's course as a whole number of degrees, 0 to 359, whatever the host
// reports: truncated toward zero, wrapped into the circle, NaN read as 0.
std::uint32_t course_of(double value) {
    if (!std::isfinite(value)) return 0;
    double whole = std::trunc(std::fmod(value, double(whole_turn)));
    if (whole < 0) whole += whole_turn;
    return static_cast<std::uint32_t>(whole) % whole_turn;
}

std::uint32_t first_word(const ElementVariable& slot) {
    std::uint32_t word;
    std::memcpy(&word, reinterpret_cast<const unsigned char*>(&slot.var) + offsetof(ModuleVariable, value),
                sizeof word);
    return word;
}

void append(char* buffer, std::size_t size, const char* text) {
    std::size_t n = std::strlen(buffer);
    while (*text != '\0' && n + 1 < size) buffer[n++] = *text++;
    buffer[n] = '\0';
}

template <const IndicatorBinding& binding>
struct RmiIls {
    static Indicator& indicator() { return *binding.indicator; }
    static bool rmi() { return indicator().rmi_mode != 0; }

    // The mode test comes first, before the value is worked out.
    static void show_in_rmi(ElementHeader* e) { set_hidden(e, !rmi()); }
    static void show_in_ils(ElementHeader* e) { set_hidden(e, rmi()); }
    static void set_hidden(ElementHeader* e, bool hidden) {
        if (hidden)
            e->image_flags |= image_hidden_flag;
        else
            e->image_flags &= ~image_hidden_flag;
    }

    static double KORVEL_CALL rmi_ils_face_cb(ElementHeader*) { return rmi() ? -1.0 : 0.0; }

    static double KORVEL_CALL rmi_compass_card_cb(ElementHeader* e) {
        show_in_rmi(e);
        return reinterpret_cast<SpriteElement*>(e)->rotation_source.var.value;
    }

    static double KORVEL_CALL rmi_adf_needle_cb(ElementHeader* e) {
        show_in_rmi(e);
        if (radio_panel.adf_power == 0) return parked_needle;
        return reinterpret_cast<NeedleElement*>(e)->source.var.value;
    }

    // The host fetched this update's value with the token that stood in the
    // record before the call, so a new selection shows from the next update.
    static double KORVEL_CALL rmi_vor_needle_cb(ElementHeader* e) {
        show_in_rmi(e);
        auto* needle = reinterpret_cast<NeedleElement*>(e);
        const bool nav1 = rmi_vor1_selected != 0;
        const std::uint32_t station = lookup_var_word(nav1 ? token::nav1_station_info : token::nav2_station_info);
        needle->source.var.token = nav1 ? token::nav1_bearing : token::nav2_bearing;
        if (station & no_station_bit) return parked_needle;
        if ((nav1 ? radio_panel.nav1_power : radio_panel.nav2_power) == 0) return parked_needle;
        return needle->source.var.value;
    }

    static double KORVEL_CALL rmi_course_card_cb(ElementHeader* e) {
        show_in_ils(e);
        return reinterpret_cast<SpriteElement*>(e)->rotation_source.var.value;
    }

    // Without NAV1 power the deviation needles centre and both flags show.
    static double KORVEL_CALL rmi_gs_flag_cb(ElementHeader* e) {
        show_in_ils(e);
        if (radio_panel.nav1_power == 0) return 0.0;
        return reinterpret_cast<IconElement*>(e)->source.var.value;
    }

    static double KORVEL_CALL rmi_tofrom_cb(ElementHeader* e) {
        show_in_ils(e);
        if (radio_panel.nav1_power == 0) return 0.0;
        return first_word(reinterpret_cast<IconElement*>(e)->source);
    }

    static double KORVEL_CALL rmi_loc_needle_cb(ElementHeader* e) {
        show_in_ils(e);
        if (radio_panel.nav1_power == 0) return 0.0;
        return reinterpret_cast<NeedleElement*>(e)->source.var.value;
    }

    static double KORVEL_CALL rmi_gs_needle_cb(ElementHeader* e) {
        show_in_ils(e);
        if (radio_panel.nav1_power == 0) return 0.0;
        return reinterpret_cast<NeedleElement*>(e)->source.var.value;
    }

    static double KORVEL_CALL rmi_course_knob_cb(ElementHeader* e) {
        show_in_ils(e);
        return reinterpret_cast<NeedleElement*>(e)->source.var.value;
    }

    static std::int32_t KORVEL_CALL rmi_mode_mouse_fn(ClickRecord*, std::uint32_t) {
        indicator().rmi_mode = indicator().rmi_mode == 0 ? 1 : 0;
        return 0;
    }

    // In RMI mode the knob of the second indicator switches the VOR source on
    // a left click; in ILS mode it sets the course, a left click by 1, a right
    // click by 10 degrees, wrapping round the circle. A flags word with both
    // buttons counts as a left click.
    static std::int32_t course_step(std::uint32_t flags, int fine, int coarse) {
        if (rmi()) {
            if (binding.second && (flags & mouse_left_click)) rmi_vor1_selected = rmi_vor1_selected == 0 ? 1 : 0;
            return 0;
        }
        int step;
        if (flags & mouse_left_click)
            step = fine;
        else if (flags & mouse_right_click)
            step = coarse;
        else
            return 0;
        const int course = static_cast<int>(course_of(lookup_var(token::nav1_course_degrees)));
        const int next = (course + step + int(whole_turn)) % int(whole_turn);
        trigger_key_event(event::nav1_course_set, static_cast<std::uint32_t>(next));
        return 0;
    }

    static std::int32_t KORVEL_CALL rmi_course_dec_mouse_fn(ClickRecord*, std::uint32_t flags) {
        return course_step(flags, -1, -10);
    }

    static std::int32_t KORVEL_CALL rmi_course_inc_mouse_fn(ClickRecord*, std::uint32_t flags) {
        return course_step(flags, 1, 10);
    }

    // The course with three significant digits and its decimal point always
    // written, after the digits and before any exponent: 45 reads "45.", 7.25
    // "7.25", 123.4 "123.", 1e300 "1.e+300". A course that is not a number
    // reads "nan" and an infinite one "inf" or "-inf", spelt here because
    // each C library spells them its own way.
    static void format_course(double course, char* out, std::size_t size) {
        if (!std::isfinite(course)) {
            out[0] = '\0';
            append(out, size, std::isnan(course) ? "nan" : course < 0 ? "-inf" : "inf");
            return;
        }
        std::snprintf(out, size, "%.3g", course);
        if (std::strchr(out, '.') != nullptr) return;
        char* exponent = std::strchr(out, 'e');
        if (exponent == nullptr) {
            append(out, size, ".");
        } else if (std::strlen(out) + 2 <= size) {
            std::memmove(exponent + 1, exponent, std::strlen(exponent) + 1);
            *exponent = '.';
        }
    }

    static const char* KORVEL_CALL rmi_knob_tooltip_cb(double, std::uint32_t, const char*, ModuleVariable*,
                                                       GaugeHeader*) {
        Indicator& ind = indicator();
        char* text = ind.tooltip_text;
        const std::size_t size = sizeof ind.tooltip_text;
        text[0] = '\0';
        if (!rmi()) {
            format_course(lookup_var(token::nav1_course_degrees), ind.course_text, sizeof ind.course_text);
            append(text, size, "Omni bearing selector VOR1 (Course ");
            append(text, size, ind.course_text);
            append(text, size, "\xB0)");
        } else if (!binding.second) {
            append(text, size, "inactive");
        } else {
            append(text, size, "RMI switch (actual needles : ADF ==>,VOR");
            append(text, size, rmi_vor1_selected != 0 ? "1" : "2");
            append(text, size, " -->)");
        }
        return text;
    }
};

// clang-format off
FailureRecord dial_failures[] = {{failure::nav1, failure_action::none}, {}};
FailureRecord card_failures[] = {{failure::electrical_panel, failure_action::freeze}, {failure::directional_gyro, failure_action::none}, {}};
FailureRecord adf_needle_failures[] = {{failure::electrical_panel, failure_action::freeze}, {failure::adf, failure_action::none}, {failure::avionics, failure_action::none}, {}};
FailureRecord vor_needle_failures[] = {{failure::electrical_panel, failure_action::freeze}, {failure::nav1, failure_action::none}, {failure::avionics, failure_action::none}, {}};
FailureRecord ils_failures[] = {{failure::nav1, failure_action::rest}, {failure::avionics, failure_action::rest}, {failure::electrical_panel, failure_action::freeze}, {}};

// 0 points to the top of the dial; the needle value is the angle.
NonlinearityEntry bearing_table[] = {{150, 51, 0}, {150, 251, 180}};
// The localizer needle hangs from its pivot at the top; full scale right at +127.
NonlinearityEntry localizer_table[] = {{208, 150, 127}, {92, 150, -127}};
// The glideslope needle pivots at the left; -120 up, +120 down.
NonlinearityEntry glideslope_table[] = {{208, 102, -120}, {208, 198, 120}};
// Half a turn of the knob picture per 30 degrees of course.
NonlinearityEntry course_knob_table[] = {{33, 245, 0}, {33, 285, 30}};
// clang-format on

template <GaugeHeader& gauge, const IndicatorBinding& binding>
struct IndicatorGauge {
    using Cb = RmiIls<binding>;

    // clang-format off
    static inline constinit ElementChain<StaticImageElement, IconElement, SpriteElement, NeedleElement,
                                         NeedleElement, SpriteElement, IconElement, IconElement, NeedleElement,
                                         NeedleElement, StaticImageElement, NeedleElement>
        elements{
            &gauge,
            static_image(2170, {0, 0}, image_lit, dial_failures),
            icon(2110, {0, 0}, image_lit_dib, 1, 0, Cb::rmi_ils_face_cb),
            sprite(2100, {0, 0}, {150, 151}, image_lit_dib, {0, 1.0}, {0, 1.0},
                   {token::gyro_heading_degrees, 1.0, Cb::rmi_compass_card_cb}, 1.0f, 1.0f, card_failures),
            needle(2090, {150, 151}, {101, 17}, image_lit_dib, token::adf_bearing, bearing_table, Cb::rmi_adf_needle_cb,
                   adf_needle_failures),
            needle(2080, {150, 151}, {105, 10}, image_lit_dib, token::nav1_bearing, bearing_table, Cb::rmi_vor_needle_cb,
                   vor_needle_failures),
            sprite(2160, {18, 18}, {150, 150}, image_lit_dib, {0, 0.0}, {0, 0.0},
                   {token::nav1_course_degrees, 1.0, Cb::rmi_course_card_cb}),
            icon(2150, {188, 135}, image_lit_dib, 2, token::nav1_glideslope_flag, Cb::rmi_gs_flag_cb, ils_failures),
            icon(2140, {135, 196}, image_lit_dib, 2, token::nav1_to_from, Cb::rmi_tofrom_cb, ils_failures),
            needle(2130, {150, 74}, {0, 2}, image_lit_dib, token::nav1_localizer, localizer_table, Cb::rmi_loc_needle_cb,
                   ils_failures),
            needle(2120, {74, 150}, {0, 2}, image_lit_dib, token::nav1_glideslope, glideslope_table, Cb::rmi_gs_needle_cb,
                   ils_failures),
            static_image(2070, {0, 0}, image_plain),
            needle(2060, {33, 265}, {29, 29}, image_dib, token::nav1_course_degrees, course_knob_table, Cb::rmi_course_knob_cb),
        };

    static inline TooltipArgument arguments[] = {
        text_argument(Cb::rmi_knob_tooltip_cb),
    };

    static inline constinit MouseRect rects[] = {
        whole_gauge(),
        parent({120, 120, 60, 60}),
        tooltip("Dual indicator RMI/ILS - Click here to change"),
        end_parent(),
        parent({4, 236, 58, 58}),
        tooltip("Button - %1!s!", arguments),
        end_parent(),
        click_area({120, 120, 60, 60}, cursor_hand, mouse_left_click, Cb::rmi_mode_mouse_fn),
        click_area({4, 236, 29, 58}, cursor_down_arrow, mouse_right_click | mouse_left_click | mouse_repeat,
                   Cb::rmi_course_dec_mouse_fn),
        click_area({33, 236, 29, 58}, cursor_up_arrow, mouse_right_click | mouse_left_click | mouse_repeat,
                   Cb::rmi_course_inc_mouse_fn),
        end_parent(),
        end_of_rects(),
    };
    // clang-format on

    static constexpr GaugeHeader header(const char* name) { return gauge_header(name, 100, elements.list, rects); }
};

}  // namespace

constinit GaugeHeader rmi_ils_indicator_1_gauge =
    IndicatorGauge<rmi_ils_indicator_1_gauge, first>::header("RMI_ILS_Indicator_1");
constinit GaugeHeader rmi_ils_indicator_2_gauge =
    IndicatorGauge<rmi_ils_indicator_2_gauge, second>::header("RMI_ILS_Indicator_2");
