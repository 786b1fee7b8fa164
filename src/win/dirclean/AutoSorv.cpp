#include "win/dirclean/AutoSorv.h"

namespace sorvane {

TForm9::TForm9(AppContext& context) : Form(context, L"TForm9") {
    CreateForm("Sorvane v2.03", WS_CAPTION | WS_SYSMENU, 0, {360, 150});
    // Centred at the top edge of the screen.
    MoveTo(GetSystemMetrics(SM_CXSCREEN) / 2 - OuterSize().width / 2, 1);
}

}  // namespace sorvane
