#include "host/live/editor.h"

#include <algorithm>

#include "host/core/cp1252.h"
#include "host/core/text.h"

namespace korvel::live {

namespace {

using panel::GaugeLine;
using panel::PanelConfig;
using panel::PanelDocument;
using panel::Window;

// An undo history longer than any session needs; the oldest steps go first.
constexpr std::size_t most_undos = 1000;

bool same_name(std::string_view a, std::string_view b) {
    return host::lower(host::trimmed(a)) == host::lower(host::trimmed(b));
}

struct Refused {
    Refusal refusal;
};

[[noreturn]] void refuse(std::string message, int status) { throw Refused{{status, std::move(message)}}; }

const Window& window_of(const PanelConfig& config, const std::string& section) {
    for (const Window& w : config.windows)
        if (same_name(w.section, section)) return w;
    refuse("the panel.cfg has no window [" + section + "]", 404);
}

// The line a gauge address names, read as ours or another module's.
const GaugeLine& gauge_line(const PanelDocument& doc, const PanelConfig& config, const LineAddress& a) {
    const auto number = doc.find(a.section, a.key);
    if (!number) refuse("the panel.cfg has no gauge line " + a.section + "/" + a.key, 404);
    for (const Window& w : config.windows) {
        for (const GaugeLine& g : w.gauges)
            if (g.line == *number) return g;
        for (const GaugeLine& g : w.others)
            if (g.line == *number) return g;
    }
    refuse(a.section + "/" + a.key + " (line " + std::to_string(*number) +
               ") is not a gauge line the panel can place; `korvel-panel check` says why",
           422);
}

// A key's new value with the old one's leading spaces and trailing comment.
std::string keeping_spacing(const std::optional<std::string>& old, const std::string& value) {
    if (!old) return value;
    const std::size_t start = old->find_first_not_of(" \t");
    std::string out = old->substr(0, start == std::string::npos ? old->size() : start) + value;
    std::size_t comment = std::min(old->find("//"), old->find(';'));
    if (comment != std::string::npos) {
        while (comment > 0 && ((*old)[comment - 1] == ' ' || (*old)[comment - 1] == '\t')) --comment;
        out += old->substr(comment);
    }
    return out;
}

std::string two_digits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

void edit_gauge(PanelDocument& doc, const PanelConfig& config, const GaugeEdit& e) {
    const GaugeLine& line = gauge_line(doc, config, e.gauge);
    std::string value = *doc.value(e.gauge.section, e.gauge.key);
    if (e.x || e.y || e.width || e.height) {
        const std::optional<int> width = e.width ? *e.width : line.width;
        // A new width keeps a height as written; the gauge's own size has neither.
        const std::optional<int> height = e.height ? e.height : width ? line.height : std::nullopt;
        if (height && !width) refuse("a height needs a width: " + e.gauge.key + " has the gauge's own size", 400);
        value = panel::with_box(value, e.x.value_or(line.x), e.y.value_or(line.y), width, height);
    }
    if (e.parameters) value = panel::with_parameters(value, e.parameters->empty() ? std::nullopt : e.parameters);
    doc.set(e.gauge.section, e.gauge.key, value);
}

LineAddress add_gauge(PanelDocument& doc, const PanelConfig& config, const AddEdit& e,
                      const panel::GaugeLookup& lookup) {
    const Window& window = window_of(config, e.section);
    const auto gauge = lookup(e.gauge);
    if (!gauge) refuse("Korvel_Instr has no gauge named '" + e.gauge + "'", 404);
    // The module as this file names it already (it may sit in a folder).
    std::string module = "Korvel_Instr";
    for (const Window& w : config.windows)
        if (!w.gauges.empty()) {
            module = w.gauges.front().module;
            break;
        }
    std::string value = module + "!" + *gauge + ", " + std::to_string(e.x) + ", " + std::to_string(e.y);
    if (e.width) value += ", " + std::to_string(*e.width);
    if (e.height) value += ", " + std::to_string(*e.height);
    if (e.parameters) value = panel::with_parameters(value, e.parameters);
    return {window.section, doc.add_gauge(window.section, value).key};
}

void edit_window(PanelDocument& doc, const PanelConfig& config, const WindowEdit& e) {
    const Window& w = window_of(config, e.section);
    const bool cockpit = w.kind == panel::WindowKind::virtual_cockpit;
    if (cockpit && (e.position || e.ident || e.title))
        refuse("[" + w.section + "] is a virtual cockpit: it has no position or ident, and its title is its " +
                   "texture's name",
               400);
    const auto set = [&](const char* key, const std::string& value) {
        doc.set(w.section, key, keeping_spacing(doc.value(w.section, key), value));
    };
    if (e.size_mm)
        set("size_mm", std::to_string(e.size_mm->first) +
                           (e.size_mm->second ? "," + std::to_string(*e.size_mm->second) : std::string()));
    if (e.position) set("position", std::to_string(*e.position));
    if (e.visible) set("visible", *e.visible ? "1" : "0");
    if (e.ident) set("ident", *e.ident);
    if (e.title) doc.set("Window Titles", "Window" + two_digits(w.number), *e.title);
}

template <typename T, typename Work>
Decoded<T> refusing(Work&& work) {
    try {
        return work();
    } catch (const Refused& r) {
        return r.refusal;
    }
}

}  // namespace

LineDiff diff_lines(const PanelDocument& before, const PanelDocument& after) {
    const int old_count = before.line_count(), new_count = after.line_count();
    int head = 0;
    while (head < old_count && head < new_count && before.line(head + 1) == after.line(head + 1)) ++head;
    int tail = 0;
    while (tail < old_count - head && tail < new_count - head &&
           before.line(old_count - tail) == after.line(new_count - tail))
        ++tail;
    LineDiff d;
    d.at = head + 1;
    for (int i = head + 1; i <= old_count - tail; ++i) d.removed.push_back(before.line(i));
    for (int i = head + 1; i <= new_count - tail; ++i) d.inserted.push_back(after.line(i));
    return d;
}

Editor::Editor(std::string path, std::string bytes, panel::GaugeLookup lookup)
    : path_(std::move(path)), as_read_(std::move(bytes)), lookup_(std::move(lookup)), document_(as_read_) {
    config_ = panel::read_panel_config(as_read_, lookup_);
}

Decoded<Change> Editor::change(const EditRequest& request) const {
    return refusing<Change>([&] {
        Change c{document_, std::nullopt};
        if (const auto* e = std::get_if<GaugeEdit>(&request.edit)) {
            edit_gauge(c.document, config_, *e);
            c.line = e->gauge;
        } else if (const auto* a = std::get_if<AddEdit>(&request.edit)) {
            c.line = add_gauge(c.document, config_, *a, lookup_);
        } else if (const auto* r = std::get_if<RemoveEdit>(&request.edit)) {
            gauge_line(c.document, config_, r->gauge);  // refuses a line that is no gauge's
            c.document.remove_gauge(r->gauge.section, r->gauge.key);
        } else {
            edit_window(c.document, config_, std::get<WindowEdit>(request.edit));
        }
        return c;
    });
}

void Editor::replace(const std::string& text) {
    document_ = PanelDocument(text);
    config_ = panel::read_panel_config(text, lookup_);
}

void Editor::commit(Change change) {
    undo_.push_back(document_.text());
    if (undo_.size() > most_undos) undo_.erase(undo_.begin());
    redo_.clear();
    document_ = std::move(change.document);
    config_ = panel::read_panel_config(document_.text(), lookup_);
}

bool Editor::undo() {
    if (undo_.empty()) return false;
    redo_.push_back(document_.text());
    std::string text = std::move(undo_.back());
    undo_.pop_back();
    replace(text);
    return true;
}

bool Editor::redo() {
    if (redo_.empty()) return false;
    undo_.push_back(document_.text());
    std::string text = std::move(redo_.back());
    redo_.pop_back();
    replace(text);
    return true;
}

std::optional<std::string> Editor::save() {
    std::string text = document_.text();
    if (auto error = panel::save_panel(path_, as_read_, text)) return error;
    as_read_ = std::move(text);
    return std::nullopt;
}

const char* gauge_family(std::string_view gauge) {
    const std::string g = host::lower(gauge);
    const auto has = [&](const char* part) { return g.find(part) != std::string::npos; };
    if (g.ends_with("_toggle") || g == "close_subpanel") return "Panel buttons";
    if (g.starts_with("radio_")) return "Radios";
    if (g.starts_with("rmi_")) return "Navigation";
    if (g == "registration") return "Plate";
    if (has("light") || has("fuel") || has("engine") || has("turbine") || has("oil") || has("pressure") ||
        has("throttle") || has("flaps") || has("elec") || g == "shut_down")
        return "Engine and systems";
    return "Flight instruments";
}

}  // namespace korvel::live
