#pragma once
// Paths given to a benchmark on the Linux command line, as Windows paths under Wine.
#include <string>

namespace bench {

// A Linux path reaches us as it is; Z: is the Linux root under Wine.
inline std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

}  // namespace bench
