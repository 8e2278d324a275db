#include "platform/sim/sim_file_system.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <functional>

#include "platform/sim/sim_system.h"

namespace scourix::sim {
namespace {

using platform::Status;

constexpr Status kDiskFull = 112;

char Fold(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [](char x, char y) { return Fold(x) == Fold(y); });
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
    s.remove_suffix(1);
  }
  return s;
}

class SimListing : public platform::DirectoryListing {
 public:
  explicit SimListing(std::vector<platform::DirEntry> entries) : entries_(std::move(entries)) {}
  bool Next(platform::DirEntry* entry) override {
    if (next_ >= entries_.size())
      return false;
    *entry = entries_[next_++];
    return true;
  }

 private:
  std::vector<platform::DirEntry> entries_;
  std::size_t next_ = 0;
};

// An open file counts among its node's writers until closed, so that other opens meet the
// sharing rules and a delete is refused while it is open.
class SimFile final : public platform::File {
 public:
  SimFile(SimFileSystem::Node* node, platform::OpenMode mode)
      : node_(node),
        append_(mode == platform::OpenMode::kAppend),
        position_(append_ ? node->content.size() : 0) {
    ++node_->writers;
    if (!append_)
      ++node_->unshared_writers;
  }
  SimFile(const SimFile&) = delete;
  SimFile& operator=(const SimFile&) = delete;
  SimFile(SimFile&&) = delete;
  SimFile& operator=(SimFile&&) = delete;
  ~SimFile() override { Close(); }

  Status Write(std::string_view bytes) override {
    if (node_ == nullptr)
      return platform::kInvalidHandle;
    if (node_->fail_writes)
      return kDiskFull;
    std::string& content = node_->content;
    if (append_)
      position_ = content.size();  // each write lands at the end, whoever else writes there
    if (content.size() < position_ + bytes.size())
      content.resize(position_ + bytes.size());
    content.replace(position_, bytes.size(), bytes);
    position_ += bytes.size();
    return platform::kSuccess;
  }
  Status Close() override {
    if (node_ != nullptr) {
      --node_->writers;
      if (!append_)
        --node_->unshared_writers;
    }
    node_ = nullptr;
    return platform::kSuccess;
  }

 private:
  SimFileSystem::Node* node_;
  bool append_;
  std::size_t position_;
};

class SimItem : public platform::Item {
 public:
  SimItem(SimFileSystem& files,
          SimFileSystem::Found found,
          platform::ItemAccess access,
          bool may_delete)
      : files_(files), found_(std::move(found)), access_(access), may_delete_(may_delete) {}

  Status Query(platform::ItemInfo* info) override {
    info->attributes = found_.node->attributes;
    info->links = found_.node->links;
    info->size = found_.node->content.size();
    return platform::kSuccess;
  }
  // One volume: every entry is its own node, whichever name or alias reached it.
  Status FileIndex(std::uint64_t* index) override {
    *index = reinterpret_cast<std::uintptr_t>(found_.node.get());
    return platform::kSuccess;
  }
  Status VolumeSerial(std::uint32_t* serial) override {
    *serial = 1;
    return platform::kSuccess;
  }
  Status FinalPath(std::string* path) override {
    if (!files_.final_paths)
      return platform::kNotSupported;
    // As Wine answers: trailing dots and spaces of each component dropped.
    std::vector<std::string> parts = found_.real;
    for (std::string& part : parts) {
      while (!part.empty() && (part.back() == '.' || part.back() == ' '))
        part.pop_back();
    }
    *path = JoinPath(parts);
    return platform::kSuccess;
  }
  Status WriteAtStart(std::string_view bytes) override {
    if (access_ != platform::ItemAccess::kWipe)
      return platform::kAccessDenied;
    SimFile file(found_.node.get(), platform::OpenMode::kReadWriteOpenAlways);
    return file.Write(bytes);
  }
  Status SetReadOnly(bool read_only) override {
    if (access_ == platform::ItemAccess::kRead)
      return platform::kAccessDenied;
    found_.node->attributes = read_only ? found_.node->attributes | platform::kAttrReadOnly
                                        : found_.node->attributes & ~platform::kAttrReadOnly;
    return platform::kSuccess;
  }
  Status Delete() override {
    Node& node = *found_.node;
    if (!may_delete_)
      return platform::kAccessDenied;
    if (found_.parent == nullptr)
      return platform::kAccessDenied;
    if ((node.attributes & platform::kAttrReadOnly) != 0 || node.mapped)
      return platform::kAccessDenied;
    if (node.is_folder() && !node.is_link() && !node.children.empty())
      return platform::kDirNotEmpty;
    files_.Erase(found_);
    may_delete_ = false;
    return platform::kSuccess;
  }

