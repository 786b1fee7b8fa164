#pragma once
// What a result window lends the shared table actions and reports: its status bar and its busy
// cursor.
#include <string>

namespace sorvane {

class IActionFeedback {
  public:
    virtual ~IActionFeedback() = default;
    // Replaces the text of the window's status bar.
    virtual void SetStatus(const std::string& text) = 0;
    // True saves the cursor and shows the hourglass; false puts the saved cursor back.
    virtual void SetBusy(bool busy) = 0;
};

// The hourglass for as long as the object lives, whichever way the action ends.
class BusyScope {
  public:
    explicit BusyScope(IActionFeedback& feedback) : feedback_(feedback) { feedback_.SetBusy(true); }
    ~BusyScope() { feedback_.SetBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    IActionFeedback& feedback_;
};

}  // namespace sorvane
