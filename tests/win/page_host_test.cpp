#include <gtest/gtest.h>
#include <windows.h>
#include <mshtmhst.h>

#include <string>
#include <vector>

#include "launcher/core/LoginArguments.h"
#include "launcher/core/Messages.h"
#include "launcher/core/PageExternal_win.h"
#include "launcher/core/PageHost_win.h"
#include "launcher/core/PageUIHandler_win.h"
#include "winlib/AxHost_win.h"
#include "winlib/Module_win.h"
#include "winlib/OleOwners_win.h"

namespace {

using winlib::ComPtr;
using Strings = std::vector<std::wstring>;

// Stands in for the main window: keeps a copy of every login it is sent.
std::vector<Strings> logins;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_PAGE_LOGIN) {
    const auto* arguments = reinterpret_cast<const LoginArguments*>(lParam);
    Strings copy;
    for (const wchar_t* value : arguments->Values) copy.push_back(value);
    logins.push_back(copy);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND CreateReceiver() {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"page.test.receiver";
    registered = ::RegisterClassW(&wc) != 0;
  }
  return ::CreateWindowExW(0, L"page.test.receiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           ::GetModuleHandleW(nullptr), nullptr);
}

// Script arguments handed over in script order; the engine passes them last first.
class ScriptCall {
 public:
  explicit ScriptCall(const std::vector<VARIANT>& inScriptOrder) : raw_(inScriptOrder.rbegin(), inScriptOrder.rend()) {
    params_.rgvarg = raw_.empty() ? nullptr : raw_.data();
    params_.cArgs = static_cast<UINT>(raw_.size());
  }
  ~ScriptCall() {
    for (VARIANT& v : raw_) ::VariantClear(&v);
  }
  ScriptCall(const ScriptCall&) = delete;
  ScriptCall& operator=(const ScriptCall&) = delete;
  DISPPARAMS* Params() { return &params_; }

 private:
  std::vector<VARIANT> raw_;  // owned
  DISPPARAMS params_{};
};

VARIANT Text(const wchar_t* s) {
  VARIANT v;
  v.vt = VT_BSTR;
  v.bstrVal = ::SysAllocString(s);
  return v;
}

VARIANT Number(LONG n) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = n;
  return v;
}

std::vector<VARIANT> Texts(std::initializer_list<const wchar_t*> list) {
  std::vector<VARIANT> out;
  for (const wchar_t* s : list) out.push_back(Text(s));
  return out;
}

HRESULT CallMethod(IDispatch* external, ScriptCall& call, DISPID id = 1, WORD flags = DISPATCH_METHOD,
                   UINT* argumentError = nullptr) {
  return external->Invoke(id, IID_NULL, 0, flags, call.Params(), nullptr, nullptr, argumentError);
}

class PageHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    winlib::AppModule::Init(::GetModuleHandleA(nullptr));
    winlib::RegisterAxHostClass();
    logins.clear();
    receiver_ = CreateReceiver();
    ASSERT_NE(receiver_, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(receiver_)) ::DestroyWindow(receiver_);
    winlib::AppModule::Term();
    ::CoUninitialize();
  }
  HWND receiver_ = nullptr;
};

