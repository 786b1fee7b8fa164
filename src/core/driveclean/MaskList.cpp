#include "core/driveclean/MaskList.h"

#include <string>

namespace sorvane {

ResultTable MakeCleanTable() {
    return ResultTable({{"Name", Alignment::kLeft, 130},
                        {"Size", Alignment::kRight, 60},
                        {"Last Modified", Alignment::kLeft, 70},
                        {"Last Accessed", Alignment::kLeft, 90},
                        {"Path", Alignment::kLeft, 120},
                        {"Attributes", Alignment::kLeft, 50},
                        {"Type", Alignment::kLeft, 80}},
                       0, 4);
}

std::vector<ScanMask> DefaultMasks() {
    std::vector<ScanMask> masks;
    for (const char* text : {"*.tmp", "*.old", "*.gid", "*.bak", "*.b~k", "*.ex~", "*.msg"}) {
        masks.push_back({text, false});
    }
    return masks;
}

std::vector<ScanMask> LoadMaskList(const Settings& settings) {
    std::vector<ScanMask> masks;
    const std::int32_t count = settings.ReadInteger(kCleanSection, "Maskcount", 0);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string item =
            settings.ReadString(kCleanSection, "Maskitem" + std::to_string(i), "");
        if (item.empty()) continue;
        masks.push_back({item.substr(1), item[0] != '0'});
    }
    if (masks.empty()) masks = DefaultMasks();
    return masks;
}

void SaveMaskList(Settings& settings, const std::vector<ScanMask>& masks) {
    SettingsBatch batch(settings);
    settings.WriteInteger(kCleanSection, "Maskcount", static_cast<std::int32_t>(masks.size()));
    for (std::size_t i = 0; i < masks.size(); ++i) {
        settings.WriteString(kCleanSection, "MaskItem" + std::to_string(i),
                             (masks[i].checked ? "1" : "0") + masks[i].text);
    }
    batch.Commit();
}

}  // namespace sorvane
