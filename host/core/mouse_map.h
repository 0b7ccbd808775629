// A gauge's mouse rectangles as the host lays them out: each parent and
// child box placed in gauge pixels inside its enclosing parent, each tooltip
// record attached to the parent that encloses it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "module/records.h"

namespace korvel::host {

struct GaugeSize {
    std::int32_t width;
    std::int32_t height;
};

// A box in gauge pixels. A whole-gauge box of a gauge whose size is not
// known contains every point.
struct Area {
    PixelBox box{};
    bool unbounded = false;
    bool contains(std::int32_t x, std::int32_t y) const;
};

struct ParentArea {
    MouseRect* rect;
    int enclosing;  // index of the enclosing parent, -1 for the outer one
    int depth;      // 0 for the outer parent
    Area area;
    MouseRect* tooltip;  // the first tooltip record inside it, or null
};

struct ChildArea {
    MouseRect* rect;
    int enclosing;
    Area area;
};

// What a pilot sees when the pointer rests on a point.
struct TooltipSource {
    const ParentArea* parent = nullptr;
    MouseRect* tooltip = nullptr;  // null when the parent's help identifier is shown
    std::uint32_t help_id = 0;     // a host help or tooltip text, when there is no text of the module's
};

class MouseMap {
public:
    // Throws std::invalid_argument for a list that does not nest or end.
    MouseMap(MouseRect* rects, std::optional<GaugeSize> size);
    MouseMap() = default;

    // The first child, in list order, whose box holds the point and that
    // accepts every bit of the wanted set.
    const ChildArea* child_at(std::int32_t x, std::int32_t y, std::uint32_t wanted) const;
    // The innermost parent holding the point that has a tooltip record or a
    // help identifier; among parents of one depth the first in list order.
    TooltipSource tooltip_at(std::int32_t x, std::int32_t y) const;

    std::span<const ParentArea> parents() const { return parents_; }
    std::span<const ChildArea> children() const { return children_; }
    std::size_t tooltip_count() const { return tooltips_; }

private:
    std::vector<ParentArea> parents_;
    std::vector<ChildArea> children_;
    std::size_t tooltips_ = 0;
};

}  // namespace korvel::host
