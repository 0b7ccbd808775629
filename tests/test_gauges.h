// Small gauges of the tests' own, for the host's mechanics: what the host
// does with records, whichever module they come from.
#pragma once

#include <cstdint>
#include <vector>

#include "module/builders.h"

namespace test_gauges {

struct Call {
    std::int32_t x;
    std::int32_t y;
    GaugeHeader* gauge;
    MouseRect* rect;
    std::uint32_t flags;
};

// Every mouse function call the test gauges received, in order.
std::vector<Call>& calls();

extern GaugeHeader mouse_gauge;    // nested parents, children of every kind
extern GaugeHeader tooltip_gauge;  // tooltips with and without inserts
extern GaugeHeader update_gauge;   // one element of each kind with callbacks

// Mouse rectangles of mouse_gauge (gauge size 200 x 300):
//   outer parent 0,0,0,0
//     parent 2,210,50,50 with child 0,0,50,50 (left, repeat)       -> recorder, index 0
//   child 100,0,50,50 (left only), key event 0x10001
//   child 100,0,50,50 (right only) -> recorder                       index 1
//   child 0,0,100,100 (left, drag)  -> recorder                      index 2
//   child 150,100,40,40 (left, right, repeat) -> recorder            index 3
inline constexpr std::uint32_t mouse_gauge_key_event = 0x10001;

// Values and flags the update gauge's callbacks work with.
extern double needle_callback_result;
extern std::uint32_t needle_token_after_call;  // the callback rewrites its own token to this
extern bool hide_icon;
extern double icon_result;
extern const char* string_text;

}  // namespace test_gauges
