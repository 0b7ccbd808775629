// Feeding a text to inih line by line, so that each call of the handler
// knows the number of the line it is called for. Lines lose their leading
// white space (a panel.cfg may indent them; inih would take that for a
// continuation) and, unless the caller keeps them, their // comments: a
// gauge line's parameter string reaches the module as written, comments and
// all, and the module reads its own comment characters.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::panel {

// Calls back (line, section, key, value) for every key of the text. Lines of
// 200 characters or more, which inih cannot read whole, are reported as
// problems through `too_long` and skipped.
void for_each_ini_key(
    std::string_view text,
    const std::function<void(int line, std::string_view section, std::string_view key, std::string_view value)>& on_key,
    const std::function<void(int line, const std::string& message)>& on_problem, bool keep_slash_comments = false);

}  // namespace korvel::panel
