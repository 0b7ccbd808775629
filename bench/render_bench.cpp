// What drawing the panel costs, part by part: the display lists the live
// panel computes for every gauge at every cycle, decoding the bitmaps,
// painting a window, writing its picture, and the whole of what
// `korvel-panel render` does after loading the panel. Each figure is CPU
// time per operation; the ones that make surfaces include the kernel's
// work of mapping their memory, as a run of the tool pays it.
#include <benchmark/benchmark.h>

#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include "host/panel/flight_state.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"
#include "host/render/display_list.h"
#include "host/render/panel_render.h"
#include "host/render/png_file.h"
#include "host/render/renderer.h"

namespace {

using korvel::host::Host;
namespace panel = korvel::panel;
namespace render = korvel::render;

std::string read_example(const std::string& name) {
    std::ifstream in(std::string(KORVEL_SOURCE_DIR) + "/examples/" + name);
    if (!in) throw std::runtime_error("cannot read examples/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The tool's own panel at its own flight state, after the tool's updates.
struct ExamplePanel {
    Host host;
    panel::PanelConfig config;
    std::unique_ptr<panel::PanelSession> session;
    ExamplePanel() {
        config = panel::read_panel_config(read_example("panel.cfg"), panel::module_gauges(host));
        session = std::make_unique<panel::PanelSession>(host, config);
        panel::apply_flight_state(panel::read_flight_state(read_example("states/apron.flt")), host.simulator());
        host.update(61);
    }
    const panel::WindowLayout& main_window() const { return session->layouts().front(); }
};

// Sizes read from the bitmaps' headers once each, as a server keeps them.
render::BitmapSizes cached_sizes(Host& host) {
    auto known = std::make_shared<std::map<std::int32_t, std::optional<render::BitmapSize>>>();
    return [read = render::module_bitmap_sizes(host.library()), known](std::int32_t id) {
        auto it = known->find(id);
        if (it == known->end()) it = known->emplace(id, read(id)).first;
        return it->second;
    };
}

void display_lists_of_the_whole_panel(benchmark::State& state) {
    ExamplePanel p;
    const render::BitmapSizes sizes = cached_sizes(p.host);
    std::size_t items = 0;
    for (auto _ : state) {
        items = 0;
        for (const panel::PlacedLine& line : p.session->placed())
            items += render::display_list(*line.gauge, sizes).items.size();
        benchmark::DoNotOptimize(items);
    }
    state.counters["items"] = double(items);
}
BENCHMARK(display_lists_of_the_whole_panel);

void decode_the_bitmaps_the_panel_draws(benchmark::State& state) {
    ExamplePanel p;
    for (auto _ : state) {
        render::Bitmaps bitmaps = render::module_bitmaps(p.host);
        for (const panel::PlacedLine& line : p.session->placed())
            benchmark::DoNotOptimize(render::display_list(*line.gauge, render::sizes_of(bitmaps)));
    }
}
BENCHMARK(decode_the_bitmaps_the_panel_draws)->Unit(benchmark::kMillisecond);

void paint_the_main_window(benchmark::State& state) {
    ExamplePanel p;
    render::Bitmaps bitmaps = render::module_bitmaps(p.host);
    benchmark::DoNotOptimize(render::draw_window(p.main_window(), *p.session, bitmaps));
    for (auto _ : state) benchmark::DoNotOptimize(render::draw_window(p.main_window(), *p.session, bitmaps));
}
BENCHMARK(paint_the_main_window)->Unit(benchmark::kMillisecond);

void write_the_main_window_png(benchmark::State& state) {
    ExamplePanel p;
    render::Bitmaps bitmaps = render::module_bitmaps(p.host);
    const render::Surface picture = render::draw_window(p.main_window(), *p.session, bitmaps);
    for (auto _ : state)
        if (const auto failure = render::write_png_file(picture.get(), "/dev/null"))
            state.SkipWithError(failure->c_str());
}
BENCHMARK(write_the_main_window_png)->Unit(benchmark::kMillisecond);

// What the tool does after loading the panel: every window and the
// overview drawn from freshly decoded bitmaps, and all of them written.
void render_every_window_as_the_tool_does(benchmark::State& state) {
    ExamplePanel p;
    for (auto _ : state) {
        render::Bitmaps bitmaps = render::module_bitmaps(p.host);
        std::vector<render::WindowPicture> pictures;
        for (const panel::WindowLayout& layout : p.session->layouts())
            pictures.push_back({layout.window, render::draw_window(layout, *p.session, bitmaps)});
        for (const render::WindowPicture& picture : pictures) render::write_png(picture.image.get(), "/dev/null");
        render::write_png(render::draw_overview(pictures).get(), "/dev/null");
    }
}
BENCHMARK(render_every_window_as_the_tool_does)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
