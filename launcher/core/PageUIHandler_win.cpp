#include "launcher/core/PageUIHandler_win.h"

#include <mshtmhst.h>

winlib::ComPtr<PageUIHandler> PageUIHandler::Create(HWND mainWindow) {
  return winlib::ComPtr<PageUIHandler>(new PageUIHandler(mainWindow));
}

HRESULT PageUIHandler::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == winlib::IID_IBrowserUIHandler) {
    *object = static_cast<winlib::IBrowserUIHandler*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG PageUIHandler::AddRef() { return ::InterlockedIncrement(&refs_); }

ULONG PageUIHandler::Release() {
  LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;  // lets go of the last external object with it
  return left;
}

// The host calls the handler through its vtable; there is no type library to script it.
HRESULT PageUIHandler::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT PageUIHandler::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT PageUIHandler::GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID, DISPID* ids) {
  if (ids != nullptr) {
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT PageUIHandler::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return DISP_E_MEMBERNOTFOUND;
}

HRESULT PageUIHandler::ShowContextMenu(DWORD, DWORD, DWORD, IUnknown*, IDispatch*, HRESULT* result) {
  if (result != nullptr) *result = S_FALSE;  // the browser's own menu
  return S_OK;
}

HRESULT PageUIHandler::GetHostInfo(DWORD* flags, DWORD* doubleClick) {
  if (flags != nullptr) *flags |= DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
  if (doubleClick != nullptr) *doubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  return S_OK;
}

HRESULT PageUIHandler::ShowUI(DWORD, IUnknown*, IUnknown*, IUnknown*, IUnknown*, HRESULT*) { return S_OK; }
HRESULT PageUIHandler::HideUI() { return S_OK; }
HRESULT PageUIHandler::UpdateUI() { return S_OK; }
HRESULT PageUIHandler::EnableModeless(VARIANT_BOOL) { return S_OK; }
HRESULT PageUIHandler::OnDocWindowActivate(VARIANT_BOOL) { return S_OK; }
HRESULT PageUIHandler::OnFrameWindowActivate(VARIANT_BOOL) { return S_OK; }
HRESULT PageUIHandler::ResizeBorder(long, long, long, long, IUnknown*, VARIANT_BOOL) { return S_OK; }

HRESULT PageUIHandler::TranslateAccelerator(DWORD_PTR, DWORD, DWORD_PTR, DWORD_PTR, BSTR, DWORD, HRESULT*) {
  return S_FALSE;  // keys go to the browser
}

HRESULT PageUIHandler::GetOptionKeyPath(BSTR*, DWORD) { return S_FALSE; }
HRESULT PageUIHandler::GetDropTarget(IUnknown*, IUnknown**) { return S_FALSE; }
HRESULT PageUIHandler::TranslateUrl(DWORD, BSTR, BSTR*) { return S_FALSE; }
HRESULT PageUIHandler::FilterDataObject(IUnknown*, IUnknown**) { return S_FALSE; }

HRESULT PageUIHandler::GetExternal(IDispatch** external) {
  if (external == nullptr) return E_POINTER;
  external_ = PageExternal::Create(mainWindow_);
  *external = external_.AddRefGet();
  return S_OK;
}
