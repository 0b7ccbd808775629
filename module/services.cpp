#include "module/services.h"

#include <cstring>

#include "module/linkage.h"

namespace {

PanelServices* services() { return ImportTable.services; }

ModuleVariable fetch(std::uint32_t token) {
    ModuleVariable variable{};
    variable.token = token;
    PanelServices* table = services();
    if (table != nullptr && table->lookup_var != nullptr) table->lookup_var(&variable);
    return variable;
}

}  // namespace

void panel_window_toggle(std::uint32_t panel_id) {
    PanelServices* table = services();
    if (table != nullptr && table->panel_window_toggle != nullptr) table->panel_window_toggle(panel_id);
}

void trigger_key_event(std::uint32_t event, std::uint32_t value) {
    PanelServices* table = services();
    if (table != nullptr && table->trigger_key_event != nullptr) table->trigger_key_event(event, value);
}

void execute_calculator_code(const char* code, const char** text_result) {
    PanelServices* table = services();
    if (table != nullptr && table->execute_calculator_code != nullptr)
        table->execute_calculator_code(code, nullptr, nullptr, text_result);
}

double lookup_var(std::uint32_t token) { return fetch(token).value; }

std::uint32_t lookup_var_word(std::uint32_t token) {
    ModuleVariable variable = fetch(token);
    std::uint32_t word = 0;
    std::memcpy(&word, reinterpret_cast<const unsigned char*>(&variable) + offsetof(ModuleVariable, value),
                sizeof word);
    return word;
}
