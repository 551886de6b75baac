#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <map>
#include <string>
#include <vector>

#include "quote/QuoteResources.h"
#include "quote/RigsheetDlg_win.h"
#include "winlib/ComPtr_win.h"
#include "winlib/Handles_win.h"
#include "winlib/HtmlDialog_win.h"
#include "winlib/Module_win.h"
#include "winlib/Resource_win.h"

// The test program carries rigsheet's resources, so the dialog finds template 102 and its
// page in this module, as it does in rigsheet.exe.
namespace {

using winlib::ComPtr;

const wchar_t kWindowText[] = L"Qelmora电脑装机报价";

std::string ResourceContent(int id, const char* type) {
  winlib::ResourceBytes bytes;
  if (!winlib::FindResourceBytes(::GetModuleHandleW(nullptr), id, type, bytes)) return std::string();
  return std::string(reinterpret_cast<const char*>(bytes.data), bytes.size);
}

std::wstring FromCodePage(UINT codePage, const std::string& bytes) {
  int length =
      ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(length, L'\0');
  if (length > 0) {
    ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
  }
  return text;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[256] = {};
  ::GetWindowTextW(hwnd, text, 256);
  return text;
}

std::wstring ModulePath(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(module, path, MAX_PATH);
  return path;
}

// Pumps what is queued (posted messages included) without waiting.
void PumpMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

class RigsheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    winlib::AppModule::Init(::GetModuleHandleW(nullptr));
  }
  void TearDown() override {
    winlib::AppModule::Term();
    ::OleUninitialize();
  }
};

// ---- resources -------------------------------------------------------------------------

TEST_F(RigsheetTest, PageAndScriptAreGbkAndTheLibraryIsJquery) {
  std::string page = ResourceContent(IDR_HTML_PAGE, RT_HTML);
  std::string library = ResourceContent(IDR_HTML_LIBRARY, RT_HTML);
  std::string script = ResourceContent(IDR_HTML_SCRIPT, RT_HTML);
  ASSERT_FALSE(page.empty());
  ASSERT_FALSE(script.empty());
  EXPECT_NE(page.find("charset=gb2312"), std::string::npos);
  // Read as GBK (code page 936), the texts come out whole; read as UTF-8 they do not.
  EXPECT_NE(FromCodePage(936, page).find(L"Qelmora电脑装机报价软件 1.0"), std::wstring::npos);
  EXPECT_NE(FromCodePage(936, script).find(L"复制成功！现在您可以粘贴【Ctrl+V】到其它地方了。"), std::wstring::npos);
  EXPECT_TRUE(FromCodePage(CP_UTF8, page).empty());
  EXPECT_NE(library.find("jQuery JavaScript Library v1.9.1"), std::string::npos);
  // The page finds its scripts by replacing its own three-digit number.
  EXPECT_NE(page.find("location.href.length - 3"), std::string::npos);
}

TEST_F(RigsheetTest, IconManifestAndVersion) {
  HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_RIGSHEET));
  EXPECT_NE(icon, nullptr);
  std::string manifest = ResourceContent(1, RT_MANIFEST);
  EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
            std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);

  // The version block is read from rigsheet.exe itself, built beside this program.
  std::wstring exe = ModulePath(nullptr);
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"rigsheet.exe";
  DWORD ignored = 0;
  DWORD size = ::GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, size, block.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
  const std::map<std::wstring, std::wstring> strings = {
      {L"ProductName", L"Qelmora电脑装机报价软件"},
      {L"FileDescription", L"rigsheet"},
      {L"OriginalFilename", L"rigsheet.exe"},
      {L"InternalName", L"rigsheet.exe"},
  };
  for (const auto& [name, expected] : strings) {
    wchar_t* value = nullptr;
    std::wstring key = L"\\StringFileInfo\\080404b0\\" + name;
    ASSERT_TRUE(::VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length)) << name.size();
    EXPECT_EQ(std::wstring(value), expected);
  }
}

