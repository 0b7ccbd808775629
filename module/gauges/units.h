// The panel's unit switch, on the turn coordinator: 1 shows the imperial
// faces of every two-face dial, 0 the metric ones. Read afresh at every
// update; the engine speed indicator reads it the other way round.
#pragma once

#include <cstdint>

#include "module/records.h"

extern std::int32_t imperial_units;

// The value of an icon that draws its one image (the metric face over the
// plain one) while the metric faces are chosen, and nothing otherwise.
inline double metric_face_icon() { return imperial_units == 0 ? 0.0 : -1.0; }

// Sets or clears the hidden bit of an element, leaving the other bits alone.
inline void show_element(std::uint32_t& image_flags, bool shown) {
    if (shown)
        image_flags &= ~image_hidden_flag;
    else
        image_flags |= image_hidden_flag;
}
