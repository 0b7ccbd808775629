#include "module/sound/sound.h"

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

// Microsoft ADPCM, the radios' click. DirectSound's secondary buffers mix
// PCM only, so such a wave is decoded to 16-bit PCM before its buffer is
// made.
constexpr WORD wave_format_adpcm = 2;
constexpr DWORD adpcm_header_bytes = 7;         // per channel: predictor, step, two samples
constexpr DWORD adpcm_most_coefficients = 256;  // a block names its predictor in one byte
// The step is held where one more adaptation (at most 768/256) stays within
// 32 bits; a real wave's step never comes near it.
constexpr int adpcm_largest_step = 0x7FFFFFFF / 768;
constexpr int adpcm_smallest_step = 16;

// How the step follows the nibble just decoded, in 256ths: large nibbles
// widen it, small ones narrow it.
// clang-format off
constexpr int adpcm_adaptation[16] = {230, 230, 230, 230, 307, 409, 512, 614,
                                      768, 614, 512, 409, 307, 230, 230, 230};
// clang-format on

// The "fmt " chunk as far as it fits: the format record and its extra bytes,
// room for an ADPCM coefficient table of every predictor a block can name.
struct FormatChunk {
    WAVEFORMATEX record;
    unsigned char extra[4 + 4 * adpcm_most_coefficients];
};

// An ADPCM wave's shape, taken from its format chunk and checked before a
// sample is decoded.
struct AdpcmLayout {
    DWORD channels;
    DWORD block_align;
    DWORD coefficient_count;
    const unsigned char* coefficients;  // pairs of little-endian 16-bit words
};

