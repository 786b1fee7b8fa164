#include "core/utils/FileRemoval.h"

#include <algorithm>
#include <deque>
#include <iterator>

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
    const std::vector<std::string> left = request(paths);
    // The shell works in the order given, so the first file left is the one it stopped at. The
    // rest go in requests of a bounded size: a folder of files the shell refuses one after
    // another then costs a few checks a file, not a look at every file after it each time.
    constexpr std::size_t kRetryBatch = 256;
    std::deque<std::string> pending(left.begin(), left.end());
    while (!pending.empty()) {
        const std::string first = std::move(pending.front());
        pending.pop_front();
        if (!request({first}).empty()) outcome.stayed.push_back(first);
        const std::size_t count = std::min(pending.size(), kRetryBatch);
        std::vector<std::string> batch(std::make_move_iterator(pending.begin()),
                                       std::make_move_iterator(pending.begin() + count));
        pending.erase(pending.begin(), pending.begin() + count);
        const std::vector<std::string> again = request(batch);
        pending.insert(pending.begin(), again.begin(), again.end());
    }
    return outcome;
}

}  // namespace sorvane
