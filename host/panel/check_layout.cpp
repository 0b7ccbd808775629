#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/panel/check_internal.h"
#include "host/panel/check_words.h"

namespace korvel::panel {

namespace {

using words::join;

class LayoutChecks {
public:
    explicit LayoutChecks(Findings& findings) : findings_(findings) {}

    void run(const PanelSession& session, const PanelConfig& config) {
        for (const PlacedLine& p : session.placed()) check_inside(session, p);
        for (const Window& w : config.windows) check_overlaps(session, w);
    }

private:
    void warn(int line, std::string message) { findings_.warn(line, std::move(message)); }

    void check_inside(const PanelSession& session, const PlacedLine& p) {
        const WindowLayout& layout = session.layout(*p.window);
        const PixelBox& b = p.box;
        const std::int64_t right = std::int64_t{b.x} + b.width, bottom = std::int64_t{b.y} + b.height;
        std::vector<std::string> edges;
        if (b.x < 0) edges.emplace_back("left");
        if (b.y < 0) edges.emplace_back("top");
        if (right > layout.width) edges.emplace_back("right");
        if (bottom > layout.height) edges.emplace_back("bottom");
        if (edges.empty()) return;
        const std::string where = p.line->gauge + " at " + std::to_string(b.x) + "," + std::to_string(b.y) + ", " +
                                  std::to_string(b.width) + " by " + std::to_string(b.height) + ",";
        const std::string window = window_description(*p.window) + ", which is " + std::to_string(layout.width) +
                                   " by " + std::to_string(layout.height);
        const bool outside = b.x >= layout.width || b.y >= layout.height || right <= 0 || bottom <= 0;
        if (outside)
            warn(p.line->line, where + " lies outside " + window + ": it is not seen");
        else
            warn(p.line->line, where + " reaches past the " + join(edges) + " edge" + (edges.size() > 1 ? "s" : "") +
                                   " of " + window + ": the part beyond is not drawn");
    }

    struct Rect {
        double x0, y0, x1, y1;
    };

    // The gauge's click areas in its window's units, through the scale its
    // line gives it, and only as far as the gauge reaches.
    static std::vector<Rect> click_areas(const PlacedLine& p) {
        std::vector<Rect> out;
        const auto size = p.gauge->size();
        const Rect whole{double(p.box.x), double(p.box.y), double(p.box.x) + p.box.width,
                         double(p.box.y) + p.box.height};
        for (const host::ChildArea& c : p.gauge->mouse().children()) {
            if (c.area.unbounded || !size || size->width <= 0 || size->height <= 0) {
                out.push_back(whole);
                continue;
            }
            const double sx = double(p.box.width) / size->width, sy = double(p.box.height) / size->height;
            Rect r{p.box.x + c.area.box.x * sx, p.box.y + c.area.box.y * sy,
                   p.box.x + (double(c.area.box.x) + c.area.box.width) * sx,
                   p.box.y + (double(c.area.box.y) + c.area.box.height) * sy};
            r = {std::max(r.x0, whole.x0), std::max(r.y0, whole.y0), std::min(r.x1, whole.x1),
                 std::min(r.y1, whole.y1)};
            if (r.x1 > r.x0 && r.y1 > r.y0) out.push_back(r);
        }
        return out;
    }

    void check_overlaps(const PanelSession& session, const Window& w) {
        std::vector<std::pair<const PlacedLine*, std::vector<Rect>>> gauges;
        for (const PlacedLine& p : session.placed())
            if (p.window == &w) gauges.emplace_back(&p, click_areas(p));
        for (std::size_t j = 0; j < gauges.size(); ++j)
            for (std::size_t i = 0; i < j; ++i) {
                std::optional<Rect> both;
                for (const Rect& a : gauges[i].second)
                    for (const Rect& b : gauges[j].second) {
                        const Rect r{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
                                     std::min(a.y1, b.y1)};
                        if (!(r.x1 > r.x0 && r.y1 > r.y0)) continue;
                        both = both ? Rect{std::min(both->x0, r.x0), std::min(both->y0, r.y0), std::max(both->x1, r.x1),
                                           std::max(both->y1, r.y1)}
                                    : r;
                    }
                if (!both) continue;
                const PlacedLine& first = *gauges[i].first;
                const PlacedLine& second = *gauges[j].first;
                const auto x = std::int64_t(std::floor(both->x0)), y = std::int64_t(std::floor(both->y0));
                const auto width = std::int64_t(std::ceil(both->x1)) - x,
                           height = std::int64_t(std::ceil(both->y1)) - y;
                const auto earlier = first.line->line <= second.line->line ? &first : &second;
                const auto later = earlier == &first ? &second : &first;
                warn(later->line->line, "click areas of " + later->line->gauge + " overlap those of " +
                                            earlier->line->gauge + " (line " + std::to_string(earlier->line->line) +
                                            ") in " + window_description(w) + " at " + std::to_string(x) + "," +
                                            std::to_string(y) + ", " + std::to_string(width) + " by " +
                                            std::to_string(height) + ": a click there reaches only one of them");
            }
    }

    Findings& findings_;
};

}  // namespace

void check_layout(const PanelSession& session, const PanelConfig& config, Findings& findings) {
    LayoutChecks(findings).run(session, config);
}

}  // namespace korvel::panel
