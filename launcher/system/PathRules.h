#pragma once

#include <string>

// Path rules of the launcher, on ANSI paths with "\" separators. Folders end in "\".

// The settings file of an executable: everything from the last "." replaced by ".ini".
// False (and `out` = the path unchanged) when the path has no ".".
bool SettingsPathFor(const std::string& executablePath, std::string& out);

// Splits an executable path into its folder (up to and including the last "\") and its
// file name, cut at the first "." unless keepExtension. Without a "\" the folder is the
// whole path and the name is left untouched; the result says whether a "\" was found.
bool SplitModulePath(const std::string& executablePath, std::string& directory, std::string* name,
                     bool keepExtension);

// Longest path the launcher's fixed buffers hold.
constexpr std::size_t kMaxLauncherPath = 260;
