#include "win/shortcuts/ShortcutSorv.h"

namespace sorvane {

TForm3::TForm3(AppContext& context) : Form(context, L"TForm3") {
    CreateForm("Sorvane v.203 - Check Startmenu And Desktop Shortcuts", WS_OVERLAPPEDWINDOW, 0,
               {454, 444});
}

}  // namespace sorvane
