#include "host/live/edit_requests.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "host/core/cp1252.h"
#include "host/core/text.h"
#include "host/live/request_reading.h"
#include "host/panel/panel_config.h"

namespace korvel::live {

namespace {

using nlohmann::json;
using namespace request_reading;

// A whole number within what a panel.cfg box may hold; a size above 0.
int number(const json& v, const char* name, bool size) {
    if (!v.is_number_integer()) refuse(std::string("'") + name + "' must be a whole number");
    const auto n = v.is_number_unsigned() ? std::int64_t(std::min<std::uint64_t>(v.get<std::uint64_t>(), INT64_MAX))
                                          : v.get<std::int64_t>();
    if (size && n <= 0) refuse(std::string("'") + name + "' must be above 0, not " + std::to_string(n));
    if (n > largest_coordinate || n < -largest_coordinate)
        refuse(std::string("'") + name + "' must lie within " + std::to_string(largest_coordinate) + " of 0");
    return int(n);
}

// A text for one line of the file: Windows-1252, no line end, no NUL.
std::string line_text(const json& v, const char* name) {
    if (!v.is_string()) refuse(std::string("'") + name + "' must be a string");
    const auto& utf8 = v.get_ref<const std::string&>();
    if (utf8.size() > 1000) refuse(std::string("'") + name + "' is longer than 1000 bytes");
    const host::Cp1252 text = host::cp1252_from_utf8(utf8);
    if (!text.refusal.empty())
        refuse(std::string("'") + name + "' holds " + text.refusal + ", which a panel.cfg (Windows-1252) cannot hold");
    for (const char c : text.text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            refuse(std::string("'") + name + "' must be one line, without control characters");
    return text.text;
}

// A section as the file names it: letters, digits and a few marks.
std::string section_name(const json& v, const char* name) {
    if (!v.is_string()) refuse(std::string("'") + name + "' must be a string naming a section, like \"Window00\"");
    std::string s = v.get<std::string>();
    if (s.empty() || s.size() > 64 || s.find_first_of("[]/\\=;\r\n") != std::string::npos ||
        !std::all_of(s.begin(), s.end(), [](char c) { return c >= 0x20 && static_cast<unsigned char>(c) < 0x7F; }))
        refuse(std::string("'") + name + "' names no section: '" + s + "'");
    return s;
}

LineAddress address(const json& v, const char* name) {
    if (!v.is_string()) refuse(std::string("'") + name + "' must name a line, like \"Window00/gauge07\"");
    const std::string s = v.get<std::string>();
    const auto slash = s.find('/');
    const std::string key = slash == std::string::npos ? "" : s.substr(slash + 1);
    const bool numbered = key.size() > 5 && host::lower(key.substr(0, 5)) == "gauge" &&
                          key.find_first_not_of("0123456789", 5) == std::string::npos;
    if (!numbered) refuse(std::string("'") + name + "' must name a gauge line as SECTION/gaugeNN, not '" + s + "'");
    return {section_name(json(s.substr(0, slash)), name), key};
}

std::optional<std::string> parameters_of(const json& o) {
    const json* p = field(o, "parameters");
    if (p == nullptr) return std::nullopt;
    if (p->is_null()) return std::string();
    return line_text(*p, "parameters");
}

GaugeEdit gauge_edit(const json& o) {
    only_fields(o, {"gauge", "x", "y", "width", "height", "parameters", "preview"}, "a gauge's edit");
    GaugeEdit e;
    e.gauge = address(o["gauge"], "gauge");
    if (const json* v = field(o, "x")) e.x = number(*v, "x", false);
    if (const json* v = field(o, "y")) e.y = number(*v, "y", false);
    if (const json* v = field(o, "width"))
        e.width = v->is_null() ? std::optional<int>() : std::optional<int>(number(*v, "width", true));
    if (const json* v = field(o, "height")) e.height = number(*v, "height", true);
    e.parameters = parameters_of(o);
    if (!e.x && !e.y && !e.width && !e.height && !e.parameters)
        refuse("the edit of " + e.gauge.section + "/" + e.gauge.key +
               " changes nothing: give x, y, width, height or parameters");
    if (e.height && e.width && !*e.width) refuse("a height needs a width: the gauge's own size has both");
    return e;
}

AddEdit add_edit(const json& o) {
    only_fields(o, {"add", "window", "x", "y", "width", "height", "parameters", "preview"}, "an addition");
    AddEdit e;
    if (!o["add"].is_string()) refuse("'add' must be the name of a gauge of Korvel_Instr");
    e.gauge = o["add"].get<std::string>();
    if (!field(o, "window")) refuse("'window' is missing: the section of the window to add the gauge to");
    e.section = section_name(o["window"], "window");
    if (!field(o, "x") || !field(o, "y")) refuse("an added gauge needs 'x' and 'y'");
    e.x = number(o["x"], "x", false);
    e.y = number(o["y"], "y", false);
    if (const json* v = field(o, "width")) e.width = number(*v, "width", true);
    if (const json* v = field(o, "height")) e.height = number(*v, "height", true);
    if (e.height && !e.width) refuse("a height needs a width: the gauge's own size has both");
    e.parameters = parameters_of(o);
    if (e.parameters && e.parameters->empty()) e.parameters.reset();
    return e;
}

WindowEdit window_edit(const json& o) {
    only_fields(o, {"window", "size_mm", "position", "visible", "ident", "title", "preview"}, "a window's edit");
    WindowEdit e;
    e.section = section_name(o["window"], "window");
    if (const json* v = field(o, "size_mm")) {
        if (v->is_array() && (v->size() == 1 || v->size() == 2)) {
            e.size_mm = {number((*v)[0], "size_mm", true), std::nullopt};
            if (v->size() == 2) e.size_mm->second = number((*v)[1], "size_mm", true);
        } else if (v->is_number()) {
            e.size_mm = {number(*v, "size_mm", true), std::nullopt};
        } else {
            refuse("'size_mm' is a width, or [width, height], in whole positive units");
        }
    }
    if (const json* v = field(o, "position")) {
        e.position = number(*v, "position", false);
        if (*e.position < 0 || *e.position > 8) refuse("'position' is a number from 0 to 8");
    }
    if (const json* v = field(o, "visible")) {
        if (v->is_boolean())
            e.visible = v->get<bool>();
        else if (v->is_number_integer() && (*v == 0 || *v == 1))
            e.visible = *v == 1;
        else
            refuse("'visible' is true or false");
    }
    if (const json* v = field(o, "ident")) {
        e.ident = line_text(*v, "ident");
        if (!panel::panel_identifier(*e.ident))
            refuse("'ident' must be a window name of the simulator (GPS_PANEL) or a number, not '" +
                   host::utf8_from_cp1252(*e.ident) + "'");
        e.ident = std::string(host::trimmed(*e.ident));
    }
    if (const json* v = field(o, "title")) e.title = line_text(*v, "title");
    if (!e.size_mm && !e.position && !e.visible && !e.ident && !e.title)
        refuse("the edit of [" + e.section + "] changes nothing: give size_mm, position, visible, ident or title");
    return e;
}

}  // namespace

Decoded<EditRequest> decode_edit(std::string_view body) {
    return decoding<EditRequest>([&] {
        const json o = parse_object(body);
        EditRequest r;
        if (const json* p = field(o, "preview")) {
            if (!p->is_boolean()) refuse("'preview' is true or false");
            r.preview = p->get<bool>();
        }
        if (field(o, "add") != nullptr) {
            r.edit = add_edit(o);
        } else if (const json* removed = field(o, "remove")) {
            only_fields(o, {"remove", "preview"}, "a removal");
            r.edit = RemoveEdit{address(*removed, "remove")};
        } else if (field(o, "gauge") != nullptr) {
            r.edit = gauge_edit(o);
        } else if (field(o, "window") != nullptr) {
            r.edit = window_edit(o);
        } else {
            refuse("an edit names a 'gauge', a 'window', a gauge to 'add' or one to 'remove'");
        }
        return r;
    });
}

Decoded<bool> decode_nothing(std::string_view body) {
    return decoding<bool>([&] {
        const json o = parse_object(body);
        if (!o.empty()) refuse("this request takes an empty object, {}, not '" + o.begin().key() + "'");
        return true;
    });
}

}  // namespace korvel::live
