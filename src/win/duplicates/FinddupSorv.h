#pragma once
// Find Duplicate Files: files that agree in name, size, date or content.
#include "win/framework/AppContext.h"
#include "win/framework/Form.h"

namespace sorvane {

class TForm7 : public Form {
  public:
    explicit TForm7(AppContext& context);

  private:
};

}  // namespace sorvane
