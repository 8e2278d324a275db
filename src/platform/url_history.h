#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace scourix::platform {

// COM status codes, as Windows numbers them: negative is failure, S_FALSE is a successful
// "no" (the end of an enumeration).
using HResult = std::int32_t;

inline constexpr HResult kSOk = 0;
inline constexpr HResult kSFalse = 1;
inline constexpr HResult kENotImpl = static_cast<HResult>(0x80004001);
inline constexpr HResult kEFail = static_cast<HResult>(0x80004005);
inline constexpr HResult kEAccessDenied = static_cast<HResult>(0x80070005);
inline constexpr HResult kEOutOfMemory = static_cast<HResult>(0x8007000E);
inline constexpr HResult kEInvalidArg = static_cast<HResult>(0x80070057);
inline constexpr HResult kDispEBadIndex = static_cast<HResult>(0x8002000B);
inline constexpr HResult kClassNotRegistered = static_cast<HResult>(0x80040154);

inline constexpr bool Failed(HResult hr) {
  return hr < 0;
}

struct FileTime {
  std::uint32_t dwLowDateTime = 0;
  std::uint32_t dwHighDateTime = 0;
};

// One STATURL record as the enumerator returns it. The two strings are NUL-terminated UTF-16,
// allocated by the store's task allocator; whoever holds the record after Next owns them and
// frees each with UrlHistoryStore::FreeString. Either may be null.
struct StatUrl {
  std::uint32_t cbSize = 0;
  char16_t* pwcsUrl = nullptr;
  char16_t* pwcsTitle = nullptr;
  FileTime ftLastVisited;
  FileTime ftLastUpdated;
  FileTime ftExpires;
  std::uint32_t dwFlags = 0;
};

// IEnumSTATURL: one enumeration of the store; released on destruction.
class UrlHistoryEnum {
 public:
  virtual ~UrlHistoryEnum() = default;
  // Later Next calls yield only the entries whose URL starts with prefix; an empty prefix
  // filters nothing out.
  [[nodiscard]] virtual HResult SetFilter(std::u16string_view prefix, std::uint32_t flags) = 0;
  // Next(1, record, fetched): kSOk with *fetched 1 and the record filled, or kSFalse with
  // *fetched 0 and the record untouched at the end.
  [[nodiscard]] virtual HResult Next(StatUrl* record, std::uint32_t* fetched) = 0;
};

// IUrlHistoryStg2 (with the IUrlHistoryStg methods it extends): one open store; released on
// destruction.
class UrlHistoryStorage {
 public:
  virtual ~UrlHistoryStorage() = default;
  // IUrlHistoryStg2::ClearHistory: empties the whole history.
  [[nodiscard]] virtual HResult ClearHistory() = 0;
  // IUrlHistoryStg::EnumUrls.
  [[nodiscard]] virtual HResult EnumUrls(std::unique_ptr<UrlHistoryEnum>* enumerator) = 0;
  // IUrlHistoryStg::DeleteUrl.
  [[nodiscard]] virtual HResult DeleteUrl(std::u16string_view url, std::uint32_t flags) = 0;
};

// The platform's URL history store (the COM class CUrlHistory) and the task allocator that
// owns its strings.
class UrlHistoryStore {
 public:
  virtual ~UrlHistoryStore() = default;
  // Creates CLSID_CUrlHistory for IUrlHistoryStg2. *store is left empty on failure.
  [[nodiscard]] virtual HResult Open(std::unique_ptr<UrlHistoryStorage>* store) = 0;
  // CoTaskMemFree of a string from a StatUrl record; null is allowed.
  virtual void FreeString(char16_t* text) = 0;
};

}  // namespace scourix::platform
