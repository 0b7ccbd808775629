#include "host/live/live_panel.h"

#include <iostream>
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

bool Watcher::push(std::string frame) {
    {
        std::lock_guard lock(mutex_);
        if (frames_.size() >= capacity_) {
            frames_.clear();
            return false;
        }
        frames_.push_back(std::move(frame));
    }
    ready_.notify_one();
    return true;
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

LivePanel::LivePanel(PanelSource source, LiveOptions options) : options_(std::move(options)) {
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
        if (stopping_) throw PanelStopped();
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

Catalogue LivePanel::catalogue() const {
    std::lock_guard lock(layout_mutex_);
    return catalogue_;
}

nlohmann::json LivePanel::panel() const {
    std::lock_guard lock(layout_mutex_);
    return panel_;
}

void LivePanel::publish(const Cockpit& cockpit) {
    Catalogue catalogue = cockpit.catalogue();
    nlohmann::json panel = cockpit.panel();
    std::lock_guard lock(layout_mutex_);
    catalogue_ = std::move(catalogue);
    panel_ = std::move(panel);
}

std::shared_ptr<Watcher> LivePanel::watch() {
    std::shared_ptr<Watcher> w;
    {
        std::lock_guard lock(mutex_);
        w = std::make_shared<Watcher>(options_.watcher_queue, ++pages_);
        newcomers_.push_back(w);
    }
    wake_.notify_all();
    return w;
}

void LivePanel::forget(const std::shared_ptr<Watcher>& watcher) {
    watcher->close();
    {
        std::lock_guard lock(mutex_);
        std::erase(watchers_, watcher);
        std::erase(newcomers_, watcher);
    }
    try {
        enqueue([page = watcher->page()](Cockpit& c) { c.page_gone(page); });
    } catch (const PanelStopped&) {
        // Nothing is held once the panel has stopped.
    }
}

std::size_t LivePanel::watchers() const {
    std::lock_guard lock(mutex_);
    return watchers_.size() + newcomers_.size();
}

void LivePanel::report(const std::string& fault) {
    std::lock_guard lock(log_mutex_);
    if (options_.log)
        options_.log(fault);
    else
        std::cerr << "korvel-panel: " << fault << std::endl;
}

namespace {

std::string fault_of(std::exception_ptr e) {
    try {
        std::rethrow_exception(std::move(e));
    } catch (const std::exception& x) {
        return x.what();
    } catch (...) {
        return "an exception that is not a std::exception";
    }
}

// What the pages are told of a fault of the host thread.
std::string fault_frame(const std::string& message) { return nlohmann::json{{"fault", message}}.dump(); }

}  // namespace

void LivePanel::send_everything(Cockpit& cockpit, std::vector<std::shared_ptr<Watcher>> pages) {
    std::string everything;
    try {
        everything = cockpit.full_frame().dump();
    } catch (...) {
        // The pages that waited for it cannot start from a part of the panel:
        // they are told why and let go, and come back through their reconnect.
        const std::string fault = "the whole panel for a new page failed: " + fault_of(std::current_exception());
        report(fault);
        for (auto& w : pages) {
            w->push(fault_frame(fault));
            w->close();
        }
        return;
    }
    for (auto& w : pages) w->push(everything);
    std::lock_guard lock(mutex_);
    watchers_.insert(watchers_.end(), pages.begin(), pages.end());
}

void LivePanel::run(const PanelSource& source, std::promise<void> started) {
    // The module, its host and everything they touch live and die on this thread.
    std::unique_ptr<Cockpit> cockpit;
    try {
        cockpit = std::make_unique<Cockpit>(source);
        publish(*cockpit);
        // A request that placed the panel again is answered once the new
        // layout is what the next request is checked against.
        cockpit->when_placed_again([this, c = cockpit.get()] { publish(*c); });
    } catch (...) {
        started.set_exception(std::current_exception());
        return;
    }
    started.set_value();

    using clock = std::chrono::steady_clock;
    const auto period = std::chrono::microseconds(1'000'000 / cycles_per_second);
    auto next_cycle = clock::now() + period;
    std::string repeated_fault;
    std::uint64_t placement = cockpit->placement();
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
        // A job keeps its own fault for its request (the packaged task holds it).
        for (auto& job : jobs) job(*cockpit);
        // A panel placed again (an edit) is laid out anew on every page,
        // from a whole frame that carries its layout.
        if (cockpit->placement() != placement) {
            placement = cockpit->placement();
            std::lock_guard lock(mutex_);
            newcomers.insert(newcomers.end(), watchers_.begin(), watchers_.end());
            watchers_.clear();
        }
        // A new page, or one that fell behind, starts from the whole panel;
        // the others go on from what they have.
        if (!newcomers.empty()) send_everything(*cockpit, std::move(newcomers));
        if (clock::now() < next_cycle) continue;
        next_cycle += period;
        if (clock::now() > next_cycle + 10 * period) next_cycle = clock::now() + period;  // fell behind: no catching up
        std::string text;
        try {
            const nlohmann::json frame = cockpit->cycle();
            repeated_fault.clear();
            if (frame.is_null()) continue;
            text = frame.dump();
        } catch (...) {
            // A failed cycle is reported and the next one runs as usual; a
            // fault that comes back every cycle is reported once, until a
            // cycle gets through again.
            const std::string fault = fault_of(std::current_exception());
            if (fault == repeated_fault) continue;
            repeated_fault = fault;
            const std::string line = "cycle " + std::to_string(cockpit->cycles()) + " failed: " + fault;
            report(line);
            text = fault_frame(line);
        }
        std::lock_guard lock(mutex_);
        std::erase_if(watchers_, [&](const std::shared_ptr<Watcher>& w) {
            if (w->push(text)) return false;
            newcomers_.push_back(w);
            return true;
        });
    }
    // Jobs still queued get their promises broken; the pages are let go.
    std::lock_guard lock(mutex_);
    jobs_.clear();
    for (auto& w : watchers_) w->close();
    for (auto& w : newcomers_) w->close();
    cockpit.reset();
}

}  // namespace korvel::live
