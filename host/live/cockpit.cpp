#include "host/live/cockpit.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "host/core/cp1252.h"
#include "host/core/failures.h"
#include "host/core/riff.h"
#include "host/panel/flight_state.h"
#include "host/render/display_list.h"
#include "host/render/renderer.h"
#include "platform/platform_log.h"

namespace korvel::live {

namespace {

using nlohmann::json;

// What the side panel lets a pilot watch and set: the value shown is the
// variable times `scale` plus `offset`, in the pilot's unit.
struct Control {
    const char* group;
    const char* label;
    std::uint32_t token;
    const char* unit;
    double scale, offset, low, high, step;
};

constexpr Control controls[] = {
    {"Flight", "Indicated airspeed", 61, "kt", 1, 0, 0, 600, 1},
    {"Flight", "Altitude", 74, "ft", 1, 0, -1000, 50000, 10},
    {"Flight", "Vertical speed", 65, "ft/min", 60.0 / 0.3048 / 256.0, 0, -6000, 6000, 50},
    {"Flight", "Pitch", 78, "°", 1, 0, -90, 90, 0.5},
    {"Flight", "Bank", 80, "°", 1, 0, -90, 90, 0.5},
    {"Flight", "Magnetic heading", 83, "°", 1, 0, 0, 359.9, 1},
    {"Flight", "Gyro heading", 84, "°", 1, 0, 0, 359.9, 1},
    {"Flight", "Turn rate", 70, "°/s", 1.0 / 256.0, 0, -6, 6, 0.1},
    {"Flight", "Load factor", 351, "g", 1.0 / 624.0, 0, -3, 8, 0.1},
    {"Engine", "Throttle lever", 558, "%", 100, 0, 0, 100, 1},
    {"Engine", "Engine speed", 627, "%", 1, 0, 0, 110, 0.5},
    {"Engine", "Turbine temperature", 631, "°C", 1 / 1.8, -491.67 / 1.8, -60, 1000, 5},
    {"Engine", "Oil temperature", 561, "°C", 1 / 1.8, -491.67 / 1.8, -60, 200, 1},
    {"Engine", "Reservoir pressure", 732, "kg/cm²", 1 / 2048.146, 0, 0, 200, 1},
    {"Fuel", "Centre tank", 289, "%", 100.0 / 8388608.0, 0, 0, 100, 1},
    {"Fuel", "Main tank, left", 291, "%", 100.0 / 8388608.0, 0, 0, 100, 1},
    {"Fuel", "Main tank, right", 297, "%", 100.0 / 8388608.0, 0, 0, 100, 1},
    {"Fuel", "Drop tank, left", 293, "%", 100.0 / 8388608.0, 0, 0, 100, 1},
    {"Fuel", "Drop tank, right", 299, "%", 100.0 / 8388608.0, 0, 0, 100, 1},
    {"Gear and flaps", "Nose gear", 332, "% down", 100.0 / 16383.0, 0, 0, 100, 1},
    {"Gear and flaps", "Left gear", 333, "% down", 100.0 / 16383.0, 0, 0, 100, 1},
    {"Gear and flaps", "Right gear", 334, "% down", 100.0 / 16383.0, 0, 0, 100, 1},
    {"Gear and flaps", "Flaps", 330, "% down", 100.0 / 16383.0, 0, 0, 100, 1},
    {"Gear and flaps", "Speed brake", 326, "% out", 100.0 / 16383.0, 0, 0, 100, 1},
    {"Gear and flaps", "Left brake", 320, "%", 100.0 / 32768.0, 0, 0, 100, 1},
    {"Gear and flaps", "Right brake", 321, "%", 100.0 / 32768.0, 0, 0, 100, 1},
    {"Radios", "COM1", 23, "MHz", 0, 0, 118, 136.975, 0.025},
    {"Radios", "NAV1", 24, "MHz", 0, 0, 108, 117.95, 0.05},
    {"Radios", "NAV2", 27, "MHz", 0, 0, 108, 117.95, 0.05},
    {"Radios", "Transponder", 38, "code", 0, 0, 0, 7777, 1},
    {"Radios", "NAV1 course", 45, "°", 1, 0, 0, 359, 1},
};

// The radio words travel as the simulator keeps them, BCD; the page shows
// and sets them in megahertz or as the code.
bool is_radio(std::uint32_t token) { return token == 23 || token == 24 || token == 27 || token == 38; }

double shown(const Control& c, const host::VariableStore& v) {
    if (!is_radio(c.token)) return v.number(c.token) * c.scale + c.offset;
    const std::uint32_t digits = host::from_bcd(v.word(c.token) & 0xFFFF);
    return c.token == 38 ? double(digits) : 100.0 + digits / 100.0;
}

const char* cursor_name(const MouseRect& rect) {
    if ((rect.accepted_events & mouse_drag) != 0) return "grab";
    switch (rect.cursor) {
        case cursor_hand: return "pointer";
        case cursor_up_arrow: return "n-resize";
        case cursor_down_arrow: return "s-resize";
        default: return "default";
    }
}

json box(const PixelBox& b) { return json::array({b.x, b.y, b.width, b.height}); }

std::string png_of(cairo_surface_t* surface) {
    std::string out;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &out);
    return out;
}

// Numbers to the thousandth of a pixel: the pictures cannot tell, the stream can.
double rounded(double v) { return std::isfinite(v) ? std::round(v * 1000) / 1000 : 0.0; }

json item_json(const render::DisplayItem& item) {
    json out = {{"e", item.element}};
    if (const auto* image = std::get_if<render::Image>(&item.draw)) {
        const render::Matrix& m = image->transform;
        out["img"] = image->bitmap;
        out["m"] = json::array({rounded(m.xx), rounded(m.yx), rounded(m.xy), rounded(m.yy), rounded(m.x0), rounded(m.y0)});
        if (image->alpha != 1.0) out["a"] = rounded(image->alpha);
        if (image->clip)
            out["clip"] = json::array(
                {rounded(image->clip->x), rounded(image->clip->y), rounded(image->clip->width), rounded(image->clip->height)});
        if (image->mask) out["mask"] = json::array({image->mask->bitmap, rounded(image->mask->x), rounded(image->mask->y)});
    } else {
        const auto& text = std::get<render::Text>(item.draw);
        char colour[8];
        std::snprintf(colour, sizeof colour, "#%02x%02x%02x", text.colour.red, text.colour.green, text.colour.blue);
        out["text"] = text.text;
        out["box"] = json::array({rounded(text.box.x), rounded(text.box.y), rounded(text.box.width), rounded(text.box.height)});
        out["font"] = text.font_face;
        out["weight"] = text.font_weight;
        out["size"] = rounded(text.font_size);
        out["colour"] = colour;
        out["across"] = text.centred_across;
        out["down"] = text.centred_down;
    }
    return out;
}

void put(std::string& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((v >> (8 * i)) & 0xFF);
}

}  // namespace

