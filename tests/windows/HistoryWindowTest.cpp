// Cleaning History on real controls over the fake platform: the runs newest first, a run's
// files, the two filters, and Restore of the selected file, refused where a file stands now.

#include "WindowTestSupport.h"
#include "core/history/CleaningHistory.h"

namespace sorvane::testing {
namespace {

class HistoryWindow : public OneWindow<TForm10> {
  protected:
    HistoryWindow() {
        fake.fs.AddDir("C:\\Tools");
        Context().SetOptions(Context().options);
        for (const char* name : {"a.tmp", "b.tmp"})
            fake.fs.AddFile(std::string("C:\\Temp\\") + name, 5);
        fake.shell.RecycleFiles({"C:\\Temp\\a.tmp", "C:\\Temp\\b.tmp"});
        HistoryRun clean = Context().history.Begin(tool::kCleanDirectories);
        clean.Record(HistoryAction::kRecycled, "C:\\Temp\\a.tmp", 5);
        clean.Record(HistoryAction::kRecycled, "C:\\Temp\\b.tmp", 5);
        clean.End();
        Context()
            .history.Begin(tool::kFindDuplicates)
            .Record(HistoryAction::kMoved, "C:\\d\\x.txt", 4, "C:\\e\\x.txt");
    }
    std::vector<std::string> Tools() {
        std::vector<std::string> tools;
        for (int row = 0; row < Form().Runs().Count(); ++row)
            tools.push_back(Form().Runs().Cell(row, 1));
        return tools;
    }
    void ChooseTool(int index) {
        SendMessageW(Item(TForm10::kToolbox), CB_SETCURSEL, index, 0);
        SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(TForm10::kToolbox, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(TForm10::kToolbox)));
        PumpMessages();
    }
    void RestoreRow(std::size_t row) {
        Form().Table().SelectRow(row);
        fake.prompts.QueueAnswers({true});
        ClickItem(TForm10::kRestorebtn);
    }
};

TEST_F(HistoryWindow, RunsNewestFirstTheirFilesFiltersAndRestoreToAFreePlaceOnly) {
    Open();
    EXPECT_THAT(Tools(), ElementsAre(tool::kFindDuplicates, tool::kCleanDirectories));
    EXPECT_EQ(Form().Runs().Cell(1, 2), "2");
    EXPECT_THAT(Column(1), ElementsAre("Moved"));  // the newest run shows first
    Form().Runs().Select(1);
    PumpMessages();
    EXPECT_THAT(Column(2), ElementsAre("a.tmp", "b.tmp"));
    EXPECT_THAT(Column(3), ElementsAre("C:\\Temp\\", "C:\\Temp\\"));

    ChooseTool(3);  // Find Duplicate Files
    EXPECT_THAT(Tools(), ElementsAre(tool::kFindDuplicates));
    ChooseTool(0);
    SetText(TForm10::kPathedit, "B.TMP");
    ClickItem(TForm10::kFilterbtn);
    EXPECT_THAT(Tools(), ElementsAre(tool::kCleanDirectories));
    EXPECT_THAT(Column(2), ElementsAre("b.tmp"));

    RestoreRow(1);
    EXPECT_TRUE(fake.fs.Contains("C:\\Temp\\b.tmp"));
    EXPECT_EQ(Form().StatusText(), "Restored C:\\Temp\\b.tmp.");
    EXPECT_THAT(Tools(), ElementsAre(tool::kHistory, tool::kCleanDirectories));
    EXPECT_THAT(Column(1), ElementsAre("Restored"));  // the restore is the newest run

    // A new a.tmp stands where the recycled one was: it stays, and the refusal is said.
    fake.fs.AddFile("C:\\Temp\\a.tmp", 99);
    SetText(TForm10::kPathedit, "");
    ClickItem(TForm10::kFilterbtn);
    Form().Runs().Select(2);
    PumpMessages();
    Form().Table().SetChecked(1, true);
    RestoreRow(2);  // the checked row is the one asked about, not the selected one
    EXPECT_EQ(fake.fs.Look("C:\\Temp\\a.tmp").size, 99u);
    EXPECT_THAT(fake.prompts.Notices(),
                ElementsAre(HasSubstr("A file now stands at C:\\Temp\\a.tmp")));
}

}  // namespace
}  // namespace sorvane::testing
