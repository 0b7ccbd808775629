#include "host/live/media.h"

#include <fstream>
#include <iterator>
#include <vector>

#include "formats/wave.h"
#include "host/render/renderer.h"

namespace korvel::live::media {

std::string png_of(cairo_surface_t* surface) {
    std::string out;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &out);
    return out;
}

std::string gauge_png(const host::PlacedGauge& gauge, render::Bitmaps& bitmaps) {
    const host::GaugeSize size = render::gauge_pixels(gauge, bitmaps);
    render::Surface out(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size.width, size.height));
    cairo_t* cr = cairo_create(out.get());
    render::draw_gauge(cr, gauge, bitmaps);
    cairo_destroy(cr);
    return png_of(out.get());
}

std::optional<std::string> background_png(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
    const render::Surface s = render::decode_bitmap(bytes);
    if (!s) return std::nullopt;
    return png_of(s.get());
}

std::optional<std::string> wave(const host::ModuleLibrary& library, std::uint32_t id) {
    const auto file = library.resource("WAVE", id);
    if (!file) return std::nullopt;
    const auto format = formats::wave_chunk(*file, "fmt ");
    const auto samples = formats::wave_pcm(*file);
    if (!format || format->size() < 16 || !samples) return std::nullopt;
    const auto half_word = [&](std::size_t at) { return std::uint16_t((*format)[at] | (*format)[at + 1] << 8); };
    const std::uint16_t channels = half_word(2);
    const std::uint32_t rate = half_word(4) | std::uint32_t(half_word(6)) << 16;
    const std::uint16_t bits = half_word(0) == 1 ? half_word(14) : 16;
    const formats::Bytes wave = formats::pcm_wave(channels, rate, bits, *samples);
    return std::string(wave.begin(), wave.end());
}

}  // namespace korvel::live::media