TEST_F(PageHostTest, ExternalObjectKnowsOnlyTheExactMethodName) {
  ComPtr<PageExternal> external = PageExternal::Create(receiver_);
  struct Case {
    std::vector<const wchar_t*> names;
    HRESULT result;
    std::vector<DISPID> ids;  // 99 = left untouched
  } cases[] = {
      {{L"LoginGameClient"}, S_OK, {1}},
      {{L"logingameclient"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN}},
      {{L"Other", L"LoginGameClient", L"Third"}, S_OK, {DISPID_UNKNOWN, 1, 99}},
      {{L"LoginGameClient", L"Other"}, S_OK, {1, 99}},
      {{L"Other", L"LOGINGAMECLIENT"}, DISP_E_UNKNOWNNAME, {DISPID_UNKNOWN, DISPID_UNKNOWN}},
  };
  for (const Case& c : cases) {
    std::vector<DISPID> ids(c.names.size(), 99);
    std::vector<LPOLESTR> names;
    for (const wchar_t* n : c.names) names.push_back(const_cast<LPOLESTR>(n));
    EXPECT_EQ(external->GetIDsOfNames(IID_NULL, names.data(), static_cast<UINT>(names.size()), 0, ids.data()), c.result)
        << c.names[0];
    EXPECT_EQ(ids, c.ids) << c.names[0];
  }
  DISPID none = 99;
  EXPECT_EQ(external->GetIDsOfNames(IID_NULL, nullptr, 0, 0, &none), S_FALSE);

  UINT count = 5;
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(external->GetTypeInfoCount(&count), E_NOTIMPL);
  EXPECT_EQ(external->GetTypeInfo(0, 0, &info), E_NOTIMPL);
  ComPtr<IUnknown> unknown;
  EXPECT_EQ(external.As(IID_IUnknown, unknown), S_OK);
  ComPtr<IDocHostUIHandler> notThat;
  EXPECT_EQ(external.As(IID_IDocHostUIHandler, notThat), E_NOINTERFACE);
}

TEST_F(PageHostTest, LoginCallSendsTheLastSevenTextsInScriptOrder) {
  ComPtr<PageExternal> external = PageExternal::Create(receiver_);
  {
    ScriptCall seven(Texts({L"a1", L"a2", L"a3", L"a4", L"a5", L"a6", L"s7"}));
    EXPECT_EQ(CallMethod(external.Get(), seven), S_OK);
  }
  {
    ScriptCall eight(Texts({L"dropped", L"b1", L"b2", L"b3", L"b4", L"b5", L"b6", L"s8"}));
    EXPECT_EQ(CallMethod(external.Get(), eight), S_OK);
  }
  {
    // Not strings: taken in their text form.
    std::vector<VARIANT> mixed = Texts({L"c1", L"127.0.0.1"});
    mixed.push_back(Number(8000));
    mixed.push_back(Number(-5));
    VARIANT empty;
    ::VariantInit(&empty);
    mixed.push_back(empty);
    mixed.push_back(Text(L"c6"));
    VARIANT nullText;
    nullText.vt = VT_BSTR;
    nullText.bstrVal = nullptr;
    mixed.push_back(nullText);
    ScriptCall call(mixed);
    EXPECT_EQ(CallMethod(external.Get(), call), S_OK);
  }
  ASSERT_EQ(logins.size(), 3u);
  EXPECT_EQ(logins[0], (Strings{L"a1", L"a2", L"a3", L"a4", L"a5", L"a6", L"s7"}));
  EXPECT_EQ(logins[1], (Strings{L"b1", L"b2", L"b3", L"b4", L"b5", L"b6", L"s8"}));
  EXPECT_EQ(logins[2], (Strings{L"c1", L"127.0.0.1", L"8000", L"-5", L"", L"c6", L""}));
}

