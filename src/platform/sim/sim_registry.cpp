#include "platform/sim/sim_registry.h"

#include <algorithm>

#include "platform/registry_roots.h"

namespace scourix::sim {
namespace {

using platform::RegKey;
using platform::Status;

constexpr std::size_t kMaxKeyNameLength = 255;
// A chain of links longer than this, or a loop, leads nowhere.
constexpr int kMostLinksFollowed = 16;

// The registry counts a key name's length in UTF-16 units: a character beyond U+FFFF takes two.
std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (char c : utf8) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80)
      units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

// The levels of a subkey path. A trailing backslash is allowed; a leading one, or an empty
// level in the middle, is not a path the registry accepts.
std::optional<std::vector<std::string_view>> SplitLevels(std::string_view subkey) {
  std::vector<std::string_view> levels;
  if (subkey.empty())
    return levels;
  if (subkey.front() == '\\')
    return std::nullopt;
  if (subkey.back() == '\\')
    subkey.remove_suffix(1);
  std::size_t start = 0;
  while (start <= subkey.size()) {
    std::size_t end = subkey.find('\\', start);
    if (end == std::string_view::npos)
      end = subkey.size();
    std::string_view level = subkey.substr(start, end - start);
    if (level.empty())
      return std::nullopt;
    levels.push_back(level);
    start = end + 1;
  }
  return levels;
}

}  // namespace

SimRegistry::SimRegistry() {
  for (RegKey root = platform::kHkeyClassesRoot; root <= 0x80000006; ++root) {
    auto key = std::make_shared<SimRegKey>();
    key->name = std::string(platform::RootName(root));
    key->path = key->name;
    roots_[root] = std::move(key);
  }
}

SimRegistry::~SimRegistry() = default;

const SimRegKey& SimRegistry::Root(RegKey root) const {
  return *roots_.at(root);
}

RegKey SimRegistry::NewHandle(std::shared_ptr<SimRegKey> key, std::uint32_t access) {
  RegKey handle = next_handle_;
  next_handle_ += 4;
  handles_[handle] = Handle{std::move(key), access};
  return handle;
}

std::optional<Status> SimRegistry::Fault(const SimRegKey& key, SimRegOp op) const {
  auto it = faults_.find({FoldRegName(key.path), op});
  if (it == faults_.end())
    return std::nullopt;
  return it->second;
}

Status SimRegistry::Resolve(RegKey key,
                            std::uint32_t needed,
                            std::optional<SimRegOp> op,
                            std::shared_ptr<SimRegKey>* out) const {
  std::shared_ptr<SimRegKey> found;
  if (platform::IsPredefinedKey(key)) {
    found = roots_.at(key);
  } else {
    auto it = handles_.find(key);
    if (it == handles_.end())
      return platform::kInvalidHandle;
    if ((it->second.access & needed) != needed)
      return platform::kAccessDenied;
    found = it->second.key;
  }
  if (found->deleted)
    return platform::kKeyDeleted;
  if (op) {
    if (auto fault = Fault(*found, *op))
      return *fault;
  }
  *out = std::move(found);
  return platform::kSuccess;
}

std::shared_ptr<SimRegKey> SimRegistry::WalkConst(const std::shared_ptr<SimRegKey>& from,
                                                  std::string_view subkey,
                                                  int depth) const {
  auto levels = SplitLevels(subkey);
  if (!levels)
    return nullptr;
  std::shared_ptr<SimRegKey> key = from;
  for (std::string_view level : *levels) {
    if (key->link && !(key = LinkTarget(*key, depth)))
      return nullptr;
    key = key->FindSubkey(level);
    if (!key)
      return nullptr;
  }
  return key;
}

std::shared_ptr<SimRegKey> SimRegistry::LinkTarget(const SimRegKey& link, int depth) const {
  auto rooted = platform::SplitRootedPath(link.link_target);
  if (depth >= kMostLinksFollowed || !rooted)
    return nullptr;
  return WalkConst(roots_.at(rooted->root), rooted->rest, depth + 1);
}

