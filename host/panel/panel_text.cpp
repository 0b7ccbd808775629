#include "host/panel/panel_text.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "host/core/text.h"

namespace korvel::panel {

namespace {

using host::lower;
using host::trimmed;

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

// A control character no text editor writes; tab, line and page ends and
// the old end-of-file mark (0x1A) are text.
bool stray_control(unsigned char c) {
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A;
}

int line_at(std::string_view text, std::size_t at) {
    return 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(std::min(at, text.size())), '\n'));
}

// The length of the UTF-8 sequence at `at`, or 0 where the bytes are not one.
std::size_t utf8_sequence(std::string_view s, std::size_t at) {
    const auto c = static_cast<unsigned char>(s[at]);
    const std::size_t n = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (n == 0 || at + n > s.size()) return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(s[at + i]) & 0xC0) != 0x80) return 0;
    return n;
}

// Where the first character beyond ASCII of a text that is all valid UTF-8
// stands; npos for a text of ASCII alone or one that is not UTF-8.
std::size_t first_utf8(std::string_view s) {
    std::size_t first = std::string_view::npos;
    for (std::size_t at = 0; at < s.size();) {
        if (static_cast<unsigned char>(s[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t n = utf8_sequence(s, at);
        if (n == 0) return std::string_view::npos;
        first = std::min(first, at);
        at += n;
    }
    return first;
}

// What the designer wrote on the line, as far as 40 bytes and whole characters.
std::string excerpt(std::string_view line) {
    if (const auto eq = line.find('='); eq != std::string_view::npos) line = line.substr(eq + 1);
    line = trimmed(line);
    std::size_t end = 0;
    while (end < line.size() && end < 40) {
        const std::size_t n = static_cast<unsigned char>(line[end]) < 0x80 ? 1 : utf8_sequence(line, end);
        end += std::max<std::size_t>(n, 1);
    }
    return std::string(line.substr(0, end));
}

bool digits_only(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// The sections the reader reads: [Window Titles], [WindowNN], [VCockpitNN].
bool read_section(const std::string& name) {
    if (name == "window titles") return true;
    for (std::string_view prefix : {"window", "vcockpit"})
        if (name.starts_with(prefix) && digits_only(std::string_view(name).substr(prefix.size()))) return true;
    return false;
}

std::string meant_section(const std::string& name) {
    if (read_section(name)) return {};
    const std::size_t digits = name.find_last_not_of("0123456789") + 1;
    const std::string_view letters = trimmed(std::string_view(name).substr(0, digits));
    const std::string_view number = std::string_view(name).substr(digits);
    if (number.empty()) return edit_distance(name, "window titles", 2) <= 2 ? "Window Titles" : "";
    if (edit_distance(letters, "window", 2) <= 2) return "Window" + std::string(number);
    if (edit_distance(letters, "vcockpit", 2) <= 2) return "VCockpit" + std::string(number);
    return {};
}

}  // namespace

PanelText examine_text(std::string_view text) {
    PanelText out;
    const bool marked = text.starts_with(byte_order_mark);
    out.body = marked ? text.substr(byte_order_mark.size()) : text;
    const std::string_view body = out.body;

    const std::size_t nul = body.find('\0');
    const auto controls = std::count_if(body.begin(), body.end(), [](char c) { return stray_control(c); });
    if (nul != std::string_view::npos || std::size_t(controls) * 100 > body.size()) {
        out.readable = false;
        out.problems.push_back(
            {0,
             "not a text file: " +
                 (nul != std::string_view::npos ? "it holds a NUL byte on line " + std::to_string(line_at(body, nul))
                                                : std::to_string(controls) + " of its bytes are control characters") +
                 "; a panel.cfg is Windows-1252 text",
             Severity::error, "not-text"});
        return out;
    }
    if (body.find_first_not_of(" \t\r\n\f\v\x1A") == std::string_view::npos) {
        out.readable = false;
        out.problems.push_back({0,
                                "the file is empty: a panel.cfg holds a [Window Titles] section and a [WindowNN] "
                                "section for each window",
                                Severity::error, "empty-file"});
        return out;
    }
    if (marked)
        out.problems.push_back({1,
                                "the file starts with a UTF-8 byte-order mark, which the simulator, reading "
                                "Windows-1252, takes for three characters of line 1; save the file as Windows-1252 "
                                "(ANSI) without the mark (the tools read on past it)",
                                Severity::warning, "utf8-bom"});
    if (const std::size_t at = first_utf8(body); at != std::string_view::npos) {
        const std::size_t start = body.rfind('\n', at) == std::string_view::npos ? 0 : body.rfind('\n', at) + 1;
        const std::string shown = excerpt(body.substr(start, body.find('\n', at) - start));
        out.problems.push_back({line_at(body, at),
                                "the file is UTF-8 text, but the simulator reads a panel.cfg as Windows-1252: \"" +
                                    shown + "\" shows as " + host::quoted(shown) +
                                    "; save the file as Windows-1252 (ANSI)",
                                Severity::warning, "utf8-text"});
    }
    return out;
}

std::vector<SectionHeader> section_headers(std::string_view text) {
    std::vector<SectionHeader> headers;
    std::map<std::string, int> first;
    int number = 0;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        ++number;
        const std::string_view line = trimmed(text.substr(at, end - at));
        at = end + 1;
        if (line.size() <= 2 || line.front() != '[') continue;
        const auto close = line.find(']');
        if (close == std::string_view::npos) continue;
        const std::string_view written = trimmed(line.substr(1, close - 1));
        const std::string name = lower(written);
        const int first_line = first.emplace(name, number).first->second;
        headers.push_back({number, std::string(written), first_line, meant_section(name), read_section(name)});
    }
    return headers;
}

std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t most) {
    const std::size_t apart = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (apart > most) return most + 1;
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        std::size_t best = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                              std::tolower(static_cast<unsigned char>(b[j - 1]));
            const std::size_t next = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
            diagonal = row[j];
            row[j] = next;
            best = std::min(best, next);
        }
        if (best > most) return most + 1;
    }
    return std::min(row[b.size()], most + 1);
}

std::string nearest(std::string_view name, const std::vector<std::string>& names, std::size_t most) {
    std::string found;
    std::size_t best = most + 1;
    for (const std::string& n : names)
        if (const std::size_t d = edit_distance(name, n, most); d < best) {
            best = d;
            found = n;
        }
    return found;
}

}  // namespace korvel::panel
