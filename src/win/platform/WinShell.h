#pragma once
// The shell's file operations, type names, document launching and shortcut reading.
// ReadShortcut, and RestoreRecycled without an event pump, need COM initialised on the calling
// thread.
#include "core/platform/EventPump.h"
#include "core/platform/Shell.h"
#include "win/platform/WinApi.h"

#include <functional>
#include <string>

namespace sorvane {

class WinShell final : public IShell {
  public:
    // A recycle or move request can take minutes (a hundred thousand files under Wine), reading
    // a full bin seconds, and the search for a shortcut's moved target up to a second: they run on
    // a thread of their own while `events` keeps the program's windows served. Without `events` the
    // caller just waits.
    explicit WinShell(IEventPump* events = nullptr) : events_(events) {}

    // The window that owns the shell's progress and error windows; none until set.
    void SetOwner(HWND owner) { owner_ = owner; }

    bool RecycleFiles(const std::vector<std::string>& paths) override;
    RestoreResult RestoreRecycled(const std::string& originalPath) override;
    bool HasRecycleBin(const std::string& path) override;
    bool MoveFiles(const std::vector<std::string>& sources,
                   const std::vector<std::string>& destinations) override;
    std::string FileTypeName(const std::string& name) override;
    void RunDocument(const std::string& file, const std::string& parameters,
                     const std::string& directory, int showMode) override;
    ShortcutInfo ReadShortcut(const std::string& linkPath) override;

  private:
    // Runs one shell request off this thread, letting events run until it ends.
    bool OffThread(const std::function<bool()>& request);
    // Where the gone target of the shortcut at `linkPath` moved; empty when the search finds
    // nothing.
    std::wstring SearchMovedTarget(const std::wstring& linkPath);

    IEventPump* events_;
    HWND owner_ = nullptr;
};

}  // namespace sorvane
