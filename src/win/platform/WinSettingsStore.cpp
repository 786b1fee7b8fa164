#include "win/platform/WinSettingsStore.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "core/settings/IniText.h"
#include "win/platform/Utf.h"
#include "win/platform/WholeFile.h"
#include "win/platform/WinApi.h"
#include "win/platform/WinHandles.h"

namespace sorvane {

namespace {

constexpr DWORD kInitialBuffer = 1024;

enum class Encoding { kUtf16, kUtf8, kAnsi };

constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The file's text in UTF-8, and how it is stored.
struct StoredText {
    bool exists = false;
    Encoding encoding = Encoding::kUtf16;
    std::string text;
};

std::wstring FromAnsi(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string ToAnsi(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    std::string bytes(
        WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, bytes.data(), static_cast<int>(bytes.size()),
                        nullptr, nullptr);
    return bytes;
}

// The file as the profile service reads it: UTF-16LE after its mark, UTF-8 after its mark,
// otherwise text in the ANSI code page. A missing file (or folder) is an empty new one.
std::optional<StoredText> ReadStored(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return StoredText{};
        return std::nullopt;
    }
    std::string bytes;
    char chunk[16384];
    for (DWORD got = 0;; bytes.append(chunk, got)) {
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
    }
    StoredText stored{true, Encoding::kAnsi, {}};
    const std::string_view view(bytes);
    if (view.starts_with(kUtf16Mark)) {
        stored.encoding = Encoding::kUtf16;
        std::wstring wide((bytes.size() - kUtf16Mark.size()) / 2, L'\0');
        std::memcpy(wide.data(), bytes.data() + kUtf16Mark.size(), wide.size() * 2);
        stored.text = Narrow(wide);
    } else if (view.starts_with(kUtf8Mark)) {
        stored.encoding = Encoding::kUtf8;
        stored.text = bytes.substr(kUtf8Mark.size());
    } else {
        stored.text = Narrow(FromAnsi(view));
    }
    return stored;
}

std::string Encode(const std::string& text, Encoding encoding) {
    switch (encoding) {
        case Encoding::kUtf16: {
            const std::wstring wide = Widen(text);
            std::string bytes(kUtf16Mark);
            bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
            return bytes;
        }
        case Encoding::kUtf8:
            return std::string(kUtf8Mark) + text;
        case Encoding::kAnsi:
            break;
    }
    return ToAnsi(Widen(text));
}

bool SameName(std::string_view a, std::string_view b) {
    const std::wstring wa = Widen(std::string(a));
    const std::wstring wb = Widen(std::string(b));
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
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

void WinSettingsStore::Apply(const std::string& path, const std::vector<SettingsEdit>& edits) {
    const std::wstring widePath = Widen(path);
    if (IsReadOnly(widePath)) throw SettingsWriteError(path);
    const std::optional<StoredText> stored = ReadStored(widePath);
    if (!stored) throw SettingsWriteError(path);
    const std::string text = ApplySettingsEdits(stored->text, edits, SameName);
    // Nothing changes (an erasure from a missing file, a value written again): the file, or
    // its absence, stays as it is.
    if (text == stored->text) return;

    // The new text is complete on the disk before it takes the file's place; until then the
    // old file is untouched.
    if (!ReplaceWhole(widePath, Encode(text, stored->encoding))) throw SettingsWriteError(path);
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
