#pragma once
// A child panel with a title strip along its top, by which the user drags it about within
// its parent. It hosts controls (children of Handle(), placed below TitleHeight()) whose
// notifications go on to the panel's parent. It starts hidden, as it opens when needed.
#include <string>

#include "win/widgets/HostPanel.h"

namespace sorvane {

class MovablePanel : public HostPanel {
  public:
    MovablePanel(HWND parent, const std::string& title, RECT bounds, int id = 0);

    int TitleHeight() const { return titleHeight_; }
    // Moves the panel to `left`, `top` of the parent's client area, kept inside it.
    void MoveTo(int left, int top);
    // Moved back whole inside the parent, which may have shrunk.
    void StayInside() { MoveTo(Position().x, Position().y); }
    POINT Position() const;

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc) const override;
    bool OnTitle(POINT client) const;

    int titleHeight_;
    bool dragging_ = false;
    POINT grip_{};  // where the strip was taken, in panel coordinates
};

}  // namespace sorvane
