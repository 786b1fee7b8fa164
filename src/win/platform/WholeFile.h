#pragma once
// Files given new contents whole, never left half written: the settings file and the
// trimmed cleaning history.
#include <string>

namespace sorvane {

// Gives the file at `path` the contents `bytes`: they are written beside it and on the disk
// before they take its place, so until then the old file (or its absence) is untouched. The
// folder is created when missing. False, with the platform's last error set, on failure.
bool ReplaceWhole(const std::wstring& path, const std::string& bytes);

}  // namespace sorvane
