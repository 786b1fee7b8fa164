#pragma once
// A window as its passes see it: the status bar, the caption and the busy state, recorded,
// with the window's pass runner.
#include <functional>
#include <string>
#include <vector>

#include "core/app/PassRunner.h"

namespace sorvane::test {

// A test may react to each status and caption as the user would.
struct RecordingView final : IPassView {
    void SetStatus(const std::string& text) override {
        status = text;
        statuses.push_back(text);
        if (onStatus) onStatus(text);
    }
    void SetCaption(const std::string& text) override {
        captions.push_back(text);
        if (onCaption) onCaption(text);
    }
    void SetBusy(bool on, bool) override { busy = on; }
    std::string status = "Ready...";
    std::vector<std::string> statuses, captions;
    bool busy = false;
    std::function<void(const std::string&)> onStatus, onCaption;
    PassGate gate;
    PassRunner runner{gate, *this};
};

}  // namespace sorvane::test
