#include "LauncherUnderTest_win.h"

#include <commctrl.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <objbase.h>

#include "UpdateTestSupport_win.h"
#include "launcher/core/Messages.h"
#include "winlib/OleOwners_win.h"

namespace {

constexpr char kStandInClass[] = "ZorvathClientStandIn";
constexpr char kReportVariable[] = "CLIENT_STAND_IN_REPORT";
constexpr char kQuietList[] = "[LoginUp]\r\nVer=2.6\r\n";

LauncherUnderTest* instance = nullptr;

// Ends the shared window with the test program.
class LauncherEnvironment : public ::testing::Environment {
 public:
  void TearDown() override { LauncherUnderTest::Destroy(); }
};
::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new LauncherEnvironment);

bool IsListFetch(const MSG* msg) { return msg != nullptr && msg->message == UM_RUN_UPDATE && msg->wParam == 0; }

// The server logs a request after it answered, so the launcher can be done with the list
// before its line is there. Waiting for it keeps the line out of the next test's log tail.
bool LoggedListRequest(const AccessLogTail& downloads) {
  const std::string line = "GET /UpdataAll/Updata_Brannock/list.txt 200";
  std::vector<std::string> lines = downloads.WaitForLines(1, 5000);
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

LauncherUnderTest::EntryPointSetup::EntryPointSetup() {
  ::CoInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
}

LauncherUnderTest::EntryPointSetup::~EntryPointSetup() { ::CoUninitialize(); }

LauncherUnderTest& LauncherUnderTest::Get() {
  if (instance == nullptr) instance = new LauncherUnderTest;
  return *instance;
}

void LauncherUnderTest::Destroy() {
  delete instance;
  instance = nullptr;
}

LauncherUnderTest::LauncherUnderTest()
    : directory_(TestProgramDirectory()),
      reportPath_(scratch_ / "client-report.txt"),
      window_(new LauncherWindow),
      probe_(*window_) {
  // Leftovers of an earlier run would change what the launcher decides.
  EndStandIns(5000);
  for (const char* sub : {"Data", "Map", "Wav"}) ::CreateDirectoryA((directory_ + sub).c_str(), nullptr);
  ::DeleteFileA(LocalRecordPath().c_str());
  ::SetEnvironmentVariableA(kReportVariable, reportPath_.c_str());
  WriteSiteUpdateList(kQuietList);
  if (!window_->CreateLauncherWindow()) return;
  ::ShowWindow(Hwnd(), SW_SHOW);
  // An online start opens the login page, which fetches the list.
  WaitForListFetched(20000);
}

LauncherUnderTest::~LauncherUnderTest() {
  EndStandIns(5000);
  if (::IsWindow(window_->Hwnd())) ::DestroyWindow(window_->Hwnd());
  window_.reset();
  ::SetEnvironmentVariableA(kReportVariable, nullptr);
}

bool LauncherUnderTest::WaitForListFetched(DWORD timeoutMs) { return Loop().PumpUntil(IsListFetch, timeoutMs); }

bool LauncherUnderTest::PublishList(const std::string& listText, LPARAM reopen) {
  if (!WriteSiteUpdateList(listText)) return false;
  AccessLogTail downloads("downloads.log");
  ::PostMessageA(Hwnd(), UM_LOGIN_PAGE, 0, reopen);
  if (!WaitForListFetched(20000) || !LoggedListRequest(downloads)) return false;
  std::string fetched;
  return ReadWholeFile(probe_.UpdateListPath(), fetched) && fetched == listText;
}

HRESULT LauncherUnderTest::Login(const std::vector<std::wstring>& arguments) {
  PageUIHandler* handler = probe_.UIHandler();
  if (handler == nullptr) return E_POINTER;
  winlib::ComPtr<IDispatch> external;
  HRESULT hr = handler->GetExternal(external.Put());
  if (FAILED(hr)) return hr;
  wchar_t name[] = L"LoginGameClient";
  LPOLESTR names[] = {name};
  DISPID id = DISPID_UNKNOWN;
  hr = external->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  // Script arguments arrive last first.
  std::vector<winlib::UniqueVariant> values(arguments.size());
  std::vector<VARIANT> rgvarg(arguments.size());
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    VARIANT* v = values[i].Get();
    v->vt = VT_BSTR;
    v->bstrVal = ::SysAllocString(arguments[i].c_str());
    rgvarg[arguments.size() - 1 - i] = *v;
  }
  DISPPARAMS params{rgvarg.data(), nullptr, static_cast<UINT>(rgvarg.size()), 0};
  return external->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

HRESULT LauncherUnderTest::Login(const std::wstring& serverId) {
  return Login({L"player01", L"127.0.0.1", L"8000", L"42", L"five", L"token-six", serverId});
}

bool LauncherUnderTest::WaitForClientStart(std::string& report, DWORD timeoutMs) {
  bool started =
      Loop().PumpUntil([&] { return !::IsWindowVisible(Hwnd()) && ReadWholeFile(reportPath_, report); }, timeoutMs);
  ::DeleteFileA(reportPath_.c_str());
  return started;
}

bool LauncherUnderTest::EndClientAndReturn(DWORD timeoutMs) {
  AccessLogTail downloads("downloads.log");
  if (!EndStandIns(timeoutMs)) return false;
  bool shown = false;
  return Loop().PumpUntil(
             [&](const MSG* msg) {
               if (::IsWindowVisible(Hwnd())) shown = true;
               return shown && IsListFetch(msg);
             },
             timeoutMs) &&
         LoggedListRequest(downloads);
}

std::string ReportValue(const std::string& report, const std::string& key) {
  std::string lines = "\n" + report;
  std::size_t at = lines.find("\n" + key + "=");
  if (at == std::string::npos) return "(absent)";
  std::size_t start = at + key.size() + 2;
  return lines.substr(start, lines.find('\n', start) - start);
}

int CountStandIns() {
  int n = 0;
  for (HWND w = nullptr; (w = ::FindWindowExA(HWND_MESSAGE, w, kStandInClass, nullptr)) != nullptr;) ++n;
  return n;
}

bool EndStandIns(DWORD timeoutMs) {
  for (HWND w = nullptr; (w = ::FindWindowExA(HWND_MESSAGE, w, kStandInClass, nullptr)) != nullptr;) {
    ::PostMessageA(w, WM_CLOSE, 0, 0);
  }
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (CountStandIns() != 0) {
    if (::GetTickCount64() >= deadline) return false;
    ::Sleep(20);
  }
  return true;
}

std::unique_ptr<StartedProcess> StartOtherClient(const std::string& reportPath, std::string& report) {
  char previous[MAX_PATH] = {};
  ::GetEnvironmentVariableA(kReportVariable, previous, sizeof previous);
  ::SetEnvironmentVariableA(kReportVariable, reportPath.c_str());
  std::unique_ptr<StartedProcess> client(new StartedProcess(TestProgramDirectory() + "Client.exe", {}));
  ::SetEnvironmentVariableA(kReportVariable, previous[0] != '\0' ? previous : nullptr);
  for (int i = 0; client->Started() && i < 250 && !ReadWholeFile(reportPath, report); ++i) ::Sleep(20);
  return client;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button)
    : button_(button), stop_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  thread_.Reset(::CreateThread(nullptr, 0, &MessageBoxAnswerer::Run, this, 0, nullptr));
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  ::SetEvent(stop_.Get());
  if (thread_) ::WaitForSingleObject(thread_.Get(), 5000);
}

