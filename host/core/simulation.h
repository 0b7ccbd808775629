// The simulator's side of the panel: its variables, its panel windows, the
// aircraft's identifier, its failed instruments, and what each key event the
// module sends does to them.
#pragma once

#include <cstdint>
#include <string>

#include "host/core/failures.h"
#include "host/core/panel_windows.h"
#include "host/core/variables.h"

namespace korvel::host {

struct SimulatorState {
    VariableStore variables;
    PanelWindows windows;
    FailedKeys failures;
    std::string atc_id = "F-KRVL";
    bool nav1_audio = false;  // the receivers' ident audio, as the audio events leave it
    bool nav2_audio = false;
    int starter_held_cycles = 0;        // updates until the starter springs back
    std::uint32_t engine_on_lever = 0;  // as the engine-on gauge last set it
};

// What the simulator does on its own between two update cycles.
void advance_cycle(SimulatorState& state);

// The radio words as the simulator codes them.
std::uint32_t to_bcd(std::uint32_t decimal);  // 1234 gives 0x1234
std::uint32_t from_bcd(std::uint32_t word);   // 0x1234 gives 1234
// COM and NAV: MHz and kHz (118.025 MHz is 118, 25) to the word of four BCD
// digits without the leading 1, keeping hundredths of MHz.
std::uint32_t vhf_word(std::uint32_t mhz, std::uint32_t khz);
// The ADF pair of words for a frequency in tenths of kHz.
void set_adf_tenths(VariableStore& variables, std::uint32_t tenths);
std::uint32_t adf_tenths(const VariableStore& variables);

// Carries out a key event with its value as the simulator would. Returns
// false for an event the simulation does not model; nothing changes then.
bool apply_event(SimulatorState& state, std::uint32_t event, std::uint32_t value);
bool models_event(std::uint32_t event);

}  // namespace korvel::host
