#pragma once
// The excluded masks of Find Duplicate Files: what adding the text of the mask edit does.
#include <string>
#include <vector>

#include "core/platform/Locale.h"

namespace sorvane {

enum class MaskAddition {
    kNothing,    // an empty text, or "*.*", which would exclude every file: the edit keeps it
    kClearEdit,  // already listed (letter case aside)
    kAdd,        // listed from now on; the edit is cleared
};

MaskAddition JudgeNewMask(const std::string& text, const std::vector<std::string>& listed,
                          ILocale& locale);

}  // namespace sorvane
