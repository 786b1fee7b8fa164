#include "core/utils/FileRemoval.h"

#include "core/utils/AllUtils.h"

namespace sorvane {

Removal RemovePermanently(IFileSystem& fs, const std::string& path) {
    const auto original = fs.Attributes(path);
    if (!original || !fs.SetAttributes(path, attr::kArchive)) return Removal::kAttributesKept;
    if (DeleteOneFile(fs, path)) return Removal::kDone;
    fs.SetAttributes(path, *original);
    return Removal::kRefused;
}

RecycleOutcome RecycleAll(IShell& shell, IFileSystem& fs, TimeSlicedPump& pump,
                          const std::vector<std::string>& paths) {
    RecycleOutcome outcome;
    // One request; the files of `asked` it left are returned, those that went are noted.
    const auto request = [&](const std::vector<std::string>& asked) {
        std::vector<std::string> left;
        if (asked.empty()) return left;
        // The shell's answer proves nothing: a file still there did not go.
        shell.RecycleFiles(asked);
        for (const std::string& path : asked) {
            pump.Tick();
            if (fs.Exists(path)) {
                left.push_back(path);
            } else {
                outcome.gone.push_back(path);
            }
        }
        return left;
    };
    std::vector<std::string> left = request(paths);
    while (!left.empty()) {
        // The shell works in the order given, so the first file left is the one it stopped at.
        if (!request({left.front()}).empty()) outcome.stayed.push_back(left.front());
        left = request(std::vector<std::string>(left.begin() + 1, left.end()));
    }
    return outcome;
}

}  // namespace sorvane
