// pixel-compare A.png B.png [--tolerance N] [--diff OUT.png]
//
// How much two renderings of one page differ: a pixel differs only when no pixel within one
// pixel of the same place in the other image has a colour within the tolerance (the largest
// difference of one colour channel, default 32 of 255), looked at from both images. So a
// glyph edge smoothed a little differently or an edge one pixel over does not count; a missing
// line, another font or a misplaced text does.
//
// Prints "P% beyond tolerance, Q% at all (N and M of T pixels)": the share that differs as
// above, and the share whose colour is not exactly the other image's at the same place.
// --diff writes the second image faded, differing pixels
// in red. Exit codes: 0 compared, 1 wrong command line, 2 a file unreadable or the sizes differ.

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB
};

struct SurfaceRelease {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using SurfaceHandle = std::unique_ptr<cairo_surface_t, SurfaceRelease>;

bool Load(const char* path, Picture& picture) {
    const SurfaceHandle png(cairo_image_surface_create_from_png(path));
    if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    picture.width = cairo_image_surface_get_width(png.get());
    picture.height = cairo_image_surface_get_height(png.get());
    const int stride = cairo_image_surface_get_stride(png.get());
    const unsigned char* data = cairo_image_surface_get_data(png.get());
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::ptrdiff_t{y} * stride);
        std::copy_n(row, picture.width, picture.pixels.begin() + std::ptrdiff_t{y} * picture.width);
    }
    for (auto& pixel : picture.pixels) {
        pixel &= 0xFFFFFF;
    }
    return true;
}

bool Close(std::uint32_t a, std::uint32_t b, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance) {
            return false;
        }
    }
    return true;
}

// Whether `colour` appears within one pixel of (x, y) in `other`.
bool Matched(const Picture& other, int x, int y, std::uint32_t colour, int tolerance) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx >= 0 && ny >= 0 && nx < other.width && ny < other.height &&
                Close(colour, other.pixels[static_cast<std::size_t>(ny) * other.width + nx],
                      tolerance)) {
                return true;
            }
        }
    }
    return false;
}

void WriteDiff(const char* path, const Picture& picture, const std::vector<bool>& differs) {
    const SurfaceHandle out(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, picture.width, picture.height));
    auto* data = cairo_image_surface_get_data(out.get());
    const int stride = cairo_image_surface_get_stride(out.get());
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + std::ptrdiff_t{y} * stride);
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
            const std::uint32_t p = picture.pixels[i];
            // Faded to a quarter of its contrast, so that the red stands out.
            const auto fade = [p](int shift) {
                return (0xC0 + (((p >> shift) & 0xFF) >> 2)) << shift;
            };
            row[x] = differs[i] ? 0xFF0000 : (fade(16) | fade(8) | fade(0));
        }
    }
    cairo_surface_mark_dirty(out.get());
    cairo_surface_write_to_png(out.get(), path);
}

} // namespace

int main(int argc, char** argv) {
    int tolerance = 32;
    const char* diffPath = nullptr;
    std::vector<const char*> files;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--tolerance" && i + 1 < argc) {
            tolerance = std::atoi(argv[++i]);
        } else if (argument == "--diff" && i + 1 < argc) {
            diffPath = argv[++i];
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.size() != 2 || tolerance < 0 || tolerance > 255) {
        std::fprintf(stderr, "usage: pixel-compare A.png B.png [--tolerance N] [--diff OUT.png]\n");
        return 1;
    }
    Picture a;
    Picture b;
    if (!Load(files[0], a) || !Load(files[1], b)) {
        std::fprintf(stderr, "pixel-compare: cannot read %s or %s\n", files[0], files[1]);
        return 2;
    }
    if (a.width != b.width || a.height != b.height) {
        std::printf("sizes differ: %dx%d and %dx%d\n", a.width, a.height, b.width, b.height);
        return 2;
    }
    std::vector<bool> differs(a.pixels.size(), false);
    std::size_t count = 0;
    std::size_t exact = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * a.width + x;
            exact += a.pixels[i] != b.pixels[i] ? 1 : 0;
            if (!Matched(b, x, y, a.pixels[i], tolerance) ||
                !Matched(a, x, y, b.pixels[i], tolerance)) {
                differs[i] = true;
                ++count;
            }
        }
    }
    const auto share = [&a](std::size_t n) {
        return a.pixels.empty() ? 0.0 : 100.0 * static_cast<double>(n) / a.pixels.size();
    };
    std::printf("%.3f%% beyond tolerance, %.3f%% at all (%zu and %zu of %zu pixels)\n",
                share(count), share(exact), count, exact, a.pixels.size());
    if (diffPath != nullptr) {
        WriteDiff(diffPath, b, differs);
    }
    return 0;
}
