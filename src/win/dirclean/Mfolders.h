#pragma once
// Clean Directories: the target directories with their cleaning options and schedule.
#include "win/app/AppContext.h"
#include "win/app/Form.h"

namespace sorvane {

class TForm6 : public Form {
  public:
    explicit TForm6(AppContext& context);
    // True while the window is open.
    bool WindowShown() const { return Visible(); }
    // Cleans every target directory now.
    void CleanAll();
    // Cleans every target directory under the progress window.
    void RunUnattendedClean();

  private:
    AppContext& context_;
};

}  // namespace sorvane
