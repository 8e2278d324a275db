#pragma once

#include "platform/url_history.h"

namespace scourix::win32 {

// The URL history store through COM. COM is initialised on the calling thread (the window's)
// by the first Open and uninitialised when this object goes, so every storage it opened must
// be gone by then.
class Win32UrlHistoryStore : public platform::UrlHistoryStore {
 public:
  Win32UrlHistoryStore() = default;
  ~Win32UrlHistoryStore() override;
  Win32UrlHistoryStore(const Win32UrlHistoryStore&) = delete;
  Win32UrlHistoryStore& operator=(const Win32UrlHistoryStore&) = delete;

  platform::HResult Open(std::unique_ptr<platform::UrlHistoryStorage>* store) override;
  void FreeString(char16_t* text) override;

 private:
  bool com_tried_ = false;
  bool com_initialised_ = false;  // owes one CoUninitialize
};

}  // namespace scourix::win32
