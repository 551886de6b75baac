#pragma once

#include <string>

// Creates every folder named before a "\" or "/" of `path`; the text after the last
// separator (a file name) is not created. False at the first folder that cannot be made.
bool CreateDirectoryPath(const std::string& path);
bool DirectoryExists(const std::string& path);
bool FileExists(const std::string& path);
