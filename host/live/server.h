// The live panel's web server: the page, the JSON API and the frame stream.
// Every request is decoded and checked here before it is queued for the
// host thread; the server serves its own embedded files and nothing else.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "host/live/live_panel.h"

namespace httplib {
class Server;
}

namespace korvel::live {

class Server {
public:
    explicit Server(LivePanel& panel);
    ~Server();

    // Binds to the address and the port, or to the next free one when `next_free`
    // (up to 100 further); returns the port bound, or 0 when none could be.
    int bind(const std::string& address, int port, bool next_free);
    // Serves until stop(); returns false when serving failed.
    bool listen();
    void stop();

private:
    void routes();
    LivePanel& panel_;
    std::unique_ptr<httplib::Server> http_;
    std::atomic<bool> stopping_{false};
};

}  // namespace korvel::live
