#include <string>

#include "conformance/registry_env.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/windows_api.h"

namespace scourix::testing {
namespace {

constexpr char kScratchParent[] = "Software\\ScourixTest";

// The real registry with HKEY_CURRENT_USER redirected, in this process only, into a fresh key
// under HKEY_CURRENT_USER\Software\ScourixTest, so that the prefix's own data is never touched.
// The key is removed afterwards, and the parent too once no other run uses it.
class Win32RegistryEnv : public RegistryEnv {
 public:
  Win32RegistryEnv() {
    scratch_ = std::string(kScratchParent) + "\\run-" + std::to_string(GetCurrentProcessId()) +
               "-" + std::to_string(GetTickCount64());
    RegCreateKeyExA(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                    KEY_ALL_ACCESS, nullptr, &scratch_key_, nullptr);
    RegOverridePredefKey(HKEY_CURRENT_USER, scratch_key_);
  }
  ~Win32RegistryEnv() override {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(scratch_key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, kScratchParent);  // refused while other runs hold keys
  }
  platform::Registry& registry() override { return registry_; }
  bool IsWine() const override { return true; }

 private:
  std::string scratch_;
  HKEY scratch_key_ = nullptr;
  win32::Win32Registry registry_;
};

}  // namespace

std::unique_ptr<RegistryEnv> MakeRegistryEnv() {
  return std::make_unique<Win32RegistryEnv>();
}

}  // namespace scourix::testing
