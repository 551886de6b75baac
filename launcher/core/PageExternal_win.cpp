#include "launcher/core/PageExternal_win.h"

#include <cwchar>

#include "launcher/core/LoginArguments.h"
#include "launcher/core/Messages.h"
#include "winlib/OleOwners_win.h"

winlib::ComPtr<PageExternal> PageExternal::Create(HWND mainWindow) {
  return winlib::ComPtr<PageExternal>(new PageExternal(mainWindow));
}

HRESULT PageExternal::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG PageExternal::AddRef() { return ::InterlockedIncrement(&refs_); }

ULONG PageExternal::Release() {
  LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return left;
}

HRESULT PageExternal::GetTypeInfoCount(UINT* count) {
  if (count != nullptr) *count = 0;
  return E_NOTIMPL;
}

HRESULT PageExternal::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT PageExternal::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count == 0) return S_FALSE;
  if (names == nullptr || ids == nullptr) return E_POINTER;
  HRESULT result = S_OK;
  for (UINT i = 0; i < count; ++i) {
    // Case-sensitive on purpose: the page spells the name exactly.
    if (names[i] != nullptr && std::wcscmp(names[i], L"LoginGameClient") == 0) {
      ids[i] = kLoginGameClientId;
      return S_OK;
    }
    ids[i] = DISPID_UNKNOWN;
    result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

HRESULT PageExternal::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                             UINT* argumentError) {
  if (params == nullptr) return E_INVALIDARG;
  if ((flags & DISPATCH_METHOD) == 0 || id != kLoginGameClientId) return DISP_E_MEMBERNOTFOUND;
  if (params->cArgs < kLoginArgumentCount) return S_FALSE;
  if (params->rgvarg == nullptr) return E_INVALIDARG;
  if (!::IsWindow(mainWindow_)) return S_OK;

  // Arguments arrive last first: the last seven of the call are rgvarg[6] .. rgvarg[0], so
  // argument k is rgvarg[7 - k] however many came before them.
  winlib::UniqueVariant converted[kLoginArgumentCount];
  LoginArguments arguments{};
  for (int k = 1; k <= kLoginArgumentCount; ++k) {
    UINT index = static_cast<UINT>(kLoginArgumentCount - k);
    VARIANT* value = &params->rgvarg[index];
    BSTR text = nullptr;
    if (value->vt == VT_BSTR) {
      text = value->bstrVal;
    } else if (value->vt == (VT_BSTR | VT_BYREF) && value->pbstrVal != nullptr) {
      text = *value->pbstrVal;
    } else {
      // The page passes strings; anything else is taken as its text form.
      VARIANT* holder = converted[k - 1].Get();
      if (FAILED(::VariantChangeType(holder, value, 0, VT_BSTR))) {
        if (argumentError != nullptr) *argumentError = index;
        return DISP_E_TYPEMISMATCH;
      }
      text = holder->bstrVal;
    }
    arguments.Values[k - 1] = text != nullptr ? text : L"";
  }
  ::SendMessageW(mainWindow_, UM_PAGE_LOGIN, 0, reinterpret_cast<LPARAM>(&arguments));
  return S_OK;
}
