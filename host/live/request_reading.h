// How a request's body is read, for the decoders of the live panel and of
// the editor alike: a JSON object of known fields, or a refusal with its
// status and reason. Each decoder throws a refusal from wherever it finds
// the fault, and `decoding` turns it into the answer.
#pragma once

#include <nlohmann/json.hpp>

#include <initializer_list>
#include <string>
#include <string_view>

#include "host/live/requests.h"

namespace korvel::live::request_reading {

struct Refused {
    Refusal refusal;
};

[[noreturn]] inline void refuse(std::string message, int status = 400) { throw Refused{{status, std::move(message)}}; }

// The body as a JSON object, no larger than any request may be.
inline nlohmann::json parse_object(std::string_view body) {
    if (body.size() > largest_body) refuse("the body is larger than " + std::to_string(largest_body) + " bytes", 413);
    nlohmann::json value = nlohmann::json::parse(body.begin(), body.end(), nullptr, false);
    if (value.is_discarded()) refuse("the body is not JSON");
    if (!value.is_object()) refuse("the body must be a JSON object");
    return value;
}

// Refuses the first field the request does not know; `shape` names the
// kind of request where one route takes several ("in a gauge's edit").
inline void only_fields(const nlohmann::json& object, std::initializer_list<std::string_view> known,
                        std::string_view shape = {}) {
    for (const auto& [key, value] : object.items()) {
        bool found = false;
        for (std::string_view k : known) found = found || k == key;
        if (!found) refuse("unknown field '" + key + "'" + (shape.empty() ? "" : " in " + std::string(shape)));
    }
}

inline const nlohmann::json* field(const nlohmann::json& object, const char* name) {
    const auto it = object.find(name);
    return it == object.end() ? nullptr : &*it;
}

// The decoded request, or the refusal thrown on the way.
template <typename T, typename Decode>
Decoded<T> decoding(Decode&& decode) {
    try {
        return decode();
    } catch (const Refused& r) {
        return r.refusal;
    } catch (const nlohmann::json::exception& e) {
        return Refusal{400, std::string("the request does not read: ") + e.what()};
    }
}

}  // namespace korvel::live::request_reading
