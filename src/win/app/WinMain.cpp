// Program entry: one running copy per user session, every window created hidden, then the
// event loop until the program is told to end.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "win/framework/Application.h"
#include "win/app/FormSet.h"
#include "win/app/MainSorv.h"
#include "core/app/SharedValues.h"
#include "win/platform/Utf.h"
#include "win/platform/WinPlatform.h"

namespace {

// Held for the life of the process; the lock goes when the process ends.
struct InstanceLock {
    HANDLE handle = CreateMutexW(nullptr, TRUE, L"Sorvane");
    bool alreadyRunning = handle != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
    ~InstanceLock() {
        if (handle) CloseHandle(handle);
    }
};

struct ComApartment {
    HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComApartment() {
        if (SUCCEEDED(result)) CoUninitialize();
    }
};

// Libraries loaded after start-up by name, by the program or by the system on its behalf, come
// from the system folder only, never from the program's folder, where a downloaded copy may
// have unwanted company. Looked up, so that a Windows 7 without the call still starts.
void LoadLibrariesFromTheSystemFolderOnly() {
    using SetDirectories = BOOL(WINAPI*)(DWORD);
    const auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    LoadLibrariesFromTheSystemFolderOnly();
    // No "no disk in drive" boxes for the life of the process: a missing medium is a result.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const InstanceLock lock;
    if (lock.alreadyRunning) return 0;

    const ComApartment com;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    try {
        sorvane::WinPlatform platform(sorvane::kAppTitle);
        sorvane::Application app(platform.Get());
        app.SetTitle(sorvane::kAppTitle);
        sorvane::AppContext context(app, platform.Get());
        // Each window's questions hold that window until they are answered.
        context.makePrompts = [](HWND owner) {
            return std::make_unique<sorvane::WinPrompts>(sorvane::kAppTitle, owner);
        };
        sorvane::FormSet forms(context);
        platform.SetOwner(forms.Get().main->Handle());
        return app.Run();
    } catch (const std::exception& e) {
        MessageBoxW(nullptr, sorvane::Widen(e.what()).c_str(), L"Sorvane v2.03",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
