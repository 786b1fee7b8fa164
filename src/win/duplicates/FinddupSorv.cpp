#include "win/duplicates/FinddupSorv.h"

namespace sorvane {

TForm7::TForm7(AppContext& context) : Form(context, L"TForm7") {
    CreateForm("Sorvane v2.03 - Find Duplicate Files", WS_OVERLAPPEDWINDOW, 0, {633, 453});
}

}  // namespace sorvane
