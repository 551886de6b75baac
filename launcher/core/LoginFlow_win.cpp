// The road from the login page to the running game: page openings, the page's login call,
// update checks, finished downloads and the client start.
#include <windows.h>

#include "launcher/core/LauncherWindow_win.h"
#include "launcher/core/Messages.h"
#include <cstdlib>

#include "launcher/core/LoginAddress.h"
#include "launcher/core/PageHost_win.h"
#include "launcher/system/ClientLaunchBlock_win.h"
#include "launcher/system/Directories_win.h"
#include "launcher/system/GameClientLaunch_win.h"
#include "launcher/system/MachineCode_win.h"
#include "launcher/update/UpdateList_win.h"
#ifdef LOGINTARN_PAGE_PLAYER
#include "tools/demo/PagePlayer_win.h"
#endif

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
#ifdef LOGINTARN_PAGE_PLAYER
  // The one seam of the demo's page stand-in build (tools/demo): it plays the page's login
  // call, which no page can make under an engine-less Wine. Shipped builds never define it.
  PagePlayerLoginPageOpened(Hwnd(), UIHandler.Get());
#endif
  DownloadUpdateList();
  return 0;
}

LRESULT LauncherWindow::OnPageLogin(LPARAM loginArguments) {
  FillLaunchBlock(reinterpret_cast<const LoginArguments*>(loginArguments));
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

void LauncherWindow::AttachPageHost() {
  BrowserHost = CreateBrowserHost(Hwnd());
  if (BrowserHost == nullptr) return;
  Browser = HostedBrowser(BrowserHost);
  UIHandler = PageUIHandler::Create(Hwnd());
  AttachPageUIHandler(BrowserHost, UIHandler.Get());
}

std::string LauncherWindow::LoginAddress() {
  std::string machineCode;
  if (!settings_.MachineCodeParam.empty()) GetMachineCode(machineCode);
  return BuildLoginAddress(settings_, NameParts, std::rand() & 0x7FFF, machineCode);
}

void LauncherWindow::NavigatePage(const std::string& address) {
  if (Browser) NavigateBrowser(Browser.Get(), address);
}

void LauncherWindow::ShowOfflineNotice() {
  if (Browser) ::ShowOfflineNotice(Browser.Get());
}

bool LauncherWindow::FillLaunchBlock(const LoginArguments* loginArguments) {
  return FillClientLaunchBlock(ClientLaunchBlockView, loginArguments, settings_, ExecutablePath, Hwnd(), ServerId);
}

bool LauncherWindow::LaunchGameClient() {
  if (!StartGameClient(LauncherDirectory, ClientProcessId)) return false;
  ReportStatisticsOnce(Statistics.get(), settings_.OpenStatistics, settings_.ClientStartStatSent, kStatisticsClientStarted,
                       ServerId);
  ::ShowWindow(Hwnd(), SW_HIDE);
  ::SetTimer(Hwnd(), kClientWatchTimer, kClientWatchPeriodMs, nullptr);
  return true;
}

void LauncherWindow::DownloadUpdateList() {
  if (Downloads) StartUpdateListDownload(*Downloads, settings_.UpdateListUrl, UpdateListPath, UpdatePhase);
}

void LauncherWindow::StopDownloads() {
  if (Downloads) Downloads->Stop();
}

LRESULT LauncherWindow::OnItemDone(LPARAM itemPointer) {
  // Items a stopping queue still hands over belong to a batch that was given up.
  if (!Downloads || Downloads->IsStopping() || itemPointer == 0) return 0;
  const DownloadItem& item = *reinterpret_cast<const DownloadItem*>(itemPointer);
  switch (item.kind) {
    case kUpdateListItem:
      OnUpdateListDone(Hwnd(), item, UpdateListReady);
      break;
    case kLauncherPackageItem:
      OnLauncherPackageFinished(item);
      break;
    case kClientPackageItem:
      OnClientPackageFinished(item);
      break;
    default:
      break;
  }
  return 0;
}