// The template as stored: an extended template with the exact styles, no menu, class,
// caption or controls, 320 x 352 units at 0, 0, "MS Shell Dlg" 9 points.
TEST_F(RigsheetTest, DialogTemplate102) {
  std::string bytes = ResourceContent(IDD_RIGSHEET, RT_DIALOG);
  ASSERT_GE(bytes.size(), 26u);
  const auto* words = reinterpret_cast<const WORD*>(bytes.data());
  auto dword = [&](size_t offset) { return *reinterpret_cast<const DWORD*>(bytes.data() + offset); };
  EXPECT_EQ(words[0], 1);       // dlgVer
  EXPECT_EQ(words[1], 0xFFFF);  // signature of the extended form
  EXPECT_EQ(dword(8), static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_EQ(dword(12), static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_BORDER | DS_CENTER | DS_SETFONT | DS_FIXEDSYS));
  EXPECT_EQ(words[8], 0);   // no controls
  EXPECT_EQ(words[9], 0);   // x
  EXPECT_EQ(words[10], 0);  // y
  EXPECT_EQ(words[11], 320);
  EXPECT_EQ(words[12], 352);
  EXPECT_EQ(words[13], 0);  // no menu
  EXPECT_EQ(words[14], 0);  // no class of its own
  EXPECT_EQ(words[15], 0);  // no caption
  EXPECT_EQ(words[16], 9);  // points
  const auto* face = reinterpret_cast<const wchar_t*>(words + 19);
  EXPECT_EQ(std::wstring(face), L"MS Shell Dlg");
}

// ---- the window ------------------------------------------------------------------------

// Counts what reaches the empty OK and Cancel, and runs a script inside the modal loop.
class ScriptedDialog : public CRigsheetDlg {
 public:
  static constexpr UINT kRunScript = WM_APP + 7;
  int okCalls = 0;
  int cancelCalls = 0;
  bool openAfterKeys = false;
  bool visibleAfterKeys = false;
  HWND pageWindow = nullptr;

