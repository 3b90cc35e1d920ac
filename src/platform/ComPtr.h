// The one owner of COM interface pointers: each ComPtr holds one reference.
#pragma once

#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace fm {

template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}
  // Shares p: takes a reference of its own. Use Attach for a reference handed over.
  explicit ComPtr(T* p) noexcept : p_(p) {
    if (p_ != nullptr) p_->AddRef();
  }
  ComPtr(const ComPtr& other) noexcept : ComPtr(other.p_) {}
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ~ComPtr() { Reset(); }

  ComPtr& operator=(const ComPtr& other) noexcept {
    ComPtr(other).Swap(*this);
    return *this;
  }
  ComPtr& operator=(ComPtr&& other) noexcept {
    ComPtr(std::move(other)).Swap(*this);
    return *this;
  }

  T* Get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  T& operator*() const noexcept { return *p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  // Takes over a reference the caller already holds (one a call just returned).
  void Attach(T* p) noexcept {
    Reset();
    p_ = p;
  }
  // Gives the reference to the caller, who must release it.
  [[nodiscard]] T* Detach() noexcept { return std::exchange(p_, nullptr); }

  void Reset() noexcept {
    if (T* old = std::exchange(p_, nullptr)) old->Release();
  }

  // Out-parameters of calls that hand back a reference: the old one is released first.
  T** Put() noexcept {
    Reset();
    return &p_;
  }
  void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

  // Another interface of the same object; null when the object does not have it.
  template <typename U>
  ComPtr<U> As() const noexcept {
    ComPtr<U> result;
    if (p_ != nullptr) p_->QueryInterface(__uuidof(U), result.PutVoid());
    return result;
  }

  void Swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

 private:
  T* p_ = nullptr;
};

}  // namespace fm
