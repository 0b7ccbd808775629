// What the tool's verbs share: its errors, reading files, printing
// findings as compilers do, and a panel with its flight state set up.
#pragma once

#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/core/host.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"

namespace korvel::tool {

// An error that leaves nothing written: the tool exits with status 1.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string read_text(const std::string& path, const char* what);

// Findings in the form compilers use, FILE:LINE: error: ...
void print(std::ostream& out, const std::vector<panel::Problem>& problems, const std::string& file);

struct PanelFile {
    std::string panel_file;
    std::string panel_text;
    std::string panel_folder;  // none for the tool's own panel
    panel::PanelConfig config;
};

// The panel.cfg at the path, or the tool's own without one.
PanelFile load_panel(const host::Host& host, const std::string& path);
// The flight state file (the built-in one without one) and the --set
// settings after it; returns whether the state had lines it could not read.
bool apply_state(host::Host& host, const std::string& state_file, const std::vector<std::string>& sets);
std::int32_t coordinate(const std::string& text);
host::PlacedGauge& gauge_named(const panel::PanelSession& session, const std::string& name);

}  // namespace korvel::tool
