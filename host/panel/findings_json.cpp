#include "host/panel/findings_json.h"

namespace korvel::panel {

const char* severity_name(Severity s) {
    return s == Severity::error ? "error" : s == Severity::warning ? "warning" : "note";
}

nlohmann::json finding_json(const Problem& p, const std::string& file) {
    const auto or_null = [](const std::string& s) { return s.empty() ? nlohmann::json() : nlohmann::json(s); };
    return {{"file", file},
            {"line", p.line > 0 ? nlohmann::json(p.line) : nlohmann::json()},
            {"severity", severity_name(p.severity)},
            {"code", p.code},
            {"message", p.message},
            {"gauge", or_null(p.gauge)},
            {"window", or_null(p.window)}};
}

}  // namespace korvel::panel
