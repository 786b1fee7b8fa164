#pragma once
// Changes to the text of a settings file made the way the platform's profile service makes
// them, so that a file written whole reads as one written key by key: a key's line is
// replaced where it stands, a new key goes after the last line of its section, a new section
// at the end of the file, and erasing a section removes its header and every line up to the
// next one. Everything else (comments, blank lines, keys of other versions, line ends) stays
// byte for byte as it was. New lines end in CR LF.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/SettingsStore.h"

namespace sorvane {

// Whether two section or key names are the same name; names match without regard to case.
using SameSettingsName = std::function<bool(std::string_view, std::string_view)>;

// ASCII letters without regard to case, every other byte as it is.
bool SameAsciiName(std::string_view a, std::string_view b);

std::string ApplySettingsEdits(std::string text, const std::vector<SettingsEdit>& edits,
                               const SameSettingsName& same = SameAsciiName);

}  // namespace sorvane
