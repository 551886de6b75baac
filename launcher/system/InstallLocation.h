#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Where the game lives: the rules for choosing the drive of the game directory and for
// the folders that make a folder a game directory. Paths are ANSI with "\" separators.

// Drive type number of a fixed disk, as the system reports it.
constexpr unsigned kFixedDriveType = 3;

// One logical drive as the system describes it.
struct DriveInfo {
  std::string root;  // such as "D:\"
  unsigned type = 0;
  bool freeSpaceKnown = false;       // whether the free-space query succeeded
  std::uint64_t bytesAvailable = 0;  // free bytes available to the calling user
};

// Folder name used when the configured one is empty.
constexpr const char kFallbackInstallFolder[] = "Zorvath";
// File name of the installed launcher.
constexpr const char kInstalledLauncherName[] = "LoginTarn.exe";

// Subfolders a game directory must have (each ending in "\"); Data, Map and Wav decide.
extern const char* const kGameDirectoryFolders[4];
extern const char* const kGameDirectoryMarkers[3];

// The entries of a drive-string list: roots separated by one zero byte, ended by two.
std::vector<std::string> SplitDriveStrings(const char* buffer, std::size_t size);

// The root of the system directory: the text up to and including its first "\".
// Empty when there is no "\".
std::string SystemRootOf(const std::string& systemDirectory);

// The fixed drive other than the system root with the most bytes available; the first
// wins among equals and a drive with nothing available never wins. Without one, the
// system root.
std::string ChooseInstallRoot(const std::vector<DriveInfo>& drives, const std::string& systemRoot);

// root + name + "\", with the fallback folder for an empty name.
std::string InstallDirectoryFor(const std::string& root, const std::string& name);

// The distribution position carried in the executable's name: its second name part, or
// empty when there are fewer than two.
std::string PositionFromNameParts(const std::vector<std::string>& nameParts);
