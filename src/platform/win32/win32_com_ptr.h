// Ownership of COM interface pointers.
#pragma once

#include <unknwn.h>

#include <utility>

// One reference to a COM interface, released when this goes.
template <class Interface>
class TComPtr {
 public:
  TComPtr() = default;
  ~TComPtr() { Reset(); }
  TComPtr(TComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  TComPtr& operator=(TComPtr&& other) noexcept {
    if (this != &other) {
      Reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  TComPtr(const TComPtr&) = delete;
  TComPtr& operator=(const TComPtr&) = delete;

  Interface* Get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // The out parameter of CoCreateInstance and QueryInterface; whatever was
  // held before is released first.
  void** Out() {
    Reset();
    return reinterpret_cast<void**>(&pointer_);
  }

  void Reset() {
    if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
  }

 private:
  Interface* pointer_ = nullptr;
};
