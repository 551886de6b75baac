#include <windows.h>

#include "launcher/core/LauncherWindow_win.h"
#include "launcher/system/InstallLocation_win.h"
#include "launcher/system/PathRules.h"

bool LauncherWindow::RelocateLauncher(std::string& copyPath) {
  copyPath.clear();
  if (settings_.RunAtCurrent != 0) return false;
  if (IsGameDirectory(LauncherDirectory)) return false;
  if (settings_.RunDir.empty()) return false;

  std::string directory = settings_.RunDir;
  ChooseInstallDirectory(directory);
  // The folders come first, so the copy finds itself in a game directory and stays.
  if (!IsGameDirectory(directory)) CreateGameDirectories(directory);

  copyPath = directory + kInstalledLauncherName;
  // Fails while the installed copy runs; this launcher then runs where it was started.
  if (!::CopyFileA(ExecutablePath.c_str(), copyPath.c_str(), FALSE)) return false;

  std::string position = PositionFromNameParts(NameParts);
  std::string settingsPath;
  if (!position.empty() && SettingsPathFor(copyPath, settingsPath)) {
    ::WritePrivateProfileStringA(kSettingsSection, "pos", position.c_str(), settingsPath.c_str());
  }
  return true;
}
