// The simulator's failure system as the substitute host plays it: the keys
// the module's failure records name, the names a pilot or a flight state
// gives them, and the set of keys that have failed.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "host/core/text.h"
#include "module/vocabulary.h"

namespace korvel::host {

struct FailureKey {
    std::uint32_t key;
    std::string_view name;
};

// Every key the module's failure records use, in key order. The simulator
// numbers its failure systems; these are the names its failure dialog
// would show, in flight-state spelling.
// clang-format off
inline constexpr std::array<FailureKey, 17> failure_keys = {{
    {failure::engine, "engine"},
    {failure::pitot_static, "pitot_static"},
    {failure::vacuum, "vacuum"},  // drives the attitude gyro
    {failure::adf, "adf"},
    {failure::airspeed, "airspeed"},
    {failure::altimeter, "altimeter"},
    {failure::attitude, "attitude"},
    {failure::com, "com"},
    {failure::directional_gyro, "directional_gyro"},
    {failure::magnetic_compass, "magnetic_compass"},
    {failure::nav1, "nav1"},
    {failure::nav2, "nav2"},
    {failure::transponder, "transponder"},
    {failure::turn_coordinator, "turn_coordinator"},
    {failure::vertical_speed, "vertical_speed"},
    {failure::electrical_panel, "electrical_panel"},
    {failure::avionics, "avionics"},  // the radios' and indicators' power
}};
// clang-format on

// A key by its name or its number written in decimal; none for a key the
// module's records never name.
inline std::optional<std::uint32_t> failure_key(std::string_view name_or_number) {
    for (const FailureKey& k : failure_keys)
        if (k.name == name_or_number) return k.key;
    const auto number = exact_number<std::uint32_t>(name_or_number);
    for (const FailureKey& k : failure_keys)
        if (number && k.key == *number) return k.key;
    return std::nullopt;
}

constexpr std::optional<std::string_view> failure_name(std::uint32_t key) {
    for (const FailureKey& k : failure_keys)
        if (k.key == key) return k.name;
    return std::nullopt;
}

// The keys that have failed. A bit per key, so that the update walk asks it
// for every element without touching the heap.
class FailedKeys {
public:
    static constexpr std::uint32_t limit = 64;

    constexpr bool contains(std::uint32_t key) const { return key < limit && ((bits_ >> key) & 1u) != 0; }
    constexpr bool empty() const { return bits_ == 0; }
    constexpr void insert(std::uint32_t key) {
        if (key < limit) bits_ |= std::uint64_t{1} << key;
    }
    constexpr void erase(std::uint32_t key) {
        if (key < limit) bits_ &= ~(std::uint64_t{1} << key);
    }
    constexpr void clear() { bits_ = 0; }
    std::vector<std::uint32_t> keys() const {
        std::vector<std::uint32_t> out;
        for (std::uint32_t key = 0; key < limit; ++key)
            if (contains(key)) out.push_back(key);
        return out;
    }

private:
    std::uint64_t bits_ = 0;
};

static_assert(
    [] {
        for (const FailureKey& k : failure_keys)
            if (k.key == 0 || k.key >= FailedKeys::limit) return false;
        return true;
    }(),
    "every known key has a bit of its own");

}  // namespace korvel::host
