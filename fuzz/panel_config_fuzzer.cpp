// The panel tool's panel.cfg reader over any text: every problem names a
// line of the text (or none), every placement names a gauge of the module, and the
// panel it reads can be placed, updated and taken down.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_host.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n' ? 1 : 0;

    fuzz::FreshHost fresh;
    auto& host = fresh.host;
    const auto config = korvel::panel::read_panel_config(text, korvel::panel::module_gauges(host));
    for (const auto& problem : config.problems) {
        FUZZ_CHECK(problem.line >= 0 && static_cast<std::size_t>(problem.line) <= lines);
        FUZZ_CHECK(!problem.message.empty());
    }
    std::size_t placements = 0, others = 0;
    for (const auto& window : config.windows) {
        for (const auto& placement : window.gauges) FUZZ_CHECK(host.find_gauge(placement.gauge) != nullptr);
        placements += window.gauges.size();
        others += window.others.size();
    }
    FUZZ_CHECK(placements == static_cast<std::size_t>(config.placed_lines));
    FUZZ_CHECK(others <= static_cast<std::size_t>(config.other_lines));
    FUZZ_CHECK(static_cast<std::size_t>(config.placed_lines + config.refused_lines + config.other_lines) <= lines);
    // A big panel reads, but only a handful of gauges are worth placing per input.
    if (placements <= 64) {
        korvel::panel::PanelSession session(host, config);
        FUZZ_CHECK(session.layouts().size() == config.windows.size());
        for (const auto& layout : session.layouts()) FUZZ_CHECK(layout.width >= 1 && layout.height >= 1);
        host.update(2);
    }
    return 0;
}
