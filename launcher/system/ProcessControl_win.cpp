#include "launcher/system/ProcessControl_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include "launcher/core/StartupRole.h"
#include "winlib/Handles_win.h"

bool EnablePrivilege(const char* name) {
  if (name == nullptr) return false;
  winlib::UniqueKernelHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Put())) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!::LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid)) return false;
  return ::AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
}

namespace {

// Calls `visit` with the id of every process of that name until it returns false.
// False when the walk could not be made at all.
template <typename Visit>
bool ForEachProcessNamed(const std::string& name, Visit visit) {
  if (name.empty() || !EnablePrivilege("SeDebugPrivilege")) return false;
  winlib::UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
    if (!EqualsIgnoreAsciiCase(entry.szExeFile, name)) continue;
    if (!visit(static_cast<unsigned long>(entry.th32ProcessID))) break;
  }
  return true;
}

}  // namespace

bool IsProcessRunning(const std::string& name, unsigned long processId) {
  bool found = false;
  ForEachProcessNamed(name, [&](unsigned long id) {
    found = processId == 0 || id == processId;
    return !found;
  });
  return found;
}

int CountOtherProcesses(const std::string& name) {
  const unsigned long self = ::GetCurrentProcessId();
  int count = 0;
  ForEachProcessNamed(name, [&](unsigned long id) {
    if (id != self) ++count;
    return true;
  });
  return count;
}

void TerminateOtherProcesses(const std::string& name) {
  const unsigned long self = ::GetCurrentProcessId();
  ForEachProcessNamed(name, [&](unsigned long id) {
    if (id == self) return true;
    winlib::UniqueKernelHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, id));
    // A process the system will not let us open (an elevated client) is left alone.
    if (process) ::TerminateProcess(process.Get(), 0);
    return true;
  });
}
