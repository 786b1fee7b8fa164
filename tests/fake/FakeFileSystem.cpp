#include "FakeFileSystem.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "FakeCalendar.h"
#include "FakeText.h"

namespace sorvane {

using fake::AsciiUpper;
using fake::PathKey;
using fake::SplitDrivePath;

namespace {

using Parts = std::vector<std::string>;

Parts ParentOf(const Parts& parts) {
    return Parts(parts.begin(), parts.end() - 1);
}

Parts RequireParts(const std::string& path) {
    auto parts = SplitDrivePath(path);
    if (!parts) throw std::invalid_argument("not a drive path: " + path);
    return *parts;
}

}  // namespace

struct FakeFileSystem::Node {
    std::string name;
    bool directory = false;
    std::uint32_t attributes = 0;  // without kDirectory and kNormal; those are derived
    FileTime created;
    FileTime accessed;
    FileTime written;
    std::uint64_t size = 0;
    std::optional<std::string> content;                     // absent: `size` zero bytes
    std::map<std::string, std::unique_ptr<Node>> children;  // by upper-cased name

    // As the platform reports them: a file with no bits left is "normal".
    std::uint32_t Reported() const {
        if (directory) return attributes | attr::kDirectory;
        return attributes == 0 ? attr::kNormal : attributes;
    }
    FindData Data(std::string entryName) const {
        return {std::move(entryName), Reported(), directory ? 0 : size, created, accessed, written};
    }
    void SetAttributes(std::uint32_t bits) {
        attributes = bits & ~(attr::kDirectory | attr::kNormal);
    }
    void Apply(const FakeEntryOptions& options) {
        SetAttributes(options.attributes.value_or(directory ? 0 : attr::kArchive));
        created = options.created;
        accessed = options.accessed;
        written = options.written;
    }
};

struct FakeFileSystem::ListingState {
    Parts dir;
    std::string mask;
    int dotsLeft = 0;                 // "." and ".." still to report
    std::optional<std::string> last;  // key of the last child reported
    bool done = false;
};

class FakeFileSystem::Listing final : public IFindHandle {
  public:
    Listing(FakeFileSystem& fs, ListingState state) : fs_(fs), state_(std::move(state)) {}
    bool Next(FindData& out) override {
        const bool found = fs_.Step(state_, out);
        fs_.CountListingStep();
        return found;
    }

  private:
    FakeFileSystem& fs_;
    ListingState state_;
};

// Works on a copy taken at opening: what a reader sees does not change under it.
class FakeFileSystem::Reader final : public IFileReader {
  public:
    Reader(std::optional<std::string> content, std::uint64_t size,
           std::optional<std::uint64_t> failAt)
        : content_(std::move(content)), size_(size), failAt_(failAt) {}

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        if (failAt_ && offset_ >= *failAt_) return std::nullopt;
        const std::uint64_t end = failAt_ ? std::min(size_, *failAt_) : size_;
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(count, end - offset_));
        if (n > 0) {
            if (content_) {
                std::memcpy(buffer, content_->data() + offset_, n);
            } else {
                std::memset(buffer, 0, n);
            }
        }
        offset_ += n;
        return n;
    }

  private:
    std::optional<std::string> content_;
    std::uint64_t size_;
    std::optional<std::uint64_t> failAt_;
    std::uint64_t offset_ = 0;
};

FakeFileSystem::FakeFileSystem() : top_(std::make_unique<Node>()) {
    top_->directory = true;
}

FakeFileSystem::~FakeFileSystem() = default;

// ---- Building

FakeFileSystem::Node* FakeFileSystem::Find(const Parts& parts) const {
    Node* node = top_.get();
    for (const std::string& part : parts) {
        const auto it = node->children.find(AsciiUpper(part));
        if (it == node->children.end()) return nullptr;
        node = it->second.get();
    }
    return node;
}

FakeFileSystem::Node& FakeFileSystem::AddNode(const std::string& path, bool directory) {
    const Parts parts = RequireParts(path);
    Node* node = top_.get();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!node->directory) throw std::invalid_argument("path runs through a file: " + path);
        const bool leaf = i + 1 == parts.size();
        auto& slot = node->children[AsciiUpper(parts[i])];
        if (!slot) {
            slot = std::make_unique<Node>();
            slot->name = parts[i];
            slot->directory = !leaf || directory;
            slot->Apply({});
        } else if (leaf && slot->directory != directory) {
            throw std::invalid_argument("a different kind of entry is already at " + path);
        }
        node = slot.get();
    }
    return *node;
}

