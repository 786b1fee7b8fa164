#pragma once
// Asking the user for files: the name of a file to save, or existing files to pick. Windows
// ask through IFileChooser, so tests can answer in place of the platform's dialogs.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

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

struct OpenRequest {
    std::string filter;  // as for SaveRequest
    std::string title;
    std::string folder;  // where the dialog starts; empty: the platform's choice
};

class IFileChooser {
  public:
    virtual ~IFileChooser() = default;
    // The chosen name, or nothing when the user cancels.
    virtual std::optional<SaveChoice> Save(const SaveRequest& request) = 0;
    // Existing files, one or several, as full paths; shortcut files are given as themselves,
    // not as their targets. Empty when the user cancels.
    virtual std::vector<std::string> OpenFiles(const OpenRequest& request) = 0;
};

// The platform's save dialog. Replacing an existing file is confirmed in the dialog, the
// folder must exist, and the program's current directory is left as it was.
class WinFileChooser final : public IFileChooser {
  public:
    explicit WinFileChooser(HWND owner) : owner_(owner) {}
    std::optional<SaveChoice> Save(const SaveRequest& request) override;
    std::vector<std::string> OpenFiles(const OpenRequest& request) override;

  private:
    HWND owner_;
};

// The dialog's form of a '|'-separated filter: NUL separators and a closing double NUL.
std::wstring DialogFilter(const std::string& filter);

}  // namespace sorvane
