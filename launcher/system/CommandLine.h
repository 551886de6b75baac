#pragma once

#include <string>
#include <vector>

// Command line of a directly started program: the path (in double quotes when it holds
// a blank, so a folder like "Program Files" cannot split it), then each argument as a
// blank and the argument in double quotes.
std::string BuildProcessCommandLine(const std::string& programPath, const std::vector<std::string>& arguments);

// The working directory given to a started program: its path up to the last "\".
std::string WorkingDirectoryOf(const std::string& programPath);

// "cmd.exe /c" line that runs `program` with `arguments` in a hidden window.
std::string BuildHiddenCommandLine(const std::string& program, const std::string& arguments);
