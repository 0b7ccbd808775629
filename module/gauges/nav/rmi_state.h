// Which receiver drives the VOR needles of both RMI/ILS indicators: 1 NAV1,
// 0 NAV2. Flipped by the RMI needle switch and by the course knob of the
// second indicator in RMI mode.
#pragma once

#include <cstdint>

extern std::int32_t rmi_vor1_selected;
