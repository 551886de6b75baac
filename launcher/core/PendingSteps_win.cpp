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

void LauncherWindow::CheckLauncherUpdate() { NotYet("CheckLauncherUpdate"); }
void LauncherWindow::CheckClientUpdate() { NotYet("CheckClientUpdate"); }
void LauncherWindow::ReportStatistics(int, const std::string&) { NotYet("ReportStatistics"); }
void LauncherWindow::OnLauncherPackageFinished(const DownloadItem&) { NotYet("OnLauncherPackageFinished"); }
void LauncherWindow::OnClientPackageFinished(const DownloadItem&) { NotYet("OnClientPackageFinished"); }
