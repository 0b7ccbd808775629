#include "host/live/cockpit.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "host/core/cp1252.h"
#include "host/core/failures.h"
#include "host/core/help_texts.h"
#include "host/live/controls.h"
#include "host/live/editor.h"
#include "host/live/media.h"
#include "host/panel/check_trials.h"
#include "host/panel/check_words.h"
#include "host/panel/flight_state.h"
#include "host/render/display_list.h"
#include "host/render/renderer.h"

namespace korvel::live {

namespace {

using nlohmann::json;

const char* cursor_name(const MouseRect& rect) {
    if ((rect.accepted_events & mouse_drag) != 0) return "grab";
    switch (rect.cursor) {
        case cursor_hand:
            return "pointer";
        case cursor_up_arrow:
            return "n-resize";
        case cursor_down_arrow:
            return "s-resize";
        default:
            return "default";
    }
}

json box(const PixelBox& b) { return json::array({b.x, b.y, b.width, b.height}); }

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
    if (source.editing)
        editor_ = std::make_unique<Editor>(source.panel_file, source.panel_text, panel::module_gauges(*host_));
    session_ = std::make_unique<panel::PanelSession>(*host_, config_, panel_folder_);
    if (session_->placed().empty() && !editor_)
        throw std::runtime_error(panel_file_ + " places no gauge of Korvel_Instr");
    names_ = session_->names();
    measure_plate();
    frames_ = std::make_unique<FrameEncoder>(*session_, sizes_);
    const panel::FlightState state = panel::read_flight_state(source.state_text);
    panel::apply_flight_state(state, host_->simulator());
    if (!profiles_.empty()) player_.load(read_profile(profiles_.front().second));
    host_->update();
    host_->clear_logs();
    frames_->changes(readings(true));  // what every page starts from: its first frame is the whole panel
}

Cockpit::~Cockpit() = default;

// The registration plate's text is cut to its buffer: a registration longer
// than that is refused rather than shown cut.
void Cockpit::measure_plate() {
    plate_characters_ = 0;
    if (const host::PlacedGauge* plate = session_->find(panel::registration_plate))
        for (std::size_t i = 0; i < plate->element_count(); ++i)
            if (plate->element(i).record->kind == element_string)
                plate_characters_ =
                    host::Host::text_room(*reinterpret_cast<const StringElement*>(plate->element(i).record));
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
            // clang-format off
            gauges.push_back({{"name", names_[i]},
                              {"gauge", std::string(p.gauge->name())},
                              {"box", box(p.box)},
                              {"size", json::array({size.width, size.height})},
                              {"areas", areas}});
            // clang-format on
            if (editor_)
                gauges.back()["line"] = {{"section", window.section}, {"key", p.line->key}, {"number", p.line->line}};
        }
        json others = json::array();
        // clang-format off
        for (const panel::GaugeLine& o : window.others)
            if (o.width || editor_)
                others.push_back({{"module", host::utf8_from_cp1252(o.module)},
                                  {"gauge", host::utf8_from_cp1252(o.gauge)},
                                  {"box", json::array({o.x, o.y, o.width.value_or(32), o.height.value_or(o.width.value_or(32))})}});
        // clang-format on
        if (editor_)
            for (std::size_t k = 0; k < others.size(); ++k) {
                const panel::GaugeLine& o = window.others[k];
                others[k]["line"] = {{"section", window.section}, {"key", o.key}, {"number", o.line}};
                others[k]["sized"] = o.width.has_value();
            }
        // clang-format off
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
        // clang-format on
        if (!cockpit) entry["ident"] = window.ident;
        if (window.background_color)
            entry["background_color"] = json::array(
                {(*window.background_color)[0], (*window.background_color)[1], (*window.background_color)[2]});
        windows.push_back(std::move(entry));
    }
    json failures = json::array();
    for (const host::FailureKey& k : host::failure_keys) failures.push_back({{"key", k.key}, {"name", k.name}});
    json watch = json::array();
    for (const Control& c : controls()) {
        static constexpr const char* kinds[] = {"number", "frequency", "code"};
        watch.push_back({{"id", c.id},
                         {"group", c.group},
                         {"label", c.label},
                         {"kind", kinds[int(c.kind)]},
                         {"unit", c.unit},
                         {"low", c.low},
                         {"high", c.high},
                         {"step", c.step}});
        if (c.below != nullptr) watch.back()["sides"] = json::array({c.below, c.above});
    }
    json examples = json::array(), profiles = json::array();
    for (const auto& e : examples_) examples.push_back(e.first);
    for (const auto& p : profiles_) profiles.push_back(p.first);
    json out = {{"panel", panel_file_},
                {"windows", windows},
                {"failures", failures},
                {"controls", watch},
                {"examples", examples},
                {"profiles", profiles},
                {"cycles_per_second", cycles_per_second}};
    if (editor_) add_edit_fields(out);
    return out;
}

