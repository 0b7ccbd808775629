// What the panel costs the simulator: one update of the whole 58-gauge panel
// (every gauge callback and element callback), the host's own walk of the
// same element chains with no callback as the baseline, a click on each kind
// of control and a tooltip of each kind. Every figure comes with the heap
// allocations per operation, which must be none: the program fails if any
// of these paths allocated.
#ifdef KORVEL_MINI_BENCHMARK
#include "bench/mini_benchmark.h"
#else
#include <benchmark/benchmark.h>
#endif

#include <cstdio>
#include <string>
#include <vector>

#include "bench/allocation_counter.h"
#include "module/vocabulary.h"
#include "tests/whole_panel.h"

namespace {

using korvel::host::Host;
using korvel::host::PlacedGauge;

std::vector<std::string>& allocating_paths() {
    static std::vector<std::string> paths;
    return paths;
}

// The engine running on the apron, lights and avionics on.
void set_apron(Host& host) {
    auto& v = host.variables();
    v.set(token::battery, 1);
    v.set(token::generator, 1);
    v.set(token::avionics_master, 1);
    v.set(token::navigation_lights, 1);
    v.set(token::beacon_lights, 1);
    v.set(token::engine_rpm_percent, 52);
    v.set(token::indicated_airspeed_knots, 12);
    v.set(token::oil_pressure, 4200);
}

struct Panel {
    Host host;
    std::vector<PlacedGauge*> gauges;
    Panel() {
        gauges = whole_panel::place_all(host);
        set_apron(host);
        host.update(3);
        host.platform_log().keep_call_lists = false;
    }
};

// Runs the operation once to warm up, then measures it and counts what it
// allocated.
template <typename Operation>
void measure(benchmark::State& state, const std::string& path, Operation&& operation) {
    operation();
    const std::uint64_t before = bench::allocations();
    for (auto _ : state) operation();
    const std::uint64_t allocated = bench::allocations() - before;
    const double per_operation = state.iterations() > 0 ? double(allocated) / double(state.iterations()) : 0.0;
    state.counters["allocs/op"] = per_operation;
    if (allocated != 0) allocating_paths().push_back(path);
}

void panel_update(benchmark::State& state) {
    Panel panel;
    measure(state, "update", [&] { panel.host.update(); });
}
BENCHMARK(panel_update);

void panel_walk_without_module(benchmark::State& state) {
    Panel panel;
    measure(state, "walk without the module", [&] { panel.host.update_without_module(); });
}
BENCHMARK(panel_walk_without_module);

int sounds_played(Host& host) {
    int plays = 0;
    for (const auto& buffer : host.platform_log().buffers) plays += buffer.plays;
    return plays;
}

void click(benchmark::State& state, const char* gauge, std::size_t area) {
    Panel panel;
    const auto spot = whole_panel::spot(panel.gauges, gauge, area);
    state.SetLabel(std::string(gauge) + " area " + std::to_string(area));
    const int plays_before = sounds_played(panel.host);
    measure(state, std::string("click on ") + gauge, [&] {
        panel.host.click(*spot.gauge, spot.x, spot.y, spot.button);
        panel.host.clear_logs();
    });
    // Whether the click's figure includes playing its sound.
    state.counters["sounds/op"] = double(sounds_played(panel.host) - plays_before) / double(state.iterations() + 1);
}
BENCHMARK_CAPTURE(click, panel_button, "Radios_Toggle", 0);
BENCHMARK_CAPTURE(click, battery_switch, "Elec_Board", 2);
BENCHMARK_CAPTURE(click, radio_power_switch, "Radio_COM", 3);
BENCHMARK_CAPTURE(click, frequency_knob, "Radio_COM", 1);
BENCHMARK_CAPTURE(click, transponder_digit, "Radio_IFF", 2);
BENCHMARK_CAPTURE(click, heading_bug_knob, "Directional_Gyro", 0);
BENCHMARK_CAPTURE(click, throttle_lever, "Throttle_Quadrant", 0);

// The centre of the gauge's n-th area with a tooltip record or help text.
korvel::host::Tooltip hover(Host& host, PlacedGauge& gauge, std::size_t n) {
    std::size_t seen = 0;
    for (const auto& parent : gauge.mouse().parents()) {
        if (parent.tooltip == nullptr && parent.rect->help_id == 0) continue;
        if (seen++ != n) continue;
        std::int32_t x = parent.area.box.x + parent.area.box.width / 2;
        std::int32_t y = parent.area.box.y + parent.area.box.height / 2;
        if (parent.area.unbounded && gauge.size()) {
            x = gauge.size()->width / 2;
            y = gauge.size()->height / 2;
        }
        return host.tooltip(gauge, x, y);
    }
    return {};
}

void tooltip(benchmark::State& state, const char* gauge, std::size_t n) {
    Panel panel;
    PlacedGauge* placed = nullptr;
    for (PlacedGauge* g : panel.gauges)
        if (g->name() == gauge) placed = g;
    const auto shown = hover(panel.host, *placed, n);
    if (!shown.shown) {
        state.SkipWithError("no tooltip there");
        allocating_paths().push_back(std::string("tooltip of ") + gauge + " (none shown)");
        return;
    }
    state.SetLabel(shown.text.empty() ? "host text " + std::to_string(shown.help_id) : std::string(shown.text));
    measure(state, std::string("tooltip of ") + gauge,
            [&] { benchmark::DoNotOptimize(hover(panel.host, *placed, n)); });
}
BENCHMARK_CAPTURE(tooltip, fixed_text, "Generator_Light", 0);
BENCHMARK_CAPTURE(tooltip, number_insert, "Radio_COM", 0);
BENCHMARK_CAPTURE(tooltip, text_insert, "Pitot_Heat_Light", 0);
BENCHMARK_CAPTURE(tooltip, host_help_text, "Low_Oil_Press_Light", 0);

}  // namespace

int main(int argc, char** argv) {
    // A counter that counts nothing would prove nothing.
    const std::uint64_t before = bench::allocations();
    delete new std::string(64, 'x');
    if (bench::allocations() == before) {
        std::fprintf(stderr, "bench: the allocation counter does not see allocations\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!allocating_paths().empty()) {
        for (const std::string& path : allocating_paths())
            std::fprintf(stderr, "bench: the %s path allocated on the heap\n", path.c_str());
        return 1;
    }
    std::printf("bench: no update, click or tooltip allocated on the heap\n");
    return 0;
}
