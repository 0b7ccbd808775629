// A parameter string as the module reads it: where its keys, numbers,
// window names and comment are. The module's own parser decides, so that
// the checker and the module can never disagree about a string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace korvel::panel::reading {

// Where the keys end: the first comment character, or the end.
std::size_t comment_at(const std::string& s);
bool comment_starts(const char* at);
// Every place of the key before the comment.
std::vector<std::size_t> places_of(const std::string& s, char key);
// A number as the module reads it, or none where it reads no digit.
std::optional<std::int64_t> written_number(const char* text);
bool is_space(char c);
bool is_word(char c);
// A key with what follows it, as far as the next space or comment.
std::string snippet(const std::string& s, std::size_t at);
// A key with its value as the module would take it: "b155", "r-5",
// "hTOGGLE_GPS_WINDOW"; a value of neither kind as far as a space.
std::string key_snippet(const std::string& s, std::size_t at);

}  // namespace korvel::panel::reading
