#include <windows.h>

#include <cstdlib>
#include <stdexcept>

#include "host/core/module_library.h"
#include "host/core/platform_recording_windows.h"

namespace korvel::host {

namespace {

// The module beside the running program, unless KORVEL_MODULE names another.
std::string module_path() {
    if (const char* path = std::getenv("KORVEL_MODULE"); path != nullptr && *path != '\0') return path;
    char exe[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe, n);
    const std::size_t slash = dir.find_last_of("\\/");
    dir = slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
    return dir + "Korvel_Instr.gau";
}

HMODULE as_module(ServiceExtra handle) { return reinterpret_cast<HMODULE>(handle); }

std::optional<std::span<const unsigned char>> find(HMODULE module, LPCSTR type, std::uint32_t id) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (info == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, info);
    if (loaded == nullptr) return std::nullopt;
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr) return std::nullopt;
    return std::span<const unsigned char>(static_cast<const unsigned char*>(bytes), SizeofResource(module, info));
}

}  // namespace

ModuleLibrary::ModuleLibrary() : origin_(module_path()) {
    HMODULE module = LoadLibraryA(origin_.c_str());
    if (module == nullptr)
        throw std::runtime_error("cannot load " + origin_ + " (Windows error " + std::to_string(GetLastError()) + ")");
    auto* linkage = reinterpret_cast<ModuleLinkage*>(GetProcAddress(module, "Linkage"));
    auto* imports = reinterpret_cast<ModuleImports*>(GetProcAddress(module, "ImportTable"));
    if (linkage == nullptr || imports == nullptr) {
        FreeLibrary(module);
        throw std::runtime_error(origin_ + " does not export Linkage and ImportTable");
    }
    install_platform_recording(module);
    linkage_ = linkage;
    imports_ = imports;
    handle_ = reinterpret_cast<ServiceExtra>(module);
}

ModuleLibrary::~ModuleLibrary() { FreeLibrary(as_module(handle_)); }

std::optional<std::span<const unsigned char>> ModuleLibrary::resource(const char* type, std::uint32_t id) const {
    return find(as_module(handle_), type, id);
}

std::optional<std::span<const unsigned char>> ModuleLibrary::resource(std::uint32_t type, std::uint32_t id) const {
    return find(as_module(handle_), MAKEINTRESOURCEA(type), id);
}

}  // namespace korvel::host