Cockpit::Cockpit(const PanelSource& source)
    : host_(std::make_unique<host::Host>()),
      panel_file_(source.panel_file),
      panel_folder_(source.panel_folder),
      examples_(source.examples),
      profiles_(source.profiles),
      bitmaps_(render::module_bitmaps(*host_)) {
    // Bitmap sizes are asked for every element at every cycle: read each header once.
    sizes_ = [read = render::module_bitmap_sizes(host_->library()),
              known = std::make_shared<std::map<std::int32_t, std::optional<render::BitmapSize>>>()](std::int32_t id) {
        auto it = known->find(id);
        if (it == known->end()) it = known->emplace(id, read(id)).first;
        return it->second;
    };
    config_ = panel::read_panel_config(source.panel_text, panel::module_gauges(*host_));
    session_ = std::make_unique<panel::PanelSession>(*host_, config_, panel_folder_);
    if (session_->placed().empty()) throw std::runtime_error(panel_file_ + " places no gauge of Korvel_Instr");
    for (const panel::PlacedLine& p : session_->placed()) {
        const std::string name(p.gauge->name());
        const auto copies = std::count(names_.begin(), names_.end(), name) +
                            std::count_if(names_.begin(), names_.end(),
                                          [&](const std::string& n) { return n.rfind(name + "@", 0) == 0; });
        names_.push_back(copies == 0 ? name : name + "@" + std::to_string(copies + 1));
    }
    seen_.resize(names_.size());
    const panel::FlightState state = panel::read_flight_state(source.state_text);
    panel::apply_flight_state(state, host_->simulator());
    if (!profiles_.empty()) player_.load(read_profile(profiles_.front().second));
    host_->update();
    host_->clear_logs();
    changes();  // what every page starts from: its first frame is the whole panel
}

