// The live panel's request decoding over any bytes: every body either
// decodes into a request that names a gauge of the panel at a point inside
// it, or is refused with a 4xx status and a message; none crashes, hangs or
// lets a value through unchecked.
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz/fuzz_host.h"
#include "host/core/variables.h"
#include "host/live/controls.h"
#include "host/live/requests.h"

namespace {

const korvel::live::Catalogue& catalogue() {
    // clang-format off
    static const korvel::live::Catalogue gauges({{"Radio_COM", {350, 130}}, {"Airspeed", {300, 300}},
                                                 {"Airspeed@2", {300, 300}}, {"Throttle_Quadrant", {95, 285}}});
    // clang-format on
    return gauges;
}

template <typename T>
const T* accepted(const korvel::live::Decoded<T>& d) {
    if (const auto* r = std::get_if<korvel::live::Refusal>(&d)) {
        FUZZ_CHECK(r->status >= 400 && r->status < 500);
        FUZZ_CHECK(!r->message.empty());
        return nullptr;
    }
    return &std::get<T>(d);
}
// The answer points into the decoded request, which must outlive it.
template <typename T>
const T* accepted(const korvel::live::Decoded<T>&&) = delete;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view body(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
        case 0: {
            const auto decoded = korvel::live::decode_click(body, catalogue());
            if (const auto* click = accepted(decoded)) {
                const auto* g = catalogue().find(click->gauge);
                FUZZ_CHECK(g != nullptr);
                if (click->action != korvel::live::MouseAction::drag &&
                    click->action != korvel::live::MouseAction::release)
                    FUZZ_CHECK(click->x >= 0 && click->y >= 0 && click->x < g->size.width && click->y < g->size.height);
            }
            break;
        }
        case 1: {
            // Query parameters as key=value&key=value, as the server hands them on.
            std::map<std::string, std::string> query;
            std::size_t at = 0;
            while (at <= body.size()) {
                const std::size_t end = std::min(body.find('&', at), body.size());
                const std::string_view pair = body.substr(at, end - at);
                const std::size_t eq = pair.find('=');
                query[std::string(pair.substr(0, eq))] =
                    eq == std::string_view::npos ? "" : std::string(pair.substr(eq + 1));
                at = end + 1;
            }
            const auto decoded = korvel::live::decode_tooltip(query, catalogue());
            if (const auto* tip = accepted(decoded)) {
                const auto* g = catalogue().find(tip->gauge);
                FUZZ_CHECK(g != nullptr && tip->x >= 0 && tip->y >= 0 && tip->x < g->size.width &&
                           tip->y < g->size.height);
            }
            break;
        }
        case 2: {
            const auto decoded = korvel::live::decode_state(body);
            if (const auto* state = accepted(decoded))
                for (const auto& [control, value] : state->values)
                    FUZZ_CHECK(control != nullptr && korvel::host::VariableStore::valid(control->token) &&
                               std::isfinite(value));
            break;
        }
        case 3: {
            const auto decoded = korvel::live::decode_profile(body);
            if (const auto* profile = accepted(decoded)) {
                if (profile->time) FUZZ_CHECK(std::isfinite(*profile->time) && *profile->time >= 0);
                if (profile->speed) FUZZ_CHECK(*profile->speed > 0 && *profile->speed <= 64);
            }
            break;
        }
    }
    return 0;
}
