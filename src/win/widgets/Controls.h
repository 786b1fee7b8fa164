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
HWND MakeLabel(HWND parent, const std::string& text, int x, int y, int id = 0);
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

// Outer size of a window with the given client size and styles.
SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle);

inline RECT Bounds(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

}  // namespace sorvane
