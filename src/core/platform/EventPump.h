#pragma once
// Lets pending user-interface events run during a long pass on the one thread.
namespace sorvane {

class IEventPump {
  public:
    virtual ~IEventPump() = default;
    // Handles the events that are waiting, then returns. Costly: call it through
    // TimeSlicedPump, not once per entry.
    virtual void ProcessPending() = 0;
};

}  // namespace sorvane
