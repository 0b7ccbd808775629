#include <iostream>

#include "host/panel/checker.h"
#include "host/tool/common.h"
#include "host/tool/listing.h"
#include "host/tool/verbs.h"

namespace korvel::tool {

int list_gauges(bool detailed) {
    host::Host host;
    print_gauge_table(std::cout, host.gauge_table(), detailed);
    return 0;
}

// Every finding, then "N errors, M warnings"; status 1 when there are errors.
int check(const std::string& path) {
    host::Host host;
    const PanelFile file = load_panel(host, path);
    const auto findings = panel::check_panel(host, file.config, file.panel_folder);
    print(std::cout, findings, file.panel_file);
    std::size_t errors = 0, warnings = 0;
    for (const auto& f : findings) {
        errors += f.severity == panel::Severity::error;
        warnings += f.severity == panel::Severity::warning;
    }
    std::cout << errors << (errors == 1 ? " error, " : " errors, ") << warnings
              << (warnings == 1 ? " warning" : " warnings") << "\n";
    return errors > 0 ? 1 : 0;
}

}  // namespace korvel::tool
