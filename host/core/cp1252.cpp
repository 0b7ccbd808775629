#include "host/core/cp1252.h"

#include <cstdint>

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

std::optional<std::string> cp1252_from_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
        if (length == 0 || i + std::size_t(length) > text.size()) return std::nullopt;
        std::uint32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : lead & 0x0F;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + std::size_t(k)]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        // An overlong form hides a character behind another spelling.
        if ((length == 2 && c < 0x80) || (length == 3 && c < 0x800)) return std::nullopt;
        i += std::size_t(length);
        if (c < 0x80 || (c >= 0xA0 && c < 0x100)) {
            out += char(c);
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32 && found < 0; ++k)
            if (high_controls[k] != 0 && high_controls[k] == c) found = k;
        if (found < 0) return std::nullopt;
        out += char(0x80 + found);
    }
    return out;
}

}  // namespace korvel::host
