#pragma once

#include <ostream>
#include <vector>

#include "module/records.h"

namespace korvel::tool {

// The gauge table, one row per gauge, then the module's totals.
void print_gauge_table(std::ostream& out, const std::vector<GaugeHeader*>& gauges, bool detailed);

}  // namespace korvel::tool
