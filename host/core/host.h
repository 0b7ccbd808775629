// The substitute panel host: it loads the module, hands it a service table,
// and plays the simulator's part for the gauges it places. Tests, the tools
// and the renderer all work through it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/dial.h"
#include "host/core/event_log.h"
#include "host/core/module_library.h"
#include "host/core/mouse_map.h"
#include "host/core/simulation.h"
#include "platform/platform_log.h"

namespace korvel::host {

enum class MouseButton { left, right };

// A click sound that played: the gauge that was being called and the wave
// resource whose samples its buffer holds (0 when they match none).
struct PlayedSound {
    std::string gauge;
    std::uint32_t wave;
    friend bool operator==(const PlayedSound&, const PlayedSound&) = default;
    friend void PrintTo(const PlayedSound& s, std::ostream* out) { *out << s.gauge << " wave " << s.wave; }
};

// What the host keeps of an element after an update.
struct ElementState {
    ElementHeader* record = nullptr;
    double value = 0.0;     // needles, icons and strings: the value that drives the element
    double x = 0.0;         // sliders, moving images and sprites: the x source's value
    double y = 0.0;         // ... the y source's value (or its callback's result)
    double rotation = 0.0;  // sprites: the rotation source's value (or its callback's result)
    bool hidden = false;    // the hidden bit after the element's callbacks ran
    bool updated = false;   // it has been through an update walk
};

struct PixelTravel {
    double x = 0.0;
    double y = 0.0;
};

struct Tooltip {
    bool shown = false;         // something shows at that point
    std::string_view text;      // the module's text with its inserts filled; empty for a host text
    std::uint32_t help_id = 0;  // the host's own text, when the module gives none
};

class PlacedGauge {
public:
    GaugeHeader& header() const { return *header_; }
    std::string_view name() const;

    std::size_t element_count() const { return elements_.size(); }
    // Elements in drawing order; 0 is the background.
    const ElementState& element(std::size_t index) const;
    std::uint32_t image_flags(std::size_t index) const;
    bool hidden(std::size_t index) const { return element(index).hidden; }
    // The bitmap an icon shows, or none (a value of -1, or outside its images).
    std::optional<std::int32_t> icon_bitmap(std::size_t index) const;
    // Where a needle points.
    DialPose needle_pose(std::size_t index) const;
    // The text a string element holds.
    std::string_view text(std::size_t index) const;
    // How far a moving image has run over its travel, from 0 at its minimum
    // value to 1 at its maximum, in x and y (0 for a range of no width).
    PixelTravel travel(std::size_t index) const;

    const MouseMap& mouse() const { return mouse_; }
    std::optional<GaugeSize> size() const { return size_; }
    // The parameter string as the module left it, or none.
    std::optional<std::string_view> parameters() const;
    std::uint32_t user_word() const { return user_word_; }
    bool live() const { return installed_ && !killed_; }

private:
    friend class Host;
    GaugeHeader* header_ = nullptr;
    std::optional<std::vector<char>> parameters_;
    std::uint32_t user_word_ = 0;
    std::vector<ElementState> elements_;
    std::vector<std::vector<char>> texts_;  // one buffer per element; empty but for strings
    MouseMap mouse_;
    std::optional<GaugeSize> size_;
    bool installed_ = false;
    bool killed_ = false;
};

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The one host that the module's service calls reach.
    static Host* current();

    ModuleLibrary& library() { return library_; }
    ModuleLinkage& linkage() { return library_.linkage(); }
    // The gauges as the module's table lists them, up to its null.
    std::vector<GaugeHeader*> gauge_table() const;
    GaugeHeader* find_gauge(std::string_view name) const;

