// The "Select a directory" dialog, driven as a user would: entries are
// selected in the tree and buttons clicked while the dialog's own modal loop runs.

#include "WindowTestSupport.h"

namespace sorvane::testing {
namespace {

constexpr ClusterSpace kSpace{8, 512, 1000, 20000};
constexpr char kAskE[] = "Insert Disk Into Drive E:\\\r\nWhen Ready Press OK";

class DirectoryPicker : public OneWindow<TForm5> {
  protected:
    void SetUp() override {
        fake.drives.AddDrive('A', {drive::kRemovable, kSpace, true});
        fake.drives.AddDrive('C', {drive::kFixed, kSpace, true});
        fake.drives.AddDrive('E', {drive::kCdRom, {}, false});
        fake.fs.AddDir("C:\\Windows\\System");
        window = std::make_unique<TForm5>(Context());
    }
    // Runs the picker with `user` working in it; closes what the user left open.
    std::optional<PickedDirectory> Run(const std::function<void()>& user, HWND owner = nullptr) {
        std::optional<PickedDirectory> result;
        WhileModal([&] { result = Form().Execute(owner); }, L"TForm5",
                   [&](HWND) {
                       user();
                       if (Form().Running()) CloseWindow();
                   });
        return result;
    }
    bool OkEnabled() { return IsWindowEnabled(Item(TForm5::kAcceptbtn)) != FALSE; }
    void Select(const std::string& path) {
        const HTREEITEM item = Form().Selectdir().Reveal(path);
        ASSERT_NE(item, nullptr) << path;
        TreeView_SelectItem(Form().Selectdir().Tree(), item);
    }
};

// A fixed disk is accepted at once and each showing starts afresh; closing the picker or
// ending the program cancels, and the owner takes input again.
TEST_F(DirectoryPicker, AFixedDiskIsAcceptedAtOnceAndClosingOrEndingTheProgramCancels) {
    EXPECT_THAT(fake.drives.DirectoryChanges(), IsEmpty());  // no floppy touched yet
    const auto first = Run([&] {
        EXPECT_FALSE(OkEnabled());
        Select("C:\\Windows\\System");
        EXPECT_TRUE(OkEnabled());
        ClickItem(TForm5::kAcceptbtn);
    });
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->path + "|" + first->displayName, "C:\\Windows\\System|System");
    EXPECT_FALSE(Form().Visible());

    const HostWindow owner;
    const auto second = Run(
        [&] {
            EXPECT_FALSE(IsWindowEnabled(owner.Handle()) || OkEnabled());
            Select("C:\\");
            ClickItem(TForm5::kAcceptbtn);
        },
        owner.Handle());
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->path + "|" + second->displayName, "C:\\|Local Disk (C:)");
    EXPECT_THAT(fake.prompts.Questions(), IsEmpty());
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

    const auto closed = Run(
        [&] {
            Select("C:\\Windows");
            CloseWindow();
        },
        owner.Handle());
    EXPECT_FALSE(closed.has_value());
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(Run([&] { app->Terminate(); }, owner.Handle()).has_value());
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(Form().Visible());
    // The end request is left for the program's own loop.
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(DirectoryPicker, NothingAcceptsWhileOkIsOffAndAClickInTheTreeAsksAgain) {
    fake.prompts.QueueAnswers({false, true});
    const auto picked = Run([&] {
        Select("E:\\");
        EXPECT_FALSE(OkEnabled());
        ClickItem(TForm5::kAcceptbtn);
        SendMessageW(Form().Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(Form().Running());

        const HWND tree = Form().Selectdir().Tree();
        RECT client{};
        GetClientRect(tree, &client);
        const LPARAM below = MAKELPARAM(client.right / 2, client.bottom - 4);
        SendMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, below);
        SendMessageW(tree, WM_LBUTTONUP, 0, below);
        PumpMessages();
        EXPECT_TRUE(OkEnabled());
        ClickItem(TForm5::kAcceptbtn);
    });
    EXPECT_THAT(fake.prompts.Questions(), ElementsAre(kAskE, kAskE));
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->path, "E:\\");
}

}  // namespace
}  // namespace sorvane::testing
