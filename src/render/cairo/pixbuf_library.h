#pragma once

// gdk-pixbuf, which decodes RLE and bit-field .bmp files, brings GLib, GIO and a dozen more
// libraries with it: linked at start-up they add a third to the time velk-render takes for a
// page. They are loaded instead the first time a page draws such a file.

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace velk::cairo {

struct PixbufLibrary {
    decltype(&gdk_pixbuf_get_file_info) getFileInfo = nullptr;
    decltype(&gdk_pixbuf_format_get_name) formatGetName = nullptr;
    decltype(&gdk_pixbuf_new_from_file) newFromFile = nullptr;
    decltype(&gdk_pixbuf_get_bits_per_sample) getBitsPerSample = nullptr;
    decltype(&gdk_pixbuf_get_n_channels) getNChannels = nullptr;
    decltype(&gdk_pixbuf_get_width) getWidth = nullptr;
    decltype(&gdk_pixbuf_get_height) getHeight = nullptr;
    decltype(&gdk_pixbuf_get_rowstride) getRowstride = nullptr;
    decltype(&gdk_pixbuf_read_pixels) readPixels = nullptr;
    decltype(&g_free) free = nullptr;
    decltype(&g_error_free) errorFree = nullptr;
    decltype(&g_object_unref) objectUnref = nullptr;
};

// The library's functions, loaded on the first call and kept for the life of the process;
// null when it cannot be loaded or lacks one of them.
const PixbufLibrary* Pixbuf();

} // namespace velk::cairo
