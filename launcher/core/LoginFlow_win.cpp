// The road from the login page to the running game: page openings, the page's login call,
// update checks, finished downloads and the client start.
#include <windows.h>

#include "launcher/core/LauncherWindow_win.h"
#include "launcher/core/Messages.h"
#include "launcher/system/Directories_win.h"

LRESULT LauncherWindow::OnLoginPage(LPARAM what) {
  if (what == kLoginPageHide) {
    ::ShowWindow(Hwnd(), SW_HIDE);
    return 0;
  }
  std::string address = settings_.LoginUrl;
  if (what == kLoginPageOpen) {
    address = LoginAddress();
  } else if (what == kLoginPageClientEnded) {
    ClientProcessId = 0;
    ServerId.clear();
    SetLayoutMode(0);
    ::KillTimer(Hwnd(), kClientWatchTimer);
    ::ShowWindow(Hwnd(), SW_SHOW);
  }
  NavigatePage(address);
  DownloadUpdateList();
  return 0;
}

LRESULT LauncherWindow::OnPageLogin(LPARAM loginArguments) {
  FillLaunchBlock(reinterpret_cast<const wchar_t* const*>(loginArguments));
  if (UpdateListReady) {
    ::PostMessageA(Hwnd(), UM_RUN_UPDATE, 1, 0);
  } else {
    ::PostMessageA(Hwnd(), UM_LAUNCH_CLIENT, 0, 0);
  }
  return 0;
}

LRESULT LauncherWindow::OnRunUpdate(WPARAM which) {
  if (!FileExists(UpdateListPath)) return 0;
  StopDownloads();
  if (which == 0) {
    CheckLauncherUpdate();
  } else {
    CheckClientUpdate();
  }
  return 0;
}
