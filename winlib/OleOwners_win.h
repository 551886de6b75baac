#pragma once

#include <windows.h>
#include <oleauto.h>

// Owners of the automation values: a BSTR, a VARIANT's contents, a SAFEARRAY.
namespace winlib {

class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(const wchar_t* text) : s_(text != nullptr ? ::SysAllocString(text) : nullptr) {}
  ~UniqueBstr() { Reset(); }
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  UniqueBstr(UniqueBstr&& other) noexcept : s_(other.Release()) {}
  UniqueBstr& operator=(UniqueBstr&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  BSTR Get() const { return s_; }
  BSTR Release() {
    BSTR s = s_;
    s_ = nullptr;
    return s;
  }
  void Reset(BSTR s = nullptr) {
    if (s_ != nullptr) ::SysFreeString(s_);
    s_ = s;
  }
  BSTR* Put() {
    Reset();
    return &s_;
  }

 private:
  BSTR s_ = nullptr;
};

class UniqueVariant {
 public:
  UniqueVariant() { ::VariantInit(&v_); }
  ~UniqueVariant() { ::VariantClear(&v_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  VARIANT* Get() { return &v_; }
  const VARIANT* Get() const { return &v_; }
  void Reset() { ::VariantClear(&v_); }

 private:
  VARIANT v_;
};

class UniqueSafeArray {
 public:
  UniqueSafeArray() = default;
  explicit UniqueSafeArray(SAFEARRAY* array) : a_(array) {}
  ~UniqueSafeArray() { Reset(); }
  UniqueSafeArray(const UniqueSafeArray&) = delete;
  UniqueSafeArray& operator=(const UniqueSafeArray&) = delete;

  SAFEARRAY* Get() const { return a_; }
  void Reset(SAFEARRAY* array = nullptr) {
    if (a_ != nullptr) ::SafeArrayDestroy(a_);
    a_ = array;
  }

 private:
  SAFEARRAY* a_ = nullptr;
};

}  // namespace winlib
