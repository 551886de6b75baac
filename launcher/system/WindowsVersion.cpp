#include "launcher/system/WindowsVersion.h"

bool VersionAtLeast(std::uint32_t getVersionResult, bool windows7) {
  unsigned major = getVersionResult & 0xFF;
  unsigned minor = (getVersionResult >> 8) & 0xFF;
  if (!windows7) return major >= 6;
  return major >= 6 && minor != 0;
}
