#include "win/platform/WinShell.h"

#include <knownfolders.h>
#include <shellapi.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <thread>

#include "core/platform/Drives.h"
#include "core/utils/AllUtils.h"
#include "win/platform/Utf.h"
#include "win/platform/WinFileSystem.h"
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

// Room for a path of any length the system allows.
constexpr DWORD kLongPathChars = 32768;

// How long the shell may look for a target that moved: about a second per gone shortcut keeps a
// scan of hundreds of them bearable; the shell would otherwise take up to three seconds.
constexpr DWORD kSearchMs = 1000;

struct CoTaskDeleter {
    void operator()(void* memory) const { CoTaskMemFree(memory); }
};
struct LocalDeleter {
    void operator()(void* memory) const { LocalFree(memory); }
};

// The text a wide-character API wrote into `buffer`, up to its terminating NUL.
std::wstring UpToNul(std::wstring buffer) {
    buffer.resize(wcsnlen(buffer.c_str(), buffer.size()));
    return buffer;
}

// Whether the file can be read at all. Everything is shared, so that only a lock that keeps
// readers out, denied access or absence fails: those say nothing about what the file holds.
bool CanOpenForReading(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}

// A load that failed on reaching the file (it went, or someone locked it since it was opened)
// rather than on its contents.
bool FailedToReach(HRESULT result) {
    const HRESULT reaching[] = {
        E_ACCESSDENIED,
        E_OUTOFMEMORY,
        HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
        HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND),
        HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION),
        HRESULT_FROM_WIN32(ERROR_LOCK_VIOLATION),
        STG_E_FILENOTFOUND,
        STG_E_PATHNOTFOUND,
        STG_E_ACCESSDENIED,
        STG_E_SHAREVIOLATION,
        STG_E_LOCKVIOLATION,
    };
    return std::find(std::begin(reaching), std::end(reaching), result) != std::end(reaching);
}

std::wstring Expanded(const std::wstring& text) {
    std::wstring out(kLongPathChars, L'\0');
    const DWORD length = ExpandEnvironmentStringsW(text.c_str(), out.data(), kLongPathChars);
    if (length == 0 || length > kLongPathChars) return {};
    return UpToNul(std::move(out));
}

// The environment-variable form a shortcut keeps beside its path (a target under %TEMP% or
// %ProgramFiles%), expanded for this session; empty when it has none.
std::wstring ExpandableTarget(IShellLinkDataList& data) {
    void* block = nullptr;
    if (FAILED(data.CopyDataBlock(EXP_SZ_LINK_SIG, &block)) || block == nullptr) return {};
    const std::unique_ptr<void, LocalDeleter> owned(block);
    const auto& link = *static_cast<const EXP_SZ_LINK*>(block);
    return Expanded(std::wstring(link.swzTarget, wcsnlen(link.swzTarget, MAX_PATH)));
}

// The path the link holds, as stored; empty when it has none. No find data is asked for: the
// path is all we use, and under Wine filling it costs about a millisecond per shortcut.
std::wstring StoredPath(IShellLinkW& link, DWORD flags) {
    std::wstring path(kLongPathChars, L'\0');
    if (link.GetPath(path.data(), kLongPathChars, nullptr, flags) != S_OK) return {};
    return UpToNul(std::move(path));
}

// The file-system path of the shortcut's ID list, at any length; empty when it has none or
// names a shell item that is no file (This PC, a Control Panel applet, a store app).
std::wstring IdListPath(IShellLinkW& link) {
    PIDLIST_ABSOLUTE idList = nullptr;
    if (link.GetIDList(&idList) != S_OK || idList == nullptr) return {};
    const std::unique_ptr<void, CoTaskDeleter> owned(idList);
    std::wstring path(kLongPathChars, L'\0');
    if (!SHGetPathFromIDListEx(idList, path.data(), kLongPathChars, GPFIDL_DEFAULT)) return {};
    return UpToNul(std::move(path));
}

// The extended-length form ("\\?\C:\...", "\\?\UNC\server\share\...") names the same place
// as the plain one, which the drive rules read.
std::wstring WithoutExtendedPrefix(const std::wstring& path) {
    if (path.starts_with(L"\\\\?\\UNC\\")) return L"\\" + path.substr(7);
    if (path.starts_with(L"\\\\?\\")) return path.substr(4);
    return path;
}

