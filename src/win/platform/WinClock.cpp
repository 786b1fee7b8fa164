#include "win/platform/WinClock.h"

#include "win/platform/WinApi.h"

namespace sorvane {

std::uint64_t WinClock::Milliseconds() {
    return GetTickCount64();
}

DateTime WinClock::Now() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

FileTime WinClock::UtcNow() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return {(static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime};
}

}  // namespace sorvane