TEST_F(PageHostTest, LoginCallsThatDoNothing) {
  ComPtr<PageExternal> external = PageExternal::Create(receiver_);
  EXPECT_EQ(external->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), E_INVALIDARG);

  ScriptCall six(Texts({L"1", L"2", L"3", L"4", L"5", L"6"}));
  EXPECT_EQ(CallMethod(external.Get(), six), S_FALSE);
  ScriptCall none(std::vector<VARIANT>{});
  EXPECT_EQ(CallMethod(external.Get(), none), S_FALSE);

  ScriptCall seven(Texts({L"1", L"2", L"3", L"4", L"5", L"6", L"7"}));
  EXPECT_EQ(CallMethod(external.Get(), seven, 1, DISPATCH_PROPERTYGET), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(CallMethod(external.Get(), seven, 2), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(CallMethod(external.Get(), seven, 1, DISPATCH_METHOD | DISPATCH_PROPERTYGET), S_OK);  // scripts do this
  ASSERT_EQ(logins.size(), 1u);
  logins.clear();

  // A value with no text form refuses the call and names the argument.
  std::vector<VARIANT> withNull = Texts({L"1", L"2", L"3", L"4", L"5", L"6"});
  VARIANT null;
  null.vt = VT_NULL;
  withNull.insert(withNull.begin() + 2, null);
  ScriptCall refused(withNull);
  UINT argumentError = 99;
  EXPECT_EQ(CallMethod(external.Get(), refused, 1, DISPATCH_METHOD, &argumentError), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argumentError, 4u);  // third in script order, fifth from the end
  EXPECT_TRUE(logins.empty());

  ::DestroyWindow(receiver_);
  EXPECT_EQ(CallMethod(external.Get(), seven), S_OK);
  EXPECT_TRUE(logins.empty());
}

TEST_F(PageHostTest, UIHandlerShapesTheFrame) {
  ComPtr<PageUIHandler> handler = PageUIHandler::Create(receiver_);
  ComPtr<IDispatch> asDispatch;
  ComPtr<winlib::IBrowserUIHandler> asHandler;
  ComPtr<IDocHostUIHandler> native;
  EXPECT_EQ(handler.As(IID_IDispatch, asDispatch), S_OK);
  EXPECT_EQ(handler.As(winlib::IID_IBrowserUIHandler, asHandler), S_OK);
  EXPECT_EQ(handler.As(IID_IDocHostUIHandler, native), E_NOINTERFACE);

  DWORD flags = DOCHOSTUIFLAG_DIALOG;
  DWORD doubleClick = DOCHOSTUIDBLCLK_SHOWCODE;
  EXPECT_EQ(handler->GetHostInfo(&flags, &doubleClick), S_OK);
  EXPECT_EQ(flags, static_cast<DWORD>(DOCHOSTUIFLAG_DIALOG | 4 | 8));
  EXPECT_EQ(doubleClick, 0u);

  HRESULT result = E_FAIL;
  EXPECT_EQ(handler->ShowContextMenu(0, 1, 2, nullptr, nullptr, &result), S_OK);
  EXPECT_EQ(result, S_FALSE);
  result = E_FAIL;
  EXPECT_EQ(handler->ShowUI(0, nullptr, nullptr, nullptr, nullptr, &result), S_OK);
  EXPECT_EQ(result, E_FAIL) << "left as the host set it";
  EXPECT_EQ(handler->TranslateAccelerator(0, WM_KEYDOWN, VK_TAB, 0, nullptr, 0, &result), S_FALSE);
  EXPECT_EQ(result, E_FAIL);
  EXPECT_EQ(handler->HideUI(), S_OK);
  EXPECT_EQ(handler->UpdateUI(), S_OK);
  EXPECT_EQ(handler->EnableModeless(VARIANT_TRUE), S_OK);
  EXPECT_EQ(handler->OnDocWindowActivate(VARIANT_TRUE), S_OK);
  EXPECT_EQ(handler->OnFrameWindowActivate(VARIANT_TRUE), S_OK);
  EXPECT_EQ(handler->ResizeBorder(0, 0, 1, 1, nullptr, VARIANT_TRUE), S_OK);
  BSTR key = nullptr;
  IUnknown* replacement = nullptr;
  BSTR url = nullptr;
  EXPECT_EQ(handler->GetOptionKeyPath(&key, 0), S_FALSE);
  EXPECT_EQ(handler->GetDropTarget(nullptr, &replacement), S_FALSE);
  EXPECT_EQ(handler->TranslateUrl(0, nullptr, &url), S_FALSE);
  EXPECT_EQ(handler->FilterDataObject(nullptr, &replacement), S_FALSE);
  EXPECT_EQ(key, nullptr);
  EXPECT_EQ(replacement, nullptr);
  EXPECT_EQ(url, nullptr);
}

TEST_F(PageHostTest, EachGetExternalMakesANewObjectAndTheHandlerKeepsTheLast) {
  ComPtr<PageUIHandler> handler = PageUIHandler::Create(receiver_);
  ComPtr<IDispatch> first;
  ComPtr<IDispatch> second;
  EXPECT_EQ(handler->GetExternal(first.Put()), S_OK);
  EXPECT_EQ(handler->GetExternal(second.Put()), S_OK);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first.Get(), second.Get());
  EXPECT_EQ(static_cast<IDispatch*>(handler->LastExternal()), second.Get());
  // first: ours only; second: ours and the handler's.
  EXPECT_EQ(first->AddRef(), 2u);
  first->Release();
  EXPECT_EQ(second->AddRef(), 3u);
  second->Release();
  handler.Reset();
  EXPECT_EQ(second->AddRef(), 2u);
  second->Release();

  ScriptCall seven(Texts({L"1", L"2", L"3", L"4", L"5", L"6", L"7"}));
  EXPECT_EQ(CallMethod(second.Get(), seven), S_OK);
  EXPECT_EQ(logins.size(), 1u) << "the external object is bound to the main window";
}

