// korvel-panel: the substitute panel host on the command line.
//
//   korvel-panel list [--detailed]
//   korvel-panel render [PANEL.CFG] [--state FILE] [--set TOKEN=VALUE]... [--fail KEY]...
//                [--updates N] [--click GAUGE X Y left|right]... [--window WINDOW | --all-windows]
//                [--areas] [-o OUT.png]
//   korvel-panel tooltip GAUGE X Y [PANEL.CFG] [--state FILE] [--set TOKEN=VALUE]...
//   korvel-panel check PANEL.CFG [--format text|json] [--quiet]
//   korvel-panel serve [PANEL.CFG] [--state FILE] [--port N] [--bind ADDR] [--allow-host NAME]... [--edit]
//
// Without a panel configuration the tool uses its own (examples/panel.cfg),
// without a flight state the built-in one (examples/states/apron.flt). Each
// verb is a function of its own (verbs.h); main reads the command line and
// hands over.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "host/tool/verbs.h"

int main(int argc, char** argv) {
    using namespace korvel::tool;
    CLI::App app{"korvel-panel: the Korvel instrument module without the simulator"};
    app.require_subcommand(1);

    bool detailed = false;
    CLI::App* list = app.add_subcommand("list", "List the module's gauge table from its records");
    list->add_flag("-d,--detailed", detailed, "Also list help identifiers and tooltip texts");

    const auto flight_options = [](CLI::App* verb, FlightOptions& f) {
        verb->add_option("--state", f.state, "A flight state file of token = value lines");
        verb->add_option("--set", f.sets, "A variable, TOKEN=VALUE, after the flight state");
    };

    RenderOptions drawing;
    CLI::App* render_verb =
        app.add_subcommand("render", "Draw the panel's windows after a flight state, clicks and updates");
    render_verb->add_option("panel", drawing.flight.panel,
                            "The panel configuration (panel.cfg); the tool's own without one");
    flight_options(render_verb, drawing.flight);
    render_verb->add_option("--fail", drawing.flight.fails,
                            "Fail an instrument by its key's name or number (pitot_static, 7)");
    render_verb->add_option("--updates", drawing.updates, "Update cycles after the clicks (60)");
    render_verb->add_option("--click", drawing.clicks, "A click: GAUGE X Y left|right, in the gauge's pixels")
        ->expected(4);
    CLI::Option* one_window = render_verb->add_option(
        "--window", drawing.window,
        "Draw only this window: N for [WindowNN], its ident's name in any case, ident=N, or its file name");
    render_verb->add_flag("--all-windows", drawing.all_windows, "Draw the hidden windows too, each marked hidden")
        ->excludes(one_window);
    render_verb->add_flag("--areas", drawing.areas, "Draw click and tooltip areas over a coordinate grid");
    render_verb->add_option("-o,--output", drawing.output,
                            "The picture to write (PNG); beside the panel.cfg, named after it, without one");

    TooltipOptions tip;
    CLI::App* tooltip_verb = app.add_subcommand("tooltip", "Print the tooltip a pilot sees at a point of a gauge");
    tooltip_verb->add_option("gauge", tip.gauge, "The gauge, Name or Name@2 for its second copy, in any case")
        ->required();
    tooltip_verb->add_option("x", tip.x, "x in the gauge's pixels")->required();
    tooltip_verb->add_option("y", tip.y, "y in the gauge's pixels")->required();
    tooltip_verb->add_option("panel", tip.flight.panel, "The panel configuration; the tool's own without one");
    flight_options(tooltip_verb, tip.flight);

    CheckOptions checking;
    std::string format = "text";
    CLI::App* check_verb =
        app.add_subcommand("check", "Explain a panel configuration: its errors, its traps, what each button does");
    check_verb->add_option("panel", checking.panel, "The panel configuration (panel.cfg)")->required();
    check_verb->add_option("--format", format, "text (as compilers print) or json (one object per finding)")
        ->check(CLI::IsMember({"text", "json"}));
    check_verb->add_flag("-q,--quiet", checking.quiet, "Warnings and errors only, no notes");

    ServeOptions live;
    CLI::App* serve_verb = app.add_subcommand("serve", "Fly and try the panel live in a web browser");
    serve_verb->add_option("panel", live.panel, "The panel configuration; the tool's own without one");
    serve_verb->add_option("--state", live.state, "A flight state file to start from");
    CLI::Option* port = serve_verb->add_option("--port", live.port, "The port (8080, or the next free one)")
                            ->check(CLI::Range(1, 65535));
    serve_verb->add_option("--bind", live.address, "The address to listen on (127.0.0.1: this machine only)");
    serve_verb->add_option("--allow-host", live.allowed_hosts,
                           "A host name the page may be reached by, besides localhost and IP addresses (repeatable)");
    serve_verb->add_flag("--edit", live.edit,
                         "Design the panel in the page: move, size, add and set up gauges, and save the panel.cfg");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // Help is a success; every option the tool cannot read is status 1.
        return app.exit(e) == 0 ? 0 : 1;
    }
    live.port_given = port->count() > 0;
    checking.json = format == "json";

    try {
        if (*list) return list_gauges(detailed);
        if (*check_verb) return check(checking);
        if (*tooltip_verb) return tooltip(tip);
        if (*serve_verb) return serve(live);
        return render(drawing);
    } catch (const std::exception& e) {
        std::cerr << "korvel-panel: " << e.what() << "\n";
        return 1;
    }
}
