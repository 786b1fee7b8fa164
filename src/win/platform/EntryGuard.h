#pragma once
// Every entry from the system into the program (a window procedure, a subclassed control, a
// timer tick) runs through Guard: an error that escapes it ends that action only, is shown in
// the application's error box, and the program goes on.
#include <functional>
#include <string>

namespace sorvane {

// Where escaped errors go; the application shows them in its error box.
void SetErrorHandler(std::function<void(const std::string&)> handler);
void ReportError(const std::string& message);

// Runs `entry`; an exception it throws is reported and goes no further.
void Guard(const std::function<void()>& entry);

}  // namespace sorvane
