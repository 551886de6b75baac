#pragma once

#include <windows.h>

#include <utility>

// One owner type per handle kind: move-only, released by the destructor.
namespace winlib {

template <typename Traits>
class UniqueHandle {
 public:
  using Type = typename Traits::Type;

  UniqueHandle() = default;
  explicit UniqueHandle(Type h) : h_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  Type Get() const { return h_; }
  bool Valid() const { return Traits::IsValid(h_); }
  explicit operator bool() const { return Valid(); }
  Type Release() {
    Type h = h_;
    h_ = Traits::Invalid();
    return h;
  }
  void Reset(Type h = Traits::Invalid()) {
    if (Traits::IsValid(h_)) Traits::Close(h_);
    h_ = h;
  }
  // For out-parameters: releases what is held and hands out the slot.
  Type* Put() {
    Reset();
    return &h_;
  }

 private:
  Type h_ = Traits::Invalid();
};

struct KernelHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::CloseHandle(h); }
};

// CreateFile and friends signal failure with INVALID_HANDLE_VALUE rather than null.
struct FileHandleTraits : KernelHandleTraits {
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
};

template <typename T>
struct GdiObjectTraits {
  using Type = T;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DeleteObject(h); }
};

struct MemoryDcTraits {
  using Type = HDC;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DeleteDC(h); }
};

struct MappedViewTraits {
  using Type = void*;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::UnmapViewOfFile(h); }
};

struct FindHandleTraits {
  using Type = HANDLE;
  static Type Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Type h) { ::FindClose(h); }
};

struct GlobalMemoryTraits {
  using Type = HGLOBAL;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::GlobalFree(h); }
};

struct IconTraits {
  using Type = HICON;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::DestroyIcon(h); }
};

struct LocalMemoryTraits {
  using Type = HLOCAL;
  static Type Invalid() { return nullptr; }
  static bool IsValid(Type h) { return h != nullptr; }
  static void Close(Type h) { ::LocalFree(h); }
};

using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueMappedView = UniqueHandle<MappedViewTraits>;
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueLocal = UniqueHandle<LocalMemoryTraits>;

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return dc_; }
  const PAINTSTRUCT& Info() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// GetDC/ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Dc() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// SelectObject that puts the previous object back.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object != nullptr ? ::SelectObject(dc, object) : nullptr) {}
  ~SelectScope() {
    if (previous_ != nullptr) ::SelectObject(dc_, previous_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

class CriticalSection {
 public:
  CriticalSection() { ::InitializeCriticalSection(&cs_); }
  ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;
  void Enter() { ::EnterCriticalSection(&cs_); }
  void Leave() { ::LeaveCriticalSection(&cs_); }

 private:
  CRITICAL_SECTION cs_;
};

class Lock {
 public:
  explicit Lock(CriticalSection& cs) : cs_(cs) { cs_.Enter(); }
  ~Lock() { cs_.Leave(); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CriticalSection& cs_;
};

}  // namespace winlib
