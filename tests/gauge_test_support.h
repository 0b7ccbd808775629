// Shared helpers of the gauge tests: a host, and checks that speak in dial
// points, visibility and shown bitmaps.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/core/host.h"

namespace gauge_test {

using korvel::host::Host;
using korvel::host::KeyEvent;
using korvel::host::MouseButton;
using korvel::host::PlacedGauge;

// The needle points at the dial point (within a hundredth of a pixel).
inline testing::AssertionResult points_at(const PlacedGauge& gauge, std::size_t needle, double x, double y) {
    const auto pose = gauge.needle_pose(needle);
    if (std::abs(pose.x - x) < 0.01 && std::abs(pose.y - y) < 0.01) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "needle " << needle << " of " << gauge.name() << " points at (" << pose.x
                                       << ", " << pose.y << "), angle " << pose.angle << ", not at (" << x << ", " << y
                                       << ")";
}

// The needle's angle, clockwise from twelve o'clock, reduced to [0, 360).
inline double dial_angle(const PlacedGauge& gauge, std::size_t needle) {
    double a = std::fmod(gauge.needle_pose(needle).angle, 360.0);
    if (a < 0) a += 360.0;
    return a;
}

// Sets a variable and runs one update of every placed gauge.
inline void set_and_update(Host& host, std::uint32_t token, double value) {
    host.variables().set(token, value);
    host.update();
}

}  // namespace gauge_test
