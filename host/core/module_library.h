// Where the host finds the module: linked in, in the native build; the real
// Korvel_Instr.gau through LoadLibrary and GetProcAddress, in the Windows
// build. Each instance maps the module afresh where the platform allows it,
// so a new host starts from the module's initial state.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "module/linkage.h"

namespace korvel::host {

class ModuleLibrary {
public:
    ModuleLibrary();  // throws std::runtime_error when the module cannot be loaded
    ~ModuleLibrary();
    ModuleLibrary(const ModuleLibrary&) = delete;
    ModuleLibrary& operator=(const ModuleLibrary&) = delete;

    ModuleLinkage& linkage() const { return *linkage_; }
    ModuleImports& imports() const { return *imports_; }
    // The handle the module gets at install, for its resource lookups.
    ServiceExtra handle() const { return handle_; }
    const std::string& origin() const { return origin_; }

    // A resource of the module by type name (or an integer type) and id.
    std::optional<std::span<const unsigned char>> resource(const char* type, std::uint32_t id) const;
    std::optional<std::span<const unsigned char>> resource(std::uint32_t type, std::uint32_t id) const;

private:
    ModuleLinkage* linkage_ = nullptr;
    ModuleImports* imports_ = nullptr;
    ServiceExtra handle_ = 0;
    std::string origin_;
};

}  // namespace korvel::host