 private:
  using Node = SimFileSystem::Node;
  SimFileSystem& files_;
  SimFileSystem::Found found_;
  platform::ItemAccess access_;
  bool may_delete_;
};

}  // namespace

bool CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Fold(x) < Fold(y); });
}

std::vector<std::string> SplitPath(std::string_view path) {
  std::vector<std::string> parts;
  if (!path.empty() && path.front() == '\\')
    parts.emplace_back("C:");
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos)
      end = path.size();
    if (end > start)
      parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  if (!parts.empty()) {
    std::string& drive = parts.front();
    if (drive.size() == 2 && drive[1] == ':') {
      drive[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(drive[0])));
    }
  }
  return parts;
}

std::vector<std::string> ReadAsWindows(std::string_view path) {
  constexpr std::string_view kLiteral = "\\\\?\\";
  constexpr std::string_view kDevice = "\\\\.\\";
  if (path.substr(0, kLiteral.size()) == kLiteral)
    return SplitPath(path.substr(kLiteral.size()));
  if (path.substr(0, kDevice.size()) == kDevice)
    path.remove_prefix(kDevice.size());
  std::string text(path);
  std::replace(text.begin(), text.end(), '/', '\\');
  // A path from the root of no drive is on the current drive, C: here.
  if (text.starts_with('\\') && !text.starts_with("\\\\"))
    text.insert(0, "C:");
  std::vector<std::string> parts;
  for (std::string& part : SplitPath(text)) {
    while (!part.empty() && (part.back() == '.' || part.back() == ' ') && part != "." &&
           part != "..") {
      part.pop_back();
    }
    if (part.empty() || part == ".")
      continue;
    if (part == "..") {
      if (parts.size() > 1)
        parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  return parts;
}

std::string JoinPath(const std::vector<std::string>& parts) {
  std::string path;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0)
      path += '\\';
    path += parts[i];
  }
  if (parts.size() == 1)
    path += '\\';
  return path;
}

SimFileSystem::SimFileSystem() : root_(std::make_shared<Node>()) {
  root_->attributes = platform::kAttrDirectory;
  MakeFolders({"C:"});
}

SimFileSystem::Node* SimFileSystem::MakeFolders(const std::vector<std::string>& parts) {
  Node* node = root_.get();
  for (const std::string& part : parts) {
    auto it = node->children.find(part);
    if (it == node->children.end()) {
      auto child = std::make_shared<Node>();
      child->name = part;
      child->attributes = platform::kAttrDirectory;
      it = node->children.emplace(part, std::move(child)).first;
    }
    node = it->second.get();
  }
  return node;
}

void SimFileSystem::AddFolder(std::string_view path, std::uint32_t extra_attributes) {
  MakeFolders(SplitPath(path))->attributes |= extra_attributes;
}

void SimFileSystem::AddFile(std::string_view path,
                            std::string_view content,
                            std::uint32_t extra_attributes) {
  std::vector<std::string> parts = SplitPath(path);
  std::string leaf = parts.back();
  parts.pop_back();
  Node* parent = MakeFolders(parts);
  auto node = std::make_shared<Node>();
  node->name = leaf;
  node->content = std::string(content);
  node->attributes = platform::kAttrArchive | extra_attributes;
  parent->children[leaf] = std::move(node);
}