void FakeFileSystem::AddDir(const std::string& path, const FakeEntryOptions& options) {
    AddNode(path, true).Apply(options);
}

void FakeFileSystem::AddFile(const std::string& path, std::uint64_t size,
                             const FakeEntryOptions& options) {
    Node& node = AddNode(path, false);
    node.Apply(options);
    node.size = size;
    node.content.reset();
}

void FakeFileSystem::AddFileWithContent(const std::string& path, std::string content,
                                        const FakeEntryOptions& options) {
    Node& node = AddNode(path, false);
    node.Apply(options);
    node.size = content.size();
    node.content = std::move(content);
}

bool FakeFileSystem::Erase(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return false;
    Node* parent = Find(ParentOf(*parts));
    return parent != nullptr && parent->children.erase(AsciiUpper(parts->back())) > 0;
}

// ---- Shell support

bool FakeFileSystem::AnyLocked(const Parts& parts, const Node& node) const {
    if (locked_.count(PathKey(parts)) > 0) return true;
    Parts child = parts;
    for (const auto& [key, entry] : node.children) {
        child.push_back(entry->name);
        if (AnyLocked(child, *entry)) return true;
        child.pop_back();
    }
    return false;
}

std::optional<FindData> FakeFileSystem::DeleteTree(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts || parts->size() < 2) return std::nullopt;
    Use(*parts);
    const Node* node = Find(*parts);
    if (node == nullptr || AnyLocked(*parts, *node) || deniedRemoval_.count(PathKey(*parts)) > 0) {
        return std::nullopt;
    }
    FindData data = node->Data(node->name);
    Find(ParentOf(*parts))->children.erase(AsciiUpper(parts->back()));
    return data;
}

bool FakeFileSystem::Move(const std::string& source, const std::string& destination) {
    const auto from = SplitDrivePath(source);
    const auto to = SplitDrivePath(destination);
    if (!from || !to || from->size() < 2 || to->size() < 2) return false;
    Use(*from);
    Use(*to);
    const std::string fromKey = PathKey(*from);
    const std::string toKey = PathKey(*to);
    if (toKey.rfind(fromKey + "\\", 0) == 0) return false;  // into itself
    const Node* node = Find(*from);
    if (node == nullptr || Find(*to) != nullptr || AnyLocked(*from, *node)) return false;

    Node* target = top_.get();
    for (const std::string& part : ParentOf(*to)) {
        auto& slot = target->children[AsciiUpper(part)];
        if (!slot) {
            if (diskFull_ || target == top_.get()) {
                target->children.erase(AsciiUpper(part));
                return false;
            }
            slot = std::make_unique<Node>();
            slot->name = part;
            slot->directory = true;
        }
        if (!slot->directory) return false;
        target = slot.get();
    }
    auto& siblings = Find(ParentOf(*from))->children;
    const auto it = siblings.find(AsciiUpper(from->back()));
    std::unique_ptr<Node> moved = std::move(it->second);
    siblings.erase(it);
    moved->name = to->back();
    target->children[AsciiUpper(to->back())] = std::move(moved);
    return true;
}

// ---- Looking

bool FakeFileSystem::Contains(const std::string& path) const {
    const auto parts = SplitDrivePath(path);
    return parts && Find(*parts) != nullptr;
}

void FakeFileSystem::CollectPaths(const Node& node, const std::string& prefix,
                                  std::vector<std::string>& out) const {
    for (const auto& [key, child] : node.children) {
        out.push_back(prefix + "\\" + child->name);
        CollectPaths(*child, out.back(), out);
    }
}

std::vector<std::string> FakeFileSystem::AllPaths() const {
    std::vector<std::string> out;
    for (const auto& [key, root] : top_->children) CollectPaths(*root, root->name, out);
    return out;
}

// ---- Faults

void FakeFileSystem::DenyListing(const std::string& dir, bool deny) {
    const std::string key = PathKey(RequireParts(dir));
    if (deny) {
        deniedListing_.insert(key);
    } else {
        deniedListing_.erase(key);
    }
}

void FakeFileSystem::Lock(const std::string& path, bool locked) {
    const std::string key = PathKey(RequireParts(path));
    if (locked) {
        locked_.insert(key);
    } else {
        locked_.erase(key);
    }
}