 protected:
  BOOL OnInitDialog() override {
    BOOL result = CRigsheetDlg::OnInitDialog();
    ::PostMessageW(Hwnd(), kRunScript, 0, 0);
    return result;
  }
  void OnOK() override {
    ++okCalls;
    CRigsheetDlg::OnOK();
  }
  void OnCancel() override {
    ++cancelCalls;
    CRigsheetDlg::OnCancel();
  }
  INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == kRunScript) {
      // Keys as the modal loop receives them; Alt+F4 with the context bit of a held Alt.
      ::PostMessageW(Hwnd(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
      // Enter typed into the page is the page's (a price field recomputes the total on it).
      pageWindow = ::GetWindow(Hwnd(), GW_CHILD);
      ::PostMessageW(pageWindow, WM_KEYDOWN, VK_RETURN, 0x001C0001);
      ::PostMessageW(Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      ::PostMessageW(Hwnd(), WM_SYSKEYDOWN, VK_F4, 0x203E0001);
      ::PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
      // Each of those posts further messages (the system command, the close request, the
      // cancel command); a timer fires only once the queue has run dry.
      ::SetTimer(Hwnd(), kRunScript, USER_TIMER_MINIMUM, nullptr);
      return TRUE;
    }
    if (msg == WM_TIMER && wParam == kRunScript) {
      ::KillTimer(Hwnd(), kRunScript);
      openAfterKeys = !Ended() && ::IsWindow(Hwnd());
      visibleAfterKeys = ::IsWindowVisible(Hwnd()) != FALSE;
      OnButtonClose(nullptr);
      return TRUE;
    }
    return CRigsheetDlg::HandleMessage(msg, wParam, lParam);
  }
};

TEST_F(RigsheetTest, EnterEscAndAltF4LeaveItOpenAndTheCloseElementEndsIt) {
  ScriptedDialog dialog;
  INT_PTR result = dialog.DoModal();
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(dialog.openAfterKeys);
  EXPECT_TRUE(dialog.visibleAfterKeys);
  // Enter arrived as OK (once: not from the page); Esc, Alt+F4 and the close request as
  // Cancel; none ended it.
  EXPECT_NE(dialog.pageWindow, nullptr);
  EXPECT_EQ(dialog.okCalls, 1);
  EXPECT_EQ(dialog.cancelCalls, 3);
  EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST_F(RigsheetTest, WindowFromTemplateCentredWithItsTextIconsAndBrowser) {
  CRigsheetDlg dialog;
  HWND hwnd = dialog.Create();
  ASSERT_NE(hwnd, nullptr);
  LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
  LONG exStyle = ::GetWindowLongW(hwnd, GWL_EXSTYLE);
  EXPECT_EQ(style & (WS_POPUP | WS_VISIBLE | WS_BORDER), WS_POPUP | WS_VISIBLE | WS_BORDER);
  EXPECT_EQ(style & (WS_CAPTION & ~WS_BORDER), 0) << "no caption";
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
  EXPECT_EQ(::GetMenu(hwnd), nullptr);

  RECT units{0, 0, 320, 352};
  ::MapDialogRect(hwnd, &units);
  RECT client{};
  ::GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);
  RECT window{};
  ::GetWindowRect(hwnd, &window);
  EXPECT_EQ(window.right - window.left, units.right + 2) << "one-pixel border";
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 1);

  EXPECT_EQ(WindowText(hwnd), kWindowText);
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_BIG, 0)), dialog.Icon());
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(hwnd, WM_GETICON, ICON_SMALL, 0)), dialog.Icon());
  EXPECT_NE(dialog.Icon(), nullptr);

  // The browser control was created in place over the client area.
  ASSERT_NE(dialog.Site(), nullptr);
  EXPECT_TRUE(dialog.Site()->HasControl());
  HWND child = ::GetWindow(hwnd, GW_CHILD);
  ASSERT_NE(child, nullptr);
  RECT childRect{};
  ::GetWindowRect(child, &childRect);
  ::MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&childRect), 2);
  EXPECT_EQ(childRect.left, 0);
  EXPECT_EQ(childRect.top, 0);
  EXPECT_EQ(childRect.right, client.right);
  EXPECT_EQ(childRect.bottom, client.bottom);
  std::printf("client area %ldx%ld\n", client.right, client.bottom);

  // Element handlers called directly: a move loop is requested, the window minimises.
  MSG stale;
  while (::PeekMessageW(&stale, hwnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE)) {
  }
  EXPECT_EQ(dialog.OnButtonMove(nullptr), S_OK);
  MSG posted{};
  ASSERT_TRUE(::PeekMessageW(&posted, hwnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
  EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(posted.lParam, 0);

  EXPECT_EQ(dialog.OnButtonMix(nullptr), S_OK);
  PumpMessages();
  EXPECT_TRUE(::IsIconic(hwnd));
  ::ShowWindow(hwnd, SW_RESTORE);
  EXPECT_FALSE(::IsIconic(hwnd));
  EXPECT_FALSE(dialog.Ended());

  EXPECT_EQ(dialog.OnButtonClose(nullptr), S_OK);
  EXPECT_TRUE(dialog.Ended());
  EXPECT_FALSE(::IsWindowVisible(hwnd));
}

// ---- the element-event map ---------------------------------------------------------------

// Dispatch objects on the stack with a visible reference count.
template <typename Interface>
class Counted : public Interface {
 public:
  LONG refs = 1;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
};

// A page element: knows the two event properties and keeps what is put into them.
class FakeElement final : public Counted<IDispatch> {
 public:
  static constexpr DISPID kOnClick = 10;
  static constexpr DISPID kOnMouseDown = 11;
  std::map<DISPID, ComPtr<IDispatch>> handlers;

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    std::wstring name = names[0];
    if (name == L"onclick")
      *ids = kOnClick;
    else if (name == L"onmousedown")
      *ids = kOnMouseDown;
    else
      return DISP_E_UNKNOWNNAME;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (flags != DISPATCH_PROPERTYPUT || params->cArgs != 1 || params->cNamedArgs != 1 ||
        params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || params->rgvarg[0].vt != VT_DISPATCH) {
      return DISP_E_BADPARAMCOUNT;
    }
    params->rgvarg[0].pdispVal->AddRef();
    handlers[id].Reset(params->rgvarg[0].pdispVal);
    return S_OK;
  }
  // What the engine does when the event fires: call the handler's default member.
  HRESULT Fire(DISPID event) {
    auto it = handlers.find(event);
    if (it == handlers.end()) return E_FAIL;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT result;
    ::VariantInit(&result);
    return it->second->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr,
                              nullptr);
  }
};

// A document answering getElementById for the elements it holds.
class FakeDocument final : public Counted<IDispatch> {
 public:
  static constexpr DISPID kGetElementById = 1;
  std::map<std::wstring, FakeElement*> elements;

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    if (std::wstring(names[0]) != L"getElementById") return DISP_E_UNKNOWNNAME;
    *ids = kGetElementById;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id != kGetElementById || params->cArgs != 1 || params->rgvarg[0].vt != VT_BSTR) return DISP_E_MEMBERNOTFOUND;
    auto it = elements.find(params->rgvarg[0].bstrVal);
    if (it == elements.end()) {
      result->vt = VT_NULL;  // what the engine answers for a missing id
      return S_OK;
    }
    it->second->AddRef();
    result->vt = VT_DISPATCH;
    result->pdispVal = it->second;
    return S_OK;
  }
};

