#pragma once

#include <string>

namespace uidriver {

// The name a Windows program under Wine uses for a Linux path: drive Z: is the Linux root.
// A path that already has a drive letter is returned unchanged.
std::string WindowsPath(const std::string& linuxPath);

} // namespace uidriver
