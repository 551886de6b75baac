#include "LauncherProcess_win.h"

#include <tlhelp32.h>

namespace {

struct WindowSearch {
  DWORD processId;
  const wchar_t* title;
  bool dialogOnly;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || !::IsWindowVisible(hwnd)) return TRUE;
  if (search->dialogOnly) {
    wchar_t cls[16] = {};
    ::GetClassNameW(hwnd, cls, 16);
    if (std::wstring(cls) != L"#32770") return TRUE;
  }
  if (search->title != nullptr && WindowTextOf(hwnd) != search->title) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND WaitForWindow(DWORD processId, const wchar_t* title, bool dialogOnly, DWORD timeoutMs) {
  DWORD start = ::GetTickCount();
  for (;;) {
    WindowSearch search{processId, title, dialogOnly, nullptr};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (::GetTickCount() - start > timeoutMs) return nullptr;
    ::Sleep(50);
  }
}

}  // namespace

ProcessUnderTest::~ProcessUnderTest() {
  if (Running()) Kill();
}

bool ProcessUnderTest::Start(const std::string& exePath, const std::string& arguments) {
  std::string commandLine = "\"" + exePath + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::string directory = exePath.substr(0, exePath.rfind('\\'));
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(), &si,
                        &pi)) {
    return false;
  }
  ::CloseHandle(pi.hThread);
  process_.Reset(pi.hProcess);
  id_ = pi.dwProcessId;
  return true;
}

bool ProcessUnderTest::WaitForExit(DWORD timeoutMs) {
  return !process_ || ::WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD ProcessUnderTest::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_) ::GetExitCodeProcess(process_.Get(), &code);
  return code;
}

bool ProcessUnderTest::Running() const {
  return process_ && ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

void ProcessUnderTest::Kill() {
  if (!process_) return;
  ::TerminateProcess(process_.Get(), 1);
  ::WaitForSingleObject(process_.Get(), 5000);
}

HWND WaitForTopLevelWindow(DWORD processId, const wchar_t* title, DWORD timeoutMs) {
  return WaitForWindow(processId, title, false, timeoutMs);
}

HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) { return WaitForWindow(processId, nullptr, true, timeoutMs); }

std::wstring WindowTextOf(HWND hwnd) {
  wchar_t text[512] = {};
  ::GetWindowTextW(hwnd, text, 512);
  return text;
}

std::wstring MessageBoxText(HWND box) {
  HWND label = ::GetDlgItem(box, 0xFFFF);
  return label != nullptr ? WindowTextOf(label) : std::wstring();
}

void AnswerMessageBox(HWND box, int button) { ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); }


void MakeGameDirectory(const std::string& folder) {
  for (const char* sub : {"Data", "Map", "Wav"}) ::CreateDirectoryA((folder + sub).c_str(), nullptr);
}

std::vector<unsigned long> ProcessesOf(const std::string& imagePath) {
  std::vector<unsigned long> ids;
  winlib::UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
    winlib::UniqueKernelHandle p(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (p && ::QueryFullProcessImageNameA(p.Get(), 0, path, &size) && lstrcmpiA(path, imagePath.c_str()) == 0) {
      ids.push_back(entry.th32ProcessID);
    }
  }
  return ids;
}
