#include "launcher/core/PageHost_win.h"

#include <mshtml.h>

#include "winlib/AxHost_win.h"
#include "winlib/Module_win.h"
#include "winlib/OleOwners_win.h"

const wchar_t kOfflineNotice[] = L"网络不通,请确定网络连通!网络连通后将自动跳转到登录页";

HWND CreateBrowserHost(HWND mainWindow) {
  return ::CreateWindowExA(0, winlib::kAxHostClassName, "about:blank", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                           mainWindow, nullptr, winlib::AppModule::Instance(), nullptr);
}

winlib::ComPtr<IWebBrowser2> HostedBrowser(HWND browserHost) {
  winlib::ComPtr<IWebBrowser2> browser;
  winlib::ComPtr<IUnknown> control = winlib::AxGetControl(browserHost);
  if (control) control.As(IID_IWebBrowser2, browser);
  return browser;
}

bool AttachPageUIHandler(HWND browserHost, PageUIHandler* handler) {
  winlib::ComPtr<winlib::IBrowserHostWindow> host;
  if (FAILED(winlib::AxGetHost(browserHost, host))) return false;
  return SUCCEEDED(host->SetExternalUIHandler(handler));
}

bool NavigateBrowser(IWebBrowser2* browser, const std::string& address) {
  if (browser == nullptr) return false;
  winlib::UniqueBstr url = winlib::BstrFromAnsi(address.c_str());
  if (url.Get() == nullptr) return false;
  winlib::UniqueVariant none;
  return SUCCEEDED(browser->Navigate(url.Get(), none.Get(), none.Get(), none.Get(), none.Get()));
}

bool ShowOfflineNotice(IWebBrowser2* browser) {
  if (browser == nullptr) return false;
  winlib::ComPtr<IDispatch> document;
  if (browser->get_Document(document.Put()) != S_OK || !document) return false;
  winlib::ComPtr<IHTMLDocument2> html;
  if (FAILED(document.As(IID_IHTMLDocument2, html))) return false;
  winlib::UniqueSafeArray lines(::SafeArrayCreateVector(VT_VARIANT, 0, 1));
  if (lines.Get() == nullptr) return false;
  winlib::UniqueBstr text(kOfflineNotice);
  if (text.Get() == nullptr) return false;
  VARIANT* items = nullptr;
  if (FAILED(::SafeArrayAccessData(lines.Get(), reinterpret_cast<void**>(&items)))) return false;
  items[0].vt = VT_BSTR;
  items[0].bstrVal = text.Release();  // freed with the array
  ::SafeArrayUnaccessData(lines.Get());
  // Not closed: the text stays as the page's content.
  return SUCCEEDED(html->write(lines.Get()));
}
