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
std::vector<Problem> check_panel(host::Host& scratch, const PanelConfig& config, const std::string& panel_folder);

}  // namespace korvel::panel
