#pragma once
// Clean Directories: the target directories with their cleaning options and schedule.
#include "win/framework/AppContext.h"
#include "win/framework/Form.h"

namespace sorvane {

class TForm6 : public Form, public IDirectoryCleaning {
  public:
    explicit TForm6(AppContext& context);
    // True while the window is open.
    bool WindowShown() const override { return Visible(); }
    // Cleans every target directory now.
    void CleanAll() override;
    // Cleans every target directory under the progress window.
    void RunUnattendedClean() override;

  private:
};

}  // namespace sorvane