// The target as a full path; empty when the shortcut names no file-system place it can tell.
std::wstring TargetPath(IShellLinkW& link) {
    DWORD flags = 0;
    ComPtr<IShellLinkDataList> data;
    link.QueryInterface(IID_IShellLinkDataList, data.PutVoid());
    if (data && FAILED(data->GetFlags(&flags))) flags = 0;
    // An installer-advertised shortcut starts a feature through the installer, which may put its
    // files back on first use: the path beside it proves nothing.
    if ((flags & SLDF_HAS_DARWINID) != 0) return {};
    std::wstring path;
    if ((flags & SLDF_HAS_EXP_SZ) != 0) path = ExpandableTarget(*data.Get());
    if (path.empty()) {
        path = StoredPath(link, SLGP_RAWPATH);
        if (path.find(L'%') != std::wstring::npos) path = Expanded(path);
    }
    // Wine keeps the path beside the ID list only in the ANSI code page, so other characters
    // come back as "?", which no real path holds; a path that fills MAX_PATH may have been cut.
    // The ID list has the name whole.
    if (path.empty() || path.find(L'?') != std::wstring::npos || path.size() >= MAX_PATH - 1) {
        const std::wstring whole = IdListPath(link);
        if (!whole.empty()) path = whole;
    }
    path = WithoutExtendedPrefix(path);
    // A relative path or a mangled one would only be looked for in the wrong place.
    return IsFullPath(Narrow(path)) ? path : L"";
}

unsigned DriveTypeOf(const std::wstring& target) {
    const std::string root = VolumeRootOf(Narrow(target));
    // A share is remote whether or not its server answers, and asking it could take long.
    if (root.starts_with("\\\\")) return drive::kRemote;
    return GetDriveTypeW(Widen(root).c_str());
}

bool IsGone(const std::wstring& path) {
    return LookAt(path).presence == Presence::kNotFound;
}

// Where the shell's bounded search finds a gone target now; empty when it finds nothing there.
// SLR_NOUPDATE keeps the shortcut as it is whatever the search finds.
std::wstring MovedTarget(IShellLinkW& link) {
    const DWORD flags = SLR_NO_UI | SLR_NOUPDATE | (kSearchMs << 16);
    if (link.Resolve(nullptr, flags) != S_OK) return {};
    const std::wstring found = WithoutExtendedPrefix(StoredPath(link, 0));
    if (!IsFullPath(Narrow(found)) || IsGone(found)) return {};
    return found;
}

// ---- The recycle bin, through its own folder object

using IdList = std::unique_ptr<ITEMIDLIST, CoTaskDeleter>;

const SHCOLUMNID kDeletedFrom{PSGUID_DISPLACED, PID_DISPLACED_FROM};
const SHCOLUMNID kDeletedOn{PSGUID_DISPLACED, PID_DISPLACED_DATE};

// Days from the start of file times (1601) to the start of variant dates (1899-12-30).
constexpr double kFileTimeDaysBeforeDates = 109205.0;

// Holds a VARIANT the shell filled in, and clears it.
class OwnedVariant {
  public:
    OwnedVariant() { VariantInit(&value_); }
    ~OwnedVariant() { VariantClear(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    VARIANT* Put() { return &value_; }
    const VARIANT& Get() const { return value_; }

  private:
    VARIANT value_;
};

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// A text the shell handed over; empty when it gave none.
std::wstring TextOf(STRRET& text, PCUITEMID_CHILD item) {
    wchar_t* raw = nullptr;
    if (FAILED(StrRetToStrW(&text, item, &raw)) || raw == nullptr) return {};
    const std::unique_ptr<wchar_t, CoTaskDeleter> owned(raw);
    return raw;
}

std::wstring DisplayName(IShellFolder2& bin, PCUITEMID_CHILD item, SHGDNF kind) {
    STRRET name{};
    if (FAILED(bin.GetDisplayNameOf(item, kind, &name))) return {};
    return TextOf(name, item);
}

ComPtr<IShellFolder2> RecycleBinFolder() {
    PIDLIST_ABSOLUTE raw = nullptr;
    if (FAILED(SHGetKnownFolderIDList(FOLDERID_RecycleBinFolder, 0, nullptr, &raw))) return {};
    const IdList owned(raw);
    // Bound from the desktop by hand: Wine's SHBindToObject gives the desktop itself.
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.PutVoid())))) return {};
    ComPtr<IShellFolder2> bin;
    if (FAILED(desktop->BindToObject(raw, nullptr, IID_IShellFolder2, bin.PutVoid()))) return {};
    return bin;
}

// The detail column that shows `key`; none when the folder has no such column.
std::optional<UINT> ColumnOf(IShellFolder2& bin, const SHCOLUMNID& key) {
    SHCOLUMNID shown{};
    for (UINT column = 0; SUCCEEDED(bin.MapColumnToSCID(column, &shown)); ++column) {
        if (IsEqualGUID(shown.fmtid, key.fmtid) && shown.pid == key.pid) return column;
    }
    return std::nullopt;
}

