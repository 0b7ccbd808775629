// Every bitmap of the module: its resource id, its size, how it is stored
// and how it is drawn. Each instrument family lists its own.
#pragma once

#include <cstdint>
#include <span>

#include "resources/artwork/canvas.h"

namespace art {

struct Artwork {
    std::int32_t id;
    int width;
    int height;
    int bits_per_pixel;  // 8, or 24 where the bitmap must keep every colour
    void (*draw)(Canvas& canvas);
    const char* caption;
};

std::span<const Artwork> panel_artwork();    // buttons, plate and the invisible gauges
std::span<const Artwork> flight_artwork();   // airspeed, altimeter, vertical speed, attitude, turn coordinator, clock
std::span<const Artwork> heading_artwork();  // gyros, compass, accelerometer, cabin altimeter, RMI/ILS indicators
std::span<const Artwork> systems_artwork();  // engine, fuel, lights, electrical board, throttle, flaps, RMI switch
std::span<const Artwork> radio_artwork();    // COM, NAV, ADF and transponder

}  // namespace art
