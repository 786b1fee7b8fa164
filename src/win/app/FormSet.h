#pragma once
// Creates every window of the program once, hidden, in the start-up order, and destroys them
// in the reverse order at exit. Start-up work runs inside the creation of the windows that own
// it, so the order matters. This is the one place that knows every window; the windows reach
// each other only through the AppContext it fills in.
#include <memory>

#include "win/app/TrayTools.h"
#include "win/framework/AppContext.h"

namespace sorvane {

class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm7;
class TForm8;
class TForm9;
class TForm10;

// The program's windows, in the order they are created.
struct Forms {
    std::unique_ptr<TForm1> main;         // drive pop-up, tray icon and menu
    std::unique_ptr<TForm9> progress;     // progress of unattended work
    std::unique_ptr<TForm2> general;      // General Options
    std::unique_ptr<TForm3> shortcuts;    // Check Shortcuts
    std::unique_ptr<TForm4> about;        // About
    std::unique_ptr<TForm6> directories;  // Clean Directories
    std::unique_ptr<TForm5> picker;       // Select a directory
    std::unique_ptr<TForm7> duplicates;   // Find Duplicate Files
    std::unique_ptr<TForm8> driveClean;   // Clean Drive(s)
    std::unique_ptr<TForm10> history;     // Cleaning History
};

class FormSet {
  public:
    explicit FormSet(AppContext& context);
    ~FormSet();
    FormSet(const FormSet&) = delete;
    FormSet& operator=(const FormSet&) = delete;

    AppContext& Context() { return context_; }
    const Forms& Get() const { return forms_; }

  private:
    AppContext& context_;
    TrayTools tools_;
    Forms forms_;
};

}  // namespace sorvane
