#include <gtest/gtest.h>
#include <windows.h>
#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>

#include <algorithm>

#include <vector>

#include "winlib/AxHost_win.h"
#include "winlib/BrowserSite_win.h"
#include "winlib/Module_win.h"

namespace {

using winlib::ComPtr;

// Reference counting shared by the fakes; the count is what the tests look at.
template <typename Interface>
class Counted : public Interface {
 public:
  LONG refs = 1;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }  // stack objects: never freed
};

// Dispatch objects of the tests: no names, no calls; `Extra` is one more interface answered.
template <typename Interface>
class FakeDispatch : public Counted<Interface> {
 public:
  explicit FakeDispatch(const IID& extra) : extra_(extra) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == extra_) {
      *object = this;
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

 private:
  IID extra_;
};

class FakeExternal final : public FakeDispatch<IDispatch> {
 public:
  FakeExternal() : FakeDispatch(IID_IDispatch) {}
};

// A handler whose answers the test sets; it records what the host passed in.
class FakeUIHandler final : public FakeDispatch<winlib::IBrowserUIHandler> {
 public:
  FakeUIHandler() : FakeDispatch(winlib::IID_IBrowserUIHandler) {}
  HRESULT contextResult = S_OK;
  DWORD addFlags = 0;
  HRESULT showResult = S_FALSE;
  HRESULT acceleratorResult = S_OK;
  IDispatch* external = nullptr;
  DWORD presetFlags = 0xFFFFFFFF;
  HRESULT presetContext = E_FAIL, presetShow = E_FAIL, presetAccelerator = E_FAIL;
  DWORD acceleratorMessage = 0;
  std::wstring translatedFrom;

  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, DWORD, DWORD, IUnknown*, IDispatch*, HRESULT* result) override {
    presetContext = *result;
    *result = contextResult;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetHostInfo(DWORD* flags, DWORD* doubleClick) override {
    presetFlags = *flags;
    *flags |= addFlags;
    *doubleClick = DOCHOSTUIDBLCLK_SHOWPROPERTIES;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IUnknown*, IUnknown*, IUnknown*, IUnknown*, HRESULT* result) override {
    presetShow = *result;
    *result = showResult;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE HideUI() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE UpdateUI() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(VARIANT_BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(VARIANT_BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(VARIANT_BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(long, long, long, long, IUnknown*, VARIANT_BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(DWORD_PTR, DWORD message, DWORD_PTR, DWORD_PTR, BSTR, DWORD,
                                                 HRESULT* result) override {
    acceleratorMessage = message;
    presetAccelerator = *result;
    *result = acceleratorResult;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(BSTR*, DWORD) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE GetDropTarget(IUnknown*, IUnknown**) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** out) override {
    *out = external;
    if (external != nullptr) external->AddRef();
    return external != nullptr ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, BSTR in, BSTR* out) override {
    translatedFrom = in != nullptr ? in : L"";
    *out = ::SysAllocString(L"http://127.0.0.1/translated");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FilterDataObject(IUnknown*, IUnknown**) override { return S_FALSE; }
};

// Stands in for the control's in-place object: consumes Tab, nothing else.
class FakeActiveObject final : public Counted<IOleInPlaceActiveObject> {
 public:
  std::vector<UINT> offered;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceActiveObject) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override {
    offered.push_back(msg->message);
    return msg->message == WM_KEYDOWN && msg->wParam == VK_TAB ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
};

class RecordingListener : public winlib::BrowserEventListener {
 public:
  std::vector<DISPID> events;
  void OnBrowserEvent(DISPID id, DISPPARAMS*) override { events.push_back(id); }
};

void PumpFor(DWORD milliseconds) {
  DWORD end = ::GetTickCount() + milliseconds;
  while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(10);
  }
}

class BrowserHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    winlib::AppModule::Init(::GetModuleHandleA(nullptr));
    ASSERT_TRUE(winlib::RegisterAxHostClass());
    // Child windows only: destroying them is quick, unlike top-level ones under Xvfb.
    static bool parentClass = false;
    if (!parentClass) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = ::DefWindowProcA;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.lpszClassName = "browser.test.parent";
      ::RegisterClassA(&wc);
      parentClass = true;
    }
    if (parent_ == nullptr) {
      parent_ = ::CreateWindowExA(0, "browser.test.parent", "parent", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 800, 600,
                                  nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    }
    ASSERT_NE(parent_, nullptr);
  }
  void TearDown() override {
    winlib::AppModule::Term();
    ::CoUninitialize();
  }

  HWND CreateHost(const char* text) {
    return ::CreateWindowExA(0, winlib::kAxHostClassName, text, WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 400, 300, parent_,
                             nullptr, ::GetModuleHandleA(nullptr), nullptr);
  }

  static HWND parent_;  // kept for the whole run
};

HWND BrowserHostTest::parent_ = nullptr;

TEST_F(BrowserHostTest, SiteHostsTheBrowserAndLetsGoOfEverything) {
  HWND window = CreateHost("");
  ASSERT_NE(window, nullptr);
  ComPtr<winlib::BrowserSite> site = winlib::BrowserSite::Create(window);
  RecordingListener listener;
  site->SetEventListener(&listener);
  ASSERT_EQ(site->CreateBrowser(L"about:blank"), S_OK);
  EXPECT_TRUE(site->HasControl());
  ComPtr<IWebBrowser2> browser = site->Browser();
  ASSERT_TRUE(browser);
  PumpFor(300);
  EXPECT_EQ(site->Navigate(L"about:blank"), S_OK);
  PumpFor(300);
  // The control's own events reach the listener (under Wine the navigation ends in an error).
  EXPECT_NE(std::find(listener.events.begin(), listener.events.end(), DISPID_BEFORENAVIGATE2), listener.events.end());
  browser.Reset();

  site->Close();
  size_t heard = listener.events.size();
  PumpFor(100);
  EXPECT_EQ(listener.events.size(), heard);
  EXPECT_FALSE(site->HasControl());
  EXPECT_FALSE(site->Control());
  // Only our reference is left: the control dropped its client site.
  EXPECT_EQ(site->AddRef(), 2u);
  EXPECT_EQ(site->Release(), 1u);
  site->Close();  // a second teardown does nothing
  ::DestroyWindow(window);
}

TEST_F(BrowserHostTest, HostWindowCreatesTheControlFromItsText) {
  HWND window = CreateHost("about:blank");
  ASSERT_NE(window, nullptr);
  ComPtr<IUnknown> control = winlib::AxGetControl(window);
  ASSERT_TRUE(control);
  ComPtr<IWebBrowser2> browser;
  EXPECT_EQ(control.As(IID_IWebBrowser2, browser), S_OK);

  ComPtr<winlib::IBrowserHostWindow> host;
  ASSERT_EQ(winlib::AxGetHost(window, host), S_OK);
  ComPtr<IWebBrowser2> queried;
  EXPECT_EQ(host->QueryControl(IID_IWebBrowser2, queried.PutVoid()), S_OK);
  EXPECT_EQ(queried.Get(), browser.Get());

  // A host window without a control answers the host but no control.
  HWND empty = CreateHost("");
  EXPECT_FALSE(winlib::AxGetControl(empty));
  ComPtr<winlib::IBrowserHostWindow> emptyHost;
  EXPECT_EQ(winlib::AxGetHost(empty, emptyHost), S_OK);
  ::DestroyWindow(empty);

  // Other windows are no host.
  ComPtr<winlib::IBrowserHostWindow> notHost;
  EXPECT_TRUE(FAILED(winlib::AxGetHost(parent_, notHost)));
  EXPECT_FALSE(notHost);

  host.Reset();
  queried.Reset();
  browser.Reset();
  control.Reset();
  ::DestroyWindow(window);
}

TEST_F(BrowserHostTest, ExternalHandlerShapesTheAnswersAndIsReleasedWithTheWindow) {
  HWND window = CreateHost("about:blank");
  ASSERT_NE(window, nullptr);
  FakeUIHandler handler;
  FakeExternal external;
  handler.addFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;
  handler.external = &external;
  {
    ComPtr<winlib::IBrowserHostWindow> host;
    ASSERT_EQ(winlib::AxGetHost(window, host), S_OK);
    ASSERT_EQ(host->SetExternalUIHandler(&handler), S_OK);
    ComPtr<IDocHostUIHandler> site;
    ASSERT_EQ(host.As(IID_IDocHostUIHandler, site), S_OK);

    DOCHOSTUIINFO info{};
    info.cbSize = sizeof info;
    EXPECT_EQ(site->GetHostInfo(&info), S_OK);
    EXPECT_EQ(handler.presetFlags, 0u);
    EXPECT_EQ(info.dwFlags, static_cast<DWORD>(DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO));
    EXPECT_EQ(info.dwDoubleClick, static_cast<DWORD>(DOCHOSTUIDBLCLK_SHOWPROPERTIES));

    POINT at{5, 6};
    EXPECT_EQ(site->ShowContextMenu(0, &at, nullptr, nullptr), S_OK);
    EXPECT_EQ(handler.presetContext, S_FALSE);
    EXPECT_EQ(site->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_FALSE);
    EXPECT_EQ(handler.presetShow, S_OK);
    MSG key{window, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_EQ(site->TranslateAccelerator(&key, nullptr, 0), S_OK);
    EXPECT_EQ(handler.presetAccelerator, S_FALSE);
    EXPECT_EQ(handler.acceleratorMessage, static_cast<DWORD>(WM_KEYDOWN));

    wchar_t in[] = L"http://127.0.0.1/page";
    LPWSTR out = nullptr;
    EXPECT_EQ(site->TranslateUrl(0, in, &out), S_OK);
    ASSERT_NE(out, nullptr);
    EXPECT_STREQ(out, L"http://127.0.0.1/translated");
    EXPECT_EQ(handler.translatedFrom, L"http://127.0.0.1/page");
    ::CoTaskMemFree(out);

    IDispatch* got = nullptr;
    EXPECT_EQ(site->GetExternal(&got), S_OK);
    EXPECT_EQ(got, &external);
    if (got != nullptr) got->Release();
  }
  EXPECT_EQ(handler.refs, 2);  // the host's own reference
  ::DestroyWindow(window);
  EXPECT_EQ(handler.refs, 1);
  EXPECT_EQ(external.refs, 1);
}

TEST_F(BrowserHostTest, WithoutHandlerTheHostAnswersForItself) {
  HWND window = CreateHost("about:blank");
  ComPtr<winlib::IBrowserHostWindow> host;
  ASSERT_EQ(winlib::AxGetHost(window, host), S_OK);
  ComPtr<IDocHostUIHandler> site;
  ASSERT_EQ(host.As(IID_IDocHostUIHandler, site), S_OK);

  DOCHOSTUIINFO info{};
  info.cbSize = sizeof info;
  info.dwFlags = 0xFF;
  EXPECT_EQ(site->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, 0u);
  EXPECT_EQ(site->ShowContextMenu(0, nullptr, nullptr, nullptr), S_FALSE);
  EXPECT_EQ(site->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(site->TranslateAccelerator(nullptr, nullptr, 0), S_FALSE);

  IDispatch* got = reinterpret_cast<IDispatch*>(1);
  EXPECT_EQ(site->GetExternal(&got), S_FALSE);
  EXPECT_EQ(got, nullptr);
  FakeExternal external;
  EXPECT_EQ(host->SetExternalDispatch(&external), S_OK);
  EXPECT_EQ(site->GetExternal(&got), S_OK);
  EXPECT_EQ(got, &external);
  if (got != nullptr) got->Release();

  site.Reset();
  host.Reset();
  ::DestroyWindow(window);
  EXPECT_EQ(external.refs, 1);
}

TEST_F(BrowserHostTest, ForwardedKeysReachTheControlsActiveObject) {
  HWND window = CreateHost("about:blank");
  ASSERT_NE(window, nullptr);
  FakeActiveObject active;
  {
    ComPtr<winlib::IBrowserHostWindow> host;
    ASSERT_EQ(winlib::AxGetHost(window, host), S_OK);
    ComPtr<IOleInPlaceFrame> frame;
    ASSERT_EQ(host.As(IID_IOleInPlaceFrame, frame), S_OK);
    frame->SetActiveObject(&active, nullptr);
  }
  MSG tab{window, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
  MSG letter{window, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
  EXPECT_NE(::SendMessageA(window, winlib::kForwardMessage, 0, reinterpret_cast<LPARAM>(&tab)), 0);
  EXPECT_EQ(::SendMessageA(window, winlib::kForwardMessage, 0, reinterpret_cast<LPARAM>(&letter)), 0);
  EXPECT_EQ(active.offered.size(), 2u);

  // The main window's filter finds the host through the focused window.
  ::ShowWindow(parent_, SW_SHOWNA);
  ::ShowWindow(window, SW_SHOW);
  ::SetFocus(window);
  PumpFor(50);
  HWND focus = ::GetFocus();
  ASSERT_TRUE(focus == window || ::IsChild(window, focus));
  EXPECT_TRUE(winlib::ForwardToFocusedChild(parent_, &tab));
  EXPECT_FALSE(winlib::ForwardToFocusedChild(parent_, &letter));
  MSG paint{window, WM_PAINT, 0, 0, 0, {0, 0}};
  EXPECT_FALSE(winlib::ForwardToFocusedChild(parent_, &paint));  // neither key nor mouse
  EXPECT_EQ(active.offered.size(), 4u);
  ::ShowWindow(parent_, SW_HIDE);
  ::DestroyWindow(window);
  EXPECT_EQ(active.refs, 1);
}

}  // namespace
