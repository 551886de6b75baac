#include "launcher/core/NameParts.h"

std::vector<std::string> SplitNameParts(const std::string& baseName) {
  std::vector<std::string> parts;
  if (baseName.empty()) return parts;
  std::size_t start = 0;
  for (std::size_t sep = baseName.find('_'); sep != std::string::npos; sep = baseName.find('_', start)) {
    parts.push_back(baseName.substr(start, sep - start));
    start = sep + 1;
  }
  if (start < baseName.size()) parts.push_back(baseName.substr(start));
  return parts;
}