// The folder the item was deleted from, without a closing backslash.
std::wstring DeletedFrom(IShellFolder2& bin, PCUITEMID_CHILD item, std::optional<UINT> column) {
    std::wstring folder;
    OwnedVariant value;
    if (SUCCEEDED(bin.GetDetailsEx(item, &kDeletedFrom, value.Put())) &&
        value.Get().vt == VT_BSTR && value.Get().bstrVal != nullptr) {
        folder.assign(value.Get().bstrVal, SysStringLen(value.Get().bstrVal));
    } else if (column) {
        SHELLDETAILS details{};
        if (SUCCEEDED(bin.GetDetailsOf(item, *column, &details)))
            folder = TextOf(details.str, item);
    }
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();  // a drive's root
    return folder;
}

// Whether the bin's item was `name` in `folder`.
bool WasAt(IShellFolder2& bin, PCUITEMID_CHILD item, std::optional<UINT> fromColumn,
           const std::wstring& folder, const std::wstring& name) {
    if (!SameName(DeletedFrom(bin, item, fromColumn), folder)) return false;
    const std::wstring shown = DisplayName(bin, item, SHGDN_INFOLDER);
    if (SameName(shown, name)) return true;
    // The shell may show a name without its extension; the parsing name keeps it.
    const std::wstring parsing = DisplayName(bin, item, SHGDN_INFOLDER | SHGDN_FORPARSING);
    const std::size_t dot = parsing.find_last_of(L".\\");
    return dot != std::wstring::npos && parsing[dot] == L'.' &&
           SameName(shown + parsing.substr(dot), name);
}

// When the item went to the bin, as a variant date; none when the bin does not tell.
std::optional<double> DeletedOn(IShellFolder2& bin, PCUITEMID_CHILD item,
                                const std::wstring& path) {
    OwnedVariant value;
    if (SUCCEEDED(bin.GetDetailsEx(item, &kDeletedOn, value.Put())) && value.Get().vt == VT_DATE) {
        return value.Get().date;
    }
    // Wine's bin answers no GetDetailsEx and shows the time only to the minute. Its item is a
    // kind byte and the find data of the deleted file, named by its original path, with the time
    // of deletion as last access: taken only when that name is the path asked for.
    WIN32_FIND_DATAW data;
    if (item->mkid.cb < sizeof item->mkid.cb + 1 + sizeof data) return std::nullopt;
    std::memcpy(&data, item->mkid.abID + 1, sizeof data);
    if (!SameName(std::wstring(data.cFileName, wcsnlen(data.cFileName, MAX_PATH)), path)) {
        return std::nullopt;
    }
    const FILETIME& time = data.ftLastAccessTime;
    const ULONGLONG ticks =
        (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<double>(ticks) / 864e9 - kFileTimeDaysBeforeDates;
}

// The latest deleted item of the bin that was at `path`, or the last listed where the bin tells
// no times; empty when it holds none. False when the bin cannot be read.
bool FindLatest(IShellFolder2& bin, const std::wstring& path, IdList& latest) {
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return true;
    const std::wstring folder = path.substr(0, slash);
    const std::wstring name = path.substr(slash + 1);
    ComPtr<IEnumIDList> items;
    const HRESULT listed =
        bin.EnumObjects(nullptr, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN,
                        reinterpret_cast<IEnumIDList**>(items.PutVoid()));
    if (FAILED(listed)) return false;
    if (!items) return true;  // an empty bin
    const std::optional<UINT> fromColumn = ColumnOf(bin, kDeletedFrom);
    std::optional<double> latestOn;
    for (PITEMID_CHILD raw = nullptr; items->Next(1, &raw, nullptr) == S_OK; raw = nullptr) {
        IdList item(raw);
        if (!WasAt(bin, item.get(), fromColumn, folder, name)) continue;
        const std::optional<double> on = DeletedOn(bin, item.get(), path);
        if (latest && on && latestOn && *on < *latestOn) continue;
        latest = std::move(item);
        latestOn = on;
    }
    return true;
}

// The offset of the Restore command in the item's menu; none when it has none.
std::optional<UINT> RestoreCommand(IContextMenu& menu, HMENU popup, UINT first) {
    bool verbs = false;
    std::optional<UINT> byText;
    for (int i = 0, count = GetMenuItemCount(popup); i < count; ++i) {
        wchar_t text[256] = L"";
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = static_cast<UINT>(std::size(text));
        if (!GetMenuItemInfoW(popup, i, TRUE, &item) || item.hSubMenu != nullptr ||
            (item.fType & MFT_SEPARATOR) != 0 || item.wID < first) {
            continue;
        }
        const UINT command = item.wID - first;
        wchar_t verb[64] = L"";
        if (menu.GetCommandString(command, GCS_VERBW, nullptr, reinterpret_cast<char*>(verb),
                                  static_cast<UINT>(std::size(verb))) == S_OK &&
            verb[0] != L'\0') {
            verbs = true;
            if (SameName(verb, L"undelete")) return command;
        }
        std::wstring shown(text);
        std::erase(shown, L'&');
        if (SameName(shown, L"Restore")) byText = command;
    }
    // Wine's bin gives its commands no verbs: there the command is known by its text.
    return verbs ? std::nullopt : byText;
}

// Runs the item's own Restore command, without any window of the shell's.
bool InvokeRestore(IShellFolder2& bin, PCUITEMID_CHILD item) {
    ComPtr<IContextMenu> menu;
    if (FAILED(bin.GetUIObjectOf(nullptr, 1, &item, IID_IContextMenu, nullptr, menu.PutVoid()))) {
        return false;
    }
    const UniqueMenu popup(CreatePopupMenu());
    constexpr UINT kFirst = 1;
    constexpr UINT kLast = 0x7FFF;
    if (!popup || FAILED(menu->QueryContextMenu(popup.get(), 0, kFirst, kLast, CMF_NORMAL))) {
        return false;
    }
    const std::optional<UINT> command = RestoreCommand(*menu.Get(), popup.get(), kFirst);
    if (!command) return false;
    CMINVOKECOMMANDINFO invoke{};
    invoke.cbSize = sizeof invoke;
    // Done before it returns: the caller looks at the disk next.
    invoke.fMask = CMIC_MASK_FLAG_NO_UI | CMIC_MASK_NOASYNC;
    invoke.lpVerb = MAKEINTRESOURCEA(*command);
    invoke.nShow = SW_SHOWNORMAL;
    return SUCCEEDED(menu->InvokeCommand(&invoke));
}

RestoreResult RestoreFromBin(const std::wstring& path) {
    const ComPtr<IShellFolder2> bin = RecycleBinFolder();
    if (!bin) return RestoreResult::kFailed;
    IdList latest;
    if (!FindLatest(*bin.Get(), path, latest)) return RestoreResult::kFailed;
    if (!latest) return RestoreResult::kNotInBin;
    return InvokeRestore(*bin.Get(), latest.get()) ? RestoreResult::kRestored
                                                   : RestoreResult::kFailed;
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
        // No error boxes: a file that stays is asked for again and then counted in the status,
        // and an unattended clean must not wait for a click.
        op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_NOERRORUI;
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

std::wstring WinShell::SearchMovedTarget(const std::wstring& linkPath) {
    std::wstring moved;
    // On a thread of its own, with a shortcut object of its own: the search may take its whole
    // time, and the program's windows stay served meanwhile.
    OffThread([&] {
        ComPtr<IShellLinkW> link;
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    link.PutVoid()))) {
            return false;
        }
        const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
        if (!file || FAILED(file->Load(linkPath.c_str(), STGM_READ))) return false;
        moved = MovedTarget(*link.Get());
        return true;
    });
    return moved;
}

