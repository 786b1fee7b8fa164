#pragma once
// A plain child window that hosts controls. Their notifications (and sliders' moves) go on to
// the panel's parent,
// so a window handles controls placed on a panel as if they were placed on the window.
#include "win/framework/Window.h"

namespace sorvane {

class HostPanel : public Window {
  public:
    void Show(bool visible);
    bool Visible() const;

  protected:
    HostPanel() = default;
    // Creates the panel; `className` names the panel's kind for automation.
    void CreatePanel(const wchar_t* className, HWND parent, RECT bounds, int id, DWORD style);
    // Panels that draw themselves override Paint; they then paint the whole client area, so
    // the background is not erased first.
    virtual bool PaintsItself() const { return false; }
    virtual void Paint(HDC /*dc*/) const {}
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace sorvane
