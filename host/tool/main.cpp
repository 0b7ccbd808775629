// korvel-panel: the substitute panel host on the command line.
#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "host/core/host.h"
#include "host/tool/listing.h"

int main(int argc, char** argv) {
    CLI::App app{"korvel-panel: the Korvel instrument module without the simulator"};
    app.require_subcommand(1);

    bool detailed = false;
    CLI::App* list = app.add_subcommand("list", "List the module's gauge table from its records");
    list->add_flag("-d,--detailed", detailed, "Also list help identifiers and tooltip texts");

    CLI11_PARSE(app, argc, argv);

    try {
        korvel::host::Host host;
        if (*list) korvel::tool::print_gauge_table(std::cout, host.gauge_table(), detailed);
    } catch (const std::exception& e) {
        std::cerr << "korvel-panel: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
