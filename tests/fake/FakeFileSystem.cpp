#include "FakeFileSystem.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <stdexcept>

#include "core/utils/AsciiText.h"

namespace sorvane {

namespace {

// The components of "C:\dir\file", drive first and upper-cased; '/' counts as '\', empty
// and "." components drop out, ".." goes up. nullopt without a drive.
std::optional<std::vector<std::string>> SplitDrivePath(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '\\' && path[i] != '/') {
            current += path[i];
            continue;
        }
        if (current == "..") {
            if (parts.size() > 1) parts.pop_back();
        } else if (!current.empty() && current != ".") {
            parts.push_back(current);
        }
        current.clear();
    }
    if (parts.empty() || parts[0].size() != 2 || parts[0][1] != ':' ||
        LowerAscii(parts[0][0]) < 'a' || LowerAscii(parts[0][0]) > 'z')
        return std::nullopt;
    parts[0] = UpperAscii(parts[0]);
    return parts;
}

// The upper-cased components joined with '\': one key for every spelling of a path.
std::string PathKey(const std::vector<std::string>& parts) {
    std::string key;
    for (const std::string& part : parts) {
        if (!key.empty()) key += '\\';
        key += UpperAscii(part);
    }
    return key;
}

std::optional<std::string> PathKey(std::string_view path) {
    const auto parts = SplitDrivePath(path);
    return parts ? std::optional(PathKey(*parts)) : std::nullopt;
}

std::vector<std::string> ParentOf(const std::vector<std::string>& parts) {
    return {parts.begin(), parts.end() - 1};
}

}  // namespace

struct FakeFileSystem::Node {
    std::string name;
    bool directory = true;
    std::uint32_t attributes = 0;  // without kDirectory and kNormal, which are derived
    FileTime accessed, written, created;
    std::string content;   // empty for files that read as `size` zeros
    std::uint64_t id = 0;  // shared by the names of one file
    std::uint64_t size = 0;
    std::map<std::string, std::unique_ptr<Node>> children;  // by upper-cased name

    // As the platform reports them: a file with no bits left is "normal".
    FindData Data(std::string entryName) const {
        const std::uint32_t bits = directory         ? attributes | attr::kDirectory
                                   : attributes == 0 ? attr::kNormal
                                                     : attributes;
        return {std::move(entryName), bits, directory ? 0 : size, created, accessed, written};
    }
    void Apply(const FakeEntryOptions& o) {
        attributes = o.attributes.value_or(directory ? 0 : attr::kArchive) &
                     ~(attr::kDirectory | attr::kNormal);
        std::tie(accessed, written, created) = std::tie(o.accessed, o.written, o.created);
    }
};

// Remembers where it is by key, so it follows changes to the directory.
class FakeFileSystem::Listing final : public IFindHandle {
  public:
    Listing(const FakeFileSystem& fs, Parts dir)
        : fs_(fs), dir_(std::move(dir)), dots_(dir_.size() > 1 ? 2 : 0) {}

    bool Next(FindData& out) override {
        const Node* dir = fs_.Find(dir_);
        if (dir == nullptr) return false;
        if (dots_ > 0) {
            out = dir->Data(dots_-- == 2 ? "." : "..");
            return true;
        }
        const auto it = last_ ? dir->children.upper_bound(*last_) : dir->children.begin();
        if (it == dir->children.end()) return false;
        last_ = it->first;
        out = it->second->Data(it->second->name);
        return true;
    }

  private:
    const FakeFileSystem& fs_;
    Parts dir_;
    int dots_;
    std::optional<std::string> last_;
};

FakeFileSystem::FakeFileSystem() : top_(std::make_unique<Node>()) {}

FakeFileSystem::~FakeFileSystem() = default;

std::string FakeFileSystem::Key(const std::string& path) {
    const auto key = PathKey(path);
    if (!key) throw std::invalid_argument("not a drive path: " + path);
    return *key;
}

FakeFileSystem::Node* FakeFileSystem::Find(const Parts& parts) const {
    Node* node = top_.get();
    for (const std::string& part : parts) {
        const auto it = node->children.find(UpperAscii(part));
        if (it == node->children.end()) return nullptr;
        node = it->second.get();
    }
    return node;
}

FakeFileSystem::Node& FakeFileSystem::Ensure(const Parts& parts) {
    Node* node = top_.get();
    for (const std::string& part : parts) {
        if (!node->directory) throw std::invalid_argument("path runs through a file");
        auto& slot = node->children[UpperAscii(part)];
        if (!slot) slot = std::make_unique<Node>(Node{.name = part, .id = ++lastId_});
        node = slot.get();
    }
    return *node;
}

FakeFileSystem::Node& FakeFileSystem::AddNode(const std::string& path, bool directory,
                                              const FakeEntryOptions& options) {
    const auto parts = SplitDrivePath(path);
    if (!parts) throw std::invalid_argument("not a drive path: " + path);
    Node& node = Ensure(*parts);
    if (!node.children.empty() && !directory) throw std::invalid_argument("a directory: " + path);
    node.directory = directory;
    node.Apply(options);
    return node;
}

