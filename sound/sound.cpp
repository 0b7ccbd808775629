#include "sound/sound.h"

// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
// clang-format on

#include <cstring>

std::int32_t sound_enabled = 1;

namespace {

// The sizes the buffer description and format record have where the module
// runs; the native stand-in takes the same description size.
constexpr DWORD buffer_description_size = 36;
constexpr DWORD buffer_flags = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY | DSBCAPS_GLOBALFOCUS;
constexpr DWORD pcm_format_size = 16;
constexpr DWORD format_record_size = 18;

static_assert(sizeof(WAVEFORMATEX) == format_record_size);

// The "fmt " chunk as far as it fits: the format record and its extra bytes.
struct FormatChunk {
    WAVEFORMATEX record;
    unsigned char extra[64];
};

std::uint32_t sound_off() {
    sound_enabled = 0;
    return 0;
}

template <typename Object>
void release(Object*& object) {
    if (object != nullptr) object->Release();
    object = nullptr;
}

// The wave's format and sample data, read from its resource through a memory
// file. The memory file is closed and the resource freed on every path; on
// success the caller owns the data block.
bool read_wave(HMODULE module, std::uint32_t wave_id, FormatChunk& format, HGLOBAL& block, DWORD& size) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(wave_id & 0xFFFFu), "WAVE");
    if (info == nullptr) return false;
    HGLOBAL resource = LoadResource(module, info);
    if (resource == nullptr) return false;
    void* bytes = LockResource(resource);
    const DWORD resource_size = SizeofResource(module, info);
    if (bytes == nullptr || resource_size == 0) {
        FreeResource(resource);
        return false;
    }

    MMIOINFO memory{};
    memory.fccIOProc = FOURCC_MEM;
    memory.pchBuffer = static_cast<char*>(bytes);
    memory.cchBuffer = static_cast<LONG>(resource_size);
    HMMIO file = mmioOpenA(nullptr, &memory, MMIO_READWRITE | MMIO_ALLOCBUF);
    if (file == nullptr) {
        FreeResource(resource);
        return false;
    }

    bool ok = false;
    block = nullptr;
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO fmt{};
    fmt.ckid = mmioFOURCC('f', 'm', 't', ' ');
    MMCKINFO data{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR &&
        mmioDescend(file, &fmt, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR && fmt.cksize >= pcm_format_size) {
        // Only what the chunk holds is read, and the extra-size field never
        // announces more than was read.
        const LONG wanted = static_cast<LONG>(fmt.cksize < sizeof format ? fmt.cksize : sizeof format);
        std::memset(&format, 0, sizeof format);
        if (mmioRead(file, reinterpret_cast<char*>(&format), wanted) == wanted &&
            mmioAscend(file, &fmt, 0) == MMSYSERR_NOERROR &&
            mmioDescend(file, &data, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR && data.cksize > 0 &&
            data.dwDataOffset <= resource_size && data.cksize <= resource_size - data.dwDataOffset) {
            // A data chunk that claims more than the resource holds is broken:
            // no block is asked for samples that are not there.
            const DWORD extra_read = static_cast<DWORD>(wanted) > format_record_size ? wanted - format_record_size : 0;
            if (format.record.cbSize > extra_read) format.record.cbSize = static_cast<WORD>(extra_read);
            block = GlobalAlloc(GMEM_MOVEABLE, data.cksize);
            void* samples = block != nullptr ? GlobalLock(block) : nullptr;
            if (samples != nullptr &&
                mmioRead(file, static_cast<char*>(samples), static_cast<LONG>(data.cksize)) ==
                    static_cast<LONG>(data.cksize)) {
                size = data.cksize;
                ok = true;
            }
            if (samples != nullptr) GlobalUnlock(block);
            if (!ok && block != nullptr) {
                GlobalFree(block);
                block = nullptr;
            }
        }
    }
    mmioClose(file, 0);
    FreeResource(resource);
    return ok;
}

// Copies the samples into a fresh secondary buffer and rewinds it.
bool fill_buffer(IDirectSound* device, IDirectSoundBuffer*& buffer, FormatChunk& format, HGLOBAL block,
                 DWORD size) {
    DSBUFFERDESC description{};
    description.dwSize = buffer_description_size;
    description.dwFlags = buffer_flags;
    description.dwBufferBytes = size;
    description.lpwfxFormat = &format.record;
    if (FAILED(device->CreateSoundBuffer(&description, &buffer, nullptr)) || buffer == nullptr) {
        buffer = nullptr;
        return false;
    }

    void* first = nullptr;
    void* second = nullptr;
    DWORD first_bytes = 0;
    DWORD second_bytes = 0;
    if (FAILED(buffer->Lock(0, size, &first, &first_bytes, &second, &second_bytes, 0)) || first == nullptr)
        return false;
    const void* samples = GlobalLock(block);
    if (samples != nullptr) {
        std::memcpy(first, samples, first_bytes < size ? first_bytes : size);
        GlobalUnlock(block);
    }
    if (FAILED(buffer->Unlock(first, first_bytes, second, second_bytes))) return false;
    return SUCCEEDED(buffer->SetCurrentPosition(0));
}

}  // namespace

