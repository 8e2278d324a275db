#include "platform/win32/win32_url_history.h"

#include <windows.h>

#include <objbase.h>
#include <shlguid.h>
#include <urlhist.h>

#include <string>

#include "platform/win32/windows_api.h"

namespace scourix::win32 {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// Releases one interface pointer. Move-only.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (pointer_ != nullptr)
      pointer_->Release();
  }
  Interface* get() const { return pointer_; }
  Interface** put() { return &pointer_; }
  Interface* operator->() const { return pointer_; }

 private:
  Interface* pointer_ = nullptr;
};

std::wstring Wide(std::u16string_view text) {
  return std::wstring(text.begin(), text.end());
}

class Win32HistoryEnum : public platform::UrlHistoryEnum {
 public:
  explicit Win32HistoryEnum(ComPtr<IEnumSTATURL>* source) {
    std::swap(*enum_.put(), *source->put());
  }

  platform::HResult SetFilter(std::u16string_view prefix, std::uint32_t flags) override {
    return enum_->SetFilter(Wide(prefix).c_str(), flags);
  }

  platform::HResult Next(platform::StatUrl* record, std::uint32_t* fetched) override {
    STATURL stat{};
    stat.cbSize = sizeof(STATURL);
    ULONG count = 0;
    HRESULT hr = enum_->Next(1, &stat, &count);
    *fetched = count;
    if (FAILED(hr) || count == 0)
      return hr;
    record->cbSize = stat.cbSize;
    record->pwcsUrl = reinterpret_cast<char16_t*>(stat.pwcsUrl);
    record->pwcsTitle = reinterpret_cast<char16_t*>(stat.pwcsTitle);
    record->ftLastVisited = {stat.ftLastVisited.dwLowDateTime, stat.ftLastVisited.dwHighDateTime};
    record->ftLastUpdated = {stat.ftLastUpdated.dwLowDateTime, stat.ftLastUpdated.dwHighDateTime};
    record->ftExpires = {stat.ftExpires.dwLowDateTime, stat.ftExpires.dwHighDateTime};
    record->dwFlags = stat.dwFlags;
    return hr;
  }

 private:
  ComPtr<IEnumSTATURL> enum_;
};

class Win32HistoryStorage : public platform::UrlHistoryStorage {
 public:
  explicit Win32HistoryStorage(ComPtr<IUrlHistoryStg2>* source) {
    std::swap(*store_.put(), *source->put());
  }

  platform::HResult ClearHistory() override { return store_->ClearHistory(); }

  platform::HResult EnumUrls(std::unique_ptr<platform::UrlHistoryEnum>* enumerator) override {
    ComPtr<IEnumSTATURL> found;
    HRESULT hr = store_->EnumUrls(found.put());
    if (FAILED(hr))
      return hr;
    if (found.get() == nullptr)
      return E_POINTER;
    *enumerator = std::make_unique<Win32HistoryEnum>(&found);
    return hr;
  }

  platform::HResult DeleteUrl(std::u16string_view url, std::uint32_t flags) override {
    return store_->DeleteUrl(Wide(url).c_str(), flags);
  }

 private:
  ComPtr<IUrlHistoryStg2> store_;
};

}  // namespace

Win32UrlHistoryStore::~Win32UrlHistoryStore() {
  if (com_initialised_)
    CoUninitialize();
}

platform::HResult Win32UrlHistoryStore::Open(std::unique_ptr<platform::UrlHistoryStorage>* store) {
  if (!com_tried_) {
    com_tried_ = true;
    // S_FALSE (already initialised on this thread) also owes an uninitialise; a thread set up
    // for another apartment kind owes nothing and works as it is.
    com_initialised_ = SUCCEEDED(CoInitialize(nullptr));
  }
  ComPtr<IUrlHistoryStg2> created;
  HRESULT hr = CoCreateInstance(CLSID_CUrlHistory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IUrlHistoryStg2, reinterpret_cast<void**>(created.put()));
  if (FAILED(hr))
    return hr;
  *store = std::make_unique<Win32HistoryStorage>(&created);
  return hr;
}

void Win32UrlHistoryStore::FreeString(char16_t* text) {
  CoTaskMemFree(text);
}

}  // namespace scourix::win32
