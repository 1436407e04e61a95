#pragma once

#include "platform/clock.h"

#include <windows.h>

namespace velk::win32 {

class Win32Clock : public Clock {
  public:
    LocalTime now() override {
        SYSTEMTIME time{};
        GetLocalTime(&time);
        return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
    }
};

} // namespace velk::win32
