#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/sim/sim_reg_key.h"

namespace scourix::sim {

// The registry functions that a test can make fail on one key.
enum class SimRegOp {
  kOpen,
  kCreate,
  kClose,
  kQuery,
  kSet,
  kDeleteValue,
  kDeleteKey,
  kEnumKey,
  kEnumValue,
};

// Access bits for DenyAccess: everything, or only what full access adds to reading and
// writing (a key that the user may read and write but not own or delete).
inline constexpr std::uint32_t kDenyAll = 0xFFFFFFFF;
inline constexpr std::uint32_t kDenyFullAccess =
    platform::kDeleteAccess | platform::kWriteDac | platform::kWriteOwner;

// An in-memory registry with the platform's semantics: names compared without case and kept
// with theirs, subkeys enumerated sorted without case, values in the order first set, the
// default value as the empty name, a key with subkeys refused by DeleteKey, a link refused
// where named last, handles checked against the access they were opened with.
//
// Tests seed and inspect it by full paths ("HKEY_CURRENT_USER\Software\X" or "HKCU\Software\X").
class SimRegistry : public platform::Registry {
 public:
  SimRegistry();
  ~SimRegistry() override;
  SimRegistry(const SimRegistry&) = delete;
  SimRegistry& operator=(const SimRegistry&) = delete;
  SimRegistry(SimRegistry&&) = delete;
  SimRegistry& operator=(SimRegistry&&) = delete;

  // platform::Registry
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

  // Seeding. Missing keys on the path are created. Paths must start with a root name.
  void AddKey(std::string_view path);
  void SetValueBytes(std::string_view path,
                     std::string_view name,
                     std::uint32_t type,
                     std::string_view bytes);
  // A REG_SZ (or REG_EXPAND_SZ) with its terminating null.
  void SetString(std::string_view path,
                 std::string_view name,
                 std::string_view text,
                 std::uint32_t type = platform::kRegSz);
  void SetDword(std::string_view path, std::string_view name, std::uint32_t number);
  // Each string with its null, then the closing null.
  void SetMultiString(std::string_view path,
                      std::string_view name,
                      const std::vector<std::string>& strings);
  // A key made as a symbolic link to target (a full path), holding it as the system does in
  // "SymbolicLinkValue". OpenKey, CreateKey and DeleteKey refuse it where it is named last;
  // unlike the system, the sim never follows one on the way to another key.
  void AddLink(std::string_view path, std::string_view target);
  void RemoveValue(std::string_view path, std::string_view name);
  // Removes a key and everything below it (no effect when missing).
  void RemoveTree(std::string_view path);

  // Inspection.
  bool KeyExists(std::string_view path) const;
  bool ValueExists(std::string_view path, std::string_view name) const;
  std::optional<SimRegValue> Value(std::string_view path, std::string_view name) const;
  // The value's data as text without the terminating null; nullopt when missing.
  std::optional<std::string> StringValue(std::string_view path, std::string_view name) const;
  std::vector<std::string> SubkeyNames(std::string_view path) const;
  std::vector<std::string> ValueNames(std::string_view path) const;
  const SimRegKey* FindKey(std::string_view path) const;
  std::size_t OpenHandleCount() const { return handles_.size(); }
  const SimRegKey& Root(platform::RegKey root) const;

  // Faults. A key that refuses the given access bits on open and create (status 5); with
  // kDeleteAccess among them, deleting the key is refused too.
  void DenyAccess(std::string_view path, std::uint32_t access = kDenyAll);
  // Makes one function fail with a status whenever it acts on the key at path (the key the
  // handle stands for; for kOpen and kCreate, the key being opened or created).
  void InjectFault(std::string_view path, SimRegOp op, platform::Status status);
  void ClearFaults();

 private:
  struct Handle {
    std::shared_ptr<SimRegKey> key;
    std::uint32_t access = 0;
  };

  // The key behind a handle, checked for the access the function needs and, with op, for an
  // injected fault.
  platform::Status Resolve(platform::RegKey key,
                           std::uint32_t needed,
                           std::optional<SimRegOp> op,
                           std::shared_ptr<SimRegKey>* out) const;
  std::shared_ptr<SimRegKey> Walk(const std::shared_ptr<SimRegKey>& from,
                                  std::string_view subkey,
                                  bool create);
  std::shared_ptr<SimRegKey> WalkConst(const std::shared_ptr<SimRegKey>& from,
                                       std::string_view subkey,
                                       int depth = 0) const;
  // The key a link leads to, as the system follows one on the way to a key below it.
  std::shared_ptr<SimRegKey> LinkTarget(const SimRegKey& link, int depth) const;
  std::shared_ptr<SimRegKey> KeyAt(std::string_view path, bool create);
  std::shared_ptr<SimRegKey> KeyAtConst(std::string_view path) const;
  std::optional<platform::Status> Fault(const SimRegKey& key, SimRegOp op) const;
  platform::RegKey NewHandle(std::shared_ptr<SimRegKey> key, std::uint32_t access);

  std::map<platform::RegKey, std::shared_ptr<SimRegKey>> roots_;
  std::map<platform::RegKey, Handle> handles_;
  std::map<std::pair<std::string, SimRegOp>, platform::Status> faults_;  // by folded path
  platform::RegKey next_handle_ = 0x100;
};

}  // namespace scourix::sim
