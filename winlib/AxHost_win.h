#pragma once

#include <windows.h>

#include "winlib/BrowserHostInterfaces_win.h"
#include "winlib/ComPtr_win.h"

namespace winlib {

// The browser-control host window class and its two registered messages. A window of
// this class creates, when it is created, the control its window text names: a class id
// ("{...}"), a program id, or else an address, which gets a browser control navigated there.
constexpr const char kAxHostClassName[] = "AtlAxWin";
UINT AxGetHostMessage();
UINT AxGetControlMessage();
// Sent to a child of the main window with a MSG* in lParam; nonzero when the hosted
// control consumed the message.
constexpr UINT kForwardMessage = 0x037F;

// Registers the two messages and, unless the instance already has it, the class.
bool RegisterAxHostClass();

// The host's IBrowserHostWindow (through AxGetHostMessage); fails for other windows.
HRESULT AxGetHost(HWND host, ComPtr<IBrowserHostWindow>& out);
// The hosted control's identity (through AxGetControlMessage), or null.
ComPtr<IUnknown> AxGetControl(HWND host);

// Message-filter helper for a top-level window: a keyboard or mouse message is offered,
// as kForwardMessage, to the direct child of `topLevel` that holds the focus. True when
// that child consumed it.
bool ForwardToFocusedChild(HWND topLevel, MSG* msg);

}  // namespace winlib