std::shared_ptr<SimRegKey> SimRegistry::Walk(const std::shared_ptr<SimRegKey>& from,
                                             std::string_view subkey,
                                             bool create) {
  auto levels = SplitLevels(subkey);
  if (!levels)
    return nullptr;
  std::shared_ptr<SimRegKey> key = from;
  for (std::string_view level : *levels) {
    if (key->link && !(key = LinkTarget(*key, 0)))
      return nullptr;
    std::shared_ptr<SimRegKey> next = key->FindSubkey(level);
    if (!next) {
      if (!create)
        return nullptr;
      next = std::make_shared<SimRegKey>();
      next->name = std::string(level);
      next->path = key->path + "\\" + next->name;
      key->subkeys[FoldRegName(level)] = next;
    }
    key = std::move(next);
  }
  return key;
}

Status SimRegistry::OpenKey(RegKey root,
                            std::string_view subkey,
                            std::uint32_t access,
                            RegKey* result) {
  if (platform::HoldsNull(subkey))
    return platform::kInvalidName;
  if (result == nullptr)
    return platform::kInvalidParameter;
  std::shared_ptr<SimRegKey> parent;
  if (Status status = Resolve(root, 0, std::nullopt, &parent); status != platform::kSuccess) {
    return status;
  }
  if (!subkey.empty() && subkey.front() == '\\')
    return platform::kBadPathname;
  std::shared_ptr<SimRegKey> key = WalkConst(parent, subkey);
  if (!key)
    return platform::kFileNotFound;
  if (auto fault = Fault(*key, SimRegOp::kOpen))
    return *fault;
  if ((key->denied_access & access) != 0 || key->link)
    return platform::kAccessDenied;
  *result = NewHandle(std::move(key), access);
  return platform::kSuccess;
}

Status SimRegistry::CreateKey(RegKey parent_key,
                              std::string_view subkey,
                              std::uint32_t access,
                              RegKey* result,
                              bool* created) {
  if (platform::HoldsNull(subkey))
    return platform::kInvalidName;
  if (result == nullptr)
    return platform::kInvalidParameter;
  std::shared_ptr<SimRegKey> parent;
  if (Status status = Resolve(parent_key, 0, std::nullopt, &parent); status != platform::kSuccess) {
    return status;
  }
  auto levels = SplitLevels(subkey);
  if (!levels)
    return platform::kBadPathname;
  // Check the whole path before creating any of it, so a refusal leaves nothing behind.
  std::shared_ptr<SimRegKey> key = parent;
  std::size_t existing = 0;
  for (std::string_view level : *levels) {
    if (Utf16Length(level) > kMaxKeyNameLength)
      return platform::kInvalidParameter;
    std::shared_ptr<SimRegKey> next = key ? key->FindSubkey(level) : nullptr;
    if (key && !next && (key->denied_access & platform::kKeyCreateSubKey) != 0) {
      return platform::kAccessDenied;
    }
    if (next)
      ++existing;
    key = next;
  }
  bool is_new = existing < levels->size();
  key = Walk(parent, subkey, /*create=*/true);
  if (auto fault = Fault(*key, SimRegOp::kCreate))
    return *fault;
  if (!is_new && ((key->denied_access & access) != 0 || key->link))
    return platform::kAccessDenied;
  *result = NewHandle(std::move(key), access);
  if (created != nullptr)
    *created = is_new;
  return platform::kSuccess;
}

Status SimRegistry::CloseKey(RegKey key) {
  if (platform::IsPredefinedKey(key))
    return platform::kSuccess;
  auto it = handles_.find(key);
  if (it == handles_.end())
    return platform::kInvalidHandle;
  if (auto fault = Fault(*it->second.key, SimRegOp::kClose))
    return *fault;
  handles_.erase(it);
  return platform::kSuccess;
}

Status SimRegistry::QueryValue(RegKey key, std::string_view name, platform::RegValue* value) {
  if (platform::HoldsNull(name))
    return platform::kInvalidName;
  std::shared_ptr<SimRegKey> found;
  if (Status status = Resolve(key, platform::kKeyQueryValue, SimRegOp::kQuery, &found);
      status != platform::kSuccess) {
    return status;
  }
  const SimRegValue* held = found->FindValue(name);
  if (held == nullptr)
    return platform::kFileNotFound;
  *value = platform::RegValue{held->name, held->type, held->data};
  return platform::kSuccess;
}

Status SimRegistry::SetValue(RegKey key,
                             std::string_view name,
                             std::uint32_t type,
                             const std::uint8_t* data,
                             std::uint32_t size) {
  if (platform::HoldsNull(name))
    return platform::kInvalidName;
  std::shared_ptr<SimRegKey> found;
  if (Status status = Resolve(key, platform::kKeySetValue, SimRegOp::kSet, &found);
      status != platform::kSuccess) {
    return status;
  }
  if (data == nullptr && size != 0)
    return platform::kInvalidParameter;
  std::string bytes =
      size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
  found->PutValue(name, type, std::move(bytes));
  return platform::kSuccess;
}