struct AdpcmChannel {
    int first_coefficient;   // weighs the newer sample, in 256ths
    int second_coefficient;  // weighs the older one
    int step;
    int newer;
    int older;
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

// Words of the wave file are little-endian whatever the machine.
int signed_word(const unsigned char* at) { return static_cast<std::int16_t>(at[0] | at[1] << 8); }
DWORD unsigned_word(const unsigned char* at) { return static_cast<DWORD>(at[0] | at[1] << 8); }

// The wave's format and sample data, read from its resource through a memory
// file. The memory file is closed and the resource freed on every path; on
// success the caller owns the data block.
bool read_wave(HMODULE module, std::uint32_t wave_id, FormatChunk& format, HGLOBAL& block, DWORD& size) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr): Windows takes a resource number as its name.
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
            if (samples != nullptr && mmioRead(file, static_cast<char*>(samples), static_cast<LONG>(data.cksize)) ==
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

// The sample frames a block of that many bytes holds: the header's two, then
// one for each nibble a channel has.
DWORD adpcm_frames(const AdpcmLayout& layout, DWORD block_bytes) {
    return (block_bytes - adpcm_header_bytes * layout.channels) * 2 / layout.channels + 2;
}

// Takes the ADPCM layout from the format chunk. False for anything the
// decoder could not follow faithfully: the coefficient table has to be all
// there, announced by the extra-size field (already cut to what the chunk
// held), and the samples per block must be what the block align gives.
bool adpcm_layout(const FormatChunk& format, AdpcmLayout& layout) {
    const WAVEFORMATEX& record = format.record;
    if (record.nChannels < 1 || record.nChannels > 2 || record.wBitsPerSample != 4) return false;
    layout.channels = record.nChannels;
    layout.block_align = record.nBlockAlign;
    if (layout.block_align < adpcm_header_bytes * layout.channels) return false;
    if (record.cbSize < 4) return false;
    layout.coefficient_count = unsigned_word(format.extra + 2);
    if (layout.coefficient_count < 1 || layout.coefficient_count > adpcm_most_coefficients ||
        record.cbSize < 4 + 4 * layout.coefficient_count)
        return false;
    layout.coefficients = format.extra + 4;
    return unsigned_word(format.extra) == adpcm_frames(layout, layout.block_align);
}

// The PCM bytes the data decodes to: whole blocks and a short last block
// that still holds its headers. False for a last block without them and for
// more than a sound buffer can take (which also keeps every size within 32
// bits).
bool adpcm_decoded_size(const AdpcmLayout& layout, DWORD data_size, DWORD& pcm_size) {
    const DWORD whole_blocks = data_size / layout.block_align;
    const DWORD last_block = data_size % layout.block_align;
    unsigned long long frames =
        static_cast<unsigned long long>(whole_blocks) * adpcm_frames(layout, layout.block_align);
    if (last_block != 0) {
        if (last_block < adpcm_header_bytes * layout.channels) return false;
        frames += adpcm_frames(layout, last_block);
    }
    const unsigned long long bytes = frames * layout.channels * 2;
    if (bytes > DSBSIZE_MAX) return false;
    pcm_size = static_cast<DWORD>(bytes);
    return true;
}

void put_sample(unsigned char*& out, int sample) {
    out[0] = static_cast<unsigned char>(sample & 0xFF);
    out[1] = static_cast<unsigned char>((sample >> 8) & 0xFF);
    out += 2;
}

// One nibble: the prediction from the channel's last two samples, corrected
// by the nibble (a signed count of steps), held to 16 bits; then the step
// adapts. The prediction is worked in 64 bits: two products of 16-bit words
// can sum past 32.
int adpcm_next_sample(AdpcmChannel& channel, unsigned nibble) {
    const long long steps = nibble >= 8 ? static_cast<long long>(nibble) - 16 : nibble;
    const long long predicted = (static_cast<long long>(channel.newer) * channel.first_coefficient +
                                 static_cast<long long>(channel.older) * channel.second_coefficient) /
                                256;
    long long sample = predicted + steps * channel.step;
    if (sample > 32767) sample = 32767;
    if (sample < -32768) sample = -32768;
    channel.older = channel.newer;
    channel.newer = static_cast<int>(sample);

    int step = channel.step * adpcm_adaptation[nibble] / 256;
    if (step < adpcm_smallest_step) step = adpcm_smallest_step;
    if (step > adpcm_largest_step) step = adpcm_largest_step;
    channel.step = step;
    return channel.newer;
}

// One block, or the short last one, of block_bytes bytes (at least its
// headers), into 16-bit frames at out. False when it names a predictor the
// table does not have.
bool adpcm_decode_block(const AdpcmLayout& layout, const unsigned char* block, DWORD block_bytes, unsigned char*& out) {
    const DWORD channels = layout.channels;
    AdpcmChannel state[2];
    for (DWORD c = 0; c < channels; ++c) {
        const DWORD predictor = block[c];
        if (predictor >= layout.coefficient_count) return false;
        state[c].first_coefficient = signed_word(layout.coefficients + 4 * predictor);
        state[c].second_coefficient = signed_word(layout.coefficients + 4 * predictor + 2);
        state[c].step = signed_word(block + channels + 2 * c);
        state[c].newer = signed_word(block + 3 * channels + 2 * c);
        state[c].older = signed_word(block + 5 * channels + 2 * c);
    }
    // The header's two samples are the block's first two frames, the older
    // one first.
    for (DWORD c = 0; c < channels; ++c) put_sample(out, state[c].older);
    for (DWORD c = 0; c < channels; ++c) put_sample(out, state[c].newer);
    // High nibble first; in stereo the high nibble is the left channel's and
    // the low one the right's, so each byte is one frame.
    for (DWORD at = adpcm_header_bytes * channels; at < block_bytes; ++at) {
        put_sample(out, adpcm_next_sample(state[0], block[at] >> 4));
        put_sample(out, adpcm_next_sample(state[channels - 1], block[at] & 0x0Fu));
    }
    return true;
}

// Turns an ADPCM wave's data block into PCM: on success the ADPCM block is
// freed and block, size and the format record describe 16-bit PCM of the
// same rate and channels. On failure the caller still owns the ADPCM block
// and nothing else is left allocated.
bool decode_adpcm(FormatChunk& format, HGLOBAL& block, DWORD& size) {
    AdpcmLayout layout;
    DWORD pcm_size = 0;
    if (!adpcm_layout(format, layout) || !adpcm_decoded_size(layout, size, pcm_size)) return false;
    const DWORD frame_bytes = 2 * layout.channels;
    if (format.record.nSamplesPerSec > 0xFFFFFFFFu / frame_bytes) return false;

    HGLOBAL pcm = GlobalAlloc(GMEM_MOVEABLE, pcm_size);
    if (pcm == nullptr) return false;
    const auto* adpcm = static_cast<const unsigned char*>(GlobalLock(block));
    auto* samples = static_cast<unsigned char*>(GlobalLock(pcm));
    bool ok = adpcm != nullptr && samples != nullptr;
    if (ok) {
        const unsigned char* in = adpcm;
        unsigned char* out = samples;
        for (DWORD left = size; ok && left > 0;) {
            const DWORD block_bytes = left < layout.block_align ? left : layout.block_align;
            // Sized beforehand; checked again so that no block is ever
            // written past the end.
            ok = static_cast<unsigned long long>(adpcm_frames(layout, block_bytes)) * frame_bytes <=
                     static_cast<unsigned long long>(samples + pcm_size - out) &&
                 adpcm_decode_block(layout, in, block_bytes, out);
            in += block_bytes;
            left -= block_bytes;
        }
        ok = ok && out == samples + pcm_size;
    }
    if (adpcm != nullptr) GlobalUnlock(block);
    if (samples != nullptr) GlobalUnlock(pcm);
    if (!ok) {
        GlobalFree(pcm);
        return false;
    }

    GlobalFree(block);
    block = pcm;
    size = pcm_size;
    WAVEFORMATEX& record = format.record;
    record.wFormatTag = WAVE_FORMAT_PCM;
    record.nBlockAlign = static_cast<WORD>(frame_bytes);
    record.nAvgBytesPerSec = record.nSamplesPerSec * frame_bytes;
    record.wBitsPerSample = 16;
    record.cbSize = 0;
    return true;
}

// Copies the samples into a fresh secondary buffer and rewinds it.
bool fill_buffer(IDirectSound* device, IDirectSoundBuffer*& buffer, FormatChunk& format, HGLOBAL block, DWORD size) {
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
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the install call's extra word is the module's handle.
    if (!read_wave(reinterpret_cast<HMODULE>(module), wave_id, format, block, size)) return sound_off();
    if (format.record.wFormatTag == wave_format_adpcm && !decode_adpcm(format, block, size)) {
        GlobalFree(block);
        return sound_off();
    }

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
