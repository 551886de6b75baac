// The window's update steps: the launcher's own update after each fetched list, and the
// client update after a login, with its progress display.
#include <windows.h>

#include "launcher/core/LauncherWindow_win.h"
#include "launcher/core/Messages.h"
#include "launcher/system/ClientLaunchLayout.h"
#include "launcher/update/ClientUpdate_win.h"
#include "launcher/update/LauncherUpdate_win.h"
#include "launcher/update/UpdateList_win.h"

void LauncherWindow::CheckLauncherUpdate() {
  if (Downloads) QueueLauncherPackage(*Downloads, UpdateListPath, LauncherDirectory, UpdatePhase);
}

void LauncherWindow::OnLauncherPackageFinished(const DownloadItem& item) {
  // The new build ends this process once it has started; until then the launcher goes on.
  FinishLauncherPackage(item, LauncherDirectory, ExecutablePath);
}

void LauncherWindow::CheckClientUpdate() {
  ProgressSlots.Clear();
  std::string group = SelectVersionGroup(UpdateListPath, ServerId);
  Stage1SectionName = Stage1SectionOf(group);
  if (ClientLaunchBlockView != nullptr) WriteStage1SectionName(Stage1SectionName, ClientLaunchBlockView);

  ClientUpdatePlan plan = ReadClientUpdatePlan(UpdateListPath, LocalRecordPath, group);
  // Deletions happen whatever comes next, even when the player declines the update.
  ApplyDeletions(plan, LauncherDirectory, LocalRecordPath);
  std::vector<int> queued;
  if (Downloads) queued = QueueClientPackages(*Downloads, plan, LauncherDirectory);
  if (queued.empty()) {
    ::PostMessageA(Hwnd(), UM_LAUNCH_CLIENT, 0, 0);
    return;
  }
  for (int index : queued) ProgressSlots.Add(index);
  UpdatePhase = kPhaseClientPackages;

  if (!AgreeToCloseOtherClients()) {
    ::PostMessageA(Hwnd(), UM_LAUNCH_CLIENT, 0, 0);
    return;
  }
  SetLayoutMode(1);
  FileBarPercent = 0;
  TotalBarPercent = 0;
  ProgressSlots.SetCurrent(0);
  Downloads->Start();
  ReportStatisticsOnce(Statistics.get(), settings_.OpenStatistics, settings_.UpdateStatSent, kStatisticsUpdateStarted,
                       ServerId);
}

void LauncherWindow::OnClientPackageFinished(const DownloadItem& item) {
  if (!FinishClientPackage(item, LauncherDirectory, LocalRecordPath)) return;
  int percent = 0;
  if (ProgressSlots.AdvanceAfter(item.index, percent)) {
    FileBarPercent = percent;
    SetBarPosition(kCmdFileBar, FileBarPercent);
  }
}
