#include "win/app/FormSet.h"

#include "win/app/MainSorv.h"
#include "win/dialogs/AboutSorv.h"
#include "win/dialogs/SeldirSorv.h"
#include "win/dirclean/AutoSorv.h"
#include "win/dirclean/Mfolders.h"
#include "win/driveclean/CleanDriSorv.h"
#include "win/duplicates/FinddupSorv.h"
#include "win/settings/GeneralSorv.h"
#include "win/shortcuts/ShortcutSorv.h"

namespace sorvane {

namespace {
// Creates one window and publishes it to the windows created after it.
template <typename T>
void CreateInto(std::unique_ptr<T>& owner, T*& published, AppContext& context) {
    owner = std::make_unique<T>(context);
    published = owner.get();
}
}  // namespace

FormSet::FormSet(Application& app, Platform& platform) : context_{app, platform, {}} {
    Forms& f = context_.forms;
    CreateInto(main_, f.main, context_);
    CreateInto(progress_, f.progress, context_);
    CreateInto(general_, f.general, context_);
    CreateInto(shortcuts_, f.shortcuts, context_);
    CreateInto(about_, f.about, context_);
    CreateInto(directories_, f.directories, context_);
    CreateInto(picker_, f.picker, context_);
    CreateInto(duplicates_, f.duplicates, context_);
    CreateInto(driveClean_, f.driveClean, context_);
}

FormSet::~FormSet() {
    // Last created, first destroyed; the main window and its tray icon go last.
    driveClean_.reset();
    duplicates_.reset();
    picker_.reset();
    directories_.reset();
    about_.reset();
    shortcuts_.reset();
    general_.reset();
    progress_.reset();
    main_.reset();
}

}  // namespace sorvane
