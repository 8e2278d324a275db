#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry.h"
#include "platform/run_window.h"
#include "platform/window.h"
#include "registry/rendered_value.h"
#include "registry/variant.h"

// <windows.h> renames CreateDirectory; a translation unit that includes both must still reach
// the member by its own name.
#ifdef CreateDirectory
#undef CreateDirectory
#endif

namespace scourix {

// Flags of the view: true is -1, false is 0.
inline constexpr std::int16_t kRegTrue = -1;
inline constexpr std::int16_t kRegFalse = 0;

// Errors that RegView reports to its caller instead of absorbing them.
enum class RegViewError {
  kNone,
  kInvalidArgument,  // OneBackOnKey on a path without a backslash
  kTypeMismatch,     // CreateValue: the data cannot be made a 32-bit number
  kOverflow,         // CreateValue: the number does not fit 32 bits
};

// A view on one open registry key. OpenRegistry names a root and a subkey path; the key-bound
// members then act on that key until CloseRegistry. Failures are absorbed and come back as
// neutral results (0, false, nothing, or a short text in place of value data).
class RegView {
 public:
  RegView(platform::Registry& registry, platform::RunWindow& window);
  ~RegView();
  RegView(const RegView&) = delete;
  RegView& operator=(const RegView&) = delete;
  RegView(RegView&&) = delete;
  RegView& operator=(RegView&&) = delete;

  // Creates a subkey (a path relative to the open key) with full access; an existing one
  // counts as success.
  bool CreateDirectory(std::string_view sNewDirName);
  // Deletes a subkey of the open key; the registry refuses one that has subkeys.
  bool DeleteDirectory(std::string_view sKeyName);
  // Writes a REG_SZ, REG_EXPAND_SZ, REG_DWORD or REG_MULTI_SZ value. Any other type shows
  // "Unable To process that Type of data." and writes nothing. Data that cannot be made a
  // 32-bit number for REG_DWORD is reported through *error (when given) and writes nothing.
  bool CreateValue(std::string_view sValueName,
                   const Variant& vWriteThis,
                   std::int32_t ldValueDataType,
                   const Variant& Multi_SZ_AddtlStrings = Variant(),
                   RegViewError* error = nullptr);
  bool DeleteValue(std::string_view sValueName);
  // Reads one value of the open key, rendered for display.
  RenderedValue GetValue(std::string_view VarName, bool ReturnBinStr = false);

  std::uint32_t RegistryRootKey() const { return lRootKey; }
  const std::string& SubDirectory() const { return sSubDirectory; }

  // -1 when the key is now open (read, write, create subkeys, enumerate), 0 otherwise.
  std::int16_t OpenRegistry(std::uint32_t RtHKey, std::string_view SbDr);
  // Moves the view one level up the path and reopens it there. A path without a backslash is
  // kInvalidArgument and leaves the view unchanged.
  RegViewError OneBackOnKey();
  bool CloseRegistry();

  // A sorted copy of an array indexed from 0 (insertion sort, equal elements reversed); any
  // other value is given back as it is.
  static Variant SortArrayAscending(const Variant& ValueList);

  // Clears the list, then fills it with the open key's subkey names in the registry's order.
  void GetAllSubDirectories2(platform::ListControl& ListBox);
  // Clears both lists, then fills them in step: value names, and each value's data as
  // GetValue renders it (a REG_MULTI_SZ value as its strings joined by a space).
  void GetAllValues2(platform::ListControl& ListBox1, platform::ListControl& ListBox2);

  bool IsOpen() const { return bKeyOpen == kRegTrue; }

 private:
  // 1-based position of the last backslash; 0 when there is none.
  static std::size_t LastBackslashPosition(std::string_view path);
  platform::Registry& registry() { return registry_; }

  platform::Registry& registry_;
  platform::RunWindow& window_;
  std::uint32_t lRootKey = 0;
  std::string sSubDirectory;
  platform::RegKey lKeyHandle = platform::kNoKey;
  std::int16_t bKeyOpen = kRegFalse;
};

}  // namespace scourix
