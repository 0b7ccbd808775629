#include "host/core/host.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "formats/wave.h"
#include "host/core/gauge_records.h"
#include "host/core/tooltip_format.h"

#ifdef _WIN32
#include "host/core/host_windows_windows.h"
#endif

namespace korvel::host {

namespace {

Host* the_host = nullptr;

constexpr std::uint32_t longest_text = 255;
constexpr std::uint32_t bitmap_resource_type = 2;
constexpr const char* atc_id_expression = "(A:ATC ID,string)";

std::int32_t KORVEL_CALL serve_panel_window_toggle(std::uint32_t panel_id) {
    if (Host* h = Host::current()) h->on_panel_window_toggle(panel_id);
    return 1;
}

std::int32_t KORVEL_CALL serve_trigger_key_event(std::uint32_t event, std::uint32_t value) {
    if (Host* h = Host::current()) h->on_trigger_key_event(event, value);
    return 1;
}

void KORVEL_CALL serve_lookup_var(ModuleVariable* variable) {
    if (Host* h = Host::current()) h->on_lookup_var(variable);
}

std::int32_t KORVEL_CALL serve_execute_calculator_code(const char* code, double* number, std::int32_t* integer,
                                                       const char** text) {
    if (Host* h = Host::current()) h->on_execute_calculator_code(code, number, integer, text);
    return 1;
}

PanelServices make_services() {
    PanelServices table{};
    table.panel_window_toggle = serve_panel_window_toggle;
    table.trigger_key_event = serve_trigger_key_event;
    table.lookup_var = serve_lookup_var;
    table.execute_calculator_code = serve_execute_calculator_code;
    return table;
}

PanelServices host_services = make_services();

// The value a variable slot holds, as a number: word-typed tokens carry their
// value in the first 32 bits.
double slot_value(const ElementVariable& slot) {
    if (VariableStore::type(slot.var.token) == VariableType::word) {
        std::uint32_t word;
        std::memcpy(&word, reinterpret_cast<const unsigned char*>(&slot.var) + offsetof(ModuleVariable, value),
                    sizeof word);
        return word;
    }
    return slot.var.value;
}

enum class FailureAction { none, freeze, rest };

// A freeze holds over a return to rest whatever their order in the list: a
// stuck instrument does not fall back to zero because another system failed.
FailureAction action_for(const FailureRecord* records, const FailedKeys& failed) {
    if (records == nullptr || failed.empty()) return FailureAction::none;
    FailureAction action = FailureAction::none;
    for (const FailureRecord* r = records; r->key != 0; ++r) {
        if (!failed.contains(r->key)) continue;
        if (r->action == failure_action::freeze) return FailureAction::freeze;
        if (r->action == failure_action::rest) action = FailureAction::rest;
    }
    return action;
}

std::uint32_t known_failure_key(std::uint32_t key) {
    if (!failure_name(key)) throw std::invalid_argument("no instrument fails with key " + std::to_string(key));
    return key;
}

}  // namespace

// ---------------------------------------------------------------------------
// PlacedGauge

std::string_view PlacedGauge::name() const { return header_->name != nullptr ? header_->name : ""; }

const ElementState& PlacedGauge::element(std::size_t index) const {
    if (index >= elements_.size())
        throw std::out_of_range(std::string(name()) + " has no element " + std::to_string(index));
    return elements_[index];
}

std::uint32_t PlacedGauge::image_flags(std::size_t index) const { return element(index).record->image_flags; }

std::optional<std::int32_t> PlacedGauge::icon_bitmap(std::size_t index) const {
    const ElementState& e = element(index);
    if (e.record->kind != element_icon) throw std::invalid_argument("element is not an icon");
    const auto& icon = *reinterpret_cast<const IconElement*>(e.record);
    if (!(e.value >= 0.0) || e.value >= icon.image_count) return std::nullopt;
    return e.record->resource_id + static_cast<std::int32_t>(e.value);
}

DialPose PlacedGauge::needle_pose(std::size_t index) const {
    const ElementState& e = element(index);
    if (e.record->kind != element_needle) throw std::invalid_argument("element is not a needle");
    return korvel::host::needle_pose(*reinterpret_cast<const NeedleElement*>(e.record), e.value);
}

std::string_view PlacedGauge::text(std::size_t index) const {
    const ElementState& e = element(index);
    if (e.record->kind != element_string) throw std::invalid_argument("element is not a string");
    return texts_[index].data();
}

namespace {
double fraction_of(double value, double min, double max) {
    if (!(max != min) || std::isnan(value)) return 0.0;
    const double f = (value - min) / (max - min);
    return f < 0.0 ? 0.0 : (f > 1.0 ? 1.0 : f);
}
}  // namespace

PixelTravel PlacedGauge::travel(std::size_t index) const {
    const ElementState& e = element(index);
    if (e.record->kind != element_moving_image) throw std::invalid_argument("element is not a moving image");
    const auto& m = *reinterpret_cast<const MovingImageElement*>(e.record);
    return {fraction_of(e.x, m.x_min, m.x_max), fraction_of(e.y, m.y_min, m.y_max)};
}

std::optional<std::string_view> PlacedGauge::parameters() const {
    if (!parameters_) return std::nullopt;
    return std::string_view(parameters_->data());
}

// ---------------------------------------------------------------------------
// Host

Host* Host::current() { return the_host; }

Host::Host() {
    if (the_host != nullptr) throw std::logic_error("only one panel host may run at a time");
    the_host = this;
    platform::reset_platform();
    add_host_window("FS98MAIN");
    calculator_result_.reserve(64);
    library_.imports().services = &host_services;
    in_init_ = true;
    if (ModuleRoutine init = library_.linkage().module_init) init();
    in_init_ = false;
}

Host::~Host() {
    for (auto& gauge : placed_)
        if (gauge->live()) kill(*gauge);
    if (ModuleRoutine deinit = library_.linkage().module_deinit) deinit();
    library_.imports().services = nullptr;
    remove_host_windows();
    the_host = nullptr;
}

std::vector<GaugeHeader*> Host::gauge_table() const {
    std::vector<GaugeHeader*> table;
    for (GaugeHeader* g : library_.linkage().gauges) {
        if (g == nullptr) break;
        table.push_back(g);
    }
    return table;
}

GaugeHeader* Host::find_gauge(std::string_view name) const {
    for (GaugeHeader* g : gauge_table())
        if (g->name != nullptr && name == g->name) return g;
    return nullptr;
}

PlacedGauge& Host::place(std::string_view name, std::optional<std::string_view> parameters) {
    GaugeHeader* header = find_gauge(name);
    if (header == nullptr) throw std::invalid_argument("the module has no gauge named " + std::string(name));
    return place(*header, parameters);
}

PlacedGauge& Host::place(GaugeHeader& header, std::optional<std::string_view> parameters,
                         std::optional<GaugeSize> size) {
    PlacedGauge& gauge = install(header, parameters, size);
    connect(gauge);
    return gauge;
}

PlacedGauge& Host::prepare(GaugeHeader& header, std::optional<std::string_view> parameters) {
    auto gauge = std::make_unique<PlacedGauge>();
    gauge->header_ = &header;
    if (parameters) {
        gauge->parameters_.emplace(parameters->begin(), parameters->end());
        gauge->parameters_->push_back('\0');
    }
    for (ElementHeader* e : elements_of(header)) gauge->elements_.push_back({e});
    gauge->texts_.resize(gauge->elements_.size());
    for (std::size_t i = 0; i < gauge->elements_.size(); ++i) {
        ElementHeader* e = gauge->elements_[i].record;
        if (e->kind != element_string) continue;
        gauge->texts_[i].assign(text_room(*reinterpret_cast<const StringElement*>(e)) + 1, '\0');
    }
    placed_.push_back(std::move(gauge));
    return *placed_.back();
}

PlacedGauge& Host::install(GaugeHeader& header, std::optional<std::string_view> parameters,
                           std::optional<GaugeSize> size) {
    PlacedGauge& placed = prepare(header, parameters);
    install_service(placed, size);
    return placed;
}

std::uint32_t Host::text_room(const StringElement& element) {
    return element.max_characters < longest_text ? element.max_characters : longest_text;
}

void Host::install_service(PlacedGauge& gauge, std::optional<GaugeSize> size) {
    // The bitmaps are read after the install call, which may choose them.
    call_service(gauge, service_install, library_.handle());
    gauge.installed_ = true;
    gauge.killed_ = false;
    gauge.size_ = size ? size : bitmap_size(gauge.elements_.empty() ? -1 : gauge.elements_[0].record->resource_id);
    lay_out(gauge);
}

void Host::lay_out(PlacedGauge& gauge) { gauge.mouse_ = MouseMap(gauge.header_->mouse_rects, gauge.size_); }

void Host::connect(PlacedGauge& gauge) { call_service(gauge, service_connect, 0); }

void Host::kill(PlacedGauge& gauge) {
    if (held_ && held_->gauge == &gauge) release();
    if (!gauge.live()) return;
    call_service(gauge, service_kill, 0);
    gauge.killed_ = true;
}

void Host::service(PlacedGauge& gauge, std::int32_t number, ServiceExtra extra) { call_service(gauge, number, extra); }

void Host::activate(PlacedGauge& gauge) {
    GaugeHeader& h = *gauge.header_;
    platform::platform_log().context = h.name;
    h.parameters = gauge.parameters_ ? gauge.parameters_->data() : nullptr;
    h.user_word = gauge.user_word_;
    for (std::size_t i = 0; i < gauge.elements_.size(); ++i)
        if (gauge.elements_[i].record->kind == element_string)
            reinterpret_cast<StringElement*>(gauge.elements_[i].record)->text = gauge.texts_[i].data();
}

void Host::deactivate(PlacedGauge& gauge) {
    platform::platform_log().context = nullptr;
    gauge.user_word_ = gauge.header_->user_word;
    for (std::vector<char>& text : gauge.texts_)
        if (!text.empty()) text.back() = '\0';
}

void Host::call_service(PlacedGauge& gauge, std::int32_t number, ServiceExtra extra) {
    activate(gauge);
    if (GaugeCallback callback = gauge.header_->callback) callback(gauge.header_, number, extra);
    deactivate(gauge);
}

void Host::update() {
    if (held_ && ++held_->cycles >= repeat_wait && (held_->cycles - repeat_wait) % repeat_every == 0) repeat_held();
    advance_cycle(simulator_);
    for (auto& gauge : placed_)
        if (gauge->live()) update(*gauge);
}

void Host::update(int cycles) {
    for (int i = 0; i < cycles; ++i) update();
}

void Host::run_probe(std::string_view step, const PlacedGauge& gauge) const {
    try {
        probe_(step, gauge);
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(step == "update" ? "the update of " : "a click on ") +
                                 std::string(gauge.name()) + ": " + e.what());
    }
}

