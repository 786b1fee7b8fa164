#include "core/shortcuts/ShortcutOptions.h"

#include <string>
#include <vector>

namespace sorvane {

namespace {

constexpr char kSection[] = "ShortcutOptions";
constexpr char kExcludeSection[] = "ShortcutOptions_Exclude";
constexpr char kLinkSection[] = "ShortcutOptions_LinkExclude";

std::vector<std::string> ReadList(const Settings& settings, const char* section) {
    std::vector<std::string> items;
    const std::int32_t count = settings.ReadInteger(section, "Exclude_Count", 0);
    for (std::int32_t i = 0; i < count; ++i) {
        std::string item = settings.ReadString(section, "Item" + std::to_string(i), "");
        if (!item.empty()) items.push_back(std::move(item));
    }
    return items;
}

void WriteList(Settings& settings, const char* section, const std::vector<std::string>& items) {
    settings.WriteInteger(section, "Exclude_Count", static_cast<std::int32_t>(items.size()));
    for (std::size_t i = 0; i < items.size(); ++i) {
        settings.WriteString(section, "Item" + std::to_string(i), items[i]);
    }
}

}  // namespace

ShortcutWindowOptions ReadShortcutOptions(const Settings& settings, std::int32_t designWidth,
                                          std::int32_t designHeight) {
    ShortcutWindowOptions o;
    o.bounds.left = settings.ReadInteger(kSection, "S_Left", 1);
    o.bounds.top = settings.ReadInteger(kSection, "S_Top", 1);
    o.bounds.width = settings.ReadInteger(kSection, "S_Width", designWidth);
    o.bounds.height = settings.ReadInteger(kSection, "S_Height", designHeight);
    o.startupScan = settings.ReadBool(kSection, "S_Startup", false);
    o.confirm = settings.ReadBool(kSection, "S_Confirm", true);
    o.bounds.state = settings.ReadInteger(kSection, "S_State", 1);
    o.scan.discard.removable = settings.ReadBool(kSection, "Floppy_Check", true);
    o.scan.discard.cdRom = settings.ReadBool(kSection, "Cdrom_Check", true);
    o.scan.discard.network = settings.ReadBool(kSection, "Network_Check", true);
    o.scan.startMenu = settings.ReadBool(kSection, "Startmenu_Check", true);
    o.scan.desktop = settings.ReadBool(kSection, "Desktop_Check", true);
    o.scan.emptyDirectories = settings.ReadBool(kSection, "Emptydir_Check", false);
    o.scan.excludedDirectories = ReadList(settings, kExcludeSection);
    o.scan.excludedLinks = ReadList(settings, kLinkSection);
    return o;
}

void WriteShortcutOptions(Settings& settings, const ShortcutWindowOptions& o) {
    SettingsBatch batch(settings);
    settings.WriteInteger(kSection, "S_Left", o.bounds.left);
    settings.WriteInteger(kSection, "S_Top", o.bounds.top);
    settings.WriteInteger(kSection, "S_Width", o.bounds.width);
    settings.WriteInteger(kSection, "S_Height", o.bounds.height);
    settings.WriteBool(kSection, "S_Startup", o.startupScan);
    settings.WriteBool(kSection, "S_Confirm", o.confirm);
    settings.WriteInteger(kSection, "S_State", o.bounds.state);
    settings.WriteBool(kSection, "Floppy_Check", o.scan.discard.removable);
    settings.WriteBool(kSection, "Cdrom_Check", o.scan.discard.cdRom);
    settings.WriteBool(kSection, "Network_Check", o.scan.discard.network);
    settings.WriteBool(kSection, "Startmenu_Check", o.scan.startMenu);
    settings.WriteBool(kSection, "Desktop_Check", o.scan.desktop);
    settings.WriteBool(kSection, "Emptydir_Check", o.scan.emptyDirectories);
    WriteList(settings, kExcludeSection, o.scan.excludedDirectories);
    WriteList(settings, kLinkSection, o.scan.excludedLinks);
    batch.Commit();
}

}  // namespace sorvane