ShortcutInfo WinShell::ReadShortcut(const std::string& linkPath) {
    ShortcutInfo result;
    const std::wstring widePath = Widen(linkPath);
    if (!CanOpenForReading(widePath)) return result;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                link.PutVoid()))) {
        return result;
    }
    const ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!file) return result;
    const HRESULT loaded = file->Load(widePath.c_str(), STGM_READ);
    if (FAILED(loaded)) {
        if (!FailedToReach(loaded)) result.read = ShortcutInfo::Read::kNotAShortcut;
        return result;
    }
    result.read = ShortcutInfo::Read::kLoaded;

    std::wstring target = TargetPath(*link.Get());
    if (target.empty()) return result;
    unsigned driveType = DriveTypeOf(target);
    // Only targets on fixed and RAM disks are ever judged gone. Removable, optical and network
    // ones are judged by the drive's kind alone (looking on them could wait for a disk or a
    // server), and one on a letter no drive stands behind is never judged.
    const bool searchable = driveType == drive::kFixed || driveType == drive::kRamDisk;
    if (searchable && IsGone(target)) {
        const std::wstring moved = SearchMovedTarget(widePath);
        if (!moved.empty()) {
            target = moved;
            driveType = DriveTypeOf(target);
        }
    }
    result.target = Narrow(target);
    result.driveType = driveType;
    return result;
}

RestoreResult WinShell::RestoreRecycled(const std::string& originalPath) {
    const std::wstring path = Widen(originalPath);
    // The shell would replace what stands there now, or ask first.
    switch (LookAt(path).presence) {
        case Presence::kFound:
            return RestoreResult::kPlaceTaken;
        case Presence::kCannotTell:
            return RestoreResult::kFailed;
        case Presence::kNotFound:
            break;
    }
    RestoreResult result = RestoreResult::kFailed;
    // The bin is read item by item, which takes a while once it holds a big clean.
    OffThread([&] {
        result = RestoreFromBin(path);
        return true;
    });
    return result;
}

}  // namespace sorvane
