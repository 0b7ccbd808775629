#include "resources/artwork/scales.h"

#include <cstring>
#include <stdexcept>
#include <string>

#include "host/core/dial.h"
#include "host/core/gauge_records.h"
#include "module/linkage.h"

namespace art {

double Scale::angle(double value) const { return korvel::host::needle_pose(rows, count, pivot, value).angle; }

Point Scale::at(double value, double radius) const { return at_angle(centre(), angle(value), radius); }

const ElementHeader& element_of(const char* gauge, std::size_t index) {
    for (GaugeHeader* g : Linkage.gauges) {
        if (g == nullptr) break;
        if (std::strcmp(g->name, gauge) != 0) continue;
        const auto elements = korvel::host::elements_of(*g);
        if (index >= elements.size())
            throw std::out_of_range(std::string(gauge) + " has no element " + std::to_string(index));
        return *elements[index];
    }
    throw std::out_of_range(std::string("the module has no gauge ") + gauge);
}

Scale scale_of(const char* gauge, std::size_t needle_index) {
    const ElementHeader& e = element_of(gauge, needle_index);
    if (e.kind != element_needle) throw std::invalid_argument(std::string(gauge) + ": element is not a needle");
    const auto& needle = reinterpret_cast<const NeedleElement&>(e);
    return {needle.header.position, needle.table, needle.table_rows};
}

}  // namespace art
