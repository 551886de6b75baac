#pragma once

#include <windows.h>

#include "winlib/Handles_win.h"

// The window outline of a bitmap: every pixel of exactly `key` (0x00BBGGRR) is cut out.
// Null when the bitmap cannot be read or the system refuses the region.
winlib::UniqueRegion CreateRegionFromBitmap(HBITMAP bitmap, COLORREF key);
