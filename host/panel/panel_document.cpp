#include "host/panel/panel_document.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "host/core/text.h"

namespace korvel::panel {

namespace {

bool same_name(std::string_view a, std::string_view b) {
    return host::lower(host::trimmed(a)) == host::lower(host::trimmed(b));
}

bool is_comment(std::string_view text) {
    const std::string_view t = host::trimmed(text);
    return t.empty() || t[0] == ';' || t[0] == '#' || t.substr(0, 2) == "//";
}

// The section a header line opens, or none.
std::optional<std::string_view> header_of(std::string_view text) {
    const std::string_view t = host::trimmed(text);
    if (t.size() < 2 || t.front() != '[') return std::nullopt;
    const auto close = t.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return t.substr(1, close - 1);
}

// gauge07 gives 7; any other key none.
std::optional<int> gauge_number(std::string_view key) {
    key = host::trimmed(key);
    if (key.size() < 6 || host::lower(key.substr(0, 5)) != "gauge") return std::nullopt;
    return host::exact_number<int>(key.substr(5));
}

std::string gauge_key(int number) { return (number < 10 ? "gauge0" : "gauge") + std::to_string(number); }

// The comma-separated fields of a gauge line's value: the name, x, y,
// width, height, and the parameters with every comma they hold.
std::vector<std::string> fields_of(std::string_view value) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (fields.size() < 5) {
        const auto comma = value.find(',', at);
        if (comma == std::string_view::npos) break;
        fields.emplace_back(value.substr(at, comma - at));
        at = comma + 1;
    }
    fields.emplace_back(value.substr(at));
    return fields;
}

std::string joined(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) out += (i > 0 ? "," : "") + fields[i];
    return out;
}

// A field's number replaced, its spacing and any comment after it kept:
// " 450 ;the transponder" with 460 gives " 460 ;the transponder". A field
// without a number takes it after its leading spaces.
std::string with_number(const std::string& field, std::optional<int> number) {
    std::size_t start = field.find_first_not_of(" \t");
    if (start == std::string::npos) start = field.size();
    std::size_t end = start;
    if (end < field.size() && (field[end] == '+' || field[end] == '-')) ++end;
    while (end < field.size() && std::isdigit(static_cast<unsigned char>(field[end])) != 0) ++end;
    const bool has_number = end > start && std::isdigit(static_cast<unsigned char>(field[end - 1])) != 0;
    const std::string written = number ? std::to_string(*number) : "";
    if (!has_number) return field.substr(0, start) + written + field.substr(start);
    return field.substr(0, start) + written + field.substr(end);
}

// The separator a new field takes: as the line's second field is spaced.
std::string spacing_of(const std::vector<std::string>& fields) {
    if (fields.size() < 2) return " ";
    const std::string& f = fields[1];
    return f.substr(0, f.find_first_not_of(" \t") == std::string::npos ? 0 : f.find_first_not_of(" \t"));
}

}  // namespace

PanelDocument::PanelDocument(std::string_view bytes) {
    std::size_t at = 0;
    do {
        const std::size_t newline = bytes.find('\n', at);
        Line line;
        line.text =
            std::string(bytes.substr(at, newline == std::string_view::npos ? std::string_view::npos : newline - at));
        if (newline != std::string_view::npos) {
            line.end = "\n";
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.end = "\r\n";
            }
        }
        lines_.push_back(std::move(line));
        at = newline == std::string_view::npos ? bytes.size() + 1 : newline + 1;
    } while (at < bytes.size());
    for (const Line& l : lines_)
        if (!l.end.empty()) {
            line_end_ = l.end;
            break;
        }
}

std::string PanelDocument::text() const {
    std::string out;
    for (const Line& l : lines_) out += l.text + l.end;
    return out;
}

const std::string& PanelDocument::line(int number) const {
    if (number < 1 || number > line_count())
        throw std::out_of_range("the panel.cfg has no line " + std::to_string(number));
    return lines_[std::size_t(number - 1)].text;
}

std::optional<std::string> PanelDocument::key_of(const std::string& text) {
    if (is_comment(text) || header_of(text)) return std::nullopt;
    const auto eq = text.find('=');
    if (eq == std::string::npos) return std::nullopt;
    return std::string(host::trimmed(std::string_view(text).substr(0, eq)));
}

