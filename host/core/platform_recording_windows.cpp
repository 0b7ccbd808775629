// The recorders stand in the module's import table between it and the real
// DirectSound, winmm and kernel. They write what the native stand-ins write,
// at the same moments, and refuse a step before the real platform sees it,
// so a test can't tell the builds apart by their records. Everything that
// can throw while recording is caught here: the module's calls must see only
// return codes.
#include "host/core/platform_recording_windows.h"

#include <dsound.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform_log.h"

namespace korvel::host {

namespace {

using platform::SoundStep;

platform::PlatformLog& records() { return platform::platform_log(); }

bool refused_by_test(SoundStep step) { return platform::platform_faults().refuses(step); }

// A record lost to a full heap is a lesser harm than an exception thrown
// through the module's stack.
template <typename Write>
void note(Write&& write) noexcept {
    try {
        write();
    } catch (...) {
    }
}

void say(const char* call) noexcept {
    if (records().keep_call_lists) note([&] { records().calls.emplace_back(call); });
}

void say_refused(SoundStep step) noexcept {
    if (records().keep_call_lists)
        note([&] { records().calls.push_back(std::string(platform::step_name(step)) + " refused"); });
}

// ---------------------------------------------------------------------------
// Sound objects. A proxy lives exactly as long as the real object under it:
// it keeps no count of its own and goes when the real count reaches zero.

IDirectSound* real_device_of(IDirectSound* device);
IDirectSoundBuffer* real_buffer_of(IDirectSoundBuffer* buffer);

class RecordedBuffer final : public IDirectSoundBuffer {
public:
    RecordedBuffer(int index, IDirectSoundBuffer* real) : index_(index), real_(real) {}

    // The proxies alive now, so an argument that is one of ours can be
    // handed to the real DirectSound as the object it wraps.
    static std::vector<RecordedBuffer*>& live() {
        static std::vector<RecordedBuffer*> proxies;
        return proxies;
    }

