#include "module/gauges/radio/radio.h"

#include <cstdio>

#include "module/services.h"
#include "module/vocabulary.h"

RadioPanelState radio_panel;

double com_whole_of(std::uint32_t w) {
    if (w >= 0x3000u) return 130.0 + ((w - 0x3000u) >> 8);
    if (w >= 0x2000u) return 120.0 + ((w - 0x2000u) >> 8);
    return 110.0 + ((w - 0x1000u) >> 8);
}

double fraction_of(std::uint32_t w) {
    const std::uint32_t b = w & 0xFFu;
    if (b >= 16u) return 10.0 * (b >> 4u) + (b & 0xFu);
    return b;
}

double nav_whole_of(std::uint32_t w) {
    if (w >= 0x1000u) return 110.0 + ((w - 0x1000u) >> 8);
    return 100.0 + (w >> 8);
}

double adf_khz_of(std::uint32_t w, std::uint32_t x) {
    const std::uint32_t thousands = x >= 0x100u ? 1u : 0u;
    const std::uint32_t hundreds = w / 256u;
    const std::uint32_t r = w - 256u * hundreds;
    const std::uint32_t tens = r / 16u;
    const std::uint32_t units = r - 16u * tens;
    return 1000.0 * thousands + 100.0 * hundreds + 10.0 * tens + units;
}

double adf_tenths_of(std::uint32_t x) { return x >= 256u ? x - 256u : x; }

double squawk_of(std::uint32_t w) {
    const std::uint32_t d3 = w / 4096u;
    std::uint32_t r = w - 4096u * d3;
    const std::uint32_t d2 = r / 256u;
    r -= 256u * d2;
    const std::uint32_t d1 = r / 16u;
    const std::uint32_t d0 = r - 16u * d1;
    return 1000.0 * d3 + 100.0 * d2 + 10.0 * d1 + d0;
}

double decode_com_whole(std::uint32_t token) { return com_whole_of(lookup_var_word(token)); }
double decode_com_fraction(std::uint32_t token) { return fraction_of(lookup_var_word(token)); }
double decode_nav_whole(std::uint32_t token) { return nav_whole_of(lookup_var_word(token)); }
double decode_nav_fraction(std::uint32_t token) { return fraction_of(lookup_var_word(token)); }
double decode_squawk(std::uint32_t token) { return squawk_of(lookup_var_word(token)); }

double decode_adf_khz() {
    const std::uint32_t frequency = lookup_var_word(token::adf_frequency);
    const std::uint32_t extended = lookup_var_word(token::adf_extended);
    return adf_khz_of(frequency, extended);
}

double decode_adf_tenths() { return adf_tenths_of(lookup_var_word(token::adf_extended)); }

// A base below 2 has no digits to rewrite; the number is returned as it is.
std::uint32_t digits_to_base(std::uint32_t n, std::uint32_t from, std::uint32_t to) {
    if (from < 2u) return n;
    const std::uint32_t q = n / from;
    const std::uint32_t r = n % from;
    if (q == 0 && r == 0) return 0;
    return digits_to_base(q, from, to) * to + r;
}

void write_lit_window(ElementHeader* element, const RadioBinding& radio, const char* format, double value) {
    auto* display = reinterpret_cast<StringElement*>(element);
    if (display->text != nullptr) std::snprintf(display->text, display->max_characters + 1u, format, value);
    std::int32_t& timer = *radio.display_timer;
    // Off, or its count run out: dark. The count runs only while powered.
    if (*radio.power != 0 && timer > 0) {
        --timer;
        element->image_flags &= ~image_hidden_flag;
    } else {
        element->image_flags |= image_hidden_flag;
    }
}

void light_drum(ElementHeader* element, const RadioBinding& radio) {
    if (*radio.power != 0)
        element->image_flags |= drum_lit_flag;
    else
        element->image_flags &= ~drum_lit_flag;
    element->image_flags &= ~image_top_bit;
}
