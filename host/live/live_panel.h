// The live panel behind a web page. One host thread owns the module: it runs
// the update cycle at the simulator's rate and carries out every request;
// the server's threads only hand it decoded requests, wait for its answers
// and pass its frames on to the pages watching.
#pragma once

#include <nlohmann/json.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/live/cockpit.h"

namespace korvel::live {

// A page watching the panel: the frames meant for it, in order.
class Watcher {
public:
    // The next frame, or none when `timeout` passed or the panel closed.
    std::optional<std::string> next(std::chrono::milliseconds timeout);
    void push(std::string frame);
    void close();
    bool closed() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::string> frames_;
    bool closed_ = false;
};

class LivePanel {
public:
    // Starts the host thread and waits until the panel is placed; throws
    // what the cockpit threw.
    explicit LivePanel(PanelSource source);
    ~LivePanel();
    LivePanel(const LivePanel&) = delete;
    LivePanel& operator=(const LivePanel&) = delete;

    const Catalogue& catalogue() const { return catalogue_; }
    const nlohmann::json& panel() const { return panel_; }

    // Runs `job` on the host thread between two cycles and gives back its
    // result; throws std::runtime_error when the panel has stopped.
    template <typename Result>
    Result call(std::function<Result(Cockpit&)> job) {
        auto task = std::make_shared<std::packaged_task<Result(Cockpit&)>>(std::move(job));
        auto result = task->get_future();
        enqueue([task](Cockpit& c) { (*task)(c); });
        return result.get();
    }

    // A new page: its first frame is the whole panel.
    std::shared_ptr<Watcher> watch();
    void forget(const std::shared_ptr<Watcher>& watcher);
    std::size_t watchers() const;

    void stop();

private:
    void enqueue(std::function<void(Cockpit&)> job);
    void run(PanelSource source, std::promise<void> started);

    Catalogue catalogue_{{}};
    nlohmann::json panel_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void(Cockpit&)>> jobs_;
    std::vector<std::shared_ptr<Watcher>> watchers_;
    std::vector<std::shared_ptr<Watcher>> newcomers_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace korvel::live
