#include "page_surface.h"

namespace velk::win32 {

std::unique_ptr<PageSurface> PageSurface::Create(std::int32_t width, std::int32_t height) {
    // The desktop's context is only the model for the memory context and its bitmap.
    const UniqueWindowDc screen = ClientDcOf(GetDesktopWindow());
    if (screen.get() == nullptr) {
        return nullptr;
    }
    UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!dc || !bitmap) {
        return nullptr;
    }
    return std::make_unique<PageSurface>(std::move(dc), std::move(bitmap));
}

PageSurface::PageSurface(UniqueMemoryDc dc, UniqueBitmap bitmap)
    : dc_(std::move(dc)), bitmap_(std::move(bitmap)),
      firstBitmap_(SelectObject(dc_.get(), bitmap_.get())),
      backend_(std::make_unique<GdiSurface>(dc_.get())),
      surface_(std::make_unique<Surface>(*backend_)) {}

PageSurface::~PageSurface() {
    surface_.reset();
    backend_.reset();
    SelectObject(dc_.get(), firstBitmap_);
    bitmap_.reset();
    dc_.reset();
}

void PageSurface::copyTo(HDC dc, const PageCopy& copy) const {
    if (dc == nullptr) {
        return;
    }
    if (copy.stretch) {
        StretchBlt(dc, 0, 0, copy.destWidth, copy.destHeight, dc_.get(), copy.sourceX, copy.sourceY,
                   copy.sourceWidth, copy.sourceHeight, SRCCOPY);
    } else {
        BitBlt(dc, 0, 0, copy.destWidth, copy.destHeight, dc_.get(), copy.sourceX, copy.sourceY,
               SRCCOPY);
    }
}

} // namespace velk::win32
