#pragma once

#include <windows.h>

class PageUIHandler;

// The page stand-in of the demo and end-to-end builds (never shipped). Wine has no HTML
// engine, so no login page ever calls the launcher; the player does what the page's script
// would: some time after each opening of the login page it calls "LoginGameClient" on the
// page's external object with seven given values. It can also answer the launcher's
// message boxes.
//
// Command line (the launcher ignores three or more arguments, so the player's never change
// its role):
//   LoginTarn.exe --login V1 V2 V3 V4 V5 V6 V7 [--delay MS] [--logins N] [--answer ok|cancel]
// The values travel on in the environment (LOGINTARN_PLAYER_*), so the relocated copy and
// a self-updated launcher, both started without arguments, play as well.

// Called by the launcher's window each time it opens the login page.
void PagePlayerLoginPageOpened(HWND mainWindow, PageUIHandler* handler);
