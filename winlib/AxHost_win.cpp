#include "winlib/AxHost_win.h"

#include <string>

#include "winlib/BrowserSite_win.h"
#include "winlib/Module_win.h"

namespace winlib {

namespace {

UINT getHostMessage = 0;
UINT getControlMessage = 0;

std::wstring WideFromAnsi(const char* text) {
  if (text == nullptr || *text == '\0') return std::wstring();
  int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 1) return std::wstring();
  std::wstring wide(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], n);
  wide.resize(static_cast<size_t>(n - 1));
  return wide;
}

// Creates what the window text names: a class id, a program id, or else an address.
void CreateNamedControl(BrowserSite& site, const std::wstring& name) {
  if (name.empty()) return;
  CLSID clsid{};
  if (name[0] == L'{') {
    if (SUCCEEDED(::CLSIDFromString(name.c_str(), &clsid))) site.CreateControl(clsid);
    return;
  }
  if (name.find(L':') == std::wstring::npos && SUCCEEDED(::CLSIDFromProgID(name.c_str(), &clsid))) {
    site.CreateControl(clsid);
    return;
  }
  site.CreateBrowser(name.c_str());
}

BrowserSite* SiteOf(HWND hwnd) { return reinterpret_cast<BrowserSite*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK AxHostWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  BrowserSite* site = SiteOf(hwnd);
  switch (msg) {
    case WM_CREATE: {
      ComPtr<BrowserSite> created = BrowserSite::Create(hwnd);
      site = created.Detach();  // the window keeps this reference until WM_NCDESTROY
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(site));
      const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      CreateNamedControl(*site, WideFromAnsi(cs->lpszName));
      return 0;
    }
    case WM_SIZE:
      if (site != nullptr) site->FitToWindow();
      break;
    case WM_SETFOCUS:
      if (HWND child = ::GetWindow(hwnd, GW_CHILD)) ::SetFocus(child);
      return 0;
    case kForwardMessage:
      return site != nullptr && site->ForwardKeyboardMessage(reinterpret_cast<MSG*>(lParam)) ? 1 : 0;
    case WM_DESTROY:
      if (site != nullptr) site->Close();
      break;
    case WM_NCDESTROY:
      ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      if (site != nullptr) site->Release();
      break;
    default:
      // Both answers carry a new reference that the caller releases.
      if (msg == getHostMessage && msg != 0) {
        if (site == nullptr) return 0;
        IBrowserHostWindow* host = site;
        host->AddRef();
        return reinterpret_cast<LRESULT>(static_cast<IUnknown*>(host));
      }
      if (msg == getControlMessage && msg != 0) {
        if (site == nullptr) return 0;
        return reinterpret_cast<LRESULT>(site->Control().Detach());
      }
      break;
  }
  return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

UINT AxGetHostMessage() { return getHostMessage; }
UINT AxGetControlMessage() { return getControlMessage; }

bool RegisterAxHostClass() {
  getHostMessage = ::RegisterWindowMessageA("WM_ATLGETHOST");
  getControlMessage = ::RegisterWindowMessageA("WM_ATLGETCONTROL");
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(AppModule::Instance(), kAxHostClassName, &existing)) return true;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &AxHostWindowProc;
  wc.hInstance = AppModule::Instance();
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kAxHostClassName;
  return ::RegisterClassExA(&wc) != 0;
}

HRESULT AxGetHost(HWND host, ComPtr<IBrowserHostWindow>& out) {
  out.Reset();
  if (getHostMessage == 0 || !::IsWindow(host)) return E_FAIL;
  ComPtr<IUnknown> unknown(reinterpret_cast<IUnknown*>(::SendMessageA(host, getHostMessage, 0, 0)));
  if (!unknown) return E_FAIL;
  return unknown.As(IID_IBrowserHostWindow, out);
}

ComPtr<IUnknown> AxGetControl(HWND host) {
  if (getControlMessage == 0 || !::IsWindow(host)) return ComPtr<IUnknown>();
  return ComPtr<IUnknown>(reinterpret_cast<IUnknown*>(::SendMessageA(host, getControlMessage, 0, 0)));
}

bool ForwardToFocusedChild(HWND topLevel, MSG* msg) {
  if (msg == nullptr) return false;
  bool keyboard = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
  bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
  if (!keyboard && !mouse) return false;
  HWND child = ::GetFocus();
  if (child == nullptr || child == topLevel) return false;
  // Climb to the direct child of the top-level window.
  for (HWND parent = ::GetParent(child); parent != topLevel; parent = ::GetParent(child)) {
    if (parent == nullptr) return false;
    child = parent;
  }
  return ::SendMessageA(child, kForwardMessage, 0, reinterpret_cast<LPARAM>(msg)) != 0;
}

}  // namespace winlib
