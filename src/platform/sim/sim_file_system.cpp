#include "platform/sim/sim_file_system.h"

#include <algorithm>
#include <cctype>
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

SimFileSystem::SimFileSystem() : root_(std::make_unique<Node>()) {
  root_->attributes = platform::kAttrDirectory;
  MakeFolders({"C:"});
}

SimFileSystem::Node* SimFileSystem::MakeFolders(const std::vector<std::string>& parts) {
  Node* node = root_.get();
  for (const std::string& part : parts) {
    auto it = node->children.find(part);
    if (it == node->children.end()) {
      auto child = std::make_unique<Node>();
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
  auto node = std::make_unique<Node>();
  node->name = leaf;
  node->content = std::string(content);
  node->attributes = platform::kAttrArchive | extra_attributes;
  parent->children[leaf] = std::move(node);
}

void SimFileSystem::AddLink(std::string_view path, std::string_view target, bool folder) {
  std::vector<std::string> parts = SplitPath(path);
  std::string leaf = parts.back();
  parts.pop_back();
  Node* parent = MakeFolders(parts);
  auto node = std::make_unique<Node>();
  node->name = leaf;
  node->link_target = std::string(target);
  node->attributes =
      platform::kAttrReparsePoint | (folder ? platform::kAttrDirectory : platform::kAttrArchive);
  parent->children[leaf] = std::move(node);
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

SimFileSystem::Node* SimFileSystem::Find(std::string_view path, bool follow_last_link) {
  std::vector<std::string> parts = SplitPath(path);
  if (parts.empty())
    return nullptr;
  Node* node = root_.get();
  std::vector<std::string> walked;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    auto it = node->children.find(parts[i]);
    if (it == node->children.end())
      return nullptr;
    node = it->second.get();
    walked.push_back(node->name);
    bool last = i + 1 == parts.size();
    int hops = 0;
    while (node->is_link() && (!last || follow_last_link)) {
      links_touched_.push_back(JoinPath(walked));
      if (++hops > 8)
        return nullptr;
      Node* target = Find(node->link_target, true);
      if (target == nullptr)
        return nullptr;
      node = target;
    }
  }
  return node;
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

SimFileSystem::Node* SimFileSystem::FindParent(std::string_view path, std::string* leaf) {
  std::vector<std::string> parts = SplitPath(path);
  if (parts.size() < 2)
    return nullptr;
  *leaf = parts.back();
  parts.pop_back();
  Node* parent = Find(JoinPath(parts), true);
  if (parent == nullptr || !parent->is_folder())
    return nullptr;
  return parent;
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
    for (const auto& [name, child] : node->children)
      walk(child.get(), path + "\\" + child->name);
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
  Node* node = Find(folder, true);
  if (node == nullptr)
    return platform::kPathNotFound;
  if (!node->is_folder())
    return platform::kPathNotFound;
  if (node->deny_list)
    return platform::kAccessDenied;
  std::vector<platform::DirEntry> entries;
  for (const auto& [name, child] : node->children) {
    entries.push_back({child->name, child->attributes});
  }
  *listing = std::make_unique<SimListing>(std::move(entries));
  return platform::kSuccess;
}

Status SimFileSystem::DeleteFileNarrow(std::string_view path) {
  // A name that the ANSI code page cannot hold arrives with "?" in it and names no file.
  if (Utf8ToLatin1(path) != path &&
      std::string_view(Utf8ToLatin1(path)).find('?') != std::string_view::npos) {
    return platform::kFileNotFound;
  }
  return DeleteFileWide(path, false);
}

Status SimFileSystem::DeleteFileWide(std::string_view path, bool force) {
  std::string leaf;
  Node* parent = FindParent(path, &leaf);
  if (parent == nullptr)
    return platform::kPathNotFound;
  auto it = parent->children.find(leaf);
  if (it == parent->children.end())
    return platform::kFileNotFound;
  Node* node = it->second.get();
  if (node->is_folder())
    return platform::kAccessDenied;
  if (node->locked || node->writers > 0)
    return platform::kSharingViolation;
  if (node->deny_delete)
    return platform::kAccessDenied;
  if ((node->attributes & platform::kAttrReadOnly) != 0 && !force)
    return platform::kAccessDenied;
  std::string full = JoinPath(SplitPath(path));
  if (node->is_link())
    links_touched_.push_back(full);
  removed_.push_back(full);
  parent->children.erase(it);
  return platform::kSuccess;
}

Status SimFileSystem::RemoveFolder(std::string_view path) {
  std::string leaf;
  Node* parent = FindParent(path, &leaf);
  if (parent == nullptr)
    return platform::kPathNotFound;
  auto it = parent->children.find(leaf);
  if (it == parent->children.end())
    return platform::kFileNotFound;
  Node* node = it->second.get();
  if (!node->is_folder())
    return platform::kDirNotEmpty;
  std::string full = JoinPath(SplitPath(path));
  if (node->is_link()) {
    links_touched_.push_back(full);
  } else {
    if (!node->children.empty())
      return platform::kDirNotEmpty;
    if (node->deny_delete)
      return platform::kAccessDenied;
    if ((node->attributes & platform::kAttrReadOnly) != 0)
      return platform::kAccessDenied;
    if (node->locked)
      return platform::kSharingViolation;
  }
  removed_.push_back(full + "\\");
  parent->children.erase(it);
  return platform::kSuccess;
}

Status SimFileSystem::MakeFolder(std::string_view path) {
  std::string leaf;
  Node* parent = FindParent(path, &leaf);
  if (parent == nullptr)
    return platform::kPathNotFound;
  if (parent->children.count(leaf) != 0)
    return platform::kAlreadyExists;
  if (parent->deny_create)
    return platform::kAccessDenied;
  auto node = std::make_unique<Node>();
  node->name = leaf;
  node->attributes = platform::kAttrDirectory;
  parent->children[leaf] = std::move(node);
  return platform::kSuccess;
}

Status SimFileSystem::OpenFile(std::string_view path,
                               platform::OpenMode mode,
                               std::unique_ptr<platform::File>* file) {
  std::string leaf;
  Node* parent = FindParent(path, &leaf);
  if (parent == nullptr)
    return platform::kPathNotFound;
  auto it = parent->children.find(leaf);
  Node* node = nullptr;
  if (it == parent->children.end()) {
    if (parent->deny_create)
      return platform::kAccessDenied;
    auto created = std::make_unique<Node>();
    created->name = leaf;
    node = created.get();
    parent->children[leaf] = std::move(created);
  } else {
    node = it->second.get();
    if (node->is_link())
      node = Find(path, true);
    if (node == nullptr)
      return platform::kFileNotFound;
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
