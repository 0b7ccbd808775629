// A record of what the module asked of the simulator, in order. The storage
// is reserved once, so recording never allocates; when it is full the oldest
// entries give way and are counted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace korvel::host {

struct KeyEvent {
    std::uint32_t event;
    std::uint32_t value;
    friend bool operator==(const KeyEvent&, const KeyEvent&) = default;
};

// "0x103CA(50)", for messages and test output.
std::string to_string(const KeyEvent& e);
void PrintTo(const KeyEvent& e, std::ostream* out);

class EventLog {
public:
    explicit EventLog(std::size_t capacity = 16384);

    void record(KeyEvent entry);
    void clear();

    std::size_t size() const { return size_; }
    std::size_t dropped() const { return dropped_; }
    bool empty() const { return size_ == 0; }
    // Oldest first.
    KeyEvent operator[](std::size_t index) const;
    std::vector<KeyEvent> entries() const;
    std::size_t count(std::uint32_t event) const;

private:
    std::vector<KeyEvent> ring_;
    std::size_t first_ = 0;
    std::size_t size_ = 0;
    std::size_t dropped_ = 0;
};

}  // namespace korvel::host
