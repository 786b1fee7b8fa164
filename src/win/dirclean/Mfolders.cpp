#include "win/dirclean/Mfolders.h"

namespace sorvane {

TForm6::TForm6(AppContext& context) : Form(context, L"TForm6") {
    CreateForm("Sorvane v2.03 - Clean Directories", WS_OVERLAPPEDWINDOW, 0, {600, 420});
}

}  // namespace sorvane

namespace sorvane {

void TForm6::CleanAll() {}

void TForm6::RunUnattendedClean() {}

}  // namespace sorvane
