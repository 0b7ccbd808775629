#include "host/core/tooltip_format.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/core/variables.h"

namespace korvel::host {

namespace {

class Writer {
public:
    explicit Writer(std::span<char> out) : out_(out) {}

    void put(char c) {
        if (out_.size() > 0 && length_ + 1 < out_.size()) out_[length_++] = c;
    }
    void put(std::string_view text) {
        for (char c : text) put(c);
    }
    std::string_view finish() {
        if (out_.empty()) return {};
        out_[length_] = '\0';
        return {out_.data(), length_};
    }

private:
    std::span<char> out_;
    std::size_t length_ = 0;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// A printf conversion the host accepts: up to five flags, a width and a
// precision of up to three digits and one conversion letter, nothing else
// (so that it always fits the conversion buffer whole).
bool valid_format(std::string_view format) {
    std::size_t i = 0;
    while (i < format.size() && i < 5 && std::strchr("-+ #0", format[i]) != nullptr) ++i;
    std::size_t digits = 0;
    while (i < format.size() && is_digit(format[i]) && digits < 3) ++i, ++digits;
    if (i < format.size() && format[i] == '.') {
        ++i;
        digits = 0;
        while (i < format.size() && is_digit(format[i]) && digits < 3) ++i, ++digits;
    }
    return i + 1 == format.size() && std::strchr("diuxXoeEfFgGs", format[i]) != nullptr;
}

// C libraries spell NaN and the infinities each their own way ("-nan",
// "-nan(ind)", "1.#QNAN"), so the host spells them itself, the same in both
// builds: "nan" without a sign, "inf" signed as a number would be, upper case
// for an upper-case conversion, padded to the width the format asks for.
void format_non_finite(std::span<char> piece, std::string_view format, double value) {
    const bool upper = std::strchr("EFG", format.back()) != nullptr;
    const std::string_view flags = format.substr(0, format.find_first_not_of("-+ #0"));
    const char* sign = "";
    if (std::isinf(value)) {
        if (value < 0)
            sign = "-";
        else if (flags.find('+') != std::string_view::npos)
            sign = "+";
        else if (flags.find(' ') != std::string_view::npos)
            sign = " ";
    }
    const char* word = std::isnan(value) ? (upper ? "NAN" : "nan") : (upper ? "INF" : "inf");
    int width = 0;
    for (std::size_t i = flags.size(); i < format.size() && is_digit(format[i]); ++i)
        width = width * 10 + (format[i] - '0');
    const bool left = flags.find('-') != std::string_view::npos;
    char text[8];
    std::snprintf(text, sizeof text, "%s%s", sign, word);
    std::snprintf(piece.data(), piece.size(), left ? "%-*s" : "%*s", width, text);
}

void insert(Writer& writer, std::string_view format, const TooltipArgument& argument, GaugeHeader* gauge) {
    char printf_format[24];
    std::snprintf(printf_format, sizeof printf_format, "%%%.*s", static_cast<int>(format.size()), format.data());
    char piece[128];
    const char conversion = format.back();
    if (conversion == 's') {
        const char* text = argument.text ? argument.text(0.0, 0, nullptr, nullptr, gauge) : nullptr;
        std::snprintf(piece, sizeof piece, printf_format, text != nullptr ? text : "");
    } else {
        const double value = argument.numeric ? argument.numeric(0.0, 0, nullptr, nullptr, gauge) : 0.0;
        if (std::strchr("di", conversion) != nullptr)
            std::snprintf(piece, sizeof piece, printf_format, static_cast<int>(saturate_to_i32(value)));
        else if (std::strchr("uxXo", conversion) != nullptr)
            std::snprintf(piece, sizeof piece, printf_format, static_cast<unsigned>(saturate_to_u32(value)));
        else if (!std::isfinite(value))
            format_non_finite(piece, format, value);
        else
            std::snprintf(piece, sizeof piece, printf_format, value);
    }
    writer.put(piece);
}

}  // namespace

std::string_view format_tooltip(const char* text, const TooltipArgument* arguments, std::uint32_t count,
                                GaugeHeader* gauge, std::span<char> out) {
    Writer writer(out);
    if (text == nullptr) return writer.finish();
    if (arguments == nullptr) count = 0;

    const std::string_view s(text);
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] != '%') {
            writer.put(s[i++]);
            continue;
        }
        if (i + 1 < s.size() && s[i + 1] == '%') {
            writer.put('%');
            i += 2;
            continue;
        }
        std::size_t j = i + 1;
        std::uint32_t number = 0;
        while (j < s.size() && is_digit(s[j]) && j - i <= 2) number = number * 10 + (s[j++] - '0');
        if (j == i + 1 || number == 0) {  // a percent sign that starts no insert
            writer.put(s[i++]);
            continue;
        }
        std::string_view format = "s";
        std::size_t end = j;
        if (j < s.size() && s[j] == '!') {
            const std::size_t close = s.find('!', j + 1);
            if (close == std::string_view::npos) {
                writer.put(s.substr(i));
                break;
            }
            format = s.substr(j + 1, close - j - 1);
            end = close + 1;
        }
        if (number <= count && valid_format(format))
            insert(writer, format, arguments[number - 1], gauge);
        else
            writer.put(s.substr(i, end - i));
        i = end;
    }
    return writer.finish();
}

}  // namespace korvel::host
