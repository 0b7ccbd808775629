#include "host/tool/listing.h"

#include <cstdio>
#include <iomanip>
#include <string>

#include "host/core/gauge_records.h"

namespace korvel::tool {

namespace {

std::string hex(std::uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

std::string kinds(const host::GaugeSummary& s) {
    // clang-format off
    static constexpr const char* plural[7] = {"static images", "needles", "strings", "sliders",
                                              "icons",         "moving images", "sprites"};
    // clang-format on
    std::string out;
    for (std::size_t k = 0; k < s.elements_by_kind.size(); ++k) {
        if (s.elements_by_kind[k] == 0) continue;
        if (!out.empty()) out += ", ";
        out += std::to_string(s.elements_by_kind[k]) + " " +
               (s.elements_by_kind[k] == 1 ? host::element_kind_names[k] : plural[k]);
    }
    return out;
}

}  // namespace

void print_gauge_table(std::ostream& out, const std::vector<GaugeHeader*>& gauges, bool detailed) {
    out << " #  " << std::left << std::setw(26) << "gauge" << std::right << std::setw(5) << "mm" << std::setw(9)
        << "elements" << std::setw(8) << "clicks" << std::setw(6) << "tips" << std::setw(9) << "parents"
        << "  callback  elements by kind\n";
    host::GaugeSummary total;
    int index = 0;
    for (const GaugeHeader* g : gauges) {
        const host::GaugeSummary s = host::summarize(*g);
        out << std::right << std::setw(2) << ++index << "  " << std::left << std::setw(26) << s.name << std::right
            << std::setw(5) << s.size_mm << std::setw(9) << s.elements << std::setw(8) << s.children << std::setw(6)
            << s.tooltips << std::setw(9) << s.parents << "  " << std::left << std::setw(8)
            << (s.has_callback ? "yes" : "no") << "  " << kinds(s) << "\n";
        if (detailed) {
            for (std::uint32_t id : s.parent_help_ids) out << "      parent help " << hex(id) << "\n";
            for (std::uint32_t id : s.tooltip_help_ids) out << "      tooltip: host text " << hex(id) << "\n";
            for (const std::string& t : s.tooltip_texts) out << "      tooltip: \"" << t << "\"\n";
        }
        for (std::size_t k = 0; k < s.elements_by_kind.size(); ++k) total.elements_by_kind[k] += s.elements_by_kind[k];
        total.elements += s.elements;
        total.parents += s.parents;
        total.tooltips += s.tooltips;
        total.children += s.children;
    }
    out << "\n"
        << gauges.size() << " gauges; " << total.elements << " elements: " << kinds(total) << "\n"
        << total.parents << " parents, " << total.tooltips << " tooltips, " << total.children << " children\n";
}

}  // namespace korvel::tool
