#pragma once
// The system's tick count and local time.
#include "core/platform/Clock.h"

namespace sorvane {

class WinClock final : public IClock {
  public:
    std::uint64_t Milliseconds() override;
    DateTime Now() override;
    FileTime UtcNow() override;
};

}  // namespace sorvane