Cockpit::~Cockpit() = default;

json Cockpit::gauge_picture(std::size_t index) {
    try {
        const render::DisplayList list = render::display_list(*session_->placed()[index].gauge, sizes_);
        json items = json::array();
        for (const render::DisplayItem& item : list.items) items.push_back(item_json(item));
        return {{"w", list.width}, {"h", list.height}, {"items", std::move(items)}};
    } catch (const std::exception& e) {
        throw std::runtime_error("the picture of " + names_[index] + ": " + e.what());
    }
}

Catalogue Cockpit::catalogue() const {
    std::vector<GaugeName> gauges;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const host::PlacedGauge& g = *session_->placed()[i].gauge;
        gauges.push_back({names_[i], g.size().value_or(host::GaugeSize{1, 1})});
    }
    return Catalogue(std::move(gauges));
}

json Cockpit::panel() const {
    json windows = json::array();
    for (std::size_t w = 0; w < session_->layouts().size(); ++w) {
        const panel::WindowLayout& layout = session_->layouts()[w];
        const panel::Window& window = *layout.window;
        const bool cockpit = window.kind == panel::WindowKind::virtual_cockpit;
        json gauges = json::array();
        for (std::size_t i = 0; i < names_.size(); ++i) {
            const panel::PlacedLine& p = session_->placed()[i];
            if (p.window != &window) continue;
            const host::GaugeSize size = p.gauge->size().value_or(host::GaugeSize{1, 1});
            json areas = json::array();
            for (const host::ChildArea& child : p.gauge->mouse().children()) {
                const PixelBox b = child.area.unbounded ? PixelBox{0, 0, size.width, size.height} : child.area.box;
                const std::uint32_t accepted = child.rect->accepted_events;
                json buttons = json::array();
                if (accepted & mouse_left_click) buttons.push_back("left");
                if (accepted & mouse_right_click) buttons.push_back("right");
                areas.push_back({{"box", box(b)},
                                 {"cursor", cursor_name(*child.rect)},
                                 {"buttons", buttons},
                                 {"repeat", (accepted & mouse_repeat) != 0},
                                 {"drag", (accepted & mouse_drag) != 0}});
            }
            gauges.push_back({{"name", names_[i]},
                              {"gauge", std::string(p.gauge->name())},
                              {"box", box(p.box)},
                              {"size", json::array({size.width, size.height})},
                              {"areas", areas}});
        }
        json others = json::array();
        for (const panel::GaugeLine& o : window.others)
            if (o.width)
                others.push_back({{"module", host::utf8_from_cp1252(o.module)},
                                  {"gauge", host::utf8_from_cp1252(o.gauge)},
                                  {"box", json::array({o.x, o.y, *o.width, o.height.value_or(*o.width)})}});
        json entry = {{"id", panel::window_file_name(window)},
                      {"index", w},
                      {"kind", cockpit ? "virtual_cockpit" : "window"},
                      {"number", window.number},
                      {"title", host::utf8_from_cp1252(!window.title.empty() ? window.title : window.section)},
                      {"width", layout.width},
                      {"height", layout.height},
                      {"gauges", gauges},
                      {"others", others},
                      {"background", layout.background.empty() ? json() : json("/api/background/" + std::to_string(w) + ".png")}};
        if (!cockpit) entry["ident"] = window.ident;
        if (window.background_color)
            entry["background_color"] = json::array(
                {(*window.background_color)[0], (*window.background_color)[1], (*window.background_color)[2]});
        windows.push_back(std::move(entry));
    }
    json failures = json::array();
    for (const host::FailureKey& k : host::failure_keys) failures.push_back({{"key", k.key}, {"name", k.name}});
    json watch = json::array();
    for (const Control& c : controls)
        watch.push_back({{"group", c.group},
                         {"label", c.label},
                         {"token", c.token},
                         {"unit", c.unit},
                         {"low", c.low},
                         {"high", c.high},
                         {"step", c.step},
                         {"radio", is_radio(c.token)},
                         // The page sets a value shown in the control's unit
                         // back as the simulator's: (shown - offset) / scale.
                         {"scale", c.scale},
                         {"offset", c.offset}});
    json examples = json::array(), profiles = json::array();
    for (const auto& e : examples_) examples.push_back(e.first);
    for (const auto& p : profiles_) profiles.push_back(p.first);
    return {{"panel", panel_file_},
            {"windows", windows},
            {"failures", failures},
            {"controls", watch},
            {"examples", examples},
            {"profiles", profiles},
            {"cycles_per_second", cycles_per_second}};
}

