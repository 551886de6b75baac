#include "launcher/update/ClientUpdate_win.h"

#include "launcher/archive/ArchiveExtractor_win.h"
#include "launcher/system/ProcessControl_win.h"
#include "launcher/update/DownloadQueue_win.h"
#include "launcher/update/UpdateList_win.h"

namespace {

constexpr char kClientProcessName[] = "Client.exe";

std::vector<std::string> RecordedTags(const std::string& localRecordPath, const char* section, std::size_t count) {
  std::vector<std::string> tags;
  for (std::size_t n = 0; n < count; ++n)
    tags.push_back(ReadRecordedTag(localRecordPath, section, static_cast<int>(n)));
  return tags;
}

}  // namespace

std::string Stage1SectionOf(const std::string& group) { return "Stage1_" + group; }

ClientUpdatePlan ReadClientUpdatePlan(const std::string& updateListPath, const std::string& localRecordPath,
                                      const std::string& group) {
  std::vector<std::string> deleteValues = ReadNumberedValues(updateListPath, DeleteSectionName(group));
  std::vector<std::string> stage0Values = ReadNumberedValues(updateListPath, Stage0SectionName(group));
  return PlanClientUpdate(deleteValues, RecordedTags(localRecordPath, kDeleteRecordSection, deleteValues.size()),
                          stage0Values, RecordedTags(localRecordPath, kStage0RecordSection, stage0Values.size()));
}

void ApplyDeletions(const ClientUpdatePlan& plan, const std::string& launcherDirectory,
                    const std::string& localRecordPath) {
  for (const PlannedDeletion& deletion : plan.deletions) {
    ::DeleteFileA((launcherDirectory + deletion.path).c_str());
    WriteRecordedTag(localRecordPath, kDeleteRecordSection, deletion.number, deletion.tag);
  }
}

std::vector<int> QueueClientPackages(DownloadQueue& queue, const ClientUpdatePlan& plan,
                                     const std::string& launcherDirectory) {
  std::vector<int> indices;
  for (const PlannedPackage& package : plan.packages) {
    std::string target = launcherDirectory + package.fileName;
    int index = queue.Add(package.url.c_str(), target.c_str(), package.size, package.note.c_str(), kClientPackageItem);
    if (index >= 0) indices.push_back(index);
  }
  return indices;
}

bool AgreeToCloseOtherClients() {
  if (CountOtherProcesses(kClientProcessName) == 0) return true;
  int answer = ::MessageBoxW(nullptr,
                             L"Zorvath检测到您多开游戏\r\n确定:将关闭所有游戏窗口进行更新\r\n"
                             L"取消:继续运行,不更新,这样可能会影响游戏体验",
                             L"Zorvath", MB_OKCANCEL);
  if (answer != IDOK) return false;
  TerminateOtherProcesses(kClientProcessName);
  return true;
}

bool FinishClientPackage(const DownloadItem& item, const std::string& launcherDirectory,
                         const std::string& localRecordPath) {
  if (!ExtractArchive(item.targetPath, launcherDirectory.c_str())) return false;
  ::DeleteFileA(item.targetPath);
  std::string key, version;
  if (SplitPackageNote(item.note, key, version)) {
    ::WritePrivateProfileStringA(kStage0RecordSection, key.c_str(), version.c_str(), localRecordPath.c_str());
  }
  return true;
}
