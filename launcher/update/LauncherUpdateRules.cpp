#include "launcher/update/LauncherUpdateRules.h"

#include "launcher/core/KeyValueLines.h"
#include "launcher/core/LauncherVersion.h"
#include "launcher/update/ClientUpdatePlan.h"

namespace {

unsigned NextCharacter(const unsigned char*& p) {
  unsigned c = *p++;
  if (IsLeadByte936(static_cast<unsigned char>(c))) {
    if (*p == '\0') return 0;
    c = (c << 8) | *p++;
  }
  return c;
}

}  // namespace

int CompareMultiByteText(const char* a, const char* b) {
  const auto* p = reinterpret_cast<const unsigned char*>(a);
  const auto* q = reinterpret_cast<const unsigned char*>(b);
  for (;;) {
    unsigned c1 = NextCharacter(p);
    unsigned c2 = NextCharacter(q);
    if (c1 != c2) return c1 > c2 ? 1 : -1;
    if (c1 == 0) return 0;
  }
}

bool IsNewerLauncherVersion(const std::string& listVersion) {
  return !listVersion.empty() && CompareMultiByteText(listVersion.c_str(), kLauncherVersion) > 0;
}

bool PlanLauncherUpdate(const std::string& listVersion, const std::string& packageUrl, std::string& packageFileName) {
  if (!IsNewerLauncherVersion(listVersion) || packageUrl.empty()) return false;
  return PackageFileName(packageUrl, packageFileName);
}
