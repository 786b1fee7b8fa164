#pragma once
// The section "Generaloptions": the options that belong to no single tool.
#include <cstdint>

#include "core/history/CleaningHistory.h"
#include "core/settings/Settings.h"

namespace sorvane {

inline constexpr char kGeneralSection[] = "Generaloptions";
inline constexpr std::uint32_t kYellow = 65535;
// The cleaning history keeps 1 day to 10 years, 1 MB to 1 GB.
inline constexpr int kHistoryDaysMax = 3650;
inline constexpr int kHistoryMegabytesMax = 1024;

struct GeneralOptions {
    bool recycle = true;                   // "Recyclebox_Checked"
    bool tooltips = true;                  // "Tooltipebox_Checked"
    bool startup = false;                  // "Startupbox_Checked"
    bool exitAfterTasks = false;           // "Schedulebox_Checked"
    bool driveInfo = false;                // "Driveinfo_Checked"
    std::uint32_t tooltipColor = kYellow;  // "Tooltips_Color"
    int hintSeconds = 3;                   // "TipsHintTime", 1..10
    HistoryOptions history;                // "History_Checked", "History_Days", "History_MB"

    // Missing or bad values give the defaults above; an out-of-range hint time or history
    // limit is brought to the nearest end.
    static GeneralOptions Load(const Settings& settings);
    // Writes all the keys in the order above.
    void Save(Settings& settings) const;
};

}  // namespace sorvane