    // Installs a gauge (service 2) and connects it to its window (service 14).
    // The parameter string is handed to the module as written; none means a
    // null string. Throws std::invalid_argument for an unknown name.
    PlacedGauge& place(std::string_view name, std::optional<std::string_view> parameters = std::nullopt);
    PlacedGauge& place(GaugeHeader& header, std::optional<std::string_view> parameters = std::nullopt,
                       std::optional<GaugeSize> size = std::nullopt);
    // Install alone, for tests of the service order.
    PlacedGauge& install(GaugeHeader& header, std::optional<std::string_view> parameters = std::nullopt,
                         std::optional<GaugeSize> size = std::nullopt);
    // A placement the module has not been told of: no service called, no
    // bitmaps read. For fuzzers and tests of services in any order; the
    // placement's elements are walked by update(gauge) once it is marked
    // installed by install_service().
    PlacedGauge& prepare(GaugeHeader& header, std::optional<std::string_view> parameters = std::nullopt);
    void install_service(PlacedGauge& gauge, std::optional<GaugeSize> size = std::nullopt);
    void connect(PlacedGauge& gauge);
    void kill(PlacedGauge& gauge);
    // Any service number, with whatever extra word; the element chain is not walked.
    void service(PlacedGauge& gauge, std::int32_t number, ServiceExtra extra = 0);

    // One update cycle of every live gauge, in the order they were placed.
    void update();
    void update(PlacedGauge& gauge);
    void update(int cycles);
    // An update cycle as update() walks it, calling nothing of the module's:
    // the host's own share of an update, the benchmark's baseline.
    void update_without_module();
    // Forgets the placements that were killed, as a panel reload does; what
    // referred to them is left dangling.
    void remove_killed();

    // The pilot's hand, one button at a time as the simulator has it. A
    // press calls the click area under the pointer that takes the button and
    // keeps it held: while it is held, every update cycle counts, and after
    // `repeat_wait` cycles the host calls the area again with the button and
    // the repeat bit (0x00200000) every `repeat_every` cycles, if the area
    // asks for repeats; a move with the left button down calls it with the
    // drag bit alone, at a point that may lie anywhere; a release lets go. A
    // new press lets go of the old one. Returns whether a click area took it.
    static constexpr int repeat_wait = 8;
    static constexpr int repeat_every = 2;
    bool press(PlacedGauge& gauge, std::int32_t x, std::int32_t y, MouseButton button = MouseButton::left);
    bool move_held(std::int32_t x, std::int32_t y);
    void release();
    // The gauge whose area is held, or none.
    const PlacedGauge* held() const { return held_ ? held_->gauge : nullptr; }

    // A press and its release.
    bool click(PlacedGauge& gauge, std::int32_t x, std::int32_t y, MouseButton button = MouseButton::left);
    // A press held down for a number of the host's repeat calls, given one
    // after another without the cycles between them, then released.
    bool hold(PlacedGauge& gauge, std::int32_t x, std::int32_t y, int repeats, MouseButton button = MouseButton::left);
    // A left press, then the pointer moved through the path with the button
    // down, then released.
    bool drag(PlacedGauge& gauge, std::int32_t x, std::int32_t y, std::span<const PixelPoint> path);
    // Whatever flags a host might pass: the child found as for a press of the
    // wanted bits is called with the flags as given, even on a dead gauge.
    bool mouse_event(PlacedGauge& gauge, std::int32_t x, std::int32_t y, std::uint32_t wanted, std::uint32_t flags);

    // The tooltip at a gauge point. The text stays valid until the next call.
    Tooltip tooltip(PlacedGauge& gauge, std::int32_t x, std::int32_t y);

    // The characters the host's buffer for a string element holds: what the
    // element declares, up to the host's own limit.
    static std::uint32_t text_room(const StringElement& element);

    // Instrument failures, as the simulator's failure dialog sets them.
    // While a key has failed, every element whose failure records name it
    // behaves as the record's action says:
    //   1  freezes: the element shows what it showed when the failure began
    //      (value, x, y, rotation and hidden bit); its variables are not read
    //      and its callbacks are not called;
    //   2  returns to rest: value, x, y and rotation are 0; its callbacks
    //      still run, so it hides and shows as usual;
    //   any other action draws it as usual.
    // When several failed keys name one element, a freeze holds over a
    // return to rest. An element that has not been through an update yet (a
    // panel loaded with a failed instrument) is updated once and freezes
    // there. Restoring a key lets its elements follow their variables again
    // from the next update.
    //
    // The keys are those of `failure_keys` (host/core/failures.h), the ones
    // the module's records use; `failure_key` finds one by name or number,
    // `failure_name` names one. From a command line or a file:
    //     if (auto key = failure_key("pitot_static")) host.fail(*key);
    //     else /* report: no such failure key */;
    // fail() and restore() throw std::invalid_argument for any other key.
    void fail(std::uint32_t key);
    void restore(std::uint32_t key);
    void restore_all();
    bool failed(std::uint32_t key) const { return simulator_.failures.contains(key); }
    // The failed keys, in key order.
    std::vector<std::uint32_t> failed() const { return simulator_.failures.keys(); }

