#include "win/framework/Routes.h"

namespace sorvane {

namespace {

// Runs a copy: a handler may declare or replace routes while it runs.
template <class Map, class Key, class... Args>
std::optional<LRESULT> Run(const Map& map, const Key& key, LRESULT result, Args&&... args) {
    const auto found = map.find(key);
    if (found == map.end()) return std::nullopt;
    const auto handler = found->second;
    handler(std::forward<Args>(args)...);
    return result;
}

}  // namespace

Routes& Routes::Change(int id, UINT code, Action action) {
    changes_[{id, code}] = std::move(action);
    return *this;
}

Routes& Routes::Notify(int id, UINT code, Answer answer) {
    notifications_[{id, code}] = std::move(answer);
    return *this;
}

Routes& Routes::Scroll(int id, Action action) {
    scrolls_[id] = std::move(action);
    return *this;
}

Routes& Routes::ContextMenu(int id, std::function<void(LPARAM)> show) {
    menus_[id] = std::move(show);
    return *this;
}

Routes& Routes::Drag(std::function<std::optional<LRESULT>(UINT)> take) {
    drags_.push_back(std::move(take));
    return *this;
}

std::optional<LRESULT> Routes::Dispatch(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) const {
    for (const auto& drag : drags_) {
        if (const std::optional<LRESULT> taken = drag(message)) return taken;
    }
    switch (message) {
        case WM_COMMAND:
            // Menu items come with 0, buttons with BN_CLICKED, the same number.
            return Run(changes_, std::pair<int, UINT>{LOWORD(wParam), HIWORD(wParam)}, 0);
        case WM_NOTIFY: {
            if (lParam == 0) return std::nullopt;
            auto& header = *reinterpret_cast<NMHDR*>(lParam);
            const auto found = notifications_.find({static_cast<int>(header.idFrom), header.code});
            if (found == notifications_.end()) return std::nullopt;
            const Answer answer = found->second;
            return answer(header);
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lParam == 0) return std::nullopt;  // the window's own scroll bar
            return Run(scrolls_, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), 0);
        case WM_CONTEXTMENU: {
            const auto control = reinterpret_cast<HWND>(wParam);
            if (!IsChild(window, control)) return std::nullopt;
            return Run(menus_, GetDlgCtrlID(control), 0, lParam);
        }
        default:
            return std::nullopt;
    }
}

}  // namespace sorvane
