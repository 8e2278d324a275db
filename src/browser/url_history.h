#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/url_history.h"

namespace scourix {

// A failure of the URL history store, raised to the caller with the store's code.
class UrlHistoryError : public std::runtime_error {
 public:
  explicit UrlHistoryError(platform::HResult code);
  platform::HResult code() const { return code_; }

 private:
  platform::HResult code_;
};

// One entry of the history store. It owns the record's two strings and frees them with the
// store's allocator, the title first. Move-only.
class URLHistoryItem {
 public:
  explicit URLHistoryItem(platform::UrlHistoryStore& allocator) : allocator_(&allocator) {}
  URLHistoryItem(const URLHistoryItem&) = delete;
  URLHistoryItem& operator=(const URLHistoryItem&) = delete;
  URLHistoryItem(URLHistoryItem&& other) noexcept;
  URLHistoryItem& operator=(URLHistoryItem&& other) noexcept;
  ~URLHistoryItem();

  // "" when the store gave none.
  std::string Url() const;
  // "     (No Title Given)" when the store gave none or an empty one.
  std::string Title() const;

 private:
  friend class CURLHistory;
  // Takes the record, and with it its strings.
  void SetEntry(const platform::StatUrl& record);
  void Free();

  platform::UrlHistoryStore* allocator_;
  platform::StatUrl EntryRecord;
};

// One open history store and the collection of its entries, in the store's order. Every
// member but Clear raises UrlHistoryError when the store fails; creation enumerates the store,
// so a store that cannot be enumerated cannot be wrapped.
class CURLHistory {
 public:
  explicit CURLHistory(platform::UrlHistoryStore& store);
  CURLHistory(const CURLHistory&) = delete;
  CURLHistory& operator=(const CURLHistory&) = delete;
  CURLHistory(CURLHistory&&) = delete;
  CURLHistory& operator=(CURLHistory&&) = delete;
  ~CURLHistory();

  // Empties the store and re-reads it; raises nothing.
  void Clear();
  // Re-reads the entries whose URL starts with URLStartsWith ("" keeps every one).
  void Refresh(std::string_view URLStartsWith = "", std::int32_t Flags = 0);
  // 1-based. Valid until the next Refresh, Remove, DeleteURL or Clear.
  const URLHistoryItem& Item(std::int32_t Index) const;
  // Deletes the item's URL from the store, then drops it from the collection; later items
  // move down by one.
  void Remove(std::int32_t Index);
  // Deletes the URL made of the number's decimal text, then re-reads every entry.
  void DeleteURL(std::int32_t Url, std::int32_t Flags);
  // Every item, in order.
  std::span<const URLHistoryItem> NewEnum() const { return HistoryItems; }
  auto begin() const { return HistoryItems.begin(); }
  auto end() const { return HistoryItems.end(); }

 private:
  platform::UrlHistoryStore& allocator_;
  std::unique_ptr<platform::UrlHistoryStorage> HistoryStore;
  std::vector<URLHistoryItem> HistoryItems;
};

}  // namespace scourix
