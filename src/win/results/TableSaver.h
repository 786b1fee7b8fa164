#pragma once
// A result window's Save menu: asks for the file name (and, for a page, its title) and writes
// the report. Tests answer the save dialog and the title box through the chooser and the
// input box they put in place of the platform's.
#include <windows.h>

#include <memory>

#include "core/platform/Platform.h"
#include "core/results/Reports.h"
#include "win/widgets/InputBox.h"
#include "win/widgets/SaveDialog.h"

namespace sorvane {

class TableSaver {
  public:
    TableSaver(HWND owner, Platform& platform, PassRunner& runner);

    // "As HTML File" and "As Formatted Text File". A cancelled dialog writes nothing and
    // leaves the status bar alone.
    void SaveHtml(const ResultTable& table);
    void SaveText(const ResultTable& table);

    // Puts a chooser or an input box in place of the platform's; nullptr goes back to it.
    void UseChooser(IFileChooser* chooser) { chooser_ = chooser ? chooser : &winChooser_; }
    void UseInputBox(IInputBox* box) { inputBox_ = box ? box : &winInputBox_; }

  private:
    std::optional<std::string> ChooseName(int filterIndex);

    ReportWriter writer_;
    WinFileChooser winChooser_;
    WinInputBox winInputBox_;
    IFileChooser* chooser_ = &winChooser_;
    IInputBox* inputBox_ = &winInputBox_;
};

}  // namespace sorvane
