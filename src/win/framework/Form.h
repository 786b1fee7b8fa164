#pragma once
// A top-level window of the program: created once, hidden, at start-up, sized for the screen,
// and only hidden when the user closes it. Its questions hold it (Prompts), its commands are
// and every other route of its controls' events are declared in one table (On), and F1 opens
// the help file at the focused control.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app/ScreenScaling.h"
#include "core/platform/Platform.h"
#include "win/framework/AppContext.h"
#include "win/framework/Routes.h"
#include "win/framework/Window.h"
#include "win/utils/Tooltip.h"

namespace sorvane {

// The help file's context number (core/app/HelpTopics.h) for the control of that number.
struct HelpTopic {
    int control;
    DWORD topic;
};

// One topic for the controls numbered `first` to `last`.
struct HelpTopicRange {
    int first;
    int last;
    DWORD topic;
};
std::vector<HelpTopic> TopicsForRanges(std::initializer_list<HelpTopicRange> ranges);

class Form : public Window {
  public:
    ~Form() override;

    // Makes the window visible and brings it to the front; a window already on screen is
    // only brought forward, so its work in progress goes on.
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

    // The platform as this window uses it: its questions and messages hold this window.
    Platform& Services() { return *services_; }
    AppContext& Context() { return context_; }
    IPrompts& Prompts() { return *prompts_; }

    // The window's routes: what each control's events do.
    Routes& On() { return routes_; }

  protected:
    Form(AppContext& context, const wchar_t* windowClass);

    // Creates the hidden window with its design outer size scaled to the screen.
    void CreateForm(const std::string& caption, DWORD style, DWORD exStyle, Size designOuter);
    // Design outer size for a design client size.
    static Size OuterForClient(int width, int height, DWORD style, DWORD exStyle);
    // Every window declares its controls' help topics in one table and applies it once its
    // controls exist (on pages and panels too), so F1 on a control opens its topic; a control
    // without one opens the window's own topic.
    void ApplyHelpTopics(DWORD windowTopic, const std::vector<HelpTopic>& controls = {});

    // The window's tooltips, made on first use and kept in step with the application.
    Tooltip& Tips();

    // Called as the hidden window comes on screen; not when it is shown again while visible.
    virtual void OnShowing() {}
    virtual void OnClosing() {}
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // F1 or the title bar's help button on a control, a menu item or the window.
    void ShowHelp(const HELPINFO& info);

    AppContext& context_;
    const wchar_t* windowClass_;
    std::unique_ptr<Tooltip> tips_;
    std::unique_ptr<IPrompts> prompts_;
    std::optional<Platform> services_;
    Routes routes_;
};

}  // namespace sorvane
