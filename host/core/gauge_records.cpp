#include "host/core/gauge_records.h"

#include <stdexcept>

namespace korvel::host {

namespace {

constexpr std::size_t most_elements = 256;
constexpr std::size_t longest_rect_list = 4096;

void collect(ElementHeader* element, std::vector<ElementHeader*>& out) {
    if (element == nullptr) return;
    if (out.size() == most_elements) throw std::invalid_argument("element tree too large or circular");
    out.push_back(element);
    if (element->next == nullptr) return;
    for (std::size_t i = 0; element->next[i] != nullptr; ++i) collect(element->next[i], out);
}

}  // namespace

std::vector<ElementHeader*> elements_of(const GaugeHeader& gauge) {
    std::vector<ElementHeader*> out;
    if (gauge.elements != nullptr)
        for (std::size_t i = 0; gauge.elements[i] != nullptr; ++i) collect(gauge.elements[i], out);
    return out;
}

GaugeSummary summarize(const GaugeHeader& gauge) {
    GaugeSummary s;
    s.name = gauge.name != nullptr ? gauge.name : "";
    s.size_mm = gauge.size_mm;
    s.has_callback = gauge.callback != nullptr;
    for (const ElementHeader* e : elements_of(gauge)) {
        ++s.elements;
        if (e->kind < s.elements_by_kind.size()) ++s.elements_by_kind[e->kind];
    }
    if (gauge.mouse_rects == nullptr) return s;
    for (std::size_t i = 0; gauge.mouse_rects[i].kind != rect_end; ++i) {
        if (i == longest_rect_list) throw std::invalid_argument(s.name + ": mouse rectangle list has no end");
        const MouseRect& r = gauge.mouse_rects[i];
        switch (r.kind) {
            case rect_parent:
                ++s.parents;
                if (r.help_id != 0) s.parent_help_ids.push_back(r.help_id);
                break;
            case rect_child:
                ++s.children;
                break;
            case rect_tooltip:
                ++s.tooltips;
                if (r.tooltip_text != nullptr)
                    s.tooltip_texts.emplace_back(r.tooltip_text);
                else
                    s.tooltip_help_ids.push_back(r.help_id);
                break;
            default:
                break;
        }
    }
    return s;
}

}  // namespace korvel::host
