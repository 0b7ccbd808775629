// Feeding a text to inih line by line, so that each call of the handler
// knows the number of the line it is called for. Lines lose their leading
// white space (a panel.cfg may indent them; inih would take that for a
// continuation) and, unless the caller keeps them, their // comments: a
// gauge line's parameter string reaches the module as written, comments and
// all, and the module reads its own comment characters.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::panel {

// The longest line inih reads whole, as the simulator's reader does.
inline constexpr std::size_t longest_line = 199;

// Calls back (line, section, key, value) for every key of the text. Lines
// longer than longest_line are skipped: they go to `on_long` as prepared
// (without leading white space), or without one are reported through
// `on_problem`.
void for_each_ini_key(
    std::string_view text,
    const std::function<void(int line, std::string_view section, std::string_view key, std::string_view value)>& on_key,
    const std::function<void(int line, const std::string& message)>& on_problem, bool keep_slash_comments = false,
    const std::function<void(int line, std::string_view text)>& on_long = {});

}  // namespace korvel::panel
