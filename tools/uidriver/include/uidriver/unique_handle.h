#pragma once

#include "platform/win32/unique_handle.h"

namespace uidriver {

// Owns a kernel handle (process, thread, file) and closes it exactly once.
using UniqueHandle = velk::win32::UniqueKernelHandle;

} // namespace uidriver
