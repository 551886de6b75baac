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

void LauncherWindow::SetLayoutMode(int mode) { LayoutMode = mode; }
void LauncherWindow::DownloadUpdateList() { NotYet("DownloadUpdateList"); }
void LauncherWindow::StopDownloads() {}
void LauncherWindow::CheckLauncherUpdate() { NotYet("CheckLauncherUpdate"); }
void LauncherWindow::CheckClientUpdate() { NotYet("CheckClientUpdate"); }
LRESULT LauncherWindow::OnItemDone(LPARAM) { return 0; }
void LauncherWindow::SetBarPosition(int, int) {}
void LauncherWindow::ReportStatistics(int, const std::string&) { NotYet("ReportStatistics"); }
