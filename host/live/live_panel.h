// The live panel behind a web page. One host thread owns the module: it runs
// the update cycle at the simulator's rate and carries out every request;
// the server's threads only hand it decoded requests, wait for its answers
// and pass its frames on to the pages watching.
#pragma once

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "host/live/cockpit.h"

namespace korvel::live {

// A page watching the panel: the frames meant for it, in order, and the
// number its presses carry.
class Watcher {
public:
    explicit Watcher(std::size_t capacity = 256, std::uint64_t page = 0) : capacity_(capacity), page_(page) {}
    std::uint64_t page() const { return page_; }
    // The next frame, or none when `timeout` passed or the panel closed.
    std::optional<std::string> next(std::chrono::milliseconds timeout);
    // Queues a frame. A page that stopped reading is not worth a growing
    // queue: past `capacity` frames the queue is dropped and push returns
    // false, and the page must be sent the whole panel before anything else.
    bool push(std::string frame);
    void close();
    bool closed() const;

private:
    const std::size_t capacity_;
    const std::uint64_t page_;
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::string> frames_;
    bool closed_ = false;
};

// A request's job is not run because the host thread has stopped.
struct PanelStopped : std::runtime_error {
    PanelStopped() : std::runtime_error("the live panel has stopped") {}
};

struct LiveOptions {
    std::size_t watcher_queue = 256;  // frames a page may fall behind before it is sent everything again
    // Where faults of the host thread are reported (a line each); stderr when empty.
    std::function<void(const std::string&)> log;
};

class LivePanel {
public:
    // Starts the host thread and waits until the panel is placed; throws
    // what the cockpit threw.
    explicit LivePanel(PanelSource source, LiveOptions options = {});
    ~LivePanel();
    LivePanel(const LivePanel&) = delete;
    LivePanel& operator=(const LivePanel&) = delete;

    // As the panel is placed now: an editor places it again after each edit.
    Catalogue catalogue() const;
    nlohmann::json panel() const;

    // Runs `job` on the host thread between two cycles and gives back its
    // result. Throws PanelStopped when the panel has stopped, and whatever
    // the job threw when it failed; the panel goes on either way.
    template <typename Result>
    Result call(std::function<Result(Cockpit&)> job) {
        auto task = std::make_shared<std::packaged_task<Result(Cockpit&)>>(std::move(job));
        auto result = task->get_future();
        enqueue([task](Cockpit& c) { (*task)(c); });
        return result.get();
    }

    // A new page, numbered anew: its first frame is the whole panel.
    std::shared_ptr<Watcher> watch();
    // A page gone: it is sent nothing more, and what it held is let go.
    void forget(const std::shared_ptr<Watcher>& watcher);
    std::size_t watchers() const;

    void stop();

    // A fault of the host thread or of a request's job, as one line of the log.
    void report(const std::string& fault);

private:
    void enqueue(std::function<void(Cockpit&)> job);
    void run(const PanelSource& source, std::promise<void> started);
    void send_everything(Cockpit& cockpit, std::vector<std::shared_ptr<Watcher>> pages);
    void publish(const Cockpit& cockpit);

    LiveOptions options_;
    Catalogue catalogue_{{}};
    nlohmann::json panel_;
    mutable std::mutex layout_mutex_;  // over catalogue_ and panel_
    mutable std::mutex mutex_;
    std::mutex log_mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void(Cockpit&)>> jobs_;
    std::vector<std::shared_ptr<Watcher>> watchers_;
    std::vector<std::shared_ptr<Watcher>> newcomers_;
    bool stopping_ = false;
    std::uint64_t pages_ = 0;
    std::thread thread_;
};

}  // namespace korvel::live
