#pragma once
// General Options: the options that belong to no single tool. Its applied values are what the
// other windows read: recycle or delete for good, the exit question after start-up, the drive
// pop-up.
#include "app/AppContext.h"
#include "app/Form.h"
#include "settings/GeneralOptions.h"

namespace sorvane {

class TForm2 : public Form {
  public:
    explicit TForm2(AppContext& context);

    bool RecycleOption() const { return applied_.recycle; }
    bool ExitAfterTasksOption() const { return applied_.exitAfterTasks; }
    bool DriveInfoOption() const { return applied_.driveInfo; }

  private:
    void ApplyTooltipOptions();

    AppContext& context_;
    GeneralOptions applied_;
};

}  // namespace sorvane
