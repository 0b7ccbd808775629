// The flight-state reader over any text: every setting names a variable the
// host keeps and comes from a line of the text, every problem names its line,
// and the state applies to a simulator whose panel then updates.
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_host.h"
#include "host/core/variables.h"
#include "host/panel/flight_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::size_t lines = 1;
    for (char c : text) lines += c == '\n' ? 1 : 0;

    const auto state = korvel::panel::read_flight_state(text);
    for (const auto& setting : state.settings) {
        FUZZ_CHECK(setting.token > 0 && setting.token < korvel::host::VariableStore::token_limit);
        FUZZ_CHECK(setting.line >= 1 && static_cast<std::size_t>(setting.line) <= lines);
    }
    for (const auto& problem : state.problems)
        FUZZ_CHECK(problem.line >= 1 && static_cast<std::size_t>(problem.line) <= lines);

    fuzz::FreshHost fresh;
    auto& host = fresh.host;
    host.place("Radio_COM");
    host.place("Registration");
    host.place("Altimeter");
    korvel::panel::apply_flight_state(state, host.simulator());
    host.update(2);
    return 0;
}