TEST_F(PageHostTest, PageHostOnTheBrowserControl) {
  HWND main = ::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 1024, 640, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(main, nullptr);
  HWND host = CreateBrowserHost(main);
  ASSERT_NE(host, nullptr);
  EXPECT_FALSE(::IsWindowVisible(host));
  EXPECT_EQ(::GetParent(host), main);
  ComPtr<IWebBrowser2> browser = HostedBrowser(host);
  ASSERT_TRUE(browser);

  ComPtr<PageUIHandler> handler = PageUIHandler::Create(receiver_);
  EXPECT_TRUE(AttachPageUIHandler(host, handler.Get()));
  EXPECT_FALSE(AttachPageUIHandler(main, handler.Get()));

  // Wine's control never asks for these: play its part.
  ComPtr<winlib::IBrowserHostWindow> hostWindow;
  ASSERT_EQ(winlib::AxGetHost(host, hostWindow), S_OK);
  ComPtr<IDocHostUIHandler> site;
  ASSERT_EQ(hostWindow.As(IID_IDocHostUIHandler, site), S_OK);
  DOCHOSTUIINFO info{};
  info.cbSize = sizeof info;
  EXPECT_EQ(site->GetHostInfo(&info), S_OK);
  EXPECT_EQ(info.dwFlags, static_cast<DWORD>(DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO));
  EXPECT_EQ(site->ShowUI(0, nullptr, nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(site->ShowContextMenu(0, nullptr, nullptr, nullptr), S_FALSE);
  ComPtr<IDispatch> external;
  ASSERT_EQ(site->GetExternal(external.Put()), S_OK);
  DISPID id = 0;
  LPOLESTR name = const_cast<LPOLESTR>(L"LoginGameClient");
  EXPECT_EQ(external->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
  ScriptCall seven(Texts({L"1", L"2", L"3", L"4", L"5", L"6", L"s9"}));
  EXPECT_EQ(CallMethod(external.Get(), seven, id), S_OK);
  ASSERT_EQ(logins.size(), 1u);
  EXPECT_EQ(logins[0][6], L"s9");

  EXPECT_TRUE(NavigateBrowser(browser.Get(), "about:blank"));
  EXPECT_FALSE(NavigateBrowser(nullptr, "about:blank"));
  // No HTML engine here, so no document: the notice is skipped, quietly.
  EXPECT_FALSE(ShowOfflineNotice(browser.Get()));
  EXPECT_FALSE(ShowOfflineNotice(nullptr));

  external.Reset();
  site.Reset();
  hostWindow.Reset();
  browser.Reset();
  ::DestroyWindow(host);
  // The host let go of the handler with its window.
  EXPECT_EQ(handler->AddRef(), 2u);
  handler->Release();
  ::DestroyWindow(main);
}

}  // namespace
