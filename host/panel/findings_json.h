// Findings as JSON, for scripts, editors and the page: one object each.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/panel/panel_config.h"

namespace korvel::panel {

// "error", "warning" or "note".
const char* severity_name(Severity severity);

// {"file", "line", "severity", "code", "message", "gauge", "window"}: line
// is null for a finding about the whole file, gauge and window are null
// where the finding is on no gauge line or in no window. A message may hold
// bytes of the panel.cfg that are not UTF-8: dump with
// nlohmann::json::error_handler_t::replace.
nlohmann::json finding_json(const Problem& finding, const std::string& file);

}  // namespace korvel::panel
