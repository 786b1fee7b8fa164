#include "core/app/PassRunner.h"

#include <algorithm>

namespace sorvane {

void PassGate::RunWhenIdle(const std::string& key, std::function<void()> work) {
    if (!Busy()) {
        work();
        return;
    }
    const auto same = [&key](const auto& entry) { return entry.first == key; };
    if (std::find_if(waiting_.begin(), waiting_.end(), same) == waiting_.end()) {
        waiting_.emplace_back(key, std::move(work));
    }
}

void PassGate::StopAll() {
    if (active_) active_->Stop();
}

bool PassGate::Enter(PassRunner& runner) {
    if (active_) return false;
    active_ = &runner;
    return true;
}

void PassGate::RunWaiting() {
    // Each waiting piece of work may run a pass of its own; what comes due during that one
    // waits for its end in turn.
    while (!waiting_.empty() && !Busy()) {
        std::function<void()> work = std::move(waiting_.front().second);
        waiting_.erase(waiting_.begin());
        work();
    }
}

bool PassRunner::Run(Kind kind, const std::function<void()>& work) {
    if (!gate_.Enter(*this)) {
        view_.SetStatus(kPassBusyStatus);
        return false;
    }
    {
        // Whichever way the work ends, the window comes back from busy.
        struct Scope {
            PassRunner& runner;
            bool stoppable;
            Scope(PassRunner& r, bool s) : runner(r), stoppable(s) {
                runner.active_ = runner.running_ = true;
                runner.view_.SetBusy(true, stoppable);
            }
            ~Scope() {
                runner.active_ = runner.running_ = false;
                runner.gate_.Leave();
                runner.view_.SetBusy(false, stoppable);
            }
        } scope(*this, kind == Kind::kStoppable);
        work();
    }
    gate_.RunWaiting();
    return true;
}

}  // namespace sorvane
