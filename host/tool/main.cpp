// korvel-panel: the substitute panel host on the command line.
//
//   korvel-panel list [--detailed]
//   korvel-panel render [PANEL.CFG] [--state FILE] [--set TOKEN=VALUE]...
//                [--updates N] [--click GAUGE X Y left|right]... [--window NAME] -o OUT.png
//   korvel-panel tooltip GAUGE X Y [PANEL.CFG] [--state FILE] [--set TOKEN=VALUE]...
//   korvel-panel check PANEL.CFG
//   korvel-panel serve [PANEL.CFG] [--state FILE] [--port N] [--bind ADDR] [--allow-host NAME]...
//
// Without a panel configuration the tool uses its own (examples/panel.cfg),
// without a flight state the built-in one (examples/states/apron.flt).
#include <CLI/CLI.hpp>

#include <charconv>
#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <future>
#include <iostream>
#include <sstream>

#include "host/core/cp1252.h"
#include "host/core/failures.h"
#include "host/core/host.h"
#include "host/live/live_panel.h"
#include "host/live/server.h"
#include "host/panel/checker.h"
#include "host/panel/flight_state.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"
#include "host/render/panel_render.h"
#include "host/render/renderer.h"
#include "host/tool/builtin.h"
#include "host/tool/listing.h"

namespace {

namespace fs = std::filesystem;
using korvel::host::Host;

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string read_text(const std::string& path, const char* what) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure(std::string("cannot read the ") + what + " " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

using korvel::panel::Problem;
using korvel::panel::Severity;

const char* severity_name(Severity s) {
    return s == Severity::error ? "error" : s == Severity::warning ? "warning" : "note";
}

// Findings in the form compilers use, FILE:LINE: error: ...
void print(std::ostream& out, const std::vector<Problem>& problems, const std::string& file) {
    for (const auto& p : problems)
        out << file << (p.line > 0 ? ":" + std::to_string(p.line) : "") << ": " << severity_name(p.severity) << ": "
            << p.message << "\n";
}

struct Session {
    std::string panel_file;
    std::string panel_text;
    std::string panel_folder;  // none for the tool's own panel
    korvel::panel::PanelConfig config;
};

Session load_panel(const Host& host, const std::string& path) {
    Session s;
    s.panel_file = path.empty() ? "built-in panel.cfg" : path;
    s.panel_text = path.empty() ? std::string(korvel::tool::builtin_panel) : read_text(path, "panel configuration");
    if (!path.empty()) {
        s.panel_folder = fs::path(path).parent_path().string();
        if (s.panel_folder.empty()) s.panel_folder = ".";
    }
    s.config = korvel::panel::read_panel_config(s.panel_text, korvel::panel::module_gauges(host));
    return s;
}

bool apply_state(Host& host, const std::string& state_file, const std::vector<std::string>& sets) {
    const std::string text = state_file.empty() ? std::string(korvel::tool::builtin_state)
                                                : read_text(state_file, "flight state");
    const auto state = korvel::panel::read_flight_state(text);
    print(std::cerr, state.problems, state_file.empty() ? "built-in flight state" : state_file);
    const bool problems = !state.problems.empty();
    korvel::panel::apply_flight_state(state, host.simulator());
    for (const std::string& set : sets) {
        const auto eq = set.find('=');
        std::string error = "--set wants TOKEN=VALUE, not '" + set + "'";
        const auto setting = eq == std::string::npos
                                 ? std::nullopt
                                 : korvel::panel::parse_setting(std::string_view(set).substr(0, eq),
                                                                std::string_view(set).substr(eq + 1), error);
        if (!setting) throw Failure("--set " + set + ": " + error);
        korvel::panel::apply_flight_state({{*setting}, std::nullopt, {}}, host.simulator());
    }
    return problems;
}

// Ctrl-C stops the live panel's server; the rest is torn down in order.
korvel::live::Server* serving = nullptr;
extern "C" void on_interrupt(int) {
    if (serving != nullptr) serving->stop();
}

int serve(const std::string& panel_path, const std::string& state_path, int port, const std::string& address,
          bool port_given, const std::vector<std::string>& allowed_hosts) {
    korvel::live::PanelSource source;
    source.panel_file = panel_path.empty() ? "built-in panel.cfg" : panel_path;
    source.panel_text = panel_path.empty() ? std::string(korvel::tool::builtin_panel)
                                           : read_text(panel_path, "panel configuration");
    if (!panel_path.empty()) {
        source.panel_folder = fs::path(panel_path).parent_path().string();
        if (source.panel_folder.empty()) source.panel_folder = ".";
    }
    source.state_file = state_path.empty() ? "built-in flight state" : state_path;
    source.state_text = state_path.empty() ? std::string(korvel::tool::builtin_state) : read_text(state_path, "flight state");
    for (const korvel::tool::Example& e : korvel::tool::examples())
        (std::string_view(e.kind) == "state" ? source.examples : source.profiles).emplace_back(e.name, e.text);

    korvel::live::LivePanel panel(std::move(source));
    korvel::live::Server server(panel, {allowed_hosts});
    const int bound = server.bind(address, port, !port_given);
    if (bound == 0)
        throw Failure("cannot listen on " + address + " port " + std::to_string(port) +
                      (port_given ? "" : " or the 100 after it"));
    serving = &server;
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    const std::string shown = address == "0.0.0.0" ? "127.0.0.1" : address;
    std::cout << "korvel-panel: the live panel is at http://" << (shown.find(':') != std::string::npos ? "[" + shown + "]" : shown)
              << ":" << bound << "/ (Ctrl-C stops it)" << std::endl;
    const bool ok = server.listen();
    serving = nullptr;
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (!ok) throw Failure("the server stopped with an error");
    std::cout << "korvel-panel: stopped" << std::endl;
    return 0;
}

std::int32_t coordinate(const std::string& text) {
    std::int32_t v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty())
        throw Failure("--click wants whole numbers of the gauge's pixels, not '" + text + "'");
    return v;
}

korvel::host::PlacedGauge& gauge_named(const korvel::panel::PanelSession& session, const std::string& name) {
    korvel::host::PlacedGauge* g = session.find(name);
    if (g == nullptr) throw Failure("the panel places no gauge " + name);
    return *g;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"korvel-panel: the Korvel instrument module without the simulator"};
    app.require_subcommand(1);

