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

namespace {

// The platform's file dialog with what it points at kept alive while it is open: the filter,
// the title and room for the chosen names.
class FileDialog {
  public:
    FileDialog(HWND owner, const std::string& filter, const std::string& title, std::size_t room)
        : filter_(DialogFilter(filter)), title_(Widen(title)), names_(room, L'\0') {
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = owner;
        ofn.lpstrFilter = filter_.c_str();
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = names_.data();
        ofn.nMaxFile = static_cast<DWORD>(names_.size());
        ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
        // The program's current directory is left as it was.
        ofn.Flags = OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_HIDEREADONLY;
    }
    FileDialog(const FileDialog&) = delete;
    FileDialog& operator=(const FileDialog&) = delete;

    const wchar_t* Names() const { return names_.data(); }

    OPENFILENAMEW ofn{};

  private:
    std::wstring filter_;
    std::wstring title_;
    std::vector<wchar_t> names_;
};

}  // namespace

std::optional<SaveChoice> WinFileChooser::Save(const SaveRequest& request) {
    FileDialog dialog(owner_, request.filter, request.title, 32768);
    dialog.ofn.nFilterIndex = static_cast<DWORD>(request.filterIndex);
    dialog.ofn.Flags |= OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&dialog.ofn)) return std::nullopt;
    return SaveChoice{Narrow(dialog.Names()), static_cast<int>(dialog.ofn.nFilterIndex)};
}

std::vector<std::string> WinFileChooser::OpenFiles(const OpenRequest& request) {
    FileDialog dialog(owner_, request.filter, request.title, 65536);
    const std::wstring folder = Widen(request.folder);
    dialog.ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.ofn.Flags |= OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_NODEREFERENCELINKS;
    if (!GetOpenFileNameW(&dialog.ofn)) return {};
    // One file: its full path. Several: the folder, then each name, all NUL-separated.
    std::vector<std::string> parts;
    for (const wchar_t* at = dialog.Names(); *at != L'\0'; at += wcslen(at) + 1) {
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