json Cockpit::watched() const {
    json values = json::object();
    for (const Control& c : controls()) {
        const double v = reading(c, host_->variables());
        // A level wing reads 0, not -0, whatever the sign the table turns.
        values[c.id] = std::isfinite(v) ? json(std::round(v * 1000) / 1000 + 0.0) : json();
    }
    return values;
}

Readings Cockpit::readings(bool with_sounds) {
    Readings now;
    now.cycle = cycle_;
    now.values = watched();
    now.profile = profile_state();
    now.failed = host_->failed();
    if (!with_sounds) return now;
    if (sounds_sent_ > host_->sound_count()) sounds_sent_ = 0;  // the record was cleared
    now.sounds = host_->sounds_played(sounds_sent_);
    sounds_sent_ = host_->sound_count();
    return now;
}

json Cockpit::cycle() {
    ++cycle_;
    // A page that went without a word while it held a button is gone: what
    // it held is let go, or the knob would step for every viewer.
    if (holder_ && cycle_ - holder_seen_ > std::uint64_t(cycles_per_second)) let_go();
    // A fault names its step; the host names the gauge of a failed update or click.
    const char* step = "the flight profile";
    try {
        player_.advance(1.0 / cycles_per_second, host_->simulator());
        // The update repeats a held button's call, as the simulator does.
        step = "the update";
        host_->update();
        step = "the frame";
        return frames_->changes(readings(true));
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(step) + ": " + e.what());
    }
}

json Cockpit::full_frame() {
    // A page that has just come hears nothing of the past, and the sounds
    // stay for the other pages' next frame.
    json frame = frames_->everything(readings(false));
    // A page of the editor lays the panel out again from the frame that
    // follows each edit, in step with the pictures it carries.
    if (editor_) frame["panel"] = panel();
    return frame;
}

json Cockpit::profile_state() const {
    return {{"loaded", player_.loaded()},
            {"playing", player_.playing()},
            {"time", std::round(player_.time() * 100) / 100},
            {"length", player_.profile().length()},
            {"speed", player_.speed()}};
}

void Cockpit::let_go() {
    host_->release();
    holder_.reset();
}

json Cockpit::click(const ClickRequest& r) {
    // The panel may have been placed again since the request was checked.
    host::PlacedGauge* placed = session_->find(r.gauge);
    if (placed == nullptr) return {{"error", "the panel no longer places a gauge '" + r.gauge + "'"}};
    host::PlacedGauge& g = *placed;
    const host::MouseButton button = r.button == Button::left ? host::MouseButton::left : host::MouseButton::right;
    // Only the hand that holds a button moves or lets go of it: a page's
    // release or drag leaves another page's hold alone.
    const bool holder = host_->held() != nullptr && holder_ == r.page;
    if (holder && r.page) holder_seen_ = cycle_;
    bool taken = false;
    json out;
    switch (r.action) {
        case MouseAction::click:
        case MouseAction::press: {
            host_->clear_logs();
            taken = host_->press(g, r.x, r.y, button);
            holder_ = r.page;
            holder_seen_ = cycle_;
            // What the module asked for that this host shows nothing of, as
            // the checker words it.
            const auto unseen = panel::words::shown_only_in_the_simulator(panel::actions_logged(*host_), config_);
            if (!unseen.empty()) out["note"] = panel::words::join(unseen, "; ");
            if (r.action == MouseAction::click) let_go();
            break;
        }
        case MouseAction::release:
            taken = holder;
            if (holder) let_go();
            break;
        case MouseAction::drag:
            // With the left button down since a press on this gauge: the
            // area pressed follows the pointer, wherever it goes.
            taken = holder && host_->held() == &g && host_->move_held(r.x, r.y);
            break;
    }
    out["taken"] = taken;
    return out;
}