// The host's kind from its executable's name, without directory and
// extension: 4 when the fourth character is '2', else 2 when the first is
// 'C', else 3 when the third is '2', else 1. A shorter name simply lacks the
// characters it does not have.
std::int32_t host_kind() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::size_t end_of_path = length < MAX_PATH ? length : MAX_PATH;
    path[end_of_path] = '\0';

    std::size_t start = 0;
    for (std::size_t i = 0; i < end_of_path; ++i)
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
    std::size_t end = end_of_path;
    for (std::size_t i = end_of_path; i > start; --i) {
        if (path[i - 1] == '.') {
            end = i - 1;
            break;
        }
    }
    const char* name = path + start;
    const std::size_t name_length = end - start;

    if (name_length > 3 && name[3] == '2') return 4;
    if (name_length > 0 && name[0] == 'C') return 2;
    if (name_length > 2 && name[2] == '2') return 3;
    return 1;
}

HostWindow find_host_window() {
    const std::int32_t kind = host_kind();
    return FindWindowA(kind == 2 || kind == 4 ? "MSCFSMAIN" : "FS98MAIN", nullptr);
}

std::int32_t sound_open_device(HostWindow window, IDirectSound*& device) {
    if (sound_enabled == 0) return 0;
    release(device);
    if (FAILED(DirectSoundCreate(nullptr, &device, nullptr)) || device == nullptr) {
        device = nullptr;
        return static_cast<std::int32_t>(sound_off());
    }
    if (FAILED(device->SetCooperativeLevel(window, DSSCL_NORMAL))) {
        release(device);
        return static_cast<std::int32_t>(sound_off());
    }
    return 1;
}

std::uint32_t sound_load_wave(HostWindow, IDirectSound*& device, IDirectSoundBuffer*& buffer, std::uint32_t wave_id,
                              ServiceExtra module) {
    if (sound_enabled == 0) return 0;
    release(buffer);
    if (device == nullptr) return sound_off();

    FormatChunk format;
    HGLOBAL block = nullptr;
    DWORD size = 0;
    if (!read_wave(reinterpret_cast<HMODULE>(module), wave_id, format, block, size)) return sound_off();

    const bool filled = fill_buffer(device, buffer, format, block, size);
    GlobalFree(block);
    if (!filled) {
        release(buffer);
        return sound_off();
    }
    return size;
}

std::int32_t sound_play(IDirectSoundBuffer*& buffer, std::uint32_t flags) {
    if (sound_enabled == 0 || buffer == nullptr) return 0;
    if (FAILED(buffer->Play(0, 0, flags))) {
        release(buffer);
        return static_cast<std::int32_t>(sound_off());
    }
    return 1;
}

// Releasing does not depend on sound_enabled: an object that exists is valid,
// and one left behind after sound went off would never be released.
void sound_release_buffer(IDirectSoundBuffer*& buffer) { release(buffer); }

void sound_release_device(IDirectSound*& device) { release(device); }

void sound_slot_service(SoundSlot& slot, std::int32_t service, ServiceExtra extra, std::uint32_t wave_id) {
    switch (service) {
        case service_install:
            // A second install without a kill (a panel window reopened) gives
            // back what the first one made before it fills the slot again.
            sound_release_buffer(slot.buffer);
            sound_release_device(slot.device);
            slot.module = extra;
            slot.window = find_host_window();
            sound_open_device(slot.window, slot.device);
            sound_load_wave(slot.window, slot.device, slot.buffer, wave_id, slot.module);
            break;
        case service_kill:
            sound_release_buffer(slot.buffer);
            sound_release_device(slot.device);
            break;
        default:
            break;
    }
}

void sound_click(SoundSlot& slot) { sound_play(slot.buffer, 0); }
