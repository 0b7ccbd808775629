#include "host/panel/panel_session.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "host/core/text.h"

namespace korvel::panel {

namespace {

namespace fs = std::filesystem;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::int32_t little_endian(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    if (bytes == 2) return std::int16_t(v);
    return std::int32_t(v);
}

// Sizes and extents stay within what a picture can be, whatever the numbers written.
constexpr std::int64_t largest_extent = 1 << 24;

int clamped(std::int64_t v) { return int(std::clamp<std::int64_t>(v, 1, largest_extent)); }

int proportional(int length, int numerator, int denominator) {
    return clamped(std::llround(double(length) * numerator / std::max(1, denominator)));
}

}  // namespace

GaugeLookup module_gauges(const host::Host& host) {
    return [names = [&host] {
               std::vector<std::string> all;
               for (const GaugeHeader* g : host.gauge_table())
                   if (g->name != nullptr) all.emplace_back(g->name);
               return all;
           }()](std::string_view name) -> std::optional<std::string> {
        for (const std::string& n : names)
            if (n == name) return n;
        for (const std::string& n : names)
            if (lower(n) == lower(name)) return n;
        return std::nullopt;
    };
}

std::string find_beside(const std::string& folder, std::string_view name) {
    if (folder.empty() || name.empty()) return {};
    fs::path at(folder);
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find_first_of("\\/", start), name.size());
        const std::string part(name.substr(start, end - start));
        start = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            at = at / "..";
            continue;
        }
        std::error_code error;
        fs::path found;
        for (const auto& entry : fs::directory_iterator(at, error)) {
            if (lower(entry.path().filename().string()) == lower(part)) {
                found = entry.path();
                break;
            }
        }
        if (found.empty()) return {};
        at = found;
    }
    std::error_code error;
    return fs::is_regular_file(at, error) ? at.string() : std::string();
}

std::optional<host::GaugeSize> bitmap_file_size(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[26] = {};
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
    if (header[0] != 'B' || header[1] != 'M') return std::nullopt;
    const std::int32_t info_size = little_endian(header + 14, 4);
    std::int32_t width = 0, height = 0;
    if (info_size == 12) {
        width = little_endian(header + 18, 2);
        height = little_endian(header + 20, 2);
    } else if (info_size >= 40) {
        width = little_endian(header + 18, 4);
        height = little_endian(header + 22, 4);
    } else {
        return std::nullopt;
    }
    if (height == INT32_MIN) return std::nullopt;
    height = std::abs(height);  // a top-down bitmap
    if (width <= 0 || height <= 0) return std::nullopt;
    return host::GaugeSize{width, height};
}

PanelSession::PanelSession(host::Host& host, const PanelConfig& config, const std::string& panel_folder)
    : host_(host), config_(config) {
    place_lines();
    for (const Window& w : config.windows) {
        WindowLayout layout;
        layout.window = &w;
        if (!w.file.empty() && !panel_folder.empty()) {
            layout.background = find_beside(panel_folder, w.file);
            if (layout.background.empty()) {
                problems_.push_back({w.file_line,
                                     "the background bitmap " + w.file + " is not beside the panel.cfg; " +
                                         "the window is drawn without it",
                                     Severity::warning});
            } else if (!(layout.bitmap = bitmap_file_size(layout.background))) {
                problems_.push_back({w.file_line, w.file + " is not a bitmap (.bmp); the window is drawn without it",
                                     Severity::warning});
                layout.background.clear();
            }
        }
        // Without a height the simulator keeps the bitmap's proportions; the
        // gauges' extent is all that is left without a bitmap.
        int right = 1, bottom = 1;
        for (const PlacedLine& p : placed_) {
            if (p.window != &w) continue;
            right = std::max(right, clamped(std::int64_t(p.box.x) + p.box.width));
            bottom = std::max(bottom, clamped(std::int64_t(p.box.y) + p.box.height));
        }
        layout.width = w.width > 0 ? w.width : layout.bitmap ? layout.bitmap->width : right;
        layout.height = w.height        ? *w.height
                        : layout.bitmap ? proportional(layout.width, layout.bitmap->height, layout.bitmap->width)
                        : w.width > 0 || right > 1 ? bottom
                                                   : 1;
        if (w.width <= 0 && !layout.bitmap)
            problems_.push_back(
                {w.line,
                 "[" + w.section + "] has neither size_mm nor a background bitmap; it is drawn as large as its gauges",
                 Severity::warning});
        layouts_.push_back(std::move(layout));
    }
    std::stable_sort(problems_.begin(), problems_.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
}

// The windows as panel.cfg defines them, each shown or hidden as it says,
// and every gauge line placed: installed, then connected to its window.
void PanelSession::place_lines() {
    host_.windows().clear();
    for (const Window& w : config_.windows) {
        if (w.kind != WindowKind::window) continue;
        const std::string name = !w.ident_name.empty() ? w.ident_name
                                 : !w.title.empty()    ? w.title
                                                       : "Window" + std::to_string(w.number);
        host_.windows().define(w.ident, name, w.visible);
    }
    placed_.clear();
    names_.clear();
    for (const Window& w : config_.windows)
        for (const GaugeLine& line : w.gauges) {
            host::PlacedGauge& g =
                line.parameters ? host_.place(line.gauge, std::string_view(*line.parameters)) : host_.place(line.gauge);
            const host::GaugeSize own = g.size().value_or(host::GaugeSize{1, 1});
            PixelBox box{line.x, line.y, own.width, own.height};
            if (line.width) {
                box.width = *line.width;
                box.height = line.height.value_or(proportional(*line.width, own.height, own.width));
            }
            placed_.push_back({&w, &line, &g, box});
            const std::string name(g.name());
            const auto copies = std::count_if(placed_.begin(), placed_.end() - 1,
                                              [&](const PlacedLine& p) { return p.gauge->name() == name; });
            names_.push_back(copies == 0 ? name : name + "@" + std::to_string(copies + 1));
        }
}

void PanelSession::place_again() {
    // Every gauge goes before any comes back, as when the simulator reloads
    // a panel: the last copy of a sound owner to go releases its sound.
    for (const PlacedLine& p : placed_) host_.kill(*p.gauge);
    host_.remove_killed();
    place_lines();
}

const WindowLayout& PanelSession::layout(const Window& window) const {
    for (const WindowLayout& l : layouts_)
        if (l.window == &window) return l;
    throw std::invalid_argument("the window is not of this panel");
}

std::size_t PanelSession::gauges_in(const Window& window) const {
    return std::size_t(
        std::count_if(placed_.begin(), placed_.end(), [&](const PlacedLine& p) { return p.window == &window; }));
}

host::PlacedGauge* PanelSession::find(std::string_view name) const {
    if (name.ends_with("@1")) name.remove_suffix(2);
    for (std::size_t i = 0; i < placed_.size(); ++i)
        if (names_[i] == name) return placed_[i].gauge;
    return nullptr;
}

bool PanelSession::shown(const Window& window) const {
    return window.kind == WindowKind::virtual_cockpit || host_.windows().visible(window.ident).value_or(false);
}

}  // namespace korvel::panel
