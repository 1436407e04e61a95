#pragma once

// The USER and GDI handles velk.exe makes are owned by platform/win32/unique_handle.h; a
// paint is a scope of its own.

#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace velk::win32 {

// BeginPaint ... EndPaint.
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace velk::win32
