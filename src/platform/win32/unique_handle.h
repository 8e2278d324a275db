#pragma once

#include <cstdint>

#include "platform/win32/windows_api.h"

namespace scourix::win32 {

// Owns one Windows handle and frees it with Close on destruction. Move-only. kInvalid is the
// value the opening function answers for "none" (-1 for INVALID_HANDLE_VALUE, which is not a
// constant expression, so it is kept as a number); null never names an owned handle either,
// so neither is ever closed.
template <typename Handle, auto Close, std::intptr_t kInvalid>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid() && handle_ != nullptr; }
  Handle release() {
    Handle handle = handle_;
    handle_ = Invalid();
    return handle;
  }
  void reset(Handle handle = Invalid()) {
    if (*this)
      Close(handle_);
    handle_ = handle;
  }

 private:
  static Handle Invalid() { return reinterpret_cast<Handle>(kInvalid); }

  Handle handle_ = Invalid();
};

using UniqueFileHandle = UniqueHandle<HANDLE, CloseHandle, -1>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindClose, -1>;
// Events, threads and processes.
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle, 0>;
using UniqueRegKey = UniqueHandle<HKEY, RegCloseKey, 0>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindow, 0>;
using UniqueFont = UniqueHandle<HFONT, DeleteObject, 0>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObject, 0>;
// The URL cache enumeration's alias is in unique_url_cache_find.h, beside the wininet header.

}  // namespace scourix::win32
