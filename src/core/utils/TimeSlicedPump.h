#pragma once
// Hands control to the event loop during a long pass, but only once per time slice:
// letting events run after every entry would cost more than the pass itself.
#include <cstdint>

#include "core/platform/Clock.h"
#include "core/platform/EventPump.h"

namespace sorvane {

// How long a pass lets events wait between two turns of the event loop: short enough that a
// slow entry or block in between still keeps them under 50 ms.
inline constexpr std::uint32_t kEventTurnMs = 15;

class TimeSlicedPump {
  public:
    TimeSlicedPump(IEventPump& pump, IClock& clock)
        : pump_(pump), clock_(clock), last_(clock.Milliseconds()) {}

    // Call after every entry: runs pending events when the slice has passed. True when they
    // ran, so the caller can pick up what they changed.
    bool Tick() {
        const std::uint64_t now = clock_.Milliseconds();
        if (now - last_ < kEventTurnMs) return false;
        Run(now);
        return true;
    }
    // Runs pending events now, before a step that holds them a while.
    void Flush() { Run(clock_.Milliseconds()); }

  private:
    void Run(std::uint64_t now) {
        pump_.ProcessPending();
        last_ = now;
    }
    IEventPump& pump_;
    IClock& clock_;
    std::uint64_t last_;
};

// Empties a long container (from its end where it has one), letting events run now and then:
// freeing a million entries at once would hold them up.
template <typename Container>
void ReleaseInSlices(Container& items, TimeSlicedPump& pump) {
    while (!items.empty()) {
        if ((items.size() & 0x3FF) == 0) pump.Tick();
        if constexpr (requires { items.pop_back(); }) {
            items.pop_back();
        } else {
            items.erase(items.begin());
        }
    }
    Container().swap(items);
    pump.Tick();
}

}  // namespace sorvane
