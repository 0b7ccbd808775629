#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/panel/check_internal.h"
#include "host/panel/check_words.h"

namespace korvel::panel {

namespace {

using words::join;

// How far one side may be scaled beyond the other before a gauge looks stretched.
constexpr double stretch_allowed = 1.5;
constexpr std::string_view invisible_button = "Invisible_Toggle";

class LayoutChecks {
public:
    explicit LayoutChecks(Findings& findings) : findings_(findings) {}

    void run(const PanelSession& session, const PanelConfig& config) {
        for (const PlacedLine& p : session.placed()) {
            check_inside(session, p);
            check_proportions(p);
        }
        std::map<const Window*, std::vector<const PlacedLine*>> by_window;
        for (const PlacedLine& p : session.placed()) by_window[p.window].push_back(&p);
        for (const Window& w : config.windows) check_overlaps(by_window[&w], w);
    }

private:
    void warn(int line, std::string code, std::string message) {
        findings_.warn(line, std::move(code), std::move(message));
    }

    // A width and a height far from the gauge's own proportions: a round
    // dial drawn as an egg, a radio squashed.
    void check_proportions(const PlacedLine& p) {
        if (!p.line->width || !p.line->height || !p.own || p.own->width <= 0 || p.own->height <= 0) return;
        const double wide = double(p.box.width) / p.own->width, tall = double(p.box.height) / p.own->height;
        if (std::max(wide, tall) <= stretch_allowed * std::min(wide, tall)) return;
        const auto scale = [](double s) {
            char text[16];
            std::snprintf(text, sizeof text, "%.2f", s);
            return std::string(text);
        };
        const long kept = std::lround(double(p.box.width) * p.own->height / p.own->width);
        warn(p.line->line, "stretched-gauge",
             p.line->gauge + " at " + std::to_string(p.box.width) + " by " + std::to_string(p.box.height) +
                 " is stretched out of its own proportions, " + std::to_string(p.own->width) + " by " +
                 std::to_string(p.own->height) + ": it is drawn " + scale(wide) + " times as wide and " + scale(tall) +
                 " times as tall; give the width alone to keep them (a height of " + std::to_string(kept) + ")");
    }

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
            warn(p.line->line, "gauge-outside", where + " lies outside " + window + ": it is not seen");
        else
            warn(p.line->line, "gauge-past-edge",
                 where + " reaches past the " + join(edges) + " edge" + (edges.size() > 1 ? "s" : "") + " of " +
                     window + ": the part beyond is not drawn");
    }

    struct Rect {
        double x0, y0, x1, y1;
    };

    // The gauge's click areas in its window's units, through the scale its
    // line gives it, and only as far as the gauge reaches.
    static std::vector<Rect> click_areas(const PlacedLine& p) {
        std::vector<Rect> out;
        const auto& size = p.own;
        const Rect whole{double(p.box.x), double(p.box.y), double(p.box.x) + p.box.width,
                         double(p.box.y) + p.box.height};
        for (const host::ChildArea& c : p.mouse.children()) {
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

    static std::optional<Rect> common(const Rect& a, const Rect& b) {
        const Rect r{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
        if (!(r.x1 > r.x0 && r.y1 > r.y0)) return std::nullopt;
        return r;
    }

    // The smallest box around every place where a rectangle of one list
    // meets one of the other.
    static std::optional<Rect> meeting(const std::vector<Rect>& xs, const std::vector<Rect>& ys) {
        std::optional<Rect> all;
        for (const Rect& a : xs)
            for (const Rect& b : ys)
                if (const auto r = common(a, b))
                    all = all ? Rect{std::min(all->x0, r->x0), std::min(all->y0, r->y0), std::max(all->x1, r->x1),
                                     std::max(all->y1, r->y1)}
                              : *r;
        return all;
    }

    static std::string place_of(const Rect& r) {
        const auto x = std::int64_t(std::floor(r.x0)), y = std::int64_t(std::floor(r.y0));
        return std::to_string(x) + "," + std::to_string(y) + ", " + std::to_string(std::int64_t(std::ceil(r.x1)) - x) +
               " by " + std::to_string(std::int64_t(std::ceil(r.y1)) - y);
    }

    // Click areas of two gauges that overlap; or one gauge drawn where the
    // other takes clicks, so that one hides part of the other. The invisible
    // button is made to lie over another gauge and hides nothing.
    void check_overlaps(const std::vector<const PlacedLine*>& placed, const Window& w) {
        struct Gauge {
            const PlacedLine* p;
            Rect box;
            std::vector<Rect> clicks;
        };
        std::vector<Gauge> gauges;
        gauges.reserve(placed.size());
        for (const PlacedLine* p : placed)
            gauges.push_back({p,
                              {double(p->box.x), double(p->box.y), double(p->box.x) + p->box.width,
                               double(p->box.y) + p->box.height},
                              click_areas(*p)});
        for (std::size_t j = 0; j < gauges.size(); ++j)
            for (std::size_t i = 0; i < j; ++i) {
                const Gauge* earlier = &gauges[i];
                const Gauge* later = &gauges[j];
                if (earlier->p->line->line > later->p->line->line) std::swap(earlier, later);
                const auto boxes = common(earlier->box, later->box);
                if (!boxes) continue;
                const std::string other = earlier->p->line->gauge + " (line " + std::to_string(earlier->p->line->line) +
                                          ") in " + window_description(w) + " at ";
                if (const auto both = meeting(earlier->clicks, later->clicks)) {
                    warn(later->p->line->line, "click-areas-overlap",
                         "click areas of " + later->p->line->gauge + " overlap those of " + other + place_of(*both) +
                             ": a click there reaches only one of them");
                    continue;
                }
                if (earlier->p->line->gauge == invisible_button || later->p->line->gauge == invisible_button) continue;
                const auto hidden_earlier = meeting(earlier->clicks, {*boxes});
                const auto hidden_later = meeting(later->clicks, {*boxes});
                if (!hidden_earlier && !hidden_later) continue;
                const Gauge& clicked = hidden_earlier ? *earlier : *later;
                warn(later->p->line->line, "gauge-over-click-areas",
                     later->p->line->gauge + " and " + other + place_of(*boxes) +
                         " are drawn over each other, and there " + clicked.p->line->gauge + " takes clicks at " +
                         place_of(hidden_earlier ? *hidden_earlier : *hidden_later) +
                         ": one gauge hides part of the other, and a click on what the pilot sees may reach the "
                         "hidden one; move them apart");
            }
    }

    Findings& findings_;
};

}  // namespace

void check_layout(const PanelSession& session, const PanelConfig& config, Findings& findings) {
    LayoutChecks(findings).run(session, config);
}

}  // namespace korvel::panel
