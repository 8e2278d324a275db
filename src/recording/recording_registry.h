#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"
#include "recording/journal.h"

namespace scourix::recording {

// The registry as a run sees it. Reads go to the machine; in a preview, changes are recorded
// and remembered instead of made, so that a later step reads the registry as the run would
// have left it: a deleted value or key is no longer found or listed, a written value reads as
// written, a created key opens (empty).
class RecordingRegistry : public platform::Registry {
 public:
  RecordingRegistry(platform::Registry& real, Journal& journal) : real_(real), journal_(journal) {}

  platform::Status OpenKey(platform::RegKey root,
                           std::string_view subkey,
                           std::uint32_t access,
                           platform::RegKey* result) override;
  platform::Status CreateKey(platform::RegKey parent,
                             std::string_view subkey,
                             std::uint32_t access,
                             platform::RegKey* result,
                             bool* created) override;
  platform::Status CloseKey(platform::RegKey key) override;
  platform::Status QueryValue(platform::RegKey key,
                              std::string_view name,
                              platform::RegValue* value) override;
  platform::Status SetValue(platform::RegKey key,
                            std::string_view name,
                            std::uint32_t type,
                            const std::uint8_t* data,
                            std::uint32_t size) override;
  platform::Status DeleteValue(platform::RegKey key, std::string_view name) override;
  platform::Status DeleteKey(platform::RegKey key, std::string_view subkey) override;
  platform::Status EnumKey(platform::RegKey key,
                           std::uint32_t index,
                           char* name,
                           std::uint32_t name_size) override;
  platform::Status EnumValue(platform::RegKey key,
                             std::uint32_t index,
                             platform::RegValue* value) override;

 private:
  // Where the last enumeration of a handle stopped, so that a walk by rising index does not
  // start over at every step.
  struct Cursor {
    std::uint32_t shown = 0;
    std::uint32_t real = 0;
  };
  struct Opened {
    std::string path;  // as named, from the root's long name
    std::uint32_t access = 0;
    bool made = false;  // a key that only the preview created: no handle on the machine
    Cursor keys, values;
  };
  using ValueId = std::pair<std::string, std::string>;  // folded key path, folded name

  Opened* Find(platform::RegKey key);
  // The value as the recorder sees it, whatever the access the key was opened with.
  platform::Status Peek(platform::RegKey key,
                        const Opened& opened,
                        std::string_view name,
                        platform::RegValue* value);
  // The same on the machine, past what the preview has changed.
  platform::Status ReadMachine(platform::RegKey key,
                               const Opened& opened,
                               std::string_view name,
                               platform::RegValue* value);
  platform::RegKey Track(platform::RegKey handle,
                         std::string path,
                         std::uint32_t access,
                         bool made);
  [[nodiscard]] bool Gone(const std::string& folded_path) const;
  // Whether the key subkey of parent (at path) holds a subkey that the preview has not deleted.
  [[nodiscard]] bool HasLiveSubkeys(platform::RegKey parent,
                                    std::string_view subkey,
                                    const std::string& path);
  // The overlay's word on a value: nothing when the preview has not touched it, an empty
  // optional when it deleted it.
  const std::optional<platform::RegValue>* Overlaid(const std::string& path,
                                                    std::string_view name) const;

  platform::Registry& real_;
  Journal& journal_;
  std::map<platform::RegKey, Opened> open_;
  std::map<platform::RegKey, Opened> roots_;
  platform::RegKey next_made_ = 0x4000000000000000;
  // The preview's overlay.
  std::set<std::string> deleted_keys_;
  std::set<std::string> made_keys_;
  std::map<ValueId, std::optional<platform::RegValue>> values_;
  std::vector<ValueId> added_values_;  // written where the machine has no such value, in order
};

}  // namespace scourix::recording
