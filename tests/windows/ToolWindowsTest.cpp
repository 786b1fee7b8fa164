// What every tool window has from its base and its panes, checked once over the four: a save
// that fails partway is said once, the window still closes and the file stays as it was; an
// entry of an editable list leaves only after Yes, by its button or the Delete key, and with
// nothing selected nothing is asked.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/results/ListPane.h"
#include "win/shortcuts/ShortcutSorv.h"
#include "win/widgets/StandardControls.h"

namespace sorvane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr char kIni[] = "C:\\Tools\\guest.INI";

struct Tool {
    const char* name;
    std::function<std::unique_ptr<ToolForm>(AppContext&)> make;
    std::function<HWND(ToolForm&, int)> control;
    int list;    // an editable list
    int remove;  // its button
};

template <class W>
Tool Of(const char* name, int list, int remove) {
    return {name, [](AppContext& c) { return std::make_unique<W>(c); },
            [](ToolForm& w, int id) { return static_cast<W&>(w).Control(id); }, list, remove};
}

const Tool kTools[] = {
    Of<TForm3>("Check Shortcuts", TForm3::kExcludescan, TForm3::kRemovedirbit),
    Of<TForm6>("Clean Directories", TForm6::kFileTypesList, TForm6::kRemoveFileType),
    Of<TForm7>("Find Duplicate Files", finddup::kExcludemasklist, finddup::kRemovefiletype),
    Of<TForm8>("Clean Drive(s)", cleandri::kSelecteddrives, cleandri::kRemovedrivebtn),
};

using ToolWindows = ProgramWindows;

// What the prompts recorded after the first `from`.
std::vector<std::string> Since(const std::vector<std::string>& all, std::size_t from) {
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
}

TEST_F(ToolWindows, ASaveThatFailsPartwayIsSaidOnceAndTheWindowStillClosesKeepingTheFile) {
    for (const Tool& tool : kTools) {
        SCOPED_TRACE(tool.name);
        const std::size_t errors = fake.prompts.Errors().size();
        const std::unique_ptr<ToolForm> window = tool.make(Context());
        window->Show();
        const std::string before = fake.settings.FileText(kIni);
        fake.settings.FailAtEdit(10);
        SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
        PumpMessages();
        EXPECT_FALSE(window->Visible());
        EXPECT_THAT(Since(fake.prompts.Errors(), errors),
                    ElementsAre(HasSubstr("Unable to write to")));
        EXPECT_EQ(fake.settings.FileText(kIni), before);
        fake.settings.FailAtEdit(0);
    }
}

TEST_F(ToolWindows, AnEntryLeavesAnEditableListOnlyAfterYesByItsButtonOrTheDeleteKey) {
    for (const Tool& tool : kTools) {
        SCOPED_TRACE(tool.name);
        const std::size_t questions = fake.prompts.Questions().size();
        const std::unique_ptr<ToolForm> window = tool.make(Context());
        const HWND list = tool.control(*window, tool.list);
        const auto button = [&] {
            SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(tool.remove, BN_CLICKED),
                         reinterpret_cast<LPARAM>(tool.control(*window, tool.remove)));
        };
        ListBox(list).SetTexts({"C:\\a", "C:\\b"});
        button();  // nothing selected: nothing asked
        ListBox(list).Select(0);
        fake.prompts.QueueAnswers({false, true});
        SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_THAT(ListBox(list).Texts(), ElementsAre("C:\\a", "C:\\b"));
        button();
        EXPECT_THAT(ListBox(list).Texts(), ElementsAre("C:\\b"));
        EXPECT_THAT(Since(fake.prompts.Questions(), questions),
                    ElementsAre(kRemoveItemQuestion, kRemoveItemQuestion));
    }
}

}  // namespace
}  // namespace sorvane::testing
