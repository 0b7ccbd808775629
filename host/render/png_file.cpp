#include "host/render/png_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace korvel::render {

namespace {

// Deflate's lighter levels with no row filters: on flat artwork they make
// files no larger than libpng's defaults, four times faster.
constexpr int compression_level = 2;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

struct PngFailure {
    char message[128] = "";
};

[[noreturn]] void on_png_error(png_structp png, png_const_charp message) {
    auto* failure = static_cast<PngFailure*>(png_get_error_ptr(png));
    std::snprintf(failure->message, sizeof failure->message, "%s", message);
    png_longjmp(png, 1);
}

void on_png_warning(png_structp, png_const_charp) {}

// cairo's pixels are native-endian words, premultiplied where they carry
// alpha; a PNG row is bytes in order, unpremultiplied.
void png_row(const std::uint32_t* in, int width, bool alpha, unsigned char* out) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t p = in[x];
        std::uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
        if (alpha) {
            const std::uint32_t a = p >> 24;
            // cairo's own rounding, so the file holds what cairo's writer wrote.
            if (a == 0) {
                r = g = b = 0;
            } else if (a != 0xFF) {
                r = (r * 255 + a / 2) / a;
                g = (g * 255 + a / 2) / a;
                b = (b * 255 + a / 2) / a;
            }
            out[3] = static_cast<unsigned char>(a);
        }
        out[0] = static_cast<unsigned char>(r);
        out[1] = static_cast<unsigned char>(g);
        out[2] = static_cast<unsigned char>(b);
        out += alpha ? 4 : 3;
    }
}

// libpng leaves by longjmp on an error, so nothing in this frame may need
// destroying; the row buffer belongs to the caller.
bool write_png(png_structp png, png_infop info, std::FILE* file, cairo_surface_t* surface, bool alpha,
               unsigned char* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    png_init_io(png, file);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, compression_level);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_row(reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t(y) * stride), width, alpha, row);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    explicit PngWriter(PngFailure& failure) {
        png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &failure, on_png_error, on_png_warning);
        if (png != nullptr) info = png_create_info_struct(png);
    }
    ~PngWriter() { png_destroy_write_struct(&png, &info); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
};

}  // namespace

std::optional<std::string> write_png_file(cairo_surface_t* surface, const std::string& path) {
    if (const cairo_status_t status = cairo_surface_status(surface); status != CAIRO_STATUS_SUCCESS)
        return cairo_status_to_string(status);
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    if (format != CAIRO_FORMAT_RGB24 && format != CAIRO_FORMAT_ARGB32) {
        const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
        if (status != CAIRO_STATUS_SUCCESS) return cairo_status_to_string(status);
        return std::nullopt;
    }
    cairo_surface_flush(surface);
    const bool alpha = format == CAIRO_FORMAT_ARGB32;
    std::vector<unsigned char> row(std::size_t(cairo_image_surface_get_width(surface)) * (alpha ? 4 : 3));

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) return std::strerror(errno);
    PngFailure failure;
    PngWriter writer(failure);
    if (writer.png == nullptr || writer.info == nullptr) return "libpng could not start";
    if (!write_png(writer.png, writer.info, file.get(), surface, alpha, row.data()))
        return std::string(failure.message);
    if (std::fclose(file.release()) != 0) return std::strerror(errno);
    return std::nullopt;
}

}  // namespace korvel::render
