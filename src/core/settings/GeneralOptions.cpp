#include "core/settings/GeneralOptions.h"

#include <algorithm>

namespace sorvane {

namespace {

constexpr char kRecycleKey[] = "Recyclebox_Checked";
constexpr char kTooltipsKey[] = "Tooltipebox_Checked";
constexpr char kStartupKey[] = "Startupbox_Checked";
constexpr char kExitAfterTasksKey[] = "Schedulebox_Checked";
constexpr char kDriveInfoKey[] = "Driveinfo_Checked";
constexpr char kTooltipColorKey[] = "Tooltips_Color";
constexpr char kHintTimeKey[] = "TipsHintTime";
constexpr char kHistoryKey[] = "History_Checked";
constexpr char kHistoryDaysKey[] = "History_Days";
constexpr char kHistoryMegabytesKey[] = "History_MB";

constexpr int kMinHintSeconds = 1;
constexpr int kMaxHintSeconds = 10;

}  // namespace

GeneralOptions GeneralOptions::Load(const Settings& settings) {
    const GeneralOptions defaults;
    GeneralOptions options;
    options.recycle = settings.ReadBool(kGeneralSection, kRecycleKey, defaults.recycle);
    options.tooltips = settings.ReadBool(kGeneralSection, kTooltipsKey, defaults.tooltips);
    options.startup = settings.ReadBool(kGeneralSection, kStartupKey, defaults.startup);
    options.exitAfterTasks =
        settings.ReadBool(kGeneralSection, kExitAfterTasksKey, defaults.exitAfterTasks);
    options.driveInfo = settings.ReadBool(kGeneralSection, kDriveInfoKey, defaults.driveInfo);
    // Colours are stored as signed integers; the bit pattern is what matters.
    options.tooltipColor = static_cast<std::uint32_t>(settings.ReadInteger(
        kGeneralSection, kTooltipColorKey, static_cast<std::int32_t>(defaults.tooltipColor)));
    options.hintSeconds =
        std::clamp(settings.ReadInteger(kGeneralSection, kHintTimeKey, defaults.hintSeconds),
                   kMinHintSeconds, kMaxHintSeconds);
    options.history.enabled =
        settings.ReadBool(kGeneralSection, kHistoryKey, defaults.history.enabled);
    options.history.days = std::clamp(
        settings.ReadInteger(kGeneralSection, kHistoryDaysKey, defaults.history.days), 1,
        kHistoryDaysMax);
    options.history.megabytes = std::clamp(
        settings.ReadInteger(kGeneralSection, kHistoryMegabytesKey, defaults.history.megabytes),
        1, kHistoryMegabytesMax);
    return options;
}

void GeneralOptions::Save(Settings& settings) const {
    SettingsBatch batch(settings);
    settings.WriteBool(kGeneralSection, kRecycleKey, recycle);
    settings.WriteBool(kGeneralSection, kTooltipsKey, tooltips);
    settings.WriteBool(kGeneralSection, kStartupKey, startup);
    settings.WriteBool(kGeneralSection, kExitAfterTasksKey, exitAfterTasks);
    settings.WriteBool(kGeneralSection, kDriveInfoKey, driveInfo);
    settings.WriteInteger(kGeneralSection, kTooltipColorKey,
                          static_cast<std::int32_t>(tooltipColor));
    settings.WriteInteger(kGeneralSection, kHintTimeKey, hintSeconds);
    settings.WriteBool(kGeneralSection, kHistoryKey, history.enabled);
    settings.WriteInteger(kGeneralSection, kHistoryDaysKey, history.days);
    settings.WriteInteger(kGeneralSection, kHistoryMegabytesKey, history.megabytes);
    batch.Commit();
}

}  // namespace sorvane