    bool detailed = false;
    CLI::App* list = app.add_subcommand("list", "List the module's gauge table from its records");
    list->add_flag("-d,--detailed", detailed, "Also list help identifiers and tooltip texts");

    std::string panel_path, state_path, output, window;
    std::vector<std::string> sets;
    std::vector<std::vector<std::string>> clicks;
    int updates = 60;
    CLI::App* render = app.add_subcommand("render", "Draw the panel's windows after a flight state, clicks and updates");
    render->add_option("panel", panel_path, "The panel configuration (panel.cfg); the tool's own without one");
    render->add_option("--state", state_path, "A flight state file of token = value lines");
    render->add_option("--set", sets, "A variable, TOKEN=VALUE, after the flight state");
    std::vector<std::string> fails;
    render->add_option("--fail", fails, "Fail an instrument by its key's name or number (pitot_static, 7)");
    render->add_option("--updates", updates, "Update cycles after the clicks (60)");
    render->add_option("--click", clicks, "A click: GAUGE X Y left|right, in the gauge's pixels")->expected(4);
    render->add_option("--window", window, "Draw only this window (its ident or number)");
    render->add_option("-o,--output", output, "The picture to write (PNG)")->required();

    std::string tip_gauge;
    int tip_x = 0, tip_y = 0;
    CLI::App* tooltip = app.add_subcommand("tooltip", "Print the tooltip a pilot sees at a point of a gauge");
    tooltip->add_option("gauge", tip_gauge, "The gauge, Name or Name@2 for its second copy")->required();
    tooltip->add_option("x", tip_x, "x in the gauge's pixels")->required();
    tooltip->add_option("y", tip_y, "y in the gauge's pixels")->required();
    tooltip->add_option("panel", panel_path, "The panel configuration; the tool's own without one");
    tooltip->add_option("--state", state_path, "A flight state file");
    tooltip->add_option("--set", sets, "A variable, TOKEN=VALUE");

    std::string check_path;
    CLI::App* check = app.add_subcommand("check", "Explain a panel configuration: its errors, its traps, what each button does");
    check->add_option("panel", check_path, "The panel configuration (panel.cfg)")->required();

