// The module's way to the simulation: the four host services. Each call
// fetches the service table from ImportTable at the moment of the call; while
// the host has not written it, a call does nothing and a read gives 0.
#pragma once

#include <cstdint>

void panel_window_toggle(std::uint32_t panel_id);
void trigger_key_event(std::uint32_t event, std::uint32_t value);
// Fills the text result of the expression; the other two results are not
// asked for.
void execute_calculator_code(const char* code, const char** text_result);

// Variable reads, each through a fresh record that names only the token.
double lookup_var(std::uint32_t token);
// Integer-typed variables: the first 32-bit word of the value.
std::uint32_t lookup_var_word(std::uint32_t token);
