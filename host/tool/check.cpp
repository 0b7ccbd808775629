#include <iostream>

#include "host/panel/checker.h"
#include "host/panel/findings_json.h"
#include "host/tool/common.h"
#include "host/tool/listing.h"
#include "host/tool/verbs.h"

namespace korvel::tool {

int list_gauges(bool detailed) {
    host::Host host;
    print_gauge_table(std::cout, host.gauge_table(), detailed);
    return 0;
}

// Every finding, then "N errors, M warnings" and the gauges left unused;
// status 1 when there are errors.
int check(const CheckOptions& options) {
    host::Host host;
    const PanelFile file = load_panel(host, options.panel);
    auto findings = panel::check_panel(host, file.config, file.panel_folder);
    if (options.quiet)
        std::erase_if(findings, [](const panel::Problem& p) { return p.severity == panel::Severity::note; });
    std::size_t errors = 0, warnings = 0, notes = 0;
    for (const auto& f : findings) {
        errors += f.severity == panel::Severity::error;
        warnings += f.severity == panel::Severity::warning;
        notes += f.severity == panel::Severity::note;
    }
    const std::vector<std::string> unused = panel::unused_gauges(host, file.config);
    if (options.json) {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& f : findings) list.push_back(panel::finding_json(f, file.panel_file));
        const nlohmann::json out = {{"file", file.panel_file}, {"findings", list}, {"errors", errors},
                                    {"warnings", warnings},    {"notes", notes},   {"unused_gauges", unused}};
        std::cout << out.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
    } else {
        print(std::cout, findings, file.panel_file);
        std::cout << errors << (errors == 1 ? " error, " : " errors, ") << warnings
                  << (warnings == 1 ? " warning" : " warnings") << "\n";
        if (unused.empty()) {
            std::cout << "every gauge of the module is placed\n";
        } else {
            std::cout << "unused: " << unused.size() << " of the module's " << host.gauge_table().size() << " gauges:";
            for (std::size_t i = 0; i < unused.size(); ++i) std::cout << (i == 0 ? " " : ", ") << unused[i];
            std::cout << "\n";
        }
    }
    return errors > 0 ? 1 : 0;
}

}  // namespace korvel::tool
