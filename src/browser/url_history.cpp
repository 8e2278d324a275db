#include "browser/url_history.h"

#include <utility>

namespace scourix {
namespace {

constexpr std::string_view kNoTitle = "     (No Title Given)";

void ThrowIfFailed(platform::HResult hr) {
  if (platform::Failed(hr))
    throw UrlHistoryError(hr);
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The store's NUL-terminated UTF-16 text as UTF-8, read without changing it; null gives "".
// A lone surrogate becomes U+FFFD.
std::string WideToString(const char16_t* text) {
  std::string out;
  if (text == nullptr)
    return out;
  std::u16string_view wide(text);
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    AppendUtf8(out, c);
  }
  return out;
}

// The length of the UTF-8 sequence that lead starts, 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80)
    return 1;
  if ((lead & 0xE0) == 0xC0)
    return 2;
  if ((lead & 0xF0) == 0xE0)
    return 3;
  if ((lead & 0xF8) == 0xF0)
    return 4;
  return 0;
}

// UTF-8 as UTF-16; a malformed byte becomes U+FFFD.
std::u16string StringToWide(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = SequenceLength(lead);
    bool valid = length != 0 && i + length <= text.size();
    char32_t c = length <= 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; valid && k < length; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    if (!valid) {
      out += u'\uFFFD';
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
    i += length;
  }
  return out;
}

}  // namespace

UrlHistoryError::UrlHistoryError(platform::HResult code)
    : std::runtime_error("URL history store failed"), code_(code) {}

URLHistoryItem::URLHistoryItem(URLHistoryItem&& other) noexcept
    : allocator_(other.allocator_), EntryRecord(std::exchange(other.EntryRecord, {})) {}

URLHistoryItem& URLHistoryItem::operator=(URLHistoryItem&& other) noexcept {
  if (this != &other) {
    Free();
    allocator_ = other.allocator_;
    EntryRecord = std::exchange(other.EntryRecord, {});
  }
  return *this;
}

URLHistoryItem::~URLHistoryItem() {
  Free();
}

void URLHistoryItem::Free() {
  allocator_->FreeString(EntryRecord.pwcsTitle);
  allocator_->FreeString(EntryRecord.pwcsUrl);
  EntryRecord.pwcsTitle = nullptr;
  EntryRecord.pwcsUrl = nullptr;
}

void URLHistoryItem::SetEntry(const platform::StatUrl& record) {
  Free();
  EntryRecord = record;
}

std::string URLHistoryItem::Url() const {
  return WideToString(EntryRecord.pwcsUrl);
}

std::string URLHistoryItem::Title() const {
  std::string title = WideToString(EntryRecord.pwcsTitle);
  return title.empty() ? std::string(kNoTitle) : title;
}

CURLHistory::CURLHistory(platform::UrlHistoryStore& store) : allocator_(store) {
  ThrowIfFailed(store.Open(&HistoryStore));
  Refresh();
}

CURLHistory::~CURLHistory() = default;

void CURLHistory::Clear() {
  // Each step is tried whatever the one before it did.
  (void)HistoryStore->ClearHistory();
  try {
    Refresh();
  } catch (const UrlHistoryError&) {
  }
}

void CURLHistory::Refresh(std::string_view URLStartsWith, std::int32_t Flags) {
  std::unique_ptr<platform::UrlHistoryEnum> enumerator;
  ThrowIfFailed(HistoryStore->EnumUrls(&enumerator));
  ThrowIfFailed(
      enumerator->SetFilter(StringToWide(URLStartsWith), static_cast<std::uint32_t>(Flags)));
  HistoryItems.clear();
  platform::StatUrl record;
  for (;;) {
    std::uint32_t fetched = 0;
    ThrowIfFailed(enumerator->Next(&record, &fetched));
    if (fetched == 0)
      break;
    URLHistoryItem item(allocator_);
    item.SetEntry(record);
    HistoryItems.push_back(std::move(item));
  }
}

const URLHistoryItem& CURLHistory::Item(std::int32_t Index) const {
  if (Index < 1 || static_cast<std::size_t>(Index) > HistoryItems.size()) {
    throw UrlHistoryError(platform::kDispEBadIndex);
  }
  return HistoryItems[static_cast<std::size_t>(Index) - 1];
}

void CURLHistory::Remove(std::int32_t Index) {
  const URLHistoryItem& item = Item(Index);
  const char16_t* url = item.EntryRecord.pwcsUrl;
  ThrowIfFailed(HistoryStore->DeleteUrl(url == nullptr ? u"" : url, 0));
  HistoryItems.erase(HistoryItems.begin() + (Index - 1));
}

void CURLHistory::DeleteURL(std::int32_t Url, std::int32_t Flags) {
  ThrowIfFailed(HistoryStore->DeleteUrl(StringToWide(std::to_string(Url)),
                                        static_cast<std::uint32_t>(Flags)));
  Refresh();
}

}  // namespace scourix
