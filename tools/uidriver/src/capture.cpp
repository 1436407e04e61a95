#include "uidriver/capture.h"

#include "gdi_objects.h"

#include <cstring>
#include <fstream>

namespace uidriver {
namespace {

constexpr int kBytesPerPixel = 3;

// .bmp rows are padded to a multiple of four bytes.
int PaddedRowSize(int width) {
    return (width * kBytesPerPixel + 3) / 4 * 4;
}

BITMAPINFOHEADER InfoHeader(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = PaddedRowSize(width) * (height < 0 ? -height : height);
    return header;
}

bool CopyToBitmap(HDC source, int width, int height, HDC memory, HBITMAP bitmap) {
    Selection selected(memory, bitmap);
    return selected.ok() && BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
}

// A window that has just appeared may not have painted all its controls yet: have it paint
// everything now. Its thread answers the message sent after that before it paints (sent
// messages come first), so the caller still waits for the picture to stop changing.
void PaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

// One copy of what the window shows now.
std::optional<Image> CaptureOnce(HWND window) {
    RECT bounds{};
    if (window == nullptr || !GetWindowRect(window, &bounds)) {
        return std::nullopt;
    }
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }

    const auto source = WindowDcOf(window);
    if (source.get() == nullptr) {
        return std::nullopt;
    }
    const UniqueMemoryDc memory(CreateCompatibleDC(source.get()));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(source.get(), width, height));
    if (memory.get() == nullptr || bitmap.get() == nullptr ||
        !CopyToBitmap(source.get(), width, height, memory.get(), bitmap.get())) {
        return std::nullopt;
    }

    // Negative height: rows come top first. GetDIBits wants the bitmap selected out.
    BITMAPINFO info{};
    info.bmiHeader = InfoHeader(width, -height);
    const int rowSize = PaddedRowSize(width);
    std::vector<std::uint8_t> padded(static_cast<std::size_t>(rowSize) * height);
    if (GetDIBits(memory.get(), bitmap.get(), 0, height, padded.data(), &info, DIB_RGB_COLORS) !=
        height) {
        return std::nullopt;
    }

    Image image{width, height, {}};
    image.pixels.resize(static_cast<std::size_t>(width) * height * kBytesPerPixel);
    for (int y = 0; y < height; ++y) {
        std::memcpy(&image.pixels[static_cast<std::size_t>(y) * width * kBytesPerPixel],
                    &padded[static_cast<std::size_t>(y) * rowSize], width * kBytesPerPixel);
    }
    return image;
}

} // namespace

COLORREF Image::pixel(int x, int y) const {
    const std::size_t at = (static_cast<std::size_t>(y) * width + x) * kBytesPerPixel;
    return RGB(pixels[at + 2], pixels[at + 1], pixels[at]);
}

std::optional<Image> CaptureWindow(HWND window) {
    constexpr int kMostAttempts = 40;
    constexpr DWORD kSettleMs = 50;
    if (window != nullptr) {
        PaintNow(window);
    }
    std::optional<Image> picture = CaptureOnce(window);
    for (int attempt = 0; picture && attempt < kMostAttempts; ++attempt) {
        Sleep(kSettleMs);
        std::optional<Image> next = CaptureOnce(window);
        if (!next || (next->width == picture->width && next->height == picture->height &&
                      next->pixels == picture->pixels)) {
            return next ? next : picture;
        }
        picture = std::move(next);
    }
    return picture;
}

bool SaveBmp(const Image& image, const std::string& path) {
    const int rowSize = PaddedRowSize(image.width);
    const BITMAPINFOHEADER info = InfoHeader(image.width, image.height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    // Positive height: the file holds the bottom row first.
    const std::vector<char> padding(rowSize - image.width * kBytesPerPixel, '\0');
    for (int y = image.height - 1; y >= 0; --y) {
        out.write(reinterpret_cast<const char*>(
                      &image.pixels[static_cast<std::size_t>(y) * image.width * kBytesPerPixel]),
                  image.width * kBytesPerPixel);
        out.write(padding.data(), static_cast<std::streamsize>(padding.size()));
    }
    return static_cast<bool>(out);
}

} // namespace uidriver
