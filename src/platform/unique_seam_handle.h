#pragma once

#include "platform/status.h"

namespace scourix::platform {

// Owns one handle that an interface of this seam opened, and gives it back to that interface's
// Close method on destruction. Move-only. kNone is "no handle" and is never closed.
template <typename Source, typename Handle, Status (Source::*Close)(Handle), Handle kNone>
class UniqueSeamHandle {
 public:
  UniqueSeamHandle() = default;
  UniqueSeamHandle(Source& source, Handle handle) : source_(&source), handle_(handle) {}
  UniqueSeamHandle(const UniqueSeamHandle&) = delete;
  UniqueSeamHandle& operator=(const UniqueSeamHandle&) = delete;
  UniqueSeamHandle(UniqueSeamHandle&& other) noexcept
      : source_(other.source_), handle_(other.release()) {}
  UniqueSeamHandle& operator=(UniqueSeamHandle&& other) noexcept {
    if (this != &other) {
      reset();
      source_ = other.source_;
      handle_ = other.release();
    }
    return *this;
  }
  ~UniqueSeamHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != kNone; }
  Handle release() {
    Handle handle = handle_;
    handle_ = kNone;
    return handle;
  }
  void reset() {
    if (handle_ != kNone && source_ != nullptr)
      (source_->*Close)(handle_);
    handle_ = kNone;
  }

 private:
  Source* source_ = nullptr;
  Handle handle_ = kNone;
};

// Runs open(&handle), an interface method that opens one handle. On success *owner takes the
// handle, closing what it held; on failure *owner is left as it was.
template <typename Source, typename Handle, Status (Source::*Close)(Handle), Handle kNone>
Status OpenInto(Source& source, UniqueSeamHandle<Source, Handle, Close, kNone>* owner, auto open) {
  Handle handle = kNone;
  Status status = open(&handle);
  if (status == kSuccess)
    *owner = UniqueSeamHandle<Source, Handle, Close, kNone>(source, handle);
  return status;
}

}  // namespace scourix::platform
