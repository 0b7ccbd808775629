#include "host/live/frames.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <variant>

namespace korvel::live {

namespace {

using nlohmann::json;

// Numbers to the thousandth of a pixel: the pictures cannot tell, the stream can.
double rounded(double v) { return std::isfinite(v) ? std::round(v * 1000) / 1000 : 0.0; }

json item_json(const render::DisplayItem& item) {
    json out = {{"e", item.element}};
    if (const auto* image = std::get_if<render::Image>(&item.draw)) {
        const render::Matrix& m = image->transform;
        out["img"] = image->bitmap;
        out["m"] =
            json::array({rounded(m.xx), rounded(m.yx), rounded(m.xy), rounded(m.yy), rounded(m.x0), rounded(m.y0)});
        if (image->alpha != 1.0) out["a"] = rounded(image->alpha);
        if (image->clip)
            out["clip"] = json::array({rounded(image->clip->x), rounded(image->clip->y), rounded(image->clip->width),
                                       rounded(image->clip->height)});
        if (image->mask)
            out["mask"] = json::array({image->mask->bitmap, rounded(image->mask->x), rounded(image->mask->y)});
    } else {
        const auto& text = std::get<render::Text>(item.draw);
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%02x%02x%02x", text.colour.red, text.colour.green, text.colour.blue);
        out["text"] = text.text;
        out["box"] =
            json::array({rounded(text.box.x), rounded(text.box.y), rounded(text.box.width), rounded(text.box.height)});
        out["font"] = text.font_face;
        out["weight"] = text.font_weight;
        out["size"] = rounded(text.font_size);
        out["colour"] = colour;
        out["across"] = text.centred_across;
        out["down"] = text.centred_down;
    }
    return out;
}

// Everything that decides the gauge's picture, byte for byte: a gauge
// travels again only when one of these changed.
void fingerprint(const host::PlacedGauge& g, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < g.element_count(); ++i) {
        const host::ElementState& s = g.element(i);
        const double numbers[] = {s.value, s.x, s.y, s.rotation};
        out.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
        const std::uint32_t flags = s.record->image_flags;
        out.append(reinterpret_cast<const char*>(&flags), sizeof flags);
        out += s.hidden ? '1' : '0';
        if (s.record->kind == element_string) out.append(g.text(i)).append(1, '\0');
    }
}

json failed_json(const std::vector<std::uint32_t>& failed) {
    json out = json::array();
    for (const std::uint32_t k : failed) out.push_back(k);
    return out;
}

}  // namespace

FrameEncoder::FrameEncoder(const panel::PanelSession& session, render::BitmapSizes sizes)
    : session_(session), sizes_(std::move(sizes)), seen_(session.placed().size()) {}

json FrameEncoder::picture(std::size_t index) const {
    try {
        const render::DisplayList list = render::display_list(*session_.placed()[index].gauge, sizes_);
        json items = json::array();
        for (const render::DisplayItem& item : list.items) items.push_back(item_json(item));
        return {{"w", list.width}, {"h", list.height}, {"items", std::move(items)}};
    } catch (const std::exception& e) {
        throw std::runtime_error("the picture of " + session_.names()[index] + ": " + e.what());
    }
}

json FrameEncoder::changes(const Readings& now) {
    json frame = json::object();
    json gauges = json::object();
    for (std::size_t i = 0; i < seen_.size(); ++i) {
        fingerprint(*session_.placed()[i].gauge, scratch_);
        if (scratch_ == seen_[i].fingerprint) continue;
        seen_[i].fingerprint.swap(scratch_);
        // A value may still creep where the picture no longer moves (a
        // smoothed needle closing in on its reading): what travels is what
        // the page would paint differently.
        json shown = picture(i);
        if (shown == seen_[i].picture) continue;
        seen_[i].picture = shown;
        gauges[session_.names()[i]] = std::move(shown);
    }
    if (!gauges.empty()) frame["gauges"] = std::move(gauges);

    json windows = json::object();
    windows_seen_.resize(session_.layouts().size());
    for (std::size_t w = 0; w < session_.layouts().size(); ++w) {
        const panel::Window& window = *session_.layouts()[w].window;
        const bool visible = session_.shown(window);
        if (visible != windows_seen_[w]) windows[panel::window_file_name(window)] = visible;
        windows_seen_[w] = visible;
    }
    if (!windows.empty()) frame["windows"] = std::move(windows);

    json sounds = json::array();
    for (const host::PlayedSound& played : now.sounds)
        if (played.wave != 0) sounds.push_back({{"gauge", played.gauge}, {"wave", played.wave}});
    if (!sounds.empty()) frame["sounds"] = std::move(sounds);

    if (now.values != values_seen_) frame["values"] = now.values;
    values_seen_ = now.values;
    if (now.profile != profile_seen_) frame["profile"] = now.profile;
    profile_seen_ = now.profile;
    json failed = failed_json(now.failed);
    if (failed != failed_seen_) frame["failed"] = failed;
    failed_seen_ = std::move(failed);

    if (frame.empty()) return nullptr;
    frame["cycle"] = now.cycle;
    return frame;
}

json FrameEncoder::everything(const Readings& now) {
    json gauges = json::object();
    for (std::size_t i = 0; i < seen_.size(); ++i) gauges[session_.names()[i]] = picture(i);
    json windows = json::object();
    for (const panel::WindowLayout& layout : session_.layouts())
        windows[panel::window_file_name(*layout.window)] = session_.shown(*layout.window);
    // clang-format off
    return {{"cycle", now.cycle},   {"gauges", std::move(gauges)}, {"windows", std::move(windows)},
            {"values", now.values}, {"profile", now.profile},      {"failed", failed_json(now.failed)}};
    // clang-format on
}

}  // namespace korvel::live
