#pragma once
// A tree of the drives and their directories on the platform's tree-view control. The drives are
// read when the tree is filled; a directory's subdirectories are read when it first expands, so
// no floppy or CD-ROM drive is touched before the user opens one.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/platform/Platform.h"
#include "win/platform/WinHandles.h"
#include "win/framework/Window.h"

namespace sorvane {

// Adds the small icon of a folder (SHGFI_OPENICON in `extraFlags`: an open one), asked for by
// attributes so that no disk is touched; its index, or -1 when the shell has none.
int AddFolderIcon(HIMAGELIST list, UINT extraFlags);

class DirectoryTree : public Window {
  public:
    struct Options {
        bool includeUnknownDrives = false;  // also drives whose type cannot be determined
        bool dragSource = false;            // report drags through SetOnBeginDrag
    };

    // Creates the tree, filled with the drives, as a child of `parent` covering `bounds`.
    DirectoryTree(HWND parent, Platform& platform, RECT bounds, int id, Options options);
    ~DirectoryTree() override;

    // The tree-view control itself, for focus, automation and tests.
    HWND Tree() const { return tree_; }
    void MoveTo(RECT bounds);

    // Back to the list of drives: every entry collapsed, nothing selected, and what was read
    // below the drives forgotten, so the next expansion reads the disk afresh. The drives
    // themselves are read again too.
    void CollapseAll();

    // The full path of the selected entry, "C:\" for a drive and "C:\Temp" for a directory;
    // nullopt when nothing is selected.
    std::optional<std::string> SelectedPath() const;
    // The selected entry as a scan location: its path without a trailing backslash ("C:" for
    // a drive); nullopt when nothing, or an entry without text, is selected.
    std::optional<std::string> SelectedLocation() const;
    // The selected entry's text as shown ("Temp", "Local Disk (C:)"); empty when none.
    std::string SelectedText() const;

    // The full path of an entry of this tree.
    std::string PathOf(HTREEITEM item) const;
    // The entry of `path`, expanding its parents as needed; nullptr when there is none or a
    // drive on the way has no medium.
    HTREEITEM Reveal(const std::string& path);

    // Called once each time the user picks: a click in the tree (also one that leaves the
    // selection as it was) or a selection moved by the keyboard or by a TVM_SELECTITEM from
    // outside.
    void SetOnPick(std::function<void()> handler) { onPick_ = std::move(handler); }
    // Called when the user starts dragging an entry, with its path; the entry is selected first.
    void SetOnBeginDrag(std::function<void(const std::string&)> handler) {
        onBeginDrag_ = std::move(handler);
    }

  protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    void Fill();
    void LoadIcons();
    // An icon of -1 leaves the entry without one.
    HTREEITEM Insert(HTREEITEM parent, const std::string& text, LPARAM data, int icon,
                     int selectedIcon);
    void AddPlaceholder(HTREEITEM item);
    // Reads the subdirectories of `item` unless done already; false when its drive has no
    // medium, so that it stays closed and can be tried again.
    bool EnsureLoaded(HTREEITEM item);
    std::string TextOf(HTREEITEM item) const;
    HTREEITEM FindChild(HTREEITEM parent, const std::string& name) const;
    LRESULT OnNotify(const NMHDR& header);
    void Pick();

    Platform& platform_;
    Options options_;
    HWND tree_ = nullptr;
    std::array<unsigned, 26> driveTypes_{};
    UniqueImageList images_;
    int folderIcon_ = -1;
    int openFolderIcon_ = -1;
    std::array<int, 7> driveIcons_{};  // by drive type code
    // Set while the tree changes its own items, so those changes are not taken as picks.
    bool quiet_ = false;
    std::unique_ptr<ControlRoute> route_;
    std::function<void()> onPick_;
    std::function<void(const std::string&)> onBeginDrag_;
};

}  // namespace sorvane