Status SimRegistry::DeleteValue(RegKey key, std::string_view name) {
  if (platform::HoldsNull(name))
    return platform::kInvalidName;
  std::shared_ptr<SimRegKey> found;
  if (Status status = Resolve(key, platform::kKeySetValue, SimRegOp::kDeleteValue, &found);
      status != platform::kSuccess) {
    return status;
  }
  if (!found->EraseValue(name))
    return platform::kFileNotFound;
  return platform::kSuccess;
}

Status SimRegistry::DeleteKey(RegKey key, std::string_view subkey) {
  if (platform::HoldsNull(subkey))
    return platform::kInvalidName;
  std::shared_ptr<SimRegKey> parent;
  if (Status status = Resolve(key, 0, std::nullopt, &parent); status != platform::kSuccess) {
    return status;
  }
  auto levels = SplitLevels(subkey);
  if (!levels)
    return platform::kBadPathname;
  if (levels->empty())
    return platform::kAccessDenied;  // a key does not delete itself here
  // Links on the way are followed, as by every other call; only the key named last is not.
  const auto above = static_cast<std::size_t>(levels->back().data() - subkey.data());
  std::shared_ptr<SimRegKey> owner = WalkConst(parent, subkey.substr(0, above));
  if (owner && owner->link)
    owner = LinkTarget(*owner, 0);
  std::shared_ptr<SimRegKey> target = owner ? owner->FindSubkey(levels->back()) : nullptr;
  if (!owner || !target)
    return platform::kFileNotFound;
  if (auto fault = Fault(*target, SimRegOp::kDeleteKey))
    return *fault;
  if ((target->denied_access & platform::kDeleteAccess) != 0 || target->link)
    return platform::kAccessDenied;
  if (!target->subkeys.empty())
    return platform::kAccessDenied;
  target->deleted = true;
  owner->subkeys.erase(FoldRegName(target->name));
  return platform::kSuccess;
}

Status SimRegistry::EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t name_size) {
  std::shared_ptr<SimRegKey> found;
  if (Status status = Resolve(key, platform::kKeyEnumerateSubKeys, SimRegOp::kEnumKey, &found);
      status != platform::kSuccess) {
    return status;
  }
  if (index >= found->subkeys.size())
    return platform::kNoMoreItems;
  if (name == nullptr)
    return platform::kInvalidParameter;
  return platform::DeliverKeyName(std::next(found->subkeys.begin(), index)->second->name, name,
                                  name_size);
}

Status SimRegistry::EnumValue(RegKey key, std::uint32_t index, platform::RegValue* value) {
  std::shared_ptr<SimRegKey> found;
  if (Status status = Resolve(key, platform::kKeyQueryValue, SimRegOp::kEnumValue, &found);
      status != platform::kSuccess) {
    return status;
  }
  if (index >= found->values.size())
    return platform::kNoMoreItems;
  const SimRegValue& held = found->values[index];
  *value = platform::RegValue{held.name, held.type, held.data};
  return platform::kSuccess;
}

// --- seeding and inspection by full path ---

std::shared_ptr<SimRegKey> SimRegistry::KeyAt(std::string_view path, bool create) {
  auto rooted = platform::SplitRootedPath(path);
  if (!rooted)
    return nullptr;
  return Walk(roots_.at(rooted->root), rooted->rest, create);
}

std::shared_ptr<SimRegKey> SimRegistry::KeyAtConst(std::string_view path) const {
  auto rooted = platform::SplitRootedPath(path);
  if (!rooted)
    return nullptr;
  return WalkConst(roots_.at(rooted->root), rooted->rest);
}

void SimRegistry::AddKey(std::string_view path) {
  KeyAt(path, /*create=*/true);
}

void SimRegistry::SetValueBytes(std::string_view path,
                                std::string_view name,
                                std::uint32_t type,
                                std::string_view bytes) {
  std::shared_ptr<SimRegKey> key = KeyAt(path, /*create=*/true);
  if (!key)
    return;
  key->PutValue(name, type, std::string(bytes));
}

