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
    // The second byte of a double-byte character can be "\\" (0x5C): step over it whole.
    if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;
      continue;
    }
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
