#include "win/platform/WholeFile.h"

#include <algorithm>

#include "win/platform/WinApi.h"
#include "win/platform/WinHandles.h"

namespace sorvane {

namespace {

UniqueFile CreateAlways(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Writes `bytes` to `path` and makes sure they are on the disk, creating the folder when it
// is missing (the settings folder in the user's application data, on the first write).
bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    UniqueFile file = CreateAlways(path);
    if (!file && GetLastError() == ERROR_PATH_NOT_FOUND) {
        const auto slash = path.find_last_of(L'\\');
        if (slash != std::wstring::npos &&
            CreateDirectoryW(path.substr(0, slash).c_str(), nullptr)) {
            file = CreateAlways(path);
        }
    }
    if (!file) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD part = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file.Get(), bytes.data() + done, part, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file.Get()) != FALSE;
}

}  // namespace

bool ReplaceWhole(const std::wstring& path, const std::string& bytes) {
    const std::wstring fresh = path + L".new";
    const bool exists = GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    // ReplaceFileW keeps what the old file carried (its security, its attributes).
    const bool replaced =
        WriteWhole(fresh, bytes) &&
        (exists ? ReplaceFileW(path.c_str(), fresh.c_str(), nullptr, 0, nullptr, nullptr)
                : MoveFileExW(fresh.c_str(), path.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    if (!replaced) {
        const DWORD error = GetLastError();
        DeleteFileW(fresh.c_str());
        SetLastError(error);
    }
    return replaced;
}

}  // namespace sorvane
