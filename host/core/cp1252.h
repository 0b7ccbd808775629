// The module's texts and a panel.cfg are Windows-1252 (the degree sign is
// byte 0xB0); cairo, terminals and the page take UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel::host {

// Every byte becomes its character; the five bytes Windows-1252 leaves
// undefined become U+FFFD, so the result is always valid UTF-8.
std::string utf8_from_cp1252(std::string_view text);

// UTF-8 text in Windows-1252, or why it cannot be: `refusal` names the
// first character the code page has no byte for ("'中' (U+4E2D)"), or says
// the bytes are not UTF-8. NUL is refused too: the module's texts end there.
struct Cp1252 {
    std::string text;
    std::string refusal;  // empty when every character was converted
};
Cp1252 cp1252_from_utf8(std::string_view text);

}  // namespace korvel::host
