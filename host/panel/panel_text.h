// A panel.cfg as text, before its keys are read: whether it is text at all,
// what encoding it was saved in, its section headers, and the names a
// designer most likely meant when one is misspelt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "host/panel/panel_config.h"

namespace korvel::panel {

// The text with a UTF-8 byte-order mark taken off, and what was found about
// the whole file. Not readable: empty, or not text at all; the findings
// say which, and nothing else is to be read from it.
struct PanelText {
    std::string_view body;
    bool readable = true;
    std::vector<Problem> problems;
};

PanelText examine_text(std::string_view text);

// A section header as inih will take it: the name between the brackets.
struct SectionHeader {
    int line;
    std::string written;  // as written, trimmed
    int first_line;       // the first header of the same name (case aside): the one the simulator reads
    std::string meant;    // for a name the simulator does not read, the section it is close to: "Window01"
    bool read;            // one of the sections the reader reads: [Window Titles], [WindowNN], [VCockpitNN]
};

// Every header of the text, in line order.
std::vector<SectionHeader> section_headers(std::string_view text);

// The number of single-letter edits between two names, case aside; more
// than `most` is reported as most + 1.
std::size_t edit_distance(std::string_view a, std::string_view b, std::size_t most);

// The name of the list nearest to `name` (case aside) within `most` edits, or empty.
std::string nearest(std::string_view name, const std::vector<std::string>& names, std::size_t most);

}  // namespace korvel::panel
