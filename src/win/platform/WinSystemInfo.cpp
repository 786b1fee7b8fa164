#include "win/platform/WinSystemInfo.h"

#include <shlobj.h>

#include "win/platform/Utf.h"
#include "win/platform/WinApi.h"
#include "win/platform/WinHandles.h"

namespace sorvane {

std::string WinSystemInfo::UserName() {
    std::wstring buffer(257, L'\0');  // the longest user name and its terminator
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        if (GetUserNameW(buffer.data(), &size)) {
            buffer.resize(size > 0 ? size - 1 : 0);  // size counts the terminator
            return Narrow(buffer);
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= buffer.size()) return {};
        buffer.resize(size);
    }
}

std::string WinSystemInfo::WindowsDirectory() {
    wchar_t buffer[MAX_PATH + 1];
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) return {};
    std::wstring path(buffer, length);
    if (!path.empty() && path.back() == L'\\') path.pop_back();
    return Narrow(path);
}

int WinSystemInfo::PlatformId() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = GetVersionExW(&info);
#pragma GCC diagnostic pop
    // A 64-bit program only ever runs on the NT family.
    if (!ok) return platform_id::kWindowsNt;
    return static_cast<int>(info.dwPlatformId);
}

std::string WinSystemInfo::ProgramPath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        // A full buffer means the path was cut short.
        if (length < buffer.size()) {
            buffer.resize(length);
            return Narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);
    }
}

namespace {

// A known folder without its trailing backslash; empty when the system names none.
std::string KnownFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path) folder = path;
    CoTaskMemFree(path);  // also when the call failed
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return Narrow(folder);
}

}  // namespace

std::string WinSystemInfo::AppDataDirectory() {
    return KnownFolder(FOLDERID_RoamingAppData);
}

std::vector<std::string> WinSystemInfo::SystemFolders() {
    std::vector<std::string> folders;
    for (const KNOWNFOLDERID& id :
         {FOLDERID_Windows, FOLDERID_ProgramFiles, FOLDERID_ProgramFilesX86, FOLDERID_Profile,
          FOLDERID_ProgramData, FOLDERID_RoamingAppData, FOLDERID_LocalAppData}) {
        if (std::string folder = KnownFolder(id); !folder.empty()) {
            folders.push_back(std::move(folder));
        }
    }
    return folders;
}

bool WinSystemInfo::SetProcessPrivilege(const std::string& name, bool enable) {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                          token.Put())) {
        return false;
    }
    TOKEN_PRIVILEGES wanted{};
    if (!LookupPrivilegeValueW(nullptr, Widen(name).c_str(), &wanted.Privileges[0].Luid)) {
        return false;
    }
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    TOKEN_PRIVILEGES previous{};
    DWORD previousSize = sizeof previous;
    return AdjustTokenPrivileges(token.Get(), FALSE, &wanted, sizeof previous, &previous,
                                 &previousSize) != FALSE;
}

bool WinSystemInfo::EndSession(unsigned flags) {
    return ExitWindowsEx(flags, 0) != FALSE;
}

}  // namespace sorvane