std::optional<PanelDocument::Span> PanelDocument::section_span(std::string_view section) const {
    for (int i = 0; i < line_count(); ++i) {
        const auto name = header_of(lines_[std::size_t(i)].text);
        if (!name || !same_name(*name, section)) continue;
        int end = i + 1;
        while (end < line_count() && !header_of(lines_[std::size_t(end)].text)) ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<int> PanelDocument::section_line(std::string_view section) const {
    const auto span = section_span(section);
    if (!span) return std::nullopt;
    return span->header + 1;
}

std::optional<int> PanelDocument::find(std::string_view section, std::string_view key) const {
    const auto span = section_span(section);
    if (!span) return std::nullopt;
    for (int i = span->header + 1; i < span->end; ++i)
        if (const auto k = key_of(lines_[std::size_t(i)].text); k && same_name(*k, key)) return i + 1;
    return std::nullopt;
}

std::optional<std::string> PanelDocument::value(std::string_view section, std::string_view key) const {
    const auto at = find(section, key);
    if (!at) return std::nullopt;
    const std::string& text = line(*at);
    return text.substr(text.find('=') + 1);
}

void PanelDocument::insert(int index, std::string text) {
    // A file that ends without a line end keeps ending so: the line before
    // a new last line takes the end, the new one none.
    std::string end = line_end_;
    if (index == line_count() && index > 0 && lines_.back().end.empty()) {
        lines_.back().end = line_end_;
        end.clear();
    }
    lines_.insert(lines_.begin() + index, Line{std::move(text), std::move(end)});
}

int PanelDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    if (const auto at = find(section, key)) {
        // The key as written and its '=' stay; the value is all that follows.
        std::string& text = lines_[std::size_t(*at - 1)].text;
        text = text.substr(0, text.find('=') + 1) + std::string(value);
        return *at;
    }
    const std::string line_text = std::string(key) + "=" + std::string(value);
    if (const auto span = section_span(section)) {
        int after = span->header;  // the last key line, or the header
        for (int i = span->header + 1; i < span->end; ++i)
            if (key_of(lines_[std::size_t(i)].text)) after = i;
        insert(after + 1, line_text);
        return after + 2;
    }
    if (!lines_.empty() && !host::trimmed(lines_.back().text).empty()) insert(line_count(), "");
    insert(line_count(), "[" + std::string(section) + "]");
    insert(line_count(), line_text);
    return line_count();
}

PanelDocument::Added PanelDocument::add_gauge(std::string_view section, std::string_view value) {
    const auto span = section_span(section);
    if (!span) throw std::invalid_argument("the panel.cfg has no section [" + std::string(section) + "]");
    int last = -1, highest = -1, last_key_line = span->header;
    for (int i = span->header + 1; i < span->end; ++i) {
        const auto k = key_of(lines_[std::size_t(i)].text);
        if (!k) continue;
        last_key_line = i;
        if (const auto n = gauge_number(*k); n && *n >= highest) {
            highest = *n;
            last = i;
        }
    }
    const int after = last >= 0 ? last : last_key_line;
    Added added{after + 2, gauge_key(highest + 1)};
    insert(after + 1, added.key + "=" + std::string(value));
    return added;
}

std::optional<std::vector<int>> PanelDocument::remove_gauge(std::string_view section, std::string_view key) {
    const auto at = find(section, key);
    const auto removed = gauge_number(key);
    if (!at || !removed) return std::nullopt;
    const int index = *at - 1;
    // The last line's end moves to the line before it, so no end appears or goes.
    if (index == line_count() - 1 && index > 0) lines_[std::size_t(index - 1)].end = lines_[std::size_t(index)].end;
    lines_.erase(lines_.begin() + index);
    std::vector<int> renumbered;
    const auto span = section_span(section);
    for (int i = span->header + 1; i < span->end; ++i) {
        std::string& text = lines_[std::size_t(i)].text;
        const auto k = key_of(text);
        const auto n = k ? gauge_number(*k) : std::nullopt;
        if (!n || *n <= *removed) continue;
        // The key's own spelling gives way to the simulator's; what follows stays.
        const std::size_t key_start = text.find_first_not_of(" \t");
        const std::size_t key_end = key_start + text.substr(key_start).find_first_of(" \t=");
        text = text.substr(0, key_start) + gauge_key(*n - 1) + text.substr(key_end);
        renumbered.push_back(i + 1);
    }
    return renumbered;
}

std::string with_box(std::string_view value, int x, int y, std::optional<int> width, std::optional<int> height) {
    std::vector<std::string> fields = fields_of(value);
    const std::string space = spacing_of(fields);
    // Without parameters, a // or ; comment ends the numbers: it moves to
    // after the last field, wherever that is now.
    std::string comment;
    if (fields.size() < 6)
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const std::size_t at = std::min(fields[i].find("//"), fields[i].find(';'));
            if (at == std::string::npos) continue;
            // The comment runs to the end of the line, commas and all.
            std::vector<std::string> rest(fields.begin() + std::ptrdiff_t(i), fields.end());
            rest.front() = rest.front().substr(at);
            comment = joined(rest);
            fields[i].erase(at);
            fields.resize(i + 1);
            break;
        }
    const std::optional<int> wanted[] = {x, y, width, height};
    // Fields after the last one wanted are dropped only when nothing but
    // spaces follows them.
    std::size_t needed = 3;
    if (width) needed = 4;
    if (height) needed = 5;
    while (fields.size() < needed) fields.push_back(space);
    for (std::size_t i = 1; i < fields.size() && i <= 4; ++i) fields[i] = with_number(fields[i], wanted[i - 1]);
    while (fields.size() > needed && fields.size() <= 5 && host::trimmed(fields.back()).empty()) fields.pop_back();
    fields.back() += comment;
    return joined(fields);
}

std::string with_parameters(std::string_view value, const std::optional<std::string>& parameters) {
    std::vector<std::string> fields = fields_of(value);
    if (!parameters) {
        if (fields.size() == 6) fields.pop_back();
        return joined(fields);
    }
    const std::string space = spacing_of(fields);
    while (fields.size() < 6) fields.push_back(fields.size() < 5 ? "" : space);
    fields[5] = space + *parameters;
    return joined(fields);
}

namespace {

std::optional<std::string> read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Through a temporary file beside it and a rename: the file is whole or as it was.
std::optional<std::string> write_whole(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return "cannot write " + temporary;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        return "cannot replace " + path + ": " + error.message();
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> save_panel(const std::string& path, const std::string& as_read, const std::string& text) {
    const auto on_disk = read_bytes(path);
    if (!on_disk) return "cannot read " + path + " to check it before saving; nothing was written";
    if (*on_disk != as_read)
        return path + " changed on disk since the editor loaded it; nothing was written (load it again to edit it)";
    if (const auto error = write_whole(path + ".bak", *on_disk)) return *error + "; nothing was written";
    if (const auto error = write_whole(path, text)) return *error + "; " + path + ".bak holds the file as it was";
    return std::nullopt;
}

}  // namespace korvel::panel
