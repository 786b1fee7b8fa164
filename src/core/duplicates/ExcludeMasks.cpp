#include "core/duplicates/ExcludeMasks.h"

namespace sorvane {

MaskAddition JudgeNewMask(const std::string& text, const std::vector<std::string>& listed,
                          ILocale& locale) {
    if (text.empty() || text == "*.*") return MaskAddition::kNothing;
    for (const std::string& mask : listed) {
        if (locale.CompareText(mask, text) == 0) return MaskAddition::kClearEdit;
    }
    return MaskAddition::kAdd;
}

}  // namespace sorvane
