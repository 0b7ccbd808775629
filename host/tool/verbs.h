// The tool's verbs, one function each, given what the command line said.
#pragma once

#include <string>
#include <vector>

namespace korvel::tool {

// Where a panel and its flight come from: the tool's own without a file.
struct FlightOptions {
    std::string panel;
    std::string state;
    std::vector<std::string> sets;  // TOKEN=VALUE after the state
    std::vector<std::string> fails;
};

struct RenderOptions {
    FlightOptions flight;
    std::vector<std::vector<std::string>> clicks;  // GAUGE X Y left|right
    int updates = 60;
    std::string window;
    std::string output;  // empty: beside the panel.cfg (the current folder for the tool's own panel)
    bool all_windows = false;
    bool areas = false;
};

struct CheckOptions {
    std::string panel;
    bool json = false;
    bool quiet = false;  // warnings and errors only
};

struct TooltipOptions {
    FlightOptions flight;
    std::string gauge;
    int x = 0, y = 0;
};

struct ServeOptions {
    std::string panel;
    std::string state;
    int port = 8080;
    bool port_given = false;
    std::string address = "127.0.0.1";
    std::vector<std::string> allowed_hosts;
    bool edit = false;  // the panel.cfg may be edited and saved from the page
};

// Each returns the tool's exit status; a Failure thrown is status 1.
int list_gauges(bool detailed);
int check(const CheckOptions& options);
int render(const RenderOptions& options);
int tooltip(const TooltipOptions& options);
int serve(const ServeOptions& options);

}  // namespace korvel::tool