void Cockpit::fingerprint(const host::PlacedGauge& g, std::string& out) const {
    // Everything that decides the gauge's picture, byte for byte: a gauge
    // travels again only when one of these changed.
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

json Cockpit::watched() const {
    json values = json::object();
    for (const Control& c : controls) {
        const double v = shown(c, host_->variables());
        values[std::to_string(c.token)] = std::isfinite(v) ? json(std::round(v * 1000) / 1000) : json();
    }
    return values;
}

json Cockpit::changes() {
    json frame = json::object();
    json gauges = json::object();
    for (std::size_t i = 0; i < names_.size(); ++i) {
        const host::PlacedGauge& g = *session_->placed()[i].gauge;
        fingerprint(g, scratch_);
        if (scratch_ == seen_[i].fingerprint) continue;
        seen_[i].fingerprint.swap(scratch_);
        // A value may still creep where the picture no longer moves (a
        // smoothed needle closing in on its reading): what travels is what
        // the page would paint differently.
        json picture = gauge_picture(i);
        if (picture == seen_[i].picture) continue;
        seen_[i].picture = picture;
        gauges[names_[i]] = std::move(picture);
    }
    if (!gauges.empty()) frame["gauges"] = std::move(gauges);

    json windows = json::object();
    windows_seen_.resize(session_->layouts().size());
    for (std::size_t w = 0; w < session_->layouts().size(); ++w) {
        const panel::Window& window = *session_->layouts()[w].window;
        const bool visible = window.kind == panel::WindowKind::virtual_cockpit ||
                             host_->windows().visible(window.ident).value_or(false);
        if (visible != windows_seen_[w]) windows[panel::window_file_name(window)] = visible;
        windows_seen_[w] = visible;
    }
    if (!windows.empty()) frame["windows"] = std::move(windows);

    const auto& plays = platform::platform_log().plays;
    if (sounds_sent_ > plays.size()) sounds_sent_ = 0;  // the log was cleared
    json sounds = json::array();
    for (; sounds_sent_ < plays.size(); ++sounds_sent_) {
        const platform::SoundPlay& play = plays[sounds_sent_];
        if (const std::uint32_t wave = host_->wave_in_buffer(play.buffer); wave != 0)
            sounds.push_back({{"gauge", play.owner != nullptr ? play.owner : ""}, {"wave", wave}});
    }
    if (!sounds.empty()) frame["sounds"] = std::move(sounds);

    json values = watched();
    if (values != watched_seen_) frame["values"] = values;
    watched_seen_ = std::move(values);

    json profile = profile_state();
    if (profile != profile_seen_) frame["profile"] = profile;
    profile_seen_ = std::move(profile);

    json failed = json::array();
    for (const std::uint32_t k : host_->failed()) failed.push_back(k);
    if (failed != failed_seen_) frame["failed"] = failed;
    failed_seen_ = std::move(failed);

    if (frame.empty()) return nullptr;
    frame["cycle"] = cycle_;
    return frame;
}

json Cockpit::cycle() {
    ++cycle_;
    // A fault names its step; the host names the gauge of a failed update or click.
    const char* step = "the flight profile";
    try {
        player_.advance(1.0 / cycles_per_second, host_->simulator());
        if (held_) {
            // The simulator repeats a held button's call after a short wait,
            // then every other cycle, to the areas that ask for it.
            step = "the held button";
            ++held_->cycles;
            if (held_->cycles >= 8 && held_->cycles % 2 == 0)
                host_->mouse_event(*held_->gauge, held_->x, held_->y, held_->button | mouse_repeat,
                                   held_->button | mouse_repeat);
        }
        step = "the update";
        host_->update();
        step = "the frame";
        return changes();
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(step) + ": " + e.what());
    }
}