void SimFileSystem::AddLink(std::string_view path,
                            std::string_view target,
                            bool folder,
                            bool marked) {
  std::vector<std::string> parts = SplitPath(path);
  std::string leaf = parts.back();
  parts.pop_back();
  Node* parent = MakeFolders(parts);
  auto node = std::make_shared<Node>();
  node->name = leaf;
  node->link_target = std::string(target);
  node->attributes = (marked ? platform::kAttrReparsePoint : 0) |
                     (folder ? platform::kAttrDirectory : platform::kAttrArchive);
  parent->children[leaf] = std::move(node);
}

void SimFileSystem::AddHardLink(std::string_view path, std::string_view existing) {
  Found found = Walk(SplitPath(existing), false, 0);
  if (found.node == nullptr)
    return;
  std::vector<std::string> parts = SplitPath(path);
  std::string leaf = parts.back();
  parts.pop_back();
  ++found.node->links;
  MakeFolders(parts)->children[leaf] = found.node;
}

void SimFileSystem::AddAlias(std::string_view drive, std::string_view folder) {
  Found found = Walk(SplitPath(folder), true, 0);
  if (found.node != nullptr && found.node->is_folder())
    root_->children[std::string(drive)] = found.node;
}

void SimFileSystem::Remove(std::string_view path) {
  Found found = Walk(SplitPath(path), false, 0);
  if (found.parent != nullptr)
    found.parent->children.erase(found.leaf);
}

void SimFileSystem::BeforeOpen(std::string_view path, std::function<void()> action) {
  hooks_.emplace_back(JoinPath(SplitPath(path)), std::move(action));
}

void SimFileSystem::SetShortName(std::string_view path, std::string_view short_name) {
  if (Node* node = Find(path, false))
    node->short_name = std::string(short_name);
}

void SimFileSystem::RunHooks(const std::vector<std::string>& parts) {
  std::string key = JoinPath(parts);
  for (auto it = hooks_.begin(); it != hooks_.end(); ++it) {
    if (EqualsIgnoreCase(it->first, key)) {
      std::function<void()> action = std::move(it->second);
      hooks_.erase(it);
      action();
      return;
    }
  }
}

SimFileSystem::Found SimFileSystem::Walk(std::vector<std::string> parts,
                                         bool follow_last,
                                         int depth) {
  Found found;
  if (parts.empty() || depth > 8)
    return found;
  std::shared_ptr<Node> node = root_;
  std::vector<std::string> real;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!node->is_folder())
      return Found();
    auto it = node->children.find(parts[i]);
    if (it == node->children.end()) {
      it = std::find_if(node->children.begin(), node->children.end(), [&](const auto& child) {
        return EqualsIgnoreCase(child.second->short_name, parts[i]);
      });
    }
    if (it == node->children.end()) {
      if (i + 1 == parts.size()) {
        found.parent = node;
        found.leaf = parts[i];
        real.push_back(parts[i]);
        found.real = real;
      }
      return found;
    }
    bool last = i + 1 == parts.size();
    std::shared_ptr<Node> child = it->second;
    if (!child->link_target.empty() && (!last || follow_last || !child->is_link())) {
      std::vector<std::string> walked = real;
      walked.push_back(it->first);
      if (child->is_link())
        links_touched_.push_back(JoinPath(walked));
      Found target = Walk(ReadAsWindows(child->link_target), true, depth + 1);
      // A link to nothing leads to the place it names: a create through it makes that file.
      if (last)
        return target;
      if (target.node == nullptr)
        return Found();
      node = target.node;
      real = target.real;
      continue;
    }
    real.push_back(it->first);
    if (last) {
      found.node = child;
      found.parent = node;
      found.leaf = it->first;
      found.real = real;
      return found;
    }
    node = child;
  }
  return found;
}

SimFileSystem::Found SimFileSystem::Resolve(std::string_view path, bool follow_last) {
  return Walk(ReadAsWindows(path), follow_last, 0);
}