void FakeFileSystem::DenyRemoval(const std::string& path, bool deny) {
    const std::string key = PathKey(RequireParts(path));
    if (deny) {
        deniedRemoval_.insert(key);
    } else {
        deniedRemoval_.erase(key);
    }
}

void FakeFileSystem::AddAlias(const std::string& shortPath, const std::string& longPath) {
    aliases_[PathKey(RequireParts(shortPath))] = longPath;
}

std::string FakeFileSystem::FullPath(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return path;
    if (parts->size() == 1) return parts->front() + "\\";
    // The longest aliased start wins; the rest keeps its spelling.
    std::size_t n = parts->size();
    std::string full = parts->front();
    for (; n > 1; --n) {
        const auto alias = aliases_.find(
            PathKey(Parts(parts->begin(), parts->begin() + static_cast<std::ptrdiff_t>(n))));
        if (alias == aliases_.end()) continue;
        full = alias->second;
        break;
    }
    for (std::size_t i = std::max<std::size_t>(n, 1); i < parts->size(); ++i) {
        full += "\\" + (*parts)[i];
    }
    return full;
}

void FakeFileSystem::DenyRead(const std::string& path, bool deny) {
    const std::string key = PathKey(RequireParts(path));
    if (deny) {
        deniedRead_.insert(key);
    } else {
        deniedRead_.erase(key);
    }
}

void FakeFileSystem::FailReadAt(const std::string& path, std::uint64_t offset) {
    readFailOffsets_[PathKey(RequireParts(path))] = offset;
}

void FakeFileSystem::VanishAfterSteps(const std::string& path, std::size_t steps) {
    if (steps == 0) {
        Erase(path);
        return;
    }
    vanishAfterSteps_[PathKey(RequireParts(path))] = steps;
}

void FakeFileSystem::VanishBeforeNextUse(const std::string& path) {
    vanishOnUse_.insert(PathKey(RequireParts(path)));
}

void FakeFileSystem::Use(const Parts& parts) {
    if (vanishOnUse_.erase(PathKey(parts)) > 0) Erase(PathKey(parts));
}

void FakeFileSystem::CountListingStep() {
    for (auto it = vanishAfterSteps_.begin(); it != vanishAfterSteps_.end();) {
        if (--it->second == 0) {
            Erase(it->first);
            it = vanishAfterSteps_.erase(it);
        } else {
            ++it;
        }
    }
}

// ---- Listings

bool FakeFileSystem::Step(ListingState& state, FindData& out) {
    if (state.done) return false;
    const Node* dir = Find(state.dir);
    if (dir == nullptr || !dir->directory) {
        state.done = true;
        return false;
    }
    while (state.dotsLeft > 0) {
        const char* name = state.dotsLeft-- == 2 ? "." : "..";
        if (fake::MatchesMask(name, state.mask)) {
            out = dir->Data(name);
            return true;
        }
    }
    auto it = state.last ? dir->children.upper_bound(*state.last) : dir->children.begin();
    for (; it != dir->children.end(); ++it) {
        if (fake::MatchesMask(it->second->name, state.mask)) {
            state.last = it->first;
            out = it->second->Data(it->second->name);
            return true;
        }
    }
    state.done = true;
    return false;
}

std::unique_ptr<IFindHandle> FakeFileSystem::FindFirst(const std::string& pattern,
                                                       FindData& first) {
    std::unique_ptr<IFindHandle> handle;
    const std::size_t slash = pattern.find_last_of("\\/");
    const auto dir =
        slash == std::string::npos ? std::nullopt : SplitDrivePath(pattern.substr(0, slash));
    if (dir) {
        ListingState state;
        state.dir = *dir;
        state.mask = pattern.substr(slash + 1);
        Use(*dir);
        if (!state.mask.empty() && !fake::HasWildcards(state.mask)) {
            Parts named = *dir;
            named.push_back(state.mask);
            Use(named);
        }
        const Node* node = Find(*dir);
        if (node != nullptr && node->directory && !state.mask.empty() &&
            deniedListing_.count(PathKey(*dir)) == 0) {
            state.dotsLeft = dir->size() > 1 ? 2 : 0;
            if (Step(state, first)) handle = std::make_unique<Listing>(*this, std::move(state));
        }
    }
    CountListingStep();
    return handle;
}

// ---- Single-entry operations

