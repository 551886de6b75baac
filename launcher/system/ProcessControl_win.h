#pragma once

#include <string>

// Processes are found by the file name of their executable, compared without regard to
// ASCII case, through a snapshot of the process list. An empty name finds nothing.

// Enables a privilege in the process's own token; true when the adjustment call
// succeeded (also when the token does not hold the privilege).
bool EnablePrivilege(const char* name);
// True when a process of that name runs; with a non-zero id, only that process counts.
bool IsProcessRunning(const std::string& name, unsigned long processId);
// Number of processes of that name other than this one.
int CountOtherProcesses(const std::string& name);
// Ends every process of that name other than this one, without waiting for them.
void TerminateOtherProcesses(const std::string& name);
