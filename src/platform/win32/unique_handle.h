#pragma once

#include <memory>
#include <type_traits>

#include "platform/win32/windows_api.h"

namespace scourix::win32 {

// Owns a file or find handle and closes it with Close. Both kinds answer INVALID_HANDLE_VALUE
// for "none", which is not a constant expression, so the owner compares at run time.
template <BOOL(WINAPI* Close)(HANDLE)>
class UniqueInvalidHandle {
 public:
  UniqueInvalidHandle() = default;
  explicit UniqueInvalidHandle(HANDLE handle) : handle_(handle) {}
  ~UniqueInvalidHandle() { reset(); }
  UniqueInvalidHandle(UniqueInvalidHandle&& other) noexcept : handle_(other.release()) {}
  UniqueInvalidHandle& operator=(UniqueInvalidHandle&& other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  UniqueInvalidHandle(const UniqueInvalidHandle&) = delete;
  UniqueInvalidHandle& operator=(const UniqueInvalidHandle&) = delete;

  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE release() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }
  void reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (valid())
      Close(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

using UniqueFileHandle = UniqueInvalidHandle<CloseHandle>;
using UniqueFindHandle = UniqueInvalidHandle<FindClose>;
// Events, threads and processes: CloseHandle too, and null for "none", which valid() covers.
using UniqueKernelHandle = UniqueInvalidHandle<CloseHandle>;

// Owns an open registry key.
struct RegKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueRegKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegKeyCloser>;

}  // namespace scourix::win32
