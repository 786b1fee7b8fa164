#include "win/widgets/SaveDialog.h"

#include <commdlg.h>

#include <algorithm>
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

}  // namespace sorvane
