#pragma once

#include <windows.h>

namespace winlib {

// The browser-control host window class and its two registered messages. A window of
// this class creates the control named by its window text.
constexpr const char kAxHostClassName[] = "AtlAxWin";
UINT AxGetHostMessage();
UINT AxGetControlMessage();

// Registers the two messages and, unless the instance already has it, the class.
bool RegisterAxHostClass();

}  // namespace winlib
