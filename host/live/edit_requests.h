// What the editor's page and scripts may ask, decoded and checked before the
// host thread sees it: the shape of each edit, its numbers in range, its
// texts as the panel.cfg will hold them (Windows-1252, one line). Whether
// the gauge or window it names exists is the editor's to say, against the
// file as it stands when the edit comes to it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "host/live/requests.h"

namespace korvel::live {

// A gauge line by its place in the file: "Window00/gauge07".
struct LineAddress {
    std::string section;
    std::string key;
};

struct GaugeEdit {
    LineAddress gauge;
    std::optional<int> x, y;
    // A width of none (JSON null) gives the gauge back its own size.
    std::optional<std::optional<int>> width;
    std::optional<int> height;
    // An empty string takes the parameters away.
    std::optional<std::string> parameters;
};

struct AddEdit {
    std::string gauge;    // the module's gauge name
    std::string section;  // the window
    int x = 0, y = 0;
    std::optional<int> width, height;
    std::optional<std::string> parameters;
};

struct RemoveEdit {
    LineAddress gauge;
};

struct WindowEdit {
    std::string section;
    std::optional<std::pair<int, std::optional<int>>> size_mm;
    std::optional<int> position;
    std::optional<bool> visible;
    std::optional<std::string> ident;  // as it will be written: a window name or a number
    std::optional<std::string> title;
};

struct EditRequest {
    std::variant<GaugeEdit, AddEdit, RemoveEdit, WindowEdit> edit;
    // Answers what the edit would write and what the checker would say of
    // it, and changes nothing: the parameters as they are typed.
    bool preview = false;
};

Decoded<EditRequest> decode_edit(std::string_view body);
// Undo, redo and save take an empty object: nothing a request could name,
// least of all a path.
Decoded<bool> decode_nothing(std::string_view body);

// The largest number a box or a window's size may hold.
inline constexpr int largest_coordinate = 100000;

}  // namespace korvel::live
