// What the page loads once: the module's bitmaps, a window's background,
// a gauge as cairo draws it, and the module's click sounds as plain waves.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <string>

#include "host/core/host.h"
#include "host/render/bitmaps.h"

namespace korvel::live::media {

std::string png_of(cairo_surface_t* surface);
std::string gauge_png(const host::PlacedGauge& gauge, render::Bitmaps& bitmaps);
// A background bitmap file as a PNG, or none when it does not read.
std::optional<std::string> background_png(const std::string& path);
// The samples the module's buffer holds for a wave resource, as a plain PCM
// wave the page can play: an ADPCM resource arrives decoded, as DirectSound
// got it.
std::optional<std::string> wave(const host::ModuleLibrary& library, std::uint32_t id);

}  // namespace korvel::live::media
