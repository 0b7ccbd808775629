#include "host/core/module_library.h"

#include "platform/resources.h"

namespace korvel::host {

ModuleLibrary::ModuleLibrary()
    : linkage_(&Linkage),
      imports_(&ImportTable),
      handle_(reinterpret_cast<ServiceExtra>(platform::module_handle())),
      origin_("linked-in module") {}

ModuleLibrary::~ModuleLibrary() = default;

std::optional<std::span<const unsigned char>> ModuleLibrary::resource(const char* type, std::uint32_t id) const {
    return platform::find_embedded_resource(type, id);
}

std::optional<std::span<const unsigned char>> ModuleLibrary::resource(std::uint32_t type, std::uint32_t id) const {
    return platform::find_embedded_resource(type, id);
}

}  // namespace korvel::host
