#pragma once
// A window as its passes see it: the status bar, the caption and the busy state, recorded,
// with the window's pass runner.
#include <string>
#include <vector>

#include "core/app/PassRunner.h"

namespace sorvane::test {

struct RecordingView final : IPassView {
    void SetStatus(const std::string& text) override { status = text; }
    void SetCaption(const std::string& text) override { captions.push_back(text); }
    void SetBusy(bool on, bool) override { busyCalls.push_back(on); }
    std::string status = "Ready...";
    std::vector<std::string> captions;
    std::vector<bool> busyCalls;
    PassGate gate;
    PassRunner runner{gate, *this};
};

}  // namespace sorvane::test
