// Small pieces of text handling that the host's readers, checker and tools
// share.
#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace korvel::host {

// Without the spaces, tabs and carriage returns around it.
std::string_view trimmed(std::string_view text);
std::string upper(std::string_view text);
std::string lower(std::string_view text);
// A Windows-1252 text between marks, as UTF-8: "Ð-ÉÀ".
std::string quoted(std::string_view text, char mark = '"');

// A number that is the whole text, in base 10 (or the base given), and
// within its type; none otherwise. No sign, space or fraction is taken
// beyond what std::from_chars reads.
template <typename Number>
std::optional<Number> exact_number(std::string_view text, int base = 10) {
    Number value{};
    const char* last = text.data() + text.size();
    std::from_chars_result result;
    if constexpr (std::is_floating_point_v<Number>)
        result = std::from_chars(text.data(), last, value);
    else
        result = std::from_chars(text.data(), last, value, base);
    if (text.empty() || result.ec != std::errc{} || result.ptr != last) return std::nullopt;
    return value;
}

}  // namespace korvel::host
