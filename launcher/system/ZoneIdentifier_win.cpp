#include "launcher/system/ZoneIdentifier_win.h"

#include <windows.h>

void RemoveZoneIdentifier(const std::string& path) {
  if (path.empty()) return;
  ::DeleteFileA((path + ":Zone.Identifier").c_str());
}
