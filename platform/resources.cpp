#include "platform/resources.h"

#include <cstring>

namespace platform {

namespace {
char module_identity;
}

void* module_handle() { return &module_identity; }

std::optional<std::span<const unsigned char>> find_embedded_resource(const char* type_name, std::uint32_t id) {
    if (type_name == nullptr) return std::nullopt;
    for (const EmbeddedResource& r : embedded_resources())
        if (r.type_name != nullptr && std::strcmp(r.type_name, type_name) == 0 && r.id == id)
            return std::span<const unsigned char>(r.data, r.size);
    return std::nullopt;
}

std::optional<std::span<const unsigned char>> find_embedded_resource(std::uint32_t type_id, std::uint32_t id) {
    for (const EmbeddedResource& r : embedded_resources())
        if (r.type_name == nullptr && r.type_id == type_id && r.id == id)
            return std::span<const unsigned char>(r.data, r.size);
    return std::nullopt;
}

}  // namespace platform
