// A panel.cfg as its designer wrote it: every line kept with its exact
// bytes and its own line end (Windows-1252, CRLF or LF, comments, blank
// lines, unknown sections and keys, other modules' lines), so that saving a
// file nobody edited writes the same bytes, and an edit replaces only the
// lines it changes. The reader (panel_config.h) reads the same text for its
// meaning; this keeps its letter.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvel::panel {

class PanelDocument {
public:
    explicit PanelDocument(std::string_view bytes);

    // The file as saving would write it now.
    std::string text() const;
    int line_count() const { return int(lines_.size()); }
    // A line without its end, by its number from 1.
    const std::string& line(int number) const;

    // The line of KEY in [SECTION], both found in any case as the simulator
    // reads them; none when the section or the key is not there.
    std::optional<int> find(std::string_view section, std::string_view key) const;
    // What follows the key's '=' on its line, as written.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // The line of a section's header, or none.
    std::optional<int> section_line(std::string_view section) const;

    // Gives KEY in [SECTION] the value, keeping the line's key and its
    // spacing as written; a key not there yet is added after the section's
    // last key line, a section not there yet at the end of the file. Returns
    // the line changed or added.
    int set(std::string_view section, std::string_view key, std::string_view value);

    // A new gauge line in [SECTION], keyed after the section's last gaugeNN
    // (two digits up to gauge99, then three) and put after that line.
    // Returns its line and its key.
    struct Added {
        int line;
        std::string key;
    };
    Added add_gauge(std::string_view section, std::string_view value);

    // Takes KEY's line out of [SECTION] and numbers the section's later
    // gauge keys one down, so that the simulator, which stops at a gap,
    // still reads them all. Returns the lines whose key changed, by their
    // numbers after the removal; none when the key is not there.
    std::optional<std::vector<int>> remove_gauge(std::string_view section, std::string_view key);

    // The line end a new line takes: the file's first.
    const std::string& line_end() const { return line_end_; }

private:
    struct Line {
        std::string text;  // without its end
        std::string end;   // "\r\n", "\n", or "" for a last line without one
    };

    struct Span {
        int header;  // index of the header line, -1 for the lines before any section
        int end;     // one past the section's last line
    };

    std::optional<Span> section_span(std::string_view section) const;
    static std::optional<std::string> key_of(const std::string& text);
    void insert(int index, std::string text);

    std::vector<Line> lines_;
    std::string line_end_ = "\r\n";
};

// Saves a panel.cfg an editor changed: the file as it is on disk is kept as
// PATH.bak, and the text written to a temporary file beside it and renamed
// over PATH, so that a crash never leaves half a file. Refuses, writing
// nothing, when the file on disk is no longer `as_read` (someone changed it
// since it was loaded). Returns the reason it could not save, or none.
std::optional<std::string> save_panel(const std::string& path, const std::string& as_read, const std::string& text);

// A gauge line's value with its box changed: the fields after the gauge's
// name (x, y, width, height) rewritten, their spacing and everything after
// them (parameters, a trailing comment) kept as written. A missing field
// is added; width and height of none are left out when nothing follows.
std::string with_box(std::string_view value, int x, int y, std::optional<int> width, std::optional<int> height);
// The value with its parameter string replaced (the text after the fifth
// comma), or taken away with none.
std::string with_parameters(std::string_view value, const std::optional<std::string>& parameters);

}  // namespace korvel::panel
