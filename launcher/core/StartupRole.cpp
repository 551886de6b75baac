#include "launcher/core/StartupRole.h"

bool EqualsIgnoreAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

bool IsSelfUpdateStage(const std::vector<std::string>& arguments, const std::string& ownFileName) {
  return arguments.size() == 1 && EqualsIgnoreAsciiCase(ownFileName, kSelfUpdateFileName);
}

bool HasUrlOverride(const std::vector<std::string>& arguments) {
  return arguments.size() == 2 && EqualsIgnoreAsciiCase(arguments[0], "-url");
}
