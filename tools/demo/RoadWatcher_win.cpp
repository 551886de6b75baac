// Watches one game run from outside, the way a person at the screen would: starts the
// launcher, then reports each stage on standard output as it is reached ("stage NAME ..."),
// so the demo can take a picture of it and the end-to-end test can check the order.
//   RoadWatcher.exe <launcher to start> <installed launcher> <installed client> [launcher arguments...]
// Exit code 0 when the whole road was seen, 1 when it stopped waiting somewhere (the
// processes it waited for are then ended).
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>
#include <vector>

#include "winlib/Handles_win.h"

namespace {

constexpr DWORD kPollMs = 100;

std::vector<DWORD> ProcessesOf(const std::wstring& imagePath) {
  std::vector<DWORD> ids;
  winlib::UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
    winlib::UniqueKernelHandle p(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (p && ::QueryFullProcessImageNameW(p.Get(), 0, path, &size) && ::lstrcmpiW(path, imagePath.c_str()) == 0) {
      ids.push_back(entry.th32ProcessID);
    }
  }
  return ids;
}

struct WindowSearch {
  std::vector<DWORD> processes;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  wchar_t title[64] = {};
  ::GetWindowTextW(hwnd, title, 64);
  if (::GetWindow(hwnd, GW_OWNER) != nullptr || std::wstring(title) != L"Zorvath") return TRUE;
  for (DWORD id : search->processes) {
    if (id == owner) {
      search->found = hwnd;
      return FALSE;
    }
  }
  return TRUE;
}

// The top-level "Zorvath" window of a process running from `imagePath`, shown or not.
HWND MainWindowOf(const std::wstring& imagePath) {
  WindowSearch search{ProcessesOf(imagePath), nullptr};
  if (search.processes.empty()) return nullptr;
  ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

SIZE WindowSize(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool SameSize(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }

DWORD startTick = 0;

void Report(const char* format, ...) {
  std::printf("[%6.1f s] ", (::GetTickCount() - startTick) / 1000.0);
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
  std::printf("\n");
  std::fflush(stdout);
}

// Polls `reached` until it holds or `timeoutMs` passed.
template <typename Condition>
bool WaitUntil(DWORD timeoutMs, Condition reached) {
  DWORD start = ::GetTickCount();
  for (;;) {
    if (reached()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::Sleep(kPollMs);
  }
}

void EndAll(const std::wstring& image) {
  for (DWORD id : ProcessesOf(image)) {
    winlib::UniqueKernelHandle p(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    if (p) {
      ::TerminateProcess(p.Get(), 1);
      ::WaitForSingleObject(p.Get(), 5000);
    }
  }
}

int StoppedAt(const char* stage, const std::wstring& launcher, const std::wstring& client) {
  Report("road stopped waiting for: %s", stage);
  EndAll(client);
  EndAll(launcher);
  return 1;
}

}  // namespace

int main() {
  startTick = ::GetTickCount();
  int count = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (argv == nullptr || count < 4) {
    std::fprintf(stderr, "usage: RoadWatcher <launcher> <installed launcher> <installed client> [arguments...]\n");
    return 2;
  }
  const std::wstring start = argv[1], installed = argv[2], client = argv[3];
  std::wstring commandLine = L"\"" + start + L"\"";
  for (int i = 4; i < count; ++i) commandLine += L" \"" + std::wstring(argv[i]) + L"\"";
  ::LocalFree(argv);

  std::wstring folder = start.substr(0, start.rfind(L'\\') + 1);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(start.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi)) {
    Report("cannot start the launcher (error %lu)", ::GetLastError());
    return 1;
  }
  winlib::UniqueKernelHandle first(pi.hProcess);
  winlib::UniqueKernelHandle firstThread(pi.hThread);
  Report("stage started pid=%lu", pi.dwProcessId);

  // A launcher outside a game directory installs itself, starts the copy and ends.
  HWND window = nullptr;
  if (!WaitUntil(60000, [&] {
        window = MainWindowOf(installed);
        return window != nullptr && ::IsWindowVisible(window);
      })) {
    return StoppedAt("the installed launcher's window", installed, client);
  }
  bool firstEnded = ::WaitForSingleObject(first.Get(), 10000) == WAIT_OBJECT_0;
  ::Sleep(1500);  // the skin and buttons paint
  const SIZE loginSize = WindowSize(window);
  Report("stage login window=visible size=%ldx%ld first-process=%s", loginSize.cx, loginSize.cy,
         firstEnded ? "ended" : "running");

  // The player logs in; the update layout replaces the login layout while packages come.
  // (A launcher that replaces itself shows a window of another size only while it is
  // being created, hidden.)
  if (!WaitUntil(60000, [&] {
        window = MainWindowOf(installed);
        return window != nullptr && ::IsWindowVisible(window) && !SameSize(WindowSize(window), loginSize);
      })) {
    return StoppedAt("the update layout", installed, client);
  }
  const SIZE updateSize = WindowSize(window);
  Report("stage update window=visible size=%ldx%ld", updateSize.cx, updateSize.cy);
  ::Sleep(2500);
  window = MainWindowOf(installed);
  if (window != nullptr && SameSize(WindowSize(window), updateSize)) Report("stage update-progress");

  if (!WaitUntil(90000, [&] { return !ProcessesOf(client).empty(); })) {
    return StoppedAt("the game client", installed, client);
  }
  ::Sleep(1500);  // the client reads the block and paints
  window = MainWindowOf(installed);
  Report("stage client launcher=%s", window != nullptr && ::IsWindowVisible(window) ? "visible" : "hidden");

  if (!WaitUntil(60000, [&] { return ProcessesOf(client).empty(); })) {
    return StoppedAt("the end of the game client", installed, client);
  }
  if (!WaitUntil(20000, [&] {
        window = MainWindowOf(installed);
        return window != nullptr && ::IsWindowVisible(window);
      })) {
    return StoppedAt("the launcher's return", installed, client);
  }
  ::Sleep(1500);
  const SIZE backSize = WindowSize(window);
  Report("stage back window=visible layout=%s", SameSize(backSize, loginSize) ? "login" : "other");

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (!WaitUntil(20000, [&] { return ProcessesOf(installed).empty(); })) {
    return StoppedAt("the launcher's end", installed, client);
  }
  Report("stage closed");
  return 0;
}
