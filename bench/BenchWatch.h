#pragma once
// What the benchmarks watch while the program works: the time between turns of its event
// pump, how long a window of its went unserved, and the peak working set.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <functional>

#include "core/platform/EventPump.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point from, Clock::time_point to = Clock::now()) {
    return std::chrono::duration<double>(to - from).count();
}

inline double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The program's event pump, noting the longest stretch between two of its turns; `afterTurn`,
// when set, runs after each (where the bench presses Stop, as a click would arrive).
class GapPump final : public sorvane::IEventPump {
  public:
    explicit GapPump(sorvane::IEventPump& inner) : inner_(inner) {}
    void Start() {
        start_ = last_ = Clock::now();
        longest_ = longestEnd_ = 0;
        calls_ = 0;
    }
    void ProcessPending() override {
        Note();
        inner_.ProcessPending();
        ++calls_;
        if (afterTurn) afterTurn();
        last_ = Clock::now();
    }
    // Also counts the stretch from the last turn up to now.
    void Note() {
        const auto now = Clock::now();
        const double gap = Milliseconds(last_, now);
        if (gap > longest_) {
            longest_ = gap;
            longestEnd_ = Seconds(start_, now);
        }
    }

    double LongestMs() const { return longest_; }
    // When that gap ended, in seconds from the start.
    double LongestEnd() const { return longestEnd_; }
    std::size_t Calls() const { return calls_; }

    std::function<void()> afterTurn;

  private:
    sorvane::IEventPump& inner_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point last_ = start_;
    double longest_ = 0;
    double longestEnd_ = 0;
    std::size_t calls_ = 0;
};

// A window with a 10 ms timer: the longest stretch between its timer messages is how long the
// program's windows went unserved, whoever ran the events (our pump or a loop of the shell's).
struct TimerWatch {
    static constexpr UINT kPeriodMs = 10;
    static inline TimerWatch* current = nullptr;
    Clock::time_point last = Clock::now();
    double longest = 0;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
        if (message == WM_TIMER && current != nullptr) {
            const auto now = Clock::now();
            current->longest = std::max(current->longest, Milliseconds(current->last, now));
            current->last = now;
            return 0;
        }
        return DefWindowProcW(window, message, w, l);
    }
    void Start() {
        last = Clock::now();
        longest = 0;
        current = this;
    }
    void Stop() {
        longest = std::max(longest, Milliseconds(last, Clock::now()));
        current = nullptr;
    }
};

inline double PeakMiB() {
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    return static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace bench
