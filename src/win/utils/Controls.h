#pragma once
// Creating the platform's standard controls with the program's font, and the sizing rules
// the windows share.
#include <windows.h>

#include <string>
#include <vector>

namespace sorvane {

// The font of every control: the system's message font, made once for the process.
HFONT UiFont();

HWND MakeControl(HWND parent, const wchar_t* className, const std::string& text, DWORD style,
                 RECT bounds, int id, DWORD exStyle = 0);
// A label as large as its text, at a design position.
HWND MakeLabel(HWND parent, const std::string& text, int x, int y, int id = 0);
HWND MakeLabelAt(HWND parent, const std::string& text, POINT pixels, int id = 0);
HWND MakeButton(HWND parent, const std::string& text, RECT bounds, int id);
HWND MakeCheckBox(HWND parent, const std::string& text, RECT bounds, int id, bool checked = false);

// The texts of a list box, in its order; SetListBoxTexts replaces them.
std::vector<std::string> ListBoxTexts(HWND list);
void SetListBoxTexts(HWND list, const std::vector<std::string>& texts);
// Adds `text` unless the list box holds it already, letter case aside.
void AddListBoxText(HWND list, const std::string& text);

// Sets a control's text and makes it exactly as large as its (possibly multi-line) text.
void SetAutoSizeText(HWND label, const std::string& text);
std::string WindowText(HWND hwnd);

// Gives a report list view's column the room its other columns leave, and at least `least`
// pixels; returns the width given.
int FillListColumn(HWND list, int column, int least);

// Outer size of a window with the given client size and styles.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);
// Resizes a window so that its client area is at least its design client area (`designOuter`
// without the frame) at the screen's dots per inch, so that nothing is cut off as far as the
// work area allows, and, when `mostPercent` is not 0, at most that share of it, so that a
// dialog's few lines are not lost in an empty box.
void KeepClientWithin(HWND window, SIZE designOuter, int mostPercent);

// Controls are laid out in design units: pixels at 96 dots per inch. On a screen set to more
// dots per inch the text grows with the font, so every design length grows with it.
int ScreenDpi();
int Scaled(int designLength);
// Pixels back to design units, for lengths the user set (column widths) kept across screens.
int Unscaled(int pixels);

// Design bounds in pixels.
RECT Bounds(int x, int y, int width, int height);
// Design bounds in pixels, from an origin already in pixels (inside a panel's title strip).
RECT BoundsFrom(POINT origin, int x, int y, int width, int height);

}  // namespace sorvane
