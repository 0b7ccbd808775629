#include <csignal>
#include <filesystem>
#include <iostream>

#include "host/live/live_panel.h"
#include "host/live/server.h"
#include "host/tool/builtin.h"
#include "host/tool/common.h"
#include "host/tool/verbs.h"

namespace korvel::tool {

namespace fs = std::filesystem;

namespace {

// Ctrl-C stops the live panel's server; the rest is torn down in order.
live::Server* serving = nullptr;
extern "C" void on_interrupt(int) {
    if (serving != nullptr) serving->stop();
}

}  // namespace

int serve(const ServeOptions& options) {
    const std::string& panel_path = options.panel;
    const std::string& state_path = options.state;
    const std::string& address = options.address;
    const int port = options.port;
    const bool port_given = options.port_given;
    live::PanelSource source;
    source.panel_file = panel_path.empty() ? "built-in panel.cfg" : panel_path;
    source.panel_text = panel_path.empty() ? std::string(builtin_panel) : read_text(panel_path, "panel configuration");
    if (!panel_path.empty()) {
        source.panel_folder = fs::path(panel_path).parent_path().string();
        if (source.panel_folder.empty()) source.panel_folder = ".";
    }
    source.state_file = state_path.empty() ? "built-in flight state" : state_path;
    source.state_text = state_path.empty() ? std::string(builtin_state) : read_text(state_path, "flight state");
    for (const Example& e : examples())
        (std::string_view(e.kind) == "state" ? source.examples : source.profiles).emplace_back(e.name, e.text);

    live::EditOptions edit;
    if (options.edit) {
        // The editor writes the file it was started with and no other.
        if (panel_path.empty())
            throw Failure("--edit needs the panel.cfg to edit: korvel-panel serve PANEL.CFG --edit");
        source.editing = true;
        edit.editing = true;
        // Before the live panel's host and threads: the checker's process
        // starts from the module as it loads.
        edit.checker = std::make_shared<live::CheckProcess>();
    }
    live::LivePanel panel(std::move(source));
    live::Server server(panel, {options.allowed_hosts, edit});
    const int bound = server.bind(address, port, !port_given);
    if (bound == 0)
        throw Failure("cannot listen on " + address + " port " + std::to_string(port) +
                      (port_given ? "" : " or the 100 after it"));
    serving = &server;
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    const std::string shown = address == "0.0.0.0" ? "127.0.0.1" : address;
    std::cout << "korvel-panel: the live panel is at http://"
              << (shown.find(':') != std::string::npos ? "[" + shown + "]" : shown) << ":" << bound
              << "/ (Ctrl-C stops it)" << std::endl;
    if (options.edit)
        std::cout << "korvel-panel: editing " << panel_path << "; Save writes it, keeping " << panel_path << ".bak"
                  << std::endl;
    const bool ok = server.listen();
    serving = nullptr;
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (!ok) throw Failure("the server stopped with an error");
    std::cout << "korvel-panel: stopped" << std::endl;
    return 0;
}

}  // namespace korvel::tool
