#include "host/live/live_panel.h"

#include <stdexcept>

namespace korvel::live {

std::optional<std::string> Watcher::next(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    ready_.wait_for(lock, timeout, [&] { return closed_ || !frames_.empty(); });
    if (frames_.empty()) return std::nullopt;
    std::string frame = std::move(frames_.front());
    frames_.pop_front();
    return frame;
}

void Watcher::push(std::string frame) {
    {
        std::lock_guard lock(mutex_);
        // A page that stopped reading is not worth a growing queue: it gets
        // the whole panel again when it reads on.
        if (frames_.size() > 256) frames_.clear();
        frames_.push_back(std::move(frame));
    }
    ready_.notify_one();
}

void Watcher::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    ready_.notify_all();
}

bool Watcher::closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

LivePanel::LivePanel(PanelSource source) {
    std::promise<void> started;
    auto ready = started.get_future();
    thread_ = std::thread(&LivePanel::run, this, std::move(source), std::move(started));
    try {
        ready.get();
    } catch (...) {
        thread_.join();
        throw;
    }
}

LivePanel::~LivePanel() { stop(); }

void LivePanel::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void LivePanel::enqueue(std::function<void(Cockpit&)> job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) throw std::runtime_error("the live panel has stopped");
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

std::shared_ptr<Watcher> LivePanel::watch() {
    auto w = std::make_shared<Watcher>();
    {
        std::lock_guard lock(mutex_);
        newcomers_.push_back(w);
    }
    wake_.notify_all();
    return w;
}

void LivePanel::forget(const std::shared_ptr<Watcher>& watcher) {
    watcher->close();
    std::lock_guard lock(mutex_);
    std::erase(watchers_, watcher);
    std::erase(newcomers_, watcher);
}

std::size_t LivePanel::watchers() const {
    std::lock_guard lock(mutex_);
    return watchers_.size() + newcomers_.size();
}

void LivePanel::run(PanelSource source, std::promise<void> started) {
    // The module, its host and everything they touch live and die on this thread.
    std::unique_ptr<Cockpit> cockpit;
    try {
        cockpit = std::make_unique<Cockpit>(source);
        catalogue_ = cockpit->catalogue();
        panel_ = cockpit->panel();
    } catch (...) {
        started.set_exception(std::current_exception());
        return;
    }
    started.set_value();

    using clock = std::chrono::steady_clock;
    const auto period = std::chrono::microseconds(1'000'000 / cycles_per_second);
    auto next_cycle = clock::now() + period;
    for (;;) {
        std::deque<std::function<void(Cockpit&)>> jobs;
        std::vector<std::shared_ptr<Watcher>> newcomers;
        {
            std::unique_lock lock(mutex_);
            wake_.wait_until(lock, next_cycle, [&] { return stopping_ || !jobs_.empty() || !newcomers_.empty(); });
            if (stopping_) break;
            jobs.swap(jobs_);
            newcomers.swap(newcomers_);
        }
        for (auto& job : jobs) job(*cockpit);
        if (!newcomers.empty()) {
            // A new page starts from the whole panel; the others go on from
            // what they have.
            const std::string everything = cockpit->full_frame().dump();
            for (auto& w : newcomers) w->push(everything);
            std::lock_guard lock(mutex_);
            watchers_.insert(watchers_.end(), newcomers.begin(), newcomers.end());
        }
        if (clock::now() < next_cycle) continue;
        next_cycle += period;
        if (clock::now() > next_cycle + 10 * period) next_cycle = clock::now() + period;  // fell behind: no catching up
        const nlohmann::json frame = cockpit->cycle();
        if (frame.is_null()) continue;
        const std::string text = frame.dump();
        std::lock_guard lock(mutex_);
        for (auto& w : watchers_) w->push(text);
    }
    // Jobs still queued get their promises broken; the pages are let go.
    std::lock_guard lock(mutex_);
    jobs_.clear();
    for (auto& w : watchers_) w->close();
    for (auto& w : newcomers_) w->close();
    cockpit.reset();
}

}  // namespace korvel::live
