// An error raised while a window handles a message ends that action, is shown in an error
// box, and the program carries on.

#include "WindowTestSupport.h"
#include "core/platform/SettingsStore.h"
#include "win/framework/Window.h"

namespace sorvane::testing {
namespace {

class FailingWindow : public Window {
  public:
    FailingWindow() {
        CreateWindowOf({L"SorvaneTestFailing"}, 0, "", WS_POPUP, {0, 0, 10, 10}, nullptr);
    }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw SettingsWriteError("C:\\Tools\\guest.INI");
        return DefaultProc(message, wParam, lParam);
    }
};

using WindowGuard = ProgramWindows;

TEST_F(WindowGuard, ErrorsReachTheErrorBoxNotTheSystem) {
    Start();
    FailingWindow window;
    EXPECT_EQ(SendMessageW(window.Handle(), WM_APP, 0, 0), 0);
    SendMessageW(window.Handle(), WM_APP, 0, 0);  // the window still takes messages
    EXPECT_EQ(fake.prompts.Errors(),
              (std::vector<std::string>{"Unable to write to C:\\Tools\\guest.INI",
                                        "Unable to write to C:\\Tools\\guest.INI"}));
    EXPECT_TRUE(IsWindow(window.Handle()));
}

}  // namespace
}  // namespace sorvane::testing
