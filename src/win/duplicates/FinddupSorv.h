#pragma once
// Find Duplicate Files: files that agree in name, size, date or content.
#include "win/app/AppContext.h"
#include "win/app/Form.h"

namespace sorvane {

class TForm7 : public Form {
  public:
    explicit TForm7(AppContext& context);

  private:
    AppContext& context_;
};

}  // namespace sorvane
