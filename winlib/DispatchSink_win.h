#pragma once

#include <oaidl.h>
#include <windows.h>

namespace winlib {

// The IUnknown and type-information half of a script-facing dispatch object without a
// type library: one interlocked count, created holding one reference, freed at zero.
// A derived object answers its calls in Invoke, and may name one more interface
// (an event interface it is advised as) that QueryInterface hands out.
class DispatchSink : public IDispatch {
 public:
  DispatchSink(const DispatchSink&) = delete;
  DispatchSink& operator=(const DispatchSink&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || (hasExtra_ && iid == extra_)) {
      *object = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }

 protected:
  DispatchSink() = default;
  explicit DispatchSink(const IID& extra) : extra_(extra), hasExtra_(true) {}
  virtual ~DispatchSink() = default;

 private:
  LONG refs_ = 1;
  IID extra_{};
  bool hasExtra_ = false;
};

}  // namespace winlib
