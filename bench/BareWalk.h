#pragma once
// The baseline the scans are measured against: a bare find-first/find-next walk of a tree.
#include <windows.h>

#include <cstddef>
#include <cwchar>
#include <string>

#include "win/platform/WinHandles.h"

namespace bench {

struct TreeCount {
    std::size_t files = 0;
    std::size_t directories = 0;  // below the top, at any depth
};

// Counts every file and directory below `dir`, handing `onFile` each file's directory and find
// data. Junctions and links are not descended, as the scans never descend them.
template <typename OnFile>
void BareWalk(const std::wstring& dir, TreeCount& count, const OnFile& onFile) {
    WIN32_FIND_DATAW data;
    const sorvane::UniqueFind find(FindFirstFileW((dir + L"\\*").c_str(), &data));
    if (!find) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0 &&
                (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                ++count.directories;
                BareWalk(dir + L"\\" + data.cFileName, count, onFile);
            }
        } else {
            ++count.files;
            onFile(dir, static_cast<const WIN32_FIND_DATAW&>(data));
        }
    } while (FindNextFileW(find.Get(), &data));
}

inline void BareWalk(const std::wstring& dir, TreeCount& count) {
    BareWalk(dir, count, [](const std::wstring&, const WIN32_FIND_DATAW&) {});
}

}  // namespace bench
