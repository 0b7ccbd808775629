#include "host/panel/ini_lines.h"

#include <ini.h>

#include <cstring>

namespace korvel::panel {

namespace {

struct Feed {
    std::vector<std::string> lines;
    std::size_t next = 0;
    int current = 0;  // the number of the line inih is working on
    const std::function<void(int, std::string_view, std::string_view, std::string_view)>* on_key;
};

std::string prepared(std::string_view line, bool keep_slash_comments) {
    std::size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    std::string out(line.substr(start));
    if (out.compare(0, 2, "//") == 0) return {};
    if (const auto comment = out.find("//"); comment != std::string::npos && !keep_slash_comments) out.erase(comment);
    while (!out.empty() && (out.back() == '\r' || out.back() == ' ' || out.back() == '\t')) out.pop_back();
    return out;
}

char* read_line(char* buffer, int size, void* stream) {
    auto& feed = *static_cast<Feed*>(stream);
    if (feed.next >= feed.lines.size()) return nullptr;
    feed.current = int(feed.next) + 1;
    const std::string& line = feed.lines[feed.next++];
    const std::size_t n = std::min<std::size_t>(line.size(), std::size_t(size) - 2);
    std::memcpy(buffer, line.data(), n);
    buffer[n] = '\n';
    buffer[n + 1] = '\0';
    return buffer;
}

int handle(void* user, const char* section, const char* key, const char* value) {
    auto& feed = *static_cast<Feed*>(user);
    (*feed.on_key)(feed.current, section, key, value != nullptr ? value : "");
    return 1;
}

}  // namespace

void for_each_ini_key(std::string_view text,
                      const std::function<void(int, std::string_view, std::string_view, std::string_view)>& on_key,
                      const std::function<void(int, const std::string&)>& on_problem, bool keep_slash_comments,
                      const std::function<void(int, std::string_view)>& on_long) {
    Feed feed;
    feed.on_key = &on_key;
    int number = 0;
    for (std::size_t at = 0; at <= text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        ++number;
        std::string line = prepared(text.substr(at, end - at), keep_slash_comments);
        if (line.size() > longest_line) {
            if (on_long)
                on_long(number, line);
            else
                on_problem(number, "line is longer than " + std::to_string(longest_line) + " characters; skipped");
            line.clear();
        } else if (!line.empty() && line[0] != '[' && line[0] != ';' && line[0] != '#' &&
                   line.find_first_of("=:") == std::string::npos) {
            on_problem(number, "not a section header, a key = value line or a comment; skipped");
            line.clear();
        }
        feed.lines.push_back(std::move(line));
        at = end + 1;
    }
    const int error = ini_parse_stream(read_line, &feed, handle, &feed);
    if (error > 0) on_problem(error, "not a section header, a key = value line or a comment");
}

}  // namespace korvel::panel
