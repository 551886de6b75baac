// The second stage of a self-update and nothing else: tests copy it as "RidaVadoz.new"
// beside a running "old launcher" and look at what it leaves behind.
#include <windows.h>

#include "launcher/update/SelfUpdate_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return CompleteSelfUpdate() ? 0 : 1; }
