#pragma once

#include <string>

// The user's desktop folder, without a trailing "\"; `path` is untouched on failure.
bool GetDesktopDirectory(std::string& path);
// Saves "<desktop>\<name>.lnk" pointing to `target`, started in the target's folder and
// shown normally; from Windows 7 on the shortcut is also pinned to the taskbar. Needs
// COM on the calling thread. True when the shortcut file was saved.
bool CreateDesktopShortcut(const std::string& target, const std::string& name);
// Deletes the desktop shortcut of the launcher's former name, "Zorvath.lnk".
void DeleteOldDesktopShortcut();