void Host::update(PlacedGauge& gauge) {
    if (!gauge.live()) return;
    if (probe_) run_probe("update", gauge);
    activate(gauge);
    if (GaugeCallback callback = gauge.header_->callback) callback(gauge.header_, service_update, 0);
    walk_elements(gauge, true);
    deactivate(gauge);
}

void Host::update_without_module() {
    advance_cycle(simulator_);
    for (auto& gauge : placed_) {
        if (!gauge->live()) continue;
        activate(*gauge);
        walk_elements(*gauge, false);
        deactivate(*gauge);
    }
}

void Host::remove_killed() {
    std::erase_if(placed_, [](const std::unique_ptr<PlacedGauge>& g) { return g->killed_; });
}

void Host::walk_elements(PlacedGauge& gauge, bool call_module) {
    const VariableStore& vars = simulator_.variables;
    const auto refresh = [&vars](ElementVariable& slot) {
        if (slot.var.token == 0) return;
        slot.var.previous_value = slot.var.value;
        vars.fill(slot.var);
    };
    const auto drive = [call_module](ElementVariable& slot, ElementCallback callback, ElementHeader* e) {
        return callback != nullptr && call_module ? callback(e) : slot_value(slot);
    };

    for (ElementState& state : gauge.elements_) {
        ElementHeader* e = state.record;
        const FailureAction failure = action_for(e->failures, simulator_.failures);
        if (failure == FailureAction::freeze && state.updated) continue;
        switch (e->kind) {
            case element_needle: {
                auto& n = *reinterpret_cast<NeedleElement*>(e);
                refresh(n.source);
                state.value = drive(n.source, n.callback, e);
                break;
            }
            case element_string: {
                auto& s = *reinterpret_cast<StringElement*>(e);
                refresh(s.source);
                state.value = drive(s.source, s.callback, e);
                break;
            }
            case element_slider: {
                auto& s = *reinterpret_cast<SliderElement*>(e);
                refresh(s.x_source);
                refresh(s.y_source);
                state.x = slot_value(s.x_source);
                state.y = drive(s.y_source, s.y_callback, e);
                break;
            }
            case element_icon: {
                auto& i = *reinterpret_cast<IconElement*>(e);
                refresh(i.source);
                state.value = drive(i.source, i.callback, e);
                break;
            }
            case element_moving_image: {
                auto& m = *reinterpret_cast<MovingImageElement*>(e);
                refresh(m.x_source);
                refresh(m.y_source);
                state.x = slot_value(m.x_source);
                state.y = drive(m.y_source, m.y_callback, e);
                break;
            }
            case element_sprite: {
                auto& s = *reinterpret_cast<SpriteElement*>(e);
                refresh(s.x_source);
                refresh(s.y_source);
                refresh(s.rotation_source);
                state.x = slot_value(s.x_source);
                state.y = drive(s.y_source, s.y_callback, e);
                state.rotation = drive(s.rotation_source, s.rotation_callback, e);
                break;
            }
            default:
                break;
        }
        if (failure == FailureAction::rest) state.value = state.x = state.y = state.rotation = 0.0;
        state.hidden = (e->image_flags & image_hidden_flag) != 0;
        state.updated = true;
    }
}

