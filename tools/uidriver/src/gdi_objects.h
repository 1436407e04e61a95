#pragma once

#include "platform/win32/unique_handle.h"

#include <windows.h>

namespace uidriver {

using velk::win32::UniqueBitmap;
using velk::win32::UniqueMemoryDc;
using velk::win32::WindowDcOf;

// Selects an object into a device context and puts the previous one back with the object.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selection() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    bool ok() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace uidriver
