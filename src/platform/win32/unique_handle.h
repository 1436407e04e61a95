#pragma once

// The one owner of Win32 handles, for velk.exe and the tools alike: each handle is given back
// to the system exactly once, by the object that holds it. Header only.

#include <windows.h>

#include <utility>

namespace velk::win32 {

// `Deleter` gives a handle back: `deleter(handle)`. It may carry state (the window a device
// context belongs to), and it may define `static bool holds(Handle)` where some value other
// than null also means "no handle" (INVALID_HANDLE_VALUE).
template <typename Handle, typename Deleter> class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle, Deleter deleter = Deleter{})
        : handle_(handle), deleter_(std::move(deleter)) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(other.release()), deleter_(std::move(other.deleter_)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
            deleter_ = std::move(other.deleter_);
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return Holds(handle_); }
    // Hands the handle to someone else who will release it (a window destroys its menu).
    Handle release() { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) {
        if (Holds(handle_)) {
            deleter_(handle_);
        }
        handle_ = handle;
    }

  private:
    static bool Holds(Handle handle) {
        if constexpr (requires { Deleter::holds(handle); }) {
            return Deleter::holds(handle);
        } else {
            return handle != Handle{};
        }
    }

    Handle handle_{};
    Deleter deleter_{};
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDc {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
// A device context from GetDC or GetWindowDC goes back to its window.
struct ReleaseWindowDc {
    HWND window = nullptr;
    void operator()(HDC dc) const { ReleaseDC(window, dc); }
};
struct DestroyCursorHandle {
    void operator()(HCURSOR cursor) const { DestroyCursor(cursor); }
};
struct DestroyMenuHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct DestroyWindowHandle {
    void operator()(HWND window) const { DestroyWindow(window); }
};
struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
    static bool holds(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
};
struct CloseFindHandle {
    void operator()(HANDLE handle) const { FindClose(handle); }
    static bool holds(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
};
struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct FreeModule {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct UnhookHook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};
struct UnmapFileView {
    void operator()(void* view) const { UnmapViewOfFile(view); }
};

using UniqueFont = UniqueHandle<HFONT, DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;
using UniqueWindowDc = UniqueHandle<HDC, ReleaseWindowDc>;
using UniqueCursor = UniqueHandle<HCURSOR, DestroyCursorHandle>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindowHandle>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;
using UniqueFindHandle = UniqueHandle<HANDLE, CloseFindHandle>;
using UniqueRegistryKey = UniqueHandle<HKEY, CloseRegistryKey>;
using UniqueModule = UniqueHandle<HMODULE, FreeModule>;
using UniqueHook = UniqueHandle<HHOOK, UnhookHook>;
using UniqueFileView = UniqueHandle<void*, UnmapFileView>;

// The client area's device context (GetDC) or the whole window's with its frame
// (GetWindowDC), released to the window.
inline UniqueWindowDc ClientDcOf(HWND window) {
    return UniqueWindowDc(GetDC(window), ReleaseWindowDc{window});
}
inline UniqueWindowDc WindowDcOf(HWND window) {
    return UniqueWindowDc(GetWindowDC(window), ReleaseWindowDc{window});
}

} // namespace velk::win32
