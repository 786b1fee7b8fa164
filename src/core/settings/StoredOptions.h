#pragma once
// A stored-options set: a window's option controls and placement kept in one section of the
// settings file. The window registers each entry once, by "Component.Property" name with a
// getter and a setter, and decides itself when to save and restore. Entries are written in
// the order they were added, each under the key "Component_Property":
//   Boolean        "True" / "False"
//   Integer        decimal
//   Text           unchanged
//   Floating point general format, up to 18 significant digits, always "." as separator
//   String list    a section of its own, "<section>.<key>", with "Count" and "Item0".."ItemN"
// Restoring leaves a control alone when its key is missing or its text does not convert.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/SettingsStore.h"
#include "core/settings/Settings.h"

namespace sorvane {

// A window's placement as it is stored: the fields of the platform's window placement.
struct StoredPlacement {
    std::int32_t flags = 0;
    std::int32_t showCmd = 1;  // 1 normal, 2 minimized, 3 maximized
    std::int32_t pixelsPerInch = 96;
    std::int32_t minX = -1, minY = -1, maxX = -1, maxY = -1;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;  // the normal rectangle
    bool visible = false;
    friend bool operator==(const StoredPlacement&, const StoredPlacement&) = default;
};

// Where a window stood, as the windows that keep their settings key by key store it: the
// normal rectangle's corner and size, and its state (1 normal, 2 maximized, 3 minimized).
struct WindowBounds {
    std::int32_t left = 1, top = 1, width = 0, height = 0;
    std::int32_t state = 1;
};

// The same placement in both forms. Bounds carry no pixels per inch, so they are never scaled.
StoredPlacement PlacementOfBounds(const WindowBounds& bounds);
WindowBounds BoundsOfPlacement(const StoredPlacement& placement);

struct ScreenArea {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// A monitor in screen coordinates: the whole of it, and its work area (without the taskbar).
struct MonitorArea {
    ScreenArea whole;
    ScreenArea work;
};

// A restored placement made fit for the monitor it is on or, when it lies on none, the nearest
// one: the normal size scaled from the saved pixels per inch to the current ones, and a
// rectangle that would lie wholly off the monitor's work area moved back into it. The normal
// rectangle counts from the work area's corner (the system's workspace coordinates), so a
// taskbar at the top or left does not move it.
StoredPlacement FitToScreen(StoredPlacement placement, std::int32_t pixelsPerInch,
                            const MonitorArea& monitor);

// Floating-point text of a stored entry and back; both ignore the user's locale.
std::string FormatStoredFloat(double value);
std::optional<double> ParseStoredFloat(const std::string& text);

class StoredOptions {
  public:
    StoredOptions(ISettingsStore& store, std::string path, std::string section);


    template <typename T>
    using Getter = std::function<T()>;
    template <typename T>
    using Setter = std::function<void(const T&)>;

    void AddBool(const std::string& name, Getter<bool> get, Setter<bool> set);
    void AddInteger(const std::string& name, Getter<std::int32_t> get, Setter<std::int32_t> set);
    void AddText(const std::string& name, Getter<std::string> get, Setter<std::string> set);
    void AddFloat(const std::string& name, Getter<double> get, Setter<double> set);
    // A list that is restored only when the file holds at least one line for it.
    void AddStrings(const std::string& name, Getter<std::vector<std::string>> get,
                    Setter<std::vector<std::string>> set);

    // Writes every entry as one change of the file; throws SettingsWriteError when the file
    // refuses it, and then none is written.
    void SaveProperties();
    void RestoreProperties();

    // Writes "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos", "NormPos" and "Visible".
    void SavePlacement(const StoredPlacement& placement);
    // nullopt when no usable normal rectangle is stored: the window keeps where it is.
    std::optional<StoredPlacement> RestorePlacement() const;

    // Keys the owning window keeps itself beside the entries.
    std::int32_t ReadInteger(const std::string& key, std::int32_t def) const;
    void WriteInteger(const std::string& key, std::int32_t value);

    // The set's file, for a batch that makes a whole window's save one change.
    Settings& File() { return settings_; }

    // "Component.Property" -> "Component_Property".
    static std::string KeyOf(const std::string& name);

  private:
    struct Entry {
        std::string key;
        // Scalars: the stored text, and taking it back (false when it does not convert).
        std::function<std::string()> encode;
        std::function<bool(const std::string&)> decode;
        // Lists.
        Getter<std::vector<std::string>> lines;
        Setter<std::vector<std::string>> setLines;
    };
    void AddScalar(const std::string& name, std::function<std::string()> encode,
                   std::function<bool(const std::string&)> decode);
    std::string ListSection(const Entry& entry) const { return section_ + "." + entry.key; }
    void SaveList(const Entry& entry);
    void RestoreList(const Entry& entry) const;

    ISettingsStore& store_;
    Settings settings_;
    std::string section_;
    std::vector<Entry> entries_;
};

}  // namespace sorvane
