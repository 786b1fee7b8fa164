#pragma once
// Every window is laid out for a 640 by 480 screen and grows or shrinks with the screen
// when it is created, before it restores a stored placement.
namespace sorvane {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Outer size for the screen: unchanged on a screen 640 pixels wide, otherwise height scaled
// by screen height / 480 and width by screen width / 640, integer arithmetic, division last.
constexpr Size ScaleToScreen(Size design, int screenWidth, int screenHeight) {
    if (screenWidth == 640) return design;
    return {design.width * screenWidth / 640, design.height * screenHeight / 480};
}

}  // namespace sorvane
