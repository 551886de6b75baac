#pragma once

#include <string>
#include <vector>

// The executable's base name split at "_": LoginTarn_12 gives LoginTarn and 12.
// Only the second part is ever read (the distribution position).
std::vector<std::string> SplitNameParts(const std::string& baseName);
