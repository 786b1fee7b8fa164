// The "Select a directory" dialog, driven as a user would: entries are
// selected in the tree and buttons clicked while the dialog's own modal loop runs.

#include "WindowTestSupport.h"
#include "win/dialogs/SeldirSorv.h"

namespace sorvane::testing {
namespace {

constexpr ClusterSpace kSpace{8, 512, 1000, 20000};
constexpr char kAskE[] = "Insert Disk Into Drive E:\\\r\nWhen Ready Press OK";

// Opens the picker and lets `user` work in it once its modal loop runs; closes it afterwards
// if the user left it open.
std::optional<PickedDirectory> RunPicker(TForm5& picker, const std::function<void()>& user,
                                         HWND owner = nullptr) {
    std::optional<PickedDirectory> result;
    WhileModal([&] { result = picker.Execute(owner); }, L"TForm5",
               [&](HWND) {
                   user();
                   if (picker.Running()) SendMessageW(picker.Handle(), WM_CLOSE, 0, 0);
               });
    return result;
}

bool OkEnabled(TForm5& picker) {
    return IsWindowEnabled(picker.Control(TForm5::kAcceptbtn)) != FALSE;
}

void Select(TForm5& picker, const std::string& path) {
    const HTREEITEM item = picker.Selectdir().Reveal(path);
    ASSERT_NE(item, nullptr) << path;
    TreeView_SelectItem(picker.Selectdir().Tree(), item);
}

class DirectoryPicker : public OneWindow<TForm5> {
  protected:
    void SetUp() override {
        fake.drives.AddDrive('A', {drive::kRemovable, kSpace, true});
        fake.drives.AddDrive('C', {drive::kFixed, kSpace, true});
        fake.drives.AddDrive('E', {drive::kCdRom, {}, false});
        fake.fs.AddDir("C:\\Windows\\System");
        window = std::make_unique<TForm5>(Context());
    }
};

TEST_F(DirectoryPicker, AFixedDiskIsAcceptedAtOnceAndEachShowingStartsAfresh) {
    TForm5& picker = Form();
    EXPECT_THAT(fake.drives.DirectoryChanges(), IsEmpty());  // no floppy touched yet

    const auto first = RunPicker(picker, [&] {
        EXPECT_FALSE(OkEnabled(picker));
        Select(picker, "C:\\Windows\\System");
        EXPECT_TRUE(OkEnabled(picker));
        Click(picker.Control(TForm5::kAcceptbtn));
    });
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->path + "|" + first->displayName, "C:\\Windows\\System|System");
    EXPECT_FALSE(picker.Visible());

    const auto second = RunPicker(picker, [&] {
        EXPECT_FALSE(OkEnabled(picker));
        Select(picker, "C:\\");
        Click(picker.Control(TForm5::kAcceptbtn));
    });
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->path + "|" + second->displayName, "C:\\|Local Disk (C:)");
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
}

TEST_F(DirectoryPicker, NothingAcceptsWhileOkIsOffAndAClickInTheTreeAsksAgain) {
    TForm5& picker = Form();
    fake.prompts.QueueAnswers({false, true});
    const auto picked = RunPicker(picker, [&] {
        Select(picker, "E:\\");
        EXPECT_FALSE(OkEnabled(picker));
        Click(picker.Control(TForm5::kAcceptbtn));
        SendMessageW(picker.Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(picker.Running());

        RECT client{};
        GetClientRect(picker.Selectdir().Tree(), &client);
        const LPARAM below = MAKELPARAM(client.right / 2, client.bottom - 4);
        SendMessageW(picker.Selectdir().Tree(), WM_LBUTTONDOWN, MK_LBUTTON, below);
        SendMessageW(picker.Selectdir().Tree(), WM_LBUTTONUP, 0, below);
        PumpMessages();
        EXPECT_TRUE(OkEnabled(picker));
        Click(picker.Control(TForm5::kAcceptbtn));
    });
    EXPECT_THAT(fake.prompts.Questions(), ElementsAre(kAskE, kAskE));
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->path, "E:\\");
}

TEST_F(DirectoryPicker, ClosingOrEndingTheProgramCancelsAndGivesTheOwnerBack) {
    TForm5& picker = Form();
    const HostWindow host;
    const HWND owner = host.Handle();
    const auto closed = RunPicker(
        picker,
        [&] {
            EXPECT_FALSE(IsWindowEnabled(owner));
            Select(picker, "C:\\Windows");
            SendMessageW(picker.Handle(), WM_CLOSE, 0, 0);
        },
        owner);
    EXPECT_FALSE(closed.has_value());
    EXPECT_TRUE(IsWindowEnabled(owner));

    const auto ended = RunPicker(
        picker, [&] { app->Terminate(); }, owner);
    EXPECT_FALSE(ended.has_value());
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(picker.Visible());
    // The end request is left for the program's own loop.
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

}  // namespace
}  // namespace sorvane::testing
