#include "host/core/event_log.h"

#include <cstdio>
#include <stdexcept>

namespace korvel::host {

std::string to_string(const KeyEvent& e) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%X(%u)", e.event, e.value);
    return text;
}

void PrintTo(const KeyEvent& e, std::ostream* out) { *out << to_string(e); }

EventLog::EventLog(std::size_t capacity) : ring_(capacity == 0 ? 1 : capacity) {}

void EventLog::record(KeyEvent entry) {
    if (size_ == ring_.size()) {
        ring_[first_] = entry;
        first_ = (first_ + 1) % ring_.size();
        ++dropped_;
        return;
    }
    ring_[(first_ + size_) % ring_.size()] = entry;
    ++size_;
}

void EventLog::clear() {
    first_ = 0;
    size_ = 0;
    dropped_ = 0;
}

KeyEvent EventLog::operator[](std::size_t index) const {
    if (index >= size_) throw std::out_of_range("event log index beyond its end");
    return ring_[(first_ + index) % ring_.size()];
}

std::vector<KeyEvent> EventLog::entries() const {
    std::vector<KeyEvent> out;
    out.reserve(size_);
    for (std::size_t i = 0; i < size_; ++i) out.push_back((*this)[i]);
    return out;
}

std::size_t EventLog::count(std::uint32_t event) const {
    std::size_t n = 0;
    for (std::size_t i = 0; i < size_; ++i)
        if ((*this)[i].event == event) ++n;
    return n;
}

}  // namespace korvel::host
