#include "launcher/system/ProcessStart_win.h"

#include <windows.h>
#include <shellapi.h>

#include "launcher/system/CommandLine.h"
#include "winlib/Handles_win.h"

bool StartProcess(const std::string& programPath, const std::vector<std::string>& arguments, unsigned short show,
                  unsigned long* processId) {
  std::string commandLine = BuildProcessCommandLine(programPath, arguments);
  std::string directory = WorkingDirectoryOf(programPath);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = show;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &si, &pi)) {
    return false;
  }
  winlib::UniqueKernelHandle process(pi.hProcess);
  winlib::UniqueKernelHandle thread(pi.hThread);
  if (processId != nullptr) *processId = pi.dwProcessId;
  return true;
}

bool StartElevated(const std::string& programPath, const char* parameters) {
  std::string directory = WorkingDirectoryOf(programPath);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.lpVerb = "runas";
  info.lpFile = programPath.c_str();
  info.lpParameters = parameters;
  info.lpDirectory = directory.c_str();
  info.nShow = SW_SHOW;
  return ::ShellExecuteExA(&info) != FALSE;
}

bool RunHiddenCommand(const char* program, const char* arguments) {
  if (program == nullptr) return false;
  std::string commandLine = BuildHiddenCommandLine(program, arguments != nullptr ? arguments : "");
  ::OutputDebugStringA(commandLine.c_str());
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return false;
  winlib::UniqueKernelHandle process(pi.hProcess);
  winlib::UniqueKernelHandle thread(pi.hThread);
  return true;
}
