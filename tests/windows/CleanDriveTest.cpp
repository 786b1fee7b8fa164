// Clean Drive(s) on real controls over the fake platform: what the window keeps across a
// restart, the criteria controls, a scan and what the result page does with its rows.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/platform/WinPrompts.h"
#include "win/widgets/Controls.h"

namespace sorvane::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;
using namespace cleandri;

constexpr char kIni[] = "C:\\Tools\\guest.INI";

class ScriptedChooser final : public IFileChooser {
  public:
    std::optional<SaveChoice> answer;
    std::vector<int> filters;
    std::optional<SaveChoice> Save(const SaveRequest& request) override {
        filters.push_back(request.filterIndex);
        return answer;
    }
};

class ScriptedTitle final : public IInputBox {
  public:
    std::optional<std::string> Ask(const std::string&, const std::string&,
                                   const std::string&) override {
        return "Junk & more";
    }
};

class CleanDriveWindow : public ProgramWindows {
  protected:
    CleanDriveWindow() {
        fake.drives.AddDrive('C');
        fake.fs.AddDir("C:\\data");
        fake.fs.AddFile("C:\\data\\b.tmp", 20);
        fake.fs.AddFile("C:\\data\\A.TMP", 1500);
        fake.fs.AddFile("C:\\data\\sub\\c.log", 3);
        fake.fs.AddFile("C:\\data\\sub\\apple.txt", 4);
    }

