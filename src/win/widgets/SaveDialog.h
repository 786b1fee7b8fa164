#pragma once
// Asking the user for the name of a file to save. Windows ask through IFileChooser, so
// tests can answer in place of the platform's dialog.
#include <windows.h>

#include <optional>
#include <string>

namespace sorvane {

struct SaveRequest {
    // Pairs of description and pattern, all separated by '|':
    // "HTML Files(*.html)|*.html|Text Files(*.txt)|*.txt".
    std::string filter;
    int filterIndex = 1;  // the pair selected at the start, from 1
    std::string title;    // empty: the platform's own title
};

struct SaveChoice {
    std::string path;
    int filterIndex = 1;  // the pair selected when the user confirmed, from 1
};

class IFileChooser {
  public:
    virtual ~IFileChooser() = default;
    // The chosen name, or nothing when the user cancels.
    virtual std::optional<SaveChoice> Save(const SaveRequest& request) = 0;
};

// The platform's save dialog. Replacing an existing file is confirmed in the dialog, the
// folder must exist, and the program's current directory is left as it was.
class WinFileChooser final : public IFileChooser {
  public:
    explicit WinFileChooser(HWND owner) : owner_(owner) {}
    std::optional<SaveChoice> Save(const SaveRequest& request) override;

  private:
    HWND owner_;
};

// The dialog's form of a '|'-separated filter: NUL separators and a closing double NUL.
std::wstring DialogFilter(const std::string& filter);

}  // namespace sorvane
