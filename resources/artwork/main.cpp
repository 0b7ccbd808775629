// artwork: draws every bitmap of the module.
//
//   artwork OUTPUT_DIR                 all bitmaps, the resource script lines
//                                      (bitmaps.rc), the embedding list
//                                      (bitmaps.list) and a contact sheet
//   artwork OUTPUT_DIR --only A-B      only ids A to B, for work on a family
//   artwork OUTPUT_DIR --preview GAUGE [--set TOKEN=VALUE]... [--click X,Y]...
//           [--updates N] [--scale S] --png FILE
//                                      the gauge placed and drawn by the host
//                                      from the bitmaps in OUTPUT_DIR
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/core/gauge_records.h"
#include "host/core/host.h"
#include "host/render/renderer.h"
#include "module/linkage.h"
#include "resources/artwork/paint.h"
#include "resources/artwork/registry.h"

namespace {

using art::Artwork;

std::vector<Artwork> every_artwork() {
    std::vector<Artwork> all;
    for (auto family : {art::panel_artwork(), art::flight_artwork(), art::heading_artwork(), art::systems_artwork(),
                        art::radio_artwork()})
        all.insert(all.end(), family.begin(), family.end());
    return all;
}

// Every bitmap id the module's elements name or imply.
std::set<std::int32_t> implied_ids() {
    std::set<std::int32_t> ids;
    for (GaugeHeader* g : Linkage.gauges) {
        if (g == nullptr) break;
        for (const ElementHeader* e : korvel::host::elements_of(*g)) {
            switch (e->kind) {
                case element_string:
                    break;
                case element_sprite:
                case element_moving_image:
                    ids.insert(e->resource_id);
                    ids.insert(e->resource_id + 1);
                    break;
                case element_icon: {
                    const auto* icon = reinterpret_cast<const IconElement*>(e);
                    for (std::uint32_t k = 0; k < icon->image_count; ++k) ids.insert(e->resource_id + std::int32_t(k));
                    break;
                }
                default:
                    ids.insert(e->resource_id);
            }
        }
    }
    // The faces a panel toggle's parameter string may choose.
    for (std::int32_t face = 100; face <= 200; face += 10) ids.insert(face);
    return ids;
}

std::string bitmap_path(const std::string& dir, std::int32_t id) {
    return dir + "/bitmap" + std::to_string(id) + ".bmp";
}

void contact_sheet(const std::vector<const Artwork*>& drawn, const std::string& dir, const std::string& png) {
    constexpr int cell = 170, caption = 34, columns = 12;
    const int rows = int((drawn.size() + columns - 1) / columns);
    korvel::render::Surface sheet(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, columns * cell, rows * (cell + caption)));
    cairo_t* cr = cairo_create(sheet.get());
    cairo_set_source_rgb(cr, 0.55, 0.52, 0.48);  // the panel showing through black
    cairo_paint(cr);
    korvel::render::Bitmaps bitmaps([&dir](std::int32_t id) -> std::optional<std::vector<unsigned char>> {
        std::ifstream in(bitmap_path(dir, id), std::ios::binary);
        if (!in) return std::nullopt;
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    });
    for (std::size_t n = 0; n < drawn.size(); ++n) {
        const Artwork& a = *drawn[n];
        const double x0 = double(n % columns) * cell, y0 = double(n / columns) * (cell + caption);
        cairo_surface_t* b = bitmaps.get(a.id);
        if (b == nullptr) continue;
        const double fit = std::min(4.0, (cell - 10.0) / std::max(a.width, a.height));
        cairo_save(cr);
        cairo_translate(cr, x0 + (cell - a.width * fit) / 2, y0 + (cell - a.height * fit) / 2);
        cairo_scale(cr, fit, fit);
        cairo_set_source_surface(cr, b, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        const std::string label =
            std::to_string(a.id) + "  " + std::to_string(a.width) + "x" + std::to_string(a.height);
        art::text(cr, label, {x0 + cell / 2.0, y0 + cell + 8}, 9, {0.05, 0.05, 0.05}, art::Align::centre,
                  art::Weight::bold);
        art::text(cr, a.caption, {x0 + cell / 2.0, y0 + cell + 22}, 7.5, {0.1, 0.1, 0.1});
    }
    cairo_destroy(cr);
    if (cairo_surface_write_to_png(sheet.get(), png.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + png);
}

int preview(const std::string& dir, int argc, char** argv, int first) {
    std::string gauge, png;
    std::vector<std::pair<std::uint32_t, double>> sets;
    std::vector<std::pair<int, int>> clicks;
    int updates = 1;
    double scale = 1.0;
    for (int i = first; i < argc; ++i) {
        const std::string a = argv[i];
        const auto next = [&]() -> std::string {
            if (i + 1 >= argc) throw std::invalid_argument(a + " needs a value");
            return argv[++i];
        };
        if (a == "--preview")
            gauge = next();
        else if (a == "--png")
            png = next();
        else if (a == "--updates")
            updates = std::stoi(next());
        else if (a == "--scale")
            scale = std::stod(next());
        else if (a == "--set") {
            const std::string v = next();
            const auto eq = v.find('=');
            if (eq == std::string::npos) throw std::invalid_argument("--set wants TOKEN=VALUE");
            sets.emplace_back(std::stoul(v.substr(0, eq)), std::stod(v.substr(eq + 1)));
        } else if (a == "--click") {
            const std::string v = next();
            const auto comma = v.find(',');
            if (comma == std::string::npos) throw std::invalid_argument("--click wants X,Y");
            clicks.emplace_back(std::stoi(v.substr(0, comma)), std::stoi(v.substr(comma + 1)));
        } else
            throw std::invalid_argument("unknown option " + a);
    }
    if (gauge.empty() || png.empty()) throw std::invalid_argument("--preview wants a gauge and --png");
    korvel::host::Host host;
    korvel::host::PlacedGauge& g = host.place(gauge);
    for (const auto& [token, value] : sets) host.variables().set(token, value);
    host.update();
    for (const auto& [x, y] : clicks) host.click(g, x, y);
    host.update(updates);
    korvel::render::Bitmaps bitmaps([&dir](std::int32_t id) -> std::optional<std::vector<unsigned char>> {
        std::ifstream in(bitmap_path(dir, id), std::ios::binary);
        if (!in) return std::nullopt;
        return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
    });
    korvel::render::write_gauge_png(g, bitmaps, png.c_str(), scale);
    return 0;
}

}  // namespace

int main(int argc, char** argv) try {
    if (argc < 2) {
        std::fprintf(stderr, "usage: artwork OUTPUT_DIR [--only A-B | --preview GAUGE ... --png FILE]\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (argc > 2 && std::string(argv[2]) == "--preview") return preview(dir, argc, argv, 2);

    std::int32_t from = 0, to = 1 << 30;
    const bool partial = argc == 4 && std::string(argv[2]) == "--only";
    if (partial) {
        const std::string range = argv[3];
        const auto dash = range.find('-');
        from = std::stoi(range.substr(0, dash));
        to = dash == std::string::npos ? from : std::stoi(range.substr(dash + 1));
    } else if (argc != 2) {
        throw std::invalid_argument("unknown arguments");
    }

    const std::vector<Artwork> all = every_artwork();
    std::map<std::int32_t, const Artwork*> by_id;
    for (const Artwork& a : all)
        if (!by_id.emplace(a.id, &a).second)
            throw std::logic_error("bitmap " + std::to_string(a.id) + " is drawn twice");
    if (!partial) {
        std::string missing;
        for (std::int32_t id : implied_ids())
            if (!by_id.count(id)) missing += " " + std::to_string(id);
        if (!missing.empty()) throw std::logic_error("no artwork for bitmaps" + missing);
    }

    std::vector<const Artwork*> drawn;
    std::ostringstream rc, list;
    for (const auto& [id, a] : by_id) {
        if (id < from || id > to) continue;
        art::Canvas canvas(a->width, a->height);
        a->draw(canvas);
        const std::string path = bitmap_path(dir, id);
        art::write_bmp(canvas, path, a->bits_per_pixel);
        rc << id << " BITMAP \"" << path << "\"\n";
        list << "2 " << id << " " << path << "\n";
        drawn.push_back(a);
    }
    if (!partial) {
        std::ofstream(dir + "/bitmaps.rc") << rc.str();
        std::ofstream(dir + "/bitmaps.list") << list.str();
    }
    contact_sheet(drawn, dir, dir + (partial ? "/contact_sheet_part.png" : "/contact_sheet.png"));
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "artwork: %s\n", e.what());
    return 1;
}
