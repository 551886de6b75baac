// Steps whose subsystems are being joined to the window; each says so in the debugger
// output and does nothing, so nothing pretends to have succeeded.
#include <windows.h>

#include "launcher/core/LauncherWindow_win.h"

namespace {
void NotYet(const char* step) {
  ::OutputDebugStringA(step);
  ::OutputDebugStringA(": not available in this build\n");
}
}  // namespace

std::string LauncherWindow::LoginAddress() { return settings_.LoginUrl; }
void LauncherWindow::NavigatePage(const std::string&) { NotYet("NavigatePage"); }
void LauncherWindow::SetLayoutMode(int mode) { LayoutMode = mode; }
bool LauncherWindow::FillLaunchBlock(const wchar_t* const*) {
  NotYet("FillClientLaunchBlock");
  return false;
}
void LauncherWindow::DownloadUpdateList() { NotYet("DownloadUpdateList"); }
void LauncherWindow::StopDownloads() {}
void LauncherWindow::CheckLauncherUpdate() { NotYet("CheckLauncherUpdate"); }
void LauncherWindow::CheckClientUpdate() { NotYet("CheckClientUpdate"); }
LRESULT LauncherWindow::OnItemDone(LPARAM) { return 0; }
bool LauncherWindow::LaunchGameClient() {
  NotYet("LaunchGameClient");
  return false;
}
void LauncherWindow::SetBarPosition(int, int) {}
void LauncherWindow::ShowOfflineNotice() { NotYet("ShowOfflineNotice"); }
