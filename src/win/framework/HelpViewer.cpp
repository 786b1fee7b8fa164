#include "win/framework/HelpViewer.h"

#include "win/platform/Utf.h"

namespace sorvane {

namespace {

// The HTML Help commands the program uses.
constexpr UINT kDisplayToc = 0x0001;
constexpr UINT kHelpContext = 0x000F;
constexpr UINT kCloseAll = 0x0012;

}  // namespace

HtmlHelpViewer::~HtmlHelpViewer() {
    // Help windows belong to this process; they close before the viewer's library goes.
    if (htmlHelp_) htmlHelp_(nullptr, nullptr, kCloseAll, 0);
}

HWND HtmlHelpViewer::Call(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data) {
    if (!tried_) {
        tried_ = true;
        // From the system folder by its full path: a file of that name beside the program (a
        // copy unpacked into Downloads) must never be loaded. Its own libraries come from there
        // too.
        wchar_t folder[MAX_PATH];
        const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
        if (length > 0 && length < MAX_PATH) {
            const std::wstring path = std::wstring(folder, length) + L"\\hhctrl.ocx";
            library_.Reset(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
        }
        if (library_) {
            htmlHelp_ = reinterpret_cast<HtmlHelpFn>(
                reinterpret_cast<void*>(GetProcAddress(library_.Get(), "HtmlHelpW")));
        }
    }
    return htmlHelp_ ? htmlHelp_(caller, file, command, data) : nullptr;
}

bool HtmlHelpViewer::ShowContents(HWND caller, const std::string& file) {
    return Call(caller, Widen(file).c_str(), kDisplayToc, 0) != nullptr;
}

bool HtmlHelpViewer::ShowTopic(HWND caller, const std::string& file, DWORD context) {
    return Call(caller, Widen(file).c_str(), kHelpContext, context) != nullptr;
}

}  // namespace sorvane
