// The About box: its links and its Close button, clicked as automation would.

#include "WindowTestSupport.h"
#include "win/dialogs/AboutSorv.h"

namespace sorvane::testing {
namespace {

using AboutBox = OneWindow<TForm4>;

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
        EXPECT_EQ(fake.shell.RunRequests().back(), c.opened);
    }
}

}  // namespace
}  // namespace sorvane::testing
