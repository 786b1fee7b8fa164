#include "driveclean/CleanDriSorv.h"

#include "settings/GeneralSorv.h"

namespace sorvane {

TForm8::TForm8(AppContext& context) : Form(context.app, L"TForm8"), context_(context) {
    CreateForm("Sorvane v2.03 - Clean Drive(s)", WS_OVERLAPPEDWINDOW, 0, {639, 451});

    // The last step of start-up: offer to leave once the start-up tasks have run.
    if (context.forms.general->ExitAfterTasksOption() &&
        context.platform.prompts.Confirm("Exit Sorvane?")) {
        context.app.Terminate();
    }
}

}  // namespace sorvane
