#include "launcher/system/InstallLocation_win.h"

#include <windows.h>

#include "launcher/system/Directories_win.h"
#include "launcher/system/PathRules.h"

bool IsGameDirectory(const std::string& directory) {
  for (const char* folder : kGameDirectoryMarkers) {
    if (!DirectoryExists(directory + folder)) return false;
  }
  return true;
}

void CreateGameDirectories(const std::string& directory) {
  for (const char* folder : kGameDirectoryFolders) CreateDirectoryPath(directory + folder);
}

std::vector<DriveInfo> ListDrives() {
  char buffer[1024] = {};
  DWORD length = ::GetLogicalDriveStringsA(sizeof buffer, buffer);
  // A list longer than the buffer is not written at all: no drives then.
  if (length == 0 || length > sizeof buffer) return {};
  std::vector<DriveInfo> drives;
  for (const std::string& root : SplitDriveStrings(buffer, length)) {
    DriveInfo drive;
    drive.root = root;
    drive.type = ::GetDriveTypeA(root.c_str());
    // Only fixed disks can win; asking an empty removable drive may bring up a system
    // prompt, and a network drive may be slow to answer.
    if (drive.type == kFixedDriveType) {
      ULARGE_INTEGER available{};
      drive.freeSpaceKnown = ::GetDiskFreeSpaceExA(root.c_str(), &available, nullptr, nullptr) != FALSE;
      drive.bytesAvailable = drive.freeSpaceKnown ? available.QuadPart : 0;
    }
    drives.push_back(drive);
  }
  return drives;
}

void ChooseInstallDirectory(std::string& name) {
  char systemDirectory[kMaxLauncherPath] = {};
  UINT length = ::GetSystemDirectoryA(systemDirectory, sizeof systemDirectory);
  std::string systemRoot =
      length > 0 && length < sizeof systemDirectory ? SystemRootOf(systemDirectory) : std::string();
  name = InstallDirectoryFor(ChooseInstallRoot(ListDrives(), systemRoot), name);
}
