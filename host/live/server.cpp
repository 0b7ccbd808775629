#include "host/live/server.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <chrono>
#include <future>

#include "host/core/text.h"
#include "host/live/page.h"

namespace korvel::live {

namespace {

using nlohmann::json;

// An idle panel sends no frame; a comment this often lets a page's closed
// connection show, so that a closed tab leaves nothing behind.
constexpr auto keep_alive = std::chrono::seconds(15);

void answer(httplib::Response& res, int status, const json& body) {
    res.status = status;
    res.set_content(body.dump(), "application/json");
}

void refuse(httplib::Response& res, int status, const std::string& message) {
    answer(res, status, json{{"error", message}});
}

template <typename T>
bool decoded(const Decoded<T>& d, httplib::Response& res) {
    if (const Refusal* r = std::get_if<Refusal>(&d)) {
        refuse(res, r->status, r->message);
        return false;
    }
    return true;
}

std::optional<std::uint32_t> number_in(const std::string& text) { return host::exact_number<std::uint32_t>(text); }

// Answers a request whose job could not be done: 503 when the host thread
// has gone, 500 when the job failed there (the panel goes on).
void job_failed(LivePanel& panel, const httplib::Request& req, httplib::Response& res) {
    try {
        throw;
    } catch (const PanelStopped& e) {
        refuse(res, 503, std::string("the panel is not running: ") + e.what());
    } catch (const std::future_error&) {
        refuse(res, 503, "the panel stopped before it got to this request");
    } catch (const std::exception& e) {
        panel.report(req.method + " " + req.path + " failed: " + e.what());
        refuse(res, 500, std::string("the host failed on this request: ") + e.what());
    } catch (...) {
        panel.report(req.method + " " + req.path + " failed");
        refuse(res, 500, "the host failed on this request");
    }
}

// Runs a job on the host thread and answers with its JSON.
void on_host(LivePanel& panel, const httplib::Request& req, httplib::Response& res, std::function<json(Cockpit&)> job) {
    try {
        json result = panel.call<json>(std::move(job));
        if (result.contains("error"))
            answer(res, 422, result);
        else
            answer(res, 200, result);
    } catch (...) {
        job_failed(panel, req, res);
    }
}

void binary(LivePanel& panel, const httplib::Request& req, httplib::Response& res, const char* type,
            const std::string& what, std::function<std::optional<std::string>(Cockpit&)> job) {
    try {
        const auto bytes = panel.call<std::optional<std::string>>(std::move(job));
        if (!bytes) return refuse(res, 404, "there is no " + what);
        res.set_header("Cache-Control", "max-age=3600");
        res.set_content(*bytes, type);
    } catch (...) {
        job_failed(panel, req, res);
    }
}

using host::lower;

// The host of a Host header or of an origin's authority, without its port:
// "localhost", "127.0.0.1", "[::1]".
std::string host_part(std::string_view authority) {
    if (!authority.empty() && authority.front() == '[') {
        const auto close = authority.find(']');
        return close == std::string_view::npos ? std::string(authority) : std::string(authority.substr(0, close + 1));
    }
    return std::string(authority.substr(0, authority.find(':')));
}

bool ip_literal(const std::string& name) {
    if (name.size() > 2 && name.front() == '[' && name.back() == ']')
        return name.find_first_not_of("0123456789abcdef:.", 1) == name.size() - 1;
    int parts = 0;
    std::size_t at = 0;
    while (at <= name.size()) {
        const std::size_t dot = std::min(name.find('.', at), name.size());
        const std::string_view part = std::string_view(name).substr(at, dot - at);
        const auto value = host::exact_number<unsigned>(part);
        if (part.size() > 3 || !value || *value > 255) return false;
        ++parts;
        at = dot + 1;
    }
    return parts == 4;
}

}  // namespace

bool Server::own_host(const std::string& host_header) const {
    const std::string host = lower(host_part(host_header));
    if (host.empty()) return false;
    // A page reached by an address needs no name; a rebinding attack needs one.
    if (ip_literal(host)) return true;
    if (host == "localhost" || host.ends_with(".localhost")) return true;
    return std::find(options_.allowed_hosts.begin(), options_.allowed_hosts.end(), host) !=
           options_.allowed_hosts.end();
}

// Every request is checked before its route: a Host that is not the
// server's own name (DNS rebinding), a POST from another page's origin, and
// a POST body that is not JSON (which a cross-site form could send without
// asking) are refused.
std::optional<std::pair<int, std::string>> Server::refusal(const httplib::Request& req) const {
    if (!req.has_header("Host")) return std::pair{400, std::string("the request names no Host")};
    const std::string host = req.get_header_value("Host");
    if (!own_host(host))
        return std::pair{403, "the panel answers to its own addresses only, not to the host '" + host +
                                  "' (start it with --allow-host " + host_part(host) + " to allow that name)"};
    if (req.method != "POST") return std::nullopt;
    if (req.has_header("Origin")) {
        const std::string origin = req.get_header_value("Origin");
        if (lower(origin) != "http://" + lower(host))
            return std::pair{403,
                             "the panel takes requests only from its own pages, not from the origin '" + origin + "'"};
    }
    const std::string type = lower(req.get_header_value("Content-Type"));
    const std::string_view media = std::string_view(type).substr(0, type.find(';'));
    if (media.find_first_not_of(' ') == std::string_view::npos ||
        media.substr(0, media.find_last_not_of(' ') + 1) != "application/json")
        return std::pair{
            415, "the body must be sent as application/json, not as '" + req.get_header_value("Content-Type") + "'"};
    return std::nullopt;
}

Server::Server(LivePanel& panel, ServerOptions options)
    : panel_(panel), options_(std::move(options)), http_(std::make_unique<httplib::Server>()) {
    for (std::string& name : options_.allowed_hosts) name = lower(name);
    // Each watching page holds a connection of its own.
    http_->new_task_queue = [] { return new httplib::ThreadPool(64); };
    http_->set_payload_max_length(largest_body);
    http_->set_read_timeout(5, 0);
    http_->set_write_timeout(5, 0);
    // Idle keep-alive connections end soon, so that Ctrl-C need not wait for them.
    http_->set_keep_alive_timeout(1);
    routes();
}

Server::~Server() { stop(); }

int Server::bind(const std::string& address, int port, bool next_free) {
    for (int p = port; p <= port + (next_free ? 100 : 0) && p < 65536; ++p)
        if (http_->bind_to_port(address.c_str(), p)) return p;
    return 0;
}

bool Server::listen() { return http_->listen_after_bind() || stopping_; }

void Server::stop() {
    stopping_ = true;
    if (http_) http_->stop();
}

void Server::routes() {
    httplib::Server& s = *http_;
    LivePanel& panel = panel_;

    s.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        if (const auto r = refusal(req)) {
            refuse(res, r->first, r->second);
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });

