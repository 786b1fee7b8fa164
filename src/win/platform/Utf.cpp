#include "win/platform/Utf.h"

#include <climits>
#include <cwchar>
#include <stdexcept>

#include "win/platform/WinApi.h"

namespace sorvane {

namespace {

int CheckedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long");
    return static_cast<int>(size);
}

std::string NarrowN(const wchar_t* text, std::size_t size) {
    if (size == 0) return {};
    const int length = CheckedLength(size);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), bytes, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    // Invalid sequences become U+FFFD rather than failing the whole text.
    const int length = CheckedLength(utf8.size());
    const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(chars), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), chars);
    return out;
}

std::string Narrow(const std::wstring& utf16) {
    return NarrowN(utf16.data(), utf16.size());
}

std::string Narrow(const wchar_t* utf16) {
    if (utf16 == nullptr) return {};
    return NarrowN(utf16, std::wcslen(utf16));
}

std::wstring Reachable(const std::wstring& path) {
    constexpr std::size_t kMaxPath = 260;
    if (path.size() < kMaxPath || path.starts_with(L"\\\\?\\")) return path;
    if (path.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + path.substr(2);
    return L"\\\\?\\" + path;
}

}  // namespace sorvane
