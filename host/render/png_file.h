// Pictures written as PNG files quickly: a panel's pictures are big, flat
// and written once per run, so light compression with no row filters makes
// files as small as thorough compression does in a fraction of the time.
#pragma once

#include <cairo.h>

#include <optional>
#include <string>

namespace korvel::render {

// Writes an RGB24 surface as an RGB PNG, an ARGB32 one as RGBA (its colours
// no longer premultiplied), any other format as cairo writes it. Returns
// why it could not, or none.
std::optional<std::string> write_png_file(cairo_surface_t* surface, const std::string& path);

}  // namespace korvel::render