    std::string serve_panel, serve_state, bind_address = "127.0.0.1";
    std::vector<std::string> allowed_hosts;
    int port = 8080;
    CLI::App* live = app.add_subcommand("serve", "Fly and try the panel live in a web browser");
    live->add_option("panel", serve_panel, "The panel configuration; the tool's own without one");
    live->add_option("--state", serve_state, "A flight state file to start from");
    CLI::Option* port_option = live->add_option("--port", port, "The port (8080, or the next free one)")
                                   ->check(CLI::Range(1, 65535));
    live->add_option("--bind", bind_address, "The address to listen on (127.0.0.1: this machine only)");
    live->add_option("--allow-host", allowed_hosts,
                     "A host name the page may be reached by, besides localhost and IP addresses (repeatable)");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help is a success; every option the tool cannot read is status 1.
        return app.exit(e) == 0 ? 0 : 1;
    }

    try {
        // The live panel's host belongs to its own thread.
        if (*live) return serve(serve_panel, serve_state, port, bind_address, port_option->count() > 0, allowed_hosts);
        Host host;
        if (*list) {
            korvel::tool::print_gauge_table(std::cout, host.gauge_table(), detailed);
            return 0;
        }
        if (*check) {
            const Session session = load_panel(host, check_path);
            const auto findings = korvel::panel::check_panel(host, session.config, session.panel_folder);
            print(std::cout, findings, session.panel_file);
            std::size_t errors = 0, warnings = 0;
            for (const auto& f : findings) {
                errors += f.severity == Severity::error;
                warnings += f.severity == Severity::warning;
            }
            std::cout << errors << (errors == 1 ? " error, " : " errors, ") << warnings
                      << (warnings == 1 ? " warning" : " warnings") << "\n";
            return errors > 0 ? 1 : 0;
        }
        Session session = load_panel(host, panel_path);
        korvel::panel::PanelSession panel(host, session.config, session.panel_folder);
        print(std::cerr, session.config.problems, session.panel_file);
        print(std::cerr, panel.problems(), session.panel_file);
        const bool state_problems = apply_state(host, state_path, sets);
        for (const std::string& name : fails) {
            const auto key = korvel::host::failure_key(name);
            if (!key || !korvel::host::failure_name(*key)) throw Failure("--fail: no instrument fails by the key '" + name + "'");
            host.fail(*key);
        }
        const bool refused = session.config.refused_lines > 0;
        host.update();

        if (*tooltip) {
            korvel::host::PlacedGauge& g = gauge_named(panel, tip_gauge);
            const auto tip = host.tooltip(g, tip_x, tip_y);
            if (!tip.shown)
                std::cout << "no tooltip at " << tip_x << ", " << tip_y << " of " << tip_gauge << "\n";
            else if (!tip.text.empty())
                std::cout << korvel::host::utf8_from_cp1252(tip.text) << "\n";
            else {
                char id[16];
                std::snprintf(id, sizeof id, "0x%X", tip.help_id);
                std::cout << "the simulator's help text " << id << "\n";
            }
            return refused || state_problems ? 2 : 0;
        }

        for (const auto& click : clicks) {
            korvel::host::PlacedGauge& g = gauge_named(panel, click[0]);
            const auto button = click[3] == "left"    ? korvel::host::MouseButton::left
                                : click[3] == "right" ? korvel::host::MouseButton::right
                                                      : throw Failure("--click wants left or right, not " + click[3]);
            if (!host.click(g, coordinate(click[1]), coordinate(click[2]), button))
                std::cerr << "korvel-panel: the click at " << click[1] << ", " << click[2] << " of " << click[0]
                          << " falls on no click area\n";
        }
        host.update(updates);

        // Every 2D window the simulator shows, and every virtual-cockpit texture.
        auto bitmaps = korvel::render::module_bitmaps(host);
        std::vector<korvel::render::WindowPicture> pictures;
        for (const korvel::panel::WindowLayout& layout : panel.layouts()) {
            const korvel::panel::Window& w = *layout.window;
            const bool shown = w.kind == korvel::panel::WindowKind::virtual_cockpit ||
                               host.windows().visible(w.ident).value_or(false);
            const bool wanted = window.empty() ? shown
                                               : (korvel::panel::window_file_name(w) == window ||
                                                  (w.kind == korvel::panel::WindowKind::window &&
                                                   (window == std::to_string(w.number) || window == std::to_string(w.ident))));
            if (!wanted) continue;
            pictures.push_back({&w, korvel::render::draw_window(layout, panel, bitmaps)});
        }
        if (pictures.empty()) throw Failure(window.empty() ? "no window is visible" : "the panel has no window " + window);
        const auto wrote = [&](const std::string& path, const korvel::render::WindowPicture& p) {
            const std::size_t n = panel.gauges_in(*p.window);
            std::cout << "korvel-panel: wrote " << path << " ("
                      << korvel::host::utf8_from_cp1252(!p.window->title.empty() ? p.window->title : p.window->section)
                      << ": " << n << (n == 1 ? " gauge)" : " gauges)") << "\n";
        };
        if (!window.empty()) {
            korvel::render::write_png(pictures[0].image.get(), output);
            wrote(output, pictures[0]);
        } else {
            const fs::path out(output);
            // The overview holds as many pixels as all the windows: it is
            // written while they are, once nothing draws on any of them. The
            // windows are written even when it cannot be drawn.
            korvel::render::Surface overview;
            std::exception_ptr no_overview;
            try {
                overview = korvel::render::draw_overview(pictures);
            } catch (const korvel::render::RenderError&) {
                no_overview = std::current_exception();
            }
            std::future<void> overview_written;
            if (overview)
                overview_written = std::async(std::launch::async, [&] { korvel::render::write_png(overview.get(), output); });
            for (const auto& p : pictures) {
                const fs::path each =
                    out.parent_path() / (out.stem().string() + "-" + korvel::panel::window_file_name(*p.window) + ".png");
                korvel::render::write_png(p.image.get(), each.string());
                wrote(each.string(), p);
            }
            if (no_overview) std::rethrow_exception(no_overview);
            overview_written.get();
            std::cout << "korvel-panel: wrote " << output << " (" << pictures.size()
                      << (pictures.size() == 1 ? " window)" : " windows)") << "\n";
        }
        const auto& c = session.config;
        std::cout << "korvel-panel: " << c.placed_lines << " of " << c.placed_lines + c.refused_lines
                  << " Korvel_Instr gauge lines placed, " << c.other_lines
                  << (c.other_lines == 1 ? " line" : " lines") << " of other modules, " << c.unread_lines
                  << (c.unread_lines == 1 ? " line" : " lines") << " not read\n";
        return refused || state_problems ? 2 : 0;
    } catch (const std::exception& e) {
        std::cerr << "korvel-panel: " << e.what() << "\n";
        return 1;
    }
}
