#include "win/platform/WinRegistry.h"

#include "win/platform/Utf.h"
#include "win/platform/WinApi.h"
#include "win/platform/WinHandles.h"

namespace sorvane {

namespace {

UniqueRegKey OpenKey(const std::string& key, REGSAM access) {
    UniqueRegKey handle;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(key).c_str(), 0, access, handle.Put()) !=
        ERROR_SUCCESS) {
        handle.Release();  // a failed open leaves nothing to close
    }
    return handle;
}

}  // namespace

bool WinRegistry::KeyExists(const std::string& key) {
    return static_cast<bool>(OpenKey(key, KEY_READ));
}

std::optional<std::string> WinRegistry::ReadString(const std::string& key,
                                                   const std::string& name) {
    const UniqueRegKey handle = OpenKey(key, KEY_QUERY_VALUE);
    if (!handle) return std::nullopt;
    const std::wstring valueName = Widen(name);
    std::wstring buffer(64, L'\0');
    for (;;) {
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = RegQueryValueExW(handle.Get(), valueName.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
        // The stored data may or may not carry its terminator.
        buffer.resize(bytes / sizeof(wchar_t));
        while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
        return Narrow(buffer);
    }
}

bool WinRegistry::WriteString(const std::string& key, const std::string& name,
                              const std::string& value) {
    const UniqueRegKey handle = OpenKey(key, KEY_SET_VALUE);
    if (!handle) return false;
    const std::wstring data = Widen(value);
    const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(handle.Get(), Widen(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()), bytes) == ERROR_SUCCESS;
}

bool WinRegistry::DeleteValue(const std::string& key, const std::string& name) {
    const UniqueRegKey handle = OpenKey(key, KEY_SET_VALUE);
    if (!handle) return false;
    return RegDeleteValueW(handle.Get(), Widen(name).c_str()) == ERROR_SUCCESS;
}

}  // namespace sorvane