void FakeFileSystem::AddDir(const std::string& path, const FakeEntryOptions& options) {
    AddNode(path, true, options);
}

void FakeFileSystem::AddFile(const std::string& path, std::uint64_t size,
                             const FakeEntryOptions& options) {
    Node& node = AddNode(path, false, options);
    node.size = size;
    node.content.clear();
}

void FakeFileSystem::SetContent(const std::string& path, std::string bytes) {
    const auto parts = SplitDrivePath(path);
    Node* node = parts ? Find(*parts) : nullptr;
    if (node == nullptr || node->directory) throw std::invalid_argument("no file: " + path);
    node->size = bytes.size();
    node->content = std::move(bytes);
}

void FakeFileSystem::AddHardLink(const std::string& existing, const std::string& link) {
    const auto parts = SplitDrivePath(existing);
    const Node* node = parts ? Find(*parts) : nullptr;
    if (node == nullptr || node->directory) throw std::invalid_argument("no file: " + existing);
    Node& copy = AddNode(link, false, {});  // nodes stay where they are as others are added
    std::tie(copy.attributes, copy.accessed, copy.written, copy.created, copy.content, copy.size,
             copy.id) = std::tie(node->attributes, node->accessed, node->written, node->created,
                                 node->content, node->size, node->id);
}

std::optional<FileIdentity> FakeFileSystem::Identity(const std::string& path) {
    const auto parts = SplitDrivePath(FullPath(path));
    const Node* node = parts ? Find(*parts) : nullptr;
    if (node == nullptr) return std::nullopt;
    return FileIdentity{1, node->id};
}

bool FakeFileSystem::Erase(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    Node* parent = parts ? Find(ParentOf(*parts)) : nullptr;
    return parent != nullptr && parent->children.erase(UpperAscii(parts->back())) > 0;
}

bool FakeFileSystem::Contains(const std::string& path) const {
    const auto parts = SplitDrivePath(path);
    return parts && Find(*parts) != nullptr;
}

bool FakeFileSystem::Locked(const Parts& parts) const {
    return locked_.count(PathKey(parts)) > 0;
}

bool FakeFileSystem::AnyLocked(const Parts& parts) const {
    const std::string key = PathKey(parts);
    return std::any_of(locked_.begin(), locked_.end(), [&](const std::string& locked) {
        return locked == key || locked.rfind(key + "\\", 0) == 0;
    });
}

bool FakeFileSystem::DeleteTree(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    const Node* node = parts && parts->size() > 1 ? Find(*parts) : nullptr;
    return node != nullptr && !AnyLocked(*parts) && deniedRemoval_.count(PathKey(*parts)) == 0 &&
           Erase(path);
}

bool FakeFileSystem::Move(const std::string& source, const std::string& destination) {
    const auto from = SplitDrivePath(source);
    const auto to = SplitDrivePath(destination);
    if (!from || !to || from->size() < 2 || to->size() < 2) return false;
    if (PathKey(*to).rfind(PathKey(*from) + "\\", 0) == 0) return false;  // into itself
    const Node* node = Find(*from);
    if (node == nullptr || Find(*to) != nullptr || AnyLocked(*from) ||
        Find({to->front()}) == nullptr)
        return false;
    try {
        Node& target = Ensure(ParentOf(*to));
        if (!target.directory) return false;
        auto& siblings = Find(ParentOf(*from))->children;
        auto moved = std::move(siblings.at(UpperAscii(from->back())));
        siblings.erase(UpperAscii(from->back()));
        moved->name = to->back();
        target.children[UpperAscii(to->back())] = std::move(moved);
        return true;
    } catch (const std::invalid_argument&) {
        return false;  // the destination runs through a file
    }
}

std::unique_ptr<IFindHandle> FakeFileSystem::FindFirst(const std::string& pattern,
                                                       FindData& first) {
    const std::size_t slash = pattern.find_last_of("\\/");
    const auto dir =
        slash == std::string::npos ? std::nullopt : SplitDrivePath(pattern.substr(0, slash));
    const std::string mask = pattern.substr(slash + 1);
    if (mask.find_first_of("*?") == std::string::npos && dir) {
        // One entry by its name, as a file's own size and times are read.
        auto parts = *dir;
        parts.push_back(mask);
        const Node* entry = Find(parts);
        if (entry == nullptr) return nullptr;
        first = entry->Data(entry->name);
        struct One final : IFindHandle {
            bool Next(FindData&) override { return false; }
        };
        return std::make_unique<One>();
    }
    if (mask != "*" && mask != "*.*") throw std::invalid_argument("the fake lists only '*'");
    const Node* node = dir ? Find(*dir) : nullptr;
    if (node == nullptr || !node->directory || deniedListing_.count(PathKey(*dir)) > 0)
        return nullptr;
    auto listing = std::make_unique<Listing>(*this, *dir);
    if (!listing->Next(first)) return nullptr;
    return listing;
}

