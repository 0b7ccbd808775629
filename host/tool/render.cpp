#include <exception>
#include <filesystem>
#include <future>
#include <iostream>

#include "host/core/cp1252.h"
#include "host/core/failures.h"
#include "host/core/help_texts.h"
#include "host/render/panel_render.h"
#include "host/render/renderer.h"
#include "host/tool/common.h"
#include "host/tool/verbs.h"

namespace korvel::tool {

namespace fs = std::filesystem;

namespace {

// A panel placed in the host with its flight state and failures, updated
// once: what render and tooltip start from.
struct Flight {
    PanelFile file;
    panel::PanelSession session;
    bool state_problems = false;

    Flight(host::Host& panel_host, const FlightOptions& options)
        : file(load_panel(panel_host, options.panel)), session(panel_host, file.config, file.panel_folder) {
        print(std::cerr, file.config.problems, file.panel_file);
        print(std::cerr, session.problems(), file.panel_file);
        state_problems = apply_state(panel_host, options.state, options.sets);
        for (const std::string& name : options.fails) {
            const auto key = host::failure_key(name);
            if (!key || !host::failure_name(*key))
                throw Failure("--fail: no instrument fails by the key '" + name + "'");
            panel_host.fail(*key);
        }
        panel_host.update();
    }

    // 2 when a gauge line of this module or a flight state line was not read.
    int status() const { return file.config.refused_lines > 0 || state_problems ? 2 : 0; }
};

}  // namespace

int tooltip(const TooltipOptions& options) {
    host::Host panel_host;
    const Flight flight(panel_host, options.flight);
    host::PlacedGauge& g = gauge_named(flight.session, options.gauge);
    const auto tip = panel_host.tooltip(g, options.x, options.y);
    if (!tip.shown)
        std::cout << "no tooltip at " << options.x << ", " << options.y << " of " << options.gauge << "\n";
    else if (!tip.text.empty())
        std::cout << host::utf8_from_cp1252(tip.text) << "\n";
    else
        std::cout << host::help_text(tip.help_id) << "\n";
    return flight.status();
}

int render(const RenderOptions& options) {
    host::Host panel_host;
    const Flight flight(panel_host, options.flight);
    const panel::PanelSession& session = flight.session;
    for (const auto& click : options.clicks) {
        host::PlacedGauge& g = gauge_named(session, click[0]);
        const auto button = click[3] == "left"    ? host::MouseButton::left
                            : click[3] == "right" ? host::MouseButton::right
                                                  : throw Failure("--click wants left or right, not " + click[3]);
        if (!panel_host.click(g, coordinate(click[1]), coordinate(click[2]), button))
            std::cerr << "korvel-panel: the click at " << click[1] << ", " << click[2] << " of " << click[0]
                      << " falls on no click area\n";
    }
    panel_host.update(options.updates);

    // Every 2D window the simulator shows, and every virtual-cockpit texture.
    auto bitmaps = render::module_bitmaps(panel_host);
    std::vector<render::WindowPicture> pictures;
    for (const panel::WindowLayout& layout : session.layouts()) {
        const panel::Window& w = *layout.window;
        const bool shown = session.shown(w);
        const bool wanted =
            options.window.empty()
                ? shown
                : (panel::window_file_name(w) == options.window ||
                   (w.kind == panel::WindowKind::window &&
                    (options.window == std::to_string(w.number) || options.window == std::to_string(w.ident))));
        if (!wanted) continue;
        pictures.push_back({&w, render::draw_window(layout, session, bitmaps)});
    }
    if (pictures.empty())
        throw Failure(options.window.empty() ? "no window is visible" : "the panel has no window " + options.window);
    const auto wrote = [&](const std::string& path, const render::WindowPicture& p) {
        const std::size_t n = session.gauges_in(*p.window);
        std::cout << "korvel-panel: wrote " << path << " ("
                  << host::utf8_from_cp1252(!p.window->title.empty() ? p.window->title : p.window->section) << ": " << n
                  << (n == 1 ? " gauge)" : " gauges)") << "\n";
    };
    if (!options.window.empty()) {
        render::write_png(pictures[0].image.get(), options.output);
        wrote(options.output, pictures[0]);
    } else {
        const fs::path out(options.output);
        // The overview holds as many pixels as all the windows: it is
        // written while they are, once nothing draws on any of them. The
        // windows are written even when it cannot be drawn.
        render::Surface overview;
        std::exception_ptr no_overview;
        try {
            overview = render::draw_overview(pictures);
        } catch (const render::RenderError&) {
            no_overview = std::current_exception();
        }
        std::future<void> overview_written;
        if (overview)
            overview_written =
                std::async(std::launch::async, [&] { render::write_png(overview.get(), options.output); });
        for (const auto& p : pictures) {
            const fs::path each =
                out.parent_path() / (out.stem().string() + "-" + panel::window_file_name(*p.window) + ".png");
            render::write_png(p.image.get(), each.string());
            wrote(each.string(), p);
        }
        if (no_overview) std::rethrow_exception(no_overview);
        overview_written.get();
        std::cout << "korvel-panel: wrote " << options.output << " (" << pictures.size()
                  << (pictures.size() == 1 ? " window)" : " windows)") << "\n";
    }
    const auto& c = flight.file.config;
    std::cout << "korvel-panel: " << c.placed_lines << " of " << c.placed_lines + c.refused_lines
              << " Korvel_Instr gauge lines placed, " << c.other_lines << (c.other_lines == 1 ? " line" : " lines")
              << " of other modules, " << c.unread_lines << (c.unread_lines == 1 ? " line" : " lines") << " not read\n";
    return flight.status();
}

}  // namespace korvel::tool
