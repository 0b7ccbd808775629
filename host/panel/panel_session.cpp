#include "host/panel/panel_session.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "host/core/text.h"
#include "module/vocabulary.h"

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

BitmapFile read_bitmap_file(const std::string& path) {
    BitmapFile out;
    std::ifstream in(path, std::ios::binary);
    unsigned char header[38] = {};
    const bool whole_header = bool(in.read(reinterpret_cast<char*>(header), sizeof header));
    if (in.gcount() < 26 || header[0] != 'B' || header[1] != 'M') {
        out.problem = "is not a bitmap (.bmp)";
        return out;
    }
    const std::int32_t info_size = little_endian(header + 14, 4);
    std::int32_t width = 0, height = 0, bits = 0, compression = 0, image_size = 0;
    if (info_size == 12) {
        width = little_endian(header + 18, 2);
        height = little_endian(header + 20, 2);
        bits = little_endian(header + 24, 2);
    } else if (info_size >= 40 && whole_header) {
        width = little_endian(header + 18, 4);
        height = little_endian(header + 22, 4);
        bits = little_endian(header + 28, 2);
        compression = little_endian(header + 30, 4);
        image_size = little_endian(header + 34, 4);
    } else {
        out.problem = "is not a bitmap (.bmp)";
        return out;
    }
    if (height == INT32_MIN || width <= 0 || height == 0 || bits <= 0 || bits > 32) {
        out.problem = "is not a bitmap (.bmp)";
        return out;
    }
    height = std::abs(height);  // a top-down bitmap
    // Where its pixels end: rows padded to four bytes, or the size the
    // header gives compressed pixels.
    const auto pixels_at = std::uint64_t(std::uint32_t(little_endian(header + 10, 4)));
    const std::uint64_t row = (std::uint64_t(width) * std::uint64_t(bits) + 31) / 32 * 4;
    const bool uncompressed = compression == 0 || compression == 3;
    const std::uint64_t end = pixels_at + (uncompressed ? row * std::uint64_t(height) : std::uint32_t(image_size));
    std::error_code error;
    const std::uintmax_t length = fs::file_size(path, error);
    if (!error && length < end) {
        out.problem = "is cut short: it holds " + std::to_string(length) + " bytes, and its header says its pixels " +
                      "run to byte " + std::to_string(end);
        return out;
    }
    out.size = host::GaugeSize{width, height};
    return out;
}

PanelSession::PanelSession(host::Host& host, const PanelConfig& config, const std::string& panel_folder,
                           Placing placing)
    : host_(host), config_(config), placing_(placing) {
    place_lines();
    for (const Window& w : config.windows) {
        WindowLayout layout;
        layout.window = &w;
        const auto warn = [&](int line, std::string message, std::string code) {
            problems_.push_back({line, std::move(message), Severity::warning, std::move(code), "", w.section});
        };
        if (!w.file.empty() && !panel_folder.empty()) {
            layout.background = find_beside(panel_folder, w.file);
            if (layout.background.empty()) {
                warn(w.file_line,
                     "the background bitmap " + w.file + " is not beside the panel.cfg; the window is drawn without it",
                     "background-missing");
            } else if (BitmapFile file = read_bitmap_file(layout.background); !file.size) {
                warn(w.file_line, w.file + " " + file.problem + "; the window is drawn without it",
                     file.problem.starts_with("is cut short") ? "background-cut-short" : "background-not-bitmap");
                layout.background.clear();
            } else {
                layout.bitmap = file.size;
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
        // A size_mm that could not be read has its own warning.
        if (w.width <= 0 && !layout.bitmap && w.size_line == 0)
            warn(w.line,
                 "[" + w.section + "] has neither size_mm nor a background bitmap; it is drawn as large as its gauges",
                 "window-no-size");
        if (layout.width > largest_window_side || layout.height > largest_window_side)
            warn(w.size_line != 0 ? w.size_line : w.line,
                 "[" + w.section + "] is " + std::to_string(layout.width) + " by " + std::to_string(layout.height) +
                     " units, larger than any screen: korvel-panel draws no window over " +
                     std::to_string(largest_window_side) + " a side, so it has no picture; is size_mm mistyped?",
                 "window-too-large");
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
    closings_.clear();
    std::map<std::string, int, std::less<>> copies;
    for (const Window& w : config_.windows)
        for (const GaugeLine& line : w.gauges) {
            const host::EventLog& log = host_.key_events();
            const std::size_t logged = log.size() + log.dropped();
            host::PlacedGauge& g =
                line.parameters ? host_.place(line.gauge, std::string_view(*line.parameters)) : host_.place(line.gauge);
            // What its install sent: a button's key a closes a window as the panel loads.
            const std::size_t sent = std::min(log.size() + log.dropped() - logged, log.size());
            for (std::size_t i = log.size() - sent; i < log.size(); ++i)
                if (log[i].event == event::close_panel_window)
                    closings_.emplace(std::int32_t(log[i].value), Closing{line.line, line.gauge});
            const std::optional<host::GaugeSize> own = g.size();
            const host::GaugeSize size = own.value_or(host::GaugeSize{1, 1});
            PixelBox box{line.x, line.y, size.width, size.height};
            if (line.width) {
                box.width = *line.width;
                box.height = line.height.value_or(proportional(*line.width, size.height, size.width));
            }
            placed_.push_back({&w, &line, &g, box, own, g.mouse()});
            const int copy = ++copies[std::string(g.name())];
            names_.push_back(copy == 1 ? std::string(g.name()) : std::string(g.name()) + "@" + std::to_string(copy));
            if (placing_ == Placing::one_at_a_time) {
                host_.kill(g);
                host_.remove_killed();
                placed_.back().gauge = nullptr;
            }
        }
}

void PanelSession::place_again() {
    // Every gauge goes before any comes back, as when the simulator reloads
    // a panel: the last copy of a sound owner to go releases its sound.
    for (const PlacedLine& p : placed_)
        if (p.gauge != nullptr) host_.kill(*p.gauge);
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
    const std::string wanted = lower(name);
    for (std::size_t i = 0; i < placed_.size(); ++i)
        if (lower(names_[i]) == wanted) return placed_[i].gauge;
    return nullptr;
}

bool PanelSession::shown(const Window& window) const {
    return window.kind == WindowKind::virtual_cockpit || host_.windows().visible(window.ident).value_or(false);
}

const Closing* PanelSession::closed_at_load(const Window& window) const {
    if (window.kind != WindowKind::window || !window.visible || shown(window)) return nullptr;
    const auto c = closings_.find(window.ident);
    return c != closings_.end() ? &c->second : nullptr;
}

}  // namespace korvel::panel
