// Kernel and user functions of the native build: resources from the embedded
// resource table, global memory from the heap, the host's executable path
// and windows as the test host set them.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform_log.h"
#include "platform/resources.h"

namespace {

HMODULE own_module() { return static_cast<HMODULE>(platform::module_handle()); }

// A block of global memory: its size first, then the bytes.
struct Block {
    SIZE_T bytes;
    unsigned locks;
};

}  // namespace

extern "C" {

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (module != own_module() || name == nullptr || type == nullptr || !IS_INTRESOURCE(name)) return nullptr;
    const auto id = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(name));
    const platform::EmbeddedResource* r =
        IS_INTRESOURCE(type) ? platform::find_resource_record(
                                   nullptr, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(type)), id)
                             : platform::find_resource_record(type, 0, id);
    if (r == nullptr) return nullptr;
    ++platform::platform_log().resources_found;
    return reinterpret_cast<HRSRC>(const_cast<platform::EmbeddedResource*>(r));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    if (module != own_module()) return nullptr;
    return resource;
}

LPVOID LockResource(HGLOBAL loaded) {
    if (loaded == nullptr) return nullptr;
    return const_cast<unsigned char*>(static_cast<platform::EmbeddedResource*>(loaded)->data);
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    if (module != own_module() || resource == nullptr) return 0;
    return static_cast<DWORD>(reinterpret_cast<platform::EmbeddedResource*>(resource)->size);
}

BOOL FreeResource(HGLOBAL loaded) {
    if (loaded != nullptr) ++platform::platform_log().resources_freed;
    return FALSE;
}

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    auto* block = static_cast<Block*>(std::malloc(sizeof(Block) + bytes));
    if (block == nullptr) return nullptr;
    block->bytes = bytes;
    block->locks = 0;
    if (flags & GMEM_ZEROINIT) std::memset(block + 1, 0, bytes);
    ++platform::platform_log().blocks_allocated;
    return block;
}

LPVOID GlobalLock(HGLOBAL memory) {
    if (memory == nullptr) return nullptr;
    auto* block = static_cast<Block*>(memory);
    ++block->locks;
    return block + 1;
}

BOOL GlobalUnlock(HGLOBAL memory) {
    if (memory == nullptr) return FALSE;
    auto* block = static_cast<Block*>(memory);
    if (block->locks > 0) --block->locks;
    return block->locks > 0;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    if (memory == nullptr) return nullptr;
    ++platform::platform_log().blocks_freed;
    std::free(memory);
    return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR path, DWORD size) {
    if (module != nullptr || path == nullptr || size == 0) return 0;
    const std::string& exe = platform::host_process().executable_path;
    const DWORD n = static_cast<DWORD>(exe.size() < size ? exe.size() : size - 1);
    std::memcpy(path, exe.data(), n);
    path[n] = '\0';
    return n;
}

HWND FindWindowA(LPCSTR class_name, LPCSTR window_name) {
    (void)window_name;
    if (class_name == nullptr) return nullptr;
    for (const auto& [name, handle] : platform::host_process().windows)
        if (name == class_name) return static_cast<HWND>(handle);
    return nullptr;
}

}  // extern "C"
