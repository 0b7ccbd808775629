// Reading a gauge's records the way the host walks them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "module/records.h"

namespace korvel::host {

// The gauge's elements in drawing order: each element, then the elements of
// its next list. Throws std::invalid_argument for a tree that does not end.
std::vector<ElementHeader*> elements_of(const GaugeHeader& gauge);

// clang-format off
inline constexpr const char* element_kind_names[7] = {"static image", "needle", "string", "slider",
                                                       "icon",         "moving image", "sprite"};
// clang-format on

struct GaugeSummary {
    std::string name;
    std::uint32_t size_mm = 0;
    bool has_callback = false;
    std::array<int, 7> elements_by_kind{};
    int elements = 0;
    int parents = 0;
    int tooltips = 0;
    int children = 0;
    std::vector<std::uint32_t> parent_help_ids;
    std::vector<std::uint32_t> tooltip_help_ids;
    std::vector<std::string> tooltip_texts;
};

GaugeSummary summarize(const GaugeHeader& gauge);

}  // namespace korvel::host