TEST_F(RigsheetTest, ElementEventMapBindsTheThreeElementsToTheirHandlers) {
  FakeElement move, mix, close;
  FakeDocument document;
  document.elements = {{L"ButtonMove", &move}, {L"ButtonMix", &mix}, {L"ButtonClose", &close}};
  {
    CRigsheetDlg dialog;
    HWND hwnd = dialog.Create();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(dialog.BindElementEvents(&document), 3);
    // Each element got its handler on the mapped event, and only there.
    EXPECT_EQ(move.handlers.size(), 1u);
    EXPECT_EQ(move.handlers.count(FakeElement::kOnMouseDown), 1u);
    EXPECT_EQ(mix.handlers.count(FakeElement::kOnClick), 1u);
    EXPECT_EQ(close.handlers.count(FakeElement::kOnClick), 1u);

    EXPECT_EQ(move.Fire(FakeElement::kOnMouseDown), S_OK);
    MSG posted{};
    EXPECT_TRUE(::PeekMessageW(&posted, hwnd, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>(HTCAPTION));

    EXPECT_EQ(mix.Fire(FakeElement::kOnClick), S_OK);
    EXPECT_TRUE(::IsIconic(hwnd));
    EXPECT_FALSE(dialog.Ended());

    EXPECT_EQ(close.Fire(FakeElement::kOnClick), S_OK);
    EXPECT_TRUE(dialog.Ended());

    ::DestroyWindow(hwnd);
    // After the window is gone a late event reaches nobody, and the handlers no longer hold
    // the elements (the element-handler cycle is broken).
    EXPECT_EQ(mix.Fire(FakeElement::kOnClick), S_OK);
    EXPECT_EQ(move.refs, 1);
    EXPECT_EQ(mix.refs, 1);
    EXPECT_EQ(close.refs, 1);
  }
  for (FakeElement* element : {&move, &mix, &close}) element->handlers.clear();
  EXPECT_EQ(document.refs, 1);
}

TEST_F(RigsheetTest, ElementsMissingFromThePageAreSkipped) {
  FakeElement close;
  FakeDocument document;
  document.elements = {{L"ButtonClose", &close}};
  CRigsheetDlg dialog;
  ASSERT_NE(dialog.Create(), nullptr);
  EXPECT_EQ(dialog.BindElementEvents(&document), 1);
  EXPECT_EQ(dialog.BindElementEvents(nullptr), 0);
  // Binding again (or to nothing) lets go of the previous handlers.
  EXPECT_EQ(close.refs, 1);
  ::DestroyWindow(dialog.Hwnd());
}

TEST_F(RigsheetTest, PageAddressIsTheModulePathAndResource104) {
  std::wstring address = winlib::HtmlDialog::ResourceAddress(::GetModuleHandleW(nullptr), IDR_HTML_PAGE);
  EXPECT_EQ(address, L"res://" + ModulePath(nullptr) + L"/104");
}

// ---- the program -----------------------------------------------------------------------

struct WindowSearch {
  DWORD processId;
  HWND found;
};

HWND FindProcessWindow(DWORD processId) {
  WindowSearch search{processId, nullptr};
  ::EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<WindowSearch*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s->processId || !::IsWindowVisible(hwnd) || WindowText(hwnd) != kWindowText) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

TEST_F(RigsheetTest, ProgramShowsItsWindowAndIgnoresCloseRequests) {
  std::wstring exe = ModulePath(nullptr);
  exe = exe.substr(0, exe.find_last_of(L'\\') + 1) + L"rigsheet.exe";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  ASSERT_TRUE(
      ::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  winlib::UniqueKernelHandle process(info.hProcess);
  winlib::UniqueKernelHandle thread(info.hThread);
  HWND window = nullptr;
  for (int i = 0; i < 200 && window == nullptr; ++i) {
    if (::WaitForSingleObject(process.Get(), 50) == WAIT_OBJECT_0) break;
    window = FindProcessWindow(info.dwProcessId);
  }
  ASSERT_NE(window, nullptr) << "no window titled with the window text";
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  EXPECT_EQ(std::wstring(className), L"#32770");
  // Its message loop answers (an icon handle does not cross processes under Wine, so the
  // icons are checked in-process above).
  DWORD_PTR answer = 0;
  EXPECT_NE(::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &answer), 0);

  // The system's close request arrives as a cancel, which does nothing.
  ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(::WaitForSingleObject(process.Get(), 1000), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_TRUE(::IsWindow(window));
  ::TerminateProcess(process.Get(), 0);
  ::WaitForSingleObject(process.Get(), 5000);
}

}  // namespace
