/* A library under the help viewer's name, planted beside a program: it claims to show every
   page, so a viewer that loaded it would say help was shown. */
#include <windows.h>

__declspec(dllexport) HWND WINAPI HtmlHelpW(HWND caller, LPCWSTR file, UINT command, DWORD_PTR data) {
    (void)caller, (void)file, (void)command, (void)data;
    return GetDesktopWindow();
}
