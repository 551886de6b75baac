// Stands in for cmd.exe beside the launcher (the system looks in the program's own folder
// first): records how it was started, then stays a while so the test can tell whether the
// launcher waited for it.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main() {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  ::GetStartupInfoA(&si);
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::strcpy(std::strrchr(path, '\\') + 1, "command-report.txt");
  char temp[MAX_PATH + 8];
  std::snprintf(temp, sizeof temp, "%s.tmp", path);
  if (FILE* f = std::fopen(temp, "wb")) {
    std::fprintf(f, "%s\n%lu\n%u\n", ::GetCommandLineA(), si.dwFlags, si.wShowWindow);
    std::fclose(f);
    ::MoveFileA(temp, path);
  }
  ::Sleep(6000);
  return 0;
}
