#include "win/platform/EntryGuard.h"

#include <exception>

#include "win/platform/Utf.h"
#include "win/platform/WinApi.h"

namespace sorvane {

namespace {
std::function<void(const std::string&)>& Handler() {
    static std::function<void(const std::string&)> handler;
    return handler;
}
}  // namespace

void SetErrorHandler(std::function<void(const std::string&)> handler) {
    Handler() = std::move(handler);
}

void ReportError(const std::string& message) {
    if (Handler()) {
        Handler()(message);
    } else {
        MessageBoxW(nullptr, Widen(message).c_str(), L"Error", MB_OK | MB_ICONERROR);
    }
}

void Guard(const std::function<void()>& entry) {
    try {
        entry();
    } catch (const std::exception& e) {
        ReportError(e.what());
    } catch (...) {
        ReportError("Unexpected error.");
    }
}

}  // namespace sorvane
