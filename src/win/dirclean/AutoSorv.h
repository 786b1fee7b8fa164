#pragma once
// The progress window of unattended work: start-up and timed directory cleans and the start-up
// shortcut scan.
#include "win/framework/AppContext.h"
#include "win/framework/Form.h"

namespace sorvane {

class TForm9 : public Form {
  public:
    explicit TForm9(AppContext& context);

  private:
};

}  // namespace sorvane
