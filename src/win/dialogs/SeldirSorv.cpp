#include "dialogs/SeldirSorv.h"

namespace sorvane {

namespace {
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
}  // namespace

TForm5::TForm5(AppContext& context) : Form(context.app, L"TForm5"), context_(context) {
    CreateForm("Select a directory", kStyle, 0, OuterForClient(277, 312, kStyle, 0));
}

}  // namespace sorvane
