// The window's private messages and timers: who may change what, and when.
#include <windows.h>
#include <wininet.h>

#include "launcher/core/LauncherWindow_win.h"
#include "launcher/core/Messages.h"
#include "launcher/system/ProcessControl_win.h"

LRESULT LauncherWindow::OnStoreText(LPARAM text) {
  const char* value = reinterpret_cast<const char*>(text);
  StoredText = value != nullptr ? value : "";
  return 0;
}

LRESULT LauncherWindow::OnClientProcess(LPARAM processId) {
  ClientProcessId = static_cast<unsigned long>(processId);
  ::ShowWindow(Hwnd(), SW_HIDE);
  return 0;
}

LRESULT LauncherWindow::OnLaunchClient() {
  LaunchGameClient();
  return 0;
}

LRESULT LauncherWindow::OnItemProgress(WPARAM itemIndex, LPARAM percent) {
  if (UpdatePhase != 3 || ProgressSlots.Empty()) return 0;
  if (ProgressSlots.SetPercent(static_cast<int>(itemIndex), static_cast<int>(percent))) {
    FileBarPercent = static_cast<int>(percent);
    SetBarPosition(kCmdFileBar, FileBarPercent);
  }
  return 0;
}

LRESULT LauncherWindow::OnTotalProgress(WPARAM received, LPARAM total) {
  if (UpdatePhase != 3 || total == 0) return 0;
  TotalBarPercent = BatchPercent(static_cast<std::int64_t>(received), static_cast<std::int64_t>(total));
  SetBarPosition(kCmdTotalBar, TotalBarPercent);
  return 0;
}

LRESULT LauncherWindow::OnQueueDone(LPARAM allDone) {
  // A batch that ended with failures keeps retrying; only a complete one starts the game.
  if (UpdatePhase != 3 || allDone == 0) return 0;
  ::PostMessageA(Hwnd(), UM_LAUNCH_CLIENT, 0, 0);
  return 0;
}

LRESULT LauncherWindow::OnTimer(WPARAM timerId) {
  if (timerId == kClientWatchTimer) {
    if (!IsClientRunning()) ::PostMessageA(Hwnd(), UM_LOGIN_PAGE, 0, kLoginPageClientEnded);
    return 0;
  }
  if (timerId == kConnectionPollTimer) {
    DWORD flags = 0;
    if (::InternetGetConnectedState(&flags, 0)) {
      ::PostMessageA(Hwnd(), UM_LOGIN_PAGE, 0, kLoginPageOpen);
      ::KillTimer(Hwnd(), kConnectionPollTimer);
    }
    return 0;
  }
  return DefaultHandling(WM_TIMER, timerId, 0);
}

bool LauncherWindow::IsClientRunning() const { return IsProcessRunning("Client.exe", ClientProcessId); }
