#include "launcher/core/LoginAddress.h"

std::string BuildLoginAddress(const LauncherSettings& settings, const std::vector<std::string>& nameParts,
                              int randomNumber, const std::string& machineCode) {
  std::string address = settings.LoginUrl;
  if (!settings.Channel.empty()) return address + "?lm=" + settings.Channel + "&rnd=" + std::to_string(randomNumber);
  if (!settings.PartnerQuery.empty()) return address + "?" + settings.PartnerQuery;
  if (!settings.MachineCodeParam.empty()) return address + settings.MachineCodeParam + machineCode;
  // Only an address that already carries a query value can take the position.
  if (address.find('=') == std::string::npos) return address;
  if (!settings.pos.empty()) return address + settings.pos;
  if (nameParts.size() >= 2) return address + nameParts[1];
  return address;
}
