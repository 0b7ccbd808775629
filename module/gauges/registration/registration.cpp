// The registration plate: the aircraft's identifier, fetched from the host
// every update, or a fixed text from the parameter string; keys r, g, b and
// f choose the text colour and the font.
#include <cstring>

#include "module/builders.h"
#include "module/buttons/parameters.h"
#include "module/gauge_table.h"
#include "module/services.h"

namespace {

using namespace build;

constexpr const char* atc_id_expression = "(A:ATC ID,string)";

// The host's result text of the last evaluation.
const char* atc_id_text = nullptr;

double KORVEL_CALL registration_text(ElementHeader* element);

// clang-format off
constexpr TextStyle plate_style = {150, 25, 0xFFFFFF, 0, 0x5C5C5C, "Arial", 400, 1, 0x25, 7};

constinit ElementChain<StaticImageElement, StringElement> registration_elements{
    &registration_gauge,
    static_image(50, {0, 0}, image_plain),
    string({0, 0}, image_plain, 0, plate_style, registration_text),
};

constinit MouseRect registration_rects[] = {
    whole_gauge(),
    tooltip("Registration number"),
    end_parent(),
    end_of_rects(),
};
// clang-format on

StringElement* plate_text_of(GaugeHeader* gauge) {
    if (gauge == nullptr || gauge->elements == nullptr || gauge->elements[0] == nullptr) return nullptr;
    ElementHeader* background = gauge->elements[0];
    if (background->next == nullptr || background->next[0] == nullptr) return nullptr;
    if (background->next[0]->kind != element_string) return nullptr;
    return reinterpret_cast<StringElement*>(background->next[0]);
}

std::uint32_t colour_component(const char* parameters, char key, std::uint32_t current) {
    const char* at = find_param(parameters, key);
    if (at == nullptr) return current;
    const auto value = static_cast<std::uint32_t>(parse_decimal(at + 1));
    return value > 255 ? 255 : value;
}

// Key f takes the rest of the string as the font face and ends the string
// there for good, so later keys (and later installs) see only what came
// before it.
void apply_registration_style(GaugeHeader* gauge) {
    if (gauge == nullptr || gauge->parameters == nullptr || gauge->parameters[0] == '\0') return;
    StringElement* plate = plate_text_of(gauge);
    if (plate == nullptr) return;
    char* parameters = gauge->parameters;

    if (char* f = const_cast<char*>(find_param(parameters, 'f'))) {
        std::size_t n = 0;
        for (const char* face = f + 1; *face != '\0' && n + 1 < sizeof plate->font_face; ++face)
            plate->font_face[n++] = *face;
        std::memset(plate->font_face + n, 0, sizeof plate->font_face - n);
        *f = '\0';
    }

    const std::uint32_t colour = plate->text_colour;
    const std::uint32_t red = colour_component(parameters, 'r', colour & 0xFF);
    const std::uint32_t green = colour_component(parameters, 'g', (colour >> 8) & 0xFF);
    const std::uint32_t blue = colour_component(parameters, 'b', (colour >> 16) & 0xFF);
    plate->text_colour = red + green * 0x100 + blue * 0x10000;
}

// A fixed text is written with underscores for spaces; a space ends it, so
// further keys may follow it. Only what stands before a comment character is
// cut or replaced. The text never runs past the element's characters.
double KORVEL_CALL registration_text(ElementHeader* element) {
    auto* plate = reinterpret_cast<StringElement*>(element);
    if (plate->text == nullptr) return plate->source.var.value;

    const char* parameters = element->gauge != nullptr ? element->gauge->parameters : nullptr;
    const char* text = atc_id_text != nullptr ? atc_id_text : "";
    if (parameters != nullptr && find_param(parameters, 't') == parameters) text = parameters + 1;

    std::size_t n = 0;
    for (; text[n] != '\0' && n < plate->max_characters; ++n) plate->text[n] = text[n];
    plate->text[n] = '\0';

    if (char* space = const_cast<char*>(find_param(plate->text, ' '))) *space = '\0';
    while (char* underscore = const_cast<char*>(find_param(plate->text, '_'))) *underscore = ' ';
    return plate->source.var.value;
}

void KORVEL_CALL registration_gauge_cb(GaugeHeader* gauge, std::int32_t service, ServiceExtra) {
    if (service == service_install)
        apply_registration_style(gauge);
    else if (service == service_update)
        execute_calculator_code(atc_id_expression, &atc_id_text);
}

}  // namespace

constinit GaugeHeader registration_gauge =
    gauge_header("Registration", 150, registration_elements.list, registration_rects, registration_gauge_cb);
