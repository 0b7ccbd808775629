// Where a dial's graduations go: the module's own needle tables, read from
// its records and turned into angles the way the host turns them, so that
// needle and dial agree.
#pragma once

#include <cstddef>
#include <cstdint>

#include "module/records.h"
#include "resources/artwork/paint.h"

namespace art {

struct Scale {
    PixelPoint pivot{};
    const NonlinearityEntry* rows = nullptr;
    std::uint32_t count = 0;

    // The dial angle the needle takes at a value.
    double angle(double value) const;
    // The point at a radius from the pivot along the needle at that value.
    Point at(double value, double radius) const;
    Point centre() const { return {double(pivot.x), double(pivot.y)}; }
};

// An element of a gauge by its place in the gauge's drawing order (0 is the
// background); throws if the gauge or element does not exist.
const ElementHeader& element_of(const char* gauge, std::size_t index);
// The table of a needle element.
Scale scale_of(const char* gauge, std::size_t needle_index);

}  // namespace art
