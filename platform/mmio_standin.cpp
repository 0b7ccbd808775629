// Multimedia file input over memory, as winmm gives it with the "MEM " I/O
// procedure: a RIFF chunk walker over the caller's bytes.
#include <mmsystem.h>

#include <cstring>

#include "platform/platform_log.h"

namespace {

struct MemoryFile {
    const unsigned char* bytes;
    DWORD size;
    DWORD position;
    DWORD chunk_end;  // the end of the chunk last descended into
};

MemoryFile* file_of(HMMIO handle) { return reinterpret_cast<MemoryFile*>(handle); }

bool read_word(const MemoryFile& f, DWORD at, DWORD& word) {
    if (at > f.size || f.size - at < 4) return false;
    std::memcpy(&word, f.bytes + at, 4);
    return true;
}

}  // namespace

extern "C" {

HMMIO mmioOpenA(LPSTR file_name, LPMMIOINFO info, DWORD flags) {
    (void)flags;
    if (file_name != nullptr || info == nullptr || info->fccIOProc != FOURCC_MEM || info->pchBuffer == nullptr ||
        info->cchBuffer < 0) {
        if (info != nullptr) info->wErrorRet = MMSYSERR_INVALPARAM;
        return nullptr;
    }
    auto* f = new MemoryFile{reinterpret_cast<const unsigned char*>(info->pchBuffer),
                             static_cast<DWORD>(info->cchBuffer), 0, static_cast<DWORD>(info->cchBuffer)};
    ++platform::platform_log().memory_files_opened;
    return reinterpret_cast<HMMIO>(f);
}

MMRESULT mmioDescend(HMMIO handle, LPMMCKINFO chunk, const MMCKINFO* parent, UINT flags) {
    MemoryFile* f = file_of(handle);
    if (f == nullptr || chunk == nullptr) return MMSYSERR_INVALPARAM;
    const DWORD end = parent != nullptr ? parent->dwDataOffset + parent->cksize : f->size;
    const FOURCC wanted_id = chunk->ckid;
    const FOURCC wanted_form = chunk->fccType;

    DWORD at = f->position;
    for (;;) {
        if (at > end || end - at < 8) return MMIOERR_CHUNKNOTFOUND;
        DWORD id, size;
        if (!read_word(*f, at, id) || !read_word(*f, at + 4, size)) return MMIOERR_CHUNKNOTFOUND;
        const DWORD data = at + 8;
        const bool has_form = id == FOURCC_RIFF || id == FOURCC_LIST;
        DWORD form = 0;
        if (has_form && !read_word(*f, data, form)) return MMIOERR_CHUNKNOTFOUND;

        bool match;
        if (flags & MMIO_FINDRIFF)
            match = id == FOURCC_RIFF && form == wanted_form;
        else if (flags & MMIO_FINDLIST)
            match = id == FOURCC_LIST && form == wanted_form;
        else if (flags & MMIO_FINDCHUNK)
            match = id == wanted_id;
        else
            match = true;

        if (match) {
            chunk->ckid = id;
            chunk->cksize = size;
            chunk->fccType = has_form ? form : 0;
            chunk->dwDataOffset = data;
            chunk->dwFlags = 0;
            f->position = has_form ? data + 4 : data;
            f->chunk_end = size <= f->size - data ? data + size : f->size;
            return MMSYSERR_NOERROR;
        }
        const DWORD padded = size + (size & 1u);
        if (padded < size || end - data < padded) return MMIOERR_CHUNKNOTFOUND;
        at = data + padded;
    }
}

LONG mmioRead(HMMIO handle, char* buffer, LONG count) {
    MemoryFile* f = file_of(handle);
    if (f == nullptr || buffer == nullptr || count < 0) return -1;
    const DWORD left = f->size - f->position;
    const DWORD n = static_cast<DWORD>(count) < left ? static_cast<DWORD>(count) : left;
    if (f->position + n > f->chunk_end) ++platform::platform_log().reads_past_chunk;
    std::memcpy(buffer, f->bytes + f->position, n);
    f->position += n;
    return static_cast<LONG>(n);
}

MMRESULT mmioAscend(HMMIO handle, LPMMCKINFO chunk, UINT flags) {
    (void)flags;
    MemoryFile* f = file_of(handle);
    if (f == nullptr || chunk == nullptr) return MMSYSERR_INVALPARAM;
    const unsigned long long end =
        static_cast<unsigned long long>(chunk->dwDataOffset) + chunk->cksize + (chunk->cksize & 1u);
    if (end > f->size) {
        if (static_cast<unsigned long long>(chunk->dwDataOffset) + chunk->cksize > f->size) return MMIOERR_CANNOTSEEK;
        f->position = f->size;  // a pad byte missing at the very end of the file
        return MMSYSERR_NOERROR;
    }
    f->position = static_cast<DWORD>(end);
    return MMSYSERR_NOERROR;
}

MMRESULT mmioClose(HMMIO handle, UINT flags) {
    (void)flags;
    if (handle == nullptr) return MMSYSERR_INVALHANDLE;
    delete file_of(handle);
    ++platform::platform_log().memory_files_closed;
    return MMSYSERR_NOERROR;
}

}  // extern "C"