void SimRegistry::SetString(std::string_view path,
                            std::string_view name,
                            std::string_view text,
                            std::uint32_t type) {
  std::string bytes(text);
  bytes.push_back('\0');
  SetValueBytes(path, name, type, bytes);
}

void SimRegistry::SetDword(std::string_view path, std::string_view name, std::uint32_t number) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
  SetValueBytes(path, name, platform::kRegDword, bytes);
}

void SimRegistry::SetMultiString(std::string_view path,
                                 std::string_view name,
                                 const std::vector<std::string>& strings) {
  std::string bytes;
  for (const std::string& s : strings) {
    bytes += s;
    bytes.push_back('\0');
  }
  bytes.push_back('\0');
  SetValueBytes(path, name, platform::kRegMultiSz, bytes);
}

void SimRegistry::AddLink(std::string_view path, std::string_view target) {
  std::shared_ptr<SimRegKey> key = KeyAt(path, /*create=*/true);
  if (!key)
    return;
  key->link = true;
  key->link_target = std::string(target);
  key->PutValue("SymbolicLinkValue", platform::kRegLink, std::string(target));
}

void SimRegistry::RemoveValue(std::string_view path, std::string_view name) {
  std::shared_ptr<SimRegKey> key = KeyAt(path, /*create=*/false);
  if (!key)
    return;
  key->EraseValue(name);
}

void SimRegistry::RemoveTree(std::string_view path) {
  std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos)
    return;
  std::shared_ptr<SimRegKey> owner = KeyAt(path.substr(0, slash), /*create=*/false);
  std::shared_ptr<SimRegKey> target = KeyAtConst(path);
  if (!owner || !target)
    return;
  // Handles still open on the tree see it gone, as on the platform.
  auto mark = [](auto& self, SimRegKey& key) -> void {
    key.deleted = true;
    for (auto& [folded, sub] : key.subkeys)
      self(self, *sub);
  };
  mark(mark, *target);
  owner->subkeys.erase(FoldRegName(target->name));
}

const SimRegKey* SimRegistry::FindKey(std::string_view path) const {
  return KeyAtConst(path).get();
}

bool SimRegistry::KeyExists(std::string_view path) const {
  return FindKey(path) != nullptr;
}

bool SimRegistry::ValueExists(std::string_view path, std::string_view name) const {
  return Value(path, name).has_value();
}

std::optional<SimRegValue> SimRegistry::Value(std::string_view path, std::string_view name) const {
  std::shared_ptr<SimRegKey> key = KeyAtConst(path);
  if (!key)
    return std::nullopt;
  const SimRegValue* value = key->FindValue(name);
  if (value == nullptr)
    return std::nullopt;
  return *value;
}

std::optional<std::string> SimRegistry::StringValue(std::string_view path,
                                                    std::string_view name) const {
  std::optional<SimRegValue> value = Value(path, name);
  if (!value)
    return std::nullopt;
  std::string text = value->data;
  if (!text.empty() && text.back() == '\0')
    text.pop_back();
  return text;
}

std::vector<std::string> SimRegistry::SubkeyNames(std::string_view path) const {
  std::vector<std::string> names;
  if (const SimRegKey* key = FindKey(path)) {
    for (const auto& [folded, sub] : key->subkeys)
      names.push_back(sub->name);
  }
  return names;
}

std::vector<std::string> SimRegistry::ValueNames(std::string_view path) const {
  std::vector<std::string> names;
  if (const SimRegKey* key = FindKey(path)) {
    for (const SimRegValue& value : key->values)
      names.push_back(value.name);
  }
  return names;
}

void SimRegistry::DenyAccess(std::string_view path, std::uint32_t access) {
  if (std::shared_ptr<SimRegKey> key = KeyAt(path, /*create=*/true))
    key->denied_access = access;
}

void SimRegistry::InjectFault(std::string_view path, SimRegOp op, Status status) {
  // Keyed by the long form of the path, so that a key created later is matched too.
  auto rooted = platform::SplitRootedPath(path);
  if (!rooted)
    return;
  std::string canonical(platform::RootName(rooted->root));
  if (auto levels = SplitLevels(rooted->rest)) {
    for (std::string_view level : *levels)
      canonical += "\\" + std::string(level);
  }
  faults_[{FoldRegName(canonical), op}] = status;
}

void SimRegistry::ClearFaults() {
  faults_.clear();
}

}  // namespace scourix::sim
