#include "tools/demo/PagePlayer_win.h"

#include <oleauto.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "launcher/core/LoginArguments.h"
#include "launcher/core/PageUIHandler_win.h"
#include "winlib/ComPtr_win.h"
#include "winlib/Handles_win.h"

namespace {

// The seven values are kept in one variable, separated by a character no value holds.
constexpr wchar_t kValuesVariable[] = L"LOGINTARN_PLAYER_LOGIN";
constexpr wchar_t kDelayVariable[] = L"LOGINTARN_PLAYER_DELAY";
constexpr wchar_t kLoginsVariable[] = L"LOGINTARN_PLAYER_LOGINS";
constexpr wchar_t kAnswerVariable[] = L"LOGINTARN_PLAYER_ANSWER";
constexpr wchar_t kSeparator = L'\x1F';
constexpr UINT kDefaultDelayMs = 3000;

std::wstring Variable(const wchar_t* name) {
  wchar_t value[4096] = {};
  DWORD n = ::GetEnvironmentVariableW(name, value, 4096);
  return n > 0 && n < 4096 ? std::wstring(value, n) : std::wstring();
}

// Moves the player's options from the command line into the environment before the
// launcher starts; runs once, at program start.
bool ReadCommandLine() {
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (argv == nullptr) return false;
  for (int i = 1; i < count; ++i) {
    std::wstring option = argv[i];
    if (option == L"--login" && i + kLoginArgumentCount < count) {
      std::wstring joined;
      for (int k = 1; k <= kLoginArgumentCount; ++k) {
        if (k > 1) joined += kSeparator;
        joined += argv[i + k];
      }
      ::SetEnvironmentVariableW(kValuesVariable, joined.c_str());
      i += kLoginArgumentCount;
    } else if (option == L"--delay" && i + 1 < count) {
      ::SetEnvironmentVariableW(kDelayVariable, argv[++i]);
    } else if (option == L"--logins" && i + 1 < count) {
      ::SetEnvironmentVariableW(kLoginsVariable, argv[++i]);
    } else if (option == L"--answer" && i + 1 < count) {
      ::SetEnvironmentVariableW(kAnswerVariable, argv[++i]);
    }
  }
  ::LocalFree(argv);
  return true;
}
const bool commandLineRead = ReadCommandLine();

struct PlayerState {
  HWND mainWindow = nullptr;
  PageUIHandler* handler = nullptr;
  UINT_PTR timer = 0;
  int loginsLeft = -1;  // read from the environment at the first opening
  bool answering = false;
};
PlayerState player;

std::vector<std::wstring> LoginValues() {
  std::vector<std::wstring> values;
  std::wstring all = Variable(kValuesVariable);
  if (all.empty()) return values;
  size_t start = 0;
  for (;;) {
    size_t end = all.find(kSeparator, start);
    values.push_back(all.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return values;
}

// Does what the page's script does: window.external.LoginGameClient(v1, ..., v7).
void CallLoginGameClient(PageUIHandler* handler, const std::vector<std::wstring>& values) {
  winlib::ComPtr<IDispatch> external;
  if (FAILED(handler->GetExternal(external.Put())) || !external) return;
  wchar_t name[] = L"LoginGameClient";
  LPOLESTR names[] = {name};
  DISPID id = 0;
  if (FAILED(external->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return;
  VARIANT arguments[kLoginArgumentCount];
  for (int k = 0; k < kLoginArgumentCount; ++k) {
    // Script arguments arrive last first.
    ::VariantInit(&arguments[kLoginArgumentCount - 1 - k]);
    arguments[kLoginArgumentCount - 1 - k].vt = VT_BSTR;
    arguments[kLoginArgumentCount - 1 - k].bstrVal = ::SysAllocString(values[static_cast<size_t>(k)].c_str());
  }
  DISPPARAMS params{arguments, nullptr, kLoginArgumentCount, 0};
  external->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  for (VARIANT& v : arguments) ::VariantClear(&v);
}

void CALLBACK OnLoginTimer(HWND, UINT, UINT_PTR, DWORD) {
  ::KillTimer(nullptr, player.timer);
  player.timer = 0;
  std::vector<std::wstring> values = LoginValues();
  if (values.size() != static_cast<size_t>(kLoginArgumentCount) || player.handler == nullptr) return;
  if (!::IsWindowVisible(player.mainWindow) || player.loginsLeft == 0) return;
  --player.loginsLeft;
  CallLoginGameClient(player.handler, values);
}

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindMessageBox(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<BoxSearch*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  wchar_t cls[16] = {};
  if (owner != search->processId || !::IsWindowVisible(hwnd) || ::GetClassNameW(hwnd, cls, 16) == 0) return TRUE;
  if (std::wcscmp(cls, L"#32770") != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// Answers every message box of this process with the configured button, as a player would.
DWORD WINAPI AnswerQuestions(LPVOID button) {
  const int answer = static_cast<int>(reinterpret_cast<INT_PTR>(button));
  for (;;) {
    ::Sleep(300);
    BoxSearch search{::GetCurrentProcessId(), nullptr};
    ::EnumWindows(&FindMessageBox, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      ::Sleep(700);  // long enough to be seen
      ::PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
      ::Sleep(500);
    }
  }
}

void StartAnswering() {
  std::wstring answer = Variable(kAnswerVariable);
  int button = answer == L"ok" ? IDOK : answer == L"cancel" ? IDCANCEL : 0;
  if (button == 0) return;
  winlib::UniqueKernelHandle thread(
      ::CreateThread(nullptr, 0, &AnswerQuestions, reinterpret_cast<LPVOID>(static_cast<INT_PTR>(button)), 0, nullptr));
}

}  // namespace

void PagePlayerLoginPageOpened(HWND mainWindow, PageUIHandler* handler) {
  (void)commandLineRead;
  player.mainWindow = mainWindow;
  player.handler = handler;
  if (player.loginsLeft < 0) {
    std::wstring logins = Variable(kLoginsVariable);
    player.loginsLeft = logins.empty() ? 1 : static_cast<int>(std::wcstol(logins.c_str(), nullptr, 10));
    std::wstring delay = Variable(kDelayVariable);
    UINT ms = delay.empty() ? kDefaultDelayMs : static_cast<UINT>(std::wcstoul(delay.c_str(), nullptr, 10));
    ::SetEnvironmentVariableW(kDelayVariable, std::to_wstring(ms).c_str());
  }
  if (!player.answering) {
    player.answering = true;
    StartAnswering();
  }
  if (player.loginsLeft == 0) return;
  std::wstring delay = Variable(kDelayVariable);
  // A thread timer: its message carries the procedure, which the launcher's loop dispatches.
  if (player.timer != 0) ::KillTimer(nullptr, player.timer);
  player.timer = ::SetTimer(nullptr, 0, static_cast<UINT>(std::wcstoul(delay.c_str(), nullptr, 10)), &OnLoginTimer);
}
