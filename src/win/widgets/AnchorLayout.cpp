#include "win/widgets/AnchorLayout.h"

#include <algorithm>
#include <cmath>

#include "win/utils/Controls.h"

namespace sorvane {

namespace {

int Share(float share, int growth) {
    return static_cast<int>(std::lround(share * static_cast<float>(growth)));
}

// One axis of a control's bounds pushed back inside [0, room): shifted first, then cut.
void KeepInside(LONG& low, LONG& high, int room) {
    high = std::max(high, low);
    if (high > room) {
        const LONG shift = std::min<LONG>(high - room, std::max<LONG>(low, 0));
        low -= shift;
        high -= shift;
    }
    low = std::max<LONG>(low, 0);
    high = std::clamp<LONG>(high, low, std::max<LONG>(room, low));
}

}  // namespace

AnchorLayout::AnchorLayout(SIZE design) : design_{Scaled(design.cx), Scaled(design.cy)} {}

void AnchorLayout::Add(HWND control, Follow follow) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    Add(control, r, follow);
}

void AnchorLayout::Add(HWND control, RECT design, Follow follow) {
    items_.push_back({control,
                      [control](const RECT& r) {
                          MoveWindow(control, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                     TRUE);
                      },
                      design, follow});
}

void AnchorLayout::Add(Place place, RECT design, Follow follow) {
    items_.push_back({nullptr, std::move(place), design, follow});
}

void AnchorLayout::AddChildren(HWND parent, Follow follow) {
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool known = std::any_of(items_.begin(), items_.end(),
                                       [child](const Item& item) { return item.control == child; });
        if (!known) Add(child, follow);
    }
}

RECT AnchorLayout::Placed(const RECT& design, Follow follow, SIZE room) const {
    const int dx = room.cx - design_.cx;
    const int dy = room.cy - design_.cy;
    RECT r{design.left + Share(follow.left, dx), design.top + Share(follow.top, dy),
           design.right + Share(follow.right, dx), design.bottom + Share(follow.bottom, dy)};
    KeepInside(r.left, r.right, room.cx);
    KeepInside(r.top, r.bottom, room.cy);
    return r;
}

void AnchorLayout::Apply(SIZE room) const {
    for (const Item& item : items_) item.place(Placed(item.design, item.follow, room));
}

SIZE ClientRoom(HWND window, HWND statusBar) {
    RECT client{};
    GetClientRect(window, &client);
    int status = 0;
    if (statusBar) {
        RECT bar{};
        GetWindowRect(statusBar, &bar);
        status = bar.bottom - bar.top;
    }
    return {client.right, std::max(0, static_cast<int>(client.bottom) - status)};
}

}  // namespace sorvane
