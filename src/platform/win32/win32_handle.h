// Ownership of Windows handles.
#pragma once

#include <windows.h>

// A kernel handle closed with CloseHandle.
class THandle {
 public:
  THandle() = default;
  explicit THandle(HANDLE handle) : handle_(handle) {}
  ~THandle() { Reset(); }
  THandle(THandle&& other) noexcept : handle_(other.Release()) {}
  THandle& operator=(THandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = other.Release();
    }
    return *this;
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;

  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Release() {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }
  void Reset() {
    if (Valid()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};
