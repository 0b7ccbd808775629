// The Windows build counts the module's own heap calls through its imports,
// which is how the benchmark shows that an update allocates nothing inside
// the DLL. The count is only as good as the redirection: the DLL's malloc,
// calloc and realloc must reach the recorders, not msvcrt directly.
#ifdef _WIN32
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "host/core/host.h"

namespace {

// What the module's import slot of an msvcrt function holds, or null.
void* import_slot(HMODULE module, const char* wanted) {
    auto* base = reinterpret_cast<unsigned char*>(module);
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const auto& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress); d->Name != 0;
         ++d) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + d->Name), "msvcrt.dll") != 0) continue;
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            const auto* by_name = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(by_name->Name), wanted) == 0)
                return reinterpret_cast<void*>(slots->u1.Function);
        }
    }
    return nullptr;
}

TEST(HeapRecording, TheModulesAllocatorImportsReachTheCounters) {
    korvel::host::Host host;
    auto module = reinterpret_cast<HMODULE>(host.library().handle());
    HMODULE msvcrt = GetModuleHandleA("msvcrt.dll");
    ASSERT_NE(msvcrt, nullptr);
    for (const char* name : {"malloc", "calloc", "realloc"}) {
        void* slot = import_slot(module, name);
        ASSERT_NE(slot, nullptr) << "the module imports " << name;
        EXPECT_NE(slot, reinterpret_cast<void*>(GetProcAddress(msvcrt, name))) << name << " goes around the counter";
    }
    // Through the redirected slot, a call counts.
    using Malloc = void*(__cdecl*)(std::size_t);
    const long before = host.platform_log().heap_allocations;
    void* block = reinterpret_cast<Malloc>(import_slot(module, "malloc"))(16);
    EXPECT_NE(block, nullptr);
    std::free(block);
    EXPECT_EQ(host.platform_log().heap_allocations, before + 1);
}

}  // namespace
#endif
