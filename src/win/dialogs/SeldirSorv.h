#pragma once
// The modal "Select a directory" dialog: a tree of the drives and their directories, with OK
// allowed only once the picked directory's drive has a medium in it or the user has been asked
// to insert one.
#include <memory>
#include <optional>
#include <string>

#include "win/framework/AppContext.h"
#include "win/framework/Form.h"
#include "win/widgets/AnchorLayout.h"
#include "win/widgets/DirectoryTree.h"

namespace sorvane {

class TForm5 : public Form, public IDirectoryPicker {
  public:
    enum ControlId { kAcceptbtn = IDOK, kCancelbtn = IDCANCEL, kSelectdir = 1001, kPanel1 = 1002 };

    explicit TForm5(AppContext& context);

    // Shows the dialog modally over `owner` (which is disabled meanwhile; nullptr for none)
    // and returns the picked directory after OK, nothing after Cancel or closing. Ending the
    // program while it is open ends it as Cancel and leaves the end request to the caller's
    // event loop.
    std::optional<PickedDirectory> Execute(HWND owner = nullptr) override;
    bool Running() const { return running_; }

    HWND Control(ControlId id) const { return GetDlgItem(Handle(), id); }
    DirectoryTree& Selectdir() { return *selectdir_; }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    enum class Outcome { kOpen, kOk, kCancel };

    void FormShow();
    void SelectdirClick();
    void AcceptbtnClick();
    void End(Outcome outcome);
    void Layout();

    AnchorLayout layout_;
    std::unique_ptr<DirectoryTree> selectdir_;
    bool running_ = false;
    bool asking_ = false;
    Outcome outcome_ = Outcome::kOpen;
};

}  // namespace sorvane
