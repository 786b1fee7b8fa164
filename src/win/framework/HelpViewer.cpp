#include "win/framework/HelpViewer.h"

#include "win/platform/SystemLibrary.h"
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
        library_ = LoadSystemLibrary(L"hhctrl.ocx");
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
