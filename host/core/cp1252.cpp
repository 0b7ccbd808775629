#include "host/core/cp1252.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

namespace korvel::host {

namespace {

// 0x80 to 0x9F; 0 where the code page defines no character.
// clang-format off
constexpr std::uint16_t high_controls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};
// clang-format on

constexpr std::uint16_t replacement = 0xFFFD;

void append(std::string& out, std::uint16_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string utf8_from_cp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0) {
            const std::uint16_t c = high_controls[b - 0x80];
            append(out, c != 0 ? c : replacement);
        } else {
            append(out, b);
        }
    }
    return out;
}

namespace {

// The next code point of UTF-8 text and its length in bytes; none for bytes
// that are not UTF-8 (overlong forms and surrogates included).
std::optional<std::pair<std::uint32_t, std::size_t>> next_code_point(std::string_view text) {
    const auto b = static_cast<unsigned char>(text[0]);
    const std::size_t length = b < 0x80             ? 1
                               : (b & 0xE0) == 0xC0 ? 2
                               : (b & 0xF0) == 0xE0 ? 3
                               : (b & 0xF8) == 0xF0 ? 4
                                                    : 0;
    if (length == 0 || length > text.size()) return std::nullopt;
    std::uint32_t c = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    constexpr std::uint32_t shortest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < shortest[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000)) return std::nullopt;
    return std::pair{c, length};
}

}  // namespace

Cp1252 cp1252_from_utf8(std::string_view text) {
    Cp1252 out;
    out.text.reserve(text.size());
    while (!text.empty()) {
        const auto point = next_code_point(text);
        if (!point) {
            out.refusal = "bytes that are not UTF-8";
            return out;
        }
        const auto [c, length] = *point;
        int byte = c >= 0xA0 && c < 0x100 ? int(c) : c < 0x80 && c != 0 ? int(c) : -1;
        for (int i = 0; i < 32 && byte < 0; ++i)
            if (high_controls[i] != 0 && high_controls[i] == c) byte = 0x80 + i;
        if (byte < 0) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", c);
            out.refusal = c == 0 ? std::string("the NUL character")
                                 : "'" + std::string(text.substr(0, length)) + "' (" + code + ")";
            return out;
        }
        out.text += char(byte);
        text.remove_prefix(length);
    }
    return out;
}

}  // namespace korvel::host
