#pragma once
// What a Clean Drive(s) scan looks for, as the window's option controls hold it.
#include <cstdint>
#include <string>
#include <vector>

namespace sorvane {

struct ScanMask {
    std::string text;  // "*.tmp"
    bool checked = false;
};

struct DriveScanCriteria {
    // The scan locations, without a trailing backslash ("C:", "D:\data").
    std::vector<std::string> locations;
    bool subdirectories = true;
    // Offers every empty directory met during the preparation for removal.
    bool emptyDirectoryCheck = false;
    // True: every active criterion must hold (AND); false: any one will do (OR).
    bool collective = true;

    bool maskGroup = true;
    std::vector<ScanMask> masks;  // in list order; only checked ones take part

    bool sizeGroup = false;
    bool biggerOn = false;
    std::int64_t biggerKBytes = 1000;  // KBytes of 1000 bytes
    bool smallerOn = false;
    std::int64_t smallerKBytes = 0;

    bool dateGroup = false;
    bool accessedOn = true;
    std::string accessedBefore;  // a date in the user's short date format
    bool modifiedOn = true;
    std::string modifiedBefore;

    bool attributeGroup = false;
    bool archive = true;
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
};

}  // namespace sorvane
