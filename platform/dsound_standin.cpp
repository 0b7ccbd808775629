// DirectSound of the native build: devices and secondary buffers with the
// real method order, recording what was asked of them, refusing what
// DirectSound refuses (secondary buffers take PCM only) and whatever step a
// test chose to make fail.
#include <dsound.h>

#include <cstring>
#include <vector>

#include "platform/platform_log.h"

namespace {

using platform::SoundStep;

platform::PlatformLog& log() { return platform::platform_log(); }

void note(const char* call) {
    if (log().keep_call_lists) log().calls.emplace_back(call);
}

HRESULT refused(SoundStep step, HRESULT result) {
    if (log().keep_call_lists) log().calls.push_back(std::string(platform::step_name(step)) + " refused");
    return result;
}

void accepted(SoundStep step) { note(platform::step_name(step)); }

bool format_accepted(const WAVEFORMATEX& f) {
    if (f.wFormatTag != WAVE_FORMAT_PCM) return false;
    if (f.nChannels < 1 || f.nChannels > 2) return false;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return false;
    if (f.nSamplesPerSec < 100 || f.nSamplesPerSec > 200000) return false;
    if (f.nBlockAlign != f.nChannels * f.wBitsPerSample / 8) return false;
    return f.nAvgBytesPerSec == f.nSamplesPerSec * f.nBlockAlign;
}

class Buffer final : public IDirectSoundBuffer {
public:
    Buffer(int index, DWORD bytes) : index_(index), storage_(bytes) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        if (object != nullptr) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        note("Release buffer");
        if (--references_ > 0) return references_;
        record().released = true;
        delete this;
        return 0;
    }

    HRESULT STDMETHODCALLTYPE Lock(DWORD offset, DWORD bytes, LPVOID* first, LPDWORD first_bytes, LPVOID* second,
                                   LPDWORD second_bytes, DWORD) override {
        if (platform::platform_faults().refuses(SoundStep::lock)) return refused(SoundStep::lock, DSERR_GENERIC);
        const DWORD size = static_cast<DWORD>(storage_.size());
        if (first == nullptr || first_bytes == nullptr || offset >= size || bytes == 0 || bytes > size)
            return refused(SoundStep::lock, DSERR_INVALIDPARAM);
        const DWORD head = size - offset < bytes ? size - offset : bytes;
        *first = storage_.data() + offset;
        *first_bytes = head;
        if (second != nullptr) *second = head < bytes ? storage_.data() : nullptr;
        if (second_bytes != nullptr) *second_bytes = bytes - head;
        ++record().locks;
        accepted(SoundStep::lock);
        return DS_OK;
    }

    HRESULT STDMETHODCALLTYPE Unlock(LPVOID first, DWORD, LPVOID, DWORD) override {
        if (platform::platform_faults().refuses(SoundStep::unlock)) return refused(SoundStep::unlock, DSERR_GENERIC);
        if (first == nullptr) return refused(SoundStep::unlock, DSERR_INVALIDPARAM);
        ++record().unlocks;
        record().data = storage_;
        accepted(SoundStep::unlock);
        return DS_OK;
    }

    HRESULT STDMETHODCALLTYPE SetCurrentPosition(DWORD position) override {
        if (platform::platform_faults().refuses(SoundStep::set_position))
            return refused(SoundStep::set_position, DSERR_GENERIC);
        if (position >= storage_.size()) return refused(SoundStep::set_position, DSERR_INVALIDPARAM);
        ++record().position_sets;
        accepted(SoundStep::set_position);
        return DS_OK;
    }

    HRESULT STDMETHODCALLTYPE Play(DWORD, DWORD, DWORD flags) override {
        if (platform::platform_faults().refuses(SoundStep::play)) return refused(SoundStep::play, DSERR_GENERIC);
        ++record().plays;
        if (log().keep_call_lists) log().plays.push_back({log().context, index_, flags});
        accepted(SoundStep::play);
        return DS_OK;
    }

private:
    platform::SoundBufferRecord& record() { return log().buffers[index_]; }

