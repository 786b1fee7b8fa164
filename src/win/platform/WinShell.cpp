#include "win/platform/WinShell.h"

#include <shellapi.h>
#include <shlobj.h>

#include <functional>
#include <thread>

#include "core/utils/AllUtils.h"
#include "win/platform/Utf.h"
#include "win/platform/WinHandles.h"

namespace sorvane {

namespace {

// The shell's path list: every path NUL-terminated and one more NUL after the last, so that
// any character a file name may hold stays part of its path.
std::wstring PathBlock(const std::vector<std::string>& paths) {
    std::wstring block;
    for (const std::string& path : paths) {
        block += Widen(path);
        block += L'\0';
    }
    block += L'\0';
    return block;
}

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// Creates the directory that will hold `destination` when it is missing. The shell is asked to
// do this itself (FOF_NOCONFIRMMKDIR), but Wine's shell cancels the move instead.
void MakeParentDirectory(const std::string& destination) {
    std::wstring parent = Widen(destination);
    const std::size_t slash = parent.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash == 0) return;
    parent.resize(slash);
    if (GetFileAttributesW(parent.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    // A failure here shows up as the move's own failure.
    SHCreateDirectoryExW(nullptr, parent.c_str(), nullptr);
}

// The file-system path of the shortcut's ID list; empty when it has none.
std::wstring IdListPath(IShellLinkW& link) {
    PIDLIST_ABSOLUTE idList = nullptr;
    if (link.GetIDList(&idList) != S_OK || idList == nullptr) return {};
    wchar_t path[MAX_PATH] = {};
    const BOOL ok = SHGetPathFromIDListW(idList, path);
    CoTaskMemFree(idList);
    return ok ? path : L"";
}

}  // namespace

bool WinShell::RecycleFiles(const std::vector<std::string>& paths) {
    // An empty block would read as "no source" and fail; there is simply nothing to do.
    if (paths.empty()) return true;
    // The path block is made off this thread too: for a big clean that alone takes a while.
    return OffThread([&] {
        const std::wstring from = PathBlock(paths);
        SHFILEOPSTRUCTW op{};
        op.hwnd = owner_;
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        // Where a file cannot go to the bin the shell would otherwise delete it for good unasked.
        op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING;
        return SHFileOperationW(&op) == 0;
    });
}

bool WinShell::HasRecycleBin(const std::string& path) {
    const std::string root = VolumeRootOf(path);
    if (root.empty()) return false;
    // Told by the drive's kind, not by asking the bin: that query counts every item in it, which
    // takes many seconds once it holds a big clean. Network shares, removable and optical drives
    // keep no bin. Where one was turned off on a fixed drive, the shell still warns before
    // deleting for good.
    switch (GetDriveTypeW(Widen(root).c_str())) {
        case DRIVE_FIXED:
        case DRIVE_RAMDISK:
            return true;
        default:
            return false;
    }
}

bool WinShell::MoveFiles(const std::vector<std::string>& sources,
                         const std::vector<std::string>& destinations) {
    if (sources.size() != destinations.size()) return false;
    if (sources.empty()) return true;
    return OffThread([&] {
        for (const std::string& destination : destinations) MakeParentDirectory(destination);
        const std::wstring from = PathBlock(sources);
        const std::wstring to = PathBlock(destinations);
        SHFILEOPSTRUCTW op{};
        op.hwnd = owner_;
        op.wFunc = FO_MOVE;
        op.pFrom = from.c_str();
        op.pTo = to.c_str();
        op.fFlags = FOF_NOCONFIRMMKDIR | FOF_ALLOWUNDO | FOF_NOCONFIRMATION;
        // With one pair the destination names the file; with more the shell would otherwise
        // take the first destination as a folder for all of them.
        if (sources.size() > 1) op.fFlags |= FOF_MULTIDESTFILES;
        return SHFileOperationW(&op) == 0;
    });
}

bool WinShell::OffThread(const std::function<bool()>& request) {
    if (events_ == nullptr) return request();
    const UniqueKernelHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done) return request();
    bool ok = false;
    // The shell's own windows (progress, the warning before deleting for good) belong to the
    // worker and are owned by ours, which stay live: this thread keeps handling their events.
    std::thread worker([&request, &ok, event = done.Get()] {
        const ComApartment apartment;
        try {
            ok = request();
        } catch (...) {
            ok = false;  // out of memory for the path block: nothing was asked of the shell
        }
        SetEvent(event);
    });
    const HANDLE event = done.Get();
    // Wakes for the end of the request or for events that came since the last look.
    while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        events_->ProcessPending();
    }
    worker.join();
    return ok;
}

std::string WinShell::FileTypeName(const std::string& name) {
    SHFILEINFOW info{};
    if (SHGetFileInfoW(Widen(name).c_str(), 0, &info, sizeof info,
                       SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES) == 0) {
        return {};
    }
    return Narrow(info.szTypeName);
}

void WinShell::RunDocument(const std::string& file, const std::string& parameters,
                           const std::string& directory, int showMode) {
    const std::wstring wideFile = Widen(file);
    const std::wstring wideParameters = Widen(parameters);
    const std::wstring wideDirectory = Widen(directory);
    // The shell shows its own message when it cannot open the document.
    ShellExecuteW(owner_, nullptr, OrNull(wideFile), OrNull(wideParameters), OrNull(wideDirectory),
                  showMode);
}

ShortcutInfo WinShell::ReadShortcut(const std::string& linkPath) {
    ShortcutInfo result;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid()))) {
        return result;
    }
    const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (GetFileAttributesW(Widen(linkPath).c_str()) == INVALID_FILE_ATTRIBUTES) return result;
    result.read = ShortcutInfo::Read::kNotAShortcut;
    if (!file || FAILED(file->Load(Widen(linkPath).c_str(), STGM_READ))) return result;
    result.read = ShortcutInfo::Read::kLoaded;

    // A target that cannot be found is still reported as stored; the caller tests it.
    link->Resolve(owner_, SLR_NO_UI);
    wchar_t target[MAX_PATH] = {};
    WIN32_FIND_DATAW data;
    if (link->GetPath(target, MAX_PATH, &data, 0) != S_OK) return result;
    std::wstring path = target;
    // Wine keeps the path beside the ID list only in the ANSI code page, so other characters
    // come back as "?", which no real path holds; the ID list has the name whole.
    if (path.find(L'?') != std::wstring::npos) {
        const std::wstring whole = IdListPath(*link.Get());
        if (!whole.empty()) path = whole;
    }
    result.target = Narrow(path);
    return result;
}

}  // namespace sorvane