    IDirectSoundBuffer* real() const { return real_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return real_->QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return real_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override {
        say("Release buffer");
        const ULONG left = real_->Release();
        if (left == 0) {
            if (platform::SoundBufferRecord* r = record()) r->released = true;
            std::erase(live(), this);
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetCaps(LPDSBCAPS caps) override { return real_->GetCaps(caps); }
    HRESULT STDMETHODCALLTYPE GetCurrentPosition(LPDWORD play, LPDWORD write) override {
        return real_->GetCurrentPosition(play, write);
    }
    HRESULT STDMETHODCALLTYPE GetFormat(LPWAVEFORMATEX format, DWORD allocated, LPDWORD written) override {
        return real_->GetFormat(format, allocated, written);
    }
    HRESULT STDMETHODCALLTYPE GetVolume(LPLONG volume) override { return real_->GetVolume(volume); }
    HRESULT STDMETHODCALLTYPE GetPan(LPLONG pan) override { return real_->GetPan(pan); }
    HRESULT STDMETHODCALLTYPE GetFrequency(LPDWORD frequency) override { return real_->GetFrequency(frequency); }
    HRESULT STDMETHODCALLTYPE GetStatus(LPDWORD status) override { return real_->GetStatus(status); }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTSOUND device, LPCDSBUFFERDESC description) override {
        return real_->Initialize(real_device_of(device), description);
    }

    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD first_bytes, LPVOID* second,
                                   LPDWORD second_bytes, DWORD flags) override {
        if (refused_by_test(SoundStep::lock)) {
            say_refused(SoundStep::lock);
            return DSERR_GENERIC;
        }
        const HRESULT result = real_->Lock(offset, bytes, first, first_bytes, second, second_bytes, flags);
        if (FAILED(result)) {
            say_refused(SoundStep::lock);
            return result;
        }
        // The pointers are only good until the unlock, so the content is
        // taken from them then, not from the unlock's own arguments.
        locked_[0] = {first != nullptr ? *first : nullptr, first_bytes != nullptr ? *first_bytes : 0};
        locked_[1] = {second != nullptr ? *second : nullptr, second_bytes != nullptr ? *second_bytes : 0};
        if (platform::SoundBufferRecord* r = record()) ++r->locks;
        say("Lock");
        return result;
    }

    HRESULT STDMETHODCALLTYPE Play(DWORD reserved1, DWORD reserved2, DWORD flags) override {
        if (refused_by_test(SoundStep::play)) {
            say_refused(SoundStep::play);
            return DSERR_GENERIC;
        }
        const HRESULT result = real_->Play(reserved1, reserved2, flags);
        if (FAILED(result)) {
            say_refused(SoundStep::play);
            return result;
        }
        if (platform::SoundBufferRecord* r = record()) ++r->plays;
        if (records().keep_call_lists) note([&] { records().plays.push_back({records().context, index_, flags}); });
        say("Play");
        return result;
    }

    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override {
        if (refused_by_test(SoundStep::set_position)) {
            say_refused(SoundStep::set_position);
            return DSERR_GENERIC;
        }
        const HRESULT result = real_->SetCurrentPosition(position);
        if (FAILED(result)) {
            say_refused(SoundStep::set_position);
            return result;
        }
        if (platform::SoundBufferRecord* r = record()) ++r->position_sets;
        say("SetCurrentPosition");
        return result;
    }

    HRESULT STDMETHODCALLTYPE SetFormat(LPCWAVEFORMATEX format) override { return real_->SetFormat(format); }
    HRESULT STDMETHODCALLTYPE SetVolume(LONG volume) override { return real_->SetVolume(volume); }
    HRESULT STDMETHODCALLTYPE SetPan(LONG pan) override { return real_->SetPan(pan); }
    HRESULT STDMETHODCALLTYPE SetFrequency(DWORD frequency) override { return real_->SetFrequency(frequency); }
    HRESULT STDMETHODCALLTYPE Stop() override { return real_->Stop(); }

    HRESULT STDMETHODCALLTYPE Unlock(LPVOID first, DWORD first_bytes, LPVOID second, DWORD second_bytes) override {
        if (refused_by_test(SoundStep::unlock)) {
            say_refused(SoundStep::unlock);
            return DSERR_GENERIC;
        }
        // Read while the memory is still locked; kept only if the unlock
        // goes through, like the content of a stand-in buffer.
        std::vector<unsigned char> content;
        bool taken = false;
        if (locked_[0].bytes != nullptr) {
            note([&] {
                for (const Region& region : locked_)
                    if (region.bytes != nullptr && region.size > 0)
                        content.insert(content.end(), region.bytes, region.bytes + region.size);
                taken = true;
            });
        }
        const HRESULT result = real_->Unlock(first, first_bytes, second, second_bytes);
        if (FAILED(result)) {
            say_refused(SoundStep::unlock);
            return result;
        }
        locked_[0] = {};
        locked_[1] = {};
        if (platform::SoundBufferRecord* r = record()) {
            ++r->unlocks;
            if (taken) r->data = std::move(content);
        }
        say("Unlock");
        return result;
    }

    HRESULT STDMETHODCALLTYPE Restore() override { return real_->Restore(); }

private:
    struct Region {
        const unsigned char* bytes = nullptr;
        DWORD size = 0;
        Region() = default;
        Region(void* at, DWORD n) : bytes(static_cast<const unsigned char*>(at)), size(n) {}
    };

    // A test may reset the platform while a buffer from an earlier host is
    // still alive; its record has gone with the log, and nothing is written.
    platform::SoundBufferRecord* record() const {
        auto& buffers = records().buffers;
        if (index_ < 0 || static_cast<std::size_t>(index_) >= buffers.size()) return nullptr;
        return &buffers[static_cast<std::size_t>(index_)];
    }

    int index_;
    IDirectSoundBuffer* real_;
    Region locked_[2];
};

class RecordedDevice final : public IDirectSound {
public:
    RecordedDevice(int index, IDirectSound* real) : index_(index), real_(real) {}

    static std::vector<RecordedDevice*>& live() {
        static std::vector<RecordedDevice*> proxies;
        return proxies;
    }