    int index_;
    std::vector<unsigned char> storage_;
    ULONG references_ = 1;
};

class Device final : public IDirectSound {
public:
    explicit Device(int index) : index_(index) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        if (object != nullptr) *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        note("Release device");
        if (--references_ > 0) return references_;
        log().devices[index_].released = true;
        delete this;
        return 0;
    }

    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD level) override {
        if (platform::platform_faults().refuses(SoundStep::cooperative_level))
            return refused(SoundStep::cooperative_level, DSERR_GENERIC);
        if (window == nullptr || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY)
            return refused(SoundStep::cooperative_level, DSERR_INVALIDPARAM);
        log().devices[index_].window = window;
        log().devices[index_].cooperative_level = level;
        accepted(SoundStep::cooperative_level);
        return DS_OK;
    }

    HRESULT STDMETHODCALLTYPE CreateSoundBuffer(LPCDSBUFFERDESC d, LPDIRECTSOUNDBUFFER* buffer,
                                                LPUNKNOWN outer) override {
        if (buffer != nullptr) *buffer = nullptr;
        if (platform::platform_faults().refuses(SoundStep::create_buffer))
            return refused(SoundStep::create_buffer, DSERR_GENERIC);
        if (d == nullptr || buffer == nullptr || outer != nullptr || (d->dwSize != 20 && d->dwSize != 36) ||
            (d->dwFlags & DSBCAPS_PRIMARYBUFFER) || d->lpwfxFormat == nullptr || d->dwBufferBytes < DSBSIZE_MIN ||
            d->dwBufferBytes > DSBSIZE_MAX)
            return refused(SoundStep::create_buffer, DSERR_INVALIDPARAM);
        const WAVEFORMATEX& f = *d->lpwfxFormat;
        const auto* extra = reinterpret_cast<const unsigned char*>(&f) + sizeof f;
        log().formats_offered.push_back({{f.wFormatTag, f.nChannels, f.nSamplesPerSec, f.nAvgBytesPerSec, f.nBlockAlign,
                                          f.wBitsPerSample, f.cbSize},
                                         std::vector<unsigned char>(extra, extra + f.cbSize)});
        if (!format_accepted(f)) return refused(SoundStep::create_buffer, DSERR_BADFORMAT);

        platform::SoundBufferRecord r;
        r.owner = log().context;
        r.device = index_;
        r.description_size = d->dwSize;
        r.flags = d->dwFlags;
        r.bytes = d->dwBufferBytes;
        // clang-format off
        r.format = {f.wFormatTag, f.nChannels, f.nSamplesPerSec, f.nAvgBytesPerSec,
                    f.nBlockAlign, f.wBitsPerSample, f.cbSize};
        // clang-format on
        log().buffers.push_back(r);
        *buffer = new Buffer(static_cast<int>(log().buffers.size() - 1), d->dwBufferBytes);
        accepted(SoundStep::create_buffer);
        return DS_OK;
    }

private:
    int index_;
    ULONG references_ = 1;
};

}  // namespace

extern "C" HRESULT WINAPI DirectSoundCreate(LPCGUID device, LPDIRECTSOUND* sound, LPUNKNOWN outer) {
    (void)device;
    if (sound != nullptr) *sound = nullptr;
    if (platform::platform_faults().refuses(SoundStep::create_device))
        return refused(SoundStep::create_device, DSERR_NODRIVER);
    if (sound == nullptr) return refused(SoundStep::create_device, DSERR_INVALIDPARAM);
    if (outer != nullptr) return refused(SoundStep::create_device, CLASS_E_NOAGGREGATION);
    log().devices.push_back({log().context, nullptr, 0, false});
    *sound = new Device(static_cast<int>(log().devices.size() - 1));
    accepted(SoundStep::create_device);
    return DS_OK;
}
