#include "platform/WinShell.h"

#include <shellapi.h>
#include <shlobj.h>

#include "platform/Utf.h"
#include "platform/WinHandles.h"

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

}  // namespace

bool WinShell::RecycleFiles(const std::vector<std::string>& paths) {
    // An empty block would read as "no source" and fail; there is simply nothing to do.
    if (paths.empty()) return true;
    const std::wstring from = PathBlock(paths);
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner_;
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION;
    return SHFileOperationW(&op) == 0;
}

bool WinShell::MoveFiles(const std::vector<std::string>& sources,
                         const std::vector<std::string>& destinations) {
    if (sources.size() != destinations.size()) return false;
    if (sources.empty()) return true;
    const std::wstring from = PathBlock(sources);
    const std::wstring to = PathBlock(destinations);
    SHFILEOPSTRUCTW op{};
    op.hwnd = owner_;
    op.wFunc = FO_MOVE;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_NOCONFIRMMKDIR | FOF_ALLOWUNDO | FOF_NOCONFIRMATION;
    // With one pair the destination names the file; with more the shell would otherwise take
    // the first destination as a folder for all of them.
    if (sources.size() > 1) op.fFlags |= FOF_MULTIDESTFILES;
    return SHFileOperationW(&op) == 0;
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
    if (!file || FAILED(file->Load(Widen(linkPath).c_str(), STGM_READ))) return result;
    result.loaded = true;

    // A target that cannot be found is still reported as stored; the caller tests it.
    link->Resolve(owner_, SLR_NO_UI);
    wchar_t target[MAX_PATH] = {};
    WIN32_FIND_DATAW data;
    if (link->GetPath(target, MAX_PATH, &data, 0) == S_OK) result.target = Narrow(target);
    return result;
}

}  // namespace sorvane
