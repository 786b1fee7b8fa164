#include "win/widgets/DirectoryTree.h"

#include "core/utils/ScopedFlag.h"

#include <shellapi.h>

#include <vector>

#include "core/dialogs/DirectoryPicking.h"
#include "core/utils/AllUtils.h"
#include "win/platform/Utf.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

// What an entry's item data says it is; a drive holds its letter.
constexpr LPARAM kDirectoryItem = 0;
constexpr LPARAM kPlaceholderItem = -1;

// Sent to itself after a click, once the tree has moved its selection.
constexpr UINT kPickAfterClick = WM_APP + 1;

bool IsDriveItem(LPARAM data) {
    return data >= 'A' && data <= 'Z';
}

// Adds an icon the caller got from the shell and gives it back; -1 when there is none.
int AddIcon(HIMAGELIST list, HICON icon) {
    if (!icon) return -1;
    const int index = ImageList_ReplaceIcon(list, -1, icon);
    DestroyIcon(icon);
    return index;
}

// The shell's small stock icon; -1 when the shell has none (Wine has no stock icons).
int AddStockIcon(HIMAGELIST list, SHSTOCKICONID id) {
    SHSTOCKICONINFO info{};
    info.cbSize = sizeof info;
    if (FAILED(SHGetStockIconInfo(id, SHGSI_ICON | SHGSI_SMALLICON, &info))) return -1;
    return AddIcon(list, info.hIcon);
}

// Stock icons come by kind, so no drive is touched for its icon.
SHSTOCKICONID DriveIconId(unsigned type) {
    switch (type) {
        case drive::kRemovable:
            return SIID_DRIVEREMOVE;
        case drive::kRemote:
            return SIID_DRIVENET;
        case drive::kCdRom:
            return SIID_DRIVECD;
        case drive::kRamDisk:
            return SIID_DRIVERAM;
        default:
            return SIID_DRIVEFIXED;
    }
}

}  // namespace

int AddFolderIcon(HIMAGELIST list, UINT extraFlags) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(L"folder", FILE_ATTRIBUTE_DIRECTORY, &info, sizeof info,
                        SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | extraFlags)) {
        return -1;
    }
    return AddIcon(list, info.hIcon);
}

DirectoryTree::DirectoryTree(HWND parent, Platform& platform, RECT bounds, int id, Options options)
    : platform_(platform), options_(options) {
    CreateWindowOf({L"SorvaneDirectoryTree"}, WS_EX_CONTROLPARENT, "",
                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, bounds, parent, id);
    DWORD style = WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                  TVS_SHOWSELALWAYS;
    if (!options_.dragSource) style |= TVS_DISABLEDRAGDROP;
    tree_ = MakeControl(Handle(), WC_TREEVIEWW, "", style,
                        {0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top}, id,
                        WS_EX_CLIENTEDGE);
    SetWindowSubclass(tree_, &DirectoryTree::TreeProc, 0, reinterpret_cast<DWORD_PTR>(this));
    route_ = std::make_unique<ControlRoute>(
        tree_, [this](ControlEvent& e) -> std::optional<LRESULT> { return OnNotify(*e.header); });
    LoadIcons();
    Fill();
}

DirectoryTree::~DirectoryTree() {
    if (!tree_) return;
    RemoveWindowSubclass(tree_, &DirectoryTree::TreeProc, 0);
    // The icons go before the control does.
    TreeView_SetImageList(tree_, nullptr, TVSIL_NORMAL);
}

