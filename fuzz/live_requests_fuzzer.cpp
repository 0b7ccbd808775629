// The live panel's request decoding over any bytes: every body either
// decodes into a request that names a gauge of the panel at a point inside
// it, or is refused with a 4xx status and a message; none crashes, hangs or
// lets a value through unchecked. The editor's requests likewise: a text
// the panel.cfg is given is one line, sizes are above zero and positions
// are the simulator's nine.
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz/fuzz_host.h"
#include "host/core/variables.h"
#include "host/live/controls.h"
#include "host/live/edit_requests.h"
#include "host/live/requests.h"

namespace {

// A text as a panel.cfg line will hold it: no line end, no control
// character but the tab.
bool one_line(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return false;
    return true;
}

void check_edit(const korvel::live::EditRequest& request) {
    using namespace korvel::live;
    if (const auto* g = std::get_if<GaugeEdit>(&request.edit)) {
        FUZZ_CHECK(!g->gauge.section.empty() && !g->gauge.key.empty());
        if (g->width && *g->width) FUZZ_CHECK(**g->width > 0);
        if (g->height) FUZZ_CHECK(*g->height > 0);
        if (g->parameters) FUZZ_CHECK(one_line(*g->parameters));
    } else if (const auto* a = std::get_if<AddEdit>(&request.edit)) {
        FUZZ_CHECK(!a->gauge.empty() && !a->section.empty() && one_line(a->gauge));
        if (a->width) FUZZ_CHECK(*a->width > 0);
        if (a->height) FUZZ_CHECK(*a->height > 0);
        if (a->parameters) FUZZ_CHECK(one_line(*a->parameters));
    } else if (const auto* r = std::get_if<RemoveEdit>(&request.edit)) {
        FUZZ_CHECK(!r->gauge.section.empty() && !r->gauge.key.empty());
    } else if (const auto* w = std::get_if<WindowEdit>(&request.edit)) {
        FUZZ_CHECK(!w->section.empty() && one_line(w->section));
        if (w->size_mm) FUZZ_CHECK(w->size_mm->first > 0 && (!w->size_mm->second || *w->size_mm->second > 0));
        if (w->position) FUZZ_CHECK(*w->position >= 0 && *w->position <= 8);
        if (w->ident) FUZZ_CHECK(!w->ident->empty() && one_line(*w->ident));
        if (w->title) FUZZ_CHECK(one_line(*w->title));
    }
}

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
    switch (data[0] % 6) {
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
        case 4: {
            const auto decoded = korvel::live::decode_edit(body);
            if (const auto* edit = accepted(decoded)) check_edit(*edit);
            break;
        }
        case 5: {
            const auto decoded = korvel::live::decode_heartbeat(body);
            accepted(decoded);
            (void)korvel::live::decode_nothing(body);
            break;
        }
    }
    return 0;
}
