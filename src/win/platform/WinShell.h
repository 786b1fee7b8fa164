#pragma once
// The shell's file operations, type names, document launching and shortcut reading.
// ReadShortcut needs COM initialised on the calling thread.
#include "core/platform/Shell.h"
#include "win/platform/WinApi.h"

namespace sorvane {

class WinShell final : public IShell {
  public:
    // The window that owns the shell's progress and error windows; none until set.
    void SetOwner(HWND owner) { owner_ = owner; }

    bool RecycleFiles(const std::vector<std::string>& paths) override;
    bool HasRecycleBin(const std::string& path) override;
    bool MoveFiles(const std::vector<std::string>& sources,
                   const std::vector<std::string>& destinations) override;
    std::string FileTypeName(const std::string& name) override;
    void RunDocument(const std::string& file, const std::string& parameters,
                     const std::string& directory, int showMode) override;
    ShortcutInfo ReadShortcut(const std::string& linkPath) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace sorvane
