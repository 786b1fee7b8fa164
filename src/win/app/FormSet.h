#pragma once
// Creates every window of the program once, hidden, in the start-up order, and destroys them
// in the reverse order at exit. Start-up work runs inside the creation of the windows that own
// it, so the order matters.
#include <memory>

#include "win/app/AppContext.h"

namespace sorvane {

class FormSet {
  public:
    FormSet(Application& app, Platform& platform);
    ~FormSet();
    FormSet(const FormSet&) = delete;
    FormSet& operator=(const FormSet&) = delete;

    AppContext& Context() { return context_; }
    Forms& Get() { return context_.forms; }

  private:
    AppContext context_;
    std::unique_ptr<TForm1> main_;
    std::unique_ptr<TForm9> progress_;
    std::unique_ptr<TForm2> general_;
    std::unique_ptr<TForm3> shortcuts_;
    std::unique_ptr<TForm4> about_;
    std::unique_ptr<TForm6> directories_;
    std::unique_ptr<TForm5> picker_;
    std::unique_ptr<TForm7> duplicates_;
    std::unique_ptr<TForm8> driveClean_;
};

}  // namespace sorvane
