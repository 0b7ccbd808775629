// What the platform saw the module ask for, and how a test makes it refuse.
// The native stand-ins write these records; in the Windows build a recording
// layer between the module and the real DirectSound, winmm and kernel writes
// the same records, so one test reads both builds alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

enum class SoundStep { create_device, cooperative_level, create_buffer, lock, unlock, set_position, play };

const char* step_name(SoundStep step);

struct WaveFormatSeen {
    std::uint16_t format_tag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samples_per_second = 0;
    std::uint32_t average_bytes_per_second = 0;
    std::uint16_t block_align = 0;
    std::uint16_t bits_per_sample = 0;
    std::uint16_t extra_size = 0;
};

struct SoundDeviceRecord {
    const char* owner = nullptr;  // the gauge the host was calling when the device was made
    void* window = nullptr;       // the window of the cooperative level, once set
    std::uint32_t cooperative_level = 0;
    bool released = false;
};

struct SoundBufferRecord {
    const char* owner = nullptr;
    int device = -1;  // index into devices
    std::uint32_t description_size = 0;
    std::uint32_t flags = 0;
    std::uint32_t bytes = 0;
    WaveFormatSeen format;
    std::vector<unsigned char> data;  // the buffer's content at the last unlock
    int locks = 0;
    int unlocks = 0;
    int position_sets = 0;
    int plays = 0;
    bool released = false;
};

struct FormatOffered {
    WaveFormatSeen format;
    std::vector<unsigned char> extra;  // the extra format bytes the record announced
};

struct SoundPlay {
    const char* owner = nullptr;
    int buffer = -1;
    std::uint32_t flags = 0;
};

struct PlatformLog {
    std::vector<SoundDeviceRecord> devices;      // devices that were made, refused ones excluded
    std::vector<SoundBufferRecord> buffers;      // buffers that were made
    std::vector<SoundPlay> plays;                // plays that succeeded
    std::vector<FormatOffered> formats_offered;  // every format handed to CreateSoundBuffer
    std::vector<std::string> calls;              // every sound call in order, "CreateSoundBuffer refused" etc.
    int memory_files_opened = 0;
    int memory_files_closed = 0;
    int blocks_allocated = 0;
    int blocks_freed = 0;
    int resources_found = 0;
    int resources_freed = 0;
    int reads_past_chunk = 0;       // memory-file reads that ran over the chunk descended into (native only)
    const char* context = nullptr;  // set by the host around each call into a gauge
    // Off, the calls and plays lists stay as they are (the counters above go
    // on): a benchmark then measures the module and the host, not the notes.
    bool keep_call_lists = true;
    // The module's malloc, calloc and realloc calls (the Windows build's
    // recorders count them; natively the benchmark counts every allocation).
    long heap_allocations = 0;

    int live_devices() const;
    int live_buffers() const;
};

struct PlatformFaults {
    std::optional<SoundStep> failing_step;  // every call at this step is refused...
    int succeed_first = 0;                  // ...after this many have succeeded
    int calls_at_failing_step = 0;

    // Decides one call at a step, counting it.
    bool refuses(SoundStep step);
};

// What the host process looks like to the module: its executable and the
// top-level windows that exist, by class name.
struct HostProcess {
    std::string executable_path = "C:\\Program Files\\Microsoft Games\\Flight Simulator 9\\fs9.exe";
    std::vector<std::pair<std::string, void*>> windows;
};

PlatformLog& platform_log();
PlatformFaults& platform_faults();
HostProcess& host_process();

// Back to a platform that refuses nothing and has seen nothing.
void reset_platform();

}  // namespace platform
