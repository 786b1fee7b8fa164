#pragma once
// A clickable label drawn as a raised arrow. It is an owner-drawn push button, so it takes
// the keyboard focus, answers BM_CLICK and reports clicks as any button does.
#include <string>

#include "win/framework/Window.h"

namespace sorvane {

class ArrowLabel : public OwnerDrawn {
  public:
    ArrowLabel(HWND parent, const std::string& text, RECT bounds, int id);
    HWND Handle() const { return hwnd_; }
    void Draw(const DRAWITEMSTRUCT& item) override;

  private:
    HWND hwnd_;
};

}  // namespace sorvane
