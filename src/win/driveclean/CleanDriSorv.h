#pragma once
// Clean Drive(s): files on chosen drives and directories that meet mask, size, date and attribute
// criteria.
#include "app/AppContext.h"
#include "app/Form.h"

namespace sorvane {

class TForm8 : public Form {
  public:
    explicit TForm8(AppContext& context);

  private:
    AppContext& context_;
};

}  // namespace sorvane
