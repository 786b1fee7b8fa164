// Find Duplicate Files on real controls over the fake platform: what the window keeps across a
// restart, its lists, and what the result table shows and does with groups of copies.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "core/results/FileActions.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/widgets/Controls.h"

namespace sorvane::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace finddup;

constexpr char kIni[] = "C:\\Tools\\guest.INI";

struct ReportName final : IFileChooser, IInputBox {
    std::optional<SaveChoice> Save(const SaveRequest& request) override {
        return SaveChoice{"C:\\report.html", request.filterIndex};
    }
    std::optional<std::string> Ask(const std::string&, const std::string&,
                                   const std::string&) override {
        return "Copies";
    }
};

class FindDupWindow : public OneWindow<TForm7> {
  protected:
    // Three pairs under other directories, and a file of its own.
    FindDupWindow() {
        fake.drives.AddDrive('C');
        for (const std::string dir : {"C:\\d\\a\\", "C:\\d\\b\\"}) {
            Put(dir + "x.txt", "same");
            Put(dir + "y.dat", "twin");
            Put(dir + "Yak.bin", "yak!");
        }
        Put("C:\\d\\a\\zeta.log", "alone");
    }
    void Put(const std::string& path, const std::string& bytes) {
        fake.fs.AddFile(path);
        fake.fs.SetContent(path, bytes);
    }
    void AddLocation(const std::string& path) {
        TreeView_SelectItem(Form().Duptree1().Tree(), Form().Duptree1().Reveal(path));
        ClickItem(kAdddirbtn);
    }
    void Press(int id, WPARAM key) {
        SendMessageW(Item(id), WM_KEYDOWN, key, 0);
        PumpMessages();
    }
    void ScanD() {
        Open();
        AddLocation("C:\\d");
        ClickItem(kStartbtn);
    }
    std::vector<std::string> Column(std::size_t column) {
        std::vector<std::string> cells;
        for (std::size_t row = 1; row < Form().Table().RowCount(); ++row) {
            cells.push_back(Form().Table().Cell(row, column));
        }
        return cells;
    }
    std::string Caption() { return WindowText(Form().Handle()); }
    std::string ReadFile(const std::string& path) {
        const auto reader = fake.fs.OpenRead(path);
        std::string bytes(1 << 16, '\0');
        bytes.resize(reader ? reader->Read(bytes.data(), bytes.size()).value_or(0) : 0);
        return bytes;
    }
};

TEST_F(FindDupWindow, CriteriaListsAndWidthsComeBackAfterARestartAndTheListsKeepTheirRules) {
    Open();
    ExpectChecks<int>(
        {{kSnamebox, true}, {kSsizebox, true}, {kSdatebox, true}, {kScontentbox, false}});
    AddLocation("C:\\d");
    TreeView_SelectItem(Form().Duptree1().Tree(), Form().Duptree1().Reveal("C:\\"));
    Press(kExcludelistbox, VK_RETURN);
    AddLocation("c:\\D");  // already listed, in another case
    EXPECT_THAT(Form().Locations(), ElementsAre("C:", "C:\\d"));

    // Each typed text against the edit's text and the list after Add.
    const struct {
        const char* typed;
        const char* left;
    } masks[] = {{"*.bak", ""}, {"", ""}, {"*.*", "*.*"}, {"*.BAK", ""}, {"*.log", ""}};
    for (const auto& m : masks) {
        SetText(kExcludemasks, m.typed);
        if (std::string(m.typed) == "*.log") {
            Press(kExcludemasklist, VK_RETURN);
        } else {
            ClickItem(kAddfiletype);
        }
        EXPECT_EQ(WindowText(Item(kExcludemasks)), m.left) << m.typed;
    }
    EXPECT_THAT(Form().Masks(), ElementsAre("*.bak", "*.log"));
    SendMessageW(Item(kExcludemasklist), LB_SETCURSEL, 0, 0);
    fake.prompts.QueueAnswers({false, true});
    Press(kExcludemasklist, VK_DELETE);
    ClickItem(kRemovefiletype);
    EXPECT_THAT(Form().Masks(), ElementsAre("*.log"));
    EXPECT_THAT(fake.prompts.Questions(), ElementsAre("Proceed to delete the selected item?",
                                                      "Proceed to delete the selected item?"));

    ClickItem(kSnamebox);
    ClickItem(kScontentbox);
    Form().Table().SetColumnWidth(0, 55);
    Form().Table().SetColumnWidth(2, 99);
    CloseWindow();
    EXPECT_EQ(Form().StatusText(), "Ready...");
    EXPECT_EQ(Caption(), "Sorvane v2.03 - Find Duplicates");
    const std::string ini = fake.settings.FileText(kIni);
    for (const char* line :
         {"[Duplicate_Options]\nSnamebox_Checked=False\nSsizebox_Checked=True\n",
          "Scontentbox_Checked=True\n", "Col0=10\n", "Col2=99\n",
          "[Duplicate_Options.Excludelistbox_Items]\nCount=2\nItem0=C:\nItem1=C:\\d\n",
          "[Duplicate_Options.Excludemasklist_Items]\nCount=1\nItem0=*.log\n"}) {
        EXPECT_THAT(ini, HasSubstr(line));
    }

    RestartWindow();
    Open();
    ExpectChecks<int>(
        {{kSnamebox, false}, {kSsizebox, true}, {kSdatebox, true}, {kScontentbox, true}});
    EXPECT_THAT(Form().Locations(), ElementsAre("C:", "C:\\d"));
    EXPECT_THAT(Form().Masks(), ElementsAre("*.log"));
    EXPECT_EQ(SendMessageW(Item(kDupgrid), LVM_GETCOLUMNWIDTH, 2, 0), 99);
    EXPECT_EQ(Form().Table().ColumnAt(0).width, 10);
}

