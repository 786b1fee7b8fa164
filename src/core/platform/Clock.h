#pragma once
// Time sources and periodic timers whose ticks reach the user-interface thread.
#include <cstdint>
#include <functional>
#include <memory>

#include "core/platform/FileSystem.h"
#include "core/platform/Locale.h"

namespace sorvane {

class IClock {
  public:
    virtual ~IClock() = default;
    // A monotonic millisecond count for measuring intervals.
    virtual std::uint64_t Milliseconds() = 0;
    // The current local date and time.
    virtual DateTime Now() = 0;
    // The current time as the file system keeps times (UTC).
    virtual FileTime UtcNow() = 0;
};

// A running periodic timer; it stops when the object goes.
class ITimer {
  public:
    virtual ~ITimer() = default;
};

class ITimerService {
  public:
    virtual ~ITimerService() = default;
    // Calls `tick` every `periodMs` milliseconds on the user-interface thread.
    virtual std::unique_ptr<ITimer> Start(std::uint32_t periodMs, std::function<void()> tick) = 0;
};

}  // namespace sorvane