LRESULT CALLBACK DirectoryTree::TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR /*id*/, DWORD_PTR self) {
    if (message != WM_SETFOCUS) return DefSubclassProc(hwnd, message, wParam, lParam);
    // Focus selects the first entry when none is selected; that is not the user's pick.
    const ScopedFlag quiet(reinterpret_cast<DirectoryTree*>(self)->quiet_);
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void DirectoryTree::LoadIcons() {
    images_.Reset(ImageList_Create(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                   ILC_COLOR32 | ILC_MASK, 8, 0));
    if (!images_) return;
    const HIMAGELIST list = images_.Get();
    folderIcon_ = AddFolderIcon(list, 0);
    openFolderIcon_ = AddFolderIcon(list, SHGFI_OPENICON);
    if (openFolderIcon_ < 0) openFolderIcon_ = folderIcon_;
    for (unsigned type = 0; type < driveIcons_.size(); ++type) {
        const int icon = AddStockIcon(list, DriveIconId(type));
        driveIcons_[type] = icon >= 0 ? icon : folderIcon_;
    }
    TreeView_SetImageList(tree_, list, TVSIL_NORMAL);
}

void DirectoryTree::MoveTo(RECT bounds) {
    MoveWindow(Handle(), bounds.left, bounds.top, bounds.right - bounds.left,
               bounds.bottom - bounds.top, TRUE);
}

void DirectoryTree::Fill() {
    const ScopedFlag quiet(quiet_);
    TreeView_SelectItem(tree_, nullptr);
    TreeView_DeleteAllItems(tree_);
    driveTypes_.fill(drive::kUnknown);
    for (const TreeDrive& d : ListTreeDrives(platform_.drives, options_.includeUnknownDrives)) {
        driveTypes_[static_cast<std::size_t>(d.letter - 'A')] = d.type;
        const int icon = d.type < driveIcons_.size() ? driveIcons_[d.type] : driveIcons_[0];
        AddPlaceholder(Insert(TVI_ROOT, DriveDisplayName(d), d.letter, icon, icon));
    }
}

void DirectoryTree::CollapseAll() {
    Fill();
}

HTREEITEM DirectoryTree::Insert(HTREEITEM parent, const std::string& text, LPARAM data, int icon,
                                int selectedIcon) {
    std::wstring wide = Widen(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = wide.data();
    insert.item.lParam = data;
    if (icon >= 0) {
        insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.iImage = icon;
        insert.item.iSelectedImage = selectedIcon;
    }
    return TreeView_InsertItem(tree_, &insert);
}

// An unread entry holds one empty child so that it shows a "+" until it is opened.
void DirectoryTree::AddPlaceholder(HTREEITEM item) {
    Insert(item, "", kPlaceholderItem, -1, -1);
}

bool DirectoryTree::EnsureLoaded(HTREEITEM item) {
    const HTREEITEM first = TreeView_GetChild(tree_, item);
    if (!first) return true;
    TVITEMW data{};
    data.mask = TVIF_PARAM;
    data.hItem = first;
    TreeView_GetItem(tree_, &data);
    if (data.lParam != kPlaceholderItem) return true;

    TVITEMW self{};
    self.mask = TVIF_PARAM;
    self.hItem = item;
    TreeView_GetItem(tree_, &self);
    if (IsDriveItem(self.lParam)) {
        const unsigned type = driveTypes_[static_cast<std::size_t>(self.lParam - 'A')];
        // Listing an empty floppy or CD-ROM drive would only show it as empty.
        if ((type == drive::kRemovable || type == drive::kCdRom) &&
            !IsDriveReady(platform_.drives, static_cast<char>(self.lParam))) {
            return false;
        }
    }

    const std::vector<std::string> names =
        ListSubdirectories(platform_.fs, platform_.drives, platform_.locale, PathOf(item));
    const ScopedFlag quiet(quiet_);
    SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteItem(tree_, first);
    for (const std::string& name : names) {
        AddPlaceholder(Insert(item, name, kDirectoryItem, folderIcon_, openFolderIcon_));
    }
    SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(tree_, nullptr, TRUE);
    return true;
}

std::string DirectoryTree::TextOf(HTREEITEM item) const {
    wchar_t buffer[MAX_PATH + 1] = {};
    TVITEMW data{};
    data.mask = TVIF_TEXT;
    data.hItem = item;
    data.pszText = buffer;
    data.cchTextMax = MAX_PATH + 1;
    if (!TreeView_GetItem(tree_, &data)) return {};
    return Narrow(buffer);
}

std::string DirectoryTree::PathOf(HTREEITEM item) const {
    std::vector<std::string> names;
    for (HTREEITEM at = item; at; at = TreeView_GetParent(tree_, at)) {
        TVITEMW data{};
        data.mask = TVIF_PARAM;
        data.hItem = at;
        TreeView_GetItem(tree_, &data);
        if (IsDriveItem(data.lParam)) {
            std::string path = std::string(1, static_cast<char>(data.lParam)) + ":\\";
            for (auto name = names.rbegin(); name != names.rend(); ++name) {
                path = JoinPath(path, *name);
            }
            return path;
        }
        names.push_back(TextOf(at));
    }
    return {};
}

std::optional<std::string> DirectoryTree::SelectedPath() const {
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    if (!selected) return std::nullopt;
    return PathOf(selected);
}

std::optional<std::string> DirectoryTree::SelectedLocation() const {
    const std::optional<std::string> path = SelectedPath();
    if (!path || SelectedText().empty()) return std::nullopt;
    return StripTrailingBackslash(*path);
}

std::string DirectoryTree::SelectedText() const {
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    return selected ? TextOf(selected) : std::string();
}

HTREEITEM DirectoryTree::FindChild(HTREEITEM parent, const std::string& name) const {
    for (HTREEITEM child = TreeView_GetChild(tree_, parent); child;
         child = TreeView_GetNextSibling(tree_, child)) {
        if (platform_.locale.CompareText(TextOf(child), name) == 0) return child;
    }
    return nullptr;
}

HTREEITEM DirectoryTree::Reveal(const std::string& path) {
    const std::string root = DriveRootOf(path);
    if (root.empty()) return nullptr;
    const char letter = static_cast<char>(root[0] & ~0x20);
    HTREEITEM item = nullptr;
    for (HTREEITEM r = TreeView_GetRoot(tree_); r && !item; r = TreeView_GetNextSibling(tree_, r)) {
        TVITEMW data{};
        data.mask = TVIF_PARAM;
        data.hItem = r;
        TreeView_GetItem(tree_, &data);
        if (data.lParam == letter) item = r;
    }
    std::size_t start = root.size();
    while (item && start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        const std::string name = path.substr(start, end - start);
        start = end + 1;
        if (name.empty()) continue;
        if (!EnsureLoaded(item)) return nullptr;
        {
            const ScopedFlag quiet(quiet_);
            TreeView_Expand(tree_, item, TVE_EXPAND);
        }
        item = FindChild(item, name);
    }
    return item;
}

void DirectoryTree::Pick() {
    if (onPick_) onPick_();
}

LRESULT DirectoryTree::OnNotify(const NMHDR& header) {
    switch (header.code) {
        case TVN_ITEMEXPANDINGW: {
            const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
            if ((change.action & TVE_EXPAND) == 0) return FALSE;
            // TRUE keeps the entry closed.
            return EnsureLoaded(change.itemNew.hItem) ? FALSE : TRUE;
        }
        case TVN_SELCHANGEDW:
            // A click is handled as a click, below, whether it moved the selection or not.
            if (!quiet_ && reinterpret_cast<const NMTREEVIEWW&>(header).action != TVC_BYMOUSE) {
                Pick();
            }
            return 0;
        case NM_CLICK:
            // The tree may move its selection only after this notification, so the pick waits
            // until the click is through.
            PostMessageW(Handle(), kPickAfterClick, 0, 0);
            return 0;
        case TVN_BEGINDRAGW: {
            if (!options_.dragSource || !onBeginDrag_) return 0;
            const auto& drag = reinterpret_cast<const NMTREEVIEWW&>(header);
            {
                const ScopedFlag quiet(quiet_);
                TreeView_SelectItem(tree_, drag.itemNew.hItem);
            }
            onBeginDrag_(PathOf(drag.itemNew.hItem));
            return 0;
        }
        default:
            return 0;
    }
}

LRESULT DirectoryTree::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kPickAfterClick:
            Pick();
            return 0;
        case WM_SIZE:
            if (tree_) MoveWindow(tree_, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (tree_) SetFocus(tree_);
            return 0;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace sorvane
