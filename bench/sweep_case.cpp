#include <algorithm>
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

// What one sweep case seeds: `values` string values of about `bytes` bytes each (UTF-16, the
// null included), and with `huge` one more value of 1 MiB.
struct SweptValues {
  long values = 0;
  long bytes = 0;
  bool huge = false;
};

constexpr long kShortBytes = 0;  // "C:\Documents\fileN.txt"
constexpr long kHugeBytes = 1L << 20;

void SeedValues(const SweptValues& seeded) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSweptKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
    return;
  win32::UniqueRegKey key(opened);
  auto set = [&](const std::wstring& name, std::wstring data) {
    RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  };
  for (long i = 0; i < seeded.values; ++i) {
    std::wstring data = L"C:\\Documents\\file" + std::to_wstring(i) + L".txt";
    const auto chars = static_cast<std::size_t>(std::max(seeded.bytes / 2 - 1, 0L));
    if (data.size() < chars)
      data.append(chars - data.size(), L'x');
    set(L"Entry" + std::to_wstring(i), std::move(data));
  }
  if (seeded.huge)
    set(L"Huge", std::wstring(kHugeBytes / 2 - 1, L'h'));
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

// `compared` is what the sweep of `seeded` is held against: the bare loop over the same key,
// or, where given, Scourix's own sweep of another key.
int RunSweep(BenchWindow& window,
             std::string_view kind,
             const SweptValues& seeded,
             const SweptValues* compared,
             int rounds) {
  PrivateCurrentUser current_user;
  if (!current_user.ready())
    return 1;
  Context& ctx = window.context();

  SeedValues(SweptValues{kWarmUpValues, seeded.bytes, false});
  SweepKeyValues(ctx, kSweptKeyUtf8);

  BenchCase bench{
      .seed = [&] { SeedValues(seeded); },
      .scourix = [&] { SweepKeyValues(ctx, kSweptKeyUtf8); },
      .bare = compared != nullptr
                  ? std::function<void()>([&] { SweepKeyValues(ctx, kSweptKeyUtf8); })
                  : std::function<void()>(BareDeleteAll),
      .left = [&] { return CountValues(); },
      .seed_bare = compared != nullptr ? std::function<void()>([&] { SeedValues(*compared); })
                                       : std::function<void()>(),
  };
  SideTimes times;
  if (!RunAlternating(bench, rounds, times))
    return 1;
  PrintResult(kind, seeded.values, times);
  return 0;
}

}  // namespace

int RunSweepCase(BenchWindow& window, long values, int rounds) {
  return RunSweep(window, "sweep", SweptValues{values, kShortBytes, false}, nullptr, rounds);
}

int RunLongSweepCase(BenchWindow& window, long values, int rounds) {
  return RunSweep(window, "sweep-long", SweptValues{values, 300, false}, nullptr, rounds);
}

int RunHugeSweepCase(BenchWindow& window, long values, int rounds) {
  const SweptValues alone{values, kShortBytes, false};
  return RunSweep(window, "sweep-huge", SweptValues{values, kShortBytes, true}, &alone, rounds);
}

}  // namespace scourix::bench
