#pragma once
// A drop-down list of colours, each shown as a swatch beside its name. It is a standard
// owner-drawn combo box, so the keyboard, automation and CBN_SELCHANGE work as usual.
// Colours are COLORREFs: blue * 65536 + green * 256 + red.
#include <windows.h>

#include <string>

#include "win/framework/Window.h"

namespace sorvane {

class ColorBox : public OwnerDrawn {
  public:
    ColorBox(HWND parent, RECT bounds, int id, COLORREF initial);

    HWND Handle() const { return hwnd_; }
    // The chosen colour; a system colour counts as the colour it stands for now.
    COLORREF Color() const;
    // Selects the colour; one that is not in the list is added as "Custom".
    void SetColor(COLORREF color);
    // The name shown for the chosen colour.
    std::string ColorName() const;

    void Draw(const DRAWITEMSTRUCT& item) override;

  private:
    COLORREF ColorAt(int index) const;
    HWND hwnd_;
};

}  // namespace sorvane
