#include "launcher/core/LauncherWindow_win.h"

bool LauncherWindow::RelocateLauncher(std::string& copyPath) {
  // Installing into a game directory is not built yet: run where started.
  copyPath.clear();
  return false;
}
