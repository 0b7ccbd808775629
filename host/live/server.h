// The live panel's web server: the page, the JSON API and the frame stream.
// Every request is decoded and checked here before it is queued for the
// host thread; the server serves its own embedded files and nothing else.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/live/edit_routes.h"
#include "host/live/live_panel.h"

namespace httplib {
class Server;
struct Request;
}  // namespace httplib

namespace korvel::live {

struct ServerOptions {
    // Host names, in any case, that the panel answers to besides localhost.
    // Any IP address is answered, so that a tablet on the local network can
    // reach a server bound to 0.0.0.0: DNS rebinding needs a name.
    std::vector<std::string> allowed_hosts;
    // The editor's requests, taken only when the panel was opened with --edit.
    EditOptions edit{};
};

class Server {
public:
    explicit Server(LivePanel& panel, ServerOptions options = {});
    ~Server();

    // Binds to the address and the port, or to the next free one when `next_free`
    // (up to 100 further); returns the port bound, or 0 when none could be.
    int bind(const std::string& address, int port, bool next_free);
    // Serves until stop(); returns false when serving failed.
    bool listen();
    void stop();

private:
    void routes();
    bool own_host(const std::string& host_header) const;
    std::optional<std::pair<int, std::string>> refusal(const httplib::Request& req) const;

    LivePanel& panel_;
    ServerOptions options_;
    std::unique_ptr<httplib::Server> http_;
    std::atomic<bool> stopping_{false};
};

}  // namespace korvel::live
