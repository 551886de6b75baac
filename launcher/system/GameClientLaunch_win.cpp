#include "launcher/system/GameClientLaunch_win.h"

#include <windows.h>

#include <vector>

#include "launcher/system/ProcessStart_win.h"
#include "launcher/system/WindowsVersion_win.h"

bool StartGameClient(const std::string& launcherDirectory, unsigned long& clientProcessId) {
  return StartGameClient(launcherDirectory, IsWindowsVersionAtLeast(false), clientProcessId);
}

bool StartGameClient(const std::string& launcherDirectory, bool vistaOrLater, unsigned long& clientProcessId) {
  std::string path = launcherDirectory + kGameClientProgram;
  // The shell would report a missing program in a message box of its own; a failed start
  // shows the player nothing.
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  if (vistaOrLater) return StartElevated(path, nullptr);
  return StartProcess(path, std::vector<std::string>(), SW_SHOW, &clientProcessId);
}