// ---------------------------------------------------------------------------
// Failures

void Host::fail(std::uint32_t key) { simulator_.failures.insert(known_failure_key(key)); }

void Host::restore(std::uint32_t key) { simulator_.failures.erase(known_failure_key(key)); }

void Host::restore_all() { simulator_.failures.clear(); }

// ---------------------------------------------------------------------------
// Mouse

namespace {
std::uint32_t button_bit(MouseButton button) {
    return button == MouseButton::left ? mouse_left_click : mouse_right_click;
}

// A point counted from a box's corner; a pointer dragged far off the screen
// holds at the ends of the range instead of wrapping round.
std::int32_t offset(std::int32_t point, std::int32_t corner) {
    const std::int64_t d = std::int64_t{point} - corner;
    if (d > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (d < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(d);
}
}  // namespace

void Host::deliver(PlacedGauge& gauge, const ChildArea& child, std::int32_t x, std::int32_t y, std::uint32_t flags) {
    if (probe_) run_probe("mouse", gauge);
    activate(gauge);
    MouseRect& rect = *child.rect;
    if (rect.key_event != 0) on_trigger_key_event(rect.key_event, 0);
    if (rect.mouse_function != nullptr) {
        const std::int32_t ox = child.area.unbounded ? 0 : child.area.box.x;
        const std::int32_t oy = child.area.unbounded ? 0 : child.area.box.y;
        ClickRecord record{offset(x, ox), offset(y, oy), gauge.header_, &rect};
        rect.mouse_function(&record, flags);
    }
    deactivate(gauge);
}

const ChildArea* Host::press_area(PlacedGauge& gauge, std::int32_t x, std::int32_t y, std::uint32_t bit) {
    if (!gauge.live()) return nullptr;
    if (gauge.size_ && !Area{{0, 0, gauge.size_->width, gauge.size_->height}}.contains(x, y)) return nullptr;
    const ChildArea* child = gauge.mouse_.child_at(x, y, bit);
    if (child != nullptr) deliver(gauge, *child, x, y, bit);
    return child;
}

bool Host::press(PlacedGauge& gauge, std::int32_t x, std::int32_t y, MouseButton button) {
    release();
    const std::uint32_t bit = button_bit(button);
    const ChildArea* child = press_area(gauge, x, y, bit);
    if (child == nullptr) return false;
    const std::uint32_t accepted = child->rect->accepted_events;
    held_ = Held{
        &gauge, x, y, bit, (accepted & mouse_repeat) != 0, bit == mouse_left_click && (accepted & mouse_drag) != 0};
    return true;
}

// The area pressed is found again at each call: a gauge placed afresh has
// new areas.
void Host::repeat_held() {
    if (!held_->repeats || !held_->gauge->live()) return;
    if (const ChildArea* child = held_->gauge->mouse_.child_at(held_->x, held_->y, held_->button))
        deliver(*held_->gauge, *child, held_->x, held_->y, held_->button | mouse_repeat);
}

bool Host::move_held(std::int32_t x, std::int32_t y) {
    if (!held_ || !held_->drags || !held_->gauge->live()) return false;
    const ChildArea* child = held_->gauge->mouse_.child_at(held_->x, held_->y, held_->button);
    if (child == nullptr) return false;
    deliver(*held_->gauge, *child, x, y, mouse_drag);
    return true;
}

void Host::release() { held_.reset(); }

bool Host::click(PlacedGauge& gauge, std::int32_t x, std::int32_t y, MouseButton button) {
    const bool taken = press(gauge, x, y, button);
    release();
    return taken;
}

bool Host::hold(PlacedGauge& gauge, std::int32_t x, std::int32_t y, int repeats, MouseButton button) {
    if (!press(gauge, x, y, button)) return false;
    for (int i = 0; i < repeats; ++i) repeat_held();
    release();
    return true;
}

bool Host::mouse_event(PlacedGauge& gauge, std::int32_t x, std::int32_t y, std::uint32_t wanted, std::uint32_t flags) {
    const ChildArea* child = gauge.mouse_.child_at(x, y, wanted);
    if (child == nullptr) return false;
    deliver(gauge, *child, x, y, flags);
    return true;
}

bool Host::drag(PlacedGauge& gauge, std::int32_t x, std::int32_t y, std::span<const PixelPoint> path) {
    if (!press(gauge, x, y, MouseButton::left)) return false;
    for (const PixelPoint& p : path) move_held(p.x, p.y);
    release();
    return true;
}

Tooltip Host::tooltip(PlacedGauge& gauge, std::int32_t x, std::int32_t y) {
    if (!gauge.live()) return {};
    if (gauge.size_ && !Area{{0, 0, gauge.size_->width, gauge.size_->height}}.contains(x, y)) return {};
    const TooltipSource source = gauge.mouse_.tooltip_at(x, y);
    if (source.parent == nullptr) return {};
    Tooltip result;
    result.shown = true;
    result.help_id = source.help_id;
    if (source.tooltip != nullptr) {
        activate(gauge);
        const MouseRect& t = *source.tooltip;
        result.text =
            format_tooltip(t.tooltip_text, t.tooltip_arguments, t.argument_count, gauge.header_, tooltip_text_);
        deactivate(gauge);
    }
    return result;
}

// ---------------------------------------------------------------------------
// Services

void Host::clear_logs() {
    key_events_.clear();
    window_toggles_.clear();
}

void Host::on_panel_window_toggle(std::uint32_t panel_id) {
    if (in_init_) ++init_service_calls_;
    window_toggles_.record({panel_id, 0});
    simulator_.windows.toggle(static_cast<std::int32_t>(panel_id));
}

void Host::on_trigger_key_event(std::uint32_t event, std::uint32_t value) {
    if (in_init_) ++init_service_calls_;
    key_events_.record({event, value});
    apply_event(simulator_, event, value);
}

void Host::on_lookup_var(ModuleVariable* variable) {
    if (in_init_) ++init_service_calls_;
    if (variable != nullptr) simulator_.variables.fill(*variable);
}

void Host::on_execute_calculator_code(const char* code, double* number, std::int32_t* integer, const char** text) {
    if (in_init_) ++init_service_calls_;
    if (code != nullptr && std::strcmp(code, atc_id_expression) == 0)
        calculator_result_.assign(simulator_.atc_id);
    else
        calculator_result_.clear();
    if (number != nullptr) *number = 0.0;
    if (integer != nullptr) *integer = 0;
    if (text != nullptr) *text = calculator_result_.c_str();
}

// ---------------------------------------------------------------------------
// The platform

void Host::set_host_executable(std::string path) { platform::host_process().executable_path = std::move(path); }

void* Host::add_host_window(const std::string& class_name) {
    auto& windows = platform::host_process().windows;
#ifdef _WIN32
    void* handle = create_host_window(class_name.c_str());
#else
    // A handle of no window at all: the native stand-ins only compare it.
    void* handle = reinterpret_cast<void*>(  // NOLINT(performance-no-int-to-ptr)
        std::uintptr_t{0x10000} + 0x10 * (windows.size() + 1));
#endif
    windows.emplace_back(class_name, handle);
    return handle;
}

void Host::remove_host_windows() {
#ifdef _WIN32
    destroy_host_windows();
#endif
    platform::host_process().windows.clear();
}

std::uint32_t Host::wave_in_buffer(int buffer) const {
    const auto& buffers = platform::platform_log().buffers;
    if (buffer < 0 || static_cast<std::size_t>(buffer) >= buffers.size()) return 0;
    const std::vector<unsigned char>& data = buffers[buffer].data;
    for (std::uint32_t id : {10u, 20u, 30u}) {
        const auto file = library_.resource("WAVE", id);
        if (!file) continue;
        const auto samples = formats::wave_pcm(*file);
        if (samples && *samples == data) return id;
    }
    return 0;
}

std::vector<PlayedSound> Host::sounds_played(std::size_t from) const {
    std::vector<PlayedSound> out;
    const auto& plays = platform::platform_log().plays;
    for (std::size_t i = from; i < plays.size(); ++i)
        out.push_back({plays[i].owner != nullptr ? plays[i].owner : "", wave_in_buffer(plays[i].buffer)});
    return out;
}

// ---------------------------------------------------------------------------

std::optional<GaugeSize> Host::bitmap_size(std::int32_t resource_id) const {
    if (resource_id < 0) return std::nullopt;
    const auto dib = library_.resource(bitmap_resource_type, static_cast<std::uint32_t>(resource_id));
    if (!dib || dib->size() < 12) return std::nullopt;
    std::int32_t width, height;
    std::memcpy(&width, dib->data() + 4, 4);
    std::memcpy(&height, dib->data() + 8, 4);
    return GaugeSize{width, height < 0 ? -height : height};
}

}  // namespace korvel::host
