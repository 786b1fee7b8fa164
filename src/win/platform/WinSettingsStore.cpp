#include "win/platform/WinSettingsStore.h"

#include "win/platform/Utf.h"
#include "win/platform/WinApi.h"
#include "win/platform/WinHandles.h"

namespace sorvane {

namespace {

constexpr DWORD kInitialBuffer = 1024;

UniqueFile CreateNew(const std::wstring& path) {
    return UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Creates the file holding only the UTF-16LE byte-order mark when it does not exist yet, and
// its folder on the first write (the settings folder in the user's application data).
// False when it is missing and cannot be created.
bool EnsureUnicodeFile(const std::wstring& path) {
    UniqueFile file = CreateNew(path);
    if (!file && GetLastError() == ERROR_PATH_NOT_FOUND) {
        const auto slash = path.find_last_of(L'\\');
        if (slash != std::wstring::npos &&
            CreateDirectoryW(path.substr(0, slash).c_str(), nullptr)) {
            file = CreateNew(path);
        }
    }
    if (!file) return GetLastError() == ERROR_FILE_EXISTS;
    static constexpr unsigned char kBom[] = {0xFF, 0xFE};
    DWORD written = 0;
    if (WriteFile(file.Get(), kBom, sizeof kBom, &written, nullptr) && written == sizeof kBom) {
        return true;
    }
    // A file without its mark would be taken for ANSI: better none at all.
    file.Reset();
    DeleteFileW(path.c_str());
    return false;
}

// A file the user marked read-only is never written. Windows refuses such writes by itself,
// but Wine running as root writes straight through the attribute.
bool IsReadOnly(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Runs a GetPrivateProfileStringW query, growing the buffer until the answer fits.
// `slack` is how far short of the buffer size a cut-off answer ends: 1 for a value,
// 2 for a NUL-separated list.
std::wstring QueryProfile(const wchar_t* section, const wchar_t* key, const wchar_t* def,
                          const std::wstring& path, DWORD slack) {
    std::wstring buffer(kInitialBuffer, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            GetPrivateProfileStringW(section, key, def, buffer.data(), size, path.c_str());
        if (length + slack < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string WinSettingsStore::ReadString(const std::string& path, const std::string& section,
                                         const std::string& key, const std::string& def) {
    return Narrow(QueryProfile(Widen(section).c_str(), Widen(key).c_str(), Widen(def).c_str(),
                               Widen(path), 1));
}

void WinSettingsStore::WriteString(const std::string& path, const std::string& section,
                                   const std::string& key, const std::string& value) {
    const std::wstring widePath = Widen(path);
    if (IsReadOnly(widePath) || !EnsureUnicodeFile(widePath) ||
        !WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                    Widen(value).c_str(), widePath.c_str())) {
        throw SettingsWriteError(path);
    }
}

void WinSettingsStore::EraseSection(const std::string& path, const std::string& section) {
    const std::wstring widePath = Widen(path);
    // Nothing to erase, and no reason to bring an empty file into being.
    if (GetFileAttributesW(widePath.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    if (IsReadOnly(widePath) ||
        !WritePrivateProfileStringW(Widen(section).c_str(), nullptr, nullptr, widePath.c_str())) {
        throw SettingsWriteError(path);
    }
}

std::vector<std::string> WinSettingsStore::ReadKeys(const std::string& path,
                                                    const std::string& section) {
    const std::wstring list = QueryProfile(Widen(section).c_str(), nullptr, L"", Widen(path), 2);
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < list.size()) {
        std::size_t end = list.find(L'\0', start);
        if (end == std::wstring::npos) end = list.size();
        if (end > start) keys.push_back(Narrow(list.substr(start, end - start)));
        start = end + 1;
    }
    return keys;
}

}  // namespace sorvane
