#include "platform/resources.h"

#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace platform {

namespace {

char module_identity;

struct ExtraResource {
    std::string type_name;
    std::vector<unsigned char> bytes;
    EmbeddedResource record;
};

std::deque<ExtraResource>& extras() {
    static std::deque<ExtraResource> all;
    return all;
}

bool matches(const EmbeddedResource& r, const char* type_name, std::uint32_t type_id, std::uint32_t id) {
    if (r.id != id) return false;
    if (type_name != nullptr) return r.type_name != nullptr && std::strcmp(r.type_name, type_name) == 0;
    return r.type_name == nullptr && r.type_id == type_id;
}

}  // namespace

void* module_handle() { return &module_identity; }

void add_extra_resource(const char* type_name, std::uint32_t id, std::span<const unsigned char> bytes) {
    ExtraResource& r = extras().emplace_back();
    r.type_name = type_name;
    r.bytes.assign(bytes.begin(), bytes.end());
    r.record = {r.type_name.c_str(), 0, id, r.bytes.data(), r.bytes.size()};
}

void clear_extra_resources() { extras().clear(); }

const EmbeddedResource* find_resource_record(const char* type_name, std::uint32_t type_id, std::uint32_t id) {
    for (const EmbeddedResource& r : embedded_resources())
        if (matches(r, type_name, type_id, id)) return &r;
    for (const ExtraResource& r : extras())
        if (matches(r.record, type_name, type_id, id)) return &r.record;
    return nullptr;
}

std::optional<std::span<const unsigned char>> find_embedded_resource(const char* type_name, std::uint32_t id) {
    if (type_name == nullptr) return std::nullopt;
    const EmbeddedResource* r = find_resource_record(type_name, 0, id);
    if (r == nullptr) return std::nullopt;
    return std::span<const unsigned char>(r->data, r->size);
}

std::optional<std::span<const unsigned char>> find_embedded_resource(std::uint32_t type_id, std::uint32_t id) {
    const EmbeddedResource* r = find_resource_record(nullptr, type_id, id);
    if (r == nullptr) return std::nullopt;
    return std::span<const unsigned char>(r->data, r->size);
}

}  // namespace platform
