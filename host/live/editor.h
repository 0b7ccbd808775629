// The panel designer's edits of a panel.cfg: each one rewrites only the
// lines it must in the document that keeps the file's bytes, can be undone
// and redone, and is saved into the file the editor was started with and
// no other. Refusals (a gauge or window the file does not have) change
// nothing. No host here: the live panel places the edited text again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "host/live/edit_requests.h"
#include "host/panel/panel_config.h"
#include "host/panel/panel_document.h"

namespace korvel::live {

// How two versions of the file differ: the lines from `at` on that were
// taken out and those put in their place, the rest alike.
struct LineDiff {
    int at = 1;                         // the first line that differs, numbered from 1 in both
    std::vector<std::string> removed;   // the old lines, as written
    std::vector<std::string> inserted;  // the new lines, numbered from `at`
};
LineDiff diff_lines(const panel::PanelDocument& before, const panel::PanelDocument& after);

// An edit worked out and not yet made.
struct Change {
    panel::PanelDocument document;
    std::optional<LineAddress> line;  // the line added or edited, as it is addressed after the edit
};

class Editor {
public:
    // `bytes` is the file as read from `path`; `lookup` finds the module's gauges.
    Editor(std::string path, std::string bytes, panel::GaugeLookup lookup);

    const std::string& path() const { return path_; }
    const panel::PanelDocument& document() const { return document_; }
    const panel::PanelConfig& config() const { return config_; }
    std::string text() const { return document_.text(); }
    // Whether saving would change the file from what was read or last saved.
    bool unsaved() const { return document_.text() != as_read_; }

    // The edit worked out against the file as it stands, or why it cannot be.
    Decoded<Change> change(const EditRequest& request) const;
    void commit(Change change);
    // Each returns false, changing nothing, when there is nothing to undo or redo.
    bool undo();
    bool redo();
    std::size_t undos() const { return undo_.size(); }
    std::size_t redos() const { return redo_.size(); }

    // Writes the file (through its .bak, a temporary file and a rename);
    // returns why it could not, having written nothing.
    std::optional<std::string> save();

private:
    void replace(const std::string& text);

    std::string path_;
    std::string as_read_;
    panel::GaugeLookup lookup_;
    panel::PanelDocument document_;
    panel::PanelConfig config_;
    std::vector<std::string> undo_, redo_;  // whole texts: a panel.cfg is a few kilobytes
};

// Which family of the module a gauge belongs to, for the palette.
const char* gauge_family(std::string_view gauge);

}  // namespace korvel::live