    for (const PageFile& f : page_files())
        s.Get(f.path, [f](const httplib::Request&, httplib::Response& res) {
            res.set_content(std::string(f.content), f.type);
        });

    s.Get("/api/panel", [&panel](const httplib::Request&, httplib::Response& res) { answer(res, 200, panel.panel()); });

    s.Post("/api/click", [&panel](const httplib::Request& req, httplib::Response& res) {
        const auto d = decode_click(req.body, panel.catalogue());
        if (!decoded(d, res)) return;
        const ClickRequest r = std::get<ClickRequest>(d);
        on_host(panel, req, res, [r](Cockpit& c) { return c.click(r); });
    });

    s.Get("/api/tooltip", [&panel](const httplib::Request& req, httplib::Response& res) {
        std::map<std::string, std::string> query;
        for (const auto& [key, value] : req.params) {
            if (query.count(key) != 0) return refuse(res, 400, "'" + key + "' is given twice");
            query[key] = value;
        }
        const auto d = decode_tooltip(query, panel.catalogue());
        if (!decoded(d, res)) return;
        const TooltipRequest r = std::get<TooltipRequest>(d);
        on_host(panel, req, res, [r](Cockpit& c) { return c.tooltip(r); });
    });

    s.Post("/api/state", [&panel](const httplib::Request& req, httplib::Response& res) {
        const auto d = decode_state(req.body);
        if (!decoded(d, res)) return;
        const StateRequest r = std::get<StateRequest>(d);
        on_host(panel, req, res, [r](Cockpit& c) { return c.set_state(r); });
    });

    s.Post("/api/profile", [&panel](const httplib::Request& req, httplib::Response& res) {
        const auto d = decode_profile(req.body);
        if (!decoded(d, res)) return;
        const ProfileRequest r = std::get<ProfileRequest>(d);
        on_host(panel, req, res, [r](Cockpit& c) { return c.profile(r); });
    });

