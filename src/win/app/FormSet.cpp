#include "win/app/FormSet.h"

#include "win/app/MainSorv.h"
#include "win/dialogs/AboutSorv.h"
#include "win/dialogs/SeldirSorv.h"
#include "win/dirclean/AutoSorv.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/history/HistorySorv.h"
#include "win/settings/GeneralSorv.h"
#include "win/shortcuts/ShortcutSorv.h"

namespace sorvane {

FormSet::FormSet(AppContext& context) : context_(context) {
    Forms& f = forms_;
    f.main = std::make_unique<TForm1>(context, tools_);
    f.progress = std::make_unique<TForm9>(context);
    context.progress = f.progress.get();
    f.general = std::make_unique<TForm2>(context);
    tools_.windows[ToolWindow::kGeneral] = f.general.get();
    f.shortcuts = std::make_unique<TForm3>(context);
    tools_.windows[ToolWindow::kShortcuts] = f.shortcuts.get();
    f.about = std::make_unique<TForm4>(context);
    tools_.windows[ToolWindow::kAbout] = f.about.get();
    f.directories = std::make_unique<TForm6>(context);
    tools_.windows[ToolWindow::kDirectories] = f.directories.get();
    tools_.cleanSelectedDirectoriesNow = [this] {
        forms_.directories->CleanSelectedDirectoriesNow();
    };
    f.picker = std::make_unique<TForm5>(context);
    context.picker = f.picker.get();
    f.duplicates = std::make_unique<TForm7>(context);
    tools_.windows[ToolWindow::kDuplicates] = f.duplicates.get();
    f.driveClean = std::make_unique<TForm8>(context);
    tools_.windows[ToolWindow::kDriveClean] = f.driveClean.get();
    f.history = std::make_unique<TForm10>(context);
    tools_.windows[ToolWindow::kHistory] = f.history.get();
}

FormSet::~FormSet() {
    // Last created, first destroyed; the main window and its tray icon go last.
    tools_ = {};
    context_.picker = nullptr;
    context_.progress = nullptr;
    forms_.history.reset();
    forms_.driveClean.reset();
    forms_.duplicates.reset();
    forms_.picker.reset();
    forms_.directories.reset();
    forms_.about.reset();
    forms_.shortcuts.reset();
    forms_.general.reset();
    forms_.progress.reset();
    forms_.main.reset();
}

}  // namespace sorvane
