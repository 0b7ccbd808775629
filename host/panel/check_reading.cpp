#include "host/panel/check_reading.h"

#include <cctype>

#include "module/buttons/parameters.h"

namespace korvel::panel::reading {

std::size_t comment_at(const std::string& s) { return std::size_t(parameters_end(s.c_str()) - s.c_str()); }

bool comment_starts(const char* at) { return *at != '\0' && parameters_end(at) == at; }

std::vector<std::size_t> places_of(const std::string& s, char key) {
    std::vector<std::size_t> at;
    for (const char* p = find_param(s.c_str(), key); p != nullptr; p = find_param(p + 1, key))
        at.push_back(std::size_t(p - s.c_str()));
    return at;
}

std::optional<std::int64_t> written_number(const char* text) {
    if (decimal_end(text) == text) return std::nullopt;
    return parse_decimal(text);
}

bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_word(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

std::string snippet(const std::string& s, std::size_t at) {
    std::size_t end = at + 1;
    while (end < s.size() && end - at < 24 && !is_space(s[end]) && !comment_starts(s.c_str() + end)) ++end;
    return s.substr(at, end - at);
}

std::string key_snippet(const std::string& s, std::size_t at) {
    const char* value = s.c_str() + at + 1;
    if (const char* end = decimal_end(value); end != value) return s.substr(at, std::size_t(end - s.c_str()) - at);
    std::size_t end = at + 1;
    while (end < s.size() && (std::isupper(static_cast<unsigned char>(s[end])) != 0 || s[end] == '_' ||
                              std::isdigit(static_cast<unsigned char>(s[end])) != 0))
        ++end;
    return end > at + 1 ? s.substr(at, end - at) : snippet(s, at);
}

}  // namespace korvel::panel::reading
