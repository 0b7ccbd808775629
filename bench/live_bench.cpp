// What the live panel's host thread spends on one update cycle: the profile
// moving every needle (the update, finding the gauges that changed, their
// display lists and the frame's JSON text), an idle cycle that must send
// nothing, and the process's memory over a hundred thousand cycles, which
// must stay flat.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "host/live/check_process.h"
#include "host/live/cockpit.h"
#include "host/live/editor.h"
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

// A panel of 200 gauge lines: four windows of fifty, the module's gauges
// in turn, the panel buttons with their parameter strings.
std::string panel_of_200_lines() {
    korvel::host::Host host;
    std::vector<std::string> names;
    for (const GaugeHeader* g : host.gauge_table())
        if (g->name != nullptr) names.emplace_back(g->name);
    std::ostringstream text;
    text << "[Window Titles]\r\n";
    for (int w = 0; w < 4; ++w) text << "Window0" << w << "=Window " << w << "\r\n";
    int n = 0;
    for (int w = 0; w < 4; ++w) {
        text << "\r\n[Window0" << w << "]\r\nsize_mm=1200,900\r\nvisible=1\r\nident=" << 10000 + w << "\r\n";
        for (int k = 0; k < 50; ++k, ++n) {
            const std::string& name = names[std::size_t(n) % names.size()];
            text << "gauge" << (k < 10 ? "0" : "") << k << "=Korvel_Instr!" << name << ", " << 10 + (k % 10) * 115
                 << ", " << 10 + (k / 10) * 170 << ", 110" << (name.ends_with("_Toggle") ? ", 110, t10001 p1" : "")
                 << "\r\n";
        }
    }
    return text.str();
}

// Server time from an edit to everything it brings about: the line
// rewritten (the change worked out and made), the panel placed again in the
// live host, the whole frame the pages are sent (the layout and every
// gauge's picture, as JSON text), and the checker run again on the file in
// its own process. The counters give each step's share.
void live_edit(benchmark::State& state, const std::string& text) {
    namespace fs = std::filesystem;
    const std::string path =
        (fs::temp_directory_path() / ("korvel-bench-" + std::to_string(::getpid()) + ".cfg")).string();
    std::ofstream(path, std::ios::binary) << text;
    korvel::live::CheckProcess checker;  // before the cockpit's host, as serve starts it
    korvel::live::PanelSource source = sample_panel();
    source.panel_file = path;
    source.panel_text = text;
    source.editing = true;
    Cockpit cockpit(source);
    korvel::live::Editor& editor = *cockpit.editor();
    const std::string line =
        editor.config().windows.front().section + "/" + editor.config().windows.front().gauges[1].key;
    using clock = std::chrono::steady_clock;
    double placing = 0, framing = 0, checking = 0;
    int x = 0;
    for (auto _ : state) {
        const auto start = clock::now();
        const auto request =
            korvel::live::decode_edit(R"({"gauge": ")" + line + R"(", "x": )" + std::to_string(100 + (x++ % 50)) + "}");
        auto change = editor.change(std::get<korvel::live::EditRequest>(request));
        editor.commit(std::move(std::get<korvel::live::Change>(change)));
        cockpit.place_again(editor.config());
        const auto placed = clock::now();
        const std::string frame = cockpit.full_frame().dump();
        benchmark::DoNotOptimize(frame.data());
        const auto framed = clock::now();
        const korvel::live::CheckResult checked = checker.check(editor.text(), "");
        if (!checked.error.empty()) state.SkipWithError(checked.error.c_str());
        const auto end = clock::now();
        placing += std::chrono::duration<double, std::milli>(placed - start).count();
        framing += std::chrono::duration<double, std::milli>(framed - placed).count();
        checking += std::chrono::duration<double, std::milli>(end - framed).count();
    }
    const double n = double(state.iterations());
    state.counters["edit_and_place_ms"] = placing / n;
    state.counters["whole_frame_ms"] = framing / n;
    state.counters["checker_ms"] = checking / n;
    state.counters["gauge_lines"] = double(cockpit.catalogue().gauges().size());
    fs::remove(path);
}

void live_edit_sample_panel(benchmark::State& state) { live_edit(state, korvel::tool::builtin_panel); }
BENCHMARK(live_edit_sample_panel)->Unit(benchmark::kMillisecond)->UseRealTime();

void live_edit_200_lines(benchmark::State& state) { live_edit(state, panel_of_200_lines()); }
BENCHMARK(live_edit_200_lines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
