// The module's click sounds: WAVE resources loaded into DirectSound secondary
// buffers, one slot per sound-owning gauge kind.
//
// Any failure of any step turns all sound of the module off for good; the
// gauges go on working silently.
#pragma once

#include <cstdint>

#include "module/records.h"

struct HWND__;  // NOLINT(bugprone-reserved-identifier): the Windows headers' own name for a window
struct IDirectSound;
struct IDirectSoundBuffer;

using HostWindow = HWND__*;

inline constexpr std::uint32_t wave_switch_click = 10;  // PCM mono 16 bits
inline constexpr std::uint32_t wave_soft_click = 20;    // PCM mono 8 bits, used by no gauge
inline constexpr std::uint32_t wave_radio_click = 30;   // Microsoft ADPCM stereo, decoded to PCM at load

struct SoundSlot {
    IDirectSound* device;
    IDirectSoundBuffer* buffer;
    HostWindow window;
    ServiceExtra module;  // the module handle the host gave at install
};

// 1 until the first failure, then 0 for the rest of the module's life.
extern std::int32_t sound_enabled;

// 1 to 4 from the host executable's file name (see sound.cpp).
std::int32_t host_kind();
HostWindow find_host_window();

std::int32_t sound_open_device(HostWindow window, IDirectSound*& device);
// Returns the number of sample bytes loaded into the buffer (for an ADPCM
// wave, its decoded PCM), or 0.
std::uint32_t sound_load_wave(HostWindow window, IDirectSound*& device, IDirectSoundBuffer*& buffer,
                              std::uint32_t wave_id, ServiceExtra module);
std::int32_t sound_play(IDirectSoundBuffer*& buffer, std::uint32_t flags);
void sound_release_buffer(IDirectSoundBuffer*& buffer);
void sound_release_device(IDirectSound*& device);

// A sound-owning gauge's share of its gauge callback: at install the slot is
// filled with the gauge's wave, at kill it is emptied; other services leave
// it alone.
void sound_slot_service(SoundSlot& slot, std::int32_t service, ServiceExtra extra, std::uint32_t wave_id);
// One click of the gauge: its wave played once, from where it stands.
void sound_click(SoundSlot& slot);
