#pragma once
// Check Shortcuts: dead shortcuts and empty directories in the Start Menu and on the Desktop.
#include "win/framework/AppContext.h"
#include "win/framework/Form.h"

namespace sorvane {

class TForm3 : public Form {
  public:
    explicit TForm3(AppContext& context);

  private:
};

}  // namespace sorvane
