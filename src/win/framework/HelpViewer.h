#pragma once
// Where the windows open the help file: the platform's HTML Help, loaded from the system folder
// on first use so that a system without it still runs (the Help command then says the help file
// is missing).
#include <windows.h>

#include <string>

#include "win/platform/WinHandles.h"

namespace sorvane {

class IHelpViewer {
  public:
    virtual ~IHelpViewer() = default;
    // The contents of the help file; false when no viewer could show it.
    virtual bool ShowContents(HWND caller, const std::string& file) = 0;
    // The page of a context number.
    virtual bool ShowTopic(HWND caller, const std::string& file, DWORD context) = 0;
};

class HtmlHelpViewer final : public IHelpViewer {
  public:
    HtmlHelpViewer() = default;
    ~HtmlHelpViewer() override;
    HtmlHelpViewer(const HtmlHelpViewer&) = delete;
    HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;

    bool ShowContents(HWND caller, const std::string& file) override;
    bool ShowTopic(HWND caller, const std::string& file, DWORD context) override;

  private:
    using HtmlHelpFn = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);
    HWND Call(HWND caller, const wchar_t* file, UINT command, DWORD_PTR data);

    UniqueModule library_;
    HtmlHelpFn htmlHelp_ = nullptr;
    bool tried_ = false;
};

}  // namespace sorvane
