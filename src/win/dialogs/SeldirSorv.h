#pragma once
// The modal "Select a directory" dialog.
#include "app/AppContext.h"
#include "app/Form.h"

namespace sorvane {

class TForm5 : public Form {
  public:
    explicit TForm5(AppContext& context);

  private:
    AppContext& context_;
};

}  // namespace sorvane
