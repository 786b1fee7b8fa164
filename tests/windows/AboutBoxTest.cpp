// The About box: its texts, its links and its Close button, clicked as automation would.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "WindowTestSupport.h"
#include "win/dialogs/AboutSorv.h"
#include "win/widgets/Controls.h"

namespace sorvane::testing {
namespace {

class AboutBox : public OneWindow<TForm4> {
  protected:
    void SetUp() override { ASSERT_TRUE(Open().Visible()); }
};

TEST_F(AboutBox, ShowsNameVersionAuthorAndLinksCentredOnTheScreen) {
    EXPECT_EQ(WindowText(Form().Handle()), "About Sorvane v2.03");
    const std::vector<std::string> texts = ChildTexts(GetParent(Item(TForm4::kButton1)));
    for (const char* expected :
         {"Author: Sorvane Team", "Name: Sorvane", "Status: Freeware", "Version: 2.03",
          "Click Here To Send Me An Email", "Click Here To Visit My Homepage", "&Close"}) {
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
    }
    RECT r{};
    GetWindowRect(Form().Handle(), &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(AboutBox, EachWayOutHidesItAndTheLinksOpenTheirAddress) {
    const struct {
        TForm4::ControlId control;  // none: the close box
        const char* opened;
    } cases[] = {{TForm4::kEmailpanel, "mailto:sorvane@example.org"},
                 {TForm4::kUrlpanel, kHomePage},
                 {TForm4::kButton1, nullptr},
                 {TForm4::ControlId{}, nullptr}};
    for (const auto& c : cases) {
        const std::size_t before = fake.shell.RunRequests().size();
        Open();
        if (c.control != TForm4::ControlId{})
            ClickItem(c.control);
        else
            SendMessageW(Form().Handle(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(Form().Visible()) << c.control;
        EXPECT_TRUE(IsWindow(Form().Handle()));
        ASSERT_EQ(fake.shell.RunRequests().size(), before + (c.opened ? 1 : 0)) << c.control;
        if (!c.opened) continue;
        EXPECT_EQ(fake.shell.RunRequests().back().file, c.opened);
        EXPECT_EQ(fake.shell.RunRequests().back().showMode, 4);
    }
}

}  // namespace
}  // namespace sorvane::testing
