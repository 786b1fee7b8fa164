// The result grid on a real list view, driven the way a user and automation tools drive it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "win/platform/Utf.h"
#include "win/widgets/Controls.h"
#include "win/widgets/ResultGrid.h"

namespace sorvane::testing {
namespace {

class Host : public Window {
  public:
    Host() {
        CreateWindowOf({L"SorvaneGridTestHost"}, 0, "Grid", WS_POPUP | WS_VISIBLE,
                       Bounds(0, 0, 640, 400), nullptr);
    }
};

std::vector<Column> DriveColumns() {
    return {{"Name", Alignment::kLeft, 130},         {"Size", Alignment::kRight, 60},
            {"Last Modified", Alignment::kLeft, 70}, {"Last Accessed", Alignment::kLeft, 90},
            {"Path", Alignment::kLeft, 120},         {"Attributes", Alignment::kLeft, 50},
            {"Type", Alignment::kLeft, 80}};
}

std::vector<std::string> File(const std::string& name, const std::string& size = "1") {
    return {name, size, "01/02/2020", "03/04/2020", "C:\\Temp\\", "A", "Text Document"};
}

std::string CellText(HWND list, int item, int column) {
    wchar_t buffer[260] = {};
    LVITEMW lvi{};
    lvi.iSubItem = column;
    lvi.pszText = buffer;
    lvi.cchTextMax = 260;
    SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lvi));
    return Narrow(buffer);
}

// 0: no check box, 1: empty, 2: checked.
UINT CheckImageOf(HWND list, int item) {
    return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK)) >> 12;
}

class ResultGridTest : public ::testing::Test {
  protected:
    ResultGridTest() {
        table.SetRows({File("beta.log", "10"), File("Apple.tmp", "20"), File("apple.txt", "30")});
        grid.Refresh();
    }

