#include "win/widgets/SpinEdit.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "core/utils/ScopedFlag.h"
#include "win/utils/Controls.h"

namespace sorvane {

namespace {

// The whole-number value of `text` (blanks around it allowed), or nothing.
std::optional<int> ParseWholeNumber(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const size_t last = text.find_last_not_of(" \t");
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    int value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

SpinEdit::SpinEdit(HWND parent, RECT bounds, int id, Options options)
    : edit_(MakeControl(parent, L"EDIT", "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, bounds, id,
                        WS_EX_CLIENTEDGE)),
      // No thousands separators: the text must stay a plain number to read back.
      arrows_(MakeControl(
          parent, UPDOWN_CLASSW, "",
          WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
          Bounds(0, 0, 0, 0), id)),
      options_(std::move(options)),
      route_(edit_.Get(), [this](const ControlEvent& event) { OnEvent(event); }) {
    SendMessageW(Arrows(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Edit()), 0);
    SendMessageW(Arrows(), UDM_SETRANGE32, static_cast<WPARAM>(options_.min),
                 static_cast<LPARAM>(options_.max));
    SetValue(options_.value);
}

int SpinEdit::Value() const {
    const std::optional<int> number = ParseWholeNumber(WindowText(Edit()));
    if (!number) return options_.fallback;
    return std::clamp(*number, options_.min, options_.max);
}

void SpinEdit::SetValue(int value) {
    const ScopedFlag own(ownChange_);
    SetWindowTextW(Edit(), std::to_wstring(std::clamp(value, options_.min, options_.max)).c_str());
}

void SpinEdit::OnEvent(const ControlEvent& event) {
    // The arrows write their new position into the edit, so EN_CHANGE covers them too.
    if (event.code == EN_CHANGE && !ownChange_ && options_.changed) options_.changed(Value());
}

}  // namespace sorvane
