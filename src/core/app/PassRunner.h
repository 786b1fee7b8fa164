#pragma once
// Long passes (scans, deletes and moves of many files, scheduled cleans) run on the one
// user-interface thread and let events run as they go, so a tray command or a timer tick could
// start a second pass inside the first. The application's PassGate lets one pass run at a time
// and keeps the work that falls due meanwhile until the pass ends; every window runs its
// passes through a PassRunner of its own.
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace sorvane {

// Shown in the status bar when a command would start a pass while another one runs.
inline constexpr char kPassBusyStatus[] =
    "Another task is running. Try again when it has finished.";

// What a window shows of its passes.
class IPassView {
  public:
    virtual ~IPassView() = default;
    virtual void SetStatus(const std::string& text) = 0;
    // The whole caption, at each change of phase and at the end.
    virtual void SetCaption(const std::string& text) = 0;
    // While a pass runs: the hourglass, and for a pass that Stop can end, Scan off and Stop on.
    virtual void SetBusy(bool busy, bool stoppable) = 0;
};

class PassRunner;

class PassGate {
  public:
    PassGate() = default;
    PassGate(const PassGate&) = delete;
    PassGate& operator=(const PassGate&) = delete;

    bool Busy() const { return active_ != nullptr; }
    // Runs `work` now when no pass runs; otherwise once, as soon as the running pass ends.
    // Requests under one key that come while they wait are merged into one.
    void RunWhenIdle(const std::string& key, std::function<void()> work);
    // Lowers the running flag of the pass in progress (the program is ending).
    void StopAll();

  private:
    friend class PassRunner;
    bool Enter(PassRunner& runner);
    void Leave() { active_ = nullptr; }
    // Runs the work that waited for the pass that just ended.
    void RunWaiting();

    PassRunner* active_ = nullptr;
    std::vector<std::pair<std::string, std::function<void()>>> waiting_;
};

class PassRunner {
  public:
    enum class Kind {
        kStoppable,  // a scan: Stop and closing the window lower the running flag
        kAction,     // a delete or move: runs to its end
    };

    PassRunner(PassGate& gate, IPassView& view) : gate_(gate), view_(view) {}
    PassRunner(const PassRunner&) = delete;
    PassRunner& operator=(const PassRunner&) = delete;

    // Runs `work` as a pass of this window. When another pass of the program runs, nothing is
    // run, the status says so and the result is false. Whichever way `work` ends, the window
    // comes back from busy, and the work that fell due meanwhile runs next.
    bool Run(Kind kind, const std::function<void()>& work);

    // No pass of the program runs, so Run would start one now.
    bool CanRun() const { return !gate_.Busy(); }
    // A pass of this runner is in progress.
    bool Active() const { return active_; }
    // The running flag, tested by the pass after every entry.
    bool Running() const { return running_; }
    void Stop() { running_ = false; }

    void SetStatus(const std::string& text) { view_.SetStatus(text); }
    void SetCaption(const std::string& text) { view_.SetCaption(text); }

  private:
    PassGate& gate_;
    IPassView& view_;
    bool active_ = false;
    bool running_ = false;
};

}  // namespace sorvane