TEST_F(FindDupWindow, GroupsAreNumberedAndColouredOnScreenAndInTheReportAndLettersFindNames) {
    ScanD();
    EXPECT_EQ(Form().StatusText(), "Found 6 duplicate files.");
    EXPECT_EQ(Caption(), "Sorvane v2.03 - Find Duplicate Files");
    EXPECT_THAT(Column(1), ElementsAre("x.txt", "x.txt", "y.dat", "y.dat", "Yak.bin", "Yak.bin"));
    EXPECT_THAT(Column(0), ElementsAre("0", "0", "1", "1", "2", "2"));
    EXPECT_EQ(SendMessageW(Item(kDupgrid), LVM_GETITEMCOUNT, 0, 0), 6);
    for (std::size_t row = 1; row <= 6; ++row) {
        const CellStyle& style = Form().Table().Style(row);
        EXPECT_EQ(style.background, row == 3 || row == 4 ? 0xFFFF00u : 0x00FFFFu) << row;
        EXPECT_EQ(style.fontColor, 0u);
    }

    ReportName name;
    Form().Saver().UseChooser(&name);
    Form().Saver().UseInputBox(&name);
    Command(kSaveHtml);
    const std::string html = ReadFile("C:\\report.html");
    const auto count = [&html](const std::string& part) {
        std::size_t n = 0;
        for (auto at = html.find(part); at != std::string::npos; at = html.find(part, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("BGCOLOR=\"#FFFF00\"><font color=\"#000000\">"), 24u);  // 4 rows of 6
    EXPECT_EQ(count("BGCOLOR=\"#00FFFF\"><font color=\"#000000\">"), 12u);
    EXPECT_THAT(html, HasSubstr("BGCOLOR=\"#00FFFF\"><font color=\"#000000\">y.dat<"));

    // A lower-case letter finds either case, a capital only itself, other keys nothing.
    const struct {
        wchar_t key;
        std::size_t row;
    } letters[] = {{L'y', 3}, {L'Y', 5}, {L'x', 1}, {L'7', 1}, {L'Z', 1}};
    for (const auto& l : letters) {
        SendMessageW(Item(kDupgrid), WM_CHAR, l.key, 1);
        PumpMessages();
        EXPECT_EQ(Form().Table().SelectedRow(), l.row) << static_cast<char>(l.key);
    }
}

TEST_F(FindDupWindow, CheckingEveryCopyOfAGroupAsksOnceAndNoKeepsThemAll) {
    ScanD();
    for (const std::size_t row : {1, 2, 3}) Form().Table().SetChecked(row, true);
    Command(kDeleteChecked);  // No by default
    ASSERT_EQ(fake.prompts.Records().size(), 1u);
    EXPECT_EQ(fake.prompts.Records()[0].text, LastCopyQuestion(1));
    EXPECT_EQ(fake.prompts.Records()[0].buttons, Buttons::kYesNoSafeNo);
    EXPECT_EQ(Column(1).size(), 6u);
    EXPECT_TRUE(fake.fs.Contains("C:\\d\\a\\x.txt") && fake.fs.Contains("C:\\d\\b\\x.txt"));

    fake.prompts.QueueAnswers({true, true});
    Command(kDeleteChecked);
    EXPECT_THAT(Column(1), ElementsAre("y.dat", "Yak.bin", "Yak.bin"));
    // The last copy of a group, selected alone, is asked about too.
    Form().Table().SelectRow(1);
    Command(kDeleteSelected);
    EXPECT_EQ(fake.prompts.Questions().back(), LastCopyQuestion(1));
    EXPECT_TRUE(fake.fs.Contains("C:\\d\\b\\y.dat"));
}

TEST_F(FindDupWindow, StopWhileComparingLeavesTheTableAsItWas) {
    ScanD();
    ClickItem(kScontentbox);
    fake.clock.SetAutoAdvance(30);  // every entry ends a time slice
    std::string stoppedIn;
    fake.pump.SetOnProcess([&](std::size_t) {
        if (stoppedIn.empty() && Caption() == "Sorvane v2.03 - Comparing files") {
            stoppedIn = Caption();
            EXPECT_FALSE(IsWindowEnabled(Item(kStartbtn)));
            ClickItem(kStopbtn);
        }
    });
    ClickItem(kStartbtn);
    EXPECT_FALSE(stoppedIn.empty());
    EXPECT_EQ(Form().StatusText(), "Scanning Stopped!");
    EXPECT_EQ(Column(1).size(), 6u);
    EXPECT_TRUE(IsWindowEnabled(Item(kStartbtn)));
    EXPECT_FALSE(IsWindowEnabled(Item(kStopbtn)));

    // Closed and shown again: an empty table, where the destination panel stays open.
    Command(kSetDestination);
    CloseWindow();
    Open();
    EXPECT_EQ(SendMessageW(Item(kDupgrid), LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_TRUE(Form().Destination().Visible());
}

}  // namespace
}  // namespace sorvane::testing
