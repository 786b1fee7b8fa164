#pragma once
// Real windows of the program on the test's display, with the fake platform behind them so
// that questions are answered by script and drives are what the test says.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "FakePlatform.h"
#include "win/framework/Application.h"
#include "win/app/FormSet.h"
#include "win/framework/AppContext.h"

namespace sorvane::testing {

// Lets the windows handle what is waiting for them.
void PumpMessages();

// Runs `action` (which may enter a modal loop such as a menu) and, while it runs, calls
// `inside` once the loop has started, then closes any open menu.
void WhileMenuOpen(const std::function<void()>& action, const std::function<void()>& inside);

// Runs `action` (which opens a message box captioned `caption`) and calls `inside` with the
// box once it is on screen; `inside` must answer it.
void WhileBoxOpen(const std::function<void()>& action, const std::string& caption,
                  const std::function<void(HWND box)>& inside);

class ProgramWindows : public ::testing::Test {
  protected:
    ProgramWindows();
    void TearDown() override;

    // Creates every window in the start-up order on the fake platform.
    void Start();
    // The application and its context alone, with the values the main window would work out,
    // for a test that creates only the windows it needs.
    AppContext& Context();

    FakePlatform fake;
    std::unique_ptr<Application> app;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<FormSet> forms;
};

}  // namespace sorvane::testing
