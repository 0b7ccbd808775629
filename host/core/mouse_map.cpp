#include "host/core/mouse_map.h"

#include <stdexcept>
#include <string>

namespace korvel::host {

namespace {

constexpr std::size_t longest_list = 4096;

bool empty_box(const PixelBox& b) { return b.x == 0 && b.y == 0 && b.width == 0 && b.height == 0; }

Area place(const PixelBox& box, const Area* enclosing, std::optional<GaugeSize> size) {
    if (empty_box(box)) {
        if (enclosing != nullptr) return *enclosing;
        if (size) return Area{{0, 0, size->width, size->height}, false};
        return Area{{}, true};
    }
    const std::int32_t ox = enclosing != nullptr && !enclosing->unbounded ? enclosing->box.x : 0;
    const std::int32_t oy = enclosing != nullptr && !enclosing->unbounded ? enclosing->box.y : 0;
    return Area{{ox + box.x, oy + box.y, box.width, box.height}, false};
}

}  // namespace

bool Area::contains(std::int32_t x, std::int32_t y) const {
    if (unbounded) return true;
    return x >= box.x && y >= box.y && x - box.x < box.width && y - box.y < box.height;
}

MouseMap::MouseMap(MouseRect* rects, std::optional<GaugeSize> size) {
    if (rects == nullptr) return;
    std::vector<int> open;
    for (std::size_t i = 0;; ++i) {
        if (i == longest_list) throw std::invalid_argument("mouse rectangle list has no end record");
        MouseRect& r = rects[i];
        const Area* enclosing = open.empty() ? nullptr : &parents_[open.back()].area;
        switch (r.kind) {
            case rect_end:
                if (!open.empty()) throw std::invalid_argument("mouse rectangle list ends inside a parent");
                return;
            case rect_parent:
                parents_.push_back({&r, open.empty() ? -1 : open.back(), static_cast<int>(open.size()),
                                    place(r.box, enclosing, size), nullptr});
                open.push_back(static_cast<int>(parents_.size() - 1));
                break;
            case rect_child:
                children_.push_back({&r, open.empty() ? -1 : open.back(), place(r.box, enclosing, size)});
                break;
            case rect_end_parent:
                if (open.empty()) throw std::invalid_argument("end of parent without a parent");
                open.pop_back();
                break;
            case rect_tooltip:
                ++tooltips_;
                if (open.empty()) throw std::invalid_argument("tooltip record outside any parent");
                if (parents_[open.back()].tooltip == nullptr) parents_[open.back()].tooltip = &r;
                break;
            default:
                throw std::invalid_argument("mouse rectangle of unknown kind " + std::to_string(r.kind));
        }
    }
}

const ChildArea* MouseMap::child_at(std::int32_t x, std::int32_t y, std::uint32_t wanted) const {
    for (const ChildArea& c : children_)
        if ((c.rect->accepted_events & wanted) == wanted && c.area.contains(x, y)) return &c;
    return nullptr;
}

TooltipSource MouseMap::tooltip_at(std::int32_t x, std::int32_t y) const {
    TooltipSource best;
    int best_depth = -1;
    for (const ParentArea& p : parents_) {
        if (p.depth <= best_depth || !p.area.contains(x, y)) continue;
        if (p.tooltip != nullptr) {
            // clang-format off
            best = {&p, p.tooltip->tooltip_text != nullptr ? p.tooltip : nullptr,
                    p.tooltip->tooltip_text != nullptr ? 0u : p.tooltip->help_id};
            // clang-format on
            if (best.tooltip == nullptr && best.help_id == 0) best.help_id = p.rect->help_id;
        } else if (p.rect->help_id != 0) {
            best = {&p, nullptr, p.rect->help_id};
        } else {
            continue;
        }
        best_depth = p.depth;
    }
    return best;
}

}  // namespace korvel::host
