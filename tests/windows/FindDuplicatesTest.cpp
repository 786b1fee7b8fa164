// Find Duplicate Files on real controls over the fake platform: what the window keeps across a
// restart, the rules of its lists, and what its table shows and does with groups of copies.

#include "WindowTestSupport.h"

namespace sorvane::testing {
namespace {

using namespace finddup;

class FindDupWindow : public OneWindow<TForm7> {
  protected:
    // Three pairs in two directories, and a file of its own.
    FindDupWindow() {
        fake.drives.AddDrive('C');
        for (const char* name : {"x.txt", "y.dat", "Yak.bin"}) {
            fake.fs.AddFile(std::string("C:\\d\\a\\") + name, 4);
            fake.fs.AddFile(std::string("C:\\d\\b\\") + name, 4);
        }
        fake.fs.AddFile("C:\\d\\a\\zeta.log", 4);
    }
    void Select(const std::string& path) {
        TreeView_SelectItem(Form().Duptree1().Tree(), Form().Duptree1().Reveal(path));
    }
    void ScanD() {
        Open();
        Select("C:\\d");
        for (const int id : {kAdddirbtn, kStartbtn}) ClickItem(id);
    }
};

TEST_F(FindDupWindow, CriteriaAndListsComeBackAfterARestartAndTheListsKeepTheirRules) {
    Open();
    for (const char* path : {"C:\\d", "C:\\", "c:\\D"}) {  // the last one listed already
        Select(path);
        Key(kExcludelistbox, VK_RETURN);
    }
    // Each mask typed and added, against what the edit keeps.
    const std::pair<const char*, const char*> masks[] = {
        {"*.bak", ""}, {"", ""}, {"*.*", "*.*"}, {"*.BAK", ""}, {"*.log", ""}};
    for (const auto& [typed, kept] : masks) {
        SetText(kExcludemasks, typed);
        ClickItem(kAddfiletype);
        EXPECT_EQ(WindowText(Item(kExcludemasks)), kept) << typed;
    }
    SetText(kExcludemasks, "*.tmp");
    Key(kExcludemasklist, VK_RETURN);

    ClickItem(kSnamebox);
    ClickItem(kScontentbox);
    Form().Table().SetColumnWidth(0, 55);
    Form().Table().SetColumnWidth(2, 99);
    Command(kSetDestination);
    CloseWindow();
    Open();  // an open destination panel comes back with the window
    EXPECT_TRUE(Form().Destination().Visible());
    CloseWindow();
    const std::string ini = Ini();
    for (const char* line :
         {"[Duplicate_Options]\nSnamebox_Checked=False\nSsizebox_Checked=True\n"
          "Sdatebox_Checked=True\nScontentbox_Checked=True\n",  // name and content clicked
          "Col0=10\n", "Col2=99\n",
          "[Duplicate_Options.Excludelistbox_Items]\nCount=2\nItem0=C:\nItem1=C:\\d\n",
          "[Duplicate_Options.Excludemasklist_Items]\nCount=3\nItem0=*.bak\nItem1=*.log\n"
          "Item2=*.tmp\n"}) {
        EXPECT_THAT(ini, HasSubstr(line));
    }

    RestartWindow();
    Open();
    EXPECT_THAT(Checks({kSnamebox, kSsizebox, kSdatebox, kScontentbox}),
                ElementsAre(false, true, true, true));
    EXPECT_THAT(Form().Locations(), ElementsAre("C:", "C:\\d"));
    EXPECT_THAT(Form().Masks(), ElementsAre("*.bak", "*.log", "*.tmp"));
    EXPECT_EQ(SendMessageW(Item(kDupgrid), LVM_GETCOLUMNWIDTH, 2, 0), 99);
}

TEST_F(FindDupWindow, GroupsAreNumberedOnScreenAndLettersFindNames) {
    ScanD();
    EXPECT_EQ(Form().StatusText(), "Found 6 duplicate files.");
    EXPECT_THAT(Column(1), ElementsAre("x.txt", "x.txt", "y.dat", "y.dat", "Yak.bin", "Yak.bin"));
    EXPECT_EQ(ListView_GetItemCount(Item(kDupgrid)), 6);

    // A small letter finds either case, a capital only itself, other keys nothing.
    const std::pair<wchar_t, std::size_t> letters[] = {
        {L'y', 3}, {L'Y', 5}, {L'x', 1}, {L'7', 1}, {L'Z', 1}};
    for (const auto& [key, row] : letters) {
        SendMessageW(Item(kDupgrid), WM_CHAR, key, 1);
        EXPECT_EQ(Form().Table().SelectedRow(), row) << static_cast<char>(key);
    }
}

}  // namespace
}  // namespace sorvane::testing
