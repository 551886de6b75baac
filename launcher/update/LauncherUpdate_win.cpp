#include "launcher/update/LauncherUpdate_win.h"

#include <windows.h>

#include <vector>

#include "launcher/archive/ArchiveExtractor_win.h"
#include "launcher/core/StartupRole.h"
#include "launcher/system/ProcessStart_win.h"
#include "launcher/update/DownloadQueue_win.h"
#include "launcher/update/LauncherUpdateRules.h"
#include "launcher/update/UpdateList_win.h"

bool QueueLauncherPackage(DownloadQueue& queue, const std::string& updateListPath, const std::string& launcherDirectory,
                          int& updatePhase) {
  std::string version = ReadListValue(updateListPath, kLauncherSection, "Ver");
  std::string url = ReadListValue(updateListPath, kLauncherSection, "Url");
  std::string fileName;
  if (!PlanLauncherUpdate(version, url, fileName)) return false;
  std::string target = launcherDirectory + fileName;
  if (queue.Add(url.c_str(), target.c_str(), 0, nullptr, kLauncherPackageItem) < 0) return false;
  updatePhase = kPhaseLauncherPackage;
  queue.Start();
  return true;
}

bool FinishLauncherPackage(const DownloadItem& item, const std::string& launcherDirectory,
                           const std::string& executablePath) {
  if (!ExtractArchive(item.targetPath, launcherDirectory.c_str())) return false;
  ::DeleteFileA(item.targetPath);
  return StartProcess(launcherDirectory + kSelfUpdateFileName, {executablePath}, SW_SHOW, nullptr);
}
