#include "recording/recording_registry.h"

#include <algorithm>

#include "platform/registry_roots.h"

namespace scourix::recording {
namespace {

using platform::RegKey;
using platform::Status;

std::string Join(std::string_view parent, std::string_view subkey) {
  while (subkey.ends_with('\\'))
    subkey.remove_suffix(1);
  if (subkey.empty())
    return std::string(parent);
  return std::string(parent) + "\\" + std::string(subkey);
}

std::string ValuePath(const std::string& key, std::string_view name) {
  return key + "\\" + std::string(name);
}

}  // namespace

RecordingRegistry::Opened* RecordingRegistry::Find(RegKey key) {
  if (platform::IsPredefinedKey(key)) {
    auto [root, added] = roots_.try_emplace(key);
    if (added)
      root->second =
          Opened{std::string(platform::RootName(key)), platform::kKeyAllAccess, false, {}, {}};
    return &root->second;
  }
  auto it = open_.find(key);
  return it == open_.end() ? nullptr : &it->second;
}

RegKey RecordingRegistry::Track(RegKey handle, std::string path, std::uint32_t access, bool made) {
  if (made)
    handle = next_made_++;
  open_[handle] = Opened{std::move(path), access, made, {}, {}};
  return handle;
}

bool RecordingRegistry::Gone(const std::string& folded_path) const {
  for (std::size_t slash = folded_path.find('\\'); slash != std::string::npos;
       slash = folded_path.find('\\', slash + 1)) {
    if (deleted_keys_.contains(folded_path.substr(0, slash)))
      return true;
  }
  return deleted_keys_.contains(folded_path);
}

const std::optional<platform::RegValue>* RecordingRegistry::Overlaid(const std::string& path,
                                                                     std::string_view name) const {
  auto it = values_.find({Folded(path), Folded(name)});
  return it == values_.end() ? nullptr : &it->second;
}

Status RecordingRegistry::OpenKey(RegKey root,
                                  std::string_view subkey,
                                  std::uint32_t access,
                                  RegKey* result) {
  Opened* parent = Find(root);
  if (parent == nullptr)
    return platform::kInvalidHandle;
  std::string path = Join(parent->path, subkey);
  if (journal_.preview()) {
    const std::string folded = Folded(path);
    if (made_keys_.contains(folded)) {
      *result = Track(platform::kNoKey, std::move(path), access, true);
      return platform::kSuccess;
    }
    if (parent->made || Gone(folded))
      return platform::kFileNotFound;
  }
  RegKey opened = platform::kNoKey;
  Status status = real_.OpenKey(root, subkey, access, &opened);
  if (status == platform::kSuccess)
    *result = Track(opened, std::move(path), access, false);
  return status;
}

Status RecordingRegistry::CreateKey(RegKey parent_key,
                                    std::string_view subkey,
                                    std::uint32_t access,
                                    RegKey* result,
                                    bool* created) {
  Opened* parent = Find(parent_key);
  if (parent == nullptr)
    return platform::kInvalidHandle;
  std::string path = Join(parent->path, subkey);
  bool made = false;
  if (!journal_.preview()) {
    RegKey opened = platform::kNoKey;
    Status status = real_.CreateKey(parent_key, subkey, access, &opened, &made);
    if (status != platform::kSuccess)
      return status;
    if (made)
      journal_.Record(ChangeKind::kKeyCreated, path);
    *result = Track(opened, std::move(path), access, false);
  } else {
    // An existing key is only opened; a missing one is created in the overlay alone.
    Status status = OpenKey(parent_key, subkey, access, result);
    if (status != platform::kSuccess && status != platform::kFileNotFound)
      return status;
    made = status == platform::kFileNotFound;
    if (made) {
      made_keys_.insert(Folded(path));
      journal_.Record(ChangeKind::kKeyCreated, path);
      *result = Track(platform::kNoKey, std::move(path), access, true);
    }
  }
  if (created != nullptr)
    *created = made;
  return platform::kSuccess;
}

Status RecordingRegistry::CloseKey(RegKey key) {
  auto it = open_.find(key);
  if (it == open_.end() || !it->second.made) {
    if (it != open_.end())
      open_.erase(it);
    return real_.CloseKey(key);
  }
  open_.erase(it);
  return platform::kSuccess;
}

Status RecordingRegistry::QueryValue(RegKey key, std::string_view name, platform::RegValue* value) {
  Opened* opened = Find(key);
  if (opened == nullptr)
    return platform::kInvalidHandle;
  if (journal_.preview()) {
    if (const auto* overlaid = Overlaid(opened->path, name)) {
      if (!*overlaid)
        return platform::kFileNotFound;
      *value = **overlaid;
      return platform::kSuccess;
    }
    if (opened->made)
      return platform::kFileNotFound;
  }
  return real_.QueryValue(key, name, value);
}

Status RecordingRegistry::SetValue(RegKey key,
                                   std::string_view name,
                                   std::uint32_t type,
                                   const std::uint8_t* data,
                                   std::uint32_t size) {
  Opened* opened = Find(key);
  if (opened == nullptr)
    return platform::kInvalidHandle;
  const std::string what = ValuePath(opened->path, name);
  if (!journal_.preview()) {
    Status status = real_.SetValue(key, name, type, data, size);
    if (status == platform::kSuccess)
      journal_.Record(ChangeKind::kValueWritten, what, size);
    return status;
  }
  if ((opened->access & platform::kKeySetValue) == 0)
    return platform::kAccessDenied;
  platform::RegValue existing;
  const bool on_machine =
      !opened->made && ReadMachine(key, *opened, name, &existing) == platform::kSuccess;
  const ValueId id{Folded(opened->path), Folded(name)};
  const bool listed = on_machine || std::find(added_values_.begin(), added_values_.end(), id) !=
                                        added_values_.end();
  if (!listed)
    added_values_.push_back(id);
  values_[id] = platform::RegValue{std::string(name), type,
                                   std::string(reinterpret_cast<const char*>(data), size)};
  journal_.Record(ChangeKind::kValueWritten, what, size);
  return platform::kSuccess;
}

Status RecordingRegistry::Peek(RegKey key,
                               const Opened& opened,
                               std::string_view name,
                               platform::RegValue* value) {
  if (journal_.preview()) {
    if (const auto* overlaid = Overlaid(opened.path, name)) {
      if (!*overlaid)
        return platform::kFileNotFound;
      *value = **overlaid;
      return platform::kSuccess;
    }
    if (opened.made)
      return platform::kFileNotFound;
  }
  return ReadMachine(key, opened, name, value);
}

Status RecordingRegistry::ReadMachine(RegKey key,
                                      const Opened& opened,
                                      std::string_view name,
                                      platform::RegValue* value) {
  if ((opened.access & platform::kKeyQueryValue) != 0)
    return real_.QueryValue(key, name, value);
  // A key opened only for setting values cannot be read through its own handle: the
  // recorder reads through one of its own.
  std::optional<platform::RootedPath> rooted = platform::SplitRootedPath(opened.path);
  if (!rooted)
    return platform::kAccessDenied;
  platform::UniqueRegKey reader;
  Status status =
      platform::OpenKey(real_, rooted->root, rooted->rest, platform::kKeyQueryValue, &reader);
  return status == platform::kSuccess ? real_.QueryValue(reader.get(), name, value) : status;
}

Status RecordingRegistry::DeleteValue(RegKey key, std::string_view name) {
  Opened* opened = Find(key);
  if (opened == nullptr)
    return platform::kInvalidHandle;
  const std::string what = ValuePath(opened->path, name);
  platform::RegValue existing;
  if (!journal_.preview()) {
    (void)Peek(key, *opened, name, &existing);
    Status status = real_.DeleteValue(key, name);
    if (status == platform::kSuccess)
      journal_.Record(ChangeKind::kValueDeleted, what, existing.data.size());
    return status;
  }
  if ((opened->access & platform::kKeySetValue) == 0)
    return platform::kAccessDenied;
  Status status = Peek(key, *opened, name, &existing);
  if (status != platform::kSuccess)
    return status;
  const ValueId id{Folded(opened->path), Folded(name)};
  std::erase(added_values_, id);
  values_[id] = std::nullopt;
  journal_.Record(ChangeKind::kValueDeleted, what, existing.data.size());
  return platform::kSuccess;
}

bool RecordingRegistry::HasLiveSubkeys(RegKey parent,
                                       std::string_view subkey,
                                       const std::string& path) {
  const std::string below = Folded(path) + "\\";
  for (const std::string& made : made_keys_) {
    if (made.starts_with(below))
      return true;
  }
  // Deleting takes no right to list: a key the user may delete but not list is taken to hold
  // nothing, so that the preview never shows less than the run removes.
  platform::UniqueRegKey lister;
  if (platform::OpenKey(real_, parent, subkey, platform::kKeyEnumerateSubKeys, &lister) !=
      platform::kSuccess) {
    return false;
  }
  char name[1024];
  for (std::uint32_t i = 0;; ++i) {
    Status status = real_.EnumKey(lister.get(), i, name, sizeof name);
    if (status == platform::kNoMoreItems)
      return false;
    // A subkey that cannot be listed by name (one holding a NUL) cannot be deleted either.
    if (status != platform::kSuccess || !Gone(below + Folded(name)))
      return true;
  }
}

Status RecordingRegistry::DeleteKey(RegKey key, std::string_view subkey) {
  Opened* parent = Find(key);
  if (parent == nullptr)
    return platform::kInvalidHandle;
  std::string path = Join(parent->path, subkey);
  if (!journal_.preview()) {
    Status status = real_.DeleteKey(key, subkey);
    if (status == platform::kSuccess)
      journal_.Record(ChangeKind::kKeyDeleted, path);
    return status;
  }
  const std::string folded = Folded(path);
  if (made_keys_.erase(folded) == 0) {
    if (parent->made || Gone(folded))
      return platform::kFileNotFound;
    // As the machine would: the key must open for deletion and hold no subkey that stays.
    platform::UniqueRegKey probe;
    Status status = platform::OpenKey(real_, key, subkey, platform::kDeleteAccess, &probe);
    if (status != platform::kSuccess)
      return status;
    if (HasLiveSubkeys(key, subkey, path))
      return platform::kAccessDenied;
  }
  deleted_keys_.insert(folded);
  journal_.Record(ChangeKind::kKeyDeleted, std::move(path));
  return platform::kSuccess;
}

Status RecordingRegistry::EnumKey(RegKey key,
                                  std::uint32_t index,
                                  char* name,
                                  std::uint32_t name_size) {
  Opened* opened = Find(key);
  if (opened == nullptr)
    return platform::kInvalidHandle;
  if (!journal_.preview())
    return real_.EnumKey(key, index, name, name_size);
  if (opened->made)
    return platform::kNoMoreItems;
  Cursor at{};
  if (index >= opened->keys.shown) {
    at = opened->keys;
  } else if (index + 1 == opened->keys.shown) {
    // The name just listed, asked again with room for a long one.
    at = Cursor{index, opened->keys.real - 1};
  }
  const std::string below = Folded(opened->path) + "\\";
  char found[1024];
  for (;; ++at.real) {
    Status status = real_.EnumKey(key, at.real, found, sizeof found);
    // A name holding a NUL keeps its place in the listing, refused, as on the machine.
    if (status != platform::kSuccess && status != platform::kInvalidName)
      return status;
    if (status == platform::kSuccess && Gone(below + Folded(found)))
      continue;
    if (at.shown++ == index) {
      ++at.real;
      opened->keys = at;
      return status == platform::kSuccess ? platform::DeliverKeyName(found, name, name_size)
                                          : status;
    }
  }
}

Status RecordingRegistry::EnumValue(RegKey key, std::uint32_t index, platform::RegValue* value) {
  Opened* opened = Find(key);
  if (opened == nullptr)
    return platform::kInvalidHandle;
  if (!journal_.preview())
    return real_.EnumValue(key, index, value);
  Cursor at = index >= opened->values.shown ? opened->values : Cursor{};
  for (; !opened->made; ++at.real) {
    platform::RegValue found;
    Status status = real_.EnumValue(key, at.real, &found);
    if (status == platform::kNoMoreItems)
      break;
    if (status != platform::kSuccess)
      return status;
    const auto* overlaid = Overlaid(opened->path, found.name);
    if (overlaid != nullptr && !*overlaid)
      continue;
    if (at.shown++ == index) {
      ++at.real;
      opened->values = at;
      if (overlaid != nullptr)
        *value = **overlaid;
      else
        *value = std::move(found);
      return platform::kSuccess;
    }
  }
  // Values the preview added come after the machine's, as new values do.
  const std::string folded = Folded(opened->path);
  for (const ValueId& id : added_values_) {
    if (id.first == folded && at.shown++ == index) {
      *value = *values_.at(id);
      return platform::kSuccess;
    }
  }
  return platform::kNoMoreItems;
}

}  // namespace scourix::recording
