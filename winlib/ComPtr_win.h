#pragma once

#include <unknwn.h>

namespace winlib {

// Owner of one COM reference.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Adopts a reference the caller already holds.
  explicit ComPtr(T* p) : p_(p) {}
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : p_(other.Detach()) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }

  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T* Detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }
  void Reset(T* p = nullptr) {
    T* old = p_;
    p_ = p;
    if (old != nullptr) old->Release();
  }
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  // A second reference for a caller that keeps its own.
  T* AddRefGet() const {
    if (p_ != nullptr) p_->AddRef();
    return p_;
  }

  template <typename U>
  HRESULT As(const IID& iid, ComPtr<U>& out) const {
    if (p_ == nullptr) return E_POINTER;
    return p_->QueryInterface(iid, out.PutVoid());
  }

 private:
  T* p_ = nullptr;
};

}  // namespace winlib