json Cockpit::heartbeat(std::uint64_t page) {
    const bool holds = host_->held() != nullptr && holder_ == page;
    if (holds) holder_seen_ = cycle_;
    return {{"holds", holds}};
}

void Cockpit::page_gone(std::uint64_t page) {
    if (holder_ == page) let_go();
}

json Cockpit::tooltip(const TooltipRequest& r) {
    host::PlacedGauge* placed = session_->find(r.gauge);
    if (placed == nullptr) return {{"error", "the panel no longer places a gauge '" + r.gauge + "'"}};
    host::PlacedGauge& g = *placed;
    const host::Tooltip tip = host_->tooltip(g, r.x, r.y);
    if (!tip.shown) return {{"shown", false}};
    if (!tip.text.empty()) return {{"shown", true}, {"text", host::utf8_from_cp1252(tip.text)}};
    // Where the simulator would show a help text of its own, this host names
    // the instrument.
    return {{"shown", true}, {"text", host::help_text(tip.help_id)}, {"help_id", tip.help_id}};
}

// A flight loaded is the whole flight: the simulator's variables, failures
// and windows start over, the panel is placed again, and the file applies
// on top. What the module keeps across a panel reload (its module-wide
// flags) stays, as it does in the simulator.
json Cockpit::load_flight(const std::string& text) {
    const panel::FlightState state = panel::read_flight_state(text);
    player_.pause();
    let_go();
    host_->simulator() = host::SimulatorState{};
    session_->place_again();
    panel::apply_flight_state(state, host_->simulator());
    json problems = json::array();
    for (const auto& p : state.problems) problems.push_back({{"line", p.line}, {"message", p.message}});
    return problems;
}

json Cockpit::set_state(const StateRequest& r) {
    if (r.atc_id && plate_characters_ > 0 && r.atc_id->size() > plate_characters_)
        return {{"error", "the registration plate shows " + std::to_string(plate_characters_) + " characters: '" +
                              host::utf8_from_cp1252(*r.atc_id) + "' would be cut after '" +
                              host::utf8_from_cp1252(r.atc_id->substr(0, plate_characters_)) + "'"}};
    json problems = json::array();
    if (r.example) {
        const auto e =
            std::find_if(examples_.begin(), examples_.end(), [&](const auto& x) { return x.first == *r.example; });
        if (e == examples_.end()) return {{"error", "no shipped flight state is called '" + *r.example + "'"}};
        problems = load_flight(e->second);
    }
    if (r.text)
        for (auto& p : load_flight(*r.text)) problems.push_back(std::move(p));
    for (const auto& [control, value] : r.values) host_->variables().set(control->token, value);
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
                const auto p = std::find_if(profiles_.begin(), profiles_.end(),
                                            [&](const auto& x) { return x.first == *r.example; });
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
    const host::PlacedGauge* g = session_->find(name);
    if (g == nullptr) return std::nullopt;
    return media::gauge_png(*g, bitmaps_);
}

std::optional<std::string> Cockpit::bitmap_png(std::int32_t id) {
    cairo_surface_t* bitmap = bitmaps_.get(id);
    if (bitmap == nullptr) return std::nullopt;
    return media::png_of(bitmap);
}

std::optional<std::string> Cockpit::background_png(std::size_t window) {
    if (window >= session_->layouts().size() || session_->layouts()[window].background.empty()) return std::nullopt;
    return media::background_png(session_->layouts()[window].background);
}

std::optional<std::string> Cockpit::wave(std::uint32_t id) const { return media::wave(host_->library(), id); }

}  // namespace korvel::live
