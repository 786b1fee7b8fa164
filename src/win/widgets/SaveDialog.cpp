#include "win/widgets/SaveDialog.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "win/platform/Utf.h"

namespace sorvane {

std::wstring DialogFilter(const std::string& filter) {
    std::wstring wide = Widen(filter);
    std::replace(wide.begin(), wide.end(), L'|', L'\0');
    // Closing NUL of the last pattern and the empty entry that ends the list.
    wide.push_back(L'\0');
    wide.push_back(L'\0');
    return wide;
}

std::optional<SaveChoice> WinFileChooser::Save(const SaveRequest& request) {
    const std::wstring filter = DialogFilter(request.filter);
    const std::wstring title = Widen(request.title);
    std::vector<wchar_t> name(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags =
        OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&ofn)) return std::nullopt;
    return SaveChoice{Narrow(name.data()), static_cast<int>(ofn.nFilterIndex)};
}

std::vector<std::string> WinFileChooser::OpenFiles(const OpenRequest& request) {
    const std::wstring filter = DialogFilter(request.filter);
    const std::wstring title = Widen(request.title);
    const std::wstring folder = Widen(request.folder);
    std::vector<wchar_t> names(65536, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = names.data();
    ofn.nMaxFile = static_cast<DWORD>(names.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS |
                OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return {};
    // One file: its full path. Several: the folder, then each name, all NUL-separated.
    std::vector<std::string> parts;
    for (const wchar_t* at = names.data(); *at != L'\0'; at += wcslen(at) + 1) {
        parts.push_back(Narrow(at));
    }
    if (parts.size() <= 1) return parts;
    std::string folderPath = parts.front();
    if (folderPath.back() != '\\') folderPath += '\\';
    std::vector<std::string> files;
    for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(folderPath + parts[i]);
    return files;
}

}  // namespace sorvane