    HWND List() const { return grid.Handle(); }
    std::string Text(int item, int column) const { return CellText(List(), item, column); }
    UINT CheckImage(int item) const { return CheckImageOf(List(), item); }
    int Count() const { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
    void ClickCheckBox(int item) {
        RECT r{};
        r.left = LVIR_BOUNDS;
        SendMessageW(List(), LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
        const int y = (r.top + r.bottom) / 2;
        for (int x = 0; x < 40; ++x) {
            LVHITTESTINFO hit{};
            hit.pt = {x, y};
            SendMessageW(List(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.flags & LVHT_ONITEMSTATEICON) {
                SendMessageW(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
                SendMessageW(List(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
                PumpMessages();
                return;
            }
        }
        ADD_FAILURE() << "no check box on item " << item;
    }
    void Type(wchar_t key) {
        SendMessageW(List(), WM_CHAR, key, 1);
        PumpMessages();
    }

    Host host;
    ResultTable table{DriveColumns(), 0, 4};
    ResultGrid grid{host.Handle(), Bounds(0, 0, 620, 380), 100, table};
};

TEST_F(ResultGridTest, AnswersCellTextsAndCheckMarksThroughTheListViewMessages) {
    table.SetChecked(2, true);
    grid.Refresh();
    EXPECT_EQ(Count(), 3);
    EXPECT_EQ(Text(0, 0), "beta.log");
    EXPECT_EQ(Text(1, 1), "20");
    EXPECT_EQ(Text(2, 6), "Text Document");
    EXPECT_EQ(CheckImage(0), 1u);
    EXPECT_EQ(CheckImage(1), 2u);
}

TEST_F(ResultGridTest, NameColumnOtherThanTheFirstCarriesTheCheckBoxesInTableOrder) {
    ResultTable dup({{"", Alignment::kLeft, 10},
                     {"File Name", Alignment::kLeft, 150},
                     {"File Size", Alignment::kRight, 70}},
                    1, 2);
    dup.SetRows({{"0", "a.txt", "5"}});
    const ResultGrid dupGrid(host.Handle(), Bounds(0, 0, 300, 200), 101, dup);
    const HWND list = dupGrid.Handle();
    int order[3] = {};
    SendMessageW(list, LVM_GETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(std::vector<int>(order, order + 3), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 1, 0), 10);
    EXPECT_EQ(CheckImageOf(list, 0), 1u);
    EXPECT_EQ(CellText(list, 0, 0), "a.txt");
    EXPECT_EQ(CellText(list, 0, 1), "0");
    LVCOLUMNW size{};
    size.mask = LVCF_FMT;
    SendMessageW(list, LVM_GETCOLUMNW, 2, reinterpret_cast<LPARAM>(&size));
    EXPECT_EQ(size.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
}

TEST_F(ResultGridTest, ClickAndSpaceToggleCheckBoxesOnlyOnRowsWithAName) {
    ClickCheckBox(1);
    EXPECT_TRUE(table.Checked(2));
    EXPECT_EQ(CheckImage(1), 2u);
    SendMessageW(List(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(List(), WM_CHAR, L' ', 0);
    PumpMessages();
    EXPECT_FALSE(table.Checked(2));

    table.SetCell(3, 0, "");
    grid.Refresh();
    EXPECT_EQ(CheckImage(2), 0u);
    grid.SelectAll();
    EXPECT_TRUE(table.Checked(1));
    EXPECT_FALSE(table.Checked(3));
    grid.UnselectAll();
    EXPECT_FALSE(table.Checked(1));
}

TEST_F(ResultGridTest, SelectionLettersAndHeaderClicks) {
    std::vector<std::size_t> clicked;
    grid.OnHeaderClick([&](std::size_t column) { clicked.push_back(column); });
    SetFocus(List());

    Type(L'a');  // "a" finds "Apple.tmp" before "apple.txt"
    EXPECT_EQ(table.SelectedRow(), 2u);
    Type(L'B');  // capital only: "beta.log" is not a match
    Type(L'7');
    EXPECT_EQ(table.SelectedRow(), 2u);
    Type(L'b');
    EXPECT_EQ(table.SelectedRow(), 1u);

    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(table.SelectedRow(), 3u);

    const HWND header = ListView_GetHeader(List());
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 20, 5));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(r.left + 20, 5));
    PumpMessages();
    EXPECT_EQ(clicked, std::vector<std::size_t>{1});
    EXPECT_EQ(table.SelectedRow(), 3u);
}

TEST_F(ResultGridTest, ColumnWidthsComeFromTheTableAndADraggedDividerGoesBack) {
    EXPECT_EQ(SendMessageW(List(), LVM_GETCOLUMNWIDTH, 1, 0), 60);
    const HWND header = ListView_GetHeader(List());
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 1, 5));
    SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right + 30, 5));
    SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(r.right + 30, 5));
    PumpMessages();
    EXPECT_EQ(table.ColumnAt(0).width, 161);
    EXPECT_EQ(SendMessageW(List(), LVM_GETCOLUMNWIDTH, 0, 0), 161);
}

TEST_F(ResultGridTest, CustomDrawTakesTheRowsColoursAndFont) {
    table.SetStyle(2, {0x00FFFF00u, 0x000000u, true, false});
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {List(), 100, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.hdc = GetDC(List());
    draw.nmcd.dwItemSpec = 1;
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    draw.clrText = draw.clrTextBk = RGB(1, 2, 3);
    const LRESULT styled =
        SendMessageW(host.Handle(), WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&draw));
    EXPECT_EQ(styled, CDRF_NEWFONT);
    EXPECT_EQ(draw.clrTextBk, RGB(0, 255, 255));
    EXPECT_EQ(draw.clrText, RGB(0, 0, 0));
    LOGFONTW font{};
    GetObjectW(GetCurrentObject(draw.nmcd.hdc, OBJ_FONT), sizeof font, &font);
    EXPECT_EQ(font.lfWeight, FW_BOLD);

    draw.nmcd.dwItemSpec = 0;
    draw.clrTextBk = RGB(1, 2, 3);
    EXPECT_EQ(SendMessageW(host.Handle(), WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&draw)),
              CDRF_DODEFAULT);
    EXPECT_EQ(draw.clrTextBk, RGB(1, 2, 3));
    ReleaseDC(List(), draw.nmcd.hdc);
    UpdateWindow(List());  // a real paint through the same path
}

TEST_F(ResultGridTest, RefreshFollowsRemovedRowsDownToTheBlankRow) {
    table.SelectRow(2);
    table.RemoveRow(1);
    grid.Refresh();
    EXPECT_EQ(Count(), 2);
    EXPECT_EQ(Text(1, 0), "apple.txt");
    EXPECT_EQ(SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);

    table.Clear();
    grid.Refresh();
    EXPECT_EQ(Count(), 1);
    EXPECT_EQ(Text(0, 0), "");
    EXPECT_EQ(CheckImage(0), 0u);
    EXPECT_EQ(SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    grid.SelectAll();
    EXPECT_FALSE(table.Checked(1));
}

}  // namespace
}  // namespace sorvane::testing
