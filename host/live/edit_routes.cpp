#include "host/live/edit_routes.h"

#include <httplib.h>

#include <future>

#include "host/core/cp1252.h"
#include "host/live/edit_requests.h"
#include "host/live/editor.h"

namespace korvel::live {

namespace {

using nlohmann::json;

// What the host thread hands back: the answer so far, and the text the
// checker is to read (Windows-1252, which JSON cannot carry as it is).
struct Answer {
    int status = 200;
    json body;
    std::string text;
    bool check = true;
};

Answer refused(int status, std::string message) { return {status, {{"error", std::move(message)}}, {}, false}; }

json line_address(const panel::PanelDocument& doc, const LineAddress& a) {
    const auto number = doc.find(a.section, a.key);
    return {{"section", a.section}, {"key", a.key}, {"number", number ? json(*number) : json()}};
}

// The lines that changed, the history and the file's state, after an edit.
Answer changed(const Cockpit& cockpit, const Editor& editor, const panel::PanelDocument& before,
               const panel::PanelDocument& after) {
    const LineDiff d = diff_lines(before, after);
    json lines = json::array(), removed = json::array();
    for (std::size_t i = 0; i < d.inserted.size(); ++i)
        lines.push_back({{"number", d.at + int(i)}, {"text", host::utf8_from_cp1252(d.inserted[i])}});
    for (const std::string& r : d.removed) removed.push_back(host::utf8_from_cp1252(r));
    Answer a;
    a.body = {{"at", d.at},
              {"lines", std::move(lines)},
              {"removed", std::move(removed)},
              {"undo", editor.undos()},
              {"redo", editor.redos()},
              {"unsaved", editor.unsaved()},
              {"placement", cockpit.placement()}};
    return a;
}

Answer edit(Cockpit& cockpit, const EditRequest& request) {
    Editor* editor = cockpit.editor();
    if (editor == nullptr) return refused(403, "the panel was not started with --edit");
    auto worked = editor->change(request);
    if (const Refusal* r = std::get_if<Refusal>(&worked)) return refused(r->status, r->message);
    Change c = std::move(std::get<Change>(worked));
    const panel::PanelDocument before = editor->document();
    if (request.preview) {
        Answer a = changed(cockpit, *editor, before, c.document);
        a.body["preview"] = true;
        if (c.line) a.body["line"] = line_address(c.document, *c.line);
        a.text = c.document.text();
        return a;
    }
    const std::optional<LineAddress> line = c.line;
    editor->commit(std::move(c));
    cockpit.place_again(editor->config());
    Answer a = changed(cockpit, *editor, before, editor->document());
    if (line) a.body["line"] = line_address(editor->document(), *line);
    a.text = editor->text();
    return a;
}

Answer step(Cockpit& cockpit, bool back) {
    Editor* editor = cockpit.editor();
    if (editor == nullptr) return refused(403, "the panel was not started with --edit");
    const panel::PanelDocument before = editor->document();
    if (!(back ? editor->undo() : editor->redo()))
        return refused(409, back ? "there is no edit to undo" : "there is no edit to redo");
    cockpit.place_again(editor->config());
    Answer a = changed(cockpit, *editor, before, editor->document());
    a.text = editor->text();
    return a;
}

Answer save(Cockpit& cockpit) {
    Editor* editor = cockpit.editor();
    if (editor == nullptr) return refused(403, "the panel was not started with --edit");
    if (const auto error = editor->save()) return refused(409, host::utf8_from_cp1252(*error));
    Answer a = changed(cockpit, *editor, editor->document(), editor->document());
    a.body["saved"] = host::utf8_from_cp1252(editor->path());
    a.body["backup"] = host::utf8_from_cp1252(editor->path() + ".bak");
    a.text = editor->text();
    return a;
}

Answer config(Cockpit& cockpit) {
    Editor* editor = cockpit.editor();
    if (editor == nullptr) return refused(403, "the panel was not started with --edit");
    Answer a = changed(cockpit, *editor, editor->document(), editor->document());
    a.text = editor->text();
    a.body["text"] = host::utf8_from_cp1252(a.text);
    a.body["file"] = host::utf8_from_cp1252(editor->path());
    return a;
}

void reply(httplib::Response& res, int status, const json& body) {
    res.status = status;
    res.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), "application/json");
}

// Runs the job on the host thread, then the checker on what it wrote.
void run(LivePanel& panel, const EditOptions& options, const httplib::Request& req, httplib::Response& res,
         std::function<Answer(Cockpit&)> job) {
    Answer a;
    std::string folder;
    try {
        a = panel.call<Answer>([&folder, job = std::move(job)](Cockpit& c) {
            folder = c.panel_folder();
            return job(c);
        });
    } catch (const PanelStopped& e) {
        return reply(res, 503, {{"error", std::string("the panel is not running: ") + e.what()}});
    } catch (const std::future_error&) {
        return reply(res, 503, {{"error", "the panel stopped before it got to this request"}});
    } catch (const std::exception& e) {
        panel.report(req.method + " " + req.path + " failed: " + e.what());
        return reply(res, 500, {{"error", std::string("the host failed on this request: ") + e.what()}});
    }
    if (a.check && options.checker) {
        const CheckResult checked = options.checker->check(a.text, folder);
        a.body["findings"] = checked.findings;
        if (!checked.error.empty()) a.body["checker"] = checked.error;
    }
    reply(res, a.status, a.body);
}

bool editing(const EditOptions& options, httplib::Response& res) {
    if (options.editing) return true;
    reply(res, 403,
          {{"error",
            "the panel was not started with --edit: nothing is edited or written "
            "(korvel-panel serve PANEL.CFG --edit)"}});
    return false;
}

template <typename T>
const T* decoded(const Decoded<T>& d, httplib::Response& res) {
    if (const Refusal* r = std::get_if<Refusal>(&d)) {
        reply(res, r->status, {{"error", r->message}});
        return nullptr;
    }
    return &std::get<T>(d);
}

}  // namespace

void edit_routes(httplib::Server& s, LivePanel& panel, const EditOptions& options) {
    s.Post("/api/edit", [&panel, options](const httplib::Request& req, httplib::Response& res) {
        if (!editing(options, res)) return;
        const auto d = decode_edit(req.body);
        const EditRequest* r = decoded(d, res);
        if (r == nullptr) return;
        run(panel, options, req, res, [r = *r](Cockpit& c) { return edit(c, r); });
    });
    for (const bool back : {true, false})
        s.Post(back ? "/api/undo" : "/api/redo",
               [&panel, options, back](const httplib::Request& req, httplib::Response& res) {
                   if (!editing(options, res) || decoded(decode_nothing(req.body), res) == nullptr) return;
                   run(panel, options, req, res, [back](Cockpit& c) { return step(c, back); });
               });
    s.Post("/api/save", [&panel, options](const httplib::Request& req, httplib::Response& res) {
        if (!editing(options, res) || decoded(decode_nothing(req.body), res) == nullptr) return;
        run(panel, options, req, res, [](Cockpit& c) { return save(c); });
    });
    s.Get("/api/config", [&panel, options](const httplib::Request& req, httplib::Response& res) {
        if (!editing(options, res)) return;
        run(panel, options, req, res, [](Cockpit& c) { return config(c); });
    });
}

}  // namespace korvel::live
