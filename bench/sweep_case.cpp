#include <string>

#include "bench/bench_case.h"
#include "bench/bench_support.h"
#include "cleaners/registry_sweeps.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_api.h"

namespace scourix::bench {
namespace {

constexpr wchar_t kBenchParent[] = L"Software\\ScourixBench";
// The swept key, below the redirected HKEY_CURRENT_USER.
constexpr wchar_t kSweptKey[] = L"Values";
constexpr char kSweptKeyUtf8[] = "Values";
constexpr long kWarmUpValues = 100;

// HKEY_CURRENT_USER redirected, in this process only, into a fresh key below
// HKEY_CURRENT_USER\Software\ScourixBench, so that the prefix's own data is never touched;
// the key goes afterwards, and the parent with it once no other run holds a key there.
class PrivateCurrentUser {
 public:
  PrivateCurrentUser()
      : path_(std::wstring(kBenchParent) + L"\\run-" + std::to_wstring(GetCurrentProcessId())) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
      key_.reset(key);
      overridden_ = RegOverridePredefKey(HKEY_CURRENT_USER, key) == ERROR_SUCCESS;
    }
  }
  ~PrivateCurrentUser() {
    if (overridden_)
      RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, kBenchParent);  // refused while another run holds a key
  }
  PrivateCurrentUser(const PrivateCurrentUser&) = delete;
  PrivateCurrentUser& operator=(const PrivateCurrentUser&) = delete;

  bool ready() const { return overridden_; }

 private:
  std::wstring path_;
  win32::UniqueRegKey key_;
  bool overridden_ = false;
};

void SeedValues(long values) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSweptKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
    return;
  win32::UniqueRegKey key(opened);
  for (long i = 0; i < values; ++i) {
    std::wstring name = L"Entry" + std::to_wstring(i);
    std::wstring data = L"C:\\Documents\\file" + std::to_wstring(i) + L".txt";
    RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  }
}

// Opens the key once and deletes the first value until none is left.
void BareDeleteAll() {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSweptKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &opened) !=
      ERROR_SUCCESS)
    return;
  win32::UniqueRegKey key(opened);
  wchar_t name[16384];
  for (;;) {
    DWORD length = sizeof name / sizeof name[0];
    if (RegEnumValueW(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    if (RegDeleteValueW(key.get(), name) != ERROR_SUCCESS)
      break;
  }
}

long CountValues() {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSweptKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return 0;
  win32::UniqueRegKey key(opened);
  DWORD values = 0;
  RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                   nullptr, nullptr, nullptr, nullptr);
  return static_cast<long>(values);
}

}  // namespace

int RunSweepCase(BenchWindow& window, long values, int rounds) {
  PrivateCurrentUser current_user;
  if (!current_user.ready())
    return 1;
  Context& ctx = window.context();

  SeedValues(kWarmUpValues);
  SweepKeyValues(ctx, kSweptKeyUtf8);

  BenchCase bench{
      .seed = [&] { SeedValues(values); },
      .scourix = [&] { SweepKeyValues(ctx, kSweptKeyUtf8); },
      .bare = [&] { BareDeleteAll(); },
      .left = [&] { return CountValues(); },
  };
  SideTimes times;
  if (!RunAlternating(bench, rounds, times))
    return 1;
  PrintResult("sweep", values, times);
  return 0;
}

}  // namespace scourix::bench
