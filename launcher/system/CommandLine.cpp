#include "launcher/system/CommandLine.h"

std::string BuildProcessCommandLine(const std::string& programPath, const std::vector<std::string>& arguments) {
  std::string line = programPath.find(' ') != std::string::npos ? "\"" + programPath + "\"" : programPath;
  for (const std::string& argument : arguments) line += " \"" + argument + "\"";
  return line;
}

std::string WorkingDirectoryOf(const std::string& programPath) {
  std::size_t slash = programPath.rfind('\\');
  return slash == std::string::npos ? std::string() : programPath.substr(0, slash);
}

std::string BuildHiddenCommandLine(const std::string& program, const std::string& arguments) {
  std::string line = "cmd.exe /c \"\"" + program + "\"";
  if (!arguments.empty()) line += " " + arguments;
  line += "\"";
  return line;
}
