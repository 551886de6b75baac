#include "launcher/system/Directories_win.h"

#include <windows.h>

bool DirectoryExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CreateDirectoryPath(const std::string& path) {
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] != '\\' && path[i] != '/') continue;
    std::string prefix = path.substr(0, i);
    if (DirectoryExists(prefix)) continue;
    if (!::CreateDirectoryA(prefix.c_str(), nullptr)) {
      // Another process (a second launcher, the game) may have made it meanwhile.
      if (::GetLastError() == ERROR_ALREADY_EXISTS && DirectoryExists(prefix)) continue;
      return false;
    }
  }
  return true;
}
