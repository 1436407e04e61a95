#pragma once

#include "platform/file_system.h"

#include <string>
#include <string_view>

namespace velk {

// 1 when a directory search for `path` finds an ordinary file first.
bool FileExists(FileSystem& files, const std::string& path);

// A name that addresses a server or a device rather than a drive: two separators in any mix of "\\"
// and "/" ("\\server\share", "\\?\UNC\...", "\\.\device"), or the system's own "\??\" prefix,
// which reaches the same servers and devices.
bool IsNetworkOrDeviceName(std::string_view name);

// The running executable's full path, trimmed.
std::string OwnExecutablePath(FileSystem& files);

// A free name in the temporary directory: prefix, a number with leading zeros to 8 − length of
// prefix digits, extension. Empty when all 9,999 names are taken.
std::string MakeTempFileName(FileSystem& files, std::string_view prefix,
                             std::string_view extension);

// The same names in the same order, each taken by creating the file exclusively, so that a
// name another process takes first is passed over instead of shared. Returns the name of the
// new, empty file; empty when no name could be taken.
std::string CreateTempFile(FileSystem& files, std::string_view prefix, std::string_view extension);

} // namespace velk
