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

std::vector<std::string> File(const std::string& name, const std::string& size) {
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

int Selected(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

class ResultGridTest : public ::testing::Test {
  protected:
    ResultGridTest() {
        table.SetRows({File("beta.log", "10"), File("Apple.tmp", "20"), File("apple.txt", "30")});
        grid.Refresh();
    }
    HWND List() const { return grid.Handle(); }
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
    void DragHeader(int fromX, int toX) {
        const HWND header = ListView_GetHeader(List());
        SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(fromX, 5));
        SendMessageW(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(toX, 5));
        SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(toX, 5));
        PumpMessages();
    }

    HostWindow host;
    ResultTable table{{{"Name", Alignment::kLeft, 130},
                       {"Size", Alignment::kRight, 60},
                       {"Last Modified", Alignment::kLeft, 70},
                       {"Last Accessed", Alignment::kLeft, 90},
                       {"Path", Alignment::kLeft, 120},
                       {"Attributes", Alignment::kLeft, 50},
                       {"Type", Alignment::kLeft, 80}},
                      0,
                      4};
    ResultGrid grid{host.Handle(), Bounds(0, 0, 620, 380), 100, table};
};

TEST_F(ResultGridTest, AnswersCellsAndCheckBoxesThroughTheListViewAndTheirClicksOnNamedRows) {
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(CellText(List(), 0, 0), "beta.log");
    EXPECT_EQ(CellText(List(), 1, 1), "20");
    EXPECT_EQ(CellText(List(), 2, 6), "Text Document");
    ClickCheckBox(1);
    EXPECT_TRUE(table.Checked(2));
    EXPECT_EQ(CheckImageOf(List(), 1), 2u);
    EXPECT_EQ(CheckImageOf(List(), 0), 1u);

    table.SetCell(3, 0, "");  // a row without a name has no check box
    grid.Refresh();
    EXPECT_EQ(CheckImageOf(List(), 2), 0u);
    grid.SelectAll();
    EXPECT_FALSE(table.Checked(3));
}

TEST_F(ResultGridTest, ANameColumnOtherThanTheFirstCarriesTheCheckBoxesInTableOrder) {
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
    LVCOLUMNW size{};
    size.mask = LVCF_FMT;
    SendMessageW(list, LVM_GETCOLUMNW, 2, reinterpret_cast<LPARAM>(&size));
    EXPECT_EQ(size.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
}

TEST_F(ResultGridTest, LettersSelectByNameTheListsSelectionReachesTheTableAndHeadersReport) {
    std::vector<std::size_t> clicked;
    grid.OnHeaderClick([&](std::size_t column) { clicked.push_back(column); });
    SetFocus(List());
    // "a" finds "Apple.tmp" before "apple.txt"; a capital matches only a capital.
    for (const auto& [key, row] : {std::pair{L'a', 2u}, {L'B', 2u}, {L'7', 2u}, {L'b', 1u}}) {
        SendMessageW(List(), WM_CHAR, key, 1);
        EXPECT_EQ(table.SelectedRow(), row) << static_cast<char>(key);
    }
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(List(), LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(table.SelectedRow(), 3u);

    RECT r{};
    SendMessageW(ListView_GetHeader(List()), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    DragHeader(r.left + 20, r.left + 20);
    EXPECT_EQ(clicked, std::vector<std::size_t>{1});
    EXPECT_EQ(table.SelectedRow(), 3u);
    // A dragged divider gives the table its new width.
    SendMessageW(ListView_GetHeader(List()), HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    DragHeader(r.right - 1, r.right + 30);
    EXPECT_EQ(table.ColumnAt(0).width, 161);
}

TEST_F(ResultGridTest, CustomDrawTakesTheRowsColoursAndFont) {
    table.SetStyle(2, {0x00FFFF00u, 0x000000u, true, false});
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {List(), 100, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.hdc = GetDC(List());
    draw.nmcd.dwDrawStage = CDDS_ITEMPREPAINT | CDDS_SUBITEM;
    const struct {
        DWORD_PTR item;
        LRESULT result;
        COLORREF text, back;
        LONG weight;
    } rows[] = {{1, CDRF_NEWFONT, RGB(0, 0, 0), RGB(0, 255, 255), FW_BOLD},
                {0, CDRF_DODEFAULT, RGB(1, 2, 3), RGB(1, 2, 3), 0}};
    for (const auto& row : rows) {
        draw.nmcd.dwItemSpec = row.item;
        draw.clrText = draw.clrTextBk = RGB(1, 2, 3);
        EXPECT_EQ(SendMessageW(host.Handle(), WM_NOTIFY, 100, reinterpret_cast<LPARAM>(&draw)),
                  row.result);
        EXPECT_EQ(draw.clrText, row.text) << row.item;
        EXPECT_EQ(draw.clrTextBk, row.back) << row.item;
        if (!row.weight) continue;
        LOGFONTW font{};
        GetObjectW(GetCurrentObject(draw.nmcd.hdc, OBJ_FONT), sizeof font, &font);
        EXPECT_EQ(font.lfWeight, row.weight);
    }
    ReleaseDC(List(), draw.nmcd.hdc);
    UpdateWindow(List());  // a real paint through the same path
}

TEST_F(ResultGridTest, RefreshFollowsRemovedRowsDownToTheBlankRow) {
    table.SelectRow(2);
    table.RemoveRow(1);
    grid.Refresh();
    EXPECT_EQ(CellText(List(), 1, 0), "apple.txt");
    EXPECT_EQ(Selected(List()), 1);
    table.Clear();
    grid.Refresh();
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(CheckImageOf(List(), 0), 0u);
    EXPECT_EQ(Selected(List()), -1);
}

}  // namespace
}  // namespace sorvane::testing
