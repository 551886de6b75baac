#pragma once

#include <string>
#include <vector>

// Folder of the running executable, ending in "\"; `name` gets its file name, cut at the
// first "." unless keepExtension.
bool GetModuleDirectory(std::string& directory, std::string* name, bool keepExtension);
// The executable's path with ".ini" in place of its extension.
bool GetSettingsFilePath(std::string& path);
// The arguments after the program path, in the ANSI code page, each cut to 260 bytes.
void GetCommandLineArguments(std::vector<std::string>& arguments);
// The user's temporary folder, ending in "\".
bool GetTempDirectory(std::string& path);
// Full path of the running executable (at most 260 characters).
std::string GetExecutablePath();