json Cockpit::full_frame() {
    // What the page that has just connected needs, as it stands now; what
    // the other pages were last sent stays as it was, so that they still
    // get every change at the next cycle.
    json gauges = json::object();
    for (std::size_t i = 0; i < names_.size(); ++i) gauges[names_[i]] = gauge_picture(i);
    json windows = json::object();
    for (const panel::WindowLayout& layout : session_->layouts()) {
        const panel::Window& window = *layout.window;
        windows[panel::window_file_name(window)] = window.kind == panel::WindowKind::virtual_cockpit ||
                                                   host_->windows().visible(window.ident).value_or(false);
    }
    json failed = json::array();
    for (const std::uint32_t k : host_->failed()) failed.push_back(k);
    return {{"cycle", cycle_},     {"gauges", std::move(gauges)}, {"windows", std::move(windows)},
            {"values", watched()}, {"profile", profile_state()},  {"failed", std::move(failed)}};
}

json Cockpit::profile_state() const {
    return {{"loaded", player_.loaded()},
            {"playing", player_.playing()},
            {"time", std::round(player_.time() * 100) / 100},
            {"length", player_.profile().length()},
            {"speed", player_.speed()}};
}

json Cockpit::click(const ClickRequest& r) {
    const auto index = std::find(names_.begin(), names_.end(), r.gauge) - names_.begin();
    host::PlacedGauge& g = *session_->placed().at(std::size_t(index)).gauge;
    const std::uint32_t bit = r.button == Button::left ? mouse_left_click : mouse_right_click;
    bool taken = false;
    switch (r.action) {
        case MouseAction::click:
            held_.reset();
            taken = host_->click(g, r.x, r.y, r.button == Button::left ? host::MouseButton::left : host::MouseButton::right);
            break;
        case MouseAction::press:
            held_.reset();
            taken = host_->click(g, r.x, r.y, r.button == Button::left ? host::MouseButton::left : host::MouseButton::right);
            if (taken) held_ = Held{&g, r.x, r.y, bit};
            break;
        case MouseAction::release:
            taken = held_.has_value();
            held_.reset();
            break;
        case MouseAction::drag:
            // With the left button down since a press on this gauge: the
            // area pressed follows the pointer, wherever it goes.
            if (held_ && held_->gauge == &g && held_->button == mouse_left_click)
                taken = host_->drag_to(g, held_->x, held_->y, r.x, r.y);
            break;
    }
    return {{"taken", taken}};
}

json Cockpit::tooltip(const TooltipRequest& r) {
    const auto index = std::find(names_.begin(), names_.end(), r.gauge) - names_.begin();
    host::PlacedGauge& g = *session_->placed().at(std::size_t(index)).gauge;
    const host::Tooltip tip = host_->tooltip(g, r.x, r.y);
    if (!tip.shown) return {{"shown", false}};
    json out = {{"shown", true}, {"text", host::utf8_from_cp1252(tip.text)}};
    if (tip.text.empty()) out["help_id"] = tip.help_id;
    return out;
}

json Cockpit::apply_state_text(const std::string& text) {
    const panel::FlightState state = panel::read_flight_state(text);
    panel::apply_flight_state(state, host_->simulator());
    json problems = json::array();
    for (const auto& p : state.problems) problems.push_back({{"line", p.line}, {"message", p.message}});
    return problems;
}

json Cockpit::set_state(const StateRequest& r) {
    json problems = json::array();
    if (r.example) {
        const auto e = std::find_if(examples_.begin(), examples_.end(), [&](const auto& x) { return x.first == *r.example; });
        if (e == examples_.end()) return {{"error", "no shipped flight state is called '" + *r.example + "'"}};
        player_.pause();
        problems = apply_state_text(e->second);
    }
    if (r.text) {
        player_.pause();
        for (auto& p : apply_state_text(*r.text)) problems.push_back(std::move(p));
    }
    for (const auto& [token, value] : r.values) host_->variables().set(token, value);
    if (r.atc_id) host_->simulator().atc_id = *r.atc_id;
    if (r.restore_all) host_->restore_all();
    for (const std::uint32_t k : r.restore) host_->restore(k);
    for (const std::uint32_t k : r.fail) host_->fail(k);
    json failed = json::array();
    for (const std::uint32_t k : host_->failed()) failed.push_back(k);
    return {{"problems", problems}, {"failed", failed}};
}