std::optional<std::uint32_t> FakeFileSystem::Attributes(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return std::nullopt;
    Use(*parts);
    const Node* node = Find(*parts);
    if (node == nullptr) return std::nullopt;
    return node->Reported();
}

bool FakeFileSystem::SetAttributes(const std::string& path, std::uint32_t attributes) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return false;
    Use(*parts);
    Node* node = Find(*parts);
    if (node == nullptr || locked_.count(PathKey(*parts)) > 0) return false;
    node->SetAttributes(attributes);
    return true;
}

bool FakeFileSystem::RemoveFile(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return false;
    Use(*parts);
    const Node* node = Find(*parts);
    // Read-only files refuse deletion on the real platform too; callers must clear the bit.
    if (node == nullptr || node->directory || (node->attributes & attr::kReadOnly) != 0 ||
        locked_.count(PathKey(*parts)) > 0 || deniedRemoval_.count(PathKey(*parts)) > 0) {
        return false;
    }
    Erase(path);
    removed_.push_back(path);
    return true;
}

bool FakeFileSystem::RemoveDir(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts || parts->size() < 2) return false;
    Use(*parts);
    const Node* node = Find(*parts);
    if (node == nullptr || !node->directory || !node->children.empty() ||
        (node->attributes & attr::kReadOnly) != 0 || locked_.count(PathKey(*parts)) > 0 ||
        deniedRemoval_.count(PathKey(*parts)) > 0) {
        return false;
    }
    Erase(path);
    removed_.push_back(path);
    return true;
}

bool FakeFileSystem::MakeDir(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts || parts->size() < 2) return false;
    Use(*parts);
    Node* parent = Find(ParentOf(*parts));
    if (diskFull_ || parent == nullptr || !parent->directory || Find(*parts) != nullptr) {
        return false;
    }
    auto node = std::make_unique<Node>();
    node->name = parts->back();
    node->directory = true;
    parent->children[AsciiUpper(parts->back())] = std::move(node);
    return true;
}

std::unique_ptr<IFileReader> FakeFileSystem::OpenRead(const std::string& path) {
    const auto parts = SplitDrivePath(path);
    if (!parts) return nullptr;
    Use(*parts);
    const Node* node = Find(*parts);
    const std::string key = PathKey(*parts);
    if (node == nullptr || node->directory || deniedRead_.count(key) > 0) return nullptr;
    const auto failAt = readFailOffsets_.find(key);
    return std::make_unique<Reader>(
        node->content, node->size,
        failAt == readFailOffsets_.end() ? std::nullopt : std::optional(failAt->second));
}

bool FakeFileSystem::WriteFile(const std::string& path, const std::string& bytes,
                               std::string& error) {
    const auto parts = SplitDrivePath(path);
    if (parts) Use(*parts);
    const Node* parent = parts && parts->size() > 1 ? Find(ParentOf(*parts)) : nullptr;
    const Node* node = parts ? Find(*parts) : nullptr;
    if (parent == nullptr || !parent->directory) {
        error = "The system cannot find the path specified.";
    } else if (locked_.count(PathKey(*parts)) > 0) {
        error = "The process cannot access the file because it is being used by another process.";
    } else if (node != nullptr && (node->directory || (node->attributes & attr::kReadOnly) != 0)) {
        error = "Access is denied.";
    } else if (diskFull_) {
        error = "There is not enough space on the disk.";
    } else {
        // A replaced file keeps its attributes and gains archive, as on the platform.
        const std::optional<std::uint32_t> kept =
            node != nullptr ? std::optional(node->attributes | attr::kArchive) : std::nullopt;
        AddFileWithContent(path, bytes, {.attributes = kept});
        return true;
    }
    return false;
}

std::optional<FileTime> FakeFileSystem::ToLocalTime(FileTime utc) {
    constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    const std::int64_t shift =
        localOffsetMinutes_ * 60 * static_cast<std::int64_t>(fake::kTicksPerSecond);
    // The platform refuses times with the top bit set, before or after the shift.
    if (utc.ticks > kMax) return std::nullopt;
    const auto ticks = static_cast<std::int64_t>(utc.ticks);
    if ((shift > 0 && ticks > static_cast<std::int64_t>(kMax) - shift) || ticks + shift < 0) {
        return std::nullopt;
    }
    return FileTime{static_cast<std::uint64_t>(ticks + shift)};
}

}  // namespace sorvane
