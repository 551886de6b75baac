#pragma once

#include <windows.h>

#include <string>

#include "launcher/core/LauncherSettings.h"
#include "launcher/core/LoginArguments.h"
#include "launcher/system/ClientLaunchLayout.h"

// View of the whole block (created, or opened when it exists); null on failure.
unsigned char* MapClientLaunchBlock();
void UnmapClientLaunchBlock(unsigned char* view);

// Resolves a host name to "%d.%d.%d.%d" in `buffer`; false (buffer untouched) when the
// name does not resolve.
bool ResolveHostAddress(const char* name, char (&buffer)[20]);

// Converts one login's texts to ANSI and writes them, with the launcher's own values, into
// the block from zero. `serverId` receives argument 7 whenever there are arguments, even
// without a view, so the update check still knows the chosen server. False without a view
// or without arguments.
bool FillClientLaunchBlock(unsigned char* view, const LoginArguments* arguments, const LauncherSettings& settings,
                           const std::string& executablePath, HWND mainWindow, std::string& serverId);

// Wide text to the ANSI code page; null gives an empty text.
std::string AnsiFromWide(const wchar_t* text);
