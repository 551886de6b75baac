#pragma once

#include <string>

constexpr const char kGameClientProgram[] = "Client.exe";

// The game client beside the launcher, started with no arguments. From Vista on it goes
// through "runas" and its process id stays unknown (`clientProcessId` untouched); before,
// it is started directly and its id is stored. True when the client was started.
bool StartGameClient(const std::string& launcherDirectory, unsigned long& clientProcessId);
bool StartGameClient(const std::string& launcherDirectory, bool vistaOrLater, unsigned long& clientProcessId);
