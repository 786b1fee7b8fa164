#pragma once
// Conversions between the engine's UTF-8 text and the UTF-16 of the W APIs.
#include <string>

namespace sorvane {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);
// A NUL-terminated UTF-16 string; nullptr gives an empty text.
std::string Narrow(const wchar_t* utf16);
// A full path as the W APIs reach it at any length: one of MAX_PATH characters or more gets the
// extended-length prefix ("\\?\", or "\\?\UNC\" for a share); others stay as they are.
std::wstring Reachable(const std::wstring& path);

}  // namespace sorvane
