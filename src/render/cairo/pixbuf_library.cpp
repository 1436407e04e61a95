#include "render/cairo/pixbuf_library.h"

#include <dlfcn.h>

#include <optional>

namespace velk::cairo {

namespace {

// The library's run-time name, which stays the same for every 2.x release.
constexpr const char* kSoname = "libgdk_pixbuf-2.0.so.0";

template <typename Function> bool Resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

std::optional<PixbufLibrary> Load() {
    // Never closed: GLib keeps threads and types that outlive any caller. Bound lazily, since
    // a page calls a dozen of the thousands of functions these libraries hold.
    void* library = dlopen(kSoname, RTLD_LAZY | RTLD_LOCAL);
    if (library == nullptr) {
        return std::nullopt;
    }
    PixbufLibrary p;
    // dlsym looks through the library's own dependencies too, where GLib's functions are.
    const bool complete = Resolve(library, "gdk_pixbuf_get_file_info", p.getFileInfo) &&
                          Resolve(library, "gdk_pixbuf_format_get_name", p.formatGetName) &&
                          Resolve(library, "gdk_pixbuf_new_from_file", p.newFromFile) &&
                          Resolve(library, "gdk_pixbuf_get_bits_per_sample", p.getBitsPerSample) &&
                          Resolve(library, "gdk_pixbuf_get_n_channels", p.getNChannels) &&
                          Resolve(library, "gdk_pixbuf_get_width", p.getWidth) &&
                          Resolve(library, "gdk_pixbuf_get_height", p.getHeight) &&
                          Resolve(library, "gdk_pixbuf_get_rowstride", p.getRowstride) &&
                          Resolve(library, "gdk_pixbuf_read_pixels", p.readPixels) &&
                          Resolve(library, "g_free", p.free) &&
                          Resolve(library, "g_error_free", p.errorFree) &&
                          Resolve(library, "g_object_unref", p.objectUnref);
    if (!complete) {
        return std::nullopt;
    }
    return p;
}

} // namespace

const PixbufLibrary* Pixbuf() {
    static const std::optional<PixbufLibrary> library = Load();
    return library ? &*library : nullptr;
}

} // namespace velk::cairo
