#include "FakeText.h"

#include <algorithm>

namespace sorvane::fake {

namespace {

char LowerChar(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char UpperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), LowerChar);
    return out;
}

std::string AsciiUpper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), UpperChar);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerChar(x) == LowerChar(y);
           });
}

bool HasWildcards(std::string_view mask) {
    return mask.find_first_of("*?") != mask.npos;
}

bool MatchesMask(std::string_view name, std::string_view mask) {
    if (mask == "*.*") return true;
    // Greedy walk that backs up to the last '*' on a mismatch: linear in practice and free
    // of the exponential blow-up of plain recursion.
    std::size_t n = 0;
    std::size_t m = 0;
    std::size_t starMask = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() &&
                   (mask[m] == '?' || LowerChar(mask[m]) == LowerChar(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

namespace {

bool IsDriveName(const std::string& name) {
    return name.size() == 2 && name[1] == ':' &&
           ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

}  // namespace

std::optional<std::vector<std::string>> SplitDrivePath(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    const auto flush = [&] {
        if (current == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (!current.empty() && current != ".") {
            parts.push_back(current);
        }
        current.clear();
    };
    for (const char c : path) {
        if (c == '\\' || c == '/') {
            flush();
        } else {
            current += c;
        }
    }
    flush();
    if (parts.empty() || !IsDriveName(parts.front())) return std::nullopt;
    parts.front() = AsciiUpper(parts.front());
    return parts;
}

std::string PathKey(const std::vector<std::string>& parts) {
    std::string key;
    for (const std::string& part : parts) {
        if (!key.empty()) key += '\\';
        key += AsciiUpper(part);
    }
    return key;
}

std::optional<std::string> PathKey(std::string_view path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return std::nullopt;
    return PathKey(*parts);
}

}  // namespace sorvane::fake
