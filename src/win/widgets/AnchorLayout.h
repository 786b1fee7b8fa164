#pragma once
// Keeps a window's controls where its design put them while the room they have grows or
// shrinks, by the user or with the screen: each edge of a control moves by its share of the
// growth, and no control leaves the room.
#include <windows.h>

#include <functional>
#include <vector>

namespace sorvane {

// The share of the room's growth that each edge of a control takes: 0 stays with the left or
// top, 1 follows the right or bottom, one half keeps to the middle.
struct Follow {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

namespace follow {
inline constexpr Follow kFill{0, 0, 1, 1};                // takes all the room there is
inline constexpr Follow kWide{0, 0, 1, 0};                // as wide as the room
inline constexpr Follow kRight{1, 0, 1, 0};               // at the right edge
inline constexpr Follow kBottom{0, 1, 0, 1};              // at the bottom edge
inline constexpr Follow kCentre{0.5f, 0.5f, 0.5f, 0.5f};  // in the middle
}  // namespace follow

class AnchorLayout {
  public:
    using Place = std::function<void(const RECT&)>;

    // `design`: the room's size in design units, as the controls' design bounds assume it.
    explicit AnchorLayout(SIZE design);

    // A control at its present bounds, which are its design bounds.
    void Add(HWND control, Follow follow);
    // A control, or whatever `place` puts there, at design bounds in pixels.
    void Add(HWND control, RECT design, Follow follow);
    void Add(Place place, RECT design, Follow follow);
    // Every control on `parent` so far that is not in the layout yet, at its present bounds.
    void AddChildren(HWND parent, Follow follow);

    // Places everything for a room of `room` pixels from the parent's top left.
    void Apply(SIZE room) const;
    // Where bounds that are `design` at the design size go in `room`.
    RECT Placed(const RECT& design, Follow follow, SIZE room) const;

  private:
    struct Item {
        HWND control;  // null when `place` puts something else
        Place place;
        RECT design;
        Follow follow;
    };
    SIZE design_;
    std::vector<Item> items_;
};

// The room a window's client area gives its controls: all of it but the status bar, when
// there is one.
SIZE ClientRoom(HWND window, HWND statusBar = nullptr);

}  // namespace sorvane
