#pragma once
// Pages behind tabs: the platform's tab control with one panel per page. The panels are the
// tab control's siblings laid over its display area, so the controls placed on a page report
// to the window that owns the page control, as if placed there.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "win/platform/WinHandles.h"
#include "win/framework/Window.h"
#include "win/widgets/HostPanel.h"

namespace sorvane {

class PageControl {
  public:
    PageControl(HWND parent, RECT bounds, int id);
    ~PageControl();
    PageControl(const PageControl&) = delete;
    PageControl& operator=(const PageControl&) = delete;

    HWND Handle() const { return tabs_.Get(); }

    // Adds a page behind a tab of this caption; controls go on the returned panel.
    HWND AddPage(const std::string& caption);
    HWND Page(int index) const;
    int ActivePage() const;
    // Brings a page to the front, as clicking its tab does.
    void SetActivePage(int index);

    // Makes the tabs cover `bounds` of the parent, with the pages on their display area.
    void MoveTo(RECT bounds);
    // The pages' size.
    SIZE PageSize() const;

  private:
    class PagePanel;
    RECT DisplayArea() const;
    void ShowActive();

    UniqueWindow tabs_;
    std::vector<std::unique_ptr<PagePanel>> pages_;
    ControlRoute route_;
};

}  // namespace sorvane
