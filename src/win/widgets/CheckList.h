#pragma once
// A list of texts with a check box each: a one-column list view with check boxes, so the
// items and their states answer the standard list-view messages (LVM_GETITEMSTATE and so on).
#include <windows.h>

#include <functional>
#include <string>

#include "win/platform/WinHandles.h"
#include "win/framework/Window.h"

namespace sorvane {

class CheckList {
  public:
    struct Options {
        // Items are kept in order of their texts, compared without regard to letter case.
        bool sorted = false;
        // Called with the item's index when the user (or an automation tool) changes a check
        // box; changes made through SetChecked and Add are the program's own and not reported.
        std::function<void(int index)> checkChanged;
    };
    CheckList(HWND parent, RECT bounds, int id, Options options);

    HWND Handle() const { return list_.Get(); }

    // Adds an item and returns its index.
    int Add(const std::string& text, bool checked = false);
    void Remove(int index);
    void Clear();
    int Count() const;
    std::string Text(int index) const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);
    // The selected item, -1 when none is.
    int Selected() const;
    void Select(int index);

  private:
    int InsertionIndex(const std::string& text) const;
    void OnEvent(const ControlEvent& event);

    UniqueWindow list_;
    Options options_;
    bool ownChange_ = false;
    ControlRoute route_;
};

}  // namespace sorvane
