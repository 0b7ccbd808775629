// The native build's stand-in for the resources compiled into the DLL: the
// same files, embedded in the program and found by type and id.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

struct EmbeddedResource {
    const char* type_name;  // a named type such as "WAVE", or null
    std::uint32_t type_id;  // an integer type such as 2 (bitmap), when type_name is null
    std::uint32_t id;
    const unsigned char* data;
    std::size_t size;
};

// Every resource of the module, from the generated resource table.
std::span<const EmbeddedResource> embedded_resources();

std::optional<std::span<const unsigned char>> find_embedded_resource(const char* type_name, std::uint32_t id);
std::optional<std::span<const unsigned char>> find_embedded_resource(std::uint32_t type_id, std::uint32_t id);

// Resources a test or fuzzer adds for the module to find, after the
// embedded ones; the added bytes stay where they are until cleared.
void add_extra_resource(const char* type_name, std::uint32_t id, std::span<const unsigned char> bytes);
void clear_extra_resources();
// The embedded resources and then the added ones.
const EmbeddedResource* find_resource_record(const char* type_name, std::uint32_t type_id, std::uint32_t id);

// The handle the native host hands the module at install.
void* module_handle();

}  // namespace platform
