// What every tool window has from its base and its panes, checked once over the four: an entry
// of an editable list leaves only after Yes, by its button or the Delete key, and with nothing
// selected nothing is asked; a save that fails partway is said once, the window still closes
// and the file stays as it was. (Where a tool window comes back is checked with the layout.)

#include "WindowTestSupport.h"
#include "win/results/ListPane.h"
#include "win/widgets/StandardControls.h"

namespace sorvane::testing {
namespace {

using ToolWindows = ProgramWindows;

TEST_F(ToolWindows, ListEntriesLeaveAfterYesAndAFailedSaveIsSaidOnceAndKeepsTheFile) {
    for (const ToolWindow& tool : FourToolWindows()) {
        SCOPED_TRACE(tool.name);
        const std::unique_ptr<ToolForm> window = tool.make(Context());
        window->Show();
        const HWND box = tool.control(*window, tool.list);
        ListBox list(box);
        const auto button = [&] { Click(tool.control(*window, tool.remove)); };
        list.SetTexts({"C:\\a", "C:\\b"});
        const std::size_t asked = fake.prompts.Questions().size();
        button();  // nothing selected: nothing asked
        list.Select(1);
        fake.prompts.QueueAnswers({false, true});
        SendMessageW(box, WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_THAT(list.Texts(), ElementsAre("C:\\a", "C:\\b"));
        button();
        EXPECT_THAT(list.Texts(), ElementsAre("C:\\a"));
        ASSERT_EQ(fake.prompts.Questions().size(), asked + 2);
        EXPECT_EQ(fake.prompts.Questions().back(), kRemoveItemQuestion);

        const std::size_t errors = fake.prompts.Errors().size();
        const std::string before = Ini();
        fake.settings.FailAtEdit(10);
        SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
        EXPECT_FALSE(window->Visible());
        ASSERT_EQ(fake.prompts.Errors().size(), errors + 1);
        EXPECT_THAT(fake.prompts.Errors().back(), HasSubstr("Unable to write to"));
        EXPECT_EQ(Ini(), before);
        fake.settings.FailAtEdit(0);
    }
}

}  // namespace
}  // namespace sorvane::testing
