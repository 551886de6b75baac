#pragma once

#include <windows.h>
#include <oleauto.h>

// Owners of the automation values: a BSTR, a VARIANT's contents, a SAFEARRAY.
namespace winlib {

class UniqueBstr {
 public:
  UniqueBstr() = default;
  // Copies `text`, even when it is a BSTR already; Reset takes over an allocated one.
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

// `text` in the system code page as a BSTR of its exact length; null when it cannot be made.
inline UniqueBstr BstrFromAnsi(const char* text) {
  UniqueBstr out;
  if (text == nullptr) return out;
  int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 0) return out;
  out.Reset(::SysAllocStringLen(nullptr, static_cast<UINT>(n - 1)));
  if (out.Get() != nullptr && ::MultiByteToWideChar(CP_ACP, 0, text, -1, out.Get(), n) != n) out.Reset();
  return out;
}

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
