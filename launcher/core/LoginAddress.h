#pragma once

#include <string>
#include <vector>

#include "launcher/core/LauncherSettings.h"

// The login page's address for a first opening: `LoginUrl` plus the distribution values.
// `randomNumber` (0..32767) is used only with a channel, `machineCode` (twelve hexadecimal
// digits) only with a machine-code parameter; the caller draws or reads them.
std::string BuildLoginAddress(const LauncherSettings& settings, const std::vector<std::string>& nameParts,
                              int randomNumber, const std::string& machineCode);
