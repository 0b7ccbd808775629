// What the live panel's host thread spends on one update cycle: the profile
// moving every needle (the update, finding the gauges that changed, their
// display lists and the frame's JSON text), an idle cycle that must send
// nothing, and the process's memory over a hundred thousand cycles, which
// must stay flat.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "host/live/cockpit.h"
#include "host/tool/builtin.h"

namespace {

using korvel::live::Cockpit;

korvel::live::PanelSource sample_panel() {
    korvel::live::PanelSource s;
    s.panel_file = "built-in panel.cfg";
    s.panel_text = korvel::tool::builtin_panel;
    s.state_text = korvel::tool::builtin_state;
    for (const auto& e : korvel::tool::examples())
        (std::string_view(e.kind) == "state" ? s.examples : s.profiles).emplace_back(e.name, e.text);
    return s;
}

void play(Cockpit& cockpit, double from) {
    korvel::live::ProfileRequest seek;
    seek.action = korvel::live::ProfileAction::seek;
    seek.time = from;
    cockpit.profile(seek);
    korvel::live::ProfileRequest go;
    go.action = korvel::live::ProfileAction::play;
    cockpit.profile(go);
}

long resident_kib() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The climbing turn and cruise part of the shipped profile: speed,
// altitude, attitude, heading, engine and fuel all move at once.
void live_cycle_profile_playing(benchmark::State& state) {
    Cockpit cockpit(sample_panel());
    cockpit.full_frame();
    play(cockpit, 150);
    std::size_t bytes = 0, gauges = 0, frames = 0;
    for (auto _ : state) {
        const nlohmann::json frame = cockpit.cycle();
        const std::string text = frame.dump();
        benchmark::DoNotOptimize(text.data());
        bytes += text.size();
        gauges += frame.contains("gauges") ? frame["gauges"].size() : 0;
        ++frames;
        state.PauseTiming();
        if (cockpit.cycles() % 1000 == 0) play(cockpit, 150);  // stay in the busy part
        state.ResumeTiming();
    }
    state.counters["bytes_per_cycle"] = double(bytes) / double(frames);
    state.counters["gauges_per_cycle"] = double(gauges) / double(frames);
}
BENCHMARK(live_cycle_profile_playing)->Unit(benchmark::kMicrosecond);

void live_cycle_idle(benchmark::State& state) {
    Cockpit cockpit(sample_panel());
    cockpit.full_frame();
    // Lit windows and lamps left running by whatever came before go out.
    for (int i = 0; i < 1000; ++i) cockpit.cycle();
    std::size_t sent = 0;
    for (auto _ : state) sent += cockpit.cycle().is_null() ? 0 : 1;
    state.counters["frames_sent"] = double(sent);
    if (sent != 0) state.SkipWithError("an idle panel sent frames");
}
BENCHMARK(live_cycle_idle)->Unit(benchmark::kMicrosecond);

// A hundred thousand cycles of the profile playing round and round: the
// resident memory after the first ten thousand and at the end.
void live_memory_over_cycles(benchmark::State& state) {
    for (auto _ : state) {
        Cockpit cockpit(sample_panel());
        cockpit.full_frame();
        play(cockpit, 0);
        long settled = 0;
        const int cycles = int(state.range(0));
        for (int i = 0; i < cycles; ++i) {
            benchmark::DoNotOptimize(cockpit.cycle().dump());
            if (i % 8000 == 0) play(cockpit, 0);  // the profile lasts longer than 8000 cycles
            if (i == cycles / 10) settled = resident_kib();
        }
        const long end = resident_kib();
        state.counters["rss_settled_kib"] = double(settled);
        state.counters["rss_end_kib"] = double(end);
        if (end - settled > 2048) state.SkipWithError("the memory grew over the cycles");
    }
}
BENCHMARK(live_memory_over_cycles)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
