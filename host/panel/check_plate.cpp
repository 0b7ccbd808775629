// What a registration plate line will show, and why it may not be what was
// written: its fixed text's letters read as keys, colours clamped, a font
// name or a text cut at the plate's length.
#include <algorithm>
#include <string>
#include <vector>

#include "host/core/text.h"
#include "host/panel/check_internal.h"
#include "host/panel/check_reading.h"
#include "host/panel/check_words.h"

namespace korvel::panel {

PlateTrial check_plate(host::Host& host, const GaugeLine& line, Findings& findings) {
    using host::quoted;
    using namespace words;
    using namespace reading;
    const auto warn = [&](int at, std::string code, std::string message) {
        findings.warn(at, std::move(code), std::move(message));
    };
    const auto note = [&](int at, std::string code, std::string message) {
        findings.note(at, std::move(code), std::move(message));
    };
    PlateTrial t = try_plate(host, line.parameters);
    const std::string params = line.parameters.value_or("");
    const std::string& left = t.parameters_left;
    const bool fixed = !left.empty() && left[0] == 't';

    note(line.line, "plate-shows",
         std::string("the plate shows ") + (fixed ? quoted(t.text) : "the aircraft's identifier") + " in " +
             font_phrase(t.font) + ", colour " + colour_text(t.colour));

    // The fixed text as written: after t, up to a space or a comment.
    const bool written_fixed = !params.empty() && params[0] == 't';
    std::size_t text_end = written_fixed ? 1 : 0;
    while (written_fixed && text_end < params.size() && !is_space(params[text_end]) &&
           !comment_starts(params.c_str() + text_end))
        ++text_end;
    const std::string written_text = written_fixed ? params.substr(1, text_end - 1) : "";
    const auto in_text = [&](std::size_t at) { return written_fixed && at >= 1 && at < text_end; };

    // Key f cuts the string where it stands; r, g and b are read in what is left.
    const std::size_t font_at = left.size() < params.size() ? left.size() : std::string::npos;
    std::vector<std::string> text_keys;
    std::vector<std::string> clamped;
    if (font_at != std::string::npos && in_text(font_at)) text_keys.emplace_back("f");
    const char* colour_names[] = {"red", "green", "blue"};
    for (int i = 0; i < 3; ++i) {
        const char key = "rgb"[i];
        const auto at = places_of(left, key);
        if (at.empty()) continue;
        const std::uint32_t component = (t.colour >> (8 * i)) & 0xFF;
        const std::string said = std::string(colour_names[i]) + " " + std::to_string(component);
        if (in_text(at.front())) {
            text_keys.emplace_back(1, key);
            continue;
        }
        const auto v = written_number(left.c_str() + at.front() + 1);
        if (v && (*v > 255 || *v < 0) && component == 255)
            clamped.push_back(quoted(key_snippet(left, at.front())) + " gives " + said);
    }
    if (!text_keys.empty())
        warn(line.line, "plate-text-keys",
             "the " + join(text_keys) + " of the text " + quoted(written_text) + " " +
                 (text_keys.size() == 1 ? "is read as a key" : "are read as keys") +
                 " (f, r, g and b are the plate's keys): it shows " + quoted(t.text) + " in " + font_phrase(t.font) +
                 ", colour " + colour_text(t.colour));
    if (!clamped.empty()) warn(line.line, "plate-colour-clamped", "colour values run from 0 to 255: " + join(clamped));

    if (!fixed) {
        if (const auto at = places_of(left, 't'); !at.empty() && at.front() > 0)
            warn(line.line, "plate-text-not-first",
                 "a fixed text must start the parameters: " + quoted(key_snippet(left, at.front())) +
                     " is not read, and the plate shows the aircraft's identifier");
    }
    if (fixed && text_keys.empty()) {
        std::string shown_as_written = written_text;
        std::replace(shown_as_written.begin(), shown_as_written.end(), '_', ' ');
        if (t.characters > 0 && shown_as_written.size() > t.characters && t.text.size() == t.characters &&
            shown_as_written.compare(0, t.text.size(), t.text) == 0)
            warn(line.line, "plate-text-cut",
                 "the plate holds " + std::to_string(t.characters) + " characters: " + quoted(written_text) +
                     " shows as " + quoted(t.text));
    }
    if (font_at != std::string::npos && !in_text(font_at)) {
        const std::string written_font = params.substr(font_at + 1);
        if (written_font.size() > t.font.size() && written_font.compare(0, t.font.size(), t.font) == 0)
            warn(line.line, "plate-font-cut",
                 "a font name holds " + std::to_string(t.font.size()) + " characters: " + quoted(written_font) +
                     " is cut to " + quoted(t.font));
        if (comment_at(t.font) < t.font.size())
            warn(line.line, "plate-font-comment",
                 "f takes the rest of the parameters, comment and all: the font is " + quoted(t.font));
    }
    return t;
}

}  // namespace korvel::panel
