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

// UTF-8 as Windows-1252, for text a page sends to go into a panel.cfg; none
// when the text is not UTF-8 or holds a character the code page lacks.
std::optional<std::string> cp1252_from_utf8(std::string_view text);

}  // namespace korvel::host
