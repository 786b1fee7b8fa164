// The About box: its texts, its links and its Close button, clicked as automation would.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "win/dialogs/AboutSorv.h"
#include "win/platform/Utf.h"
#include "win/widgets/Controls.h"

namespace sorvane::testing {
namespace {

std::vector<std::string> ChildTexts(HWND parent) {
    std::vector<std::string> texts;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(WindowText(child));
    }
    return texts;
}

class AboutBox : public ProgramWindows {
  protected:
    void SetUp() override {
        Start();
        About().Show();
        PumpMessages();
        ASSERT_TRUE(About().Visible());
    }
    TForm4& About() { return *forms->Get().about; }
    void Click(TForm4::ControlId id) {
        SendMessageW(About().Control(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
};

TEST_F(AboutBox, ShowsNameVersionAuthorAndLinks) {
    EXPECT_EQ(WindowText(About().Handle()), "About Sorvane v2.03");
    HWND panel = GetParent(About().Control(TForm4::kButton1));
    const std::vector<std::string> texts = ChildTexts(panel);
    for (const char* expected :
         {"Author: Sorvane Team", "Name: Sorvane", "Status: Freeware", "Version: 2.03",
          "Click Here To Send Me An Email", "Click Here To Visit My Homepage", "&Close"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    }
    EXPECT_EQ(About().TooltipOf(TForm4::kEmailpanel), kAuthorEmail);
    EXPECT_EQ(About().TooltipOf(TForm4::kUrlpanel), kHomePage);

    // Centred on the screen.
    RECT r{};
    GetWindowRect(About().Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(AboutBox, EmailLinkStartsAMailAndCloses) {
    Click(TForm4::kEmailpanel);
    ASSERT_EQ(fake.shell.RunRequests().size(), 1u);
    EXPECT_EQ(fake.shell.RunRequests()[0].file, "mailto:sorvane@example.org");
    EXPECT_EQ(fake.shell.RunRequests()[0].showMode, 4);
    EXPECT_FALSE(About().Visible());
}

TEST_F(AboutBox, HomePageLinkOpensTheAddressAndCloses) {
    Click(TForm4::kUrlpanel);
    ASSERT_EQ(fake.shell.RunRequests().size(), 1u);
    EXPECT_EQ(fake.shell.RunRequests()[0].file, kHomePage);
    EXPECT_FALSE(About().Visible());
}

TEST_F(AboutBox, CloseButtonAndTheCloseBoxHideIt) {
    Click(TForm4::kButton1);
    EXPECT_FALSE(About().Visible());
    EXPECT_TRUE(fake.shell.RunRequests().empty());

    About().Show();
    SendMessageW(About().Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(About().Visible());
    EXPECT_TRUE(IsWindow(About().Handle()));
}

}  // namespace
}  // namespace sorvane::testing
