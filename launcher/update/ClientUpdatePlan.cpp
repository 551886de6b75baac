#include "launcher/update/ClientUpdatePlan.h"

#include "launcher/archive/ItemPaths.h"
#include "launcher/core/KeyValueLines.h"
#include "launcher/update/UpdateListRules.h"

namespace {

const std::string& RecordedTag(const std::vector<std::string>& tags, std::size_t number) {
  static const std::string kNone;
  return number < tags.size() ? tags[number] : kNone;
}

}  // namespace

bool StaysInsideFolder(const std::string& relativePath) {
  // The system takes "/" as a separator too, so "../x" must be seen as two parts.
  std::string path = relativePath;
  ReplaceForwardSlashes(path);
  return IsSafeItemName(path, IsLeadByte936);
}

bool PackageFileName(const std::string& url, std::string& fileName) {
  std::string name;
  if (!UrlFileName(url, name) || !StaysInsideFolder(name)) return false;
  fileName = name;
  return true;
}

std::string PackageNote(int number, const std::string& version) { return std::to_string(number) + "=" + version; }

bool SplitPackageNote(const std::string& note, std::string& key, std::string& value) {
  std::size_t equals = note.find('=');
  if (equals == std::string::npos || equals == 0) return false;
  key = note.substr(0, equals);
  value = note.substr(equals + 1);
  return true;
}

ClientUpdatePlan PlanClientUpdate(const std::vector<std::string>& deleteValues,
                                  const std::vector<std::string>& recordedDeleteTags,
                                  const std::vector<std::string>& stage0Values,
                                  const std::vector<std::string>& recordedStage0Tags) {
  ClientUpdatePlan plan;
  for (std::size_t n = 0; n < deleteValues.size(); ++n) {
    DeleteEntry entry;
    if (!SplitDeleteEntry(deleteValues[n], entry)) {
      // No "|": no tag, all path.
      entry.tag.clear();
      entry.path = deleteValues[n];
    } else if (deleteValues[n][0] == '|') {
      continue;
    }
    if (entry.tag == RecordedTag(recordedDeleteTags, n)) continue;
    if (!StaysInsideFolder(entry.path)) continue;
    plan.deletions.push_back({static_cast<int>(n), entry.tag, entry.path});
  }
  for (std::size_t n = 0; n < stage0Values.size(); ++n) {
    Stage0Entry entry;
    if (!SplitStage0Entry(stage0Values[n], entry) || entry.version.empty()) continue;
    if (entry.version == RecordedTag(recordedStage0Tags, n)) continue;
    std::string fileName;
    if (!PackageFileName(entry.url, fileName)) continue;
    int number = static_cast<int>(n);
    plan.packages.push_back({number, entry.url, fileName, entry.size, PackageNote(number, entry.version)});
  }
  return plan;
}
