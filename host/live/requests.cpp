#include "host/live/requests.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "host/core/cp1252.h"
#include "host/core/failures.h"
#include "host/core/text.h"
#include "host/live/controls.h"
#include "host/live/request_reading.h"

namespace korvel::live {

namespace {

using nlohmann::json;
using namespace request_reading;

const json& required(const json& object, const char* name) {
    const json* value = field(object, name);
    if (value == nullptr) refuse(std::string("'") + name + "' is missing");
    return *value;
}

std::string text(const json& value, const char* name) {
    if (!value.is_string()) refuse(std::string("'") + name + "' must be a string");
    return value.get<std::string>();
}

double number(const json& value, const std::string& name) {
    if (!value.is_number()) refuse("'" + name + "' must be a number");
    return value.get<double>();
}

// A number as a pilot writes it: 118, 136.975, -0.5.
std::string written(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

bool on_grid(double offset, double step) {
    const double steps = offset / step;
    return std::abs(steps - std::round(steps)) < 1e-6;
}

std::int32_t whole(const json& value, const char* name) {
    if (!value.is_number_integer()) refuse(std::string("'") + name + "' must be a whole number");
    if (value.is_number_unsigned()
            ? value.get<std::uint64_t>() > std::uint64_t(std::numeric_limits<std::int32_t>::max())
            : (value.get<std::int64_t>() < std::numeric_limits<std::int32_t>::min() ||
               value.get<std::int64_t>() > std::numeric_limits<std::int32_t>::max()))
        refuse(std::string("'") + name + "' is out of range");
    return std::int32_t(value.get<std::int64_t>());
}

std::uint64_t page_number(const json& value) {
    if (!value.is_number_unsigned()) refuse("'page' is the number the event stream gave the page");
    return value.get<std::uint64_t>();
}

const GaugeName& gauge_of(const Catalogue& gauges, const std::string& name) {
    const GaugeName* g = gauges.find(name);
    if (g == nullptr) refuse("the panel places no gauge '" + name + "'", 404);
    return *g;
}

void inside(const GaugeName& g, std::int32_t x, std::int32_t y) {
    if (x < 0 || y < 0 || x >= g.size.width || y >= g.size.height)
        refuse("the point " + std::to_string(x) + ", " + std::to_string(y) + " is outside " + g.name + " (" +
               std::to_string(g.size.width) + " by " + std::to_string(g.size.height) + " pixels)");
}

std::uint32_t failure(const json& value) {
    std::string name;
    if (value.is_number_unsigned())
        name = std::to_string(value.get<std::uint64_t>());
    else if (value.is_string())
        name = value.get<std::string>();
    else
        refuse("a failure is a name or a number");
    for (const host::FailureKey& k : host::failure_keys)
        if (k.name == name || std::to_string(k.key) == name) return k.key;
    refuse("no instrument fails by the key '" + name + "'");
}

std::vector<std::uint32_t> failures(const json& value) {
    if (!value.is_array()) refuse("failures are a list");
    std::vector<std::uint32_t> out;
    for (const json& v : value) out.push_back(failure(v));
    return out;
}

}  // namespace

const GaugeName* Catalogue::find(std::string_view name) const {
    for (const GaugeName& g : gauges_)
        if (g.name == name) return &g;
    return nullptr;
}

Decoded<ClickRequest> decode_click(std::string_view body, const Catalogue& gauges) {
    return decoding<ClickRequest>([&] {
        const json o = parse_object(body);
        only_fields(o, {"gauge", "x", "y", "button", "action", "page"});
        ClickRequest r;
        r.gauge = text(required(o, "gauge"), "gauge");
        const GaugeName& g = gauge_of(gauges, r.gauge);
        r.x = whole(required(o, "x"), "x");
        r.y = whole(required(o, "y"), "y");
        if (const json* b = field(o, "button")) {
            const std::string button = text(*b, "button");
            if (button == "left")
                r.button = Button::left;
            else if (button == "right")
                r.button = Button::right;
            else
                refuse("'button' is left or right, not '" + button + "'");
        }
        if (const json* a = field(o, "action")) {
            const std::string action = text(*a, "action");
            if (action == "click")
                r.action = MouseAction::click;
            else if (action == "press")
                r.action = MouseAction::press;
            else if (action == "release")
                r.action = MouseAction::release;
            else if (action == "drag")
                r.action = MouseAction::drag;
            else
                refuse("'action' is click, press, release or drag, not '" + action + "'");
        }
        if (const json* p = field(o, "page")) r.page = page_number(*p);
        // A drag goes on outside the gauge (the throttle lever follows the
        // pointer off its slot); every other action starts inside it.
        if (r.action != MouseAction::drag && r.action != MouseAction::release) inside(g, r.x, r.y);
        return r;
    });
}

Decoded<TooltipRequest> decode_tooltip(const std::map<std::string, std::string>& query, const Catalogue& gauges) {
    return decoding<TooltipRequest>([&] {
        for (const auto& [key, value] : query)
            if (key != "gauge" && key != "x" && key != "y") refuse("unknown parameter '" + key + "'");
        const auto get = [&](const char* name) -> const std::string& {
            const auto it = query.find(name);
            if (it == query.end()) refuse(std::string("'") + name + "' is missing");
            return it->second;
        };
        const auto coordinate = [&](const char* name) {
            const auto v = host::exact_number<std::int32_t>(get(name));
            if (!v) refuse(std::string("'") + name + "' must be a whole number");
            return *v;
        };
        TooltipRequest r;
        r.gauge = get("gauge");
        const GaugeName& g = gauge_of(gauges, r.gauge);
        r.x = coordinate("x");
        r.y = coordinate("y");
        inside(g, r.x, r.y);
        return r;
    });
}

Decoded<StateRequest> decode_state(std::string_view body) {
    return decoding<StateRequest>([&] {
        const json o = parse_object(body);
        only_fields(o, {"values", "text", "example", "atc_id", "fail", "restore"});
        StateRequest r;
        if (const json* values = field(o, "values")) {
            if (!values->is_object()) refuse("'values' is an object of control: value, in the control's unit");
            for (const auto& [key, value] : values->items()) {
                const Control* c = control_named(key);
                if (c == nullptr) refuse("there is no control '" + key + "'");
                const double v = number(value, key);
                if (!(v >= c->low && v <= c->high))
                    refuse("'" + key + "' (" + c->label + ") is set from " + written(c->low) + " to " +
                           written(c->high) + " " + c->unit + ", not " + written(v));
                if (c->kind == ControlKind::frequency && !on_grid(v - c->low, c->step))
                    refuse("'" + key + "' (" + c->label + ") takes channels " + written(c->step * 1000) +
                           " kHz apart, not " + written(v) + " " + c->unit);
                const Setting s = setting(*c, v);
                if (!s.refusal.empty()) refuse("'" + key + "': " + s.refusal + ", not " + written(v));
                r.values.emplace_back(c, s.value);
            }
        }
        if (const json* t = field(o, "text")) r.text = text(*t, "text");
        if (const json* e = field(o, "example")) r.example = text(*e, "example");
        if (const json* a = field(o, "atc_id")) {
            // The module reads its texts in Windows-1252, the page writes UTF-8.
            const host::Cp1252 id = host::cp1252_from_utf8(text(*a, "atc_id"));
            if (!id.refusal.empty())
                refuse("'atc_id': the registration plate shows Windows-1252 characters only, not " + id.refusal);
            if (id.text.size() > 64) refuse("'atc_id' is longer than 64 characters");
            r.atc_id = id.text;
        }
        if (const json* f = field(o, "fail")) r.fail = failures(*f);
        if (const json* f = field(o, "restore")) {
            if (f->is_string() && f->get<std::string>() == "all")
                r.restore_all = true;
            else
                r.restore = failures(*f);
        }
        return r;
    });
}

Decoded<ProfileRequest> decode_profile(std::string_view body) {
    return decoding<ProfileRequest>([&] {
        const json o = parse_object(body);
        only_fields(o, {"action", "time", "text", "example", "speed"});
        ProfileRequest r;
        const std::string action = text(required(o, "action"), "action");
        if (action == "play")
            r.action = ProfileAction::play;
        else if (action == "pause")
            r.action = ProfileAction::pause;
        else if (action == "seek")
            r.action = ProfileAction::seek;
        else if (action == "load")
            r.action = ProfileAction::load;
        else
            refuse("'action' is play, pause, seek or load, not '" + action + "'");
        if (const json* t = field(o, "time")) {
            r.time = number(*t, "time");
            if (!std::isfinite(*r.time) || *r.time < 0) refuse("'time' is a number of seconds from 0");
        }
        if (const json* s = field(o, "speed")) {
            r.speed = number(*s, "speed");
            if (!(*r.speed > 0 && *r.speed <= 64)) refuse("'speed' is above 0 and at most 64");
        }
        if (const json* t = field(o, "text")) r.text = text(*t, "text");
        if (const json* e = field(o, "example")) r.example = text(*e, "example");
        if (r.action == ProfileAction::seek && !r.time) refuse("a seek needs a 'time'");
        if (r.action == ProfileAction::load && !r.text && !r.example) refuse("a load needs a 'text' or an 'example'");
        return r;
    });
}

Decoded<std::uint64_t> decode_heartbeat(std::string_view body) {
    return decoding<std::uint64_t>([&] {
        const json o = parse_object(body);
        only_fields(o, {"page"});
        return page_number(required(o, "page"));
    });
}

}  // namespace korvel::live
