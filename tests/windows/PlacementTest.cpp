// The tool windows come back where the user left them after a restart, maximised when they
// were, and onto the screen when they were left on a monitor that is gone.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

#include "WindowTestSupport.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/shortcuts/ShortcutSorv.h"

namespace sorvane::testing {
namespace {

struct Case {
    const char* name;
    std::function<std::unique_ptr<Form>(AppContext&)> make;
    const char* lost;  // the window's stored place, far off the screen
};

template <class W>
Case Tool(const char* name, const char* lost) {
    return {name, [](AppContext& context) { return std::make_unique<W>(context); }, lost};
}

class ToolWindowPlacement : public ProgramWindows {
  protected:
    // Closes the window and makes it anew, as at the next start, and shows it.
    void Reopen(const Case& c, std::unique_ptr<Form>& form) {
        if (form) SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
        form.reset();
        form = c.make(Context());
        form->Show();
        PumpMessages();
    }
};

TEST_F(ToolWindowPlacement, ComesBackWhereItWasAndOntoTheScreen) {
    const Case cases[] = {
        Tool<TForm6>("Clean Directories", "[DirColsizes]\nClean_Left=5000\nClean_Top=-4000\n"),
        Tool<TForm3>("Check Shortcuts", "[ShortcutOptions]\nS_Left=-5000\nS_Top=4000\n"),
        Tool<TForm7>("Find Duplicate Files", "[Duplicate_Options]\nNormPos=5000,9,5600,409\n"),
        Tool<TForm8>("Clean Drive(s)", "[Cleandiroptions]\nNormPos=9,5000,609,5400\n"),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fake.settings.SetFileText("C:\\Tools\\guest.INI", c.lost);
        std::unique_ptr<Form> form;
        Reopen(c, form);
        RECT r{};
        GetWindowRect(form->Handle(), &r);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= GetSystemMetrics(SM_CXSCREEN) &&
                    r.bottom <= GetSystemMetrics(SM_CYSCREEN));

        form->MoveTo(40, 30);
        Reopen(c, form);
        GetWindowRect(form->Handle(), &r);
        EXPECT_EQ(std::pair(r.left, r.top), std::pair(40L, 30L));

        ShowWindow(form->Handle(), SW_MAXIMIZE);
        Reopen(c, form);
        EXPECT_TRUE(IsZoomed(form->Handle()));
        ShowWindow(form->Handle(), SW_RESTORE);
        GetWindowRect(form->Handle(), &r);
        EXPECT_EQ(std::pair(r.left, r.top), std::pair(40L, 30L));
    }
}

}  // namespace
}  // namespace sorvane::testing
