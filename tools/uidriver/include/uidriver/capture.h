#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace uidriver {

// A 24-bit picture: rows from the top, three bytes per pixel in blue, green, red order.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    COLORREF pixel(int x, int y) const;
};

// What another process's window shows, frame included. It is copied from the window's own
// device context: PrintWindow gives a black picture for another process's window.
std::optional<Image> CaptureWindow(HWND window);

// Writes the picture as an uncompressed 24-bit .bmp file.
bool SaveBmp(const Image& image, const std::string& path);

} // namespace uidriver