bool MessageBoxAnswerer::Answered(DWORD timeoutMs) {
  if (!thread_ || ::WaitForSingleObject(thread_.Get(), timeoutMs) != WAIT_OBJECT_0) return false;
  return answered_;
}

namespace {

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<BoxSearch*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  char cls[16] = {};
  ::GetClassNameA(hwnd, cls, sizeof cls);
  if (owner != search->processId || !::IsWindowVisible(hwnd) || lstrcmpA(cls, "#32770") != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[512] = {};
  if (hwnd != nullptr) ::GetWindowTextW(hwnd, text, 512);
  return text;
}

}  // namespace

DWORD WINAPI MessageBoxAnswerer::Run(void* self) {
  auto* answerer = static_cast<MessageBoxAnswerer*>(self);
  for (;;) {
    BoxSearch search{::GetCurrentProcessId(), nullptr};
    ::EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      answerer->caption_ = TextOf(search.found);
      answerer->text_ = TextOf(::GetDlgItem(search.found, 0xFFFF));  // the box's text control
      ::PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(answerer->button_, BN_CLICKED), 0);
      answerer->answered_ = true;
      return 0;
    }
    if (::WaitForSingleObject(answerer->stop_.Get(), 20) == WAIT_OBJECT_0) return 0;
  }
}