    SimulatorState& simulator() { return simulator_; }
    VariableStore& variables() { return simulator_.variables; }
    PanelWindows& windows() { return simulator_.windows; }
    const EventLog& key_events() const { return key_events_; }
    // The panel identifiers of the module's panel_window_toggle calls.
    const EventLog& window_toggles() const { return window_toggles_; }
    void clear_logs();
    std::size_t services_called_during_init() const { return init_service_calls_; }

    // The platform under the module: what it was asked (sound devices and
    // buffers, memory files, data blocks) and what a test makes it refuse.
    // The host starts as the simulator: its executable is fs9.exe and its
    // main window, of class FS98MAIN, exists.
    platform::PlatformLog& platform_log() { return platform::platform_log(); }
    platform::PlatformFaults& platform_faults() { return platform::platform_faults(); }
    void set_host_executable(std::string path);
    void* add_host_window(const std::string& class_name);
    void remove_host_windows();
    // The sounds played since the platform's record began, from the one
    // numbered `from` on (sound_count() is the number played so far).
    std::vector<PlayedSound> sounds_played(std::size_t from = 0) const;
    std::size_t sound_count() const { return platform::platform_log().plays.size(); }
    // The wave resource whose samples a recorded buffer holds (a compressed
    // wave's as decoded to PCM), or 0.
    std::uint32_t wave_in_buffer(int buffer) const;

    // A hand in the host's work for tests of what its callers do when it
    // fails: the probe is called before the module is asked to update a
    // gauge ("update") or to take a click ("mouse"), and what it throws
    // leaves the host as a fault of that gauge, its name in the message.
    using Probe = std::function<void(std::string_view step, const PlacedGauge& gauge)>;
    void set_probe(Probe probe) { probe_ = std::move(probe); }

    // Entry points of the host's service table.
    void on_panel_window_toggle(std::uint32_t panel_id);
    void on_trigger_key_event(std::uint32_t event, std::uint32_t value);
    void on_lookup_var(ModuleVariable* variable);
    void on_execute_calculator_code(const char* code, double* number, std::int32_t* integer, const char** text);

private:
    void activate(PlacedGauge& gauge);
    void deactivate(PlacedGauge& gauge);
    void call_service(PlacedGauge& gauge, std::int32_t number, ServiceExtra extra);
    void lay_out(PlacedGauge& gauge);
    void walk_elements(PlacedGauge& gauge, bool call_module);
    const ChildArea* press_area(PlacedGauge& gauge, std::int32_t x, std::int32_t y, std::uint32_t button_bit);
    void repeat_held();
    void deliver(PlacedGauge& gauge, const ChildArea& child, std::int32_t x, std::int32_t y, std::uint32_t flags);
    void run_probe(std::string_view step, const PlacedGauge& gauge) const;
    std::optional<GaugeSize> bitmap_size(std::int32_t resource_id) const;

    ModuleLibrary library_;
    SimulatorState simulator_;
    EventLog key_events_;
    EventLog window_toggles_;
    std::vector<std::unique_ptr<PlacedGauge>> placed_;
    std::string calculator_result_;
    std::array<char, 1024> tooltip_text_{};
    struct Held {
        PlacedGauge* gauge;
        std::int32_t x, y;
        std::uint32_t button;
        bool repeats, drags;
        int cycles = 0;
    };
    std::optional<Held> held_;
    Probe probe_;
    bool in_init_ = false;
    std::size_t init_service_calls_ = 0;
};

}  // namespace korvel::host
