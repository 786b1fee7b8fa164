#pragma once
// Real windows of the program on the test's display, with the fake platform behind them so
// that questions are answered by script and drives are what the test says.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FakePlatform.h"
#include "win/app/FormSet.h"
#include "win/app/MainSorv.h"
#include "win/app/MenuIds.h"
#include "win/dialogs/AboutSorv.h"
#include "win/dialogs/SeldirSorv.h"
#include "win/dirclean/AutoSorv.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/framework/AppContext.h"
#include "win/framework/Application.h"
#include "win/framework/ToolForm.h"
#include "win/framework/Window.h"
#include "win/history/HistorySorv.h"
#include "win/platform/Utf.h"
#include "win/settings/GeneralSorv.h"
#include "win/shortcuts/ShortcutSorv.h"
#include "win/utils/Controls.h"

namespace sorvane::testing {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The settings file of the test's user beside the program.
constexpr char kIni[] = "C:\\Tools\\guest.INI";

void PumpMessages();

// Every control of a window, on its pages and panels too.
std::vector<HWND> Descendants(HWND window);

// A button clicked as the user would, and what the click caused handled.
void Click(HWND button);

// Runs `action`, which enters a modal loop, and hands `inside` the visible top-level window of
// `className` (and `caption`, when given) once it is up; `inside` must end the loop.
void WhileModal(const std::function<void()>& action, const wchar_t* className,
                const std::function<void(HWND)>& inside, const wchar_t* caption = nullptr);

// The directory picker as a test scripts it: hands out the queued directories, one per
// showing, then nothing (Cancel).
struct QueuedPicker final : IDirectoryPicker {
    std::deque<PickedDirectory> next;
    std::optional<PickedDirectory> Execute(HWND) override {
        if (next.empty()) return std::nullopt;
        PickedDirectory picked = next.front();
        next.pop_front();
        return picked;
    }
};

// A top-level window standing in for a tool window: it records the commands reaching it.
class HostWindow : public Window {
  public:
    HostWindow();
    std::vector<std::pair<int, UINT>> commands;  // id and notification code

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// One of the four tool windows, for what they all have from their base and their list pane.
struct ToolWindow {
    const char* name;
    std::function<std::unique_ptr<ToolForm>(AppContext&)> make;
    std::function<HWND(ToolForm&, int)> control;
    int list, remove;  // an editable list and its button
    const char* lost;  // settings that put the window on a monitor that is gone
};
std::vector<ToolWindow> FourToolWindows();

class ProgramWindows : public ::testing::Test {
  protected:
    ProgramWindows();
    void TearDown() override;

    // Creates every window in the start-up order on the fake platform.
    void Start();
    // The application and its context alone, for a test that makes only the windows it needs.
    AppContext& Context();
    // Ends the windows, the context and the application, as the end of the program would.
    void Restart();
    std::string Ini() { return fake.settings.FileText(kIni); }

    FakePlatform fake;
    std::unique_ptr<Application> app;
    std::unique_ptr<AppContext> context;
    std::unique_ptr<FormSet> forms;
};

// One window of type W over the context alone.
template <class W>
class OneWindow : public ProgramWindows {
  protected:
    void TearDown() override {
        window.reset();  // before the context it uses
        progress.reset();
        ProgramWindows::TearDown();
    }
    W& Open() {
        if (!window) window = std::make_unique<W>(Context());
        window->Show();
        PumpMessages();
        return *window;
    }
    W& Form() { return *window; }
    // The progress window, made on first use and known to the context.
    TForm9& Progress() {
        if (!progress) Context().progress = (progress = std::make_unique<TForm9>(Context())).get();
        return *progress;
    }
    HWND Item(auto id) { return window->Control(id); }
    void ClickItem(auto id) { Click(Item(id)); }
    bool ItemChecked(auto id) { return SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    template <class Id>
    std::vector<bool> Checks(std::initializer_list<Id> ids) {
        std::vector<bool> checked;
        for (const Id id : ids) checked.push_back(ItemChecked(id));
        return checked;
    }
    std::vector<std::string> Texts(auto id) { return ListBoxTexts(Item(id)); }
    void SelectEntry(auto id, int index) {
        SendMessageW(Item(id), LB_SETCURSEL, index, 0);
        PumpMessages();
    }
    void Key(auto id, WPARAM key) { SendMessageW(Item(id), WM_KEYDOWN, key, 0); }
    // A track bar moved and let go, as its window hears of it.
    void MoveSlider(auto id, int position) {
        const HWND slider = Item(id);
        SendMessageW(slider, TBM_SETPOS, TRUE, position);
        for (const WPARAM code : {MAKEWPARAM(TB_THUMBTRACK, position), WPARAM{TB_ENDTRACK}})
            SendMessageW(GetParent(slider), WM_HSCROLL, code, reinterpret_cast<LPARAM>(slider));
        PumpMessages();
    }
    // One column of the window's result table, below its heading row.
    std::vector<std::string> Column(std::size_t column) {
        std::vector<std::string> cells;
        for (std::size_t row = 1; row < Form().Table().RowCount(); ++row)
            cells.push_back(Form().Table().Cell(row, column));
        return cells;
    }
    void Command(int id) {
        SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        PumpMessages();
    }
    void SetText(int id, const std::string& text) {
        SetWindowTextW(Item(id), std::wstring(text.begin(), text.end()).c_str());
        PumpMessages();
    }
    void CloseWindow() {
        SendMessageW(window->Handle(), WM_CLOSE, 0, 0);
        PumpMessages();
    }
    void RestartWindow() {
        window.reset();
        progress.reset();
        Restart();
    }

    std::unique_ptr<W> window;
    std::unique_ptr<TForm9> progress;
};

}  // namespace sorvane::testing
