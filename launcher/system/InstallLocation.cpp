#include "launcher/system/InstallLocation.h"

const char* const kGameDirectoryFolders[4] = {"Data\\", "ExpData\\", "Map\\", "Wav\\"};
// ExpData is created with the others but is no sign of a game directory.
const char* const kGameDirectoryMarkers[3] = {"Data", "Map", "Wav"};

std::vector<std::string> SplitDriveStrings(const char* buffer, std::size_t size) {
  std::vector<std::string> roots;
  std::size_t i = 0;
  while (i < size && buffer[i] != '\0') {
    std::size_t end = i;
    while (end < size && buffer[end] != '\0') ++end;
    roots.emplace_back(buffer + i, end - i);
    i = end + 1;
  }
  return roots;
}

std::string SystemRootOf(const std::string& systemDirectory) {
  std::size_t slash = systemDirectory.find('\\');
  if (slash == std::string::npos) return std::string();
  return systemDirectory.substr(0, slash + 1);
}

std::string ChooseInstallRoot(const std::vector<DriveInfo>& drives, const std::string& systemRoot) {
  const DriveInfo* best = nullptr;
  std::uint64_t bestBytes = 0;
  for (const DriveInfo& drive : drives) {
    if (drive.type != kFixedDriveType || drive.root == systemRoot || !drive.freeSpaceKnown) continue;
    if (drive.bytesAvailable <= bestBytes) continue;
    best = &drive;
    bestBytes = drive.bytesAvailable;
  }
  return best != nullptr ? best->root : systemRoot;
}

std::string InstallDirectoryFor(const std::string& root, const std::string& name) {
  return root + (name.empty() ? kFallbackInstallFolder : name) + "\\";
}

std::string PositionFromNameParts(const std::vector<std::string>& nameParts) {
  return nameParts.size() >= 2 ? nameParts[1] : std::string();
}
