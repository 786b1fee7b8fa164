#pragma once
// A top-level window of the program: created once, hidden, at start-up, sized for the screen,
// and only hidden when the user closes it.
#include <memory>
#include <string>

#include "win/app/Application.h"
#include "core/app/ScreenScaling.h"
#include "win/widgets/Tooltip.h"
#include "win/widgets/Window.h"

namespace sorvane {

class Form : public Window {
  public:
    ~Form() override;

    // Makes the window visible and brings it to the front.
    void Show();
    void Hide();
    bool Visible() const;
    // What closing the window does: hides it.
    void Close();

    // Outer size of the window.
    Size OuterSize() const;
    void MoveTo(int left, int top);
    // Centres the window on the screen: integer halves of screen and window sizes.
    void CenterOnScreen();

  protected:
    Form(Application& app, const wchar_t* windowClass);

    // Creates the hidden window with its design outer size scaled to the screen.
    void CreateForm(const std::string& caption, DWORD style, DWORD exStyle, Size designOuter);
    // Design outer size for a design client size.
    static Size OuterForClient(int width, int height, DWORD style, DWORD exStyle);

    // The window's tooltips, made on first use and kept in step with the application.
    Tooltip& Tips();
    Application& App() { return app_; }

    // Called as the hidden window comes on screen; not when it is shown again while visible.
    virtual void OnShowing() {}
    virtual void OnClosing() {}
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Application& app_;
    const wchar_t* windowClass_;
    std::unique_ptr<Tooltip> tips_;
};

}  // namespace sorvane
