#pragma once

#include <string>
#include <vector>

// Starts a program directly, its folder as working directory; no handle is kept.
bool StartProcess(const std::string& programPath, const std::vector<std::string>& arguments, unsigned short show,
                  unsigned long* processId);
// Starts a program through the "runas" verb (the system asks for consent from Vista on).
bool StartElevated(const std::string& programPath, const char* parameters);
// Runs a command through "cmd.exe /c" in a hidden window, without waiting for it.
bool RunHiddenCommand(const char* program, const char* arguments);
