#include "launcher/archive/ItemPaths.h"

#include <cstdio>
#include <cstring>

namespace {

bool IsDeviceName(const std::string& part) {
  // Windows opens a device for these whatever extension follows and ignores trailing blanks.
  std::string base = part.substr(0, part.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (char& c : base) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices) {
    if (base == device) return true;
  }
  if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0)) {
    unsigned char digit = static_cast<unsigned char>(base[3]);
    // 1-9 and the superscripts 1, 2, 3 of the Western code pages.
    return (digit >= '1' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  }
  return false;
}

bool IsRealPartName(const std::string& part) {
  if (part.empty()) return false;
  for (char c : part) {
    if (c != '.' && c != ' ') return !IsDeviceName(part);
  }
  return false;  // ".", "..", ". ." and the like
}

bool IsRefusedCharacter(unsigned char c) { return c < 0x20 || std::strchr(":*?\"<>|", c) != nullptr; }

// Position of the last backslash that is a character of its own, or npos.
std::size_t LastBackslash(const std::string& text, LeadByteTest isLeadByte) {
  std::size_t found = std::string::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\') found = i;
    if (isLeadByte(c)) ++i;
  }
  return found;
}

}  // namespace

void ReplaceForwardSlashes(std::string& name) {
  for (char& c : name) {
    if (c == '/') c = '\\';
  }
}

bool IsSafeItemName(const std::string& name, LeadByteTest isLeadByte) {
  if (name.empty() || name[0] == '\\') return false;
  std::string part;
  for (std::size_t i = 0; i < name.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(name[i]);
    if (isLeadByte(c) && i + 1 < name.size()) {
      part += name[i];
      part += name[++i];
      continue;
    }
    if (c == '\\') {
      if (!IsRealPartName(part)) return false;
      part.clear();
      continue;
    }
    if (IsRefusedCharacter(c)) return false;
    part += name[i];
  }
  return IsRealPartName(part);
}

bool BuildItemDestination(const char* targetDirectory, const std::string& name, bool isDirectory,
                          LeadByteTest isLeadByte, std::string& destination) {
  // An empty target would make "\name", the root of the current drive: treat it as absent.
  if (targetDirectory == nullptr || targetDirectory[0] == '\0') {
    destination = ".\\";
  } else {
    destination = targetDirectory;
    if (LastBackslash(destination, isLeadByte) != destination.size() - 1) destination += '\\';
  }
  destination += name;
  if (isDirectory) destination += '\\';
  return destination.size() <= kDestinationMaxBytes;
}

bool TemporaryPathBeside(const std::string& destination, unsigned serial, LeadByteTest isLeadByte,
                         std::string& temporary) {
  std::size_t slash = LastBackslash(destination, isLeadByte);
  if (slash == std::string::npos) return false;
  char name[16];
  std::snprintf(name, sizeof name, "~%08x.tmp", serial);
  temporary = destination.substr(0, slash + 1) + name;
  return temporary.size() <= kDestinationMaxBytes;
}
