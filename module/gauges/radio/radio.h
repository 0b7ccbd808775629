// What the radios share: the panel's power and audio switches, the decoders
// of the simulator's frequency words, and the pieces every radio face is
// made of (main switch, audio switch, power lamp, digit drums, lit frequency
// window), each bound to its radio as data.
#pragma once

#include <cstdint>

#include "module/records.h"
#include "module/sound/sound.h"

struct RadioPanelState {
    std::int32_t adf_power = 1;
    std::int32_t com_power = 1;
    std::int32_t nav1_power = 1;
    std::int32_t nav2_power = 1;
    std::int32_t iff_power = 1;
    std::int32_t adf_tone = 0;
    std::int32_t nav1_ident = 0;
    std::int32_t nav2_ident = 0;
};

extern RadioPanelState radio_panel;

// Decoders of the BCD frequency words, read through lookup_var at the
// moment of the call (the ADF ones always read tokens 16 and 18).
double decode_com_whole(std::uint32_t token);
double decode_com_fraction(std::uint32_t token);
double decode_nav_whole(std::uint32_t token);
double decode_nav_fraction(std::uint32_t token);
double decode_adf_khz();
double decode_adf_tenths();
double decode_squawk(std::uint32_t token);

// The same rules on words already read.
double com_whole_of(std::uint32_t word);
double fraction_of(std::uint32_t word);
double nav_whole_of(std::uint32_t word);
double adf_khz_of(std::uint32_t frequency_word, std::uint32_t extended_word);
double adf_tenths_of(std::uint32_t extended_word);
double squawk_of(std::uint32_t word);

// The digits of n in base `from` written as digits of base `to`:
// (4100, 10, 16) gives 0x4100.
std::uint32_t digits_to_base(std::uint32_t n, std::uint32_t from, std::uint32_t to);

// A radio as its recurring pieces see it.
struct RadioBinding {
    std::int32_t* power;
    std::int32_t* audio;      // the audio (tone, ident) switch, or null
    std::uint32_t audio_off;  // events for the audio switch
    std::uint32_t audio_on;
    SoundSlot* sound;
    std::int32_t* display_timer;  // the lit window's remaining calls, or null
};

inline constexpr std::int32_t lit_window_calls = 60;

inline std::int32_t toggled(std::int32_t flag) { return flag == 0 ? 1 : 0; }

// The frequency window: the text written with its format (cut to the
// element's characters), then dark without power, lit while the counter
// runs, dark again when it has run out.
void write_lit_window(ElementHeader* element, const RadioBinding& radio, const char* format, double value);
// A digit drum lights with its radio; the top image bit is cleared on every call.
void light_drum(ElementHeader* element, const RadioBinding& radio);