json Cockpit::profile(const ProfileRequest& r) {
    switch (r.action) {
        case ProfileAction::load: {
            std::string text;
            if (r.example) {
                const auto p =
                    std::find_if(profiles_.begin(), profiles_.end(), [&](const auto& x) { return x.first == *r.example; });
                if (p == profiles_.end()) return {{"error", "no shipped profile is called '" + *r.example + "'"}};
                text = p->second;
            } else {
                text = *r.text;
            }
            Profile loaded = read_profile(text);
            json problems = json::array();
            for (const auto& p : loaded.problems) problems.push_back({{"line", p.line}, {"message", p.message}});
            if (loaded.keyframes.empty()) return {{"error", "the profile has no keyframe"}, {"problems", problems}};
            player_.load(std::move(loaded));
            player_.apply(host_->simulator());
            return {{"problems", problems}, {"length", player_.profile().length()}};
        }
        case ProfileAction::play:
            if (!player_.loaded()) return {{"error", "no profile is loaded"}};
            if (player_.time() >= player_.profile().length()) player_.seek(0);
            player_.play();
            break;
        case ProfileAction::pause:
            player_.pause();
            break;
        case ProfileAction::seek:
            player_.seek(*r.time);
            player_.apply(host_->simulator());
            break;
    }
    if (r.speed) player_.set_speed(*r.speed);
    return {{"playing", player_.playing()}, {"time", player_.time()}, {"length", player_.profile().length()}};
}

std::optional<std::string> Cockpit::gauge_png(const std::string& name) {
    const auto index = std::find(names_.begin(), names_.end(), name) - names_.begin();
    if (std::size_t(index) >= names_.size()) return std::nullopt;
    const host::PlacedGauge& g = *session_->placed()[std::size_t(index)].gauge;
    const host::GaugeSize size = render::gauge_pixels(g, bitmaps_);
    render::Surface out(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height));
    cairo_t* cr = cairo_create(out.get());
    render::draw_gauge(cr, g, bitmaps_);
    cairo_destroy(cr);
    return png_of(out.get());
}

std::optional<std::string> Cockpit::bitmap_png(std::int32_t id) {
    cairo_surface_t* bitmap = bitmaps_.get(id);
    if (bitmap == nullptr) return std::nullopt;
    return png_of(bitmap);
}

std::optional<std::string> Cockpit::background_png(std::size_t window) {
    if (window >= session_->layouts().size() || session_->layouts()[window].background.empty()) return std::nullopt;
    std::ifstream in(session_->layouts()[window].background, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    const render::Surface s = render::decode_bitmap(bytes);
    if (!s) return std::nullopt;
    return png_of(s.get());
}

std::optional<std::string> Cockpit::wave(std::uint32_t id) const {
    // The samples the module's buffer holds, as a plain PCM wave the page can
    // play: an ADPCM resource arrives decoded, as DirectSound got it.
    const auto file = host_->library().resource("WAVE", id);
    if (!file) return std::nullopt;
    const auto format = host::wave_chunk(*file, "fmt ");
    const auto samples = host::wave_pcm(*file);
    if (!format || format->size() < 16 || !samples) return std::nullopt;
    const auto word = [&](std::size_t at) { return std::uint32_t((*format)[at] | (*format)[at + 1] << 8); };
    const std::uint32_t channels = word(2);
    const std::uint32_t rate = word(4) | word(6) << 16;
    const std::uint32_t bits = word(0) == 1 ? word(14) : 16;
    const std::uint32_t align = channels * bits / 8;
    std::string out = "RIFF";
    put(out, std::uint32_t(36 + samples->size()), 4);
    out += "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2);
    put(out, channels, 2);
    put(out, rate, 4);
    put(out, rate * align, 4);
    put(out, align, 2);
    put(out, bits, 2);
    out += "data";
    put(out, std::uint32_t(samples->size()), 4);
    out.append(reinterpret_cast<const char*>(samples->data()), samples->size());
    return out;
}

}  // namespace korvel::live