    s.Get(R"(/api/gauge/([A-Za-z0-9_@]+)\.png)", [&panel](const httplib::Request& req, httplib::Response& res) {
        const std::string name = req.matches[1];
        if (panel.catalogue().find(name) == nullptr)
            return refuse(res, 404, "the panel places no gauge '" + name + "'");
        binary(panel, req, res, "image/png", "gauge " + name, [name](Cockpit& c) { return c.gauge_png(name); });
        res.set_header("Cache-Control", "no-store");
    });

    s.Get(R"(/api/bitmap/(\d{1,6})\.png)", [&panel](const httplib::Request& req, httplib::Response& res) {
        const auto id = number_in(req.matches[1]);
        if (!id) return refuse(res, 404, "there is no such bitmap");
        binary(panel, req, res, "image/png", "bitmap " + std::to_string(*id),
               [id = std::int32_t(*id)](Cockpit& c) { return c.bitmap_png(id); });
    });

    s.Get(R"(/api/background/(\d{1,4})\.png)", [&panel](const httplib::Request& req, httplib::Response& res) {
        const auto w = number_in(req.matches[1]);
        if (!w) return refuse(res, 404, "there is no such background");
        binary(panel, req, res, "image/png", "background for window " + std::to_string(*w),
               [w = *w](Cockpit& c) { return c.background_png(w); });
    });

    s.Get(R"(/api/wave/(\d{1,4})\.wav)", [&panel](const httplib::Request& req, httplib::Response& res) {
        const auto id = number_in(req.matches[1]);
        if (!id) return refuse(res, 404, "there is no such wave");
        binary(panel, req, res, "audio/wav", "wave " + std::to_string(*id),
               [id = *id](Cockpit& c) { return c.wave(id); });
    });

    s.Post("/api/heartbeat", [&panel](const httplib::Request& req, httplib::Response& res) {
        const auto d = decode_heartbeat(req.body);
        if (!decoded(d, res)) return;
        const std::uint64_t page = std::get<std::uint64_t>(d);
        on_host(panel, req, res, [page](Cockpit& c) { return c.heartbeat(page); });
    });

    edit_routes(s, panel, options_.edit);

    s.Get("/api/events", [&panel, this](const httplib::Request&, httplib::Response& res) {
        auto watcher = panel.watch();
        res.set_header("Cache-Control", "no-store");
        res.set_chunked_content_provider(
            "text/event-stream",
            [watcher, this, introduced = false](std::size_t, httplib::DataSink& sink) mutable {
                if (!introduced) {
                    // The page's number, for its presses and heartbeats; and a
                    // lost page comes back within a second of the server.
                    introduced = true;
                    const std::string hello =
                        "retry: 1000\nevent: page\ndata: {\"page\": " + std::to_string(watcher->page()) + "}\n\n";
                    return sink.write(hello.data(), hello.size());
                }
                auto quiet = std::chrono::steady_clock::now();
                while (!stopping_) {
                    if (auto frame = watcher->next(std::chrono::milliseconds(250))) {
                        const std::string event = "data: " + *frame + "\n\n";
                        return sink.write(event.data(), event.size());
                    }
                    if (watcher->closed()) break;
                    if (std::chrono::steady_clock::now() - quiet > keep_alive) {
                        static constexpr char comment[] = ":\n\n";
                        return sink.write(comment, sizeof comment - 1);
                    }
                }
                sink.done();
                return true;
            },
            [&panel, watcher](bool) { panel.forget(watcher); });
    });

    // Everything else is refused with a message, never a file of the disk.
    s.set_error_handler([](const httplib::Request& req, httplib::Response& res) {
        if (!res.body.empty()) return;
        const std::string what = res.status == 404 ? "there is nothing at " + req.path
                                 : res.status == 413
                                     ? "the body is larger than " + std::to_string(largest_body) + " bytes"
                                 : res.status == 405 ? req.method + " is not used at " + req.path
                                                     : "the request was refused";
        res.set_content(json{{"error", what}}.dump(), "application/json");
    });
    s.set_exception_handler([](const httplib::Request&, httplib::Response& res, const std::exception_ptr&) {
        res.status = 500;
        res.set_content(json{{"error", "the server failed on this request"}}.dump(), "application/json");
    });
}

}  // namespace korvel::live