Lookup FakeFileSystem::Look(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return {Presence::kNotFound};
    for (std::size_t n = 1; n <= parts->size(); ++n) {
        if (failedLookups_.count(PathKey(Parts(parts->begin(), parts->begin() + n))) > 0) return {};
    }
    const Node* node = Find(*parts);
    if (node == nullptr) return {Presence::kNotFound};
    const FindData data = node->Data({});
    return {Presence::kFound, data.attributes, data.size};
}

bool FakeFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    const auto parts = SplitDrivePath(path);
    Node* node = parts ? Find(*parts) : nullptr;
    if (node == nullptr || Locked(*parts)) return false;
    node->attributes = attributes & ~(attr::kDirectory | attr::kNormal);
    return true;
}

// Read-only entries refuse removal on the real platform too; callers must clear the bit.
bool FakeFileSystem::RemoveLeaf(const std::string& path, bool directory) {
    const auto parts = SplitDrivePath(path);
    const Node* node = parts && parts->size() > 1 ? Find(*parts) : nullptr;
    if (node == nullptr || node->directory != directory || !node->children.empty() ||
        (node->attributes & attr::kReadOnly) != 0 || Locked(*parts) ||
        deniedRemoval_.count(PathKey(*parts)) > 0) {
        return false;
    }
    Erase(path);
    removed_.push_back(path);
    return true;
}

bool FakeFileSystem::MakeDir(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts || parts->size() < 2 || Find(*parts) != nullptr) return false;
    const Node* parent = Find(ParentOf(*parts));
    if (parent == nullptr || !parent->directory) return false;
    AddDir(path);
    return true;
}

std::unique_ptr<IFileReader> FakeFileSystem::OpenRead(const std::string& path) {
    // Reads a copy taken now: what a reader sees does not change under it.
    struct Reader final : IFileReader {
        std::string bytes;
        std::size_t offset = 0;
        std::size_t failAt = std::string::npos;
        std::uint64_t* bytesRead = nullptr;
        std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
            const std::size_t n = std::min(count, bytes.size() - offset);
            if (offset + n > failAt) return std::nullopt;
            std::memcpy(buffer, bytes.data() + offset, n);
            offset += n;
            *bytesRead += n;
            return n;
        }
        bool Seek(std::uint64_t to) override {
            offset = static_cast<std::size_t>(std::min<std::uint64_t>(to, bytes.size()));
            return true;
        }
    };
    const auto parts = SplitDrivePath(path);
    const Node* node = parts ? Find(*parts) : nullptr;
    if (node == nullptr || node->directory) return nullptr;
    auto reader = std::make_unique<Reader>();
    reader->bytes = Content(path);
    reader->bytesRead = &bytesRead_;
    if (const auto fault = readFaults_.find(PathKey(*parts)); fault != readFaults_.end())
        reader->failAt = fault->second;
    return reader;
}

std::string FakeFileSystem::Content(const std::string& path) const {
    const auto parts = SplitDrivePath(path);
    const Node* node = parts ? Find(*parts) : nullptr;
    if (node == nullptr || node->directory) return {};
    return node->content.empty() ? std::string(node->size, '\0') : node->content;
}

bool FakeFileSystem::Write(const std::string& path, const std::string& bytes, std::string& error,
                           bool append) {
    const auto parts = SplitDrivePath(path);
    const Node* parent = parts && parts->size() > 1 ? Find(ParentOf(*parts)) : nullptr;
    const Node* node = parent != nullptr ? Find(*parts) : nullptr;
    if (parent == nullptr || !parent->directory) {
        error = "The system cannot find the path specified.";
    } else if (Locked(*parts)) {
        error = "The process cannot access the file because it is being used by another process.";
    } else if (node != nullptr && (node->directory || (node->attributes & attr::kReadOnly) != 0)) {
        error = "Access is denied.";
    } else {
        // A replaced file keeps its attributes and gains archive, as on the platform.
        const auto kept =
            node != nullptr ? std::optional(node->attributes | attr::kArchive) : std::nullopt;
        Node& written = AddNode(path, false, {.attributes = kept});
        if (!append) written.content.clear();
        if (written.content.empty()) written.content.assign(append ? written.size : 0, '\0');
        written.content += bytes;
        written.size = written.content.size();
        return true;
    }
    return false;
}

std::string FakeFileSystem::FullPath(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return path;
    if (parts->size() == 1) return parts->front() + "\\";
    // The longest aliased start wins; the rest keeps its spelling.
    const auto start = [&](std::size_t n) {
        return PathKey(Parts(parts->begin(), parts->begin() + static_cast<std::ptrdiff_t>(n)));
    };
    std::size_t n = parts->size();
    while (n > 1 && aliases_.count(start(n)) == 0) --n;
    std::string full = n > 1 ? aliases_.at(start(n)) : parts->front();
    for (std::size_t i = n; i < parts->size(); ++i) full += "\\" + (*parts)[i];
    return full;
}

std::optional<FileTime> FakeFileSystem::ToLocalTime(FileTime utc) {
    if (utc.ticks >> 63 != 0) return std::nullopt;
    return utc;
}

}  // namespace sorvane
