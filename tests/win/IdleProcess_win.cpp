// A program that only waits: tests copy it under the names of the processes they look for.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Ends by itself in case a test never ends it.
  ::Sleep(60000);
  return 0;
}
