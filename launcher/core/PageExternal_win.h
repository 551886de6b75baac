#pragma once

#include <windows.h>
#include <oaidl.h>

#include "winlib/ComPtr_win.h"

// The login page's external object: one method, "LoginGameClient" (id 1), whose seven texts
// go to the main window with UM_PAGE_LOGIN.
class PageExternal final : public IDispatch {
 public:
  static constexpr DISPID kLoginGameClientId = 1;

  static winlib::ComPtr<PageExternal> Create(HWND mainWindow);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) override;

 private:
  explicit PageExternal(HWND mainWindow) : mainWindow_(mainWindow) {}
  ~PageExternal() = default;

  LONG refs_ = 1;
  HWND mainWindow_;
};
