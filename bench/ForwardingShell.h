#pragma once
// A shell that hands every request to another one: the benchmarks override only the requests
// they count or time.
#include <string>
#include <vector>

#include "core/platform/Shell.h"

namespace bench {

class ForwardingShell : public sorvane::IShell {
  public:
    explicit ForwardingShell(sorvane::IShell& inner) : inner_(inner) {}

    bool RecycleFiles(const std::vector<std::string>& paths) override {
        return inner_.RecycleFiles(paths);
    }
    bool HasRecycleBin(const std::string& path) override { return inner_.HasRecycleBin(path); }
    sorvane::RestoreResult RestoreRecycled(const std::string& originalPath) override {
        return inner_.RestoreRecycled(originalPath);
    }
    bool MoveFiles(const std::vector<std::string>& sources,
                   const std::vector<std::string>& destinations) override {
        return inner_.MoveFiles(sources, destinations);
    }
    std::string FileTypeName(const std::string& name) override { return inner_.FileTypeName(name); }
    void RunDocument(const std::string& file, const std::string& parameters,
                     const std::string& directory, int showMode) override {
        inner_.RunDocument(file, parameters, directory, showMode);
    }
    sorvane::ShortcutInfo ReadShortcut(const std::string& linkPath) override {
        return inner_.ReadShortcut(linkPath);
    }

  protected:
    sorvane::IShell& inner_;
};

}  // namespace bench
