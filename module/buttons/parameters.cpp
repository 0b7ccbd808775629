#include "module/buttons/parameters.h"

#include <cstdint>
#include <cstring>

#include "module/services.h"
#include "module/vocabulary.h"

namespace {

constexpr std::uint32_t lowest_help_id = 0xA000;

bool is_comment(char c) { return c == '/' || c == '#' || c == '\''; }
bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

template <typename Named, std::size_t N>
const Named* named_prefix(const char* text, const Named (&names)[N]) {
    for (const Named& n : names)
        if (std::strncmp(text, n.name, std::strlen(n.name)) == 0) return &n;
    return nullptr;
}

const char* parameters_of(const GaugeHeader* gauge) {
    if (gauge == nullptr || gauge->parameters == nullptr || gauge->parameters[0] == '\0') return nullptr;
    return gauge->parameters;
}

// Sends the event with the panel identifier of every occurrence of the key.
void send_for_every(const char* parameters, char key, std::uint32_t event) {
    for (const char* at = find_param(parameters, key); at != nullptr; at = find_param(at, key)) {
        ++at;
        const std::int32_t panel = parse_panel_id(at);
        if (panel >= 0) trigger_key_event(event, static_cast<std::uint32_t>(panel));
    }
}

}  // namespace

const char* parameters_end(const char* text) {
    if (text == nullptr) return nullptr;
    while (*text != '\0' && !is_comment(*text)) ++text;
    return text;
}

const char* find_param(const char* position, char key) {
    if (position == nullptr) return nullptr;
    for (const char* at = position; *at != '\0'; ++at) {
        if (is_comment(*at)) return nullptr;
        if (*at == key) return at;
    }
    return nullptr;
}

const char* decimal_end(const char* text) {
    if (text == nullptr) return nullptr;
    const char* at = text;
    while (is_space(*at)) ++at;
    if (*at == '+' || *at == '-') ++at;
    if (*at < '0' || *at > '9') return text;
    while (*at >= '0' && *at <= '9') ++at;
    return at;
}

const WindowIdent* window_name_at(const char* text) {
    return text == nullptr ? nullptr : named_prefix(text, window_idents);
}

std::int32_t parse_decimal(const char* text) {
    if (text == nullptr) return 0;
    while (is_space(*text)) ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') negative = *text++ == '-';
    std::int64_t magnitude = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        magnitude = magnitude * 10 + (*text - '0');
        if (magnitude > std::int64_t{INT32_MAX} + 1) magnitude = std::int64_t{INT32_MAX} + 1;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return INT32_MAX;
    return static_cast<std::int32_t>(value);
}

std::int32_t parse_panel_id(const char* text) {
    if (text == nullptr || *text == '\0') return -1;
    if (const WindowIdent* n = window_name_at(text)) return n->ident;
    return parse_decimal(text);
}

std::uint32_t parse_help_id(const char* text) {
    if (text == nullptr || *text == '\0') return 0;
    if (const HelpIdent* n = named_prefix(text, help_idents)) return n->id;
    const std::int32_t number = parse_decimal(text);
    return number >= 0 && static_cast<std::uint32_t>(number) >= lowest_help_id ? static_cast<std::uint32_t>(number) : 0;
}

std::int32_t run_panel_parameters(GaugeHeader* gauge) {
    const char* parameters = parameters_of(gauge);
    if (parameters == nullptr) return 0;

    // All opens, then all closes, then all toggles, whatever their order.
    send_for_every(parameters, 'o', event::open_panel_window);
    send_for_every(parameters, 'c', event::close_panel_window);
    send_for_every(parameters, 't', event::toggle_panel_window);

    if (const char* p = find_param(parameters, 'p')) {
        const std::int32_t steps = parse_decimal(p + 1);
        if (steps == 0) {
            trigger_key_event(event::panel_step_reset, 0);
        } else {
            const std::uint32_t step_event = steps > 0 ? event::panel_step_next : event::panel_step_previous;
            const std::int64_t wanted = steps > 0 ? std::int64_t{steps} : -std::int64_t{steps};
            const std::int64_t count = wanted < most_panel_steps ? wanted : most_panel_steps;
            for (std::int64_t i = 0; i < count; ++i) trigger_key_event(step_event, 0);
        }
    }
    return 1;
}

void apply_install_parameters(GaugeHeader* gauge) {
    const char* parameters = parameters_of(gauge);
    if (parameters == nullptr) return;

    if (const char* b = find_param(parameters, 'b')) {
        const std::int32_t bitmap = parse_decimal(b + 1);
        if (gauge->elements == nullptr || gauge->elements[0] == nullptr) return;
        // A bitmap that is not one of the eleven button faces leaves the help
        // identifier alone as well.
        if (bitmap % 10 != 0 || bitmap < 100 || bitmap > 200) return;
        gauge->elements[0]->resource_id = bitmap;
    }
    if (const char* h = find_param(parameters, 'h')) {
        if (gauge->mouse_rects != nullptr) gauge->mouse_rects[0].help_id = parse_help_id(h + 1);
    }
}

void apply_close_at_start(GaugeHeader* gauge) {
    const char* parameters = parameters_of(gauge);
    if (parameters == nullptr) return;
    if (const char* a = find_param(parameters, 'a')) {
        const std::int32_t panel = parse_panel_id(a + 1);
        if (panel >= 0) trigger_key_event(event::close_panel_window, static_cast<std::uint32_t>(panel));
    }
}
