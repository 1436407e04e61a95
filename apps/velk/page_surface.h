#pragma once

#include "gdi_handles.h"
#include "render/gdi/gdi_surface.h"
#include "render/surface.h"
#include "viewer/view_types.h"

#include <windows.h>

#include <cstdint>
#include <memory>

namespace velk::win32 {

// The off-screen page: a memory device context compatible with the screen holding one
// bitmap, drawn on through the GDI surface. Made once per window, never resized.
class PageSurface {
  public:
    // Nothing when the context or the bitmap cannot be made.
    static std::unique_ptr<PageSurface> Create(std::int32_t width, std::int32_t height);
    // Takes over a memory context and the bitmap it is to hold.
    PageSurface(UniqueMemoryDc dc, UniqueBitmap bitmap);
    // The surface's own objects go first, then the context gets its first bitmap back before
    // the page bitmap and the context are deleted.
    ~PageSurface();
    PageSurface(const PageSurface&) = delete;
    PageSurface& operator=(const PageSurface&) = delete;

    Surface& surface() { return *surface_; }

    // SRCCOPY of the visible part into `dc`, at (0, 0).
    void copyTo(HDC dc, const PageCopy& copy) const;

  private:
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ firstBitmap_;
    std::unique_ptr<GdiSurface> backend_;
    std::unique_ptr<Surface> surface_;
};

} // namespace velk::win32