    IDirectSound* real() const { return real_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        return real_->QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return real_->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override {
        say("Release device");
        const ULONG left = real_->Release();
        if (left == 0) {
            if (platform::SoundDeviceRecord* r = record()) r->released = true;
            std::erase(live(), this);
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC description, LPLPDIRECTSOUNDBUFFER buffer,
                                                IUnknown* outer) override {
        if (refused_by_test(SoundStep::create_buffer)) {
            if (buffer != nullptr) *buffer = nullptr;
            say_refused(SoundStep::create_buffer);
            return DSERR_GENERIC;
        }
        if (description != nullptr && description->lpwfxFormat != nullptr) {
            const WAVEFORMATEX& f = *description->lpwfxFormat;
            const auto* extra = reinterpret_cast<const unsigned char*>(&f) + sizeof f;
            try {
                records().formats_offered.push_back({{f.wFormatTag, f.nChannels, f.nSamplesPerSec, f.nAvgBytesPerSec,
                                                      f.nBlockAlign, f.wBitsPerSample, f.cbSize},
                                                     std::vector<unsigned char>(extra, extra + f.cbSize)});
            } catch (...) {
            }
        }
        const HRESULT result = real_->CreateSoundBuffer(description, buffer, outer);
        if (FAILED(result) || buffer == nullptr || *buffer == nullptr) {
            say_refused(SoundStep::create_buffer);
            return FAILED(result) ? result : DSERR_GENERIC;
        }
        IDirectSoundBuffer* made = *buffer;
        try {
            platform::SoundBufferRecord r;
            r.owner = records().context;
            r.device = index_;
            if (description != nullptr) {
                r.description_size = description->dwSize;
                r.flags = description->dwFlags;
                r.bytes = description->dwBufferBytes;
                if (const WAVEFORMATEX* f = description->lpwfxFormat; f != nullptr)
                    // clang-format off
                    r.format = {f->wFormatTag,    f->nChannels,       f->nSamplesPerSec, f->nAvgBytesPerSec,
                                f->nBlockAlign, f->wBitsPerSample, f->cbSize};
                // clang-format on
            }
            auto& buffers = records().buffers;
            buffers.push_back(std::move(r));
            try {
                auto proxy = std::make_unique<RecordedBuffer>(static_cast<int>(buffers.size() - 1), made);
                RecordedBuffer::live().push_back(proxy.get());
                *buffer = proxy.release();
            } catch (...) {
                buffers.pop_back();
                throw;
            }
        } catch (...) {
            made->Release();
            *buffer = nullptr;
            say_refused(SoundStep::create_buffer);
            return DSERR_OUTOFMEMORY;
        }
        say("CreateSoundBuffer");
        return result;
    }

    HRESULT STDMETHODCALLTYPE GetCaps(LPDSCAPS caps) override { return real_->GetCaps(caps); }
    HRESULT STDMETHODCALLTYPE DuplicateSoundBuffer(LPDIRECTSOUNDBUFFER original,
                                                   LPLPDIRECTSOUNDBUFFER duplicate) override {
        return real_->DuplicateSoundBuffer(real_buffer_of(original), duplicate);
    }

    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override {
        if (refused_by_test(SoundStep::cooperative_level)) {
            say_refused(SoundStep::cooperative_level);
            return DSERR_GENERIC;
        }
        // Windows' DirectSound refuses a cooperative level without a window,
        // Wine's takes one; the tests are held to what a Windows user sees.
        if (window == nullptr) {
            say_refused(SoundStep::cooperative_level);
            return DSERR_INVALIDPARAM;
        }
        const HRESULT result = real_->SetCooperativeLevel(window, level);
        if (FAILED(result)) {
            say_refused(SoundStep::cooperative_level);
            return result;
        }
        if (platform::SoundDeviceRecord* r = record()) {
            r->window = window;
            r->cooperative_level = level;
        }
        say("SetCooperativeLevel");
        return result;
    }

    HRESULT STDMETHODCALLTYPE Compact() override { return real_->Compact(); }
    HRESULT STDMETHODCALLTYPE GetSpeakerConfig(LPDWORD config) override { return real_->GetSpeakerConfig(config); }
    HRESULT STDMETHODCALLTYPE SetSpeakerConfig(DWORD config) override { return real_->SetSpeakerConfig(config); }
    HRESULT STDMETHODCALLTYPE Initialize(LPCGUID device) override { return real_->Initialize(device); }

private:
    platform::SoundDeviceRecord* record() const {
        auto& devices = records().devices;
        if (index_ < 0 || static_cast<std::size_t>(index_) >= devices.size()) return nullptr;
        return &devices[static_cast<std::size_t>(index_)];
    }

    int index_;
    IDirectSound* real_;
};

IDirectSound* real_device_of(IDirectSound* device) {
    for (RecordedDevice* proxy : RecordedDevice::live())
        if (proxy == device) return proxy->real();
    return device;
}

IDirectSoundBuffer* real_buffer_of(IDirectSoundBuffer* buffer) {
    for (RecordedBuffer* proxy : RecordedBuffer::live())
        if (proxy == buffer) return proxy->real();
    return buffer;
}

// ---------------------------------------------------------------------------
// The imports that are bent, and where the real functions are.

enum Import {
    direct_sound_create,
    mmio_open,
    mmio_close,
    global_alloc,
    global_free,
    find_resource,
    free_resource,
    module_file_name,
    heap_malloc,
    heap_calloc,
    heap_realloc,
    import_count
};

struct Imported {
    const char* library;
    const char* name;
    void* recorder;
    void* real;  // found at install; the same for every load of the module
};

Imported imported[import_count];

template <typename Function>
Function real(Import which, Function) {
    return reinterpret_cast<Function>(imported[which].real);
}

HRESULT WINAPI recorded_DirectSoundCreate(LPCGUID guid, LPDIRECTSOUND* sound, LPUNKNOWN outer) {
    if (refused_by_test(SoundStep::create_device)) {
        if (sound != nullptr) *sound = nullptr;
        say_refused(SoundStep::create_device);
        return DSERR_NODRIVER;
    }
    const HRESULT result = real(direct_sound_create, &recorded_DirectSoundCreate)(guid, sound, outer);
    if (FAILED(result) || sound == nullptr || *sound == nullptr) {
        say_refused(SoundStep::create_device);
        return FAILED(result) ? result : DSERR_GENERIC;
    }
    IDirectSound* made = *sound;
    try {
        auto& devices = records().devices;
        devices.push_back({records().context, nullptr, 0, false});
        try {
            auto proxy = std::make_unique<RecordedDevice>(static_cast<int>(devices.size() - 1), made);
            RecordedDevice::live().push_back(proxy.get());
            *sound = proxy.release();
        } catch (...) {
            devices.pop_back();
            throw;
        }
    } catch (...) {
        made->Release();
        *sound = nullptr;
        say_refused(SoundStep::create_device);
        return DSERR_OUTOFMEMORY;
    }
    say("DirectSoundCreate");
    return result;
}

HMMIO WINAPI recorded_mmioOpenA(LPSTR file_name, LPMMIOINFO info, DWORD flags) {
    HMMIO file = real(mmio_open, &recorded_mmioOpenA)(file_name, info, flags);
    if (file != nullptr) ++records().memory_files_opened;
    return file;
}

MMRESULT WINAPI recorded_mmioClose(HMMIO file, UINT flags) {
    const MMRESULT result = real(mmio_close, &recorded_mmioClose)(file, flags);
    if (result == MMSYSERR_NOERROR) ++records().memory_files_closed;
    return result;
}

HGLOBAL WINAPI recorded_GlobalAlloc(UINT flags, SIZE_T bytes) {
    HGLOBAL block = real(global_alloc, &recorded_GlobalAlloc)(flags, bytes);
    if (block != nullptr) ++records().blocks_allocated;
    return block;
}

HGLOBAL WINAPI recorded_GlobalFree(HGLOBAL block) {
    if (block != nullptr) ++records().blocks_freed;
    return real(global_free, &recorded_GlobalFree)(block);
}

HRSRC WINAPI recorded_FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = real(find_resource, &recorded_FindResourceA)(module, name, type);
    if (found != nullptr) ++records().resources_found;
    return found;
}

BOOL WINAPI recorded_FreeResource(HGLOBAL loaded) {
    if (loaded != nullptr) ++records().resources_freed;
    return real(free_resource, &recorded_FreeResource)(loaded);
}

// The module asks for the executable to find the simulator's folder; it gets
// the simulator's path the test chose, cut to the buffer as the stand-in cuts
// it. Its own file name it gets from the real loader.
DWORD WINAPI recorded_GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size) {
    if (module != nullptr) return real(module_file_name, &recorded_GetModuleFileNameA)(module, path, size);
    if (path == nullptr || size == 0) return 0;
    const std::string& exe = platform::host_process().executable_path;
    const DWORD n = static_cast<DWORD>(exe.size() < size ? exe.size() : size - 1);
    std::memcpy(path, exe.data(), n);
    path[n] = '\0';
    return n;
}

// The module's own heap use, counted so the benchmark can show that an update,
// a click and a tooltip allocate nothing in the Windows build either.
void* __cdecl recorded_malloc(std::size_t bytes) {
    ++records().heap_allocations;
    return real(heap_malloc, &recorded_malloc)(bytes);
}
void* __cdecl recorded_calloc(std::size_t count, std::size_t bytes) {
    ++records().heap_allocations;
    return real(heap_calloc, &recorded_calloc)(count, bytes);
}
void* __cdecl recorded_realloc(void* block, std::size_t bytes) {
    ++records().heap_allocations;
    return real(heap_realloc, &recorded_realloc)(block, bytes);
}

void describe_imports() {
    // clang-format off
    imported[direct_sound_create] = {"DSOUND.dll", "DirectSoundCreate",
                                     reinterpret_cast<void*>(&recorded_DirectSoundCreate), nullptr};
    // clang-format on
    imported[mmio_open] = {"WINMM.dll", "mmioOpenA", reinterpret_cast<void*>(&recorded_mmioOpenA), nullptr};
    imported[mmio_close] = {"WINMM.dll", "mmioClose", reinterpret_cast<void*>(&recorded_mmioClose), nullptr};
    imported[global_alloc] = {"KERNEL32.dll", "GlobalAlloc", reinterpret_cast<void*>(&recorded_GlobalAlloc), nullptr};
    imported[global_free] = {"KERNEL32.dll", "GlobalFree", reinterpret_cast<void*>(&recorded_GlobalFree), nullptr};
    // clang-format off
    imported[find_resource] = {"KERNEL32.dll", "FindResourceA", reinterpret_cast<void*>(&recorded_FindResourceA),
                               nullptr};
    // clang-format on
    // clang-format off
    imported[free_resource] = {"KERNEL32.dll", "FreeResource", reinterpret_cast<void*>(&recorded_FreeResource),
                               nullptr};
    // clang-format on
    // clang-format off
    imported[module_file_name] = {"KERNEL32.dll", "GetModuleFileNameA",
                                  reinterpret_cast<void*>(&recorded_GetModuleFileNameA), nullptr};
    // clang-format on
    imported[heap_malloc] = {"msvcrt.dll", "malloc", reinterpret_cast<void*>(&recorded_malloc), nullptr};
    imported[heap_calloc] = {"msvcrt.dll", "calloc", reinterpret_cast<void*>(&recorded_calloc), nullptr};
    imported[heap_realloc] = {"msvcrt.dll", "realloc", reinterpret_cast<void*>(&recorded_realloc), nullptr};
}

// The real function as the loader bound it: GetProcAddress follows the same
// forwarders (kernel32 to kernelbase) the loader followed, so the address
// matches the slot whether the module imports by name or by ordinal.
void* real_address(const char* library, const char* name) {
    HMODULE loaded = GetModuleHandleA(library);
    if (loaded == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(loaded, name));
}

bool points_at(const char* library, const char* wanted) { return lstrcmpiA(library, wanted) == 0; }

void redirect(void* slot, void* to) {
    MEMORY_BASIC_INFORMATION page{};
    if (VirtualQuery(slot, &page, sizeof page) == 0) return;
    const DWORD executable = PAGE_EXECUTE | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    const DWORD writable = (page.Protect & executable) != 0 ? PAGE_EXECUTE_READWRITE : PAGE_READWRITE;
    DWORD before = 0;
    if (!VirtualProtect(slot, sizeof(void*), writable, &before)) return;
    std::memcpy(slot, &to, sizeof to);
    DWORD ignored = 0;
    VirtualProtect(slot, sizeof(void*), before, &ignored);
}

}  // namespace

void install_platform_recording(HMODULE module) {
    if (module == nullptr) return;
    auto* base = reinterpret_cast<unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC) return;
    if (nt->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT) return;
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0 || directory.Size == 0) return;

    describe_imports();
    for (Imported& i : imported) i.real = real_address(i.library, i.name);

    // A slot already holding a recorder matches no real address, so a second
    // install over the same load passes it by.
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         d->Name != 0 && d->FirstThunk != 0; ++d) {
        const char* library = reinterpret_cast<const char*>(base + d->Name);
        if (!points_at(library, "DSOUND.dll") && !points_at(library, "WINMM.dll") &&
            !points_at(library, "KERNEL32.dll") && !points_at(library, "msvcrt.dll"))
            continue;
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); slot->u1.Function != 0; ++slot) {
            for (const Imported& i : imported) {
                if (i.real == nullptr || !points_at(library, i.library)) continue;
                if (slot->u1.Function != reinterpret_cast<decltype(slot->u1.Function)>(i.real)) continue;
                redirect(&slot->u1.Function, i.recorder);
                break;
            }
        }
    }
}

}  // namespace korvel::host