std::shared_ptr<SimFileSystem::Node> SimFileSystem::OwnEntry(std::string_view path) {
  std::vector<std::string> parts = ReadAsWindows(path);
  if (parts.empty())
    return nullptr;
  const std::string leaf = parts.back();
  parts.pop_back();
  Found folder = Walk(parts, true, 0);
  if (folder.node == nullptr || !folder.node->is_folder())
    return nullptr;
  auto it = folder.node->children.find(leaf);
  return it != folder.node->children.end() ? it->second : nullptr;
}

void SimFileSystem::Erase(Found& found) {
  std::string full = JoinPath(found.real);
  if (found.node->is_link())
    links_touched_.push_back(full);
  removed_.push_back(found.node->is_folder() && !found.node->is_link() ? full + "\\" : full);
  --found.node->links;
  found.parent->children.erase(found.leaf);
}

void SimFileSystem::Lock(std::string_view path, bool locked) {
  if (Node* node = Find(path, false))
    node->locked = locked;
}

void SimFileSystem::DenyCreate(std::string_view folder, bool deny) {
  if (Node* node = Find(folder, true))
    node->deny_create = deny;
}

void SimFileSystem::DenyList(std::string_view folder, bool deny) {
  if (Node* node = Find(folder, true))
    node->deny_list = deny;
}

void SimFileSystem::FailWrites(std::string_view path, bool fail) {
  if (Node* node = Find(path, true))
    node->fail_writes = fail;
}

void SimFileSystem::DenyDelete(std::string_view path, bool deny) {
  if (Node* node = Find(path, false))
    node->deny_delete = deny;
}

void SimFileSystem::Map(std::string_view path) {
  if (Node* node = Find(path, false))
    node->mapped = true;
}

SimFileSystem::Node* SimFileSystem::Find(std::string_view path, bool follow_last_link) {
  return Resolve(path, follow_last_link).node.get();
}

const SimFileSystem::Node* SimFileSystem::FindConst(std::string_view path) const {
  std::vector<std::string> parts = SplitPath(path);
  if (parts.empty())
    return nullptr;
  const Node* node = root_.get();
  for (const std::string& part : parts) {
    auto it = node->children.find(part);
    if (it == node->children.end())
      return nullptr;
    node = it->second.get();
  }
  return node;
}

bool SimFileSystem::Exists(std::string_view path) const {
  return FindConst(path) != nullptr;
}

std::string SimFileSystem::Content(std::string_view path) const {
  const Node* node = FindConst(path);
  return node != nullptr ? node->content : std::string();
}

std::uint32_t SimFileSystem::Attributes(std::string_view path) const {
  const Node* node = FindConst(path);
  return node != nullptr ? node->attributes : 0;
}

std::vector<std::string> SimFileSystem::Tree(std::string_view root) const {
  std::vector<std::string> out;
  const Node* start = FindConst(root);
  if (start == nullptr)
    return out;
  std::function<void(const Node*, const std::string&)> walk = [&](const Node* node,
                                                                  const std::string& path) {
    out.push_back(node->is_folder() ? path + "\\" : path);
    if (node->is_link())
      return;
    for (const auto& [name, child] : node->children) {
      std::string child_path = path + "\\";
      child_path += name;
      walk(child.get(), child_path);
    }
  };
  std::vector<std::string> parts = SplitPath(root);
  std::string base = JoinPath(parts);
  if (!base.empty() && base.back() == '\\')
    base.pop_back();
  walk(start, base);
  return out;
}

Status SimFileSystem::GetAttributes(std::string_view path, std::uint32_t* attributes) {
  Node* node = Find(path, false);
  if (node == nullptr)
    return platform::kFileNotFound;
  *attributes = node->attributes;
  return platform::kSuccess;
}

Status SimFileSystem::SetAttributes(std::string_view path, std::uint32_t attributes) {
  Node* node = Find(path, false);
  if (node == nullptr)
    return platform::kFileNotFound;
  constexpr std::uint32_t kSettable = platform::kAttrReadOnly | platform::kAttrHidden |
                                      platform::kAttrSystem | platform::kAttrArchive;
  node->attributes = (node->attributes & ~kSettable) | (attributes & kSettable);
  return platform::kSuccess;
}

