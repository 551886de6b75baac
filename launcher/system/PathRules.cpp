#include "launcher/system/PathRules.h"

bool SettingsPathFor(const std::string& executablePath, std::string& out) {
  std::size_t dot = executablePath.rfind('.');
  if (dot == std::string::npos) {
    out = executablePath;
    return false;
  }
  out = executablePath.substr(0, dot) + ".ini";
  return true;
}

bool SplitModulePath(const std::string& executablePath, std::string& directory, std::string* name,
                     bool keepExtension) {
  directory = executablePath;
  std::size_t slash = executablePath.rfind('\\');
  if (slash == std::string::npos) return false;
  if (name != nullptr) {
    *name = executablePath.substr(slash + 1);
    if (!keepExtension) {
      std::size_t dot = name->find('.');
      if (dot != std::string::npos) name->resize(dot);
    }
  }
  directory.resize(slash + 1);
  return true;
}
