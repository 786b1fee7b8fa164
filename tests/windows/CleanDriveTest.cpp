// Clean Drive(s) on real controls over the fake platform: what the window keeps across a
// restart, the criteria controls, a scan and what the result page does with its rows.

#include "WindowTestSupport.h"
#include "win/platform/WinPrompts.h"

namespace sorvane::testing {
namespace {

using namespace cleandri;

class CleanDriveWindow : public OneWindow<TForm8> {
  protected:
    CleanDriveWindow() {
        fake.drives.AddDrive('C');
        fake.fs.AddFile("C:\\data\\b.tmp", 20);
        fake.fs.AddFile("C:\\data\\A.TMP", 1500);
        fake.fs.AddFile("C:\\data\\sub\\c.log", 3);
        fake.fs.AddFile("C:\\data\\sub\\apple.txt", 4);
    }
    void AddLocation(const std::string& path) {
        DirectoryTree& tree = Form().Options().Cleantree();
        TreeView_SelectItem(tree.Tree(), tree.Reveal(path));
        ClickItem(kAdddrivebtn);
    }
    std::vector<std::string> Locations() { return Form().Options().Locations(); }
    CheckList& Masks() { return Form().Options().Masklistbox(); }
    // Scans C:\data with every criterion off, so every file is a result.
    void ScanEverything() {
        Open();
        AddLocation("C:\\data");
        if (ItemChecked(kMaskgroup)) ClickItem(kMaskgroup);
        Form().Pages().SetActivePage(1);
        ClickItem(kCscanbtn);
    }
};

TEST_F(CleanDriveWindow, FromTheDesignStateOptionsMasksAndWidthsComeBackAfterARestart) {
    Open();
    EXPECT_FALSE(IsWindowEnabled(Item(kBiggerspin)));  // its group is off
    for (const char* path : {"C:\\data", "C:\\", "c:\\DATA"}) AddLocation(path);  // DATA: listed
    for (const int id : {kSubcheckbox, kSizegroup, kFilesmallerbox, kDategroup, kSeparetebox}) {
        ClickItem(id);
    }
    SetText(kBiggerspin, "250");
    SetText(kAccessdateedit, "01/02/2024");
    // A mask typed and entered with Enter joins the list unchecked; the user checks it.
    SetText(kFilemaskedit, "*.log");
    Key(kFilemaskedit, VK_RETURN);
    const int log = 4;  // *.b~k *.bak *.ex~ *.gid *.log ...
    ASSERT_EQ(Masks().Text(log), "*.log");
    ListView_SetCheckState(Masks().Handle(), log, TRUE);
    Form().Table().SetColumnWidth(3, 222);
    CloseWindow();
    for (const char* line : {"[Cleandiroptions.Selecteddrives_Items]\nCount=2\nItem0=C:\n",
                             "Subcheckbox_Checked=False\n", "Biggerspin_Value=250\n",
                             "Collactivebox_Checked=False\nSeparetebox_Checked=True\n",
                             "Col3=222\n", "Maskcount=8\n", "MaskItem4=1*.log\n"}) {
        EXPECT_THAT(Ini(), HasSubstr(line));
    }

    RestartWindow();
    Open();
    EXPECT_THAT(Locations(), ElementsAre("C:", "C:\\data"));
    EXPECT_THAT(Checks({kSubcheckbox, kSizegroup, kFilesmallerbox, kDategroup, kCollactivebox,
                        kSeparetebox}),
                ElementsAre(false, true, true, true, false, true));
    ClickItem(kEmptydirbox);
    EXPECT_TRUE(ItemChecked(kSubcheckbox));  // empty directories are looked for below too
    EXPECT_TRUE(IsWindowEnabled(Item(kBiggerspin)));
    EXPECT_EQ(WindowText(Item(kBiggerspin)), "250");
    EXPECT_EQ(WindowText(Item(kAccessdateedit)), "01/02/2024");
    ASSERT_EQ(Masks().Count(), 8);  // the old window's list is gone
    EXPECT_TRUE(Masks().Checked(log) && !Masks().Checked(0));
    const HWND grid = Item(kCleangrid);
    EXPECT_EQ(ListView_GetColumnWidth(grid, 3), 222);
    RECT room{};
    GetClientRect(grid, &room);
    int total = 0;  // the path column takes the room the others leave
    for (int c = 0; c < 7; ++c) total += ListView_GetColumnWidth(grid, c);
    EXPECT_EQ(total, room.right);
}

// Shown again during a scan the window goes on with it; a second scan is refused; Stop keeps
// the table. A real message box: while it asks, the window that asked takes no input.
TEST_F(CleanDriveWindow, NothingStartsInsideAScanStopKeepsTheTableAndAQuestionHoldsTheWindow) {
    Context().makePrompts = [](HWND owner) {
        return std::make_unique<WinPrompts>("Sorvane v2.03", owner);
    };
    ScanEverything();
    EXPECT_EQ(Form().StatusText(), "4 files were found");
    fake.clock.SetAutoAdvance(30);  // every entry ends a time slice
    std::string refused;
    fake.pump.SetOnProcess([&](std::size_t call) {
        if (call != 2) return;
        Form().Show();  // "Clean Drive(s)" again, with the window open
        Command(kCscanbtn);
        refused = Form().StatusText();
        ClickItem(kCstopbtn);
    });
    ClickItem(kCscanbtn);
    EXPECT_EQ(refused, kPassBusyStatus);
    EXPECT_EQ(Form().StatusText(), "Scan Stopped");
    EXPECT_TRUE(IsWindowEnabled(Item(kCscanbtn)));

    HWND owner = nullptr;
    bool enabledWhileAsked = true;
    WhileModal([this] { Command(kDeleteAll); }, L"#32770",
               [&](HWND box) {
                   owner = GetWindow(box, GW_OWNER);
                   enabledWhileAsked = IsWindowEnabled(Form().Handle()) != FALSE;
                   PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
               },
               L"Confirm");
    EXPECT_EQ(owner, Form().Handle());
    EXPECT_FALSE(enabledWhileAsked);
    EXPECT_TRUE(IsWindowEnabled(Form().Handle()));
    EXPECT_EQ(Column(0).size(), 4u);  // Stop kept them, No deletes nothing
}

TEST_F(CleanDriveWindow, DeleteAndMoveTakeTheirRowsAloneAndCloseEmptiesTheTable) {
    ScanEverything();
    const std::string selected = Form().Table().FullPath(2), other = Form().Table().FullPath(1);
    Form().Table().SelectRow(2);
    fake.prompts.QueueAnswers({true});
    Command(kDeleteSelected);
    EXPECT_EQ(Column(0).size(), 3u);
    EXPECT_FALSE(fake.fs.Contains(selected));
    EXPECT_TRUE(fake.fs.Contains(other));

    Command(kSelectAll);
    EXPECT_TRUE(Form().Table().Checked(3));
    Command(kUnselectAll);  // or the delete below would take every row
    Form().Table().SetChecked(2, true);
    fake.prompts.QueueAnswers({true});
    Command(kDeleteChecked);
    EXPECT_THAT(Column(0), ElementsAre("A.TMP", "c.log"));
    EXPECT_TRUE(fake.fs.Contains("C:\\data\\A.TMP"));

    Form().Table().SetChecked(1, true);
    Command(kMoveChecked);
    ASSERT_TRUE(Form().Destination().Visible());
    SetText(kDestdiredit, "C:\\kept");
    fake.prompts.QueueAnswers({true, true});  // create it; move the checked files
    ClickItem(kOkmovebtn);
    EXPECT_FALSE(Form().Destination().Visible());
    EXPECT_TRUE(fake.fs.Contains("C:\\kept\\A.TMP"));
    EXPECT_EQ(Form().Table().Cell(1, 4), "C:\\kept\\");

    Form().Table().SelectRow(2);
    Command(kSetDestination);
    ASSERT_TRUE(Form().Destination().Visible());
    CloseWindow();
    EXPECT_FALSE(Form().Destination().Visible());
    EXPECT_EQ(ListView_GetItemCount(Item(kCleangrid)), 1);
    Open();
    EXPECT_EQ(Form().Pages().ActivePage(), 0);
    EXPECT_EQ(Form().StatusText(), "Moved 1 files.");  // the status bar keeps its text
}

TEST_F(CleanDriveWindow, ATreeEntryDraggedOntoTheLocationsIsAddedAndElsewhereNot) {
    Open();
    DirectoryTree& tree = Form().Options().Cleantree();
    RECT list{};
    GetWindowRect(Item(kSelecteddrives), &list);
    for (const auto& [path, x] :
         {std::pair{"C:\\data\\sub", list.left + 10}, {"C:\\data", list.right + 100}}) {
        NMTREEVIEWW drag{};
        drag.hdr = {tree.Tree(), kCleantree, TVN_BEGINDRAGW};
        drag.itemNew.hItem = tree.Reveal(path);
        SendMessageW(tree.Handle(), WM_NOTIFY, kCleantree, reinterpret_cast<LPARAM>(&drag));
        EXPECT_EQ(GetCapture(), Form().Handle());
        SetCursorPos(x, list.top + 10);
        SendMessageW(Form().Handle(), WM_LBUTTONUP, 0, 0);
        EXPECT_NE(GetCapture(), Form().Handle());
    }
    EXPECT_THAT(Locations(), ElementsAre("C:\\data\\sub"));
}

}  // namespace
}  // namespace sorvane::testing