Status SimFileSystem::ListFolder(std::string_view folder,
                                 std::unique_ptr<platform::DirectoryListing>* listing) {
  RunHooks(ReadAsWindows(folder));
  Node* node = Find(folder, true);
  if (node == nullptr)
    return platform::kPathNotFound;
  if (!node->is_folder())
    return platform::kPathNotFound;
  if (node->deny_list)
    return platform::kAccessDenied;
  std::vector<platform::DirEntry> entries;
  for (const auto& [name, child] : node->children) {
    entries.push_back({name, child->attributes});
  }
  *listing = std::make_unique<SimListing>(std::move(entries));
  return platform::kSuccess;
}

Status SimFileSystem::DeleteFileWide(std::string_view path, bool force) {
  Found found = Resolve(path, false);
  if (found.parent == nullptr)
    return platform::kPathNotFound;
  if (found.node == nullptr)
    return platform::kFileNotFound;
  Node* node = found.node.get();
  if (node->is_folder())
    return platform::kAccessDenied;
  if (node->locked || node->writers > 0)
    return platform::kSharingViolation;
  if (node->deny_delete)
    return platform::kAccessDenied;
  if ((node->attributes & platform::kAttrReadOnly) != 0 && !force)
    return platform::kAccessDenied;
  Erase(found);
  return platform::kSuccess;
}

Status SimFileSystem::OpenItem(std::string_view path,
                               const platform::ItemOpen& how,
                               std::unique_ptr<platform::Item>* item) {
  // A name that the ANSI code page cannot hold arrives with "?" in it and names no file.
  if (how.narrow && Utf8ToLatin1(path) != path &&
      std::string_view(Utf8ToLatin1(path)).find('?') != std::string_view::npos) {
    return platform::kFileNotFound;
  }
  if (std::vector<std::string> parts = ReadAsWindows(path);
      path.substr(0, 4) != "\\\\?\\" && parts.size() > 1 && platform::IsDeviceName(parts.back())) {
    devices_opened_.emplace_back(path);
    return platform::kAccessDenied;
  }
  RunHooks(ReadAsWindows(path));
  Found found = Resolve(path, how.follow_link);
  if (found.node == nullptr)
    return found.parent == nullptr ? platform::kPathNotFound : platform::kFileNotFound;
  Node& node = *found.node;
  bool deletes = how.access != platform::ItemAccess::kRead;
  // The program's own open files share reading and writing, never deletion.
  if (node.locked || ((deletes || how.exclusive) && node.writers > 0))
    return platform::kSharingViolation;
  if (how.refuse_folder && node.is_folder())
    return platform::kAccessDenied;
  if (how.access == platform::ItemAccess::kDelete && node.deny_delete)
    return platform::kAccessDenied;
  if (how.access == platform::ItemAccess::kWipe &&
      (node.is_folder() || (node.attributes & platform::kAttrReadOnly) != 0)) {
    return platform::kAccessDenied;
  }
  *item =
      std::make_unique<SimItem>(*this, std::move(found), how.access, deletes && !node.deny_delete);
  return platform::kSuccess;
}

Status SimFileSystem::FullPath(std::string_view path, std::string* full) {
  if (path.substr(0, 4) == "\\\\?\\") {
    *full = std::string(path);
    return platform::kSuccess;
  }
  std::vector<std::string> parts = ReadAsWindows(path);
  if (parts.empty())
    return platform::kInvalidParameter;
  // A device is named alone, as written: "aux.txt" is "\\.\aux".
  const std::string_view device = parts.size() > 1 ? platform::DeviceIn(parts.back()) : "";
  *full = device.empty() ? JoinPath(parts) : "\\\\.\\" + std::string(device);
  return platform::kSuccess;
}

