#pragma once

#include <windows.h>

#include "launcher/core/PageExternal_win.h"
#include "winlib/BrowserHostInterfaces_win.h"
#include "winlib/ComPtr_win.h"

// Shapes the login page's frame (no 3-D border, no scroll bars, no browser menus or
// toolbars) and gives the page its external object. Handed to the page host as its
// external user-interface handler.
class PageUIHandler final : public winlib::IBrowserUIHandler {
 public:
  static winlib::ComPtr<PageUIHandler> Create(HWND mainWindow);

  // The external object made by the last GetExternal, or null.
  PageExternal* LastExternal() const { return external_.Get(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* exception, UINT* argumentError) override;

  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD id, DWORD x, DWORD y, IUnknown* commandTarget, IDispatch* object,
                                            HRESULT* result) override;
  HRESULT STDMETHODCALLTYPE GetHostInfo(DWORD* flags, DWORD* doubleClick) override;
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IUnknown* activeObject, IUnknown* commandTarget, IUnknown* frame,
                                   IUnknown* document, HRESULT* result) override;
  HRESULT STDMETHODCALLTYPE HideUI() override;
  HRESULT STDMETHODCALLTYPE UpdateUI() override;
  HRESULT STDMETHODCALLTYPE EnableModeless(VARIANT_BOOL enable) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(VARIANT_BOOL activate) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(VARIANT_BOOL activate) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(long left, long top, long right, long bottom, IUnknown* window,
                                         VARIANT_BOOL frameWindow) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(DWORD_PTR hwnd, DWORD message, DWORD_PTR wParam, DWORD_PTR lParam,
                                                 BSTR commandGroup, DWORD commandId, HRESULT* result) override;
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(BSTR* key, DWORD reserved) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IUnknown* dropTarget, IUnknown** replacement) override;
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override;
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, BSTR urlIn, BSTR* urlOut) override;
  HRESULT STDMETHODCALLTYPE FilterDataObject(IUnknown* dataObject, IUnknown** replacement) override;

 private:
  explicit PageUIHandler(HWND mainWindow) : mainWindow_(mainWindow) {}
  ~PageUIHandler() = default;

  LONG refs_ = 1;
  winlib::ComPtr<PageExternal> external_;
  HWND mainWindow_;
};
