// The wave loader over any bytes at all, found as a WAVE resource of the
// module through the native stand-ins. Whatever the bytes, it returns a
// length no larger than what they can decode to, hands DirectSound nothing
// read past a chunk and no compressed format, and gives back every memory
// file, data block and resource.
#include <dsound.h>

#include <cstdint>
#include <span>

#include "fuzz/fuzz_host.h"
#include "platform/platform_log.h"
#include "platform/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint32_t id = 900;
    platform::reset_platform();
    platform::clear_extra_resources();
    platform::host_process().windows.emplace_back("FS98MAIN", reinterpret_cast<void*>(0x1234));
    platform::add_extra_resource("WAVE", id, std::span(data, size));
    sound_enabled = 1;

    HostWindow window = find_host_window();
    IDirectSound* device = nullptr;
    IDirectSoundBuffer* buffer = nullptr;
    if (sound_open_device(window, device) == 1) {
        const std::uint32_t loaded =
            sound_load_wave(window, device, buffer, id, reinterpret_cast<ServiceExtra>(platform::module_handle()));
        // ADPCM gives at most two 16-bit samples per byte, header or nibbles;
        // PCM passes as it stands.
        FUZZ_CHECK(loaded <= 4 * static_cast<std::uint64_t>(size));
        FUZZ_CHECK((loaded == 0) == (buffer == nullptr));
        if (loaded != 0) {
            FUZZ_CHECK(platform::platform_log().buffers.back().data.size() == loaded);
            sound_play(buffer, 0);
        }
    }
    sound_release_buffer(buffer);
    sound_release_device(device);

    const auto& log = platform::platform_log();
    for (const platform::FormatOffered& offered : log.formats_offered)
        FUZZ_CHECK(offered.format.format_tag != 2);  // ADPCM is decoded, never handed over
    FUZZ_CHECK(log.reads_past_chunk == 0);
    FUZZ_CHECK(log.memory_files_opened == log.memory_files_closed);
    FUZZ_CHECK(log.blocks_allocated == log.blocks_freed);
    FUZZ_CHECK(log.resources_found == log.resources_freed);
    FUZZ_CHECK(log.live_buffers() == 0 && log.live_devices() == 0);
    platform::clear_extra_resources();
    return 0;
}
