#pragma once

#include <windows.h>
#include <exdisp.h>

#include <string>

#include "launcher/core/PageUIHandler_win.h"
#include "winlib/ComPtr_win.h"

// The login page's host window: a hidden child of the main window, of the browser-control
// host class, on "about:blank". Its layout is set by the window's layout modes.
HWND CreateBrowserHost(HWND mainWindow);
// The browser control the host made, or null.
winlib::ComPtr<IWebBrowser2> HostedBrowser(HWND browserHost);
// Gives the host `handler` as its external user-interface handler. False when the host
// does not answer: the page then runs with the host's own frame and no external object.
bool AttachPageUIHandler(HWND browserHost, PageUIHandler* handler);
// Navigates to an ANSI address with no flags, target frame, post data or headers.
bool NavigateBrowser(IWebBrowser2* browser, const std::string& address);

// The offline notice, as the current page's content.
extern const wchar_t kOfflineNotice[];
// Writes the notice into the current document; false (nothing shown) without a document.
bool ShowOfflineNotice(IWebBrowser2* browser);
