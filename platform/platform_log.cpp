#include "platform/platform_log.h"

namespace platform {

const char* step_name(SoundStep step) {
    switch (step) {
        case SoundStep::create_device:
            return "DirectSoundCreate";
        case SoundStep::cooperative_level:
            return "SetCooperativeLevel";
        case SoundStep::create_buffer:
            return "CreateSoundBuffer";
        case SoundStep::lock:
            return "Lock";
        case SoundStep::unlock:
            return "Unlock";
        case SoundStep::set_position:
            return "SetCurrentPosition";
        case SoundStep::play:
            return "Play";
    }
    return "?";
}

int PlatformLog::live_devices() const {
    int n = 0;
    for (const SoundDeviceRecord& d : devices) n += d.released ? 0 : 1;
    return n;
}

int PlatformLog::live_buffers() const {
    int n = 0;
    for (const SoundBufferRecord& b : buffers) n += b.released ? 0 : 1;
    return n;
}

bool PlatformFaults::refuses(SoundStep step) {
    if (!failing_step || *failing_step != step) return false;
    return calls_at_failing_step++ >= succeed_first;
}

PlatformLog& platform_log() {
    static PlatformLog log;
    return log;
}

PlatformFaults& platform_faults() {
    static PlatformFaults faults;
    return faults;
}

HostProcess& host_process() {
    static HostProcess process;
    return process;
}

void reset_platform() {
    platform_log() = PlatformLog{};
    platform_faults() = PlatformFaults{};
    host_process() = HostProcess{};
}

}  // namespace platform
