// The panel designer's checker: everything the reader and the session find
// in a panel.cfg, and what this module's gauges will do with their lines,
// learnt by placing them in a scratch host and acting on them, so that an
// explanation can never disagree with the module.
#pragma once

#include <string>
#include <vector>

#include "host/core/host.h"
#include "host/panel/panel_config.h"

namespace korvel::panel {

// Every finding about the panel, in line order: the reader's, the files
// beside it (`panel_folder`, empty for none), and the checker's own warnings
// and notes. `scratch` is a host of the caller's with nothing placed; the
// checker places, clicks and reads gauges in it.
// Each finding carries its code, and the gauge and window of its line.
std::vector<Problem> check_panel(host::Host& scratch, const PanelConfig& config, const std::string& panel_folder);

// The module's gauges that no line of the panel places, in the module's order.
std::vector<std::string> unused_gauges(const host::Host& host, const PanelConfig& config);

}  // namespace korvel::panel
