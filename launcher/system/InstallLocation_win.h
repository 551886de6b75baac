#pragma once

#include <string>
#include <vector>

#include "launcher/system/InstallLocation.h"

// True when `directory` (ending in "\") holds the folders Data, Map and Wav.
bool IsGameDirectory(const std::string& directory);
// Creates Data\, ExpData\, Map\ and Wav\ in `directory`; failures are ignored.
void CreateGameDirectories(const std::string& directory);
// The logical drives in system order, with type and free space.
std::vector<DriveInfo> ListDrives();
// Turns a folder name relative to a drive root into the absolute game directory on the
// chosen drive, ending in "\".
void ChooseInstallDirectory(std::string& name);
