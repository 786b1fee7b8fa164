#pragma once
// Case folding of the letters A to Z alone.
#include <string>

namespace sorvane {

// Letters A to Z made lower case, every other byte as it is: for names and keywords that are
// compared without regard to case, where the user's collation has no say.
inline char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
inline std::string LowerAscii(std::string text) {
    for (char& c : text) c = LowerAscii(c);
    return text;
}
inline std::string UpperAscii(std::string text) {
    for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

}  // namespace sorvane
