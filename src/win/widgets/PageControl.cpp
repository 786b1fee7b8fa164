#include "win/widgets/PageControl.h"

#include <commctrl.h>

#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

class PageControl::PagePanel final : public HostPanel {
  public:
    PagePanel(HWND parent, RECT bounds) { CreatePanel(L"SorvanePage", parent, bounds, 0, 0); }
};

PageControl::PageControl(HWND parent, RECT bounds, int id)
    : tabs_(MakeControl(parent, WC_TABCONTROLW, "", WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS,
                        bounds, id)),
      route_(tabs_.Get(), [this](const ControlEvent& event) {
          if (event.code == static_cast<UINT>(TCN_SELCHANGE)) ShowActive();
      }) {}

PageControl::~PageControl() = default;

HWND PageControl::AddPage(const std::string& caption) {
    std::wstring text = Widen(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    const int index = static_cast<int>(pages_.size());
    TabCtrl_InsertItem(Handle(), index, &item);
    pages_.push_back(std::make_unique<PagePanel>(GetParent(Handle()), DisplayArea()));
    // Above the tab control, so the page and not the tabs' background shows.
    SetWindowPos(pages_.back()->Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowActive();
    return pages_.back()->Handle();
}

HWND PageControl::Page(int index) const {
    return pages_.at(static_cast<std::size_t>(index))->Handle();
}

int PageControl::ActivePage() const {
    return TabCtrl_GetCurSel(Handle());
}

void PageControl::SetActivePage(int index) {
    TabCtrl_SetCurSel(Handle(), index);
    ShowActive();
}

RECT PageControl::DisplayArea() const {
    RECT r{};
    GetClientRect(Handle(), &r);
    TabCtrl_AdjustRect(Handle(), FALSE, &r);
    MapWindowPoints(Handle(), GetParent(Handle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE PageControl::PageSize() const {
    const RECT r = DisplayArea();
    return {r.right - r.left, r.bottom - r.top};
}

void PageControl::MoveTo(RECT bounds) {
    MoveWindow(Handle(), bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
    const RECT area = DisplayArea();
    for (const auto& page : pages_) {
        MoveWindow(page->Handle(), area.left, area.top, area.right - area.left,
                   area.bottom - area.top, TRUE);
    }
}

void PageControl::ShowActive() {
    const int active = ActivePage();
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->Show(static_cast<int>(i) == active);
    }
}

}  // namespace sorvane