Status SimFileSystem::LongPath(std::string_view path, std::string* long_path) {
  std::vector<std::string> parts = ReadAsWindows(path);
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= parts.size(); ++i) {
    Found found = Walk({parts.begin(), parts.begin() + static_cast<std::ptrdiff_t>(i)}, false, 0);
    if (found.node == nullptr)
      return platform::kFileNotFound;
    // As on Windows, only a short name changes: a long one keeps the case it was given in.
    const std::string& given = parts[i - 1];
    names.push_back(EqualsIgnoreCase(found.leaf, given) ? given : found.leaf);
  }
  if (names.empty())
    return platform::kInvalidParameter;
  *long_path = JoinPath(names);
  return platform::kSuccess;
}

Status SimFileSystem::MakeFolder(std::string_view path) {
  Found found = Resolve(path, false);
  Node* parent = found.parent.get();
  const std::string& leaf = found.leaf;
  if (parent == nullptr)
    return platform::kPathNotFound;
  // The name is taken, by a link to nothing too: the new folder does not go where it leads.
  if (found.node != nullptr || OwnEntry(path) != nullptr)
    return platform::kAlreadyExists;
  if (parent->deny_create)
    return platform::kAccessDenied;
  auto node = std::make_shared<Node>();
  node->name = leaf;
  node->attributes = platform::kAttrDirectory;
  parent->children[leaf] = std::move(node);
  return platform::kSuccess;
}

Status SimFileSystem::OpenFile(std::string_view path,
                               platform::OpenMode mode,
                               std::unique_ptr<platform::File>* file) {
  Found found = Resolve(path, true);
  // Appending never goes through a link, marked or not, dangling or not, nor into a file with
  // another name.
  if (mode == platform::OpenMode::kAppend) {
    std::shared_ptr<Node> entry = OwnEntry(path);
    if (entry != nullptr && (!entry->link_target.empty() || entry->links > 1))
      return platform::kAccessDenied;
  }
  Node* parent = found.parent.get();
  if (parent == nullptr)
    return platform::kPathNotFound;
  Node* node = found.node.get();
  if (node == nullptr) {
    if (parent->deny_create)
      return platform::kAccessDenied;
    auto created = std::make_shared<Node>();
    created->name = found.leaf;
    node = created.get();
    parent->children[found.leaf] = std::move(created);
  } else {
    if (node->is_folder())
      return platform::kAccessDenied;
    if (node->locked)
      return platform::kSharingViolation;
    // Every mode writes; only appending shares writing (the log of a second copy started in
    // the same minute).
    bool shares_write = mode == platform::OpenMode::kAppend;
    if (node->unshared_writers > 0 || (!shares_write && node->writers > 0))
      return platform::kSharingViolation;
    if ((node->attributes & platform::kAttrReadOnly) != 0)
      return platform::kAccessDenied;
    if (mode == platform::OpenMode::kCreateAlways)
      node->content.clear();
  }
  *file = std::make_unique<SimFile>(node, mode);
  return platform::kSuccess;
}

std::uint32_t SimFileSystem::GetProfileString(std::string_view section,
                                              std::string_view key,
                                              std::string_view default_value,
                                              char* buffer,
                                              std::uint32_t size,
                                              std::string_view file) {
  std::string value(default_value);
  if (const Node* node = Find(file, true); node != nullptr && !node->is_folder()) {
    std::string_view text = node->content;
    bool in_section = false;
    while (!text.empty()) {
      std::size_t end = text.find('\n');
      std::string_view line = Trim(text.substr(0, end));
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
      if (!line.empty() && line.front() == '[') {
        std::size_t close = line.find(']');
        in_section = close != std::string_view::npos &&
                     EqualsIgnoreCase(Trim(line.substr(1, close - 1)), section);
        continue;
      }
      std::size_t eq = line.find('=');
      if (in_section && eq != std::string_view::npos &&
          EqualsIgnoreCase(Trim(line.substr(0, eq)), key)) {
        value = std::string(Trim(line.substr(eq + 1)));
        break;
      }
    }
  }
  if (size == 0)
    return 0;
  std::uint32_t n = std::min<std::uint32_t>(static_cast<std::uint32_t>(value.size()), size - 1);
  std::copy_n(value.data(), n, buffer);
  buffer[n] = '\0';
  return n;
}

}  // namespace scourix::sim
