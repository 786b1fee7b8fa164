#pragma once
// A panel that fills its parent's client area with a plain colour and small screw heads in
// its corners. Controls placed on it report to the panel's parent as if placed there.
#include "win/widgets/HostPanel.h"

namespace sorvane {

class ScrewPanel : public HostPanel {
  public:
    struct Style {
        COLORREF color;
        bool border = false;  // a single line round the panel
        int margin = 2;       // distance of the screws from the edge
        int screwSize = 3;
    };
    ScrewPanel(HWND parent, Style style);
    ~ScrewPanel() override;

    // Makes the panel cover the parent's whole client area.
    void FillParent();

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc) const override;
    Style style_;
    HBRUSH brush_;
};

}  // namespace sorvane