    void TearDown() override {
        window.reset();
        ProgramWindows::TearDown();
    }
    void Open() {
        if (!window) window = std::make_unique<TForm8>(Context());
        Form().Show();
        PumpMessages();
    }
    void Restart() {
        window.reset();
        context.reset();
        app.reset();
        window = std::make_unique<TForm8>(Context());
    }
    void CloseWindow() {
        SendMessageW(Form().Handle(), WM_CLOSE, 0, 0);
        PumpMessages();
    }
    TForm8& Form() { return *window; }
    std::unique_ptr<TForm8> window;
    HWND Item(int id) { return Form().Control(id); }
    void Click(int id) {
        SendMessageW(Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    void Command(int id) {
        SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        PumpMessages();
    }
    bool IsChecked(int id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void SetText(int id, const std::string& text) {
        SetWindowTextW(Item(id), std::wstring(text.begin(), text.end()).c_str());
        PumpMessages();
    }
    void PickInTree(const std::string& path) {
        DirectoryTree& tree = Form().Options().Cleantree();
        TreeView_SelectItem(tree.Tree(), tree.Reveal(path));
    }
    void AddLocation(const std::string& path) {
        PickInTree(path);
        Click(kAdddrivebtn);
    }
    std::vector<std::string> Locations() { return Form().Options().Locations(); }
    // Scans C:\data with every criterion off, so every file is a result.
    void ScanEverything() {
        Open();
        AddLocation("C:\\data");
        if (IsChecked(kMaskgroup)) Click(kMaskgroup);
        Form().Pages().SetActivePage(1);
        Click(kCscanbtn);
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (std::size_t row = 1; row < Form().Table().RowCount(); ++row) {
            names.push_back(Form().Table().Cell(row, 0));
        }
        return names;
    }
    int GridRows() {
        return static_cast<int>(SendMessageW(Item(kCleangrid), LVM_GETITEMCOUNT, 0, 0));
    }
};

TEST_F(CleanDriveWindow, StartsWithTheDesignStateAndTheSevenMasks) {
    Open();
    EXPECT_EQ(WindowText(Form().Handle()), "Sorvane v2.03 - Clean Drive(s)");
    EXPECT_EQ(Form().StatusText(), "Ready...");
    EXPECT_EQ(Form().Pages().ActivePage(), 0);
    EXPECT_TRUE(IsChecked(kSubcheckbox));
    EXPECT_FALSE(IsChecked(kEmptydirbox));
    EXPECT_TRUE(IsChecked(kCollactivebox));
    EXPECT_FALSE(IsChecked(kSeparetebox));
    EXPECT_TRUE(IsChecked(kMaskgroup));
    EXPECT_FALSE(IsChecked(kSizegroup));
    EXPECT_FALSE(IsWindowEnabled(Item(kBiggerspin)));
    EXPECT_EQ(WindowText(Item(kBiggerspin)), "1000");
    EXPECT_TRUE(IsChecked(kArchivebox));
    EXPECT_FALSE(IsWindowEnabled(Item(kCstopbtn)));
    CheckList& masks = Form().Options().Masklistbox();
    ASSERT_EQ(masks.Count(), 7);
    EXPECT_EQ(masks.Text(0), "*.b~k");  // kept in order
    EXPECT_FALSE(masks.Checked(0));
    EXPECT_EQ(Form().Table().RowCount(), 2u);
    EXPECT_EQ(GridRows(), 1);
    EXPECT_EQ(GetWindowContextHelpId(Item(kSeparetebox)), static_cast<DWORD>(kSeparetebox));
    EXPECT_EQ(GetWindowContextHelpId(Item(kCsavebtn)), static_cast<DWORD>(kCsavebtn));
}

TEST_F(CleanDriveWindow, OptionsMasksWidthsAndPlaceComeBackAfterARestart) {
    Open();
    AddLocation("C:\\data");
    AddLocation("C:\\");
    AddLocation("c:\\DATA");  // already listed, in another case
    EXPECT_THAT(Locations(), ElementsAre("C:", "C:\\data"));
    Click(kSubcheckbox);
    Click(kSizegroup);
    EXPECT_TRUE(IsWindowEnabled(Item(kBiggerspin)));
    SetText(kBiggerspin, "250");
    Click(kFilesmallerbox);
    Click(kDategroup);
    SetText(kAccessdateedit, "01/02/2024");
    Click(kSeparetebox);
    // A mask typed and entered with Enter joins the list unchecked; the user checks it.
    SetText(kFilemaskedit, "*.log");
    SendMessageW(Item(kFilemaskedit), WM_KEYDOWN, VK_RETURN, 0);
    CheckList& masks = Form().Options().Masklistbox();
    ASSERT_EQ(masks.Count(), 8);
    const int log = 4;  // *.b~k *.bak *.ex~ *.gid *.log ...
    ASSERT_EQ(masks.Text(log), "*.log");
    ListView_SetCheckState(masks.Handle(), log, TRUE);
    Form().Table().SetColumnWidth(4, 222);
    Form().MoveTo(40, 30);
    CloseWindow();

    const std::string ini = fake.settings.FileText(kIni);
    EXPECT_THAT(ini, HasSubstr("[Cleandiroptions.Selecteddrives_Items]\nCount=2\nItem0=C:\n"));
    EXPECT_THAT(ini, HasSubstr("Subcheckbox_Checked=False\n"));
    EXPECT_THAT(ini, HasSubstr("Biggerspin_Value=250\n"));
    EXPECT_THAT(ini, HasSubstr("Collactivebox_Checked=False\nSeparetebox_Checked=True\n"));
    EXPECT_THAT(ini, HasSubstr("Col4=222\n"));
    EXPECT_THAT(ini, HasSubstr("Maskcount=8\n"));
    EXPECT_THAT(ini, HasSubstr("MaskItem4=1*.log\n"));

    Restart();
    Open();
    EXPECT_THAT(Locations(), ElementsAre("C:", "C:\\data"));
    EXPECT_FALSE(IsChecked(kSubcheckbox));
    EXPECT_TRUE(IsChecked(kSizegroup));
    EXPECT_TRUE(IsWindowEnabled(Item(kBiggerspin)));
    EXPECT_EQ(WindowText(Item(kBiggerspin)), "250");
    EXPECT_TRUE(IsChecked(kFilesmallerbox));
    EXPECT_TRUE(IsChecked(kDategroup));
    EXPECT_EQ(WindowText(Item(kAccessdateedit)), "01/02/2024");
    EXPECT_FALSE(IsChecked(kCollactivebox));
    EXPECT_TRUE(IsChecked(kSeparetebox));
    ASSERT_EQ(Form().Options().Masklistbox().Count(), 8);  // the old window's list is gone
    EXPECT_TRUE(Form().Options().Masklistbox().Checked(log));
    EXPECT_FALSE(Form().Options().Masklistbox().Checked(0));
    EXPECT_EQ(Form().Table().ColumnAt(4).width, 222);
    EXPECT_EQ(SendMessageW(Item(kCleangrid), LVM_GETCOLUMNWIDTH, 4, 0), 222);
    RECT r{};
    GetWindowRect(Form().Handle(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
}

TEST_F(CleanDriveWindow, AndAndOrAreAlwaysOppositeAndEmptyDirCheckTurnsOnSubdirectories) {
    fake.settings.SetFileText(kIni,
                              "[Cleandiroptions]\nCollactivebox_Checked=True\n"
                              "Separetebox_Checked=True\n");
    Open();
    EXPECT_TRUE(IsChecked(kCollactivebox));
    EXPECT_FALSE(IsChecked(kSeparetebox));
    Click(kSeparetebox);
    EXPECT_FALSE(IsChecked(kCollactivebox));
    Click(kSeparetebox);
    EXPECT_TRUE(IsChecked(kCollactivebox));
    Click(kCollactivebox);
    EXPECT_TRUE(IsChecked(kSeparetebox));

    Click(kSubcheckbox);
    Click(kEmptydirbox);
    EXPECT_TRUE(IsChecked(kSubcheckbox));
    Click(kEmptydirbox);
    EXPECT_TRUE(IsChecked(kSubcheckbox));
}

TEST_F(CleanDriveWindow, RemovingLocationsAndMasksAsksFirst) {
    Open();
    AddLocation("C:\\data");
    SendMessageW(Item(kSelecteddrives), LB_SETCURSEL, 0, 0);
    fake.prompts.QueueAnswers({false, true});
    SendMessageW(Item(kSelecteddrives), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_THAT(Locations(), ElementsAre("C:\\data"));
    Click(kRemovedrivebtn);
    EXPECT_TRUE(Locations().empty());
    EXPECT_THAT(fake.prompts.Questions(), ElementsAre("Proceed to delete the selected item?",
                                                      "Proceed to delete the selected item?"));

    CheckList& masks = Form().Options().Masklistbox();
    Click(kRemovefilemaskbtn);  // nothing selected: nothing asked
    EXPECT_EQ(fake.prompts.Questions().size(), 2u);
    masks.Select(0);
    fake.prompts.QueueAnswers({true});
    SendMessageW(masks.Handle(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(masks.Count(), 6);
    SetText(kFilemaskedit, "*.BAK");  // the edit box lower-cases; an equal mask is not added
    Click(kAddfilemaskbtn);
    EXPECT_EQ(masks.Count(), 6);
}

TEST_F(CleanDriveWindow, ScanWithoutLocationsSaysSo) {
    Open();
    Click(kCscanbtn);
    EXPECT_THAT(fake.prompts.Notices(),
                ElementsAre("You must select at least one drive or directory!"));
    EXPECT_EQ(Form().StatusText(), "Select a drive or directory first!");
    EXPECT_TRUE(IsWindowEnabled(Item(kCscanbtn)));
}

TEST_F(CleanDriveWindow, EmptyDirectoriesAreOfferedAndRemovedOnlyOnYes) {
    fake.fs.AddDir("C:\\data\\empty1");
    fake.fs.AddDir("C:\\data\\empty2");
    Open();
    AddLocation("C:\\data");
    Click(kSubcheckbox);
    Click(kEmptydirbox);
    fake.prompts.QueueAnswers({true, false});
    Form().Pages().SetActivePage(1);
    Click(kCscanbtn);
    EXPECT_THAT(
        fake.prompts.Questions(),
        ElementsAre("Found an empty directory\r\nC:\\data\\empty1\\\r\nDelete the directory?",
                    "Found an empty directory\r\nC:\\data\\empty2\\\r\nDelete the directory?"));
    EXPECT_THAT(fake.prompts.Notices(), ElementsAre("Directory deleted succesfully."));
    EXPECT_EQ(fake.prompts.Records()[1].icon, MessageIcon::kQuestion);  // as a confirmation
    EXPECT_FALSE(fake.fs.Contains("C:\\data\\empty1"));
    EXPECT_TRUE(fake.fs.Contains("C:\\data\\empty2"));
}

TEST_F(CleanDriveWindow, ScanFillsTheTableSortedByNameAndEndsIdle) {
    ScanEverything();
    EXPECT_THAT(Names(), ElementsAre("A.TMP", "apple.txt", "b.tmp", "c.log"));
    EXPECT_EQ(GridRows(), 4);
    EXPECT_EQ(Form().Table().Cell(1, 1), "1500");
    EXPECT_EQ(Form().Table().Cell(2, 4), "C:\\data\\sub\\");
    EXPECT_EQ(Form().StatusText(), "4 files were found");
    EXPECT_EQ(WindowText(Form().Handle()), "Sorvane v2.03 - Clean Drive(s)");
    EXPECT_TRUE(IsWindowEnabled(Item(kCscanbtn)));
    EXPECT_FALSE(IsWindowEnabled(Item(kCstopbtn)));

    // Only "*.tmp" checked: the second scan narrows the table.
    Click(kMaskgroup);
    CheckList& masks = Form().Options().Masklistbox();
    for (int i = 0; i < masks.Count(); ++i) masks.SetChecked(i, masks.Text(i) == "*.tmp");
    Click(kCscanbtn);
    EXPECT_THAT(Names(), ElementsAre("A.TMP", "b.tmp"));

    // Nothing found: the table keeps what it showed.
    for (int i = 0; i < masks.Count(); ++i) masks.SetChecked(i, false);
    Click(kCscanbtn);
    EXPECT_EQ(Form().StatusText(), "No files were found");
    EXPECT_THAT(Names(), ElementsAre("A.TMP", "b.tmp"));
}

TEST_F(CleanDriveWindow, StopDuringTheScanLeavesTheTableAsItWas) {
    ScanEverything();
    fake.clock.SetAutoAdvance(30);  // every entry ends a time slice
    fake.pump.SetOnProcess([this](std::size_t call) {
        if (call == 2) Click(kCstopbtn);
    });
    Click(kCscanbtn);
    EXPECT_EQ(Form().StatusText(), "Scan Stopped");
    EXPECT_EQ(Names().size(), 4u);
    EXPECT_TRUE(IsWindowEnabled(Item(kCscanbtn)));
}

// Whatever the tray menu, the cleaning schedule or the window itself would start during a scan
// waits for its end, and what fell due meanwhile runs once.
TEST_F(CleanDriveWindow, NothingStartsInsideAScanAndWhatFellDueRunsOnceAfterIt) {
    struct Cleaning final : IDirectoryCleaning {
        TForm8* form = nullptr;
        int cleans = 0;
        bool nested = false;
        bool WindowShown() const override { return false; }
        void CleanAll() override {}
        void RunUnattendedClean() override {
            ++cleans;
            nested = nested || form->Scanning();
        }
    } cleaning;
    Open();
    cleaning.form = &Form();
    context->directoryCleaning = &cleaning;
    const auto schedule =
        fake.timers.Start(60000, [this] { CleanSelectedDirectoriesNow(*context); });
    AddLocation("C:\\data");
    Click(kMaskgroup);
    Form().Pages().SetActivePage(1);
    fake.clock.SetAutoAdvance(30);
    std::string refused;
    fake.pump.SetOnProcess([&](std::size_t call) {
        if (call != 2) return;
        Form().Show();                          // "Clean Drive(s)" again, with the window open
        CleanSelectedDirectoriesNow(*context);  // "Clean Selected Directories Now"
        fake.timers.FireAll();                  // the schedule falls due
        Command(kCscanbtn);
        refused = Form().StatusText();
        EXPECT_EQ(cleaning.cleans, 0);
    });
    Click(kCscanbtn);
    EXPECT_EQ(refused, kPassBusyStatus);
    EXPECT_EQ(Form().StatusText(), "4 files were found");
    EXPECT_EQ(Form().Pages().ActivePage(), 1);
    EXPECT_EQ(cleaning.cleans, 1);
    EXPECT_FALSE(cleaning.nested);
}

// A real message box: while it asks, the window that asked takes no input.
TEST_F(CleanDriveWindow, AQuestionHoldsTheWindowThatAsksIt) {
    Context().makePrompts = [](HWND owner) {
        return std::make_unique<WinPrompts>("Sorvane v2.03", owner);
    };
    ScanEverything();
    HWND owner = nullptr;
    bool enabledWhileAsked = true;
    WhileBoxOpen([this] { Command(kDeleteAll); }, "Confirm",
                 [&](HWND box) {
                     owner = GetWindow(box, GW_OWNER);
                     enabledWhileAsked = IsWindowEnabled(Form().Handle()) != FALSE;
                     PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
                 });
    EXPECT_EQ(owner, Form().Handle());
    EXPECT_FALSE(enabledWhileAsked);
    EXPECT_TRUE(IsWindowEnabled(Form().Handle()));
    EXPECT_EQ(Names().size(), 4u);  // No deletes nothing
}

TEST_F(CleanDriveWindow, SelectedFileMustBeClickedFirstAndLettersJumpToNames) {
    ScanEverything();
    Command(kDeleteSelected);
    EXPECT_THAT(fake.prompts.Notices(), ElementsAre("Please select a file by clicking on a cell."));

    SetFocus(Item(kCleangrid));
    SendMessageW(Item(kCleangrid), WM_CHAR, L'c', 1);
    PumpMessages();
    EXPECT_EQ(Form().Table().SelectedRow(), 4u);
    SendMessageW(Item(kCleangrid), WM_CHAR, L'a', 1);
    PumpMessages();
    EXPECT_EQ(Form().Table().SelectedRow(), 1u);  // "A.TMP" comes first

    // A single delete removes the row; the same row number now names the next file.
    fake.prompts.QueueAnswers({true});
    Command(kDeleteSelected);
    EXPECT_THAT(fake.prompts.Questions(), ElementsAre("Proceed to delete\r\nC:\\data\\A.TMP?"));
    EXPECT_FALSE(fake.fs.Contains("C:\\data\\A.TMP"));
    EXPECT_THAT(Names(), ElementsAre("apple.txt", "b.tmp", "c.log"));
    EXPECT_EQ(Form().Table().SelectedRow(), 1u);
    EXPECT_EQ(GridRows(), 3);

    // The selected row number outlives a new scan and names whatever file now stands there.
    SendMessageW(Item(kCleangrid), WM_CHAR, L'b', 1);
    EXPECT_EQ(Form().Table().SelectedRow(), 2u);
    Click(kCscanbtn);
    EXPECT_EQ(Form().Table().SelectedRow(), 2u);
    EXPECT_EQ(Form().Table().Cell(2, 0), "b.tmp");
}

TEST_F(CleanDriveWindow, SelectAllAndDeleteChecked) {
    Open();
    Form().Pages().SetActivePage(1);
    Command(kSelectAll);  // an empty table: nothing to check
    EXPECT_FALSE(Form().Table().Checked(1));

    ScanEverything();
    Command(kSelectAll);
    for (std::size_t row = 1; row <= 4; ++row) EXPECT_TRUE(Form().Table().Checked(row)) << row;
    // The space bar clears the current row's check box.
    SendMessageW(Item(kCleangrid), WM_CHAR, L'c', 1);
    EXPECT_EQ(Form().Table().SelectedRow(), 4u);
    SendMessageW(Item(kCleangrid), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(Item(kCleangrid), WM_CHAR, L' ', 0);
    PumpMessages();
    EXPECT_FALSE(Form().Table().Checked(4));
    Command(kUnselectAll);
    EXPECT_FALSE(Form().Table().Checked(2));
    Form().Table().SetChecked(2, true);
    Form().Table().SetChecked(3, true);
    fake.prompts.QueueAnswers({true});
    Command(kDeleteChecked);
    EXPECT_THAT(Names(), ElementsAre("A.TMP", "c.log"));
    EXPECT_THAT(Form().StatusText(), HasSubstr("Deleted 2 files"));
    EXPECT_FALSE(fake.fs.Contains("C:\\data\\b.tmp"));
    EXPECT_TRUE(fake.fs.Contains("C:\\data\\A.TMP"));
}

TEST_F(CleanDriveWindow, MoveThroughTheDestinationPanel) {
    ScanEverything();
    Form().Table().SetChecked(1, true);
    Command(kMoveChecked);
    ASSERT_TRUE(Form().Destination().Visible());
    SetText(kDestdiredit, "C:\\kept");
    EXPECT_EQ(Form().TooltipOf(kDestdiredit), "C:\\kept");
    fake.prompts.QueueAnswers({true, true});  // create it; move the checked files
    Click(kOkmovebtn);
    EXPECT_FALSE(Form().Destination().Visible());
    EXPECT_TRUE(fake.fs.Contains("C:\\kept\\A.TMP"));
    EXPECT_EQ(Form().Table().Cell(1, 4), "C:\\kept\\");
    EXPECT_EQ(Form().StatusText(), "Moved 1 files.");
}

TEST_F(CleanDriveWindow, SavesBothReportsUnderTheChosenName) {
    ScanEverything();
    ScriptedChooser chooser;
    ScriptedTitle title;
    Form().Saver().UseChooser(&chooser);
    Form().Saver().UseInputBox(&title);
    Command(kSaveHtml);  // cancelled: nothing written
    EXPECT_EQ(Form().StatusText(), "4 files were found");

    chooser.answer = SaveChoice{"C:\\report", 1};
    Command(kSaveHtml);
    chooser.answer = SaveChoice{"C:\\report", 2};
    Command(kSaveText);
    EXPECT_THAT(chooser.filters, ElementsAre(1, 1, 2));
    EXPECT_EQ(Form().StatusText(), "Saved C:\\report.txt");
    std::string error;
    ASSERT_TRUE(fake.fs.Contains("C:\\report.html"));
    ASSERT_TRUE(fake.fs.Contains("C:\\report.txt"));
}

TEST_F(CleanDriveWindow, ClosingEmptiesTheTableAndReopensOnTheOptionsPage) {
    ScanEverything();
    Form().Table().SelectRow(2);
    Command(kSetDestination);
    ASSERT_TRUE(Form().Destination().Visible());
    CloseWindow();
    EXPECT_FALSE(Form().Visible());
    EXPECT_FALSE(Form().Destination().Visible());
    EXPECT_TRUE(Form().Table().Empty());
    EXPECT_EQ(GridRows(), 1);
    Open();
    EXPECT_EQ(Form().Pages().ActivePage(), 0);
    EXPECT_EQ(Form().Table().SelectedRow(), 0u);
    EXPECT_EQ(Form().StatusText(), "4 files were found");  // the status bar keeps its text
}

TEST_F(CleanDriveWindow, ATreeEntryDraggedOntoTheLocationsIsAdded) {
    Open();
    DirectoryTree& tree = Form().Options().Cleantree();
    NMTREEVIEWW drag{};
    drag.hdr = {tree.Tree(), kCleantree, TVN_BEGINDRAGW};
    drag.itemNew.hItem = tree.Reveal("C:\\data\\sub");
    SendMessageW(tree.Handle(), WM_NOTIFY, kCleantree, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(GetCapture(), Form().Handle());
    RECT list{};
    GetWindowRect(Item(kSelecteddrives), &list);
    SetCursorPos(list.left + 10, list.top + 10);
    SendMessageW(Form().Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_THAT(Locations(), ElementsAre("C:\\data\\sub"));
    EXPECT_NE(GetCapture(), Form().Handle());

    // Dropped anywhere else, nothing is added.
    drag.itemNew.hItem = tree.Reveal("C:\\data");
    SendMessageW(tree.Handle(), WM_NOTIFY, kCleantree, reinterpret_cast<LPARAM>(&drag));
    SetCursorPos(list.right + 100, list.top + 10);
    SendMessageW(Form().Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_THAT(Locations(), ElementsAre("C:\\data\\sub"));
}

TEST_F(CleanDriveWindow, ARefusedSettingsFileStillClosesTheWindow) {
    Open();
    fake.settings.SetReadOnly(kIni);
    CloseWindow();
    EXPECT_FALSE(Form().Visible());
    EXPECT_THAT(fake.prompts.Errors(), ElementsAre(HasSubstr("Unable to write to")));
}

}  // namespace
}  // namespace sorvane::testing
